// The one-line text form in which a logging program hands a QSO to the
// card printer (and a plug-in without field names delivers its records):
// date, time, call, report, frequency, mode, power, name, QTH, remarks,
// sent mark, received mark, environment, separated by commas; a field in
// double quotes may hold commas.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/qso_record.h"

namespace tevra {

// Reads line into record (which starts all zero). False when the time field
// holds no number, or the date or the time cannot be (month 13, 25:00):
// such a record is not taken. The line is first cut to
// maxLine bytes.
bool ParseAutomationRecord(std::string_view line, QsoRecord& record, std::size_t maxLine = 511);

}  // namespace tevra
