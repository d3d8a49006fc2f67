// The page loop of a print job on a Qt paged device: a PDF file or a
// printer. Pages are drawn and handed to the device one at a time, so a job
// of any length needs the memory of one page.
#pragma once

#include <QPagedPaintDevice>

#include <functional>
#include <string>

#include "print/print_job.h"

namespace tevra {

class Document;

struct PageLoopResult {
  bool ok = true;            // false: the device could not be opened or written
  bool stoppedEarly = false;  // a prompt was cancelled
  int firstPage = 0;          // the pages drawn, 0 when none
  int lastPage = 0;
};

// Draws pages from..to (clamped to the job's pages) of a prepared job on
// device, whose resolution is dpi and whose origin is the paper's corner.
// progress(done, total) after every page.
PageLoopResult RunPageLoop(PrintJob& job, Document& doc, QPagedPaintDevice& device, int dpi, int from, int to,
                           const std::function<void(int, int)>& progress = {});

// The whole job into a PDF file: the page size and orientation of the
// document's printer paper.
PageLoopResult PrintToPdf(PrintJob& job, Document& doc, const std::string& path, int from, int to,
                          const std::function<void(int, int)>& progress = {});

}  // namespace tevra
