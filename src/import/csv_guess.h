// Guessing conversion formulas from a sample record and field names.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/column_keywords.h"

namespace tevra {

// Formulas for 32 columns. sample holds the sample record's column texts,
// fieldNames the source's field names (empty for plain CSV text).
std::array<std::string, kColumnSlots> GuessFormulas(const std::vector<std::string>& sample,
                                                    const std::vector<std::string>& fieldNames);

// The names of a header line's columns that the guess knows (DATE, CALL,
// RST_SENT, 日付, ...); empty for the others, which would otherwise travel
// as tagged remark items.
std::vector<std::string> KnownFieldNames(const std::vector<std::string>& header);

// Whether a guessing pattern matches the start of text: "#" a digit, "!"
// 0..5, "$" 0..2, "&" 1..9, "_" blanks, "%u" digits, "%m" a month name, "%c"
// a call, "%f" a known frequency, "%d" a band in metres, "%b" a
// frequency-like text, "%k" Japanese text; anything else itself, ignoring
// case.
bool GuessPatternMatches(std::string_view pattern, std::string_view text);

}  // namespace tevra
