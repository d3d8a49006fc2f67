#include <cstdint>
#include <string>

#include "import/native_readers.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::L2Reader reader(std::string(reinterpret_cast<const char*>(data), size));
  tevra::fuzz::Drain(reader, size / tevra::kL2RecordSize + 1);
  return 0;
}
