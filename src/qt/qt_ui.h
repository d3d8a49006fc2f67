// The host services on real widgets: message boxes, the three-way sort
// question, the status bar's message pane, the wait cursor and the file
// dialogs of the desktop program.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "platform/ui.h"

namespace tevra {

class QsoEditDialog;

// The QSO edit dialog ("ＱＳＯデータ") on its model. With navigation it
// also offers "<", ">" and "リスト", which close it without OK.
enum class QsoEditResult { Ok, Cancel, Previous, Next, List };
struct QsoEditNavigation {
  bool previousEnabled = true;
  bool nextEnabled = true;
};
QsoEditResult RunQsoEditView(QsoEditDialog& dialog, const QString& title, const QsoEditNavigation* navigation,
                             QWidget* parent);

class QtUi : public Ui {
 public:
  // parent: the window the boxes belong to (may be set later).
  explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;
  Answer Ask(std::string_view text, Buttons buttons, MessageIcon icon, std::string_view title) override;
  SortAnswer AskSortOrder(std::string_view text, bool withCancel) override;
  std::string Translate(std::string_view text) override;
  void SetStatus(std::string_view text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  std::optional<OpenFileChoice> ChooseFileToOpen(const OpenFileRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const OpenFileRequest& request) override;
  bool RunCsvFormatDialog(CsvFormatDialog& dialog) override;
  bool RunPromptDialog(PromptDialog& dialog) override;
  bool RunCabrilloDialog(CabrilloOptionsDialog& dialog) override;
  bool EditQso(QsoRecord& record) override;

  // Where status texts go (the message pane, or the splash while it shows);
  // an empty text asks for the idle text.
  std::function<void(const QString&)> statusSink;

  // The title of the QSO edit dialog ("ＱＳＯデータ - " and the log's name).
  QString qsoTitle;

  // "name|patterns|name|patterns||" as Qt's name filters "name (patterns)".
  static QStringList NameFilters(std::string_view filters);

 private:
  QWidget* parent_;
};

}  // namespace tevra
