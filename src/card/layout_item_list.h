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
  // Moving takes the items and the selection along; a current
  // multi-selection stays this list's own.
  LayoutItemList(LayoutItemList&& other) noexcept { *this = std::move(other); }
  LayoutItemList& operator=(LayoutItemList&& other) noexcept;

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
  const SelectionList& Selection() const { return selection_; }
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

  // Selecting with the mouse; each stores its hit code as LastHit. Items
  // whose print condition is false for the card cannot be selected.
  // A plain click: the selection's own handles first, else the smallest
  // item under the point (lines before all others).
  int SelectAt(LogicalPoint point, MacroExpander& expander);
  // A click with Shift or Ctrl: the item joins the multi-selection.
  int AddToSelectionAt(LogicalPoint point, MacroExpander& expander);
  // The rubber band: every item with a corner (a line: an end) inside.
  void SelectInRect(const LogicalRect& rect, MacroExpander& expander);
  // The next (+1) or previous (-1) item overlapping the anchor, walking
  // the list from the current item; none when the walk leaves the list.
  CardItem* NextOverlapping(int step) const;

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
