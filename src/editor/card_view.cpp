#include "editor/card_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "card/render_card.h"
#include "editor/view_status.h"
#include "qt/qt_surface.h"

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
  ResetScrollSizes();
}

CardView::~CardView() = default;

double CardView::ScaleX() const {
  const ZoomFactor f = ZoomFactorOf(zoom_);
  return logicalDpiX() / 1000.0 * f.num / f.den;
}

double CardView::ScaleY() const {
  const ZoomFactor f = ZoomFactorOf(zoom_);
  return logicalDpiY() / 1000.0 * f.num / f.den;
}

void CardView::SetZoom(int zoom) {
  zoom_ = zoom >= 0 && zoom < kZoomSteps ? zoom : 0;
  // The font sizes follow the resolution, so the cached fonts do not carry over.
  fonts_ = std::make_unique<QtFontCache>();
  ResetScrollSizes();
  update();
}

void CardView::ResetScrollSizes() {
  const ViewExtent extent = ScrollExtent(source_.metrics);
  setFixedSize(static_cast<int>(extent.width * ScaleX() + 0.5), static_cast<int>(extent.height * ScaleY() + 0.5));
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
  QtSurface surface(painter, logicalDpiX() * ZoomFactorOf(zoom_).num / static_cast<double>(ZoomFactorOf(zoom_).den),
                    logicalDpiY() * ZoomFactorOf(zoom_).num / static_cast<double>(ZoomFactorOf(zoom_).den),
                    QPointF(origin.x * sx, origin.y * sy), false, false, fonts_.get());
  if (source_.maskUnprintable)
    for (const LogicalRect& strip : MaskStrips(source_.layout.Settings, m)) surface.FillRect(strip, 0xC0C0C0);
  RenderContext context{*source_.expander, &source_.layout.Tables};
  RenderCardOptions options;
  options.selection = true;
  RenderCard(surface, source_.layout.Items, source_.layout.Settings, m, context, options);
  painted_ = true;
}

void CardView::mouseMoveEvent(QMouseEvent* event) {
  if (mouseMoved) mouseMoved(ToLogical(event->position().toPoint()));
  QWidget::mouseMoveEvent(event);
}

}  // namespace tevra
