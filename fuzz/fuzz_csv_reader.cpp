// Arbitrary bytes as a CSV text log read with a fixed set of formulas and
// with formulas guessed from the first line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "import/csv_format_dialog.h"
#include "import/csv_guess.h"
#include "import/csv_readers.h"
#include "memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto file = tevra::fuzz::MemoryFile(data, size);
  if (!file) return 0;
  const std::vector<std::string> samples = tevra::ReadCsvSamples(file.get());

  tevra::RecordLayout layout;
  const char* formulas[] = {"YY/MM/DD", "HHmm", "CALL", "RST", "QSL[REM]", "%4C%3U", "FREQ", "DD MON 'YY"};
  for (int i = 0; i < 8; ++i) layout.columns[i] = formulas[i];
  layout.separatorType = size > 0 ? data[0] % 5 : 0;
  if (!samples.empty()) {
    const auto guessed = tevra::GuessFormulas(tevra::SplitColumns(samples[0], layout.separatorType), samples);
    for (int i = 8; i < tevra::kColumnSlots; ++i) layout.columns[i] = guessed[i];
  }
  std::rewind(file.get());
  tevra::QsoRecord def, record;
  // Every encoding in turn.
  tevra::CsvTextReader reader(file.get(), layout, def, 1, static_cast<tevra::TextEncoding>(size % 3));
  while (reader.Next(record) != tevra::RecordSource::Step::End)
    if (tevra::FieldText(record.Remarks).size() > 512) std::abort();
  return 0;
}
