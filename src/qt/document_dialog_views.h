// The document's settings dialogs and the table and macro dialogs on
// screen: thin views over their models. Each returns true when closed
// with OK and the model accepted the values.
#pragma once

#include <QWidget>

#include "card/document_settings.h"
#include "merge/table_dialogs.h"

namespace tevra {

class Ui;

// "ＱＳＬフォームの設定", with "タックシール" opening the tack-seal dialog.
bool RunQslFormDialog(QslFormDialog& dialog, TackSealDialog& tackSeal, QWidget* parent);
bool RunTackSealDialog(TackSealDialog& dialog, QWidget* parent);
// "グリッド線の設定".
bool RunGridDialog(GridDialog& dialog, QWidget* parent);
// "文書情報".
bool RunDocumentInfoDialog(DocumentInfoDialog& dialog, QWidget* parent);
// "RIG/ANTの設定": a tab per band.
bool RunRigAntDialog(RigAntDialog& dialog, Ui& ui, QWidget* parent);
// Condition tables and the mode conversion table; directory: where
// "ロード" and "セーブ" start.
bool RunTableDialog(TableDialog& dialog, Ui& ui, const std::string& directory, QWidget* parent);
// "マクロ".
bool RunMacroDialog(MacroDialog& dialog, Ui& ui, QWidget* parent);

}  // namespace tevra
