// Two-digit years, month names, the JST/UTC shift and the date and time
// column keywords.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/qso_record.h"

namespace tevra {

// Option "TimeType": which clock cards show.
enum TimeType : int { TimeAuto = 0, TimeJst = 1, TimeUtc = 2 };

int FourDigitYear(int year);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

extern const std::array<std::string_view, 12> kMonthUpper;    // "JAN".."DEC"
extern const std::array<std::string_view, 12> kMonthEnglish;  // "Jan.".."Dec."
extern const std::array<std::string_view, 17> kNumberWords;   // "zero".."sixteen"

int MonthFromName(std::string_view text);
int MonthNumberOfName(std::string_view text);
bool ContainsMonthName(std::string_view text);

void ShiftToUtc(int& year, int& month, int& day, int& hour);
void ShiftToJst(int& year, int& month, int& day, int& hour);
void ShiftToUtc(QsoRecord& record);
void ShiftToJst(QsoRecord& record);

int DateOrdinal(int year, int month, int day);

// Whether cards show the record's time as logged (JST).
bool ShowsJst(const QsoRecord& record, int timeType);
// Whether a record holds a real date: month 1-12 and a day the month has
// (a two-digit year divisible by four is a leap year). Readers leave an
// unreadable or impossible date zero.
bool HasReadableDate(const QsoRecord& record);
// Whether a record's time is a real one (hour 0-23, minute 0-59).
bool HasReadableTime(const QsoRecord& record);

// Applies a date or time column keyword to a trimmed column text. False when
// the keyword is none of them. zoneUtc is changed by "HHmmJ".
bool ApplyDateTimeKeyword(std::string_view keyword, std::string_view column, QsoRecord& record, bool& zoneUtc);

}  // namespace tevra
