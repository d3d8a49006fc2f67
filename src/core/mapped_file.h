// A whole file as read-only bytes, mapped into memory where possible.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tevra {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps an open regular file (read from it when it cannot be mapped).
  // False on a read error.
  bool Load(std::FILE* file);
  std::string_view Data() const { return data_; }
  // The bytes before `offset` will not be read again: their memory goes
  // back (they are read from the file again should they be touched).
  void Release(std::size_t offset);

 private:
  void* map_ = nullptr;
  std::size_t mapSize_ = 0;
  std::size_t released_ = 0;
  std::string copy_;
  std::string_view data_;
};

}  // namespace tevra
