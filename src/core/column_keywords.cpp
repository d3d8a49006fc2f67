#include "core/column_keywords.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/band.h"
#include "core/date_time.h"
#include "core/escape.h"
#include "core/text.h"

namespace tevra {
namespace {

using u8 = std::uint8_t;

// Conversion characters of capture patterns.
constexpr std::string_view kPatternConversions = "CUblOAapqxPNQLSRVymodhiBgFTfkWYstuvwzDEKMcn";
constexpr std::size_t kSpecMax = 14;

std::string TrimmedValue(std::string_view value) {
  if (value.starts_with(' ')) value = SkipBlanks(value);
  std::string out(value);
  TrimRight(out);
  return out;
}

// Reads up to maxDigits digits after optional blanks, as "%2u" does.
bool ScanDigits(std::string_view& text, unsigned maxDigits, unsigned& value) {
  text = SkipBlanks(text);
  unsigned n = 0;
  value = 0;
  while (n < maxDigits && n < text.size() && text[n] >= '0' && text[n] <= '9') value = value * 10 + (text[n++] - '0');
  text.remove_prefix(n);
  return n > 0;
}

std::string WithoutSpaces(std::string_view text) {
  std::string out(text);
  RemoveChar(out, ' ');
  return out;
}

// Stores a captured value; false when the conversion fails.
bool StoreValue(QsoRecord& r, char conversion, const std::string& value, bool& zuluTime) {
  unsigned v[3] = {};
  switch (conversion) {
    case 'C': SetField(r.Call, value); break;
    case 'U': case 'b': case 'l': SetField(r.RstSent, value); break;
    case 'O': SetField(r.Mode, value); break;
    case 'A': case 'a': case 'p': case 'q': SetField(r.Freq, value); break;
    case 'x': SetField(r.Freq, MhzBandOfMetres(value)); break;
    case 'P': SetField(r.Power, value); break;
    case 'N': SetField(r.Name, value); break;
    case 'Q': SetField(r.Qth, value); break;
    case 'L': SetField(r.Remarks, value); break;
    case 'S': r.QslSent = value.empty() ? '\0' : value[0]; break;
    case 'R': r.QslRcvd = value.empty() ? '\0' : value[0]; break;
    case 'V': r.Env = DecimalValue(value); break;
    case 'y': r.Year = static_cast<u8>(static_cast<unsigned>(DecimalValue(value)) % 100); break;
    case 'm': r.Month = static_cast<u8>(MonthFromName(value)); break;
    case 'o': r.Month = static_cast<u8>(MonthFromName(WithoutSpaces(value))); break;
    case 'd': r.Day = static_cast<u8>(DecimalValue(value)); break;
    case 'h': r.Hour = static_cast<u8>(DecimalValue(value)); break;
    case 'i': r.Minute = static_cast<u8>(DecimalValue(value)); break;
    case 'B':
    case 'g': {
      std::string_view text = value;
      if (!ScanUnsigned(text, v[0])) return false;
      r.Hour = static_cast<u8>(v[0] / 100);
      r.Minute = static_cast<u8>(v[0] % 100);
      const char last = LastChar(value);
      if (last == 'Z' || last == 'z') zuluTime = true;
      break;
    }
    case 'F':
      if (ScanNumbers(value, ".", v, 2) != 2) return false;
      r.Month = static_cast<u8>(v[0]);
      r.Day = static_cast<u8>(v[1]);
      break;
    case 'T':
      if (ScanNumbers(value, "..", v, 3) != 3) return false;
      r.Year = static_cast<u8>(v[0] % 100);
      r.Month = static_cast<u8>(v[1]);
      r.Day = static_cast<u8>(v[2]);
      break;
    case 'f': {
      std::string_view text = value;
      for (unsigned& part : v)
        if (!ScanDigits(text, 2, part)) return false;
      r.Year = static_cast<u8>(v[0] % 100);
      r.Month = static_cast<u8>(v[1]);
      r.Day = static_cast<u8>(v[2]);
      break;
    }
    default: break;  // read and discarded
  }
  return true;
}

// Width of a specification such as "-8" or "12": its first two characters
// after an optional "-" when they start with a digit; -1 without a width.
int SpecWidth(std::string_view spec) {
  if (spec.starts_with('-')) spec.remove_prefix(1);
  if (spec.empty() || spec[0] < '0' || spec[0] > '9') return -1;
  return DecimalValue(spec, 2);
}

// Byte count of the first `width` bytes of text, widened so that a
// double-byte character is never split.
std::size_t WholeChars(std::string_view text, std::size_t width) {
  std::size_t end = 0;
  while (end < text.size() && end < width) end += CharLength(text, end);
  return end;
}

// The text position of the first occurrence of the single byte c, scanning
// character by character; the end when there is none.
std::size_t FindChar(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
    if (text[i] == c) return i;
  return text.size();
}

}  // namespace

int ColumnCount(const std::array<std::string, kColumnSlots>& columns) {
  for (int i = kColumnSlots; i > 0; --i)
    if (columns[i - 1] != kUnusedColumn) return i;
  return 0;
}

bool ParseByPattern(QsoRecord& r, std::string_view text, std::string_view pattern) {
  std::size_t i = 0;  // pattern position
  std::size_t j = 0;  // text position
  bool zuluTime = false;
  while (i < pattern.size() && j < text.size()) {
    const char pc = pattern[i];
    if (pc == '\\') {
      std::string bytes;
      i += DecodeEscape(pattern.substr(i), bytes);
      if (text.substr(j, bytes.size()) != bytes) return false;
      j += bytes.size();
      continue;
    }
    if (pc != '%') {
      const std::size_t len = CharLength(pattern, i);
      if (text.substr(j, len) != pattern.substr(i, len)) return false;
      i += len;
      j += len;
      continue;
    }
    // A conversion: gather the specification up to the conversion character.
    ++i;
    std::string spec;
    bool literalPercent = false;
    while (i < pattern.size() && kPatternConversions.find(pattern[i]) == std::string_view::npos) {
      if (pattern[i] == '%') {
        literalPercent = true;
        break;
      }
      if (spec.size() < kSpecMax) spec.push_back(pattern[i]);
      ++i;
    }
    if (literalPercent) {
      if (text[j] != '%') return false;
      ++i;
      ++j;
      continue;
    }
    if (i >= pattern.size()) break;  // the pattern ended inside a conversion
    const char conversion = pattern[i++];

    if (conversion == 'k') {
      const std::string_view call = text.substr(j, 7);
      const std::string_view portable = text.substr(j + call.size(), 3);
      std::string value = WithoutSpaces(call);
      if (std::string p = WithoutSpaces(portable); !p.empty()) value += "/" + p;
      SetField(r.Call, value);
      j += call.size() + portable.size();
      continue;
    }
    if (std::string_view("DEKMcn").find(conversion) != std::string_view::npos) continue;
    if (conversion == 'o' && i < pattern.size()) ++i;  // the 0 or 1 of the output form

    // The next pattern character delimits a value without a width.
    const bool hasNext = i < pattern.size();
    char delimiter = hasNext ? pattern[i] : '\0';
    if (hasNext && delimiter == '\\') {
      std::string bytes;
      DecodeEscape(pattern.substr(i), bytes);
      delimiter = bytes.empty() ? '\0' : bytes[0];
    }
    const std::string_view rest = text.substr(j);
    std::string_view value;
    if (const int width = SpecWidth(spec); width >= 0) {
      value = rest.substr(0, WholeChars(rest, static_cast<std::size_t>(width)));
      j += value.size();
      if (hasNext && pattern[i] != '%' && pattern[i] != '\\') j += FindChar(text.substr(j), pattern[i]);
    } else {
      value = hasNext ? rest.substr(0, FindChar(rest, delimiter)) : rest;
      j += value.size();
    }
    if (!StoreValue(r, conversion, TrimmedValue(value), zuluTime)) return false;
  }
  if (zuluTime && HasReadableDate(r) && HasReadableTime(r)) ShiftToJst(r);
  return true;
}

void ParseRecordLine(QsoRecord& r, std::string_view lineIn, int columnCount, const RecordLayout& layout,
                     QsoRecord& defaultRecord) {
  std::string line(lineIn);
  if (layout.separatorType < 4) NormaliseSeparators(line, layout.separatorType);
  r = defaultRecord;
  bool zoneUtc = layout.utc;
  std::string_view rest = line;
  const int count = std::min(columnCount, kColumnSlots);
  for (int c = 0; c < count && !rest.empty(); ++c) {
    const std::string_view keyword = layout.columns[c];
    std::string_view field = SplitField(rest, kFieldSeparator);
    if (!(keyword.starts_with('%') && layout.separatorType == 0)) field = SkipBlanks(field);
    field = TrimRight(field);

    if (ApplyDateTimeKeyword(keyword, field, r, zoneUtc)) continue;
    if (keyword == "CALL") {
      if (field.empty()) continue;
      std::string call(FieldText(r.Call));
      call = call.empty() ? ToUpperAscii(field) : call + "/" + ToUpperAscii(field);
      SetField(r.Call, call);
    } else if (keyword == "RST") {
      SetField(r.RstSent, field);
    } else if (keyword == "MODE") {
      SetField(r.Mode, ToUpperAscii(field));
    } else if (keyword == "FREQ") {
      std::string freq = ToUpperAscii(PrefixOfChars(field, 31));
      if (auto mhz = freq.find("MHZ"); mhz != std::string::npos) freq.resize(mhz);
      TrimRight(freq);
      SetField(r.Freq, freq);
    } else if (keyword == "KHz") {
      const std::string number(PrefixOfChars(field, 31));
      char* end = nullptr;
      const double kHz = std::strtod(number.c_str(), &end);
      if (end != number.c_str()) {
        char text[64];
        std::snprintf(text, sizeof text, "%.3f", kHz * 0.001);
        SetField(r.Freq, text);
      }
    } else if (keyword == "POWER") {
      SetField(r.Power, field);
    } else if (keyword == "NAME") {
      SetField(r.Name, field);
    } else if (keyword == "QTH") {
      SetField(r.Qth, field);
    } else if (keyword == "QSL") {
      SetField(r.Remarks, field);
    } else if (keyword == "SEND") {
      r.QslSent = field.empty() ? '\0' : field[0];
    } else if (keyword == "RECV") {
      r.QslRcvd = field.empty() ? '\0' : field[0];
    } else if (keyword == "ENV") {
      unsigned env = 0;
      std::string_view text = field;
      if (ScanUnsigned(text, env)) r.Env = static_cast<std::int32_t>(env);
    } else if (keyword == "ADDQSL") {
      std::string remarks(FieldText(r.Remarks));
      if (!remarks.empty()) remarks.push_back(' ');
      remarks.append(field);
      SetField(r.Remarks, remarks);
    } else if (keyword.size() >= 4 && keyword.starts_with("QSL") && ClosingBracketOf(keyword[3]) != 0) {
      if (field.empty()) continue;
      const char open = keyword[3];
      const char close = ClosingBracketOf(open);
      std::string key;
      CopyUntil(key, std::string_view(keyword).substr(4), close);
      std::string remarks(FieldText(r.Remarks));
      AppendTaggedItem(key, remarks, field, open, close);
      SetField(r.Remarks, remarks);
    } else if (keyword.starts_with("mBAND")) {
      SetField(r.Freq, MhzBandOfMetres(field));
    } else {
      ParseByPattern(r, field, keyword);
    }
  }
  defaultRecord.Year = r.Year;
  defaultRecord.Month = r.Month;
  defaultRecord.Day = r.Day;
  if (zoneUtc && HasReadableDate(r) && HasReadableTime(r)) ShiftToJst(r);
}

}  // namespace tevra
