#include "core/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace tevra {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts input; each undecodable byte is skipped and replaced by
  // `replacement`.
  std::string Run(std::string_view input, std::string_view replacement, bool utf8Input) {
    std::string out;
    if (!ok()) return std::string(input);
    out.reserve(input.size() * 3 / 2 + 8);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      std::size_t r = iconv(cd_, &in, &inLeft, &dst, &dstLeft);
      out.append(buffer, dst - buffer);
      if (r != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): skip one byte.
      out.append(replacement);
      ++in;
      --inLeft;
      // A UTF-8 character is replaced whole, not byte by byte.
      while (utf8Input && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
        ++in;
        --inLeft;
      }
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string ToUnicode(std::string_view cp932) {
  for (char c : cp932)
    if (static_cast<unsigned char>(c) >= 0x80) {
      Converter conv("UTF-8", "CP932");
      return conv.Run(cp932, "\xEF\xBF\xBD", false);
    }
  return std::string(cp932);  // plain ASCII needs no conversion
}

std::string FromUnicode(std::string_view utf8) {
  for (char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x80) {
      Converter conv("CP932", "UTF-8");
      return conv.Run(utf8, "?", true);
    }
  return std::string(utf8);
}

}  // namespace tevra
