#include "import/csv_guess.h"

#include "core/band.h"
#include "core/call_sign.h"
#include "core/date_time.h"
#include "core/encoding.h"
#include "core/text.h"

namespace tevra {
namespace {

enum Category : unsigned {
  kNone = 0,
  kYear = 0x1,
  kMonth = 0x2,
  kDay = 0x4,
  kDate = 0x7,
  kTime = 0x18,
  kDateTime = 0x1f,
  kCall = 0x20,
  kReport = 0x40,
  kFrequency = 0x80,
  kMode = 0x100,
  kName = 0x200,
  kQth = 0x400,
  kSent = 0x800,
  kReceived = 0x1000,
  kEnvironment = 0x2000,
  kPower = 0x4000,
  kReportReceived = 0x8000,
  kSecondCall = 0x10000,
};

struct Rule {
  std::string text;  // names (comma-separated) or a data pattern, CP932
  std::string formula;
  unsigned category;
};

const std::string kMyFormula = "QSL\xA2My\xA3";
const std::string kEndFormula = "QSL\xA2" "END\xA3";

// Field-name table. Names are written in UTF-8 here and kept in CP932.
// Beside the names of the older logging programs, the ADIF field names that
// databases and spreadsheets of today's loggers use for their columns.
const std::vector<Rule>& HeaderRules() {
  static const std::vector<Rule> rules = [] {
    const Rule utf8[] = {
        {"DATE,YYMMDD,日付,QSO_DATE", "YYMMDD", kDate},
        {"TIME,JST,UTC,Z,時刻,開始,開始時刻,TIME_ON", "HHmm", kTime},
        {"CALL,RADIO,CALLSIGN", "CALL", kCall},
        {"HIS,UR,RST,RST_SENT", "RST", kReport},
        {"MY,RST_RCVD", kMyFormula, kReportReceived},
        {"MODE,2WAY,電波形式", "MODE", kMode},
        {"BAND,FREQ,MHZ,周波数", "FREQ", kFrequency},
        {"NAME,OP,名前", "NAME", kName},
        {"QTH,地名", "QTH", kQth},
        {"QSL,MGR,VIA", "QSL[QSL]", kNone},
        {"REM,RMKS", "QSL[REM]", kNone},
        {"POWER,POW,電力,TX_PWR", "POWER", kPower},
        {"SEND,S,発送,QSL_SENT", "SEND", kSent},
        {"RECV,R,受領,QSL_RCVD", "RECV", kReceived},
        {"ENV,環境", "ENV", kEnvironment},
        {"P,PTB,POTBL", "CALL", kSecondCall},
        {"END,終了,終了時刻", kEndFormula, kNone},
    };
    std::vector<Rule> out;
    for (const Rule& r : utf8) out.push_back({FromUnicode(r.text), r.formula, r.category});
    return out;
  }();
  return rules;
}

const std::vector<Rule>& DataRules() {
  static const std::vector<Rule> rules = {
      {"599", "RST", kReport},
      {"59", "RST", kReport},
      {"CW", "MODE", kMode},
      {"SSB", "MODE", kMode},
      {"AM", "MODE", kMode},
      {"FM", "MODE", kMode},
      {"RTTY", "MODE", kMode},
      {"%m", "MON", kMonth},
      {"$#:!#", "HH:mm", kTime},
      {"%u-%u-%u_%u:!#", "YY-MM-DD HH:mm", kDateTime},
      {"%u-%u-%u_%u", "YY-MM-DD HHmm", kDateTime},
      {"%u.%u.%u", "YY.MM.DD", kDate},
      {"%u-%u-%u", "YY-MM-DD", kDate},
      // 12/09/2021: the day first, before a four-digit year.
      {"#/#/####", "DD/MM/YY", kDate},
      {"#/##/####", "DD/MM/YY", kDate},
      {"##/#/####", "DD/MM/YY", kDate},
      {"##/##/####", "DD/MM/YY", kDate},
      {"%u/%u/%u", "YY/MM/DD", kDate},
      // Eight digits are a date (20211103), never a time.
      {"########", "YYMMDD", kDate},
      {"$#!#", "HHmm", kTime},
      {"5&&", "RST", kReport},
      {"5&", "RST", kReport},
      {"4&&", "RST", kReport},
      {"4&", "RST", kReport},
      {"######", "YYMMDD", kDate},
      {"%c", "CALL", kCall},
      {"'%u", "'YY", kYear},
      {"\x81\x65%u", "'YY", kYear},
      {"%uMHz", "FREQ", kFrequency},
      {"%u_MHz", "FREQ", kFrequency},
      {"5&&", kMyFormula, kReportReceived},
      {"5&", kMyFormula, kReportReceived},
      {"%f", "FREQ", kFrequency},
      {"%k", "NAME", kName},
      {"%k", "QTH", kQth},
  };
  return rules;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsFrequencyLike(std::string_view text) {
  if (text.empty() || !IsDigit(text[0])) return false;
  if (ToUpperAscii(text).find("MHZ") != std::string::npos) return true;
  for (char c : text)
    if (!IsDigit(c) && c != ' ' && c != '.' && c != '/' && c != 'G') return false;
  return true;
}

bool IsJapaneseText(std::string_view text) {
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (IsLeadByte(c) || (b >= 0xA1 && b <= 0xDF)) return true;
  }
  return false;
}

bool HasLettersAndDigits(std::string_view text) {
  bool letter = false, digit = false;
  for (char c : text) {
    letter |= (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    digit |= IsDigit(c);
  }
  return letter && digit;
}

bool IsKnownMetreBand(std::string_view text) {
  const std::string mhz = MhzBandOfMetres(text);
  return !mhz.empty() && mhz != "SAT";
}

// Length of a month name at the start of text, or 0.
std::size_t MonthNameLength(std::string_view text) {
  for (int m = 0; m < 12; ++m)
    for (std::string_view name : {kMonthEnglish[m], kMonthUpper[m]})
      if (StartsWithNoCase(text, name)) return name.size();
  return 0;
}

bool IsAllDigitsNonEmpty(std::string_view text) { return !text.empty() && IsAllDigits(text); }

}  // namespace

bool GuessPatternMatches(std::string_view pattern, std::string_view text) {
  std::size_t p = 0, t = 0;
  while (p < pattern.size()) {
    const char pc = pattern[p];
    if (pc == '%' && p + 1 < pattern.size()) {
      const char code = pattern[p + 1];
      p += 2;
      const std::string_view rest = text.substr(t);
      switch (code) {
        case 'u': {
          std::size_t n = 0;
          while (n < rest.size() && IsDigit(rest[n])) ++n;
          if (n == 0) return false;
          t += n;
          break;
        }
        case 'm': {
          const std::size_t n = MonthNameLength(rest);
          if (n == 0) return false;
          t += n;
          break;
        }
        // These judge the rest of the text as a whole.
        case 'c':
          if (!IsCallLike(rest) || !HasLettersAndDigits(rest)) return false;
          t = text.size();
          break;
        case 'f':
          if (BandOfFrequency(rest) == 0) return false;
          t = text.size();
          break;
        case 'd':
          if (!IsKnownMetreBand(rest)) return false;
          t = text.size();
          break;
        case 'b':
          if (!IsFrequencyLike(rest)) return false;
          t = text.size();
          break;
        case 'k':
          if (!IsJapaneseText(rest)) return false;
          t = text.size();
          break;
        default:
          return false;
      }
      continue;
    }
    if (t >= text.size()) return false;
    const char tc = text[t];
    bool ok;
    switch (pc) {
      case '#': ok = IsDigit(tc); break;
      case '!': ok = tc >= '0' && tc <= '5'; break;
      case '$': ok = tc >= '0' && tc <= '2'; break;
      case '&': ok = tc >= '1' && tc <= '9'; break;
      case '_':
        ok = tc == ' ' || tc == '\t';
        if (ok) {
          while (t < text.size() && (text[t] == ' ' || text[t] == '\t')) ++t;
          ++p;
          continue;
        }
        break;
      default: ok = EqualsNoCase(std::string_view(&pc, 1), std::string_view(&tc, 1)); break;
    }
    if (!ok) return false;
    ++p;
    ++t;
  }
  return true;
}

std::vector<std::string> KnownFieldNames(const std::vector<std::string>& header) {
  std::vector<std::string> names;
  for (const std::string& column : header) {
    const std::string_view name = TrimRight(SkipBlanks(column));
    bool known = false;
    for (const Rule& rule : HeaderRules()) {
      std::string_view list = rule.text;
      while (!list.empty() && !known) known = EqualsNoCase(SplitComma(list), name);
      if (known) break;
    }
    names.push_back(known ? std::string(name) : std::string());
  }
  return names;
}

std::array<std::string, kColumnSlots> GuessFormulas(const std::vector<std::string>& sampleIn,
                                                    const std::vector<std::string>& fieldNames) {
  std::array<std::string, kColumnSlots> formulas;
  formulas.fill("?");
  unsigned used = 0;
  auto isUsed = [&used](unsigned category) { return category != kNone && (used & category) != 0; };
  auto sample = [&sampleIn](std::size_t i) {
    return i < sampleIn.size() ? std::string(TrimRight(SkipBlanks(sampleIn[i]))) : std::string();
  };
  // The first date (or time) form among the data rules that fits the data.
  auto firstForm = [](const std::string& data, unsigned wanted) -> const Rule* {
    for (const Rule& rule : DataRules()) {
      const bool form = wanted == kDate ? (rule.category == kDate || rule.category == kDateTime) : rule.category == kTime;
      if (form && GuessPatternMatches(rule.text, data)) return &rule;
    }
    return nullptr;
  };

  // Field names first.
  for (std::size_t i = 0; i < kColumnSlots && i < fieldNames.size(); ++i) {
    for (const Rule& rule : HeaderRules()) {
      if (isUsed(rule.category)) continue;
      bool named = false;
      std::string_view names = rule.text;
      while (!names.empty() && !named) named = EqualsNoCase(SplitComma(names), fieldNames[i]);
      if (!named) continue;
      std::string formula = rule.formula;
      unsigned category = rule.category;
      // The date and time columns take the form the sample data shows.
      if (rule.category == kDate || rule.category == kTime) {
        if (const Rule* form = firstForm(sample(i), rule.category)) {
          formula = form->formula;
          category = form->category;
        }
      }
      formulas[i] = formula;
      used |= category;
      break;
    }
  }

  // Then the sample data.
  for (std::size_t i = 0; i < kColumnSlots; ++i) {
    const std::string data = sample(i);
    if (formulas[i] != "?" || data.empty()) continue;
    for (const Rule& rule : DataRules()) {
      if (isUsed(rule.category) || !GuessPatternMatches(rule.text, data)) continue;
      formulas[i] = rule.formula;
      used |= rule.category;
      break;
    }
  }

  // Named fields nobody claimed travel as tagged remark items.
  for (std::size_t i = 0; i < kColumnSlots && i < fieldNames.size(); ++i) {
    if (formulas[i] != "?" || fieldNames[i].empty()) continue;
    const std::string upper = ToUpperAscii(fieldNames[i]);
    if (upper == "MISC") {
      formulas[i] = "ADDQSL";
      continue;
    }
    std::string key = fieldNames[i];
    if (upper == "MYQTH") key = "MyQTH";
    else if (upper == "MYRIG") key = "MyRIG";
    else if (upper == "CONTEST") key = "Contest";
    formulas[i] = "QSL\xA2" + key + "\xA3";
  }

  // Whatever is left: numbers and words by elimination.
  for (std::size_t i = 0; i < kColumnSlots; ++i) {
    if (formulas[i] != "?") continue;
    formulas[i] = std::string(kUnusedColumn);
    const std::string data = sample(i);
    if (data.empty()) continue;
    auto give = [&](const char* formula, unsigned category) {
      formulas[i] = formula;
      used |= category;
    };
    if (IsAllDigitsNonEmpty(data)) {
      if (!isUsed(kYear)) give("YY", kYear);
      else if (!isUsed(kMonth)) give("MM", kMonth);
      else if (!isUsed(kDay)) give("DD", kDay);
      else if (!isUsed(kTime)) give("HHmm", kTime);
      else if (!isUsed(kFrequency) && IsKnownMetreBand(data)) give("mBAND", kFrequency);
      else if (!isUsed(kFrequency) && IsFrequencyLike(data)) give("FREQ", kFrequency);
      else if (!isUsed(kPower)) give("POWER", kPower);
      else if (!isUsed(kEnvironment)) give("ENV", kEnvironment);
      continue;
    }
    if ((used & kDate) == 0 && ContainsMonthName(data)) give("DD MON 'YY", kDate);
    else if (!isUsed(kFrequency) && IsFrequencyLike(data)) give("FREQ", kFrequency);
    else if (!isUsed(kCall) && IsCallLike(data)) give("CALL", kCall);
    else if (!isUsed(kName)) give("NAME", kName);
    else if (!isUsed(kQth)) give("QTH", kQth);
    else if (!isUsed(kReceived)) give("RECV", kReceived);
  }
  return formulas;
}

}  // namespace tevra
