#include "editor/card_view.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <QPolygonF>
#include <cmath>

#include "card/render_card.h"
#include "editor/layout_editor.h"
#include "editor/view_status.h"
#include "qt/qt_surface.h"
#include "qt/translation.h"

namespace tevra {
namespace {

// The desk around the paper.
const QColor kScreenBackground(0x80, 0x80, 0x80);

}  // namespace

CardView::CardView(CardViewSource source, QWidget* parent)
    : QWidget(parent), source_(source), fonts_(std::make_unique<QtFontCache>()) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  ResetScrollSizes();
}

CardView::~CardView() = default;

double CardView::ScaleX() const { return logicalDpiX() / 1000.0 * factor_.num / factor_.den; }

double CardView::ScaleY() const { return logicalDpiY() / 1000.0 * factor_.num / factor_.den; }

void CardView::SetZoomPercent(int percent) {
  const ZoomFactor f{std::clamp(percent, kZoomMinPercent, kZoomMaxPercent), 100};
  // The command's steps keep their exact fractions (two thirds).
  const int step = ZoomStepOf(f);
  if (step >= 0) return SetZoom(step);
  zoom_ = -1;
  factor_ = f;
  fonts_ = std::make_unique<QtFontCache>();
  ResetScrollSizes();
  update();
}

void CardView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || !zoomWheel) return QWidget::wheelEvent(event);
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) zoomWheel(steps, event->position().toPoint());
  event->accept();
}

void CardView::SetZoom(int zoom) {
  zoom_ = zoom >= 0 && zoom < kZoomSteps ? zoom : 0;
  factor_ = ZoomFactorOf(zoom_);
  // The font sizes follow the resolution, so the cached fonts do not carry over.
  fonts_ = std::make_unique<QtFontCache>();
  ResetScrollSizes();
  update();
}

void CardView::ResetScrollSizes() {
  const ViewExtent extent = ScrollExtent(source_.metrics);
  setFixedSize(static_cast<int>(extent.width * ScaleX() + 0.5), static_cast<int>(extent.height * ScaleY() + 0.5));
}

QPointF CardView::ToDevice(LogicalPoint p) const {
  const LogicalPoint origin = CardOriginOnPaper(source_.layout.Settings, source_.metrics);
  return {(origin.x + static_cast<double>(p.x)) * ScaleX(), (origin.y - static_cast<double>(p.y)) * ScaleY()};
}

LogicalPoint CardView::ToLogical(QPoint position) const {
  const LogicalPoint origin = CardOriginOnPaper(source_.layout.Settings, source_.metrics);
  return {static_cast<std::int32_t>(position.x() / ScaleX()) - origin.x,
          origin.y - static_cast<std::int32_t>(position.y() / ScaleY())};
}

void CardView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), kScreenBackground);
  const PrinterMetrics& m = source_.metrics;
  const double sx = ScaleX(), sy = ScaleY();
  painter.fillRect(QRectF(0, 0, m.paperWidth * sx, m.paperHeight * sy), Qt::white);
  const LogicalPoint origin = CardOriginOnPaper(source_.layout.Settings, m);
  QtSurface surface(painter, logicalDpiX() * factor_.num / static_cast<double>(factor_.den),
                    logicalDpiY() * factor_.num / static_cast<double>(factor_.den),
                    QPointF(origin.x * sx, origin.y * sy), false, false, fonts_.get());
  if (source_.maskUnprintable)
    for (const LogicalRect& strip : MaskStrips(source_.layout.Settings, m)) surface.FillRect(strip, 0xC0C0C0);
  RenderContext context{*source_.expander, &source_.layout.Tables};
  RenderCardOptions options;
  options.selection = true;
  RenderCard(surface, source_.layout.Items, source_.layout.Settings, m, context, options);
  // Items wholly off the card: a mark on the card's edge (a click on it
  // selects the item).
  painter.setPen(QPen(QColor(0xE0, 0x60, 0x00), 0));
  painter.setBrush(QColor(0xFF, 0x90, 0x20));
  for (const arrange::OffCardMarker& marker : OffCardMarkers()) {
    const QPointF c = ToDevice(marker.at);
    painter.drawPolygon(QPolygonF({c + QPointF(0, -5), c + QPointF(5, 0), c + QPointF(0, 5), c + QPointF(-5, 0)}));
  }
  // The rubber band or the outline of a move on top, dashed.
  if (editor_) {
    const LayoutEditor::Feedback f = editor_->CurrentFeedback();
    if (f.kind != LayoutEditor::Feedback::None) {
      painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
      painter.setBrush(Qt::NoBrush);
      const QPointF a = ToDevice({f.rect.left, f.rect.top}), b = ToDevice({f.rect.right, f.rect.bottom});
      if (f.kind == LayoutEditor::Feedback::Line) painter.drawLine(a, b);
      else painter.drawRect(QRectF(a, b).normalized());
    }
  }
  if (!painted_) {
    painted_ = true;
    if (firstPainted) firstPainted();
  }
}

std::vector<arrange::OffCardMarker> CardView::OffCardMarkers() const {
  const LogicalPoint extent = GridExtent(source_.layout.Settings, source_.metrics);
  return arrange::OffCardMarkers(source_.layout.Items, LogicalRect{0, 0, extent.x, -extent.y});
}

void CardView::UpdateCursor(LogicalPoint p, Qt::KeyboardModifiers modifiers) {
  if (!editor_) return;
  const int hit = editor_->CursorHit(p, modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier);
  Qt::CursorShape shape = Qt::ArrowCursor;
  switch (hit) {
    case -1: shape = Qt::CrossCursor; break;
    case 0: shape = Qt::ArrowCursor; break;
    case 1: case 2: shape = Qt::CrossCursor; break;
    case 3: case 5: shape = Qt::SizeFDiagCursor; break;
    case 4: case 6: shape = Qt::SizeBDiagCursor; break;
    case 7: case 9: shape = Qt::SizeHorCursor; break;
    case 8: case 10: shape = Qt::SizeVerCursor; break;
    default: shape = Qt::SizeAllCursor; break;
  }
  setCursor(shape);
}

void CardView::mousePressEvent(QMouseEvent* event) {
  if (!editor_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  if (editor_->CurrentTool() == ToolSelect) {
    const QPointF at = event->position();
    for (const arrange::OffCardMarker& marker : OffCardMarkers()) {
      const QPointF d = ToDevice(marker.at) - at;
      if (std::abs(d.x()) > 6 || std::abs(d.y()) > 6) continue;
      LayoutItemList& items = source_.layout.Items;
      items.Selection().Clear();
      items.SetCurrent(marker.item);
      // No change to undo; the window updates its commands and panes.
      if (beginChange) beginChange();
      if (endChange) endChange(false, QString());
      update();
      return;
    }
  }
  if (beginChange) beginChange();
  const Qt::KeyboardModifiers m = event->modifiers();
  editor_->Press(ToLogical(event->position().toPoint()), m & Qt::ShiftModifier, m & Qt::ControlModifier);
  update();
}

void CardView::mouseReleaseEvent(QMouseEvent* event) {
  if (!editor_ || event->button() != Qt::LeftButton || !editor_->Pressed()) return QWidget::mouseReleaseEvent(event);
  const Qt::KeyboardModifiers m = event->modifiers();
  const int tool = editor_->CurrentTool();
  const bool changed =
      editor_->Release(ToLogical(event->position().toPoint()), m & Qt::ShiftModifier, m & Qt::ControlModifier);
  if (endChange) endChange(changed, tool == ToolSelect ? Tevra::tr("移動") : Tevra::tr("作成"));
  update();
}

void CardView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (editor_ && event->button() == Qt::LeftButton && editor_->CurrentTool() == ToolSelect && editItem) {
    editItem();
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

void CardView::keyPressEvent(QKeyEvent* event) {
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = 1; break;
    case Qt::Key_Down: dy = -1; break;
    default: return QWidget::keyPressEvent(event);
  }
  if (!editor_) return;
  if (beginChange) beginChange();
  const Qt::KeyboardModifiers m = event->modifiers();
  const bool changed = editor_->ArrowKey(dx, dy, m & Qt::ShiftModifier, m & Qt::ControlModifier);
  if (endChange) endChange(changed, (m & Qt::ShiftModifier) ? Tevra::tr("サイズ変更") : Tevra::tr("移動"));
  update();
}

void CardView::contextMenuEvent(QContextMenuEvent* event) {
  if (contextMenu) contextMenu(event->globalPos());
}

void CardView::dragEnterEvent(QDragEnterEvent* event) {
  if (editor_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CardView::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  if (!files.isEmpty() && filesDropped) filesDropped(files, ToLogical(event->position().toPoint()));
  event->acceptProposedAction();
}

void CardView::mouseMoveEvent(QMouseEvent* event) {
  const LogicalPoint p = ToLogical(event->position().toPoint());
  if (mouseMoved) mouseMoved(p);
  if (editor_) {
    if (editor_->Pressed()) {
      editor_->Move(p);
      update();
    } else {
      UpdateCursor(p, event->modifiers());
    }
  }
  QWidget::mouseMoveEvent(event);
}

}  // namespace tevra
