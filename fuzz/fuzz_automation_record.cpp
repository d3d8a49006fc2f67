// Arbitrary bytes as one QSO line in the automation form (what a plug-in
// without field names and an automation client hand over).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/automation_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  tevra::QsoRecord record;
  if (tevra::ParseAutomationRecord(line, record, 512)) {
    // Every text stays within its field, NUL-terminated.
    if (record.Call[sizeof record.Call - 1] != '\0' || record.Remarks[sizeof record.Remarks - 1] != '\0' ||
        record.Name[sizeof record.Name - 1] != '\0' || record.Env < 0)
      std::abort();
  }
  return 0;
}
