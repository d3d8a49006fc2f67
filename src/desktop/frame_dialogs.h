// The dialogs the frame shows itself: the options dialog on its model, and
// the about box that also serves as the start-up splash.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <optional>
#include <vector>

#include "program/card_image_export.h"
#include "program/label_catalogue.h"
#include "program/options_dialog.h"
#include "writeback/write_back.h"

namespace tevra {

// "オプション" on OptionsDialog: true when closed with OK (the model then
// holds the edits).
bool RunOptionsDialog(OptionsDialog& dialog, QWidget* parent);

// "発行抑止設定" on its options; true on OK.
bool RunSuppressionDialog(SuppressionOptions& options, QWidget* parent);
// "エリア別カード発行枚数": the statistics text (UTF-8, tab-separated lines).
void ShowAreaStatistics(const std::string& text, QWidget* parent);

// The label sheet chooser: the catalogue's sheets with a search field; the
// chosen one, or none on Cancel (and when no catalogue is installed, after
// saying so).
std::optional<LabelSheet> ChooseLabelSheet(const std::vector<LabelSheet>& catalogue, QWidget* parent);

// File › Export card images: the folder (with a chooser), format,
// resolution and name pattern; true on OK with usable values.
bool RunImageExportDialog(ImageExport& options, QWidget* parent);

// "選択アイテムの移動": both amounts in 1/1000 inch, -500..500; true on OK.
bool RunMoveDialog(QWidget* parent, int& dx, int& dy);

// "ﾊﾞｰｼﾞｮﾝ情報(TEVRA)": the icon, the version line, OK and a blank line
// that the splash fills with progress texts.
class AboutBox : public QDialog {
 public:
  explicit AboutBox(QWidget* parent = nullptr);
  // Modeless, top-most, without its OK button.
  void ShowAsSplash();
  // An empty text clears the line; repaints at once.
  void SetProgressText(const QString& text);
  QString ProgressText() const { return progress_->text(); }
  static QString VersionLine();

 private:
  QLabel* progress_;
  QPushButton* ok_;
};

}  // namespace tevra
