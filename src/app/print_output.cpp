#include "app/print_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "app/program.h"
#include "card/render_card.h"
#include "qt/qt_printer.h"
#include "qt/qt_surface.h"

namespace tevra {
namespace {

class QtPageCanvas : public PageCanvas {
 public:
  QtPageCanvas(QPainter& painter, int dpi, Document& doc, bool real)
      : painter_(painter), dpi_(dpi), doc_(doc), real_(real) {}

  void DrawCard(int column, int row, bool grid) override {
    const PrinterMetrics& m = doc_.metrics.Metrics();
    // Printing places the card from the printable area's corner.
    const QPointF origin(m.offsetX * dpi_ / 1000.0, m.offsetY * dpi_ / 1000.0);
    // Flood fills on a vector device need a raster shadow of the page; only
    // layouts with fills pay for it.
    QtSurface surface(painter_, dpi_, dpi_, origin, true, doc_.layout.Items.HasFill(), &fonts_);
    RenderContext render{*doc_.expander, &doc_.layout.Tables, real_,
                         real_ && doc_.program.settings.invRotFont};
    RenderCardOptions options;
    options.column = column;
    options.row = row;
    options.printGrid = grid;
    RenderCard(surface, doc_.layout.Items, doc_.layout.Settings, m, render, options);
  }

 private:
  QPainter& painter_;
  int dpi_;
  Document& doc_;
  bool real_;
  QtFontCache fonts_;
};

}  // namespace

PageLoopResult RunPageLoop(PrintJob& job, Document& doc, QPagedPaintDevice& device, int dpi, int from, int to,
                           const std::function<void(int, int)>& progress) {
  PageLoopResult result;
  from = std::max({from, job.MinPage(), 1});
  to = std::min(to <= 0 ? job.PageCount() : to, job.PageCount());
  QPainter painter;
  if (!painter.begin(&device)) {
    result.ok = false;
    return result;
  }
  QtPageCanvas canvas(painter, dpi, doc, job.Kind() != PrintKind::Preview);
  const int total = std::max(0, to - from + 1);
  for (int page = from; page <= to; ++page) {
    if (!job.PreparePage()) {
      result.stoppedEarly = true;
      break;
    }
    if (page > from && !device.newPage()) {
      result.ok = false;
      break;
    }
    job.PrintPage(page, canvas);
    if (result.firstPage == 0) result.firstPage = page;
    result.lastPage = page;
    if (progress) progress(page - from + 1, total);
  }
  if (!painter.end()) result.ok = false;
  return result;
}

PageLoopResult PrintToPdf(PrintJob& job, Document& doc, const std::string& path, int from, int to,
                          const std::function<void(int, int)>& progress) {
  const PrinterMetrics& m = doc.metrics.Metrics();
  QPdfWriter pdf(QString::fromStdString(path));
  pdf.setCreator("TEVRA");
  pdf.setResolution(PdfPaper::kDpi);
  // The page as the metrics measure it, portrait or landscape as it is.
  pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(m.paperWidth / 1000.0, m.paperHeight / 1000.0), QPageSize::Inch),
                                QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  return RunPageLoop(job, doc, pdf, PdfPaper::kDpi, from, to, progress);
}

}  // namespace tevra
