#include "import/automation_record.h"

#include <optional>

#include "core/date_time.h"
#include "core/text.h"

namespace tevra {

namespace {

// An unsigned number at text[pos]: leading blanks, an optional "+", then
// digits. Advances pos past it.
std::optional<unsigned> ScanUnsigned(std::string_view text, std::size_t& pos) {
  std::size_t i = pos;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  const std::size_t digits = i;
  unsigned value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') value = value * 10 + static_cast<unsigned>(text[i++] - '0');
  if (i == digits) return std::nullopt;
  pos = i;
  return value;
}

std::uint8_t Byte(unsigned value) { return value > 255 ? 0 : static_cast<std::uint8_t>(value); }

void ReadDate(std::string_view field, QsoRecord& record) {
  // Year, month and day with dots or slashes between them (hyphens too, as
  // ISO dates come); otherwise the whole field as the number YYMMDD.
  std::size_t pos = 0;
  const auto year = ScanUnsigned(field, pos);
  if (year && pos < field.size() && (field[pos] == '.' || field[pos] == '/' || field[pos] == '-')) {
    const char separator = field[pos++];
    const auto month = ScanUnsigned(field, pos);
    if (month && pos < field.size() && field[pos] == separator) {
      ++pos;
      if (const auto day = ScanUnsigned(field, pos)) {
        record.Year = static_cast<std::uint8_t>(*year % 100);
        record.Month = Byte(*month);
        record.Day = Byte(*day);
        return;
      }
    }
  }
  const auto v = static_cast<unsigned>(DecimalValue(field));
  record.Year = static_cast<std::uint8_t>(v / 10000 % 100);
  record.Month = static_cast<std::uint8_t>(v / 100 % 100);
  record.Day = static_cast<std::uint8_t>(v % 100);
}

bool ReadTime(std::string_view field, QsoRecord& record) {
  std::size_t pos = 0;
  const auto first = ScanUnsigned(field, pos);
  if (!first) return false;
  if (pos < field.size() && field[pos] == ':') {
    ++pos;
    if (const auto minute = ScanUnsigned(field, pos)) {
      record.Hour = Byte(*first);
      record.Minute = Byte(*minute);
      return true;
    }
  }
  record.Hour = Byte(*first / 100);
  record.Minute = static_cast<std::uint8_t>(*first % 100);
  return true;
}

}  // namespace

bool ParseAutomationRecord(std::string_view line, QsoRecord& record, std::size_t maxLine) {
  record = QsoRecord{};
  std::string_view rest = line.substr(0, maxLine);
  const std::string_view date = SplitComma(rest);
  ReadDate(date, record);
  if (!ReadTime(SplitComma(rest), record)) return false;
  // A date or a time that cannot be is no QSO (a record without a date
  // keeps none).
  if (record.Hour > 23 || record.Minute > 59) return false;
  if (!SkipBlanks(date).empty() &&
      (record.Month < 1 || record.Month > 12 || record.Day < 1 ||
       record.Day > DaysInMonth(FourDigitYear(record.Year), record.Month)))
    return false;
  SetField(record.Call, SplitComma(rest));
  SetField(record.RstSent, SplitComma(rest));
  SetField(record.Freq, SplitComma(rest));
  SetField(record.Mode, SplitComma(rest));
  SetField(record.Power, SplitComma(rest));
  SetField(record.Name, SplitComma(rest));
  SetField(record.Qth, SplitComma(rest));
  SetField(record.Remarks, SplitComma(rest));
  const std::string_view sent = SplitComma(rest);
  record.QslSent = sent.empty() ? 0 : sent.front();
  const std::string_view received = SplitComma(rest);
  record.QslRcvd = received.empty() ? 0 : received.front();
  std::size_t pos = 0;
  const std::string_view env = SplitComma(rest);
  const auto value = ScanUnsigned(env, pos);
  record.Env = value && *value <= 0x7FFFFFFF ? static_cast<std::int32_t>(*value) : 0;
  return true;
}

}  // namespace tevra
