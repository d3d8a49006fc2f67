#include "program/card_image.h"

#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <QPdfWriter>

#include "card/render_card.h"
#include "qt/qt_surface.h"

namespace tevra {
namespace {

// The card origin on the paper, in device pixels.
QPointF CardOrigin(const DocumentSettings& s, const PrinterMetrics& m, double dpi) {
  const double x = m.offsetX + s.LeftMargin * 100 / 254;
  const double y = m.offsetY + s.TopMargin * 100 / 254;
  return {x * dpi / 1000.0, y * dpi / 1000.0};
}

}  // namespace

QImage RenderCardImage(LayoutItemList& items, const DocumentSettings& settings, const PrinterMetrics& metrics,
                       RenderContext& context, int dpi) {
  QImage image(metrics.paperWidth * dpi / 1000, metrics.paperHeight * dpi / 1000, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
  image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  QtSurface surface(painter, dpi, dpi, CardOrigin(settings, metrics, dpi), false, false);
  RenderCard(surface, items, settings, metrics, context);
  return image;
}

QImage RenderCardAlone(LayoutItemList& items, const DocumentSettings& settings, const PrinterMetrics& metrics,
                       RenderContext& context, int dpi) {
  const LogicalPoint extent = GridExtent(settings, metrics);
  const int width = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{extent.x} * dpi / 1000, 1, 20000));
  const int height = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{extent.y} * dpi / 1000, 1, 20000));
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
  image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  QtSurface surface(painter, dpi, dpi, QPointF(0, 0), false, false);
  RenderCard(surface, items, settings, metrics, context);
  return image;
}

QImage RenderCardThumbnail(LayoutItemList& items, const DocumentSettings& settings, const PrinterMetrics& metrics,
                           RenderContext& context, int size) {
  // Drawn at twice the size it shows, then made smaller smoothly: thin
  // lines stay visible.
  const LogicalPoint extent = GridExtent(settings, metrics);
  const std::int64_t longer = std::max<std::int64_t>({extent.x, extent.y, 1});
  const int dpi = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{size} * 2 * 1000 / longer + 1, 8, 1200));
  return RenderCardAlone(items, settings, metrics, context, dpi)
      .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool WriteCardPdf(const QString& path, LayoutItemList& items, const DocumentSettings& settings,
                  const PrinterMetrics& metrics, RenderContext& context, int dpi, int pages) {
  QPdfWriter pdf(path);
  pdf.setResolution(dpi);
  pdf.setPageSize(QPageSize(QSizeF(metrics.paperWidth / 1000.0, metrics.paperHeight / 1000.0), QPageSize::Inch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  QtFontCache fonts;
  for (int page = 0; page < pages; ++page) {
    if (page > 0) pdf.newPage();
    context.expander.Context().CardIndex = page;
    context.expander.Context().MessageShown = false;
    // Flood fills on a PDF need a raster shadow of the page; only layouts
    // with fills pay for it.
    QtSurface surface(painter, dpi, dpi, CardOrigin(settings, metrics, dpi), false, items.HasFill(), &fonts);
    RenderCard(surface, items, settings, metrics, context);
  }
  return painter.end();
}

}  // namespace tevra
