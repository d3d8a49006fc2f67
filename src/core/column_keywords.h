// Reading one delimited log line into a QSO through column keywords, and the
// capture-pattern matcher.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/qso_record.h"

namespace tevra {

inline constexpr int kColumnSlots = 32;
inline constexpr std::string_view kUnusedColumn = "NULL";

// How a delimited record is laid out: column keywords (CP932), the separator
// type (0 comma, 1 tab, 2 space, 3 space or tab) and whether times are UTC.
struct RecordLayout {
  std::array<std::string, kColumnSlots> columns;
  int separatorType = 0;
  bool utc = false;

  RecordLayout() { columns.fill(std::string(kUnusedColumn)); }
};

// One past the last column that is not "NULL".
int ColumnCount(const std::array<std::string, kColumnSlots>& columns);

// Fills record from one line: it starts as a copy of defaultRecord, whose
// date is then updated to the date just read (a line without date columns
// takes the previous line's date).
void ParseRecordLine(QsoRecord& record, std::string_view line, int columnCount, const RecordLayout& layout,
                     QsoRecord& defaultRecord);

// Captures values from text into record following pattern. False when the
// text does not fit; values captured before the mismatch stay.
bool ParseByPattern(QsoRecord& record, std::string_view text, std::string_view pattern);

}  // namespace tevra
