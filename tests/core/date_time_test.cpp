#include "core/date_time.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

struct Ymdh {
  int y, m, d, h;
  bool operator==(const Ymdh&) const = default;
};

Ymdh ToUtc(Ymdh t) {
  ShiftToUtc(t.y, t.m, t.d, t.h);
  return t;
}
Ymdh ToJst(Ymdh t) {
  ShiftToJst(t.y, t.m, t.d, t.h);
  return t;
}

TEST(DateTime, ShiftsAcrossDaysMonthsYearsAndLeapDays) {
  EXPECT_EQ(ToUtc({0, 1, 1, 5}), (Ymdh{99, 12, 31, 20}));
  EXPECT_EQ(ToUtc({4, 3, 1, 8}), (Ymdh{4, 2, 29, 23}));
  EXPECT_EQ(ToUtc({5, 3, 1, 8}), (Ymdh{5, 2, 28, 23}));
  EXPECT_EQ(ToUtc({24, 6, 10, 9}), (Ymdh{24, 6, 10, 0}));
  EXPECT_EQ(ToJst({99, 12, 31, 20}), (Ymdh{0, 1, 1, 5}));
  EXPECT_EQ(ToJst({4, 2, 28, 18}), (Ymdh{4, 2, 29, 3}));
  EXPECT_EQ(ToJst({5, 2, 28, 18}), (Ymdh{5, 3, 1, 3}));
  EXPECT_EQ(ToJst({24, 4, 30, 15}), (Ymdh{24, 5, 1, 0}));
  // Damaged dates keep going without reading outside the month table.
  EXPECT_EQ(ToJst({24, 0, 31, 20}), (Ymdh{24, 1, 1, 5}));
  EXPECT_EQ(ToUtc({24, 13, 1, 0}), (Ymdh{24, 12, 31, 15}));
}

TEST(DateTime, OrdinalsAndYears) {
  EXPECT_GT(DateOrdinal(0, 1, 1), DateOrdinal(99, 12, 31));
  EXPECT_LT(DateOrdinal(99, 12, 31), DateOrdinal(0, 1, 1));
  EXPECT_EQ(DateOrdinal(50, 1, 2) - DateOrdinal(50, 1, 1), 1);
  EXPECT_EQ(DateOrdinal(50, 2, 1) - DateOrdinal(50, 1, 1), 31);
  EXPECT_EQ(FourDigitYear(49), 2049);
  EXPECT_EQ(FourDigitYear(50), 1950);
}

TEST(DateTime, MonthNames) {
  EXPECT_EQ(MonthFromName("jan"), 1);
  EXPECT_EQ(MonthFromName("Sept."), 9);
  EXPECT_EQ(MonthFromName("JUNE"), 6);
  EXPECT_EQ(MonthFromName("13"), 13);  // no range check on numbers
  EXPECT_EQ(MonthFromName(""), 0);
  EXPECT_EQ(MonthFromName("Sep"), 9);
  EXPECT_EQ(MonthFromName("Sept"), 0);
  EXPECT_EQ(MonthNumberOfName("12"), 0);
  EXPECT_TRUE(ContainsMonthName("13-feb-24"));
  EXPECT_FALSE(ContainsMonthName("13-02-24"));
}

TEST(DateTime, ShowsJstFollowsTimeType) {
  QsoRecord ja;
  SetField(ja.Call, "JA1ABC");
  QsoRecord dx;
  SetField(dx.Call, "W1AW");
  EXPECT_TRUE(ShowsJst(ja, TimeAuto));
  EXPECT_FALSE(ShowsJst(dx, TimeAuto));
  EXPECT_TRUE(ShowsJst(dx, TimeJst));
  EXPECT_FALSE(ShowsJst(ja, TimeUtc));
}

struct KeywordCase {
  const char* keyword;
  const char* column;
  int year, month, day, hour, minute;  // -1: unchanged (the start value 77)
};

TEST(DateTime, ColumnKeywords) {
  const KeywordCase cases[] = {
      {"YY.MM.DD", "24.11.3", 24, 11, 3, -1, -1},
      {"YY/MM/DD", "2024/11/03", 24, 11, 3, -1, -1},
      {"YY-MM-DD", "24-11", -1, -1, -1, -1, -1},  // two numbers: nothing
      {"DD/MM/YY", "03/11/24", 24, 11, 3, -1, -1},
      {"YYMMDD", "20061231", 6, 12, 31, -1, -1},
      {"YYDDMM", "061231", 6, 31, 12, -1, -1},
      {"YY-MM-DD HH:mm", "'24-11-03 12:34", 24, 11, 3, 12, 34},
      {"YY-MM-DD HH:mm", "24-11-03 12", -1, -1, -1, -1, -1},
      {"YY-MM-DD HHmm", "24-11-03 0930", 24, 11, 3, 9, 30},
      {"DD MON 'YY", "13 Sept. '97", 97, 9, 13, -1, -1},
      {"DD MON 'YY", "13 jan 2001", 1, 1, 13, -1, -1},
      {"DD MON 'YY", "13 jan", -1, -1, -1, -1, -1},
      {"'YY DD MON", "'97 13 Oct.", 97, 10, 13, -1, -1},
      {"DD MON", "5 FEB", -1, 2, 5, -1, -1},
      {"MON DD", "Mar. 7", -1, 3, 7, -1, -1},
      {"MON", "dec", -1, 12, -1, -1, -1},
      {"MMDD", "0412", -1, 12, 4, -1, -1},  // the upper digits are the day
      {"HHmm", "0905", -1, -1, -1, 9, 5},
      {"HHmm", "x", -1, -1, -1, -1, -1},
      {"HH:mm", "23:59", -1, -1, -1, 23, 59},
      {"YYYY", "2024", 24, -1, -1, -1, -1},
      {"'YY", "'99", 99, -1, -1, -1, -1},
      {"MM", "7", -1, 7, -1, -1, -1},
      {"mm", "45", -1, -1, -1, -1, 45},
  };
  for (const auto& c : cases) {
    QsoRecord r;
    r.Year = r.Month = r.Day = r.Hour = r.Minute = 77;
    bool utc = false;
    ASSERT_TRUE(ApplyDateTimeKeyword(c.keyword, c.column, r, utc)) << c.keyword;
    auto expect = [&](int want, int got, const char* what) {
      EXPECT_EQ(got, want < 0 ? 77 : want) << c.keyword << " on '" << c.column << "': " << what;
    };
    expect(c.year, r.Year, "year");
    expect(c.month, r.Month, "month");
    expect(c.day, r.Day, "day");
    expect(c.hour, r.Hour, "hour");
    expect(c.minute, r.Minute, "minute");
  }
  QsoRecord r;
  bool utc = false;
  EXPECT_FALSE(ApplyDateTimeKeyword("CALL", "x", r, utc));
}

TEST(DateTime, ZoneLetterOfHHmmJ) {
  QsoRecord r;
  bool utc = false;
  ApplyDateTimeKeyword("HHmmJ", "1234Z", r, utc);
  EXPECT_TRUE(utc);
  EXPECT_EQ(r.Hour, 12);
  EXPECT_EQ(r.Minute, 34);
  ApplyDateTimeKeyword("HHmmJ", "0800J", r, utc);
  EXPECT_FALSE(utc);
  EXPECT_EQ(r.Hour, 8);
  utc = true;
  ApplyDateTimeKeyword("HHmmJ", "1234", r, utc);
  EXPECT_TRUE(utc);  // no letter: the source setting stands
  ApplyDateTimeKeyword("HHmmJ", "", r, utc);
  EXPECT_TRUE(utc);
}

}  // namespace
}  // namespace tevra
