#include "core/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tevra {

namespace {

// Plain letters for U+00C0..U+017F, in order, separated by blanks.
constexpr std::string_view kLatinLetters =
    "A A A A A A AE C E E E E I I I I D N O O O O O x O U U U U Y TH ss "
    "a a a a a a ae c e e e e i i i i d n o o o o o / o u u u u y th y "
    "A a A a A a C c C c C c C c D d D d E e E e E e E e E e G g G g "
    "G g G g H h H h I i I i I i I i I i IJ ij J j K k k L l L l L l L "
    "l L l N n N n N n n N n O o O o O o OE oe R r R r R r S s S s S s "
    "S s T t T t T t U u U u U u U u U u U u W w Y y Y Z z Z z Z z s";

std::string_view NthWord(std::string_view words, std::size_t n) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i) {
    start = words.find(' ', start);
    if (start == std::string_view::npos) return {};
    ++start;
  }
  const std::size_t end = words.find(' ', start);
  return words.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// Decodes one UTF-8 character at text[at]; its length in len (0: invalid).
char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& len) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  len = 0;
  std::size_t n = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    len = 1;
    return lead;
  }
  if (lead >= 0xC2 && lead <= 0xDF) n = 2, c = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) n = 3, c = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) n = 4, c = lead & 0x07;
  else return 0;
  if (at + n > text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(k) & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  len = n;
  return c;
}

}  // namespace

std::string_view Transliteration(char32_t c) {
  if (c >= 0xC0 && c <= 0x17F) return NthWord(kLatinLetters, c - 0xC0);
  switch (c) {
    case 0xA0: return " ";
    case 0xA1: return "!";
    case 0xA9: return "(C)";
    case 0xAA: return "a";
    case 0xAB: return "<<";
    case 0xAE: return "(R)";
    case 0xBA: return "o";
    case 0xBB: return ">>";
    case 0xBF: return "?";
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: return "-";
    case 0x2018: case 0x2019: case 0x201A: case 0x2032: return "'";
    case 0x201C: case 0x201D: case 0x201E: case 0x2033: return "\"";
    case 0x2026: return "...";
    case 0x20AC: return "EUR";
    default: return {};
  }
}

std::string Latin1ToUtf8(std::string_view latin1) {
  // What Windows-1252 puts in 0x80-0x9F; 0 where it has nothing.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  out.reserve(latin1.size() + latin1.size() / 4);
  for (const char ch : latin1) {
    const auto b = static_cast<unsigned char>(ch);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::size_t NextNonAscii(std::string_view text, std::size_t from) {
  std::size_t i = from;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

bool IsMultibyteUtf8(std::string_view text) {
  bool multi = false;
  for (std::size_t i = 0; (i = NextNonAscii(text, i)) < text.size();) {
    std::size_t len = 0;
    DecodeUtf8(text, i, len);
    if (len == 0) return false;
    multi = multi || len > 1;
    i += len;
  }
  return multi;
}

std::string FieldToCp932(std::string_view field, TextEncoding fileEncoding) {
  if (NextNonAscii(field, 0) == field.size()) return std::string(field);
  if (fileEncoding == TextEncoding::Utf8 || IsMultibyteUtf8(field)) return FromUnicode(field);
  if (fileEncoding == TextEncoding::Latin1) return FromUnicode(Latin1ToUtf8(field));
  return std::string(field);
}

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
      // EILSEQ or EINVAL (truncated sequence at the end): a character
      // without a form in the target set gets its plain stand-in when it
      // has one; otherwise the replacement, skipping one byte.
      if (utf8Input) {
        std::size_t len = 0;
        const char32_t c = DecodeUtf8(std::string_view(in, inLeft), 0, len);
        const std::string_view plain = len > 0 ? Transliteration(c) : std::string_view();
        if (!plain.empty()) {
          out.append(plain);
          in += len;
          inLeft -= len;
          iconv(cd_, nullptr, nullptr, nullptr, nullptr);
          continue;
        }
      }
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
