// The print number dialog ("印刷番号") as a model, and the message register
// ("メッセージを登録").
#pragma once

#include <string>
#include <string_view>
#include "core/translatable.h"

namespace tevra {

class PrintTarget;
class Ui;
class PromptHistory;

class PrintNumberDialog {
 public:
  static constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Tevra", "印刷番号");

  // current: "PrintNo" now; start: as read at start-up; autoCalc: "PrintNoAuto".
  PrintNumberDialog(int current, int start, bool autoCalc);

  int StartNumber() const { return start_; }      // "起動時の印刷番号"
  int CurrentNumber() const { return current_; }  // "現在の印刷番号"
  // "戻す": from the current number to the start number, else back to the
  // current number.
  void Revert();
  bool RevertEnabled() const;

  std::string newNumber;  // "新しい印刷番号" (the edit field's text)
  bool autoCalc = true;   // "ログ読み込み時に自動計算"

 private:
  int start_;
  int current_;
};

// OK: the new number and the automatic calculation; says that a reload is
// needed when the calculation was just switched on with a log loaded.
// printNoAuto: the "PrintNoAuto" option.
void ApplyPrintNumber(const PrintNumberDialog& dialog, PrintTarget& doc, bool& printNoAuto);

// "印刷メッセージの登録...": the prompt dialog in its registration mode;
// the registered messages change only when it is closed with OK.
bool RegisterPrintMessages(Ui& ui, PromptHistory& messages);

}  // namespace tevra
