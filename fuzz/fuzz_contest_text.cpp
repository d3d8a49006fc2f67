// CT, TR-LOG and Cabrillo readers over the same bytes.
#include <cstdint>
#include <cstdio>
#include <memory>

#include "import/contest_readers.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  if (!file) return 0;
  std::fwrite(data, 1, size, file.get());
  tevra::QsoRecord defaults;
  for (auto kind : {tevra::FixedColumnReader::Kind::Ct, tevra::FixedColumnReader::Kind::TrLog}) {
    std::rewind(file.get());
    tevra::FixedColumnReader reader(file.get(), kind, defaults);
    tevra::fuzz::Drain(reader, size + 1);
  }
  tevra::CabrilloOptions options;
  options.fixedCallColumn = size > 0 && (data[0] & 1);
  options.phoneRule = size > 0 ? data[0] % 4 : 0;
  std::rewind(file.get());
  tevra::CabrilloReader cabrillo(file.get(), options, true);
  tevra::fuzz::Drain(cabrillo, size + 1);
  return 0;
}
