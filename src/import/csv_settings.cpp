#include "import/csv_settings.h"

#include <string>

namespace tevra {

void ReadCsvSettings(const Profile& profile, RecordLayout& layout) {
  for (int i = 0; i < kColumnSlots; ++i)
    layout.columns[i] = profile.GetString("Option", "CsvItem" + std::to_string(i + 1), kUnusedColumn);
  const int delimiter = profile.GetInt("Option", "CsvDlm", 0);
  layout.separatorType = delimiter >= 0 && delimiter <= 4 ? delimiter : 0;
  layout.utc = profile.GetInt("Option", "CsvUTC", 0) != 0;
}

}  // namespace tevra
