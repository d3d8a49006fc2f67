// Backslash escapes of the merge language, shared by the expander and the
// capture-pattern matcher.
#pragma once

#include <string>
#include <string_view>

namespace tevra {

// text starts at a backslash. Appends the bytes the escape stands for to
// out and returns how many bytes of text it used:
//   "\\\\"      one backslash
//   "\\xHH"     the byte of hexadecimal HH (fewer digits at the end of text)
//   "\\A".."\\_" the control character (c - 64): "\\M" CR, "\\J" LF
//   "\\" + any other character: both stay; a lone "\\" at the end stays.
std::size_t DecodeEscape(std::string_view text, std::string& out);

}  // namespace tevra
