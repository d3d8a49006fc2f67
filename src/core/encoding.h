// Conversion between the CP932 bytes that all data is kept in and the UTF-8
// used by messages and the terminal. Conversion happens only at the edges.
#pragma once

#include <string>
#include <string_view>

namespace tevra {

// CP932 -> UTF-8. A byte sequence that is not valid CP932 becomes U+FFFD.
std::string ToUnicode(std::string_view cp932);
// UTF-8 -> CP932. A character without a CP932 form (or invalid UTF-8)
// becomes "?".
std::string FromUnicode(std::string_view utf8);

}  // namespace tevra
