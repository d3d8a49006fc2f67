#include "app/print_number_dialog.h"

#include <algorithm>
#include <cstdint>
#include "app/program.h"
#include "core/messages.h"
#include "core/text.h"
#include "merge/prompt_dialog.h"
#include "platform/ui.h"

namespace tevra {

PrintNumberDialog::PrintNumberDialog(const ProgramSettings& s)
    : newNumber(std::to_string(s.printNo)), autoCalc(s.printNoAuto), start_(s.printNoStart), current_(s.printNo) {}

void PrintNumberDialog::Revert() {
  const int shown = DecimalValue(newNumber);
  newNumber = std::to_string(shown == current_ && start_ != current_ ? start_ : current_);
}

bool PrintNumberDialog::RevertEnabled() const {
  const int shown = DecimalValue(newNumber);
  return !(shown == start_ && shown == current_);
}

void ApplyPrintNumber(const PrintNumberDialog& dialog, Document& doc) {
  ProgramSettings& s = doc.program.settings;
  s.printNo = std::clamp(DecimalValue(dialog.newNumber), 0, kPrintNoMax);
  if (doc.LogLoaded() && dialog.autoCalc && !s.printNoAuto)
    doc.program.ui.ShowMessage(msg::kAutoPrintNumberNeedsReload, MessageIcon::Information);
  s.printNoAuto = dialog.autoCalc;
  doc.context.PrintNumberBase = s.printNo;
  if (doc.redraw) doc.redraw();
}

bool RegisterPrintMessages(Program& program) {
  PromptHistory edited = program.settings.messages;
  PromptDialog dialog(PromptDialog::Mode::Register, "", edited, nullptr);
  if (!program.ui.RunPromptDialog(dialog)) return false;
  dialog.Accept();
  program.settings.messages = edited;
  return true;
}

}  // namespace tevra
