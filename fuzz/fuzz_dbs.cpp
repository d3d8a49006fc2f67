// The input is split into the .dbs file and the .DBR file at a point given
// by its first two bytes.
#include <cstdint>
#include <string>

#include "import/native_readers.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::size_t split = std::min<std::size_t>((data[0] | (data[1] << 8)) * 4u, input.size());
  std::string dbs = input.substr(0, split);
  if (!tevra::DbsHeaderValid(dbs)) return 0;
  tevra::DbsReader reader(dbs, input.substr(split));
  tevra::fuzz::Drain(reader, dbs.size() / tevra::kDbsRecordSize + 1);
  return 0;
}
