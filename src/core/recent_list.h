// A most-recently-used list of paths.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tevra {

class RecentList {
 public:
  explicit RecentList(std::size_t capacity) : capacity_(capacity) {}

  // Puts path at the top; an equal entry further down moves up instead of
  // appearing twice.
  void Add(const std::string& path) {
    std::erase(items_, path);
    items_.insert(items_.begin(), path);
    if (items_.size() > capacity_) items_.resize(capacity_);
  }
  void Clear() { items_.clear(); }
  const std::vector<std::string>& Items() const { return items_; }
  std::size_t Capacity() const { return capacity_; }

 private:
  std::size_t capacity_;
  std::vector<std::string> items_;
};

}  // namespace tevra
