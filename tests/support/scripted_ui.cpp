#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace tevra::test {

ScriptedUi::~ScriptedUi() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
  EXPECT_TRUE(sortAnswers_.empty()) << "scripted sort answer never asked for";
  EXPECT_TRUE(fileChoices_.empty()) << "scripted file choice never asked for";
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

}  // namespace tevra::test
