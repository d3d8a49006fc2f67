// The fuzzer's bytes as a read-only FILE in memory: the readers that take a
// FILE run without touching the disk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

namespace tevra::fuzz {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

inline FilePtr MemoryFile(const std::uint8_t* data, std::size_t size) {
  // fmemopen wants a buffer of at least one byte.
  static const std::uint8_t kEmpty = 0;
  std::FILE* file = size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb")
                             : fmemopen(const_cast<std::uint8_t*>(&kEmpty), 0 + 1, "rb");
  if (file && size == 0) std::fseek(file, 0, SEEK_END);  // nothing to read
  return FilePtr(file, &std::fclose);
}

}  // namespace tevra::fuzz
