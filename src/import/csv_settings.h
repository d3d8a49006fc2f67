// The conversion settings in the settings file's "Option" section.
#pragma once

#include "core/column_keywords.h"
#include "core/profile.h"

namespace tevra {

// Reads "CsvItem1".."CsvItem32", "CsvDlm" and "CsvUTC" (missing keys give
// "NULL", comma and off).
void ReadCsvSettings(const Profile& profile, RecordLayout& layout);

}  // namespace tevra
