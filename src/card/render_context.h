// What items consult while they draw: the merge language (which holds the
// card's QSOs), the document's common tables, and how the surface is used.
#pragma once

#include "merge/macro_expander.h"
#include "merge/tables.h"

namespace tevra {

struct RenderContext {
  MacroExpander& expander;
  const DocumentTables* tables = nullptr;
  // A printer page of a real print (not a preview).
  bool printing = false;
  // "InvRotFont": the printer rotates text the other way.
  bool invertedRotation = false;

  bool LogLoaded() const { return expander.Context().CardQsos != nullptr; }
  QsoRecord* FirstQso() const { return expander.Context().CardQsos; }
  const ConditionTable* CommonTable(int n) const {
    return tables && n >= 1 && n <= 10 ? &tables->Common[static_cast<std::size_t>(n - 1)] : nullptr;
  }
};

}  // namespace tevra
