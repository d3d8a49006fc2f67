#include "core/call_sign.h"

#include <vector>

#include "core/text.h"

namespace tevra {
namespace {

bool IsAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string_view> SplitAtSlashes(std::string_view call) {
  std::vector<std::string_view> parts;
  for (;;) {
    auto slash = call.find('/');
    parts.push_back(call.substr(0, slash));
    if (slash == std::string_view::npos) return parts;
    call.remove_prefix(slash + 1);
  }
}

// The decision on the first two characters of a call or prefix part:
// 1 Japanese, 0 foreign, -1 undecided ("J", "7" or "8" with another letter).
int JapanesePrefixDecision(std::string_view part) {
  if (part.empty()) return 0;
  const char c0 = part[0];
  const char c1 = part.size() > 1 ? part[1] : '\0';
  if (c0 == 'J') {
    if (c1 == 'D') return 0;
    return c1 >= 'A' && c1 <= 'S' ? 1 : -1;
  }
  if (c0 == '7' || c0 == '8') return c1 >= 'J' && c1 <= 'N' ? 1 : -1;
  return 0;
}

}  // namespace

bool IsCallChars(std::string_view text) {
  for (char c : text) {
    if (c == '-' || c == '/') break;
    if (!IsAlnum(c)) return false;
  }
  return true;
}

bool HasCallShape(std::string_view text) {
  if (!IsCallLike(text)) return false;
  bool digit = false, letter = false;
  for (const char c : text) {
    digit = digit || (c >= '0' && c <= '9');
    letter = letter || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  }
  return digit && letter;
}

bool IsCallLike(std::string_view text) {
  if (text.size() < 3) return false;
  for (char c : text)
    if (!IsAlnum(c) && c != '/' && c != '-') return false;
  return true;
}

std::string HomeCall(std::string_view call) {
  const auto first = call.find('/');
  if (first == std::string_view::npos) return std::string(call);
  const std::string_view p1 = PrefixOfChars(call.substr(0, first), kCallMax);
  std::string_view rest = call.substr(first + 1);
  const auto second = rest.find('/');
  const std::string_view p2 = rest.substr(0, second);
  if (second == std::string_view::npos)
    return std::string(p2.size() >= p1.size() + 1 && IsCallChars(p2) ? p2 : p1);
  const std::string_view p3 = rest.substr(second + 1);
  if (p3.size() >= p2.size() + 2 && IsCallChars(p3))
    return std::string(PrefixOfChars(p3.size() >= p1.size() + 1 ? p3 : p1, kCallMax));
  if (p2.size() + 1 >= p1.size() && IsCallChars(p2)) return std::string(PrefixOfChars(p2, kCallMax));
  return std::string(p1);
}

bool IsJaPrefix(std::string_view call) { return JapanesePrefixDecision(call) == 1; }

bool IsJapaneseStation(std::string_view call) {
  if (call == "8J1RL" || call == "8J1RM" || call.find("/JD1") != std::string_view::npos) return false;
  const std::string_view copy = PrefixOfChars(call, kCallMax);
  if (copy.find('/') != std::string_view::npos) {
    for (std::string_view part : SplitAtSlashes(copy)) {
      if (part.size() < 2 || !IsDigit(part.back())) continue;  // not a prefix-like part
      const int decision = JapanesePrefixDecision(part);
      if (decision >= 0) return decision == 1;
    }
  }
  return JapanesePrefixDecision(copy) == 1;
}

bool IsClubStation(std::string_view call) {
  const std::string home = HomeCall(call);
  if (!IsJaPrefix(home)) return false;
  return home[0] == '8' || (home.size() == 6 && (home[3] == 'Y' || home[3] == 'Z'));
}

bool IsPortable(std::string_view call) {
  for (std::string_view part : SplitAtSlashes(PrefixOfChars(call, kCallMax))) {
    if (part.size() == 1 && IsDigit(part[0])) return true;
    if (part == "MM" || part == "M") return true;
    if (part.size() > 1 && IsDigit(part.back()) && part.find('-') == std::string_view::npos) return true;
  }
  return false;
}

std::string ManagerCall(std::string_view remarks) {
  // A manager comes after "@" or in "QSL[...]": most remarks hold neither.
  if (remarks.find('@') == std::string_view::npos && remarks.find('[') == std::string_view::npos) return "";
  bool separatorBefore = true;  // the start of the text counts
  for (std::size_t i = 0; i < remarks.size();) {
    const std::size_t len = CharLength(remarks, i);
    const char c = remarks[i];
    const bool single = len == 1;
    std::string candidate;
    bool haveCandidate = false;
    if (single && c == '@' && separatorBefore && !(i > 0 && remarks[i - 1] == ':')) {
      CopyCallToken(candidate, remarks.substr(i + 1));
      UpperCaseAscii(candidate);
      haveCandidate = candidate != "DIRECT";
    } else if (single && separatorBefore && StartsWithNoCase(remarks.substr(i), "QSL[")) {
      std::string route = ToUpperAscii(remarks.substr(i + 4));
      route = route.substr(0, route.find(']'));
      if (route.find("DIRECT") == std::string::npos && route.find("BURO") == std::string::npos) {
        if (route.starts_with("VIA ")) route = std::string(SkipBlanks(std::string_view(route).substr(4)));
        candidate = std::move(route);
        haveCandidate = true;
      }
    }
    if (haveCandidate && candidate != "CBA" && IsCallLike(candidate)) return HomeCall(PrefixOfChars(candidate, kCallMax));
    separatorBefore = single && IsTagSeparator(c);
    i += len;
  }
  return "";
}

namespace {
// The manager of the record's remarks, cut to a call's length.
std::string RecordManager(const QsoRecord& record) {
  return std::string(PrefixOfChars(ManagerCall(FieldText(record.Remarks)), kCallMax));
}
}  // namespace

std::string ViaCall(const QsoRecord& record) {
  std::string m = RecordManager(record);
  std::string via = m == "NULL" ? std::string() : m.empty() ? HomeCall(FieldText(record.Call)) : m;
  RemoveChar(via, '-');
  return via;
}

std::string ViaEntity(const QsoRecord& record, const EntityLookup& entities) {
  std::string v = RecordManager(record);
  if (v.empty() || v == "NULL") v = HomeCall(FieldText(record.Call));
  if (IsJaPrefix(v)) return "JA";
  std::string entity = entities.EntityOf(v);
  if (entity == "W" || entity == "K")
    entity.push_back(static_cast<char>('0' + AreaDigit(std::string_view(v).substr(v.empty() ? 0 : 1)) % 10));
  return entity;
}

int AreaDigit(std::string_view text) {
  for (char c : text)
    if (IsDigit(c)) return c == '0' ? 10 : c - '0';
  return 11;
}

}  // namespace tevra
