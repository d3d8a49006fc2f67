#include "merge/part_mark.h"

#include <algorithm>

#include "merge/macro_expander.h"

namespace tevra {
namespace {

constexpr std::string_view kPartMarkNames[] = {
    "ToCall", "ViaCall", "ViaENT", "JST/UTC", "Band", "Freq", "mBand", "Mode", "RST", "RST_R", "RST_S",
    "RST_T", "Dear", "DearF", "Name", "QTH", "Power", "RIG", "ANT", "'YY", "YY", "MM", "DD", "MON", "Mon.",
    "YYYY", "YY/MM/DD", "YY/DD/MM", "DD/MM/YY", "MM/DD", "DD MON", "DD MON 'YY", "DD Mon.", "DD Mon. 'YY",
    "DD Mon. YYYY", "Mon. DD", "'YY Mon. DD", "YYYY Mon. DD", "HH:mm", "HHmm", "HH", "mm", "PSE/TNX",
    "PSE QSL", "TNX QSL", "TNX/NO", "UR", "$QSL$", "~QSL~", "^QSL^", "%QSL%", "MAC(...)", "L2(...)", "Via_1",
    "Via_2", "Via_3", "Via_4", "Via_5", "Via_6", "Via_7", "Via_8", "Via_9", "Table",
};

}  // namespace

std::span<const std::string_view> PartMarkNames() { return kPartMarkNames; }

std::string ExpandPartMark(MacroExpander& expander, std::string_view partMark, const QsoRecord& record) {
  QsoRecord copy = record;  // an assignment in the text must not reach the store
  const auto names = PartMarkNames();
  const bool isName = std::find(names.begin(), names.end(), partMark) != names.end();
  if (!isName && partMark.find('%') != std::string_view::npos) return expander.ExpandLine(partMark, copy);
  return expander.LookupVariable(partMark, copy);
}

}  // namespace tevra
