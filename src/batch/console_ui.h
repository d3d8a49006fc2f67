// The host services for the command line: messages go to stderr, questions
// take their safe answer, dialogs are not shown.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "platform/ui.h"

namespace tevra {

class ConsoleUi : public Ui {
 public:
  explicit ConsoleUi(std::FILE* err, std::string programName) : err_(err), program_(std::move(programName)) {}

  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;
  // Nothing is asked on the command line: Yes/No questions answer No (Yes
  // when confirmAll is set), and questions that can be cancelled answer
  // Cancel.
  Answer Ask(std::string_view text, Buttons buttons, MessageIcon icon, std::string_view title) override;
  SortAnswer AskSortOrder(std::string_view text, bool withCancel) override;
  void SetStatus(std::string_view) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  std::optional<OpenFileChoice> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const OpenFileRequest&) override { return std::nullopt; }
  // The format dialog is answered by formatDialog (cancelled when unset).
  bool RunCsvFormatDialog(CsvFormatDialog& dialog) override { return formatDialog && formatDialog(dialog); }
  // The defaults stand: the QSO edit and Cabrillo dialogs are accepted as shown.
  bool EditQso(QsoRecord&) override { return true; }
  bool RunCabrilloDialog(CabrilloOptionsDialog&) override { return true; }
  // Prompts take their pre-filled text (the last answer), or with
  // promptInput the answer typed on the terminal: an empty line keeps the
  // pre-filled text, end of input ends the printing.
  bool RunPromptDialog(PromptDialog& dialog) override;

  std::function<bool(CsvFormatDialog&)> formatDialog;
  // The answer to the sort question; none: do not sort.
  std::optional<SortAnswer> sortAnswer;
  // The answer to questions with Yes, No and Cancel; none: Cancel.
  std::optional<Answer> yesNoCancelAnswer;
  std::FILE* promptInput = nullptr;
  bool confirmAll = false;
  // The write-back of a log changed since loading goes on record by record
  // (changed records are left alone) instead of being cancelled.
  bool proceedWhenLogChanged = false;
  bool quiet = false;  // messages are dropped

 private:
  std::FILE* err_;
  std::string program_;
};

}  // namespace tevra
