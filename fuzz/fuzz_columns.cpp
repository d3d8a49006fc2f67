// Arbitrary lines through the column keywords and capture patterns. The
// first bytes choose the layout; the rest is the line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/column_keywords.h"

namespace {
constexpr const char* kKeywords[] = {
    "CALL",      "RST",       "MODE",     "FREQ",          "KHz",           "POWER",   "NAME",   "QTH",
    "QSL",       "SEND",      "RECV",     "ENV",           "ADDQSL",        "QSL[REM]", "QSL\xA2My\xA3", "mBAND",
    "YY.MM.DD",  "YYMMDD",    "DD/MM/YY", "YY-MM-DD HH:mm", "DD MON 'YY",   "'YY DD MON", "MON DD", "MMDD",
    "HHmmJ",     "HH:mm",     "NULL",     "%4C%3U",        "%y/%m/%d",      "%k %N",   "%T|%F|%f", "%B\\x2C%o1",
};
constexpr std::size_t kKeywordCount = sizeof kKeywords / sizeof kKeywords[0];

bool FieldsTerminated(const tevra::QsoRecord& r) {
  return tevra::FieldText(r.Call).size() < sizeof r.Call && tevra::FieldText(r.Remarks).size() < sizeof r.Remarks &&
         tevra::FieldText(r.Freq).size() < sizeof r.Freq;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  tevra::RecordLayout layout;
  for (int i = 0; i < 4; ++i) layout.columns[i] = kKeywords[data[i] % kKeywordCount];
  layout.separatorType = data[0] % 5;
  layout.utc = data[1] & 1;
  const std::string_view line(reinterpret_cast<const char*>(data + 4), size - 4);

  tevra::QsoRecord def, record;
  tevra::ParseRecordLine(record, line, 4, layout, def);
  if (!FieldsTerminated(record)) std::abort();

  // The line itself as a pattern over itself and over a fixed text.
  tevra::QsoRecord patterned;
  tevra::ParseByPattern(patterned, line, line);
  tevra::ParseByPattern(patterned, "JA1ABC 599 24.11.03 1234Z", line);
  if (!FieldsTerminated(patterned)) std::abort();
  return 0;
}
