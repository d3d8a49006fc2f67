// Builds dBase files byte by byte for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tevra::test {

struct DbfSpec {
  std::vector<std::pair<std::string, int>> fields;  // name, length
  std::vector<std::string> records;                 // deletion flag + field bytes each
  std::uint8_t version = 0x03;
  long countOverride = -1;         // record count written in the header
  long headerLengthOverride = -1;  // header length written in the header
  long recordLengthOverride = -1;  // record length written in the header
};

// A record: the deletion flag (' ' live, '*' deleted) and each value
// blank-padded to its field's length.
inline std::string DbfRecord(const DbfSpec& spec, char flag, const std::vector<std::string>& values) {
  std::string record(1, flag);
  for (std::size_t i = 0; i < spec.fields.size(); ++i) {
    std::string v = i < values.size() ? values[i] : "";
    v.resize(static_cast<std::size_t>(spec.fields[i].second), ' ');
    record += v;
  }
  return record;
}

inline std::string DbfBytes(const DbfSpec& spec) {
  auto put16 = [](std::string& s, std::size_t at, long v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  const std::size_t headerLength = 32 + 32 * spec.fields.size() + 1;
  std::size_t recordLength = 1;
  for (const auto& f : spec.fields) recordLength += static_cast<std::size_t>(f.second);
  std::string bytes(32, '\0');
  bytes[0] = static_cast<char>(spec.version);
  bytes[1] = 24;  // last update 2024-11-03
  bytes[2] = 11;
  bytes[3] = 3;
  const long count = spec.countOverride >= 0 ? spec.countOverride : static_cast<long>(spec.records.size());
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  put16(bytes, 8, spec.headerLengthOverride >= 0 ? spec.headerLengthOverride : static_cast<long>(headerLength));
  put16(bytes, 10, spec.recordLengthOverride >= 0 ? spec.recordLengthOverride : static_cast<long>(recordLength));
  for (const auto& [name, length] : spec.fields) {
    std::string d(32, '\0');
    d.replace(0, name.size(), name);  // name, NUL-padded to 11 bytes
    d[11] = 'C';                      // character field
    d[16] = static_cast<char>(length);
    bytes += d;
  }
  bytes.push_back('\x0D');
  for (const auto& r : spec.records) bytes += r;
  return bytes;
}

}  // namespace tevra::test
