// The card view of the main window: the paper of the current printer with
// the layout drawn on it, merged with the current card's QSOs, at one of
// four zoom steps. Editing with mouse and keys builds on this view.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "card/layout_document.h"
#include "card/render_context.h"
#include "platform/printer.h"

namespace tevra {

class QtFontCache;

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
  // After the paper or the printer changed: the view's size again.
  void ResetScrollSizes();
  // Whether the view has been painted once (the zoom command waits for it).
  bool Painted() const { return painted_; }
  // The logical point under a widget position (y up, card origin at 0).
  LogicalPoint ToLogical(QPoint position) const;

  // The last mouse position over the view, for the position pane.
  std::function<void(LogicalPoint)> mouseMoved;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // Device pixels per 1/1000 inch on each axis, at the current zoom.
  double ScaleX() const;
  double ScaleY() const;

  CardViewSource source_;
  int zoom_ = 0;
  bool painted_ = false;
  std::unique_ptr<QtFontCache> fonts_;
};

}  // namespace tevra
