// Editing the card with the mouse and the keys, apart from any widget: the
// drawing tools, selecting, the rubber band, moving and resizing the
// selection by the handle grabbed, the arrow keys, and creating items with
// the document's current pen and font. The view turns its events into
// these calls and draws the feedback it is told.
#pragma once

#include <functional>
#include <memory>

#include "card/layout_document.h"

namespace tevra {

class MacroExpander;

// The drawing tools by value.
enum Tool : int {
  ToolSelect = 0, ToolLine, ToolBox, ToolString, ToolJarl, ToolCheckBox, ToolDataMark, ToolEllipse, ToolObject,
  ToolTextBox, ToolRoundBox, ToolFill, ToolCount
};

class LayoutEditor {
 public:
  struct Hooks {
    // The edit lock refused a gesture (the view shows the message).
    std::function<void()> editLocked;
    // The property dialog of a new item; false: cancelled, the item goes.
    std::function<bool(CardItem&)> editNewItem;
    // The object tool was used over rect: the view asks for an image.
    std::function<void(const LogicalRect&)> insertObject;
  };

  // expander: how to reach the document's current expander (it is remade
  // when the options change); makeContItem: "MakeContItem".
  LayoutEditor(LayoutDocument& doc, std::function<MacroExpander&()> expander, const bool& makeContItem, Hooks hooks);

  int CurrentTool() const { return tool_; }
  void SetTool(int tool) { tool_ = tool >= 0 && tool < ToolCount ? tool : ToolSelect; }

  // The mouse, in logical units. Release and the keys answer whether the
  // layout changed.
  void Press(LogicalPoint point, bool shift, bool ctrl);
  void Move(LogicalPoint point);
  bool Release(LogicalPoint point, bool shift, bool ctrl);
  bool Pressed() const { return pressed_; }
  // An arrow key: dx, dy are -1, 0 or 1 (y up).
  bool ArrowKey(int dx, int dy, bool shift, bool ctrl);

  // What the view draws over the card while dragging.
  struct Feedback {
    enum Kind { None, Rectangle, Line } kind = None;
    LogicalRect rect;  // a line: (left, top) to (right, bottom)
  };
  Feedback CurrentFeedback() const;
  // The hit code that chooses the cursor over point: -1 for a drawing tool
  // (the cross), 0 when nothing selected is under it.
  int CursorHit(LogicalPoint point, bool shift, bool ctrl) const;

  void SelectAll();
  // Deletes the selection; false when there is none.
  bool DeleteSelection();

  // The rectangle the selection would have after moving or resizing it
  // by the handle `hit` from `from` to `to`.
  static LogicalRect MovedRect(const CardItem& item, bool multi, int hit, LogicalPoint delta, bool gridVisible,
                               const DocumentSettings& settings);

 private:
  bool GridVisible() const { return (doc_.Settings.GridMode & 1) != 0; }
  LogicalPoint Snap(LogicalPoint p) const { return GridVisible() ? doc_.Settings.SnapToGrid(p) : p; }
  bool ApplyMoveResize(LogicalPoint delta, int hit);
  bool Create(LogicalPoint end);
  bool Keep(std::unique_ptr<CardItem> item);

  LayoutDocument& doc_;
  std::function<MacroExpander&()> expander_;
  const bool& makeContItem_;
  Hooks hooks_;
  int tool_ = ToolSelect;
  bool pressed_ = false;
  bool moving_ = false;
  LogicalPoint anchor_{}, current_{};
};

}  // namespace tevra
