// Arbitrary bytes as a table file, and its texts through the block and
// table conversions.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "merge/tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tevra::TableFileRows rows = tevra::ParseTableFile(bytes, true);
  tevra::ConditionTable table;
  for (const auto& [key, text] : rows) {
    if (key.size() > 32767 || text.size() > 65534) std::abort();
    table.SetRow(key, text);
  }
  tevra::ConditionTable back;
  tevra::BlockToTable(tevra::TableToBlock(table), back);
  tevra::ConditionTable fromBytes;
  tevra::BlockToTable(bytes, fromBytes);
  if (fromBytes.Rows().empty() && !bytes.starts_with("@if") && !bytes.starts_with("%{")) std::abort();
  return 0;
}
