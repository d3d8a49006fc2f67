#include "core/date_time.h"

#include <cstdint>

#include "core/call_sign.h"
#include "core/text.h"

namespace tevra {

const std::array<std::string_view, 12> kMonthUpper = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const std::array<std::string_view, 12> kMonthEnglish = {"Jan.", "Feb.", "Mar.", "Apr.",  "May",  "June",
                                                        "July", "Aug.", "Sept.", "Oct.", "Nov.", "Dec."};
const std::array<std::string_view, 17> kNumberWords = {"zero",  "one",    "two",      "three",    "four",    "five",
                                                       "six",   "seven",  "eight",    "nine",     "ten",     "eleven",
                                                       "twelve", "thirteen", "fourteen", "fifteen", "sixteen"};

namespace {

using u8 = std::uint8_t;

bool ReadLeading(std::string_view text, unsigned& value) { return ScanUnsigned(text, value); }

std::string Replaced(std::string_view text, char from, char to) {
  std::string out(text);
  ReplaceChar(out, from, to);
  return out;
}

void SetDate(QsoRecord& r, unsigned year, unsigned month, unsigned day) {
  r.Year = static_cast<u8>(year % 100);
  r.Month = static_cast<u8>(month);
  r.Day = static_cast<u8>(day);
}

void SetHhmm(QsoRecord& r, unsigned hhmm) {
  r.Hour = static_cast<u8>(hhmm / 100);
  r.Minute = static_cast<u8>(hhmm % 100);
}

// Splits off the first blank-separated word.
std::string_view FirstWord(std::string_view& text) {
  text = SkipBlanks(text);
  auto end = text.find_first_of(" \t");
  std::string_view word = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view() : text.substr(end);
  return word;
}

}  // namespace

int FourDigitYear(int year) { return 1900 + year + (year < 50 ? 100 : 0); }

bool IsLeapYear(int year) { return year % 4 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 31;  // damaged data: keep the arithmetic going
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int MonthNumberOfName(std::string_view text) {
  for (int m = 0; m < 12; ++m)
    if (EqualsNoCase(text, kMonthUpper[m]) || EqualsNoCase(text, kMonthEnglish[m])) return m + 1;
  return 0;
}

int MonthFromName(std::string_view text) {
  if (int m = MonthNumberOfName(text)) return m;
  unsigned value = 0;
  if (!text.empty() && text[0] >= '0' && text[0] <= '9' && ScanUnsigned(text, value)) return static_cast<int>(value);
  return 0;
}

bool ContainsMonthName(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    std::string_view rest = text.substr(i);
    for (int m = 0; m < 12; ++m)
      if (StartsWithNoCase(rest, kMonthUpper[m]) || StartsWithNoCase(rest, kMonthEnglish[m])) return true;
  }
  return false;
}

void ShiftToUtc(int& year, int& month, int& day, int& hour) {
  hour -= 9;
  if (hour >= 0) return;
  hour += 24;
  if (--day > 0) return;
  if (--month <= 0) {
    month = 12;
    year = year == 0 ? 99 : year - 1;
  }
  day = DaysInMonth(year, month);
}

void ShiftToJst(int& year, int& month, int& day, int& hour) {
  hour += 9;
  if (hour < 24) return;
  hour -= 24;
  if (++day <= DaysInMonth(year, month)) return;
  day = 1;
  if (++month < 13) return;
  month = 1;
  if (++year == 100) year = 0;
}

namespace {
template <typename Shift>
void ShiftRecord(QsoRecord& r, Shift shift) {
  int year = r.Year, month = r.Month, day = r.Day, hour = r.Hour;
  shift(year, month, day, hour);
  r.Year = static_cast<u8>(year);
  r.Month = static_cast<u8>(month);
  r.Day = static_cast<u8>(day);
  r.Hour = static_cast<u8>(hour);
}
}  // namespace

void ShiftToUtc(QsoRecord& record) {
  ShiftRecord(record, [](int& y, int& m, int& d, int& h) { ShiftToUtc(y, m, d, h); });
}

void ShiftToJst(QsoRecord& record) {
  ShiftRecord(record, [](int& y, int& m, int& d, int& h) { ShiftToJst(y, m, d, h); });
}

int DateOrdinal(int y, int m, int d) {
  return (m + 12 * y + (y < 50 ? 1200 : 0) - (m != 0 ? 1 : 0)) * 31 + d - (d != 0 ? 1 : 0);
}

bool HasReadableDate(const QsoRecord& record) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (record.Month < 1 || record.Month > 12 || record.Day < 1) return false;
  if (record.Month == 2 && record.Day == 29) return record.Year % 4 == 0;
  return record.Day <= kDays[record.Month - 1];
}

bool HasReadableTime(const QsoRecord& record) { return record.Hour <= 23 && record.Minute <= 59; }

bool ShowsJst(const QsoRecord& record, int timeType) {
  if (timeType == TimeJst) return true;
  if (timeType == TimeUtc) return false;
  return IsJapaneseStation(FieldText(record.Call));
}

bool ApplyDateTimeKeyword(std::string_view keyword, std::string_view column, QsoRecord& r, bool& zoneUtc) {
  unsigned v[5] = {};
  auto ymd = [&](std::string_view text) {
    if (ScanNumbers(text, "..", v, 3) == 3) SetDate(r, v[0], v[1], v[2]);
  };
  if (keyword == "YY.MM.DD") {
    ymd(column);
  } else if (keyword == "YY/MM/DD") {
    ymd(Replaced(column, '/', '.'));
  } else if (keyword == "YY-MM-DD") {
    ymd(Replaced(column, '-', '.'));
  } else if (keyword == "DD/MM/YY") {
    if (ScanNumbers(Replaced(column, '/', '.'), "..", v, 3) == 3) SetDate(r, v[2], v[1], v[0]);
  } else if (keyword == "YYMMDD" || keyword == "YYDDMM") {
    const unsigned value = static_cast<unsigned>(DecimalValue(column));
    const unsigned low = value % 100, mid = value / 100 % 100;
    if (keyword == "YYMMDD") SetDate(r, value / 10000, mid, low);
    else SetDate(r, value / 10000, low, mid);
  } else if (keyword == "YY-MM-DD HH:mm") {
    if (ScanNumbers(Replaced(SkipApostrophe(column), '-', '.'), ".. :", v, 5) == 5) {
      SetDate(r, v[0], v[1], v[2]);
      r.Hour = static_cast<u8>(v[3]);
      r.Minute = static_cast<u8>(v[4]);
    }
  } else if (keyword == "YY-MM-DD HHmm") {
    if (ScanNumbers(Replaced(SkipApostrophe(column), '-', '.'), ".. ", v, 4) == 4) {
      SetDate(r, v[0], v[1], v[2]);
      SetHhmm(r, v[3]);
    }
  } else if (keyword == "DD MON 'YY") {
    std::string_view rest = column;
    std::string_view dayText = FirstWord(rest);
    std::string_view month = FirstWord(rest);
    std::string_view yearText = SkipApostrophe(SkipBlanks(rest));
    unsigned day = 0, year = 0;
    if (ReadLeading(dayText, day) && ReadLeading(yearText, year)) {
      r.Day = static_cast<u8>(day);
      r.Month = static_cast<u8>(MonthFromName(month));
      r.Year = static_cast<u8>(year % 100);
    }
  } else if (keyword == "'YY DD MON") {
    std::string_view rest = column;
    std::string_view yearText = SkipApostrophe(FirstWord(rest));
    std::string_view dayText = FirstWord(rest);
    unsigned day = 0, year = 0;
    if (ReadLeading(yearText, year) && ReadLeading(dayText, day)) {
      r.Year = static_cast<u8>(year % 100);
      r.Day = static_cast<u8>(day);
      r.Month = static_cast<u8>(MonthFromName(SkipBlanks(rest)));
    }
  } else if (keyword == "DD MON") {
    std::string_view rest = column;
    unsigned day = 0;
    if (ReadLeading(FirstWord(rest), day)) {
      r.Day = static_cast<u8>(day);
      r.Month = static_cast<u8>(MonthFromName(SkipBlanks(rest)));
    }
  } else if (keyword == "MON DD") {
    std::string_view rest = column;
    std::string_view month = FirstWord(rest);
    unsigned day = 0;
    if (ReadLeading(SkipBlanks(rest), day)) {
      r.Day = static_cast<u8>(day);
      r.Month = static_cast<u8>(MonthFromName(month));
    }
  } else if (keyword == "MON") {
    r.Month = static_cast<u8>(MonthFromName(column));
  } else if (keyword == "MMDD") {
    // Despite its name the upper two digits are the day (0412: 4 December):
    // setting files written for this keyword rely on it. "YYDDMM" and
    // capture patterns read the other orders.
    if (ReadLeading(column, v[0])) {
      r.Day = static_cast<u8>(v[0] / 100);
      r.Month = static_cast<u8>(v[0] % 100);
    }
  } else if (keyword == "HHmm") {
    if (ReadLeading(column, v[0])) SetHhmm(r, v[0]);
  } else if (keyword == "HHmmJ") {
    std::string_view text = column;
    const char zone = LastChar(text);
    if (zone == 'I' || zone == 'J' || zone == 'U' || zone == 'Z') {
      zoneUtc = zone == 'U' || zone == 'Z';
      text.remove_suffix(1);
    }
    if (ReadLeading(text, v[0])) SetHhmm(r, v[0]);
  } else if (keyword == "HH:mm") {
    if (ScanNumbers(column, ":", v, 2) == 2) {
      r.Hour = static_cast<u8>(v[0]);
      r.Minute = static_cast<u8>(v[1]);
    }
  } else if (keyword == "YY" || keyword == "YYYY" || keyword == "'YY") {
    if (ReadLeading(keyword == "'YY" ? SkipApostrophe(column) : column, v[0])) r.Year = static_cast<u8>(v[0] % 100);
  } else if (keyword == "MM" || keyword == "DD" || keyword == "HH" || keyword == "mm") {
    if (!ReadLeading(column, v[0])) return true;
    const u8 value = static_cast<u8>(v[0]);
    if (keyword == "MM") r.Month = value;
    else if (keyword == "DD") r.Day = value;
    else if (keyword == "HH") r.Hour = value;
    else r.Minute = value;
  } else {
    return false;
  }
  return true;
}

}  // namespace tevra
