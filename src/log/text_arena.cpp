#include "log/text_arena.h"

#include <algorithm>

namespace tevra {

char* TextArena::Allocate(std::size_t n) {
  if (n > left_) {
    // A text larger than a block gets a block of its own.
    const std::size_t size = std::max(n, kBlockSize);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    next_ = blocks_.back().get();
    left_ = size;
    held_ += size;
  }
  char* p = next_;
  next_ += n;
  left_ -= n;
  return p;
}

void TextArena::Clear() {
  std::vector<std::unique_ptr<char[]>>().swap(blocks_);
  next_ = nullptr;
  left_ = 0;
  held_ = 0;
}

}  // namespace tevra
