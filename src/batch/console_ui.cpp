#include "batch/console_ui.h"

#include "core/messages.h"

#include "core/encoding.h"
#include "merge/prompt_dialog.h"

namespace tevra {
namespace {
// Message texts use CR LF between paragraphs; a terminal wants LF.
std::string TerminalText(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out.push_back(c);
  return out;
}
}  // namespace

void ConsoleUi::ShowMessage(std::string_view text, MessageIcon, std::string_view) {
  if (quiet) return;
  std::fprintf(err_, "%s: %s\n", program_.c_str(), TerminalText(text).c_str());
}

Answer ConsoleUi::Ask(std::string_view text, Buttons buttons, MessageIcon, std::string_view) {
  if (proceedWhenLogChanged && text == msg::kLogUpdatedElsewhere101) {
    std::fprintf(err_,
                 "%s: the log changed since it was loaded; records changed since then are left alone, the others "
                 "are marked\n",
                 program_.c_str());
    return Answer::Ok;
  }
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return confirmAll ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel: return yesNoCancelAnswer.value_or(Answer::Cancel);
    default: return Answer::Cancel;
  }
}

SortAnswer ConsoleUi::AskSortOrder(std::string_view, bool withCancel) {
  if (sortAnswer) return *sortAnswer;
  return withCancel ? SortAnswer::Cancel : SortAnswer::No;
}

}  // namespace tevra

namespace tevra {

bool ConsoleUi::RunPromptDialog(PromptDialog& dialog) {
  if (!promptInput) return true;
  std::string shown = ToUnicode(dialog.EditText());
  for (char& c : shown)
    if (c == '\r' || c == '\n') c = ' ';
  std::fprintf(err_, "%s [%s]: ", dialog.Caption().c_str(), shown.c_str());
  std::fflush(err_);
  std::string line;
  int c;
  while ((c = std::fgetc(promptInput)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (c == EOF && line.empty()) {
    std::fputc('\n', err_);
    return false;  // "印刷終了"
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!line.empty()) dialog.SetEditText(FromUnicode(line));
  return true;
}

}  // namespace tevra
