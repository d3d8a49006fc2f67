// Condition lists: which QSOs an item, a block branch, a table row or a log
// load applies to.
#include <cstdio>
#include <cstdlib>

#include "core/band.h"
#include "core/call_sign.h"
#include "core/date_time.h"
#include "core/encoding.h"
#include "core/text.h"
#include "merge/macro_expander.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr std::size_t kConditionMax = 512;

enum class Op { None, Eq, Ne, Le, Ge };

struct Parts {
  std::string left;  // spaces removed
  Op op = Op::None;
  std::string value;
};

Parts Split(std::string_view text) {
  Parts p;
  std::size_t at = std::string_view::npos;
  for (std::size_t i = 0; i + 1 < text.size(); i += CharLength(text, i)) {
    if (text[i + 1] != '=') continue;
    switch (text[i]) {
      case '=': p.op = Op::Eq; break;
      case '!': p.op = Op::Ne; break;
      case '<': p.op = Op::Le; break;
      case '>': p.op = Op::Ge; break;
      default: continue;
    }
    at = i;
    break;
  }
  p.left = std::string(text.substr(0, at));
  RemoveChar(p.left, ' ');
  if (at == std::string_view::npos) return p;
  std::string_view value = TrimRight(SkipBlanks(text.substr(at + 2)));
  value = PrefixOfChars(value, kConditionMax);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  p.value = std::string(value);
  return p;
}

// -1 unusable operator, else the comparison's truth.
template <typename T>
int Compare(Op op, T a, T b, bool ordered) {
  switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return a != b;
    case Op::Le: return ordered ? a <= b : -1;
    case Op::Ge: return ordered ? a >= b : -1;
    default: return -1;
  }
}

// Reads numbers as "%02u.%02u..." does: at most `digits` digits each,
// separated by the given characters.
bool ReadFields(std::string_view text, std::string_view separators, const int* digits, unsigned* out, int count) {
  for (int k = 0; k < count; ++k) {
    if (k > 0) {
      if (!text.starts_with(separators[k - 1])) return false;
      text.remove_prefix(1);
    }
    text = SkipBlanks(text);
    int n = 0;
    out[k] = 0;
    while (n < digits[k] && n < static_cast<int>(text.size()) && text[n] >= '0' && text[n] <= '9')
      out[k] = out[k] * 10 + static_cast<unsigned>(text[n++] - '0');
    if (n == 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

long SignedNumber(std::string_view text) {
  const std::string s(SkipBlanks(text));
  return std::strtol(s.c_str(), nullptr, 10);
}

// A decimal fraction when a digit comes before any letter or byte of 0x80
// and above; nullopt otherwise.
std::optional<double> Fraction(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= '0' && c <= '9') {
      std::size_t start = i;
      if (start > 0 && text[start - 1] == '.') --start;
      if (start > 0 && (text[start - 1] == '-' || text[start - 1] == '+')) --start;
      return std::strtod(std::string(text.substr(start)).c_str(), nullptr);
    }
    if (c >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return std::nullopt;
  }
  return std::nullopt;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

bool MacroExpander::Unrecognised(std::string_view condition, bool* report) {
  if (report && *report) {
    *report = false;
    if (services_.ui) {
      char text[1200];
      std::snprintf(text, sizeof text, "%s\r\n\r\n'%s'",
                    services_.ui->Translate(QT_TRANSLATE_NOOP("Tevra", "次の条件子が識別できません.")).c_str(),
                    ToUnicode(condition).c_str());
      services_.ui->ShowMessage(text, MessageIcon::Information);
    }
  }
  return false;
}

bool MacroExpander::EvaluateConditions(std::string_view list, QsoRecord& record, bool* report) {
  std::string condition;
  while (!list.empty()) {
    auto rest = SplitOutsideBrackets(condition, list, ',', kConditionMax);
    list = rest ? *rest : std::string_view();
    if (auto comment = condition.find("/*"); comment != std::string::npos) {
      condition.resize(comment);
      while (!condition.empty() && condition.back() == ' ') condition.pop_back();
    }
    if (!EvaluateCondition(SkipBlanks(condition), record, report)) return false;
  }
  return true;
}

bool MacroExpander::EvaluateConditionsForCard(std::string_view list, bool* report) {
  if (!context_.CardQsos) return true;
  return EvaluateConditions(list, context_.CardQsos[0], report);
}

bool MacroExpander::EvaluateCondition(std::string_view text, QsoRecord& r, bool* report) {
  bool negate = false;
  if (text.starts_with('!')) {
    negate = true;
    text = SkipBlanks(text.substr(1));
  }
  const std::string_view original = text;
  auto result = [&](bool value) { return negate ? !value : value; };
  // Unrecognised conditions (and operators a rule does not take) are false
  // before the negation, and reported.
  auto unknown = [&] {
    Unrecognised(original, report);
    return result(false);
  };
  auto compared = [&](int outcome) { return outcome < 0 ? unknown() : result(outcome != 0); };

  // The slot `offset` places after the record on its card, or null.
  auto slot = [&](int offset) -> const QsoRecord* {
    if (offset < 0) return nullptr;
    if (offset == 0) return &r;
    if (!context_.CardQsos) return nullptr;
    const std::ptrdiff_t at = &r - context_.CardQsos;
    if (at < 0 || at >= kMaxQsosPerCard || at + offset >= kMaxQsosPerCard) return nullptr;
    return &context_.CardQsos[at + offset];
  };
  const std::string_view call = FieldText(r.Call);

  if (text == "TRUE") return result(true);
  if (text == "FALSE") return result(false);
  if (text == "IsREP") {
    const QsoRecord* next = slot(1);
    return result(context_.RepeatCount > 1 && next && next->Call[0] != '\0');
  }
  if (text == "IsJA") return result(IsJapaneseStation(call));
  if (text == "IsDX") return result(!IsJapaneseStation(call));
  if (text == "IsSWL") return result(Contains(call, "-"));
  if (text == "IsSAT") return result(Contains(FieldText(r.Freq), "/") || EqualsNoCase(FieldText(r.Freq), "SAT"));
  if (text == "IsMGR") {
    const std::string manager = ManagerCall(FieldText(r.Remarks));
    return result(!manager.empty() && manager != "NULL");
  }
  if (text == "IsPOWER") return result(r.Power[0] != '\0');
  if (text == "IsNAME") return result(r.Name[0] != '\0');
  if (text == "IsQTH") return result(r.Qth[0] != '\0');
  if (text == "IsQSL") return result(r.Remarks[0] != '\0');
  if (text == "IsTEST") {
    const int mode = ModeIndex(FieldText(r.Mode));
    return result(mode != 0 && FieldText(r.RstSent).size() != static_cast<std::size_t>(ReportLength(mode)));
  }
  if (text == "IsPTB") return result(IsPortable(call));
  if (text == "IsClubJA") return result(IsClubStation(call));
  if (text.starts_with("IsAvailable(")) {
    std::string number;
    CopyUntil(number, text.substr(12), ')');
    const int n = DecimalValue(number);
    const int i = n == 0 ? 0 : n < 0 ? -1 : n - 1;  // a number that wraps negative names no slot
    const QsoRecord* q = i < context_.RepeatCount ? slot(i) : nullptr;
    return result(q && q->Call[0] != '\0');
  }
  if (text.starts_with("IsL2(")) {
    std::string key;
    if (!CopyToClose(key, text.substr(5), ')', kConditionMax)) return false;
    const auto value = FindTaggedItem(FieldText(r.Remarks), key);
    return result(value && !value->empty());
  }

  const Parts p = Split(text);
  const std::string_view left = p.left;
  // Forms with a bracket on the left: the key up to the matching ")".
  auto bracketKey = [&](std::string_view prefix, std::string& key) {
    return CopyToClose(key, left.substr(prefix.size()), ')', kConditionMax).has_value();
  };
  std::string key;
  if (left.starts_with("L2(")) {
    if (!bracketKey("L2(", key)) return false;
    const std::string tagged = FindTaggedItem(FieldText(r.Remarks), key).value_or(std::string());
    return compared(Compare(p.op, std::string_view(tagged), std::string_view(p.value), false));
  }
  if (left == "MODE") return compared(Compare(p.op, FieldText(r.Mode), std::string_view(p.value), false));
  if (left == "BAND")
    return compared(Compare(p.op, std::string_view(BandName(FieldText(r.Freq))), std::string_view(p.value), false));
  if (left == "FREQ") return compared(Compare(p.op, FieldText(r.Freq), std::string_view(p.value), false));
  if (text == "IsSEND") return result(r.QslSent != '\0');
  if (text == "IsRECV") return result(r.QslRcvd != '\0');
  if (left == "ENV") return compared(Compare(p.op, static_cast<long>(r.Env), SignedNumber(p.value), true));
  if (left == "DATE") {
    static constexpr int kDigits[] = {2, 2, 2};
    unsigned d[3];
    if (p.op == Op::None) return unknown();
    if (!ReadFields(p.value, "..", kDigits, d, 3)) return result(false);
    return compared(Compare(p.op, DateOrdinal(r.Year, r.Month, r.Day),
                            DateOrdinal(static_cast<int>(d[0]), static_cast<int>(d[1]), static_cast<int>(d[2])), true));
  }
  if (left == "TIME") {
    unsigned t = 0;
    std::string_view v = p.value;
    if (p.op == Op::None) return unknown();
    if (!ScanUnsigned(v, t)) return result(false);
    return compared(Compare(p.op, static_cast<unsigned>(r.Hour * 100 + r.Minute), t, true));
  }
  if (left == "PERIOD" || left == "TERM") {
    const bool term = left == "TERM";
    static constexpr int kPeriod[] = {2, 2, 2, 2, 2, 2};
    static constexpr int kTerm[] = {2, 2, 2, 4, 2, 2, 2, 4};
    unsigned v[8];
    if (p.op != Op::Eq && p.op != Op::Ne) return unknown();
    if (!(term ? ReadFields(p.value, "...-...", kTerm, v, 8) : ReadFields(p.value, "..-..", kPeriod, v, 6)))
      return result(false);
    auto key = [&](const unsigned* f) {
      const long day = DateOrdinal(static_cast<int>(f[0]), static_cast<int>(f[1]), static_cast<int>(f[2]));
      return term ? day * 2400 + f[3] : day;
    };
    const long from = key(v), to = key(v + (term ? 4 : 3));
    const long own = DateOrdinal(r.Year, r.Month, r.Day) * (term ? 2400L : 1L) + (term ? r.Hour * 100 + r.Minute : 0);
    const bool inside = from <= own && own <= to;
    return result(p.op == Op::Eq ? inside : !inside);
  }
  if (left == "StrCALL" || left == "StrNAME" || left == "StrQTH" || left == "StrQSL") {
    const std::string_view field = left == "StrCALL" ? call
                                   : left == "StrNAME" ? FieldText(r.Name)
                                   : left == "StrQTH" ? FieldText(r.Qth)
                                                       : FieldText(r.Remarks);
    return compared(Compare(p.op, Contains(field, p.value), true, false));
  }
  if (left.starts_with("StrL2(")) {
    if (!bracketKey("StrL2(", key)) return false;
    const std::string tagged = FindTaggedItem(FieldText(r.Remarks), key).value_or(std::string());
    return compared(Compare(p.op, Contains(tagged, p.value), true, false));
  }
  if (left == "CharSEND" || left == "CharRECV") {
    const char mark = left == "CharSEND" ? r.QslSent : r.QslRcvd;
    const char wanted = p.value.empty() ? '\0' : p.value[0];
    return compared(Compare(p.op, mark, wanted, false));
  }
  if (left.starts_with("Len(")) {
    if (!bracketKey("Len(", key)) return false;
    if (p.op == Op::None) return unknown();
    const long length = static_cast<long>(LookupVariable(key, r).size());
    return compared(Compare(p.op, length, SignedNumber(p.value), true));
  }
  if (left.starts_with("Val(")) {
    if (!bracketKey("Val(", key)) return false;
    const std::optional<double> wanted = Fraction(p.value);
    if (p.op == Op::None || !wanted) return unknown();
    const double own = Fraction(LookupVariable(key, r)).value_or(0.0);
    return compared(Compare(p.op, own, *wanted, true));
  }
  if (left.starts_with('%')) {
    const std::string expanded = ExpandLine(left, r);
    if (p.op == Op::Eq) return result(expanded == p.value);
    if (p.op == Op::Ne) return result(expanded != p.value);
    return result(!expanded.empty());
  }
  return unknown();
}

}  // namespace tevra
