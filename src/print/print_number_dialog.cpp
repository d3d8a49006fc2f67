#include "print/print_number_dialog.h"

#include <algorithm>
#include <cstdint>
#include "merge/merge_context.h"
#include "print/print_job.h"
#include "core/messages.h"
#include "core/text.h"
#include "merge/prompt_dialog.h"
#include "platform/ui.h"

namespace tevra {

PrintNumberDialog::PrintNumberDialog(int current, int start, bool autoCalc)
    : newNumber(std::to_string(current)), autoCalc(autoCalc), start_(start), current_(current) {}

void PrintNumberDialog::Revert() {
  const int shown = DecimalValue(newNumber);
  newNumber = std::to_string(shown == current_ && start_ != current_ ? start_ : current_);
}

bool PrintNumberDialog::RevertEnabled() const {
  const int shown = DecimalValue(newNumber);
  return !(shown == start_ && shown == current_);
}

void ApplyPrintNumber(const PrintNumberDialog& dialog, PrintTarget& doc, bool& printNoAuto) {
  int& printNo = doc.PrintNumber();
  printNo = std::clamp(DecimalValue(dialog.newNumber), 0, kPrintNoMax);
  if (doc.LogLoaded() && dialog.autoCalc && !printNoAuto)
    doc.UserInterface().ShowMessage(msg::kAutoPrintNumberNeedsReload, MessageIcon::Information);
  printNoAuto = dialog.autoCalc;
  doc.Merge().PrintNumberBase = printNo;
  doc.Redraw();
}

bool RegisterPrintMessages(Ui& ui, PromptHistory& messages) {
  PromptHistory edited = messages;
  PromptDialog dialog(PromptDialog::Mode::Register, "", edited, nullptr);
  if (!ui.RunPromptDialog(dialog)) return false;
  dialog.Accept();
  messages = edited;
  return true;
}

}  // namespace tevra
