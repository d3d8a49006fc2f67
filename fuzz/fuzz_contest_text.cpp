// CT, TR-LOG and Cabrillo readers over the same bytes.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "import/contest_readers.h"
#include "memory_file.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::QsoRecord defaults;
  for (auto kind : {tevra::FixedColumnReader::Kind::Ct, tevra::FixedColumnReader::Kind::TrLog}) {
    auto file = tevra::fuzz::MemoryFile(data, size);
    if (!file) return 0;
    tevra::FixedColumnReader reader(file.get(), kind, defaults);
    tevra::fuzz::Drain(reader, size + 1);
  }
  tevra::CabrilloOptions options;
  options.fixedCallColumn = size > 0 && (data[0] & 1);
  options.phoneRule = size > 0 ? data[0] % 4 : 0;
  // Every encoding, and now and then the detection.
  std::optional<tevra::TextEncoding> encoding;
  if (size > 1 && data[1] % 4 != 3) encoding = static_cast<tevra::TextEncoding>(data[1] % 4);
  tevra::CabrilloReader cabrillo(std::string(reinterpret_cast<const char*>(data), size), options, true, encoding);
  tevra::fuzz::Drain(cabrillo, size + 1);
  return 0;
}
