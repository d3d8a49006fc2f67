// The document's card items in z-order (index 0 drawn first), with the
// current selection.
#pragma once

#include <memory>
#include <vector>

#include "card/card_item.h"

namespace tevra {

class LayoutItemList {
 public:
  LayoutItemList() { items_.reserve(256); }

  // Appends on top; the item becomes current and the anchor.
  CardItem& Add(std::unique_ptr<CardItem> item);
  // Puts newItem in the place of the current item, which is deleted.
  CardItem* Replace(std::unique_ptr<CardItem> newItem);
  // Takes an item out (order kept); the caller owns it.
  std::unique_ptr<CardItem> Remove(const CardItem& item);
  // Takes an item out and destroys it (a group with its children).
  void Delete(const CardItem& item);
  void SelectLast();
  int IndexOf(const CardItem& item) const;
  CardItem* FirstOfType(ItemType type) const;

  std::size_t Count() const { return items_.size(); }
  CardItem& At(std::size_t i) const { return *items_.at(i); }

  CardItem* Current() const { return current_; }
  CardItem* Anchor() const { return anchor_; }
  void SetCurrent(CardItem* item) { current_ = item; }
  SelectionList& Selection() { return selection_; }
  bool IsCurrentSingle() const { return current_ && current_->Type() != ItemSelection; }
  bool IsCurrentMulti() const { return current_ == &selection_; }
  bool IsCurrentFirst() const;
  bool IsCurrentLast() const;
  // "先頭": index 0, beneath all others. False when already there or none.
  bool BringToFront();
  // "末尾": the last index, above all others.
  bool SendToBack();
  bool CurrentIsScalable() const { return current_ && current_->IsScalable(); }
  bool ScaleCurrent(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY);
  bool HasFill() const { return hasFill_; }
  int LastHit = 0;

  void Clear();

 private:
  void ForgetSelection(const CardItem& item);
  std::vector<std::unique_ptr<CardItem>> items_;
  SelectionList selection_;
  CardItem* current_ = nullptr;
  CardItem* anchor_ = nullptr;
  bool hasFill_ = false;
};

}  // namespace tevra
