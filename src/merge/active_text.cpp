// Multi-line item texts: "@if" blocks, "@Input" prompts and "@MsgBox".
#include "core/encoding.h"
#include "core/text.h"
#include "merge/macro_expander.h"
#include "merge/prompt_dialog.h"
#include "platform/ui.h"

namespace tevra {
namespace {

constexpr std::size_t kLineCut = 511;
constexpr std::size_t kTextMax = 1023;
constexpr std::string_view kMsgBoxDetected = "@MsgBox\x82\xF0\x8C\x9F\x8F\x6F\x82\xB5\x82\xDC\x82\xB5\x82\xBD.";  // "@MsgBoxを検出しました." in CP932

// Calls each line of text (cut to 511 bytes) until it returns false.
template <typename Fn>
void ForEachLine(std::string_view text, Fn&& fn) {
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (!fn(PrefixOfChars(line, kLineCut))) return;
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
}

std::string FirstLineOf(std::string_view text) {
  return std::string(PrefixOfChars(text.substr(0, text.find_first_of("\r\n")), kTextMax));
}

}  // namespace

std::string MacroExpander::ActiveLine(std::string_view line, bool wholeAnswer, int depth) {
  const std::string_view trimmed = SkipBlanks(line);
  QsoRecord* first = context_.CardQsos;
  if (trimmed.starts_with("@Input") && context_.PromptsEnabled) {
    const std::string prompt = first ? Expand(SkipBlanks(trimmed.substr(6)), *first, depth + 1) : std::string();
    PromptHistory fallback;
    PromptHistory& history = services_.history ? *services_.history : fallback;
    PromptDialog dialog(PromptDialog::Mode::Printing, prompt, history, first);
    const std::string prefilled = dialog.EditText();
    if (services_.ui && !services_.ui->RunPromptDialog(dialog)) {
      context_.Continue = false;  // "印刷終了": the job ends after this page
      return wholeAnswer ? std::string() : FirstLineOf(prefilled);
    }
    dialog.Accept();
    const std::string& answer = dialog.EditText();
    return wholeAnswer ? std::string(PrefixOfChars(answer, kTextMax)) : FirstLineOf(answer);
  }
  if (trimmed.starts_with("@MsgBox")) {
    if (!context_.MessageShown && first) {
      context_.MessageShown = true;
      std::string message = Expand(SkipBlanks(trimmed.substr(7)), *first, depth + 1);
      if (message.empty()) message = std::string(kMsgBoxDetected);
      if (services_.ui) services_.ui->ShowMessage(ToUnicode(message), MessageIcon::Information);
    }
    return "@MsgBox";
  }
  // Without log data, and for a prompt while prompts are off, the line
  // itself.
  if (!first || trimmed.starts_with("@Input")) return std::string(line);
  return Expand(line, *first, depth + 1);
}

std::string MacroExpander::ActiveLines(std::string_view text, bool firstOnly, int depth) {
  BlockState state;
  auto condition = [this](std::string_view list, bool* report) { return EvaluateConditionsForCard(list, report); };
  std::string out;
  ForEachLine(text, [&](std::string_view line) {
    if (!BlockStep(state, line, condition, services_.ui)) return true;
    if (firstOnly) {
      out = std::string(SkipBlanks(ActiveLine(line, false, depth)));
      return false;
    }
    const std::string piece = ActiveLine(line, true, depth);
    if (!out.empty()) out += "\r\n";
    out += piece;
    return out.size() < kTextMax;
  });
  if (out.size() > kTextMax) out.resize(PrefixOfChars(out, kTextMax).size());
  return out;
}

std::string MacroExpander::FirstActiveLine(std::string_view text) { return ActiveLines(text, true, 0); }

std::string MacroExpander::ActiveText(std::string_view text) { return ActiveLines(text, false, 0); }

bool MacroExpander::CheckConditionalText(std::string_view text) {
  BlockState state;
  state.Report = true;
  auto condition = [this](std::string_view list, bool* report) { return EvaluateConditionsForCard(list, report); };
  ForEachLine(text, [&](std::string_view line) {
    BlockStep(state, line, condition, services_.ui);
    return true;
  });
  return state.Report;
}

}  // namespace tevra
