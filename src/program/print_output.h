// The page loop of a print job on a Qt paged device: a PDF file or a
// printer. Pages are drawn and handed to the device one at a time, so a job
// of any length needs the memory of one page.
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>

#include <functional>
#include <list>
#include <string>
#include <utility>

#include "print/print_job.h"

namespace tevra {

class Document;

struct PageLoopResult {
  bool ok = true;            // false: the device could not be opened or written
  std::string error;         // why not, for the message (English)
  bool stoppedEarly = false;  // a prompt was cancelled
  int firstPage = 0;          // the pages drawn, 0 when none
  int lastPage = 0;
};

// Draws pages from..to (clamped to the job's pages) of a prepared job on
// device, whose resolution is dpi and whose origin is the paper's corner.
// progress(done, total) after every page.
PageLoopResult RunPageLoop(PrintJob& job, Document& doc, QPagedPaintDevice& device, int dpi, int from, int to,
                           const std::function<void(int, int)>& progress = {});

// One page of a prepared job as a picture of the paper at dpi (white where
// nothing is drawn), for the preview.
QImage DrawPageImage(PrintJob& job, Document& doc, int page, int dpi);

// The print preview's pages, each drawn when it is first shown and kept
// while it is among the last few shown: a log of any length costs the
// memory of a few pages, and closing the preview gives it back.
class PagePreview {
 public:
  PagePreview(PrintJob& job, Document& doc, int dpi, std::size_t kept = 6)
      : job_(job), doc_(doc), dpi_(dpi), kept_(kept < 1 ? 1 : kept) {}
  int PageCount() const { return job_.PageCount(); }
  int Dpi() const { return dpi_; }
  // Page 1..PageCount(); a null image for any other number.
  const QImage& Page(int page);
  // How many pages were drawn so far (a page drawn again counts again).
  std::size_t PagesDrawn() const { return drawn_; }

 private:
  PrintJob& job_;
  Document& doc_;
  int dpi_;
  std::size_t kept_;
  std::size_t drawn_ = 0;
  std::list<std::pair<int, QImage>> pages_;  // the most recently shown first
  QImage none_;
};

// The whole job into a PDF file: the page size and orientation of the
// document's printer paper.
PageLoopResult PrintToPdf(PrintJob& job, Document& doc, const std::string& path, int from, int to,
                          const std::function<void(int, int)>& progress = {});

// The same on a given page layout and resolution. The pages go into a new
// file beside path, which takes path's place only when every byte of it is
// on the disk: a failure (full disk, unwritable folder, a path that is no
// regular file) leaves what was at path and says why.
PageLoopResult PrintToPdfFile(PrintJob& job, Document& doc, const std::string& path, const QPageLayout& layout,
                              int dpi, int from, int to, const std::function<void(int, int)>& progress = {});

// Why a PDF may not be written at path, empty when it may: its folder must
// exist, and a file there must be a regular one (with onlyOverPdf: one that
// already holds a PDF). Never blocks, whatever path names.
std::string PdfTargetProblem(const std::string& path, bool onlyOverPdf);

}  // namespace tevra
