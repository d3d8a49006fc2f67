// The load condition ("LoadCond"): the hooks that let a log load keep only
// the QSOs for which a condition list holds.
#pragma once

#include <string>

#include "import/log_loader.h"
#include "merge/macro_expander.h"

namespace tevra {

class LoadConditionHooks : public LoadHooks {
 public:
  // condition: CP932; "TRUE" (or empty) keeps every QSO without evaluating.
  LoadConditionHooks(MacroExpander& expander, std::string condition)
      : expander_(expander), condition_(std::move(condition)) {}
  bool LoadConditionHolds(const QsoRecord& record) override {
    if (condition_.empty() || condition_ == "TRUE") return true;
    QsoRecord copy = record;  // a "%" condition may assign fields
    return expander_.EvaluateConditions(condition_, copy);
  }

 private:
  MacroExpander& expander_;
  std::string condition_;
};

}  // namespace tevra
