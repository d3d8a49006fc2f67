// Feeds arbitrary bytes to the KUVAL text reader through a file in memory, and
// checks what the store then holds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "import/kuval_text_reader.h"
#include "core/qso_record.h"
#include "memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto file = tevra::fuzz::MemoryFile(data, size);
  if (!file) return 0;
  tevra::KuvalTextReader reader(file.get());
  tevra::QsoRecord record;
  std::size_t lines = 0;
  for (;;) {
    auto step = reader.Next(record);
    if (step == tevra::RecordSource::Step::End) break;
    ++lines;
    if (step == tevra::RecordSource::Step::Record) {
      // Every text field must stay terminated within its array.
      if (tevra::FieldText(record.Remarks).size() > 512 || tevra::FieldText(record.Call).size() > 24) std::abort();
      auto bytes = tevra::ToBytes(record);
      if (!(tevra::FromBytes(bytes) == record)) std::abort();
    }
  }
  if (lines > size + 1) std::abort();  // one line per line feed, at most
  return 0;
}
