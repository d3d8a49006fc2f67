#include "editor/arrange.h"

#include <cmath>

#include <algorithm>
#include <functional>
#include <vector>

#include "core/text.h"
#include "merge/tables.h"

namespace tevra::arrange {
namespace {

std::int32_t MarginUnits(int hundredthsMm) { return static_cast<std::int32_t>(std::int64_t{hundredthsMm} * 100 / 254); }

// The selection's rectangle, with a multi-selection's bounds brought up to date.
CardItem* Selected(LayoutDocument& doc) {
  CardItem* current = doc.Items.Current();
  if (auto* collection = dynamic_cast<ItemCollection*>(current)) collection->RecomputeBounds();
  return current;
}

// The members of the selection, the single item alone.
std::vector<CardItem*> Members(LayoutDocument& doc) {
  std::vector<CardItem*> out;
  LayoutItemList& items = doc.Items;
  if (items.IsCurrentMulti()) {
    for (std::size_t i = 0; i < items.Selection().Count(); ++i) out.push_back(&items.Selection().Child(i));
  } else if (items.Current()) {
    out.push_back(items.Current());
  }
  return out;
}

// The gap-halving shell sort in which equal keys change places.
void ShellSort(std::vector<CardItem*>& v, const std::function<bool(const CardItem&, const CardItem&)>& before) {
  for (std::size_t gap = v.size() / 2; gap > 0; gap /= 2)
    for (std::size_t i = gap; i < v.size(); ++i)
      for (std::size_t j = i; j >= gap && !before(*v[j - gap], *v[j]); j -= gap) std::swap(v[j - gap], v[j]);
}

void ByLeft(std::vector<CardItem*>& v) {
  ShellSort(v, [](const CardItem& a, const CardItem& b) { return a.Rect.left < b.Rect.left; });
}
void ByTopDescending(std::vector<CardItem*>& v) {
  ShellSort(v, [](const CardItem& a, const CardItem& b) { return a.Rect.top > b.Rect.top; });
}

bool Shift(LayoutDocument& doc, CardItem& item, std::int32_t dx, std::int32_t dy) {
  if (dx == 0 && dy == 0) return false;
  item.MoveBy(dx, dy);
  if (doc.Items.IsCurrentMulti()) doc.Items.Selection().RecomputeBounds();
  return true;
}

bool IsTextKind(ItemType t) { return t == ItemString || t == ItemTextBox || t == ItemDataMark; }
bool IsShapeKind(ItemType t) { return t == ItemBox || t == ItemRoundBox || t == ItemEllipse; }

}  // namespace

bool HasSelection(const LayoutDocument& doc) { return doc.Items.Current() != nullptr; }
bool IsMulti(const LayoutDocument& doc) { return doc.Items.IsCurrentMulti() && doc.Items.Current(); }

bool CentreHorizontally(LayoutDocument& doc, const PrinterMetrics& m) {
  CardItem* item = Selected(doc);
  if (!item) return false;
  const LogicalRect& r = item->Rect;
  const DocumentSettings& s = doc.Settings;
  std::int64_t dx;
  if (s.CardFormCode == FormTackSeal)
    dx = (std::int64_t{s.CardWidthUnits()} + r.left - r.right) / 2 - r.left;
  else
    dx = (std::int64_t{r.left} + m.paperWidth - r.right) / 2 - r.left - m.offsetX - MarginUnits(s.LeftMargin);
  return Shift(doc, *item, static_cast<std::int32_t>(dx), 0);
}

bool CentreVertically(LayoutDocument& doc, const PrinterMetrics& m) {
  CardItem* item = Selected(doc);
  if (!item) return false;
  const LogicalRect& r = item->Rect;
  const DocumentSettings& s = doc.Settings;
  std::int64_t dy;
  if (s.CardFormCode == FormTackSeal)
    dy = -std::int64_t{r.top} - (std::int64_t{r.bottom} + s.CardHeightUnits() - r.top) / 2;
  else
    dy = std::int64_t{m.offsetY} + MarginUnits(s.TopMargin) - (std::int64_t{r.bottom} + m.paperHeight - r.top) / 2 - r.top;
  return Shift(doc, *item, 0, static_cast<std::int32_t>(dy));
}

bool CanPlaceJarl(const LayoutDocument& doc) {
  if (doc.Settings.CardFormCode == FormTackSeal) return false;
  const LayoutItemList& items = doc.Items;
  if (items.IsCurrentSingle()) return items.Current()->Type() == ItemJarlFrame;
  if (!items.IsCurrentMulti()) return false;
  const SelectionList& selection = items.Selection();
  for (std::size_t i = 0; i < selection.Count(); ++i)
    if (selection.Child(i).Type() == ItemJarlFrame) return true;
  return false;
}

bool PlaceJarl(LayoutDocument& doc, const PrinterMetrics& m) {
  if (!CanPlaceJarl(doc)) return false;
  const std::vector<CardItem*> members = Members(doc);
  JarlFrameItem* frame = nullptr;
  for (CardItem* item : members)
    if (!frame && item->Type() == ItemJarlFrame) frame = static_cast<JarlFrameItem*>(item);
  const DocumentSettings& s = doc.Settings;
  const std::int32_t mx = MarginUnits(s.LeftMargin), my = MarginUnits(s.TopMargin);
  const std::int32_t length = 5 * frame->BoxPitch + frame->BoxWidth;
  const LogicalRect before = frame->Rect;
  if (s.CardFormCode == FormLandscape) {
    frame->Direction = 1;
    frame->Rect.left = 433 - mx - m.offsetX;
    frame->Rect.top = m.offsetY + my - 354 - length;
  } else {
    frame->Direction = 0;
    frame->Rect.top = m.offsetY + my - 433;
    frame->Rect.left = m.paperWidth - m.offsetX - mx - 354 - length;
  }
  frame->UpdateRect();
  const std::int32_t dx = frame->Rect.left - before.left, dy = frame->Rect.top - before.top;
  for (CardItem* item : members)
    if (item != frame) item->MoveBy(dx, dy);
  if (doc.Items.IsCurrentMulti()) doc.Items.Selection().RecomputeBounds();
  return !(frame->Rect == before) || dx != 0 || dy != 0;
}

bool AlignSelection(LayoutDocument& doc, Align how) {
  if (!IsMulti(doc)) return false;
  std::vector<CardItem*> v = Members(doc);
  const bool horizontalLine = how == Align::Top || how == Align::Middle || how == Align::Bottom;
  if (horizontalLine) ByLeft(v);
  else ByTopDescending(v);
  auto value = [how](const LogicalRect& r) -> std::int64_t {
    switch (how) {
      case Align::Top: return r.top;
      case Align::Middle: return (std::int64_t{r.top} + r.bottom) / 2;
      case Align::Bottom: return r.bottom;
      case Align::Left: return r.left;
      case Align::Centre: return (std::int64_t{r.left} + r.right) / 2;
      case Align::Right: return r.right;
    }
    return 0;
  };
  const std::int64_t reference = value(v.front()->Rect);
  bool changed = false;
  for (std::size_t i = 1; i < v.size(); ++i) {
    const auto d = static_cast<std::int32_t>(reference - value(v[i]->Rect));
    if (d == 0) continue;
    if (horizontalLine) v[i]->MoveBy(0, d);
    else v[i]->MoveBy(d, 0);
    changed = true;
  }
  doc.Items.Selection().RecomputeBounds();
  return changed;
}

bool CanDistribute(const LayoutDocument& doc) {
  return IsMulti(doc) && doc.Items.Selection().Count() > 2;
}

bool DistributeHorizontally(LayoutDocument& doc) {
  if (!CanDistribute(doc)) return false;
  std::vector<CardItem*> v = Members(doc);
  ByLeft(v);
  std::int64_t widths = 0;
  for (std::size_t i = 1; i + 1 < v.size(); ++i) widths += std::int64_t{v[i]->Rect.right} - v[i]->Rect.left;
  const std::int64_t free = (std::int64_t{v.back()->Rect.left} - v.front()->Rect.right) - widths;
  const auto gap = static_cast<std::int32_t>(free / static_cast<std::int64_t>(v.size() - 1));
  bool changed = false;
  std::int32_t right = v.front()->Rect.right;
  for (std::size_t i = 1; i + 1 < v.size(); ++i) {
    const std::int32_t dx = right + gap - v[i]->Rect.left;
    if (dx != 0) changed = true;
    v[i]->MoveBy(dx, 0);
    right = v[i]->Rect.right;
  }
  doc.Items.Selection().RecomputeBounds();
  return changed;
}

bool DistributeVertically(LayoutDocument& doc) {
  if (!CanDistribute(doc)) return false;
  std::vector<CardItem*> v = Members(doc);
  ByTopDescending(v);
  std::int64_t heights = 0;
  for (std::size_t i = 1; i + 1 < v.size(); ++i) heights += std::int64_t{v[i]->Rect.top} - v[i]->Rect.bottom;
  const std::int64_t free = (std::int64_t{v.front()->Rect.bottom} - v.back()->Rect.top) - heights;
  const auto gap = static_cast<std::int32_t>(free / static_cast<std::int64_t>(v.size() - 1));
  bool changed = false;
  std::int32_t bottom = v.front()->Rect.bottom;
  for (std::size_t i = 1; i + 1 < v.size(); ++i) {
    const std::int32_t dy = bottom - gap - v[i]->Rect.top;
    if (dy != 0) changed = true;
    v[i]->MoveBy(0, dy);
    bottom = v[i]->Rect.bottom;
  }
  doc.Items.Selection().RecomputeBounds();
  return changed;
}

bool CanScale(const LayoutDocument& doc) { return doc.Items.CurrentIsScalable(); }

bool Scale(LayoutDocument& doc, std::int32_t num, std::int32_t den) {
  if (!CanScale(doc) || den == 0) return false;
  Selected(doc);
  return doc.Items.ScaleCurrent(num, den, num, den);
}

bool ScaleByPercentText(LayoutDocument& doc, std::string_view text) {
  text = SkipBlanks(text);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const int p = DecimalValue(text);
  if (p < 1 || p > 32766) return false;
  return Scale(doc, p, 100);
}

bool MoveBy(LayoutDocument& doc, std::int32_t dx, std::int32_t dy) {
  CardItem* item = Selected(doc);
  return item && Shift(doc, *item, dx, dy);
}

LogicalRect PlaceInsertedImage(std::int32_t width, std::int32_t height, const LogicalRect& card,
                               const LogicalRect& visible, std::optional<LogicalPoint> pointer) {
  const double cardWidth = std::max<double>(1, card.right - card.left);
  const double cardHeight = std::max<double>(1, card.top - card.bottom);
  double w = std::max(width, 1), h = std::max(height, 1);
  const double shrink = std::min({1.0, cardWidth / w, cardHeight / h});
  w *= shrink;
  h *= shrink;
  const auto iw = static_cast<std::int32_t>(std::lround(w)), ih = static_cast<std::int32_t>(std::lround(h));
  if (pointer && card.Contains(*pointer)) return {pointer->x, pointer->y, pointer->x + iw, pointer->y - ih};
  // The part of the card in view (the whole card when none of it is).
  LogicalRect area{std::max(card.left, visible.left), std::min(card.top, visible.top), std::min(card.right, visible.right),
                   std::max(card.bottom, visible.bottom)};
  if (area.left >= area.right || area.bottom >= area.top) area = card;
  const std::int32_t cx = area.left + (area.right - area.left) / 2, cy = area.bottom + (area.top - area.bottom) / 2;
  return {cx - iw / 2, cy + ih / 2, cx - iw / 2 + iw, cy + ih / 2 - ih};
}

std::vector<OffCardMarker> OffCardMarkers(const LayoutItemList& items, const LogicalRect& card) {
  std::vector<OffCardMarker> markers;
  const std::int64_t cl = std::min(card.left, card.right), cr = std::max(card.left, card.right);
  const std::int64_t cb = std::min(card.top, card.bottom), ct = std::max(card.top, card.bottom);
  for (std::size_t i = 0; i < items.Count(); ++i) {
    CardItem& item = items.At(i);
    const LogicalRect& r = item.Rect;
    const std::int64_t l = std::min(r.left, r.right), rr = std::max(r.left, r.right);
    const std::int64_t b = std::min(r.top, r.bottom), t = std::max(r.top, r.bottom);
    if (rr >= cl && l <= cr && t >= cb && b <= ct) continue;  // on the card, if only partly
    const std::int64_t x = std::clamp((l + rr) / 2, cl, cr), y = std::clamp((b + t) / 2, cb, ct);
    markers.push_back({&item, {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)}});
  }
  return markers;
}

bool OffsetPastedCopies(LayoutDocument& doc, std::size_t first) {
  LayoutItemList& items = doc.Items;
  const DocumentSettings& s = doc.Settings;
  constexpr std::int32_t kTwoMillimetres = 79;  // in 1/1000 inch
  const bool grid = (s.GridMode & 1) != 0;
  const std::int32_t dx = grid ? std::max(s.GridStepX, 1) : kTwoMillimetres;
  const std::int32_t dy = grid ? std::max(s.GridStepY, 1) : kTwoMillimetres;
  auto onAnother = [&] {
    for (std::size_t p = first; p < items.Count(); ++p)
      for (std::size_t e = 0; e < first; ++e)
        if (items.At(e).Type() == items.At(p).Type() && items.At(e).Rect == items.At(p).Rect) return true;
    return false;
  };
  bool moved = false;
  // Bounded: a card holds far fewer copies on one diagonal.
  for (int step = 0; step < 1000 && first < items.Count() && onAnother(); ++step) {
    for (std::size_t p = first; p < items.Count(); ++p) items.At(p).MoveBy(dx, -dy);
    moved = true;
  }
  if (moved && items.IsCurrentMulti()) items.Selection().RecomputeBounds();
  return moved;
}

bool CanGroup(const LayoutDocument& doc) { return IsMulti(doc); }

bool Group(LayoutDocument& doc) {
  if (!CanGroup(doc)) return false;
  LayoutItemList& items = doc.Items;
  // The children in the order they were selected.
  std::vector<CardItem*> members = Members(doc);
  auto group = std::make_unique<ItemGroup>();
  for (CardItem* member : members) {
    if (member->Type() == ItemOleLink) continue;  // images stay in the list
    group->Add(items.Remove(*member));
  }
  items.Selection().Clear();
  if (group->Count() == 0) {
    items.SetCurrent(nullptr);
    return false;
  }
  group->RecomputeBounds();
  items.Add(std::move(group));
  return true;
}

bool CanUngroup(const LayoutDocument& doc) {
  return doc.Items.IsCurrentSingle() && doc.Items.Current()->Type() == ItemGroupType;
}

bool Ungroup(LayoutDocument& doc) {
  if (!CanUngroup(doc)) return false;
  LayoutItemList& items = doc.Items;
  std::unique_ptr<CardItem> taken = items.Remove(*items.Current());
  auto* group = static_cast<ItemGroup*>(taken.get());
  std::vector<CardItem*> children;
  for (auto& child : group->Release()) children.push_back(&items.Add(std::move(child)));
  items.Selection().Clear();
  for (CardItem* child : children) items.Selection().Add(*child);
  items.Selection().RecomputeBounds();
  items.SetCurrent(&items.Selection());
  return true;
}

bool CanConvert(const LayoutDocument& doc, ItemType to) {
  if (!doc.Items.IsCurrentSingle()) return false;
  const ItemType from = doc.Items.Current()->Type();
  if (from == to) return false;
  return (IsTextKind(from) && IsTextKind(to)) || (IsShapeKind(from) && IsShapeKind(to));
}

bool Convert(LayoutDocument& doc, ItemType to, Ui& ui) {
  if (!CanConvert(doc, to)) return false;
  CardItem& old = *doc.Items.Current();
  std::unique_ptr<CardItem> made;
  if (IsShapeKind(to)) {
    made = std::make_unique<ShapeItem>(to);
  } else {
    FontRecord font;
    Colour colour = 0;
    old.GetFont(font, colour);
    // The old item's text and table, and its text colour.
    std::string text;
    ConditionTable table;
    Colour textColour = 0;
    std::int32_t flags = 0, zeroSlash = 0, direction = 0;
    if (auto* s = dynamic_cast<StringItem*>(&old)) {  // also a data mark
      flags = s->Flags;
      zeroSlash = s->ZeroSlash;
      direction = s->Direction;
      textColour = s->TextColour;
      if (old.Type() == ItemDataMark) text = DataMarkFieldToText(s->Text, s->OwnTable, ui, table);
      else {
        text = s->Text;
        table = s->OwnTable;
      }
    } else if (auto* t = dynamic_cast<TextBoxItem*>(&old)) {
      flags = t->Flags;
      zeroSlash = t->ZeroSlash;
      textColour = t->TextColour;
      text = t->Text;
      table = t->OwnTable;
    }
    switch (to) {
      case ItemString: {
        auto s = std::make_unique<StringItem>();
        s->Flags = flags;
        s->ZeroSlash = zeroSlash;
        s->TextColour = textColour;
        s->Direction = old.Type() == ItemDataMark ? direction : 0;
        s->Text = text;
        s->OwnTable = table;
        s->Font = font;
        made = std::move(s);
        break;
      }
      case ItemTextBox: {
        auto t = std::make_unique<TextBoxItem>();
        t->Flags = flags;
        t->TextColour = textColour;
        t->ZeroSlash = zeroSlash != 0 ? 3 : 0;
        t->Text = text;
        t->OwnTable = table;
        t->Format = 0x840;
        t->Font = font;
        made = std::move(t);
        break;
      }
      default: {  // a data mark
        auto d = std::make_unique<DataMarkItem>();
        d->Flags = flags;
        d->ZeroSlash = zeroSlash;
        d->Direction = old.Type() == ItemString ? direction : 0;
        d->TextColour = textColour;
        if (text == "@Table") {
          d->Text = "Table";
          d->OwnTable = table;
        } else {
          d->Text = BlockToTable(text, d->OwnTable);
        }
        d->Font = font;
        made = std::move(d);
        break;
      }
    }
  }
  made->Rect = old.Rect;
  made->Pen = old.Pen;
  made->Condition = old.Condition;
  return doc.Items.Replace(std::move(made)) != nullptr;
}

bool CanMoveToHead(const LayoutDocument& doc) { return doc.Items.IsCurrentSingle() && !doc.Items.IsCurrentFirst(); }
bool CanMoveToEnd(const LayoutDocument& doc) { return doc.Items.IsCurrentSingle() && !doc.Items.IsCurrentLast(); }

bool MoveToHead(LayoutDocument& doc) {
  if (!CanMoveToHead(doc) || !doc.Items.BringToFront()) return false;
  doc.Items.SetCurrent(nullptr);
  return true;
}

bool MoveToEnd(LayoutDocument& doc) {
  if (!CanMoveToEnd(doc) || !doc.Items.SendToBack()) return false;
  doc.Items.SetCurrent(nullptr);
  return true;
}

}  // namespace tevra::arrange
