#include "log/bureau_order.h"

#include "core/call_sign.h"
#include "core/text.h"

namespace tevra {
namespace {

char At(std::string_view s, std::size_t i) { return i < s.size() ? s[i] : '\0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A call-area digit in bureau order: 1..9, then 0, then anything else.
char AreaRank(char c) {
  if (c >= '1' && c <= '9') return static_cast<char>(c - '0');
  if (c == '0') return 10;
  return 11;
}

void AppendJapanese(std::string& key, std::string_view via, bool jn2003) {
  const char first = At(via, 0);
  // J calls, then 7 calls, then 8 calls.
  key.push_back(first == 'J' ? 1 : first == '7' ? 2 : first == '8' ? 3 : 4);
  if (first == 'J') {
    // By area digit, then by the second letter, then the shorter call.
    key.push_back(AreaRank(At(via, 2)));
    key.push_back(At(via, 1));
    const std::size_t length = via.size() > 0xFFFF ? 0xFFFF : via.size();
    key.push_back(static_cast<char>(length >> 8));
    key.push_back(static_cast<char>(length & 0xFF));
  } else if (first == '7') {
    // The older order puts 7J first and then orders by area digit; the
    // JN.2003 order takes 7 calls as they spell.
    if (!jn2003) {
      key.push_back(At(via, 1) == 'J' ? 0 : 1);
      key.push_back(AreaRank(At(via, 2)));
    }
  } else if (first == '8') {
    key.push_back(AreaRank(At(via, 2)));
  }
  // The call itself, 7 and 8 counting as letters after J.
  const std::size_t at = key.size();
  key += via;
  if (!via.empty() && (first == '7' || first == '8')) key[at] = first == '7' ? 'b' : 'c';
  key.push_back('\0');
}

void AppendForeign(std::string& key, std::string_view via, std::string_view viaEnt, bool byEntity) {
  if (byEntity) {
    key += viaEnt;
    key.push_back('\0');
    // The call area: the first digit after the first character.
    char area = 11;
    for (std::size_t i = 1; i < via.size(); ++i)
      if (IsDigit(via[i])) {
        area = via[i] == '0' ? 10 : static_cast<char>(via[i] - '0');
        break;
      }
    key.push_back(area);
  }
  // Calls that begin with a digit follow those that begin with a letter.
  const std::size_t at = key.size();
  key += via;
  if (!via.empty() && IsDigit(via[0])) key[at] = static_cast<char>(via[0] + 43);
  key.push_back('\0');
}

}  // namespace

std::string BureauKey(std::string_view viaCall, std::string_view viaEnt, std::string_view call, std::uint16_t env,
                      const BureauOrder& order) {
  std::string key;
  key.reserve(viaCall.size() * 2 + viaEnt.size() + call.size() + 12);
  AppendBureauKey(key, viaCall, viaEnt, call, env, order);
  return key;
}

void AppendBureauKey(std::string& key, std::string_view viaCall, std::string_view viaEnt, std::string_view call,
                     std::uint16_t env, const BureauOrder& order) {
  if (IsJaPrefix(viaCall)) {
    key.push_back(0);
    AppendJapanese(key, viaCall, order.jn2003);
  } else {
    key.push_back(1);
    AppendForeign(key, viaCall, viaEnt, order.byEntity);
  }
  key += call;
  key.push_back('\0');
  key.push_back(static_cast<char>(env >> 8));
  key.push_back(static_cast<char>(env & 0xFF));
}

std::uint32_t TimeKey(unsigned year, unsigned month, unsigned day, unsigned hhmm) {
  std::uint32_t d = year * 372u + month * 31u + day;
  if (year < 50) d += 37200u;
  return d * 2400u + hhmm;
}

std::uint32_t TimeKey(std::string_view date, std::string_view time) {
  unsigned parts[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (!date.starts_with('/')) break;
      date.remove_prefix(1);
    }
    if (!ScanUnsigned(date, parts[i])) break;
  }
  unsigned hhmm = 0;
  ScanUnsigned(time, hhmm);
  // Stored texts hold byte values; larger numbers cannot come from a record.
  return TimeKey(parts[0] % 256, parts[1] % 256, parts[2] % 256, hhmm % 10000);
}

int CallArea(std::string_view via) {
  if (!IsJaPrefix(via)) return 10;
  const char first = At(via, 0);
  const char third = At(via, 2);
  if (first == 'J' || first == '8') return IsDigit(third) ? third - '0' : 11;
  if (first == '7') return At(via, 1) == 'J' ? (IsDigit(third) ? third - '0' : 11) : 1;
  return 11;
}

}  // namespace tevra
