// The document's settings dialogs and the table and macro dialogs on
// screen: thin views over their models. Each returns true when closed
// with OK and the model accepted the values.
#pragma once

#include <QRect>

#include <functional>
#include <optional>

#include <QWidget>

#include "card/document_settings.h"
#include "merge/table_dialogs.h"

namespace tevra {

class Ui;

// Chooses a label sheet of a catalogue and fills both dialogs' models from
// it; false when nothing was chosen.
using SheetChooser = std::function<bool(QslFormDialog&, TackSealDialog&, QWidget* parent)>;
// "ＱＳＬフォームの設定", with "タックシール" opening the tack-seal dialog,
// which offers the sheet chooser when there is one.
bool RunQslFormDialog(QslFormDialog& dialog, TackSealDialog& tackSeal, QWidget* parent,
                      const SheetChooser& chooseSheet = {});
bool RunTackSealDialog(TackSealDialog& dialog, QWidget* parent, const std::function<bool(QWidget*)>& chooseSheet = {});
// "グリッド線の設定".
bool RunGridDialog(GridDialog& dialog, QWidget* parent);
// "文書情報".
bool RunDocumentInfoDialog(DocumentInfoDialog& dialog, QWidget* parent);
// "RIG/ANTの設定": a tab per band.
bool RunRigAntDialog(RigAntDialog& dialog, Ui& ui, QWidget* parent);
// Condition tables and the mode conversion table; directory: where
// "ロード" and "セーブ" start.
// Where the condition table dialog was and how wide its two columns were
// (kept in the settings file as "TableWin"); the view restores it and
// keeps it as the dialog closes.
struct TableDialogPlace {
  std::optional<QRect> rect;
  int column1 = 100;
  int column2 = 400;
};
bool RunTableDialog(TableDialog& dialog, Ui& ui, const std::string& directory, QWidget* parent,
                    TableDialogPlace* place = nullptr);
// "マクロ".
bool RunMacroDialog(MacroDialog& dialog, Ui& ui, QWidget* parent);

}  // namespace tevra
