// "PartMark": the merge value whose change starts a new card.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tevra {

class MacroExpander;
struct QsoRecord;

// The merge variable names a part mark may be.
std::span<const std::string_view> PartMarkNames();

// What the expansion of a part mark is for one QSO: a merge variable's
// value, or for a text with "%" that is not a variable name, the text
// expanded as a card line.
std::string ExpandPartMark(MacroExpander& expander, std::string_view partMark, const QsoRecord& record);

}  // namespace tevra
