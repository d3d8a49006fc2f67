// Arbitrary bytes as a CSV setting file; a file that decodes must encode to
// bytes that decode to the same settings.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/mft_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tevra::RecordLayout layout;
  tevra::QsoRecord def;
  if (!tevra::DecodeMft(bytes, layout, def)) return 0;
  tevra::RecordLayout again;
  tevra::QsoRecord againDef;
  if (!tevra::DecodeMft(tevra::EncodeMft(layout, def), again, againDef)) std::abort();
  if (again.columns != layout.columns || !(againDef == def)) std::abort();
  return 0;
}
