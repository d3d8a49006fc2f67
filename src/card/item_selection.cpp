// Which item a click picks, which handle of the selection the pointer
// grabs, and how the selection is marked on the screen.
#include <algorithm>
#include <array>
#include <cmath>

#include "card/card_item.h"
#include "card/layout_item_list.h"
#include "platform/surface.h"

namespace tevra {

namespace {

constexpr std::int32_t kHandle = 30;  // half the side of a handle, in units
constexpr Colour kBlack = 0x000000;
constexpr Colour kMagenta = 0xFF00FF;

bool NearPoint(LogicalPoint p, LogicalPoint handle) {
  return std::abs(std::int64_t{p.x} - handle.x) <= kHandle && std::abs(std::int64_t{p.y} - handle.y) <= kHandle;
}

bool Inside(LogicalPoint p, const LogicalRect& r) { return r.Contains(p); }

void Handle(Surface& s, LogicalPoint at) {
  s.FillRect({at.x - kHandle, at.y + kHandle, at.x + kHandle, at.y - kHandle}, kBlack);
}

void CornerHandles(Surface& s, const LogicalRect& r) {
  for (LogicalPoint p : {LogicalPoint{r.left, r.top}, LogicalPoint{r.right, r.top}, LogicalPoint{r.right, r.bottom},
                         LogicalPoint{r.left, r.bottom}})
    Handle(s, p);
}

void DottedOutline(Surface& s, const LogicalRect& r, Colour colour) {
  s.Save();
  s.SetPen(PenRecord{2, 1, 1, colour});
  s.SetHollowBrush();
  s.Polyline({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}});
  s.Restore();
}

int Edges(LogicalPoint p, const LogicalRect& r) { return EdgeHitTest(p, r); }
int EdgesOrInside(LogicalPoint p, const LogicalRect& r) {
  const int edge = EdgeHitTest(p, r);
  return edge != 0 ? edge : Inside(p, r) ? 11 : 0;
}

// Area for the order of candidates: width and height (1 when zero), signed.
std::int64_t Area(const CardItem& item) {
  const std::int64_t w = std::int64_t{item.Rect.right} - item.Rect.left;
  const std::int64_t h = std::int64_t{item.Rect.top} - item.Rect.bottom;
  return (w == 0 ? 1 : w) * (h == 0 ? 1 : h);
}

}  // namespace

int LineHitTest(LogicalPoint p, LogicalPoint a, LogicalPoint b) {
  if (NearPoint(p, a)) return 1;
  if (NearPoint(p, b)) return 2;
  if (a.x > b.x) std::swap(a, b);
  if (std::int64_t{p.x} < std::int64_t{a.x} - kHandle || std::int64_t{p.x} > std::int64_t{b.x} + kHandle) return 0;
  if (a.x == b.x) {
    const auto [low, high] = std::minmax(a.y, b.y);
    return p.y > low && p.y < high ? 11 : 0;
  }
  const double k = (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x);
  const auto y0 = static_cast<std::int64_t>(a.y + k * (static_cast<double>(p.x) - a.x));
  const std::int64_t t = std::abs(k) < 1 ? kHandle : static_cast<std::int64_t>(std::abs(k) * kHandle);
  return y0 - t <= p.y && p.y < y0 + t ? 11 : 0;
}

int EdgeHitTest(LogicalPoint p, const LogicalRect& r) {
  const LogicalPoint tl{r.left, r.top}, tr{r.right, r.top}, br{r.right, r.bottom}, bl{r.left, r.bottom};
  struct Edge {
    LogicalPoint a, b;
    int first, second, body;
  };
  const Edge edges[] = {{tl, tr, 3, 4, 8}, {tr, br, 4, 5, 9}, {br, bl, 5, 6, 10}, {bl, tl, 6, 3, 7}};
  for (const Edge& e : edges) {
    switch (LineHitTest(p, e.a, e.b)) {
      case 1: return e.first;
      case 2: return e.second;
      case 11: return e.body;
      default: break;
    }
  }
  return 0;
}

// Lines, boxes, round boxes and ellipses.
int ShapeItem::HitTest(LogicalPoint p) const {
  if (Type() == ItemLine) return LineHitTest(p, {Rect.left, Rect.top}, {Rect.right, Rect.bottom});
  return Edges(p, Rect);  // an unfilled shape is picked on its outline
}

int ShapeItem::HitTestSelected(LogicalPoint p) const {
  if (Type() == ItemLine) return HitTest(p);
  return EdgesOrInside(p, Rect);
}

void ShapeItem::DrawSelection(Surface& s) {
  if (Type() == ItemLine) {
    Handle(s, {Rect.left, Rect.top});
    Handle(s, {Rect.right, Rect.bottom});
    return;
  }
  CornerHandles(s, Rect);
  if (Type() == ItemEllipse) DottedOutline(s, Rect, kBlack);
}

int FillItem::HitTest(LogicalPoint p) const {
  const double dx = static_cast<double>(p.x) - Rect.left, dy = static_cast<double>(p.y) - Rect.top;
  return dx * dx + dy * dy <= 30.0 * 30.0 ? 11 : 0;
}
int FillItem::HitTestSelected(LogicalPoint p) const { return HitTest(p); }
void FillItem::DrawSelection(Surface& s) { Handle(s, {Rect.left, Rect.top}); }

// Strings and data marks follow their text: no resize handles.
int StringItem::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int StringItem::HitTestSelected(LogicalPoint p) const { return HitTest(p); }
void StringItem::DrawSelection(Surface& s) {
  CornerHandles(s, Rect);
  DottedOutline(s, Rect, kBlack);
}

int JarlFrameItem::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int JarlFrameItem::HitTestSelected(LogicalPoint p) const { return HitTest(p); }
void JarlFrameItem::DrawSelection(Surface& s) {
  CornerHandles(s, Rect);
  DottedOutline(s, Rect, kBlack);
}

int TextBoxItem::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int TextBoxItem::HitTestSelected(LogicalPoint p) const { return EdgesOrInside(p, Rect); }
void TextBoxItem::DrawSelection(Surface& s) {
  CornerHandles(s, Rect);
  DottedOutline(s, Rect, kBlack);
}

int CheckBoxItem::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int CheckBoxItem::HitTestSelected(LogicalPoint p) const { return EdgesOrInside(p, Rect); }
void CheckBoxItem::DrawSelection(Surface& s) {
  CornerHandles(s, Rect);
  if (!DrawFrame) DottedOutline(s, Rect, kBlack);
}

int OleLinkItem::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int OleLinkItem::HitTestSelected(LogicalPoint p) const { return EdgesOrInside(p, Rect); }
void OleLinkItem::DrawSelection(Surface& s) {
  CornerHandles(s, Rect);
  DottedOutline(s, Rect, kBlack);
}

int ItemGroup::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int ItemGroup::HitTestSelected(LogicalPoint p) const { return EdgesOrInside(p, Rect); }
void ItemGroup::DrawSelection(Surface& s) {
  if (BoundsDirty()) RecomputeBounds();
  CornerHandles(s, Rect);
  DottedOutline(s, Rect, kMagenta);
}

int SelectionList::HitTest(LogicalPoint p) const { return Inside(p, Rect) ? 11 : 0; }
int SelectionList::HitTestSelected(LogicalPoint p) const { return HitTest(p); }
void SelectionList::DrawSelection(Surface& s) {
  if (BoundsDirty()) RecomputeBounds();
  for (std::size_t i = 0; i < Count(); ++i) Child(i).DrawSelection(s);
  DottedOutline(s, Rect, kMagenta);
}

// ---------------------------------------------------------------------------

int LayoutItemList::SelectAt(LogicalPoint p, MacroExpander& expander) {
  if (current_) {
    if (const int hit = current_->HitTestSelected(p)) return LastHit = hit;
  }
  selection_.Clear();
  current_ = nullptr;
  std::vector<CardItem*> candidates;
  int code = 0;
  for (const auto& item : items_) {
    if (!item->IsVisible(expander)) continue;
    if ((code = item->HitTest(p)) != 0) candidates.push_back(item.get());
  }
  // Lines first, then the smaller before the larger: a gap-halving shell
  // sort in which equal areas change places.
  const auto before = [](const CardItem* a, const CardItem* b) {
    const bool lineA = a->Type() == ItemLine, lineB = b->Type() == ItemLine;
    if (lineA != lineB) return lineA;
    return Area(*a) < Area(*b);
  };
  for (std::size_t gap = candidates.size() / 2; gap > 0; gap /= 2)
    for (std::size_t i = gap; i < candidates.size(); ++i)
      for (std::size_t j = i; j >= gap && !before(candidates[j - gap], candidates[j]); j -= gap)
        std::swap(candidates[j - gap], candidates[j]);
  if (candidates.empty()) return LastHit = code;
  current_ = anchor_ = candidates.front();
  return LastHit = current_->HitTest(p);
}

int LayoutItemList::AddToSelectionAt(LogicalPoint p, MacroExpander& expander) {
  if (!current_) return SelectAt(p, expander);
  CardItem* hit = nullptr;
  for (const auto& item : items_)
    if (item->IsVisible(expander) && item->HitTest(p) != 0) {
      hit = item.get();
      break;
    }
  if (!hit) return LastHit = 0;
  if ((IsCurrentMulti() && selection_.Contains(*hit)) || current_ == hit) return LastHit = 11;
  if (IsCurrentSingle()) {
    CardItem* single = current_;
    selection_.Clear();
    selection_.Add(*single);
  }
  selection_.Add(*hit);
  anchor_ = nullptr;
  current_ = &selection_;
  return LastHit = 11;
}

void LayoutItemList::SelectInRect(const LogicalRect& r, MacroExpander& expander) {
  selection_.Clear();
  current_ = anchor_ = nullptr;
  for (const auto& item : items_)
    if (item->IsVisible(expander) && item->TouchesRect(r)) selection_.Add(*item);
  if (selection_.Count() == 0) {
    LastHit = 0;
    return;
  }
  if (selection_.Count() == 1) {
    current_ = anchor_ = &selection_.Child(0);
    selection_.Clear();
  } else {
    current_ = &selection_;
  }
  LastHit = 11;
}

CardItem* LayoutItemList::NextOverlapping(int step) const {
  if (!IsCurrentSingle() || !anchor_) return nullptr;
  const LogicalRect& r = anchor_->Rect;
  const auto corners = [](const LogicalRect& x) {
    return std::array<LogicalPoint, 4>{LogicalPoint{x.left, x.top}, LogicalPoint{x.right, x.top},
                                       LogicalPoint{x.right, x.bottom}, LogicalPoint{x.left, x.bottom}};
  };
  for (int i = IndexOf(*current_) + step; i >= 0 && i < static_cast<int>(items_.size()); i += step) {
    const CardItem& item = *items_[static_cast<std::size_t>(i)];
    if (&item == current_ || &item == anchor_) continue;
    bool overlaps = false;
    for (LogicalPoint c : corners(item.Rect)) overlaps = overlaps || r.Contains(c);
    for (LogicalPoint c : corners(r)) overlaps = overlaps || item.Rect.Contains(c);
    if (overlaps) return items_[static_cast<std::size_t>(i)].get();
  }
  return nullptr;
}

}  // namespace tevra
