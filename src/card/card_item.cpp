#include "card/card_item.h"

#include <algorithm>
#include <cstring>

#include "merge/macro_expander.h"

namespace tevra {
namespace {

// num × value / den, truncating toward zero, in 64 bits.
std::int32_t Ratio(std::int32_t num, std::int64_t value, std::int32_t den) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(num) * value / den);
}

}  // namespace

bool CardItem::TouchesRect(const LogicalRect& r) const {
  return r.Contains({Rect.left, Rect.top}) || r.Contains({Rect.right, Rect.top}) ||
         r.Contains({Rect.left, Rect.bottom}) || r.Contains({Rect.right, Rect.bottom});
}

bool ShapeItem::TouchesRect(const LogicalRect& r) const {
  if (Type() != ItemLine) return CardItem::TouchesRect(r);
  return r.Contains({Rect.left, Rect.top}) || r.Contains({Rect.right, Rect.bottom});
}

bool CardItem::IsVisible(MacroExpander& expander) const { return expander.EvaluateConditionsForCard(Condition); }

void CardItem::GetPen(std::int32_t& width, std::int32_t& style) const {
  width = Pen.widthX;
  style = Pen.style;
}

void CardItem::SetPen(std::int32_t width, std::int32_t style) {
  Pen.widthX = Pen.widthY = width;
  Pen.style = style;
}

bool CardItem::ScaleRect(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY) {
  if (denX == 0 || denY == 0) return false;
  Rect.right = Rect.left + Ratio(numX, static_cast<std::int64_t>(Rect.right) - Rect.left, denX);
  Rect.bottom = Rect.top - Ratio(numY, static_cast<std::int64_t>(Rect.top) - Rect.bottom, denY);
  return true;
}

bool CardItem::Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY, bool) {
  return ScaleRect(numX, denX, numY, denY);
}

void CardItem::MoveBy(std::int32_t dx, std::int32_t dy) {
  Rect.left += dx;
  Rect.right += dx;
  Rect.top += dy;
  Rect.bottom += dy;
}

bool StringItem::GetFont(FontRecord& font, Colour& colour) const {
  font = Font;
  colour = TextColour;
  return true;
}

bool StringItem::SetFont(const FontRecord& font, Colour colour) {
  Font = font;
  TextColour = colour;
  return true;
}

bool StringItem::Scale(std::int32_t numX, std::int32_t denX, std::int32_t, std::int32_t, bool) {
  if (denX == 0) return false;
  Font.height = Ratio(numX, Font.height, denX);  // the rectangle follows on the next draw
  return true;
}

bool DataMarkItem::GetFont(FontRecord& font, Colour& colour) const {
  font = Font;
  colour = Pen.colour;
  return true;
}

bool DataMarkItem::SetFont(const FontRecord& font, Colour colour) {
  Font = font;
  Pen.colour = colour;
  return true;
}

bool TextBoxItem::GetFont(FontRecord& font, Colour& colour) const {
  font = Font;
  colour = TextColour;
  return true;
}

bool TextBoxItem::SetFont(const FontRecord& font, Colour colour) {
  Font = font;
  TextColour = colour;
  return true;
}

bool TextBoxItem::Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY, bool) {
  if (!ScaleRect(numX, denX, numY, denY)) return false;
  Font.height = Ratio(numX, Font.height, denX);
  return true;
}

JarlFrameItem::JarlFrameItem() : CardItem(ItemJarlFrame) { Font.height = -37; }

void JarlFrameItem::UpdateRect() {
  const std::int32_t length = 5 * BoxPitch + BoxWidth;
  if (Direction & 1) {  // vertical: the frame runs upward from its anchor
    Rect.right = Rect.left + BoxHeight;
    Rect.bottom = Rect.top + length;
  } else {
    Rect.right = Rect.left + length;
    Rect.bottom = Rect.top - BoxHeight;
  }
}

bool JarlFrameItem::GetFont(FontRecord& font, Colour& colour) const {
  font = Font;
  colour = TextColour;
  return true;
}

bool JarlFrameItem::SetFont(const FontRecord& font, Colour colour) {
  Font = font;
  TextColour = colour;
  return true;
}

// --- Groups and the selection list -------------------------------------------

void ItemCollection::RecomputeBounds() {
  if (Count() == 0) {
    Rect = {};
    return;
  }
  LogicalRect b{INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX};
  for (std::size_t i = 0; i < Count(); ++i) {
    const LogicalRect& r = Child(i).Rect;
    b.left = std::min({b.left, r.left, r.right});
    b.right = std::max({b.right, r.left, r.right});
    b.top = std::max({b.top, r.top, r.bottom});
    b.bottom = std::min({b.bottom, r.top, r.bottom});
  }
  Rect = b;
}

void ItemCollection::AfterAdd() {
  RecomputeBounds();
  previous_ = Rect;
}

bool ItemCollection::TouchesRect(const LogicalRect& r) const {
  for (std::size_t i = 0; i < Count(); ++i)
    if (Child(i).TouchesRect(r)) return true;
  return false;
}

bool ItemCollection::GetFont(FontRecord& font, Colour& colour) const {
  for (std::size_t i = 0; i < Count(); ++i)
    if (Child(i).GetFont(font, colour)) return true;
  return false;
}

bool ItemCollection::SetFont(const FontRecord& font, Colour colour) {
  bool any = false;
  for (std::size_t i = 0; i < Count(); ++i) any = Child(i).SetFont(font, colour) || any;
  return any;
}

void ItemCollection::MoveBy(std::int32_t dx, std::int32_t dy) {
  CardItem::MoveBy(dx, dy);
  previous_ = Rect;
  for (std::size_t i = 0; i < Count(); ++i) Child(i).MoveBy(dx, dy);
}

void ItemCollection::ApplyMove() {
  const std::int32_t dx = Rect.left - previous_.left;
  const std::int32_t dy = Rect.top - previous_.top;
  for (std::size_t i = 0; i < Count(); ++i) Child(i).MoveBy(dx, dy);
  previous_ = Rect;
}

void ItemCollection::ApplyResize() {
  const LogicalRect now = Rect;
  // A handle on the left or top edge moves the corner: the children follow
  // it first, then scale about it.
  for (std::size_t i = 0; i < Count(); ++i) Child(i).MoveBy(now.left - previous_.left, now.top - previous_.top);
  Rect = now;
  Scale(now.right - now.left, previous_.right - previous_.left, now.top - now.bottom, previous_.top - previous_.bottom,
        true);
  previous_ = Rect;
}

Colour ItemCollection::GetColour() const { return Count() > 0 ? Child(0).Pen.colour : Pen.colour; }

void ItemCollection::SetColour(Colour colour) {
  Pen.colour = colour;
  for (std::size_t i = 0; i < Count(); ++i) {
    CardItem& child = Child(i);
    child.SetColour(colour);
    if (auto* text = dynamic_cast<StringItem*>(&child)) text->TextColour = colour;  // strings and data marks
  }
}

void ItemCollection::GetPen(std::int32_t& width, std::int32_t& style) const {
  if (Count() > 0) Child(0).GetPen(width, style);
  else CardItem::GetPen(width, style);
}

void ItemCollection::SetPen(std::int32_t width, std::int32_t style) {
  CardItem::SetPen(width, style);
  for (std::size_t i = 0; i < Count(); ++i) Child(i).SetPen(width, style);
}

bool ItemCollection::IsScalable() const {
  for (std::size_t i = 0; i < Count(); ++i) {
    const CardItem& child = Child(i);
    const ItemType t = child.Type();
    if (t == ItemGroupType || t == ItemSelection) {
      if (child.IsScalable()) return true;
    } else if ((t >= ItemLine && t <= ItemString) || (t >= ItemCheckBox && t <= ItemRoundBox)) {
      return true;
    }
  }
  return false;
}

bool ItemCollection::Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY,
                           bool moveChildren) {
  if (denX == 0 || denY == 0) return false;
  bool any = false;
  for (std::size_t i = 0; i < Count(); ++i) {
    CardItem& child = Child(i);
    any = child.Scale(numX, denX, numY, denY, moveChildren) || any;
    if (!moveChildren || child.Type() == ItemGroupType || child.Type() == ItemSelection) continue;
    // Move the child's corner away from the group's corner by the same ratio.
    const std::int32_t width = child.Rect.right - child.Rect.left;
    const std::int32_t height = child.Rect.bottom - child.Rect.top;
    child.Rect.left = Rect.left + Ratio(numX, static_cast<std::int64_t>(child.Rect.left) - Rect.left, denX);
    child.Rect.right = child.Rect.left + width;
    child.Rect.top = Rect.top - Ratio(numY, static_cast<std::int64_t>(Rect.top) - child.Rect.top, denY);
    child.Rect.bottom = child.Rect.top + height;
  }
  RecomputeBounds();
  dirty_ = true;
  return any;
}

void ItemGroup::Add(std::unique_ptr<CardItem> child) {
  if (children_.size() == children_.capacity()) children_.reserve(children_.empty() ? 32 : children_.size() * 2);
  children_.push_back(std::move(child));
  AfterAdd();
}

std::vector<std::unique_ptr<CardItem>> ItemGroup::Release() {
  std::vector<std::unique_ptr<CardItem>> out = std::move(children_);
  children_.clear();
  RecomputeBounds();
  return out;
}

void SelectionList::Add(CardItem& item) {
  if (!Contains(item)) members_.push_back(&item);
  AfterAdd();
}

void SelectionList::Remove(const CardItem& item) {
  std::erase(members_, &item);
  RecomputeBounds();
}

bool SelectionList::Contains(const CardItem& item) const {
  return std::find(members_.begin(), members_.end(), &item) != members_.end();
}

std::unique_ptr<CardItem> NewItem(ItemType type, const PenRecord& pen, const FontRecord& font, bool landscapeForm) {
  std::unique_ptr<CardItem> item;
  switch (type) {
    case ItemLine:
    case ItemBox:
    case ItemEllipse:
    case ItemRoundBox: item = std::make_unique<ShapeItem>(type); break;
    case ItemFill: item = std::make_unique<FillItem>(); break;
    case ItemString: {
      auto s = std::make_unique<StringItem>();
      s->Font = font;
      item = std::move(s);
      break;
    }
    case ItemDataMark: {
      auto d = std::make_unique<DataMarkItem>();
      d->Font = font;
      item = std::move(d);
      break;
    }
    case ItemTextBox: {
      auto t = std::make_unique<TextBoxItem>();
      t->Font = font;
      item = std::move(t);
      break;
    }
    case ItemJarlFrame: {
      auto j = std::make_unique<JarlFrameItem>();
      j->Direction = landscapeForm ? 1 : 0;
      j->ZeroSlash = 2;
      item = std::move(j);
      break;
    }
    case ItemCheckBox: item = std::make_unique<CheckBoxItem>(); break;
    case ItemOleLink: item = std::make_unique<OleLinkItem>(); break;
    case ItemGroupType: item = std::make_unique<ItemGroup>(); break;
    default: return nullptr;
  }
  item->Pen = pen;
  return item;
}

}  // namespace tevra
