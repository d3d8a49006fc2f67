// The card view of the main window: the paper of the current printer with
// the layout drawn on it, merged with the current card's QSOs, at one of
// four zoom steps. Editing with mouse and keys builds on this view.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "card/layout_document.h"
#include "editor/arrange.h"
#include "editor/view_status.h"
#include "card/render_context.h"
#include "platform/printer.h"

namespace tevra {

class QtFontCache;
class LayoutEditor;

// What the view draws, owned by the document.
struct CardViewSource {
  LayoutDocument& layout;
  const PrinterMetrics& metrics;
  // The document makes a new expander when the options change.
  const std::unique_ptr<MacroExpander>& expander;
  const bool& maskUnprintable;  // "DispPrinterRect"
};

class CardView : public QWidget {
  Q_OBJECT

 public:
  CardView(CardViewSource source, QWidget* parent = nullptr);
  ~CardView() override;

  int Zoom() const { return zoom_; }
  // Sets the zoom step (0..3) and resizes the view to the scrolled area.
  void SetZoom(int zoom);
  // Any zoom from 25 % to 800 %, and the zoom as it is drawn.
  void SetZoomPercent(int percent);
  int ZoomPercentNow() const { return zoom_ >= 0 ? ZoomPercent(zoom_) : factor_.num * 100 / factor_.den; }
  // A widget position of a logical point.
  QPointF ToDevice(LogicalPoint p) const;
  // Ctrl+wheel: steps up (+) or down (-) at a widget position.
  std::function<void(int steps, QPoint at)> zoomWheel;
  // After the paper or the printer changed: the view's size again.
  void ResetScrollSizes();
  // Whether the view has been painted once (the zoom command waits for it).
  bool Painted() const { return painted_; }
  // The logical point under a widget position (y up, card origin at 0).
  LogicalPoint ToLogical(QPoint position) const;

  // The last mouse position over the view, for the position pane.
  std::function<void(LogicalPoint)> mouseMoved;
  // Once, after the first paint (commands that wait for it can be enabled).
  std::function<void()> firstPainted;

  // Editing: the editor that mouse and keys drive (none: the view only
  // shows), and what the window does around a change.
  void SetEditor(LayoutEditor* editor) { editor_ = editor; }
  // Before a gesture that may change the layout, and after it (changed:
  // it did; description: for the undo list).
  std::function<void()> beginChange;
  std::function<void(bool changed, const QString& description)> endChange;
  // A double click on the selection (and Ctrl+E): its properties.
  std::function<void()> editItem;
  // The context menu at a global position.
  std::function<void(QPoint)> contextMenu;
  // Image files dropped on the card, with the logical rectangle under the drop.
  std::function<void(const QStringList& files, LogicalPoint at)> filesDropped;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Device pixels per 1/1000 inch on each axis, at the current zoom.
  double ScaleX() const;
  double ScaleY() const;
  // The marks of the items wholly off the card.
  std::vector<arrange::OffCardMarker> OffCardMarkers() const;
  void UpdateCursor(LogicalPoint p, Qt::KeyboardModifiers modifiers);

  CardViewSource source_;
  int zoom_ = 0;             // the zoom command's step, -1 between its steps
  ZoomFactor factor_{1, 1};  // what the view is drawn at
  bool painted_ = false;
  std::unique_ptr<QtFontCache> fonts_;
  LayoutEditor* editor_ = nullptr;
};

}  // namespace tevra
