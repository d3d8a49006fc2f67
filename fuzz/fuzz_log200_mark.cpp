// Arbitrary bytes as a LOG200 record and a sent mark: inserting the mark
// keeps the record's length, its line end and its fingerprint, so that a
// record marked once is still recognised as the record that was loaded.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "import/record_fingerprint.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string record = bytes.substr(0, 200);
  record.resize(200, ' ');
  std::string mark = bytes.size() > 200 ? bytes.substr(200, 8) : std::string("-");
  for (char& c : mark)
    if (c == '\x1E') c = '*';  // a separator in a mark would make a new field
  const std::string before = record;
  const bool inserted = tevra::InsertLog200Mark(record, mark);
  if (record.size() != 200 || record.substr(198) != before.substr(198)) std::abort();
  if (!inserted && record != before) std::abort();
  if (tevra::L2Fingerprint(record) != tevra::L2Fingerprint(before)) std::abort();
  return 0;
}
