#include "program/print_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <algorithm>

#include "program/program.h"
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

QImage DrawPageImage(PrintJob& job, Document& doc, int page, int dpi) {
  const PrinterMetrics& m = doc.metrics.Metrics();
  QImage image(std::max(1, static_cast<int>(m.paperWidth * static_cast<long long>(dpi) / 1000)),
               std::max(1, static_cast<int>(m.paperHeight * static_cast<long long>(dpi) / 1000)), QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
  image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QtPageCanvas canvas(painter, dpi, doc, job.Kind() != PrintKind::Preview);
  job.PrintPage(page, canvas);
  return image;
}

const QImage& PagePreview::Page(int page) {
  if (page < 1 || page > PageCount()) return none_;
  for (auto it = pages_.begin(); it != pages_.end(); ++it)
    if (it->first == page) {
      pages_.splice(pages_.begin(), pages_, it);
      return pages_.front().second;
    }
  pages_.emplace_front(page, DrawPageImage(job_, doc_, page, dpi_));
  ++drawn_;
  while (pages_.size() > kept_) pages_.pop_back();
  return pages_.front().second;
}

PageLoopResult PrintToPdf(PrintJob& job, Document& doc, const std::string& path, int from, int to,
                          const std::function<void(int, int)>& progress) {
  const PrinterMetrics& m = doc.metrics.Metrics();
  // The page as the metrics measure it, portrait or landscape as it is.
  const QPageLayout layout(QPageSize(QSizeF(m.paperWidth / 1000.0, m.paperHeight / 1000.0), QPageSize::Inch),
                           QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
  return PrintToPdfFile(job, doc, path, layout, PdfPaper::kDpi, from, to, progress);
}

std::string PdfTargetProblem(const std::string& path, bool onlyOverPdf) {
  if (path.empty()) return "no file name";
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) return std::strerror(errno);
    const std::string dir = std::filesystem::path(path).parent_path().string();
    if (::stat(dir.empty() ? "." : dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "the folder does not exist";
    return {};
  }
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  if (!onlyOverPdf) return {};
  // Only a PDF is replaced: a client's own log or anything else stays.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::strerror(errno);
  char head[5] = {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const bool pdf = regular && ::read(fd, head, sizeof head) == static_cast<ssize_t>(sizeof head) &&
                   std::memcmp(head, "%PDF-", sizeof head) == 0;
  ::close(fd);
  return pdf ? std::string() : "an existing file that is not a PDF";
}

PageLoopResult PrintToPdfFile(PrintJob& job, Document& doc, const std::string& path, const QPageLayout& layout,
                              int dpi, int from, int to, const std::function<void(int, int)>& progress) {
  PageLoopResult result;
  const auto fail = [&result](std::string why) {
    result.ok = false;
    result.error = std::move(why);
    return result;
  };
  if (std::string problem = PdfTargetProblem(path, false); !problem.empty()) return fail(problem);
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString().toStdString());
  {
    QPdfWriter pdf(&file);
    pdf.setCreator("TEVRA");
    pdf.setResolution(dpi);
    pdf.setPageLayout(layout);
    result = RunPageLoop(job, doc, pdf, dpi, from, to, progress);
  }
  if (!result.ok) {
    file.cancelWriting();
    return fail("the pages could not be drawn");
  }
  // Every byte reaches the disk before the new file takes the name.
  if (!file.flush() || file.error() != QFileDevice::NoError) {
    const std::string why = file.errorString().toStdString();
    file.cancelWriting();
    return fail(why);
  }
  struct stat st{};
  errno = 0;
  if (::fsync(file.handle()) != 0 || ::fstat(file.handle(), &st) != 0 || st.st_size <= 0 ||
      st.st_size != file.pos()) {
    const std::string why = errno ? std::strerror(errno) : "the file is incomplete";
    file.cancelWriting();
    return fail(why);
  }
  if (!file.commit()) return fail(file.errorString().toStdString());
  const std::string dir = std::filesystem::path(path).parent_path().string();
  if (const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return result;
}

}  // namespace tevra
