#include "merge/macro_expander.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/band.h"
#include "core/column_keywords.h"
#include "core/date_time.h"
#include "core/escape.h"
#include "core/text.h"

namespace tevra {
namespace {

using u8 = std::uint8_t;

// Expansion may look up a variable whose name expands again; the name is
// always shorter, but the depth is bounded all the same.
constexpr int kDepthMax = 32;

constexpr std::string_view kConversions = "CUbNQPLaAxOSRVTFByzmdhionpqsrl{([<\xA2";

// A printf-like specification of flags, width and precision. Nothing else
// of what the user typed takes part in formatting.
struct Spec {
  bool left = false;
  bool zero = false;
  int width = -1;
  int precision = -1;
  int cut = -1;  // a width is also a maximum for texts

  explicit Spec(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::string_view("-+ #0").find(text[i]) != std::string_view::npos) {
      left |= text[i] == '-';
      zero |= text[i] == '0';
      ++i;
    }
    auto number = [&](int& out) {
      if (i >= text.size() || text[i] < '0' || text[i] > '9') return;
      out = 0;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') out = std::min(out * 10 + (text[i++] - '0'), 1024);
    };
    number(width);
    if (i < text.size() && text[i] == '.') {
      ++i;
      precision = 0;
      number(precision);
    }
    std::string_view afterMinus = text.starts_with('-') ? text.substr(1) : text;
    if (!afterMinus.empty() && afterMinus[0] >= '0' && afterMinus[0] <= '9') cut = DecimalValue(afterMinus, 2);
  }
};

void Pad(std::string& out, std::string_view value, const Spec& spec, char fill) {
  const std::size_t width = spec.width > 0 ? static_cast<std::size_t>(spec.width) : 0;
  const std::size_t padding = value.size() < width ? width - value.size() : 0;
  if (spec.left) {
    out.append(value);
    out.append(padding, ' ');
  } else {
    out.append(padding, fill);
    out.append(value);
  }
}

void FormatText(std::string& out, std::string_view value, std::string_view specText) {
  const Spec spec(specText);
  if (spec.precision >= 0) value = PrefixOfChars(value, static_cast<std::size_t>(spec.precision));
  const std::size_t start = out.size();
  Pad(out, value, spec, ' ');
  if (spec.cut >= 0) {
    const std::size_t kept = PrefixOfChars(std::string_view(out).substr(start), static_cast<std::size_t>(spec.cut)).size();
    out.resize(start + kept);
  }
}

void FormatNumber(std::string& out, unsigned value, std::string_view specText) {
  const Spec spec(specText);
  char digits[16];
  std::string_view text(digits, static_cast<std::size_t>(std::snprintf(digits, sizeof digits, "%u", value)));
  std::string zeroPadded;
  if (spec.precision >= 0 && text.size() < static_cast<std::size_t>(spec.precision)) {
    zeroPadded.assign(static_cast<std::size_t>(spec.precision) - text.size(), '0');
    zeroPadded.append(text);
    text = zeroPadded;
  }
  Pad(out, text, spec, spec.zero && !spec.left && spec.precision < 0 ? '0' : ' ');
}

std::string_view MonthUpper(int month) { return month >= 1 && month <= 12 ? kMonthUpper[month - 1] : ""; }
std::string_view MonthEnglish(int month) { return month >= 1 && month <= 12 ? kMonthEnglish[month - 1] : ""; }

// The record's date and time as the card shows them. A QSO without a
// readable date shows no date, and its time as the log gave it: no shift
// (a reader converts only dated times, so that time is the log's UTC).
struct Shown {
  int year, month, day, hour, minute;
  bool dated;
};

Shown ShownTime(const QsoRecord& r, int timeType) {
  // (A card slot without a QSO keeps its widths: it prints blanks.)
  Shown t{r.Year, r.Month, r.Day, r.Hour, r.Minute, HasReadableDate(r) || r.Call[0] == '\0'};
  if (t.dated && !ShowsJst(r, timeType)) ShiftToUtc(t.year, t.month, t.day, t.hour);
  return t;
}

bool ShowsJstTime(const QsoRecord& r, int timeType) { return HasReadableDate(r) && ShowsJst(r, timeType); }

// The variables that print the date (or a part of it).
bool IsDateVariable(std::string_view name) {
  static constexpr std::string_view kNames[] = {
      "'YY",         "YY",          "MM",           "DD",       "MON",         "Mon.",         "YYYY",
      "YY/MM/DD",    "YY/DD/MM",    "DD/MM/YY",     "MM/DD",    "DD MON",      "DD MON 'YY",   "DD Mon.",
      "DD Mon. 'YY", "DD Mon. YYYY", "Mon. DD",     "'YY Mon. DD", "YYYY Mon. DD"};
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

std::string_view ReportPart(const QsoRecord& r) {
  const std::string_view rst = FieldText(r.RstSent);
  const auto length = static_cast<std::size_t>(ReportLength(ModeIndex(FieldText(r.Mode))));
  return rst.substr(0, std::min(length, rst.size()));
}

std::string_view ExchangePart(const QsoRecord& r) { return FieldText(r.RstSent).substr(ReportPart(r).size()); }

// Text of the remarks between the first two occurrences of c.
std::string BetweenMarks(std::string_view remarks, char c) {
  std::size_t first = std::string_view::npos;
  for (std::size_t i = 0; i < remarks.size(); i += CharLength(remarks, i)) {
    if (CharLength(remarks, i) != 1 || remarks[i] != c) continue;
    if (first == std::string_view::npos) {
      first = i;
    } else {
      return std::string(remarks.substr(first + 1, i - first - 1));
    }
  }
  return "";
}

std::string Cut(std::string text, std::size_t max) {
  if (text.size() > max) text.resize(PrefixOfChars(text, max).size());
  return text;
}

}  // namespace

MacroExpander::MacroExpander(MergeContext& context, MergeServices services)
    : context_(context), services_(std::move(services)) {
  if (!services_.clock) services_.clock = [] { return std::time(nullptr); };
}

std::string MacroExpander::Mode(const QsoRecord& record) const {
  const std::string_view mode = FieldText(record.Mode);
  return services_.modes ? services_.modes->ModeText(mode) : std::string(mode);
}

bool MacroExpander::InCard(const QsoRecord& record) const {
  if (!context_.CardQsos) return false;
  const QsoRecord* first = context_.CardQsos;
  return &record >= first && &record < first + kMaxQsosPerCard;
}

std::string MacroExpander::ExpandLine(std::string_view line, QsoRecord& record) { return Expand(line, record, 0); }

std::string MacroExpander::LookupVariable(std::string_view name, QsoRecord& record) { return Lookup(name, record, 0); }

std::string MacroExpander::LookupVariableForCard(std::string_view name) {
  if (!context_.CardQsos) return std::string(name);
  return LookupVariable(name, context_.CardQsos[0]);
}

std::string MacroExpander::Expand(std::string_view line, QsoRecord& record, int depth) {
  std::string out;
  out.reserve(64);
  QsoRecord* cur = &record;
  bool comment = false;
  std::size_t i = 0;
  while (i < line.size() && out.size() < kLineMax) {
    const char c = line[i];
    if (c == '\\') {
      i += DecodeEscape(line.substr(i), out);
      continue;
    }
    if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
      comment = true;
      break;
    }
    if (c != '%') {
      const std::size_t len = CharLength(line, i);
      out.append(line.substr(i, len));
      i += len;
      continue;
    }
    // A conversion: gather the specification up to the conversion character.
    ++i;
    std::string_view spec;
    const std::size_t specStart = i;
    bool percent = false;
    while (i < line.size() && kConversions.find(line[i]) == std::string_view::npos) {
      if (line[i] == '%') {
        percent = true;
        break;
      }
      i += CharLength(line, i);
    }
    if (percent) {
      out.push_back('%');
      ++i;
      continue;
    }
    if (i >= line.size()) break;  // the line ended inside a conversion
    spec = line.substr(specStart, i - specStart);
    if (spec.size() > kSpecMax) spec = spec.substr(0, kSpecMax);
    const char conversion = line[i++];
    const QsoRecord& q = *cur;
    const std::size_t start = out.size();
    auto text = [&](std::string_view value) { FormatText(out, value, spec); };
    auto number = [&](unsigned value) { FormatNumber(out, value, spec); };
    // The text up to a closing character (nesting counted for brackets);
    // without one, the rest of the line.
    auto enclosed = [&](char close, bool nested) {
      std::string content;
      if (nested) {
        auto rest = CopyToClose(content, line.substr(i), close, kLineMax);
        i = rest ? line.size() - rest->size() : line.size();
      } else {
        auto rest = CopyUntil(content, line.substr(i), close);
        i = line.size() - rest.size();
      }
      return content;
    };
    // Dates and times as the card shows them, worked out only when used.
    std::optional<Shown> shown;
    auto time = [&]() -> const Shown& {
      if (!shown) shown = ShownTime(q, services_.timeType);
      return *shown;
    };
    switch (conversion) {
      case 'C': text(FieldText(q.Call)); break;
      case 'U': text(FieldText(q.RstSent)); break;
      case 'b': text(ReportPart(q)); break;
      case 'l': text(ExchangePart(q)); break;
      case 'N': text(FieldText(q.Name)); break;
      case 'Q': text(FieldText(q.Qth)); break;
      case 'P': text(FieldText(q.Power)); break;
      case 'L': text(FieldText(q.Remarks)); break;
      case 'a': text(FieldText(q.Freq)); break;
      case 'A': text(BandName(FieldText(q.Freq))); break;
      case 'x': text(MetreBandOf(FieldText(q.Freq))); break;
      case 'O': text(Mode(q)); break;
      case 'S': text(q.QslSent ? std::string_view(&q.QslSent, 1) : std::string_view()); break;
      case 'R': text(q.QslRcvd ? std::string_view(&q.QslRcvd, 1) : std::string_view()); break;
      case 'V':
        if (q.Env == 0) text("");
        else number(static_cast<unsigned>(q.Env));
        break;
      case 'T': text(time().dated ? Format("%02u.%02u.%02u", time().year, time().month, time().day) : ""); break;
      case 'F': text(time().dated ? Format("%02u%02u", time().month, time().day) : ""); break;
      case 'B': text(Format("%02u%02u", time().hour, time().minute)); break;
      case 'y':
      case 'm':
      case 'd':
        if (!time().dated) text("");
        else number(static_cast<unsigned>(conversion == 'y' ? time().year : conversion == 'm' ? time().month : time().day));
        break;
      case 'h': number(static_cast<unsigned>(time().hour)); break;
      case 'i': number(static_cast<unsigned>(time().minute)); break;
      case 'o': {
        const char form = i < line.size() ? line[i] : '\0';
        if (form == '0' || form == '1') {
          ++i;
          text(!time().dated ? "" : form == '0' ? MonthUpper(time().month) : MonthEnglish(time().month));
        } else {
          text("");
        }
        break;
      }
      case 'n': {
        const bool utc = i < line.size() && line[i] == 'z';
        if (utc) ++i;
        const std::time_t now = services_.clock();
        std::tm tm{};
        if (utc) gmtime_r(&now, &tm);
        else localtime_r(&now, &tm);
        const char what = i < line.size() ? line[i] : '\0';
        if (what != '\0' && std::string_view("Yymdhio").find(what) != std::string_view::npos) ++i;
        switch (what) {
          case 'Y': number(static_cast<unsigned>(tm.tm_year + 1900)); break;
          case 'y': number(static_cast<unsigned>(tm.tm_year % 100)); break;
          case 'm': number(static_cast<unsigned>(tm.tm_mon + 1)); break;
          case 'd': number(static_cast<unsigned>(tm.tm_mday)); break;
          case 'h': number(static_cast<unsigned>(tm.tm_hour)); break;
          case 'i': number(static_cast<unsigned>(tm.tm_min)); break;
          case 'o': {
            const char form = i < line.size() ? line[i] : '\0';
            if (form == '0' || form == '1') ++i;
            text(form == '0' ? MonthUpper(tm.tm_mon + 1) : form == '1' ? MonthEnglish(tm.tm_mon + 1) : "");
            break;
          }
          default: text(""); break;
        }
        break;
      }
      case 'p': number(static_cast<unsigned>(context_.PrintNumberBase + context_.CardIndex)); break;
      case 'q': number(static_cast<unsigned>(q.SourceIndex + 1)); break;
      case 's': {
        const char form = i < line.size() ? line[i] : '\0';
        if (form == '0' || form == '1') ++i;
        const int count = std::clamp(context_.QsosOnCard, 0, 16);
        if (form == '0') number(static_cast<unsigned>(count));
        else if (form == '1') text(kNumberWords[static_cast<std::size_t>(count)]);
        else text("");
        break;
      }
      case 'r': {
        int n = DecimalValue(spec);
        if (n == 0) n = 1;
        if (InCard(*cur) && n >= 1 && n <= context_.RepeatCount && n <= kMaxQsosPerCard) cur = &context_.CardQsos[n - 1];
        break;
      }
      case 'z': text(""); break;
      case '{': text(Lookup(enclosed('}', false), *cur, depth + 1)); break;
      case '(': {
        const std::string name = enclosed(')', false);
        std::optional<std::string> macro = context_.Macros ? context_.Macros->FindMacro(name) : std::nullopt;
        text(macro ? *macro : std::string("No Defined"));
        break;
      }
      case '[': text(FindTaggedItem(FieldText(q.Remarks), enclosed(']', true)).value_or(std::string())); break;
      case '<': text(TextFunction(enclosed('>', true), *cur, depth)); break;
      case '\xA2': {
        const std::string content = enclosed('\xA3', true);
        std::string_view rest = content;
        const std::string_view pattern = SplitField(rest, '=');
        ParseByPattern(*cur, rest, pattern);
        break;
      }
      default: break;
    }
    // A slot without a QSO prints blanks where the value would be.
    if (cur->Call[0] == '\0')
      for (std::size_t k = start; k < out.size(); ++k) out[k] = ' ';
  }
  if (out.size() > kLineMax) out.resize(PrefixOfChars(out, kLineMax).size());
  if (comment) TrimRight(out);
  return out;
}

std::string MacroExpander::TextFunction(std::string_view content, QsoRecord& record, int depth) {
  std::string_view rest = content;
  const std::string_view op = SplitComma(rest);
  const std::string_view variable = SplitComma(rest);
  const std::string value = Lookup(variable, record, depth + 1);
  const std::string_view v = value;
  auto number = [&rest] { return static_cast<std::size_t>(std::max(0, DecimalValue(SplitComma(rest)))); };
  auto middle = [](std::string_view text, std::size_t start, std::size_t count) {
    return start >= text.size() ? std::string() : std::string(text.substr(start, count));
  };
  std::string result;
  switch (op.empty() ? '\0' : op[0]) {
    case 'l': result = std::string(v.substr(0, number())); break;
    case 'r': {
      const std::size_t n = number();
      if (n < v.size()) result = std::string(v.substr(v.size() - n));
      break;
    }
    case 's': result = middle(v, number(), std::string_view::npos); break;
    case 'm': {
      const std::size_t start = number();
      result = middle(v, start, number());
      break;
    }
    case 'f': {
      const std::string_view needle = SplitComma(rest);
      const auto at = needle.empty() ? std::string_view::npos : v.find(needle);
      if (at != std::string_view::npos) {
        const std::size_t start = number();
        result = middle(v.substr(at), start, number());
      }
      break;
    }
    default: break;
  }
  return Cut(std::move(result), kValueMax);
}

std::string MacroExpander::Lookup(std::string_view name, QsoRecord& r, int depth) {
  if (depth > kDepthMax) return "";
  const Shown t = ShownTime(r, services_.timeType);
  const auto y = static_cast<unsigned>(t.year), mo = static_cast<unsigned>(t.month), d = static_cast<unsigned>(t.day),
             h = static_cast<unsigned>(t.hour), mi = static_cast<unsigned>(t.minute);
  const auto fourDigits = static_cast<unsigned>(FourDigitYear(t.year));
  const std::string upper(MonthUpper(t.month));
  const std::string english(MonthEnglish(t.month));
  const std::string_view received = r.QslRcvd ? std::string_view(&r.QslRcvd, 1) : std::string_view();
  auto nth = [](std::string_view s, std::size_t n) { return n < s.size() ? std::string(1, s[n]) : std::string(); };

  std::string v;
  if (name == "ToCall") v = FieldText(r.Call);
  else if (name == "ViaCall") v = ViaCall(r);
  else if (name == "ViaENT") v = services_.entities ? ViaEntity(r, *services_.entities) : std::string(kUnknownEntity);
  else if (!t.dated && IsDateVariable(name)) v.clear();
  else if (name == "'YY") v = Format("'%02u", y);
  else if (name == "YY") v = Format("%02u", y);
  else if (name == "MM") v = Format("%02u", mo);
  else if (name == "DD") v = Format("%02u", d);
  else if (name == "MON") v = upper;
  else if (name == "Mon.") v = english;
  else if (name == "YYYY") v = Format("%04u", fourDigits);
  else if (name == "YY/MM/DD") v = Format("%02u/%02u/%02u", y, mo, d);
  else if (name == "YY/DD/MM") v = Format("%02u/%02u/%02u", y, d, mo);
  else if (name == "DD/MM/YY") v = Format("%02u/%02u/%02u", d, mo, y);
  else if (name == "MM/DD") v = Format("%02u/%02u", mo, d);
  else if (name == "DD MON") v = Format("%02u %s", d, upper.c_str());
  else if (name == "DD MON 'YY") v = Format("%02u %s '%02u", d, upper.c_str(), y);
  else if (name == "DD Mon.") v = Format("%02u %s", d, english.c_str());
  else if (name == "DD Mon. 'YY") v = Format("%02u %s '%02u", d, english.c_str(), y);
  else if (name == "DD Mon. YYYY") v = Format("%02u %s %04u", d, english.c_str(), fourDigits);
  else if (name == "Mon. DD") v = Format("%s %02u", english.c_str(), d);
  else if (name == "'YY Mon. DD") v = Format("'%02u %s %02u", y, english.c_str(), d);
  else if (name == "YYYY Mon. DD") v = Format("%04u %s %02u", fourDigits, english.c_str(), d);
  else if (name == "HH:mm") v = Format("%02u:%02u", h, mi);
  else if (name == "HHmm") v = Format("%02u%02u", h, mi);
  else if (name == "HH") v = Format("%02u", h);
  else if (name == "mm") v = Format("%02u", mi);
  else if (name == "JST/UTC") v = ShowsJstTime(r, services_.timeType) ? "JST" : "UTC";
  else if (name == "Band") v = BandName(FieldText(r.Freq));
  else if (name == "Freq") v = FieldText(r.Freq);
  else if (name == "mBand") v = MetreBandOf(FieldText(r.Freq));
  else if (name == "Mode") v = Mode(r);
  else if (name == "RST") v = ReportPart(r);
  else if (name == "RST_R") v = nth(FieldText(r.RstSent), 0);
  else if (name == "RST_S") v = nth(FieldText(r.RstSent), 1);
  else if (name == "RST_T") v = nth(ReportPart(r), 2);
  else if (name == "UR") v = FieldText(r.RstSent);
  else if (name == "Dear") v = Greeting(FieldText(r.Name), " \xBB\xDD", "\x82\xB3\x82\xF1");  // " ｻﾝ", "さん"
  else if (name == "DearF") v = Greeting(FieldText(r.Name), "\x97\x6C", "\x97\x6C");       // "様"
  else if (name == "Name") v = FieldText(r.Name);
  else if (name == "QTH") v = FieldText(r.Qth);
  else if (name == "Power") v = FieldText(r.Power);
  else if (name == "TimeType") v = Format("%d", services_.timeType);
  else if (name == "PSE/TNX") v = received.empty() ? "PSE QSL" : "TNX QSL";
  else if (name == "PSE QSL") v = received.empty() ? "PSE QSL" : "";
  else if (name == "TNX QSL") v = received.empty() ? "" : "TNX QSL";
  else if (name == "TNX/NO") v = received.empty() ? "PSE NO QSL TNX" : "TNX QSL";
  else if (name == "RIG" || name == "ANT") {
    const auto slot = static_cast<std::size_t>(BandSlot(FieldText(r.Freq)) - 1);
    const BandTexts* texts = name == "RIG" ? context_.RigTexts : context_.AntTexts;
    if (texts && slot < texts->size()) v = ActiveLines((*texts)[slot], true, depth + 1);
  } else if (name == "$QSL$") v = BetweenMarks(FieldText(r.Remarks), '$');
  else if (name == "~QSL~") v = BetweenMarks(FieldText(r.Remarks), '~');
  else if (name == "^QSL^") v = BetweenMarks(FieldText(r.Remarks), '^');
  else if (name == "%QSL%") v = BetweenMarks(FieldText(r.Remarks), '%');
  else if (name.starts_with("MAC(")) {
    std::string macro;
    CopyUntil(macro, name.substr(4), ')');
    std::optional<std::string> text = context_.Macros ? context_.Macros->FindMacro(macro) : std::nullopt;
    v = text ? *text : "No Defined";
  } else if (name.starts_with("L2(")) {
    std::string key;
    CopyToClose(key, name.substr(3), ')', kValueMax);
    v = FindTaggedItem(FieldText(r.Remarks), key).value_or(std::string());
  } else if (name.size() == 5 && name.starts_with("Via_") && name[4] >= '0' && name[4] <= '9') {
    const std::size_t n = name[4] == '0' ? 1 : static_cast<std::size_t>(name[4] - '0');
    v = nth(ViaCall(r), n - 1);
  } else {
    v = Expand(name, r, depth + 1);
  }
  return Cut(std::move(v), kValueMax);
}

std::string MacroExpander::Greeting(std::string_view name, std::string_view kanaSuffix, std::string_view wideSuffix) {
  if (name.empty()) return "";
  std::string firstWord;
  std::string word;
  std::string_view rest = name;
  bool first = true;
  while (!rest.empty()) {
    rest = CopyWord(word, rest);
    if (first && !word.empty()) {
      firstWord = word;
      first = false;
    }
    for (char c : word) {
      if (static_cast<u8>(c) < 0x80) continue;
      return word + std::string(IsLeadByte(c) ? wideSuffix : kanaSuffix);
    }
  }
  return "Dear " + firstWord;
}

}  // namespace tevra
