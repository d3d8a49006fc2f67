#include "import/record_fingerprint.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace tevra {

std::uint64_t FingerprintBytes(std::string_view bytes, std::uint64_t seed) {
  // Eight bytes per step, multiplied and folded; the tail carries its
  // length, so that texts differing only in trailing NULs differ. Values
  // live only while a log is loaded, never in a file.
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = seed;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    h = (h ^ word) * kMultiplier;
    h ^= h >> 29;
  }
  std::uint64_t tail = static_cast<std::uint64_t>(bytes.size() - i) << 56;
  if (i < bytes.size()) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + i, bytes.size() - i);
    tail ^= word;
  }
  h = (h ^ tail) * kMultiplier;
  return h ^ (h >> 32);
}

std::uint64_t FingerprintWithout(std::string_view record, std::size_t skipOffset, std::size_t skipLength) {
  if (skipOffset >= record.size()) return FingerprintBytes(record);
  const std::uint64_t head = FingerprintBytes(record.substr(0, skipOffset));
  const std::size_t rest = skipOffset + skipLength;
  return FingerprintBytes(rest < record.size() ? record.substr(rest) : std::string_view(), head ^ 0x5A);
}

std::uint64_t MdtFingerprint(std::string_view record) { return FingerprintWithout(record, kMdtSentByte, 1); }
std::uint64_t DbsFingerprint(std::string_view record) { return FingerprintWithout(record, kDbsSentByte, 1); }

bool InsertLog200Mark(std::string& record, std::string_view mark) {
  if (record.size() < 198) return false;
  std::size_t at = 0;
  int separators = 0;
  for (; at < 198 && separators < 15; ++at)
    if (record[at] == '\x1E') ++separators;
  if (separators != 15 || at >= 198 || record[at] != '\x1E') return false;
  std::size_t trailing = 0;
  while (trailing < 198 - at && record[197 - trailing] == ' ') ++trailing;
  std::size_t n = 0;  // whole characters of the mark that fit
  while (n < mark.size()) {
    const std::size_t len = IsLeadByte(mark[n]) && n + 1 < mark.size() ? 2 : 1;
    if (n + len > trailing) break;
    n += len;
  }
  if (n == 0) return false;
  std::string text = record.substr(0, 198);
  text.insert(at, mark.substr(0, n));
  text.resize(198);
  record.replace(0, 198, text);
  return true;
}

bool L2SentFieldEmpty(std::string_view record) {
  const std::string_view text = record.substr(0, std::min<std::size_t>(record.size(), 198));
  std::size_t start = 0;
  for (int separators = 0; separators < 15; ++separators) {
    const auto at = text.find('\x1E', start);
    if (at == std::string_view::npos) return true;
    start = at + 1;
  }
  return start >= text.size() || text[start] == '\x1E' || text[start] == ' ';
}

std::uint64_t L2Fingerprint(std::string_view record) {
  std::string_view text = TrimRight(record.substr(0, record.size() < 198 ? record.size() : 198));
  // Find the 16th field: after the 15th separator, up to the next one.
  std::size_t start = 0;
  for (int separators = 0; separators < 15; ++separators) {
    const auto at = text.find('\x1E', start);
    if (at == std::string_view::npos) return FingerprintBytes(text);  // no 16th field
    start = at + 1;
  }
  const auto end = text.find('\x1E', start);
  return FingerprintWithout(text, start, (end == std::string_view::npos ? text.size() : end) - start);
}

}  // namespace tevra
