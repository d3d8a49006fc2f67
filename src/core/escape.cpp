#include "core/escape.h"

#include "core/text.h"

namespace tevra {

std::size_t DecodeEscape(std::string_view text, std::string& out) {
  if (text.size() < 2) {
    out.append(text.substr(0, 1));
    return text.empty() ? 0 : 1;
  }
  const char c = text[1];
  if (c == '\\') {
    out.push_back('\\');
    return 2;
  }
  if (c == 'x') {
    std::string_view digits = text.substr(2, 2);
    out.push_back(static_cast<char>(HexValue(digits) & 0xFF));
    return 2 + digits.size();
  }
  if (c >= 'A' && c <= '_') {
    out.push_back(static_cast<char>(c - 64));
    return 2;
  }
  const std::size_t len = 1 + CharLength(text, 1);
  out.append(text.substr(0, len));
  return len;
}

}  // namespace tevra
