#include "core/archive.h"

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

}  // namespace tevra
