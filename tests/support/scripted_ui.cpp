#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace tevra::test {

ScriptedUi::~ScriptedUi() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
  EXPECT_TRUE(sortAnswers_.empty()) << "scripted sort answer never asked for";
  EXPECT_TRUE(fileChoices_.empty()) << "scripted file choice never asked for";
  EXPECT_TRUE(saveChoices_.empty()) << "scripted save choice never asked for";
  EXPECT_TRUE(formatDialogs_.empty()) << "scripted format dialog never shown";
  EXPECT_TRUE(qsoEdits_.empty()) << "scripted QSO edit never shown";
  EXPECT_TRUE(cabrilloDialogs_.empty()) << "scripted Cabrillo dialog never shown";
  EXPECT_TRUE(promptDialogs_.empty()) << "scripted prompt dialog never shown";
  EXPECT_EQ(waitDepth_, 0) << "wait cursor left on";
}

void ScriptedUi::ShowMessage(std::string_view text, MessageIcon icon, std::string_view) {
  messages_.push_back({std::string(text), icon});
}

Answer ScriptedUi::Ask(std::string_view text, Buttons, MessageIcon, std::string_view) {
  questions_.emplace_back(text);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return Answer::Cancel;
  }
  Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

SortAnswer ScriptedUi::AskSortOrder(std::string_view text, bool) {
  questions_.emplace_back(text);
  if (sortAnswers_.empty()) {
    ADD_FAILURE() << "unexpected sort question: " << text;
    return SortAnswer::Cancel;
  }
  SortAnswer a = sortAnswers_.front();
  sortAnswers_.pop_front();
  return a;
}

void ScriptedUi::SetStatus(std::string_view text) {
  status_ = std::string(text);
  statusHistory_.push_back(status_);
}

std::optional<OpenFileChoice> ScriptedUi::ChooseFileToOpen(const OpenFileRequest& request) {
  fileRequests_.push_back(request);
  if (fileChoices_.empty()) {
    ADD_FAILURE() << "unexpected file dialog: " << request.title;
    return std::nullopt;
  }
  auto c = fileChoices_.front();
  fileChoices_.pop_front();
  return c;
}

std::optional<std::string> ScriptedUi::ChooseFileToSave(const OpenFileRequest& request) {
  fileRequests_.push_back(request);
  if (saveChoices_.empty()) {
    ADD_FAILURE() << "unexpected save dialog: " << request.title;
    return std::nullopt;
  }
  auto c = saveChoices_.front();
  saveChoices_.pop_front();
  return c;
}

bool ScriptedUi::RunCsvFormatDialog(CsvFormatDialog& dialog) {
  ++formatDialogsShown_;
  if (formatDialogs_.empty()) {
    ADD_FAILURE() << "unexpected format dialog";
    return false;
  }
  auto action = std::move(formatDialogs_.front());
  formatDialogs_.pop_front();
  return action(dialog);
}

bool ScriptedUi::EditQso(QsoRecord& record) {
  shownQsos_.push_back(record);
  if (qsoEdits_.empty()) {
    ADD_FAILURE() << "unexpected QSO edit dialog";
    return false;
  }
  auto action = std::move(qsoEdits_.front());
  qsoEdits_.pop_front();
  return action(record);
}

bool ScriptedUi::RunCabrilloDialog(CabrilloOptionsDialog& dialog) {
  if (cabrilloDialogs_.empty()) {
    ADD_FAILURE() << "unexpected Cabrillo dialog";
    return false;
  }
  auto action = std::move(cabrilloDialogs_.front());
  cabrilloDialogs_.pop_front();
  return action(dialog);
}

bool ScriptedUi::RunPromptDialog(PromptDialog& dialog) {
  if (promptDialogs_.empty()) {
    ADD_FAILURE() << "unexpected prompt dialog";
    return false;
  }
  auto action = std::move(promptDialogs_.front());
  promptDialogs_.pop_front();
  return action(dialog);
}

}  // namespace tevra::test
