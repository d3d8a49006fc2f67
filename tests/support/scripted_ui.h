// A Ui for tests: records every message and status text, answers questions
// from queues, and fails the test on a question nobody scripted.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/qso_record.h"
#include "platform/ui.h"

namespace tevra::test {

class ScriptedUi : public Ui {
 public:
  struct Message {
    std::string text;
    MessageIcon icon;
  };

  ~ScriptedUi() override;

  // Queued answers, used in order.
  void QueueAnswer(Answer answer) { answers_.push_back(answer); }
  void QueueSortAnswer(SortAnswer answer) { sortAnswers_.push_back(answer); }
  void QueueFileChoice(std::optional<OpenFileChoice> choice) { fileChoices_.push_back(std::move(choice)); }
  void QueueSaveChoice(std::optional<std::string> path) { saveChoices_.push_back(std::move(path)); }
  // What the user does in the next format dialog; the result is OK/Cancel.
  void QueueFormatDialog(std::function<bool(CsvFormatDialog&)> action) { formatDialogs_.push_back(std::move(action)); }
  // The next QSO edit dialog: edits the record and returns OK/Cancel.
  void QueueQsoEdit(std::function<bool(QsoRecord&)> action) { qsoEdits_.push_back(std::move(action)); }

  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;
  Answer Ask(std::string_view text, Buttons buttons, MessageIcon icon, std::string_view title) override;
  SortAnswer AskSortOrder(std::string_view text, bool withCancel) override;
  void SetStatus(std::string_view text) override;
  void BeginWaitCursor() override { ++waitDepth_; }
  void EndWaitCursor() override { --waitDepth_; }
  std::optional<OpenFileChoice> ChooseFileToOpen(const OpenFileRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const OpenFileRequest& request) override;
  bool RunCsvFormatDialog(CsvFormatDialog& dialog) override;
  bool EditQso(QsoRecord& record) override;
  bool RunCabrilloDialog(CabrilloOptionsDialog& dialog) override;
  bool RunPromptDialog(PromptDialog& dialog) override;
  void QueuePromptDialog(std::function<bool(PromptDialog&)> action) { promptDialogs_.push_back(std::move(action)); }
  void QueueCabrilloDialog(std::function<bool(CabrilloOptionsDialog&)> action) {
    cabrilloDialogs_.push_back(std::move(action));
  }

  const std::vector<Message>& Messages() const { return messages_; }
  // Every status text set, in order; an empty string marks a clear.
  const std::vector<std::string>& StatusHistory() const { return statusHistory_; }
  const std::string& Status() const { return status_; }
  const std::vector<std::string>& Questions() const { return questions_; }
  const std::vector<OpenFileRequest>& FileRequests() const { return fileRequests_; }
  // Every record shown in the QSO edit dialog, as it was shown.
  const std::vector<QsoRecord>& ShownQsos() const { return shownQsos_; }
  int FormatDialogsShown() const { return formatDialogsShown_; }
  int WaitDepth() const { return waitDepth_; }

 private:
  std::deque<Answer> answers_;
  std::deque<SortAnswer> sortAnswers_;
  std::deque<std::optional<OpenFileChoice>> fileChoices_;
  std::deque<std::optional<std::string>> saveChoices_;
  std::deque<std::function<bool(CsvFormatDialog&)>> formatDialogs_;
  std::deque<std::function<bool(QsoRecord&)>> qsoEdits_;
  std::deque<std::function<bool(CabrilloOptionsDialog&)>> cabrilloDialogs_;
  std::deque<std::function<bool(PromptDialog&)>> promptDialogs_;
  std::vector<QsoRecord> shownQsos_;
  int formatDialogsShown_ = 0;
  std::vector<Message> messages_;
  std::vector<std::string> statusHistory_;
  std::string status_;
  std::vector<std::string> questions_;
  std::vector<OpenFileRequest> fileRequests_;
  int waitDepth_ = 0;
};

}  // namespace tevra::test
