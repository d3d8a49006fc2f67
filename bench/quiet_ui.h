// A Ui for benchmarks: messages go to stderr, questions get their neutral
// answer, dialogs are accepted as shown.
#pragma once

#include <cstdio>

#include "platform/ui.h"

namespace tevra::bench {

class QuietUi : public Ui {
 public:
  void ShowMessage(std::string_view text, MessageIcon, std::string_view) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  Answer Ask(std::string_view, Buttons, MessageIcon, std::string_view) override { return Answer::No; }
  SortAnswer AskSortOrder(std::string_view, bool) override { return SortAnswer::No; }
  void SetStatus(std::string_view) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  std::optional<OpenFileChoice> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const OpenFileRequest&) override { return std::nullopt; }
  bool RunCsvFormatDialog(CsvFormatDialog&) override { return false; }
  bool EditQso(QsoRecord&) override { return true; }
  bool RunCabrilloDialog(CabrilloOptionsDialog&) override { return true; }
  bool RunPromptDialog(PromptDialog&) override { return true; }
};

}  // namespace tevra::bench
