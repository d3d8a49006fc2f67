#include "core/archive.h"

#include <bit>

namespace tevra {

void ArchiveWriter::Word(std::uint16_t v) {
  Byte(static_cast<std::uint8_t>(v));
  Byte(static_cast<std::uint8_t>(v >> 8));
}

void ArchiveWriter::Dword(std::uint32_t v) {
  Word(static_cast<std::uint16_t>(v));
  Word(static_cast<std::uint16_t>(v >> 16));
}

void ArchiveWriter::Str(std::string_view text) {
  if (text.size() < 0xFF) {
    Byte(static_cast<std::uint8_t>(text.size()));
  } else {
    Byte(0xFF);
    if (text.size() < 0xFFFE) {
      Word(static_cast<std::uint16_t>(text.size()));
    } else {
      Word(0xFFFF);
      Dword(static_cast<std::uint32_t>(text.size()));
    }
  }
  Bytes(text);
}

void ArchiveWriter::Double(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  Dword(static_cast<std::uint32_t>(bits));
  Dword(static_cast<std::uint32_t>(bits >> 32));
}

void ArchiveWriter::Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
  Int(static_cast<std::int32_t>(pairs.size()));
  for (const auto& [a, b] : pairs) {
    Str(a);
    Str(b);
  }
}

bool ArchiveReader::Bytes(std::size_t count, std::string_view& out) {
  if (failed_ || count > Remaining()) return Fail();
  out = data_.substr(pos_, count);
  pos_ += count;
  return true;
}

bool ArchiveReader::Byte(std::uint8_t& v) {
  std::string_view b;
  if (!Bytes(1, b)) return false;
  v = static_cast<std::uint8_t>(b[0]);
  return true;
}

bool ArchiveReader::Word(std::uint16_t& v) {
  std::string_view b;
  if (!Bytes(2, b)) return false;
  v = static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | (static_cast<std::uint8_t>(b[1]) << 8));
  return true;
}

bool ArchiveReader::Dword(std::uint32_t& v) {
  std::uint16_t low = 0, high = 0;
  if (!Word(low) || !Word(high)) return false;
  v = low | (static_cast<std::uint32_t>(high) << 16);
  return true;
}

bool ArchiveReader::Int(std::int32_t& v) {
  std::uint32_t u = 0;
  if (!Dword(u)) return false;
  v = static_cast<std::int32_t>(u);
  return true;
}

bool ArchiveReader::Str(std::string& text) {
  std::uint8_t shortLength = 0;
  if (!Byte(shortLength)) return false;
  std::uint32_t length = shortLength;
  if (shortLength == 0xFF) {
    std::uint16_t word = 0;
    if (!Word(word)) return false;
    length = word;
    if (word == 0xFFFE) return Fail();  // a wide-character marker: not ours
    if (word == 0xFFFF && !Dword(length)) return false;
  }
  std::string_view bytes;
  if (!Bytes(length, bytes)) return false;
  text.assign(bytes);
  return true;
}

bool ArchiveReader::Double(double& v) {
  std::uint32_t low = 0, high = 0;
  if (!Dword(low) || !Dword(high)) return false;
  v = std::bit_cast<double>(low | (static_cast<std::uint64_t>(high) << 32));
  return true;
}

bool ArchiveReader::Pairs(std::vector<std::pair<std::string, std::string>>& pairs) {
  std::int32_t count = 0;
  if (!Int(count)) return false;
  // Every pair takes at least two bytes (two empty strings).
  if (count < 0 || static_cast<std::size_t>(count) > Remaining() / 2) return Fail();
  std::vector<std::pair<std::string, std::string>> read;
  read.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    std::pair<std::string, std::string> p;
    if (!Str(p.first) || !Str(p.second)) return false;
    read.push_back(std::move(p));
  }
  pairs = std::move(read);
  return true;
}

}  // namespace tevra
