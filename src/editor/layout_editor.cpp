#include "editor/layout_editor.h"

#include <algorithm>

#include "merge/macro_expander.h"

namespace tevra {
namespace {

constexpr int kMoveHit = 11;

LogicalRect Span(LogicalPoint a, LogicalPoint b) { return {a.x, a.y, b.x, b.y}; }

// The item type a rectangle-drawing tool makes.
ItemType TypeOfTool(int tool) {
  switch (tool) {
    case ToolLine: return ItemLine;
    case ToolBox: return ItemBox;
    case ToolString: return ItemString;
    case ToolJarl: return ItemJarlFrame;
    case ToolCheckBox: return ItemCheckBox;
    case ToolDataMark: return ItemDataMark;
    case ToolEllipse: return ItemEllipse;
    case ToolObject: return ItemOleLink;
    case ToolTextBox: return ItemTextBox;
    case ToolRoundBox: return ItemRoundBox;
    case ToolFill: return ItemFill;
    default: return ItemSelection;
  }
}

bool MovesOnly(const CardItem& item) {
  const ItemType t = item.Type();
  return t == ItemString || t == ItemJarlFrame || t == ItemDataMark || t == ItemFill;
}

}  // namespace

LayoutEditor::LayoutEditor(LayoutDocument& doc, std::function<MacroExpander&()> expander, const bool& makeContItem,
                           Hooks hooks)
    : doc_(doc), expander_(std::move(expander)), makeContItem_(makeContItem), hooks_(std::move(hooks)) {}

void LayoutEditor::Press(LogicalPoint p, bool shift, bool ctrl) {
  if (doc_.Settings.IsEditLocked()) {
    if (hooks_.editLocked) hooks_.editLocked();
    tool_ = ToolSelect;
    return;
  }
  anchor_ = current_ = p;
  moving_ = false;
  LayoutItemList& items = doc_.Items;
  if (tool_ == ToolSelect && items.Current() && !shift && !ctrl) moving_ = items.SelectAt(p, expander_()) != 0;
  anchor_ = current_ = Snap(p);
  pressed_ = true;
}

void LayoutEditor::Move(LogicalPoint p) {
  if (!pressed_ || doc_.Settings.IsEditLocked()) return;
  current_ = Snap(p);
}

LayoutEditor::Feedback LayoutEditor::CurrentFeedback() const {
  Feedback f;
  if (!pressed_) return f;
  const LayoutItemList& items = doc_.Items;
  if (tool_ == ToolSelect && moving_) {
    if (current_ == anchor_ || !items.Current()) return f;
    const CardItem& item = *items.Current();
    const LogicalPoint delta{current_.x - anchor_.x, current_.y - anchor_.y};
    f.rect = MovedRect(item, items.IsCurrentMulti(), items.LastHit, delta, GridVisible(), doc_.Settings);
    f.kind = item.Type() == ItemLine ? Feedback::Line : Feedback::Rectangle;
    return f;
  }
  switch (tool_) {
    case ToolSelect:
    case ToolBox:
    case ToolCheckBox:
    case ToolEllipse:
    case ToolObject:
    case ToolTextBox:
    case ToolRoundBox:
      if (current_ == anchor_) break;
      f.kind = Feedback::Rectangle;
      f.rect = Span(anchor_, current_);
      break;
    case ToolLine:
      if (current_ == anchor_) break;
      f.kind = Feedback::Line;
      f.rect = Span(anchor_, current_);
      break;
    default: break;
  }
  return f;
}

LogicalRect LayoutEditor::MovedRect(const CardItem& item, bool multi, int hit, LogicalPoint d, bool gridVisible,
                                    const DocumentSettings& settings) {
  LogicalRect r = item.Rect;
  if (multi || MovesOnly(item)) hit = kMoveHit;
  if (item.Type() == ItemLine) {
    if (hit == 1) {
      r.left += d.x;
      r.top += d.y;
      return r;
    }
    if (hit == 2 || hit == 9 || hit == 10) {
      r.right += d.x;
      r.bottom += d.y;
      return r;
    }
    hit = kMoveHit;
  }
  switch (hit) {
    case 3: r.left += d.x; r.top += d.y; break;
    case 4: r.right += d.x; r.top += d.y; break;
    case 5: r.right += d.x; r.bottom += d.y; break;
    case 6: r.left += d.x; r.bottom += d.y; break;
    case 7: r.left += d.x; break;
    case 8: r.top += d.y; break;
    case 9: r.right += d.x; break;
    case 10: r.bottom += d.y; break;
    default: {
      r = {r.left + d.x, r.top + d.y, r.right + d.x, r.bottom + d.y};
      if (gridVisible) {
        const LogicalPoint snapped = settings.SnapToGrid({r.left, r.top});
        r.right += snapped.x - r.left;
        r.bottom += snapped.y - r.top;
        r.left = snapped.x;
        r.top = snapped.y;
      }
      break;
    }
  }
  return r;
}

bool LayoutEditor::ApplyMoveResize(LogicalPoint delta, int hit) {
  LayoutItemList& items = doc_.Items;
  CardItem* item = items.Current();
  if (!item || doc_.Settings.IsEditLocked()) return false;
  const bool multi = items.IsCurrentMulti();
  if (auto* collection = dynamic_cast<ItemCollection*>(item); collection && collection->BoundsDirty())
    collection->RecomputeBounds();
  const LogicalRect moved = MovedRect(*item, multi, hit, delta, GridVisible(), doc_.Settings);
  if (moved == item->Rect) return false;
  const bool resize = !(multi || MovesOnly(*item)) && hit != kMoveHit &&
                      !(item->Type() == ItemLine && hit != 1 && hit != 2 && hit != 9 && hit != 10);
  item->Rect = moved;
  if (resize) item->ApplyResize();
  item->ApplyMove();
  return true;
}

bool LayoutEditor::Release(LogicalPoint p, bool shift, bool ctrl) {
  if (!pressed_) return false;
  pressed_ = false;
  LayoutItemList& items = doc_.Items;
  if (tool_ == ToolSelect) {
    if (moving_) {
      moving_ = false;
      if (current_ == anchor_ || !items.Current()) return false;
      const LogicalPoint end = Snap(p);
      return ApplyMoveResize({end.x - anchor_.x, end.y - anchor_.y}, items.LastHit);
    }
    if (!(p == anchor_) && !(Snap(p) == anchor_)) {
      items.SelectInRect(Span(anchor_, p), expander_());
    } else if (shift || ctrl) {
      items.AddToSelectionAt(p, expander_());
    } else {
      items.SelectAt(p, expander_());
    }
    return false;
  }
  return Create(Snap(p));
}

bool LayoutEditor::Create(LogicalPoint end) {
  const ItemType type = TypeOfTool(tool_);
  const bool landscape = doc_.Settings.CardFormCode == FormLandscape;
  std::unique_ptr<CardItem> item = NewItem(type, doc_.Settings.CurrentPen, doc_.Settings.CurrentFont, landscape);
  if (!item) return false;
  switch (tool_) {
    case ToolString:
    case ToolDataMark:
    case ToolFill:
    case ToolJarl: {
      item->Rect = {end.x, end.y, end.x, end.y};
      if (auto* frame = dynamic_cast<JarlFrameItem*>(item.get())) frame->UpdateRect();
      if (hooks_.editNewItem && !hooks_.editNewItem(*item)) return false;
      // The font chosen in the dialog becomes the one for the next item.
      FontRecord font;
      Colour colour;
      if ((tool_ == ToolString || tool_ == ToolDataMark) && item->GetFont(font, colour))
        doc_.Settings.CurrentFont = font;
      return Keep(std::move(item));
    }
    case ToolObject: {
      LogicalRect r = Span(anchor_, end);
      if (end == anchor_) r = {anchor_.x, anchor_.y, anchor_.x + 1000, anchor_.y - 1000};
      if (hooks_.insertObject) hooks_.insertObject(r);
      if (!makeContItem_) tool_ = ToolSelect;
      return false;  // the view adds the object it was given
    }
    default: break;
  }
  if (end == anchor_) return false;  // a zero-size drag makes nothing
  item->Rect = Span(anchor_, end);
  if ((tool_ == ToolCheckBox || tool_ == ToolTextBox) && hooks_.editNewItem && !hooks_.editNewItem(*item)) return false;
  return Keep(std::move(item));
}

bool LayoutEditor::Keep(std::unique_ptr<CardItem> item) {
  doc_.Items.Add(std::move(item));
  if (!makeContItem_) tool_ = ToolSelect;
  return true;
}

bool LayoutEditor::ArrowKey(int dx, int dy, bool shift, bool ctrl) {
  LayoutItemList& items = doc_.Items;
  if (pressed_ || !items.Current() || doc_.Settings.IsEditLocked()) return false;
  int& mode = doc_.Settings.GridMode;
  const int saved = mode;
  if (ctrl) mode &= ~1;  // the grid stays out of a fine step
  const bool grid = GridVisible();
  const int stepX = grid ? doc_.Settings.GridStepX : 10, stepY = grid ? doc_.Settings.GridStepY : 10;
  const int hit = shift ? (dx != 0 ? 9 : 10) : kMoveHit;
  items.LastHit = hit;
  const bool changed = ApplyMoveResize({dx * stepX, dy * stepY}, hit);
  mode = saved;
  return changed;
}

int LayoutEditor::CursorHit(LogicalPoint p, bool shift, bool ctrl) const {
  if (tool_ != ToolSelect) return -1;
  const CardItem* current = doc_.Items.Current();
  if (!current || shift || ctrl) return 0;
  return current->HitTestSelected(p);
}

void LayoutEditor::SelectAll() {
  LayoutItemList& items = doc_.Items;
  if (items.Count() == 0) return;
  if (items.Count() == 1) {
    items.SetCurrent(&items.At(0));
    return;
  }
  items.Selection().Clear();
  for (std::size_t i = 0; i < items.Count(); ++i) items.Selection().Add(items.At(i));
  items.SetCurrent(&items.Selection());
}

bool LayoutEditor::DeleteSelection() {
  LayoutItemList& items = doc_.Items;
  CardItem* current = items.Current();
  if (!current) return false;
  std::vector<const CardItem*> doomed;
  if (items.IsCurrentMulti()) {
    for (std::size_t i = 0; i < items.Selection().Count(); ++i) doomed.push_back(&items.Selection().Child(i));
  } else {
    doomed.push_back(current);
  }
  items.Selection().Clear();
  items.SetCurrent(nullptr);
  for (const CardItem* item : doomed) items.Delete(*item);
  items.SelectLast();
  return true;
}

}  // namespace tevra
