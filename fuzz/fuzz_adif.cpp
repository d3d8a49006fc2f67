#include <cstdint>
#include <string_view>

#include "import/adif_reader.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::AdifReader reader(std::string_view(reinterpret_cast<const char*>(data), size));
  tevra::fuzz::Drain(reader, size / 5 + 1);  // "<EOR>" is five bytes
  return 0;
}
