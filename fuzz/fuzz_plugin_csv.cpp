// Arbitrary bytes as the CSV file of the sample plug-in: every record's
// line and fields are read, one field is written, and the file that would
// be saved must read as the same records with only that field changed.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "csv_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  extsrc::CsvLog log;
  if (!log.Parse(bytes)) return 0;
  for (std::size_t r = 0; r < log.RecordCount(); ++r) {
    (void)log.Line(r);
    for (std::size_t f = 0; f <= log.FieldCount(); ++f) (void)log.Text(r, f);
  }
  if (log.RecordCount() == 0 || log.FieldCount() == 0) return 0;
  const std::size_t record = log.RecordCount() / 2, field = log.FieldCount() - 1;
  const auto edit = log.Set(record, field, "Y,\"1\"");
  if (!edit) {
    if (!log.Unclosed(record)) std::abort();  // only a record cut inside a quote refuses
    return 0;
  }
  if (log.Text(record, field) != "Y,\"1\"") std::abort();  // what was written reads back
  // The file as it would be saved reads as the same records, with every
  // other field as it was.
  extsrc::CsvLog again;
  if (!again.Parse(log.Bytes(), log.Encoding()) || again.RecordCount() != log.RecordCount() || again.FieldCount() != log.FieldCount())
    std::abort();
  for (std::size_t r = 0; r < log.RecordCount(); ++r)
    for (std::size_t f = 0; f < log.FieldCount(); ++f)
      if (again.Text(r, f) != log.Text(r, f)) std::abort();
  log.Undo(*edit);
  if (log.Bytes() != bytes) std::abort();  // and undone, the file is as it was
  return 0;
}
