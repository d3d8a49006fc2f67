#include "app/console_ui.h"

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

Answer ConsoleUi::Ask(std::string_view, Buttons buttons, MessageIcon, std::string_view) {
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return confirmAll ? Answer::Yes : Answer::No;
    default: return Answer::Cancel;
  }
}

SortAnswer ConsoleUi::AskSortOrder(std::string_view, bool withCancel) {
  if (sortAnswer) return *sortAnswer;
  return withCancel ? SortAnswer::Cancel : SortAnswer::No;
}

}  // namespace tevra
