#include "core/text.h"

#include <array>

#include <sys/statvfs.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace tevra {
namespace {

constexpr std::string_view kWordDelimiters = " !\"#$%&'()*+,-./:;<=>?[]\t\xA2\xA3";
constexpr std::string_view kTagSeparators = " ,./;:*\t";
// Characters that make a bracket key when doubled ("$$", "~~", ...).
constexpr std::string_view kDoubledKeyChars = "'\"!#$%&/|\\^~_*+=-";

bool Contains(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

// The separators as a table: the tag scans ask for every byte of a remark.
constexpr std::array<bool, 256> kIsTagSeparator = [] {
  std::array<bool, 256> table{};
  for (const char c : kTagSeparators) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

// Appends one character (1 or 2 bytes) while dst stays within n bytes.
void AppendBounded(std::string& dst, std::string_view unit, std::size_t n) {
  if (dst.size() + unit.size() <= n) dst.append(unit);
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Compares key with text at pos without regard to the case of ASCII letters;
// double-byte characters must match exactly.
bool MatchesKeyAt(std::string_view text, std::size_t pos, std::string_view key) {
  if (text.size() - pos < key.size()) return false;
  for (std::size_t k = 0; k < key.size();) {
    std::size_t len = CharLength(key, k);
    if (len == 2) {
      if (text.compare(pos + k, 2, key.substr(k, 2)) != 0) return false;
    } else if (AsciiLower(text[pos + k]) != AsciiLower(key[k])) {
      return false;
    }
    k += len;
  }
  return true;
}

struct TaggedMatch {
  std::string value;
  std::size_t itemStart;  // first byte to remove
  std::size_t itemEnd;    // one past the closing character
};

bool IsBracketKey(std::string_view key) {
  if (key.size() != 2) return false;
  if (key == "()" || key == "[]" || key == "<>" || key == "{}" || key == "\xA2\xA3") return true;
  return key[0] == key[1] && Contains(kDoubledKeyChars, key[0]);
}

std::optional<TaggedMatch> FindTagged(std::string_view text, std::string_view key) {
  if (key.empty()) return std::nullopt;
  if (IsBracketKey(key)) {
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
      if (CharLength(text, i) != 1 || text[i] != key[0]) continue;
      std::string value;
      auto rest = CopyToClose(value, text.substr(i + 1), key[1], kTaggedValueMax);
      if (rest) return TaggedMatch{std::move(value), i, text.size() - rest->size()};
    }
    return std::nullopt;
  }
  // An item needs an opening bracket after its key: most remarks hold none.
  // (One scan per bracket: find_first_of would look up the set for every byte.)
  bool bracket = false;
  for (const char open : {'[', '{', '(', '<', kCornerOpen})
    if (text.find(open) != std::string_view::npos) {
      bracket = true;
      break;
    }
  if (!bracket) return std::nullopt;
  bool separatorBefore = true;  // the start of the text counts as a separator
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = CharLength(text, i);
    bool candidate = separatorBefore && !(key.size() == 1 && len == 2);
    if (candidate && MatchesKeyAt(text, i, key) && i + key.size() < text.size()) {
      char open = text[i + key.size()];
      char close = ClosingBracketOf(open);
      if (close != 0) {
        std::string value;
        auto rest = CopyToClose(value, text.substr(i + key.size() + 1), close, kTaggedValueMax);
        if (rest) {
          std::size_t start = (i > 0 && text[i - 1] == ' ') ? i - 1 : i;
          return TaggedMatch{std::move(value), start, text.size() - rest->size()};
        }
      }
    }
    separatorBefore = len == 1 && kIsTagSeparator[static_cast<unsigned char>(text[i])];
    i += len;
  }
  return std::nullopt;
}

}  // namespace

std::string_view PrefixOfChars(std::string_view text, std::size_t n) {
  if (text.size() <= n) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t len = CharLength(text, end);
    if (end + len > n) break;
    end += len;
  }
  return text.substr(0, end);
}

void UpperCaseAscii(std::string& text) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  UpperCaseAscii(out);
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && MatchesKeyAt(text, 0, prefix);
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsWithNoCase(a, b); }

bool IsWordDelimiter(char c) { return Contains(kWordDelimiters, c); }
bool IsTagSeparator(char c) { return kIsTagSeparator[static_cast<unsigned char>(c)]; }

char ClosingBracketOf(char open) {
  switch (open) {
    case '[': return ']';
    case '{': return '}';
    case '(': return ')';
    case kCornerOpen: return kCornerClose;
    case '<': return '>';
    default: return 0;
  }
}

char OpeningBracketOf(char close) {
  switch (close) {
    case ']': return '[';
    case '}': return '{';
    case ')': return '(';
    case kCornerClose: return kCornerOpen;
    case '>': return '<';
    default: return 0;
  }
}

bool IsAllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

void CutAtLineEnd(std::string& text) {
  auto p = text.find_first_of("\r\n");
  if (p != std::string::npos) text.resize(p);
}

void CopyToBuffer(std::string_view text, char* buffer, std::size_t size) {
  if (!buffer || size == 0) return;
  const std::string_view whole = PrefixOfChars(text, size - 1);
  std::memcpy(buffer, whole.data(), whole.size());
  buffer[whole.size()] = '\0';
}

std::string CopyBounded(std::string_view src, std::size_t n) {
  return std::string(src.substr(0, n));
}

char LastChar(std::string_view text) { return text.empty() ? '\0' : text.back(); }

namespace {
// Position of the last "." at index 1 or later (the first byte is never
// looked at), or npos. Path separators do not stop the search.
std::size_t ExtensionDot(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 1;)
    if (path[i] == '.') return i;
  return std::string_view::npos;
}
}  // namespace

void ReplaceExtension(std::string& path, std::string_view newExtension) {
  auto dot = ExtensionDot(path);
  if (dot != std::string::npos) path.resize(dot);
  path.append(newExtension);
}

std::string_view ExtensionOf(std::string_view path) {
  auto dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}

namespace {
std::string_view Limit(std::string_view text, int n) {
  return (n >= 0 && static_cast<std::size_t>(n) < text.size()) ? text.substr(0, n) : text;
}
}  // namespace

int DecimalValue(std::string_view text, int n) {
  unsigned value = 0;  // unsigned: long inputs wrap instead of overflowing
  for (char c : Limit(text, n)) value = value * 10 + (static_cast<unsigned char>(c) & 0x0F);
  return static_cast<int>(value);
}

int HexValue(std::string_view text, int n) {
  unsigned value = 0;
  for (char c : Limit(text, n)) {
    value = value * 16 + (static_cast<unsigned char>(c) & 0x0F);
    if (static_cast<unsigned char>(c) >= 'A') value += 9;
  }
  return static_cast<int>(value);
}

void RemoveChar(std::string& text, char c) { std::erase(text, c); }

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string_view TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

void TrimRight(std::string& text) { text.resize(TrimRight(std::string_view(text)).size()); }

std::string_view SkipBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

void ReplaceChar(std::string& text, char from, char to) {
  for (char& c : text)
    if (c == from) c = to;
}

std::string_view SkipApostrophe(std::string_view text) {
  if (text.starts_with('\'')) return text.substr(1);
  if (text.starts_with("\x81\x65")) return text.substr(2);  // full-width left single quote
  return text;
}

unsigned FreeKilobytesOf(const char* directory) {
  struct statvfs st {};
  if (directory == nullptr || statvfs(directory, &st) != 0) return 10240;
  unsigned long long blockSize = st.f_frsize ? st.f_frsize : st.f_bsize;
  unsigned long long blocks = st.f_bavail;
  unsigned long long kb = blockSize >= 1024 ? blocks * (blockSize / 1024) : blocks / (1024 / (blockSize ? blockSize : 1));
  return kb > UINT_MAX ? UINT_MAX : static_cast<unsigned>(kb);
}

unsigned TempFreeKilobytes() {
  const char* tmp = std::getenv("TMPDIR");
  return FreeKilobytesOf(tmp && *tmp ? tmp : "/tmp");
}

bool ScanUnsigned(std::string_view& text, unsigned& value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i == text.size() || text[i] < '0' || text[i] > '9') return false;
  value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = value * 10 + static_cast<unsigned>(text[i++] - '0');
  text.remove_prefix(i);
  return true;
}

unsigned LeadingNumber(std::string_view text) {
  unsigned value = 0;
  return ScanUnsigned(text, value) ? value : 0;
}

int ScanNumbers(std::string_view text, std::string_view separators, unsigned* values, int count) {
  int read = 0;
  for (; read < count; ++read) {
    if (read > 0) {
      const char sep = separators[static_cast<std::size_t>(read - 1)];
      if (sep == ' ') {
        text = SkipBlanks(text);
      } else {
        if (!text.starts_with(sep)) break;
        text.remove_prefix(1);
      }
    }
    if (!ScanUnsigned(text, values[read])) break;
  }
  return read;
}

std::string_view CopyWord(std::string& dst, std::string_view src) {
  dst.clear();
  for (std::size_t i = 0; i < src.size();) {
    std::size_t len = CharLength(src, i);
    if (len == 1 && IsWordDelimiter(src[i])) return src.substr(i + 1);
    dst.append(src.substr(i, len));
    i += len;
  }
  return src.substr(src.size());
}

std::string_view CopyUntil(std::string& dst, std::string_view src, char c) {
  dst.clear();
  for (std::size_t i = 0; i < src.size();) {
    std::size_t len = CharLength(src, i);
    if (len == 1 && src[i] == c) return src.substr(i + 1);
    dst.append(src.substr(i, len));
    i += len;
  }
  return src.substr(src.size());
}

std::optional<std::string_view> CopyToClose(std::string& dst, std::string_view src, char close,
                                            std::size_t n) {
  dst.clear();
  const char open = OpeningBracketOf(close);
  int depth = 0;
  for (std::size_t i = 0; i < src.size();) {
    std::size_t len = CharLength(src, i);
    if (len == 1) {
      char c = src[i];
      if (open != 0 && c == open) {
        ++depth;
      } else if (c == close) {
        if (depth == 0) return src.substr(i + 1);
        --depth;
      }
    }
    AppendBounded(dst, src.substr(i, len), n);
    i += len;
  }
  return std::nullopt;
}

std::optional<std::string_view> SplitOutsideBrackets(std::string& dst, std::string_view src,
                                                     char sep, std::size_t n) {
  dst.clear();
  int depth = 0;
  char awaited = 0;  // closing partner of the most recent opening bracket
  for (std::size_t i = 0; i < src.size();) {
    std::size_t len = CharLength(src, i);
    if (len == 1) {
      char c = src[i];
      if (char partner = ClosingBracketOf(c); partner != 0) {
        ++depth;
        awaited = partner;
      } else if (depth > 0 && awaited != 0 && c == awaited) {
        --depth;
        awaited = 0;
      } else if (depth == 0 && c == sep) {
        return src.substr(i + 1);
      }
    }
    AppendBounded(dst, src.substr(i, len), n);
    i += len;
  }
  return std::nullopt;
}

std::string_view CopyCallToken(std::string& dst, std::string_view src) {
  dst.clear();
  for (std::size_t i = 0; i < src.size(); ++i) {
    char c = src[i];
    if (IsAsciiAlnum(c) || c == '/' || c == '-') {
      dst.push_back(c);
      continue;
    }
    return src.substr(i + CharLength(src, i));
  }
  return src.substr(src.size());
}

std::string_view SplitField(std::string_view& text, char sep) {
  std::size_t i = 0;
  bool quoted = false;
  while (i < text.size()) {
    std::size_t len = CharLength(text, i);
    if (len == 1) {
      if (text[i] == '"') {
        quoted = !quoted;
      } else if (!quoted && text[i] == sep) {
        break;
      }
    }
    i += len;
  }
  std::string_view field = text.substr(0, i);
  text = i < text.size() ? text.substr(i + 1) : text.substr(text.size());
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
    field = field.substr(1, field.size() - 2);
  return field;
}

void NormaliseSeparators(std::string& record, int type) {
  auto isSeparator = [type](char c) {
    switch (type) {
      case 1: return c == '\t';
      case 2: return c == ' ';
      case 3: return c == ' ' || c == '\t';
      default: return c == ',';
    }
  };
  const bool blankSeparated = type == 2 || type == 3;
  bool quoted = false;
  for (std::size_t i = 0; i < record.size();) {
    std::size_t len = CharLength(record, i);
    char c = record[i];
    if (len == 2) {
      i += 2;
    } else if (c == '"') {
      quoted = !quoted;
      ++i;
    } else if (!quoted && isSeparator(c)) {
      record[i++] = kFieldSeparator;
      // The rest of a run of blanks stays; a quote after it opens a quoted
      // stretch through the ordinary toggle above.
      if (blankSeparated)
        while (i < record.size() && (record[i] == ' ' || record[i] == '\t')) ++i;
    } else {
      ++i;
    }
  }
}

void UnescapeLineBreaks(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = CharLength(text, i);
    if (len == 1 && text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'r')) {
      out.push_back(text[i + 1] == 'n' ? '\n' : '\r');
      i += 2;
      continue;
    }
    out.append(text, i, len);
    i += len;
  }
  text = std::move(out);
}

void EscapeLineBreaks(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out.push_back(c);
  }
  text = std::move(out);
}

std::optional<std::string> FindTaggedItem(std::string_view text, std::string_view key) {
  auto match = FindTagged(text, key);
  if (!match) return std::nullopt;
  return std::move(match->value);
}

std::optional<std::string> RemoveTaggedItem(std::string& text, std::string_view key) {
  auto match = FindTagged(text, key);
  if (!match) return std::nullopt;
  text.erase(match->itemStart, match->itemEnd - match->itemStart);
  return std::move(match->value);
}

void AppendTaggedItem(std::string_view key, std::string& buffer, std::string_view value, char open,
                      char close) {
  if (value.empty() || buffer.size() + key.size() + value.size() >= 510) return;
  if (!buffer.empty()) buffer.push_back(' ');
  buffer.append(key);
  buffer.push_back(open);
  buffer.append(value);
  buffer.push_back(close);
}

}  // namespace tevra
