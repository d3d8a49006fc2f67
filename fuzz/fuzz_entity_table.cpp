// Arbitrary entity definition files, then lookups of a few calls and of the
// input's own first bytes.
#include <cstdint>
#include <string>

#include "log/entity_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tevra::EntityTable table;
  table.LoadText(text);
  if (table.Size() > tevra::kEntityMax) __builtin_trap();
  for (std::string_view call : {"JA1ABC", "W1AW", "VK2ABC/P", "K1ABC/MM", "", "?*\\"}) table.EntityOf(call);
  table.EntityOf(text.substr(0, 24));
  return 0;
}
