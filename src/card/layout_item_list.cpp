#include "card/layout_item_list.h"

#include <algorithm>

namespace tevra {

CardItem& LayoutItemList::Add(std::unique_ptr<CardItem> item) {
  if (items_.size() == items_.capacity()) items_.reserve(items_.size() * 2);
  if (item->Type() == ItemFill) hasFill_ = true;
  items_.push_back(std::move(item));
  current_ = anchor_ = items_.back().get();
  return *items_.back();
}

CardItem* LayoutItemList::Replace(std::unique_ptr<CardItem> newItem) {
  const int index = current_ ? IndexOf(*current_) : -1;
  if (index < 0 || !newItem) return nullptr;
  ForgetSelection(*items_[static_cast<std::size_t>(index)]);
  if (newItem->Type() == ItemFill) hasFill_ = true;
  items_[static_cast<std::size_t>(index)] = std::move(newItem);
  hasFill_ = FirstOfType(ItemFill) != nullptr;
  current_ = anchor_ = items_[static_cast<std::size_t>(index)].get();
  return current_;
}

void LayoutItemList::ForgetSelection(const CardItem& item) {
  selection_.Remove(item);
  if (current_ == &item) current_ = nullptr;
  if (anchor_ == &item) anchor_ = nullptr;
}

std::unique_ptr<CardItem> LayoutItemList::Remove(const CardItem& item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  ForgetSelection(item);
  std::unique_ptr<CardItem> out = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  if (out->Type() == ItemFill) hasFill_ = FirstOfType(ItemFill) != nullptr;
  return out;
}

void LayoutItemList::Delete(const CardItem& item) { Remove(item); }

void LayoutItemList::SelectLast() { current_ = anchor_ = items_.empty() ? nullptr : items_.back().get(); }

int LayoutItemList::IndexOf(const CardItem& item) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == &item) return static_cast<int>(i);
  return -1;
}

CardItem* LayoutItemList::FirstOfType(ItemType type) const {
  for (const auto& item : items_)
    if (item->Type() == type) return item.get();
  return nullptr;
}

bool LayoutItemList::IsCurrentFirst() const { return IsCurrentSingle() && IndexOf(*current_) == 0; }

bool LayoutItemList::IsCurrentLast() const {
  return IsCurrentSingle() && IndexOf(*current_) == static_cast<int>(items_.size()) - 1;
}

bool LayoutItemList::BringToFront() {
  const int index = IsCurrentSingle() ? IndexOf(*current_) : -1;
  if (index <= 0) return false;
  std::rotate(items_.begin(), items_.begin() + index, items_.begin() + index + 1);
  return true;
}

bool LayoutItemList::SendToBack() {
  const int index = IsCurrentSingle() ? IndexOf(*current_) : -1;
  if (index < 0 || index == static_cast<int>(items_.size()) - 1) return false;
  std::rotate(items_.begin() + index, items_.begin() + index + 1, items_.end());
  return true;
}

bool LayoutItemList::ScaleCurrent(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY) {
  return current_ && current_->Scale(numX, denX, numY, denY, true);
}

LayoutItemList& LayoutItemList::operator=(LayoutItemList&& other) noexcept {
  if (this == &other) return *this;
  const bool multi = other.current_ == &other.selection_;
  items_ = std::move(other.items_);
  selection_.Clear();
  for (std::size_t i = 0; i < other.selection_.Count(); ++i) selection_.Add(other.selection_.Child(i));
  current_ = multi ? &selection_ : other.current_;
  anchor_ = other.anchor_;
  hasFill_ = other.hasFill_;
  LastHit = other.LastHit;
  other.Clear();
  return *this;
}

void LayoutItemList::Clear() {
  selection_.Clear();
  current_ = anchor_ = nullptr;
  items_.clear();
  hasFill_ = false;
}

}  // namespace tevra
