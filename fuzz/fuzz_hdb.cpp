#include <cstdint>
#include <string>

#include "import/native_readers.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::Th5Widths widths = tevra::kDefaultTh5Widths;
  tevra::HdbReader reader(std::string(reinterpret_cast<const char*>(data), size), widths);
  tevra::fuzz::Drain(reader, size + 1);
  return 0;
}
