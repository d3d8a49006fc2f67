#include "import/text_encoding.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <memory>

#include "core/text.h"

namespace tevra {
namespace {

// The detector reads no more than this; it has made up its mind long before.
constexpr std::size_t kDetectorSample = 1 << 20;

std::string DetectorVerdict(std::string_view bytes) {
  std::unique_ptr<struct uchardet, void (*)(uchardet_t)> detector(uchardet_new(), &uchardet_delete);
  if (!detector) return {};
  const std::size_t length = std::min(bytes.size(), kDetectorSample);
  if (uchardet_handle_data(detector.get(), bytes.data(), length) != 0) return {};
  uchardet_data_end(detector.get());
  const char* charset = uchardet_get_charset(detector.get());
  return charset ? ToUpperAscii(charset) : std::string();
}

bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsCp932Trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool IsHalfWidthKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// What the non-ASCII bytes of a file say about it.
struct HighBytes {
  bool any = false;
  bool validCp932 = true;  // every byte where CP932 allows it
  // Signs of Japanese text: double-byte characters with a lead byte of the
  // kana and common kanji rows (0x81-0x9F, which Latin-1 text hardly ever
  // holds) or with a trail byte of 0x80 or more, and runs of half-width kana.
  std::size_t japanese = 0;
  // Signs of a European name: a Latin-1 letter (0xC0-0xFF) standing alone
  // between ASCII characters.
  std::size_t latin = 0;
  // Runs of high bytes that are valid UTF-8: no sign of anything else (a
  // UTF-8 field is read as UTF-8 whatever the file's encoding).
  std::size_t utf8 = 0;
};

HighBytes Survey(std::string_view bytes) {
  HighBytes s;
  const auto at = [&bytes](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
  std::size_t runEnd = 0;  // the end of the run of high bytes under way
  for (std::size_t i = 0; (i = NextNonAscii(bytes, i)) < bytes.size(); ++i) {
    const unsigned char b = at(i);
    s.any = true;
    if (i >= runEnd) {
      runEnd = i;
      while (runEnd < bytes.size() && at(runEnd) >= 0x80) ++runEnd;
      if (IsMultibyteUtf8(bytes.substr(i, runEnd - i))) {
        ++s.utf8;
        i = runEnd - 1;
        continue;
      }
    }
    if (b >= 0xC0 && (i == 0 || at(i - 1) < 0x80) && at(i + 1) < 0x80) ++s.latin;
    if (IsCp932Lead(b)) {
      if (i + 1 >= bytes.size() || !IsCp932Trail(at(i + 1))) {
        s.validCp932 = false;
        continue;
      }
      if (b <= 0x9F || at(i + 1) >= 0x80) ++s.japanese;
      ++i;  // the trail byte
    } else if (IsHalfWidthKana(b)) {
      if (IsHalfWidthKana(at(i + 1))) ++s.japanese;
    } else {
      s.validCp932 = false;  // 0x80, 0xA0 and 0xFD-0xFF start no CP932 character
    }
  }
  return s;
}

bool IsLatinCharset(std::string_view charset) {
  return charset.starts_with("ISO-8859") || charset.starts_with("WINDOWS-125") || charset.starts_with("IBM8") ||
         charset.starts_with("MAC-") || charset == "ASCII";
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return TextEncoding::Utf8;
  const HighBytes high = Survey(bytes);
  if (!high.any) return TextEncoding::Cp932;
  if (IsMultibyteUtf8(bytes)) return TextEncoding::Utf8;
  // UTF-8 beside other high bytes: the UTF-8 fields are read as such in
  // any case, and the rest are Japanese pairs and runs or Latin-1 letters.
  if (high.utf8 > 0)
    return high.validCp932 && high.japanese > high.latin ? TextEncoding::Cp932 : TextEncoding::Latin1;
  const std::string verdict = DetectorVerdict(bytes);
  if (verdict == "SHIFT_JIS" || verdict == "CP932" || verdict == "WINDOWS-31J") return TextEncoding::Cp932;
  // UTF-8 with a few stray bytes: its UTF-8 fields are read as UTF-8 in any
  // case, and the stray bytes are most likely Latin-1 typed by hand.
  if (verdict == "UTF-8") return TextEncoding::Latin1;
  // The detector is unsure on the few non-ASCII bytes a log holds (it takes
  // a handful of kanji for Windows-1252), so the shape of those bytes
  // decides: Japanese text comes in pairs and runs that CP932 allows,
  // European names carry one accented letter at a time.
  if (!high.validCp932 || high.latin > high.japanese) return TextEncoding::Latin1;
  if (high.japanese > 0) return TextEncoding::Cp932;
  return IsLatinCharset(verdict) ? TextEncoding::Latin1 : TextEncoding::Cp932;
}

bool ParseEncodingName(std::string_view name, std::optional<TextEncoding>& encoding) {
  const std::string n = ToUpperAscii(name);
  if (n == "AUTO" || n.empty()) encoding = std::nullopt;
  else if (n == "UTF-8" || n == "UTF8") encoding = TextEncoding::Utf8;
  else if (n == "CP932" || n == "SHIFT_JIS" || n == "SJIS" || n == "SHIFT-JIS") encoding = TextEncoding::Cp932;
  else if (n == "LATIN1" || n == "LATIN-1" || n == "ISO-8859-1" || n == "WINDOWS-1252" || n == "CP1252")
    encoding = TextEncoding::Latin1;
  else return false;
  return true;
}

std::string_view EncodingName(std::optional<TextEncoding> encoding) {
  if (!encoding) return "auto";
  switch (*encoding) {
    case TextEncoding::Utf8: return "utf-8";
    case TextEncoding::Cp932: return "cp932";
    case TextEncoding::Latin1: return "latin1";
  }
  return "auto";
}

}  // namespace tevra
