// Texts that live as long as the log: bytes handed out from large blocks
// that never move, all given back at once.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace tevra {

class TextArena {
 public:
  // Room for n bytes, valid until Clear or the arena's end.
  char* Allocate(std::size_t n);
  void Clear();
  // Bytes held in blocks, for the memory benchmark.
  std::size_t Bytes() const { return held_; }

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_ = nullptr;
  std::size_t left_ = 0;
  std::size_t held_ = 0;
};

}  // namespace tevra
