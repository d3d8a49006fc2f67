// Little-endian binary archives: the primitive encodings of the program's
// binary files. The reader is bounds-checked: every read past the end fails
// and leaves the reader failed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tevra {

class ArchiveWriter {
 public:
  void Bytes(std::string_view bytes) { out_.append(bytes); }
  void Byte(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void Word(std::uint16_t v);
  void Dword(std::uint32_t v);
  void Int(std::int32_t v) { Dword(static_cast<std::uint32_t>(v)); }
  // A length prefix (one byte below 255; else 0xFF and a 16-bit length below
  // 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length) and the bytes.
  void Str(std::string_view text);
  void Double(double v);
  // A count, then each pair's two strings.
  void Pairs(const std::vector<std::pair<std::string, std::string>>& pairs);

  const std::string& Data() const { return out_; }

 private:
  std::string out_;
};

class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view data) : data_(data) {}

  bool Bytes(std::size_t count, std::string_view& out);
  bool Byte(std::uint8_t& v);
  bool Word(std::uint16_t& v);
  bool Dword(std::uint32_t& v);
  bool Int(std::int32_t& v);
  // A string as Str writes it. A length beyond the remaining data fails.
  bool Str(std::string& text);
  bool Double(double& v);
  // Pairs as Pairs writes them. A count that the remaining data cannot hold
  // fails before anything is allocated.
  bool Pairs(std::vector<std::pair<std::string, std::string>>& pairs);

  bool Failed() const { return failed_; }
  std::size_t Remaining() const { return data_.size() - pos_; }

 private:
  bool Fail() {
    failed_ = true;
    return false;
  }
  std::string_view data_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace tevra
