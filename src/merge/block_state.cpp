#include "merge/block_state.h"

#include "core/text.h"
#include "platform/ui.h"

namespace tevra {
namespace {

bool IsDirective(std::string_view line, std::string_view word) {
  return line == word || (line.starts_with(word) && line.size() > word.size() && line[word.size()] == ' ');
}

void Report(BlockState& state, Ui* ui, std::string_view message) {
  if (!state.Report) return;
  state.Report = false;
  if (ui) ui->ShowMessage(message, MessageIcon::Warning);
}

}  // namespace

bool BlockStep(BlockState& state, std::string_view line,
               const std::function<bool(std::string_view, bool*)>& condition, Ui* ui) {
  line = SkipBlanks(line);
  const bool enclosingActive = state.Depth == 0 || state.Active[state.Depth - 1];
  if (line.starts_with("@if")) {
    if (!enclosingActive || state.SkipDepth > 0) {
      ++state.SkipDepth;
    } else if (state.Depth < BlockState::Capacity) {
      const bool active = condition(line.substr(3), state.Report ? &state.Report : nullptr);
      state.Active[state.Depth] = active;
      state.Taken[state.Depth] = active;
      ++state.Depth;
    } else {
      Report(state, ui, kNestingTooDeep);
    }
    return false;
  }
  const bool elseIf = line.starts_with("@elseif");
  const bool isElse = !elseIf && IsDirective(line, "@else");
  const bool endIf = IsDirective(line, "@endif");
  if (elseIf || isElse || endIf) {
    if (state.SkipDepth > 0) {
      if (endIf) --state.SkipDepth;
    } else if (state.Depth == 0) {
      Report(state, ui, kBlockNotStarted);
    } else if (endIf) {
      --state.Depth;
    } else {
      const int top = state.Depth - 1;
      if (state.Taken[top]) {
        state.Active[top] = false;
      } else if (isElse) {
        state.Active[top] = state.Taken[top] = true;
      } else {
        state.Active[top] = condition(line.substr(7), state.Report ? &state.Report : nullptr);
        state.Taken[top] = state.Active[top];
      }
    }
    return false;
  }
  return enclosingActive && state.SkipDepth == 0;
}

}  // namespace tevra
