#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <QCommandLineParser>
#include <QGuiApplication>

#include "program/card_image.h"
#include "batch/console_ui.h"
#include "print/print_job.h"
#include "program/print_output.h"
#include "program/printer_metrics.h"
#include "program/program.h"
#include "card/sample_qsos.h"
#include "card/layout_document.h"
#include "core/archive.h"
#include "example_layouts.h"
#include "program/log_list.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/messages.h"
#include "core/paths.h"
#include "core/profile.h"
#include "import/csv_format_dialog.h"
#include "import/csv_settings.h"
#include "import/text_encoding.h"
#include "import/log_loader.h"
#include "import/log_source.h"
#include "import/mft_file.h"
#include "log/entity_table.h"
#include "log/log_store.h"
#include "merge/load_condition.h"
#include "merge/macro_expander.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_printer.h"

#include "batch/batch_runs.h"
#include "program/card_image_export.h"
#include "batch/batch_session.h"

namespace tevra {
namespace {

// The layout of a merge print: an example layout by name, or a file.
// With --sheet the layout goes onto the catalogue's sheet.
bool OpenPrintLayout(const BatchOptions& batch, Document& doc, std::FILE* err) {
  const std::string& layout = batch.printLayout;
  if (layout == "postcard" || layout == "landscape" || layout == "tackseal") {
    doc.Reset();
    if (!ObtainLayout(layout, doc.layout, err) || !ApplySheetOption(batch, doc.layout.Settings, err)) return false;
    doc.LayoutReady();
    return true;
  }
  if (!doc.OpenLayout(layout)) {
    std::fprintf(err, "tevra-batch: %s: the layout could not be read\n", layout.c_str());
    return false;
  }
  if (batch.sheet) {
    if (!ApplySheetOption(batch, doc.layout.Settings, err)) return false;
    doc.LayoutReady();
  }
  return true;
}

// Where the previous merge print of a log stopped, kept between runs.
constexpr std::string_view kResumeSection = "tevra-batch";

void RestoreResumePoint(Document& doc, const std::string& log, std::FILE* err) {
  const Profile& file = doc.program.file;
  const bool same = file.GetString(kResumeSection, "LastLog", "") == log &&
                    file.GetInt(kResumeSection, "LastCards", -1) == static_cast<int>(doc.store.CardCount());
  const int page = file.GetInt(kResumeSection, "LastPage", 0);
  if (!same || page <= 0) {
    std::fprintf(err, "tevra-batch: no earlier print of this log to continue; printing from page 1\n");
    return;
  }
  doc.program.printedData = true;
  doc.lastPrintedPage = page;
}

void KeepResumePoint(Document& doc, const std::string& log) {
  Profile& file = doc.program.file;
  file.SetString(kResumeSection, "LastLog", log);
  file.SetInt(kResumeSection, "LastCards", static_cast<int>(doc.store.CardCount()));
  file.SetInt(kResumeSection, "LastPage", doc.lastPrintedPage);
}

// Progress on stderr, a few times a second at most.
class ProgressLine {
 public:
  ProgressLine(std::FILE* err, const PrintJob& job, int totalCards)
      : err_(err), job_(job), totalCards_(totalCards), tty_(isatty(fileno(err)) != 0) {}
  void operator()(int done, int total) {
    const auto now = std::chrono::steady_clock::now();
    if (done < total && now - last_ < std::chrono::milliseconds(250)) return;
    if (done == total && !shown_) return;  // a short job needs no progress
    last_ = now;
    shown_ = true;
    std::fprintf(err_, "%stevra-batch: card %d of %d (page %d of %d)%s", tty_ ? "\r" : "", job_.CardsPrinted(),
                 totalCards_, done, total, tty_ && done < total ? "" : "\n");
    std::fflush(err_);
  }

 private:
  std::FILE* err_;
  const PrintJob& job_;
  int totalCards_;
  bool tty_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace

int PrintCards(const BatchOptions& batch, std::FILE* out, std::FILE* err) {
  const auto app = StartQt();
  std::unique_ptr<Printer> printer;
  QtPrinter* systemPrinter = nullptr;
  if (batch.printerName) {
    auto p = std::make_unique<QtPrinter>(*batch.printerName);
    if (!p->Valid() || p->Device().printerName().toStdString() != *batch.printerName) {
      std::string names;
      for (const auto& name : PrinterNames()) names += (names.empty() ? "" : ", ") + name;
      std::fprintf(err, "tevra-batch: %s: no such printer (%s)\n", batch.printerName->c_str(),
                   names.empty() ? "this system has none" : ("the system has " + names).c_str());
      return 1;
    }
    p->Device().setDocName("TEVRA");
    systemPrinter = p.get();
    printer = std::move(p);
  } else {
    printer = std::make_unique<PdfPaper>();
  }
  Session session(err);
  if (const int rc = StartSession(batch, session, std::move(printer), err)) return rc;
  ConsoleUi& ui = session.ui;
  Document& doc = *session.doc;
  if (!OpenPrintLayout(batch, doc, err)) return 1;
  std::string logPath;
  if (batch.printLog) {
    if (const int rc = LoadLog(batch, session, *batch.printLog, err)) return rc;
    std::error_code ec;
    logPath = std::filesystem::absolute(*batch.printLog, ec).string();
    if (!batch.testPrint && doc.store.CardCount() == 0) {
      std::fprintf(err, "tevra-batch: %s: no QSOs to print\n", batch.LogName(*batch.printLog).c_str());
      return 1;
    }
  }
  // The questions of the print job, answered by the command line.
  ui.sortAnswer = batch.sort == "desc" ? SortAnswer::Descending
                  : batch.sort == "asc" ? SortAnswer::Ascending
                                        : SortAnswer::No;
  ui.yesNoCancelAnswer = batch.resume ? Answer::Yes : Answer::No;
  if (!batch.noPrompts && isatty(fileno(stdin))) ui.promptInput = stdin;
  const bool merge = !batch.testPrint;
  QtClipboard clipboard;
  doc.writeBack.clipboard = &clipboard;
  if (batch.suppress && batch.printLog) {
    ui.confirmAll = batch.writeBack;  // the question whether to mark the log
    ui.proceedWhenLogChanged = true;
    const SuppressionResult s = SuppressIssued(doc, SuppressionOptions{});
    ui.confirmAll = true;
    if (s.failed) std::fprintf(err, "tevra-batch: the suppression marks could not be written; nothing was left out\n");
    std::fprintf(out, "suppressed %u of %u QSOs not sent yet; %zu QSOs to print\n", s.suppressed, s.unsent, s.kept);
    if (merge && doc.store.CardCount() == 0) {
      std::fprintf(err, "tevra-batch: nothing left to print\n");
      return 1;
    }
  }
  if (merge && batch.resume) RestoreResumePoint(doc, logPath, err);

  PrintJob job(doc, merge ? PrintKind::Merge : PrintKind::Test);
  job.SetFirstLabel(batch.firstLabel);
  job.spoolerPauses = systemPrinter != nullptr;
  if (!job.Prepare()) {
    std::fprintf(err, "tevra-batch: the print job was abandoned\n");
    return 1;
  }
  const int from = std::max(batch.fromPage, job.MinPage());
  const int to = batch.toPage <= 0 ? job.PageCount() : std::min(batch.toPage, job.PageCount());
  if (from > to) {
    std::fprintf(err, "tevra-batch: no pages to print (the job has %d page%s, from page %d)\n", job.PageCount(),
                 job.PageCount() == 1 ? "" : "s", from);
    return 1;
  }
  // The write-back question at the end of the job.
  ui.yesNoCancelAnswer = batch.writeBack ? Answer::Yes : Answer::No;
  ui.proceedWhenLogChanged = true;
  job.Begin();
  ProgressLine progress(err, job, merge ? static_cast<int>(doc.store.CardCount()) : 1);
  PageLoopResult result;
  std::vector<std::string> images;
  if (batch.imagesDir) {
    ImageExport exporting;
    exporting.folder = *batch.imagesDir;
    exporting.format = batch.imageFormat;
    exporting.dpi = batch.imageDpi;
    if (batch.imageName) exporting.namePattern = *batch.imageName;
    exporting.overwrite = batch.overwrite;
    result = ExportCardImages(job, doc, exporting, from, to, [&progress](int done, int total) {
      progress(done, total);
      return true;
    }, &images);
  } else {
    result = systemPrinter ? RunPageLoop(job, doc, systemPrinter->Device(), systemPrinter->Device().resolution(), from,
                                         to, std::ref(progress))
                           : PrintToPdf(job, doc, *batch.outputPdf, from, to, std::ref(progress));
  }
  if (!result.ok) {
    // Nothing counts as printed: no marks, no print number, no resume point.
    job.Fail();
    const std::string& where = systemPrinter ? *batch.printerName : batch.imagesDir ? *batch.imagesDir : *batch.outputPdf;
    std::fprintf(err, "tevra-batch: %s: cannot write the %s%s%s; nothing was printed and the log was not marked\n",
                 where.c_str(), batch.imagesDir ? "pictures" : "pages", result.error.empty() ? "" : ": ",
                 result.error.c_str());
    return 1;
  }
  std::size_t printed = 0;
  for (std::size_t i = 0; i < doc.store.QsoCount(); ++i) printed += doc.store.Entry(i).Printed() ? 1 : 0;
  job.End();
  if (result.stoppedEarly) std::fprintf(err, "tevra-batch: printing ended at a prompt\n");
  const std::string target = systemPrinter    ? "printer " + *batch.printerName
                             : batch.imagesDir ? std::to_string(images.size()) + " pictures in " + *batch.imagesDir
                                               : *batch.outputPdf;
  const int pages = result.firstPage == 0 ? 0 : result.lastPage - result.firstPage + 1;
  std::fprintf(out, "%d card%s on %d page%s (pages %d to %d of %d) to %s\n", job.CardsPrinted(),
               job.CardsPrinted() == 1 ? "" : "s", pages, pages == 1 ? "" : "s", result.firstPage, result.lastPage,
               job.PageCount(), target.c_str());
  int rc = 0;
  if (merge && printed > 0) {
    const LogWriteBack& back = doc.writeBack;
    const LogSourceType type = doc.store.SourceType();
    const bool listed = type == SrcKuvalText || type == SrcCabrillo || type == SrcCsv;
    if (!batch.writeBack) {
      std::fprintf(out, "the log was left as it is (no --write-back)\n");
    } else if (doc.program.printedData) {
      // The process ends here: say exactly what the log holds now.
      if (listed) {
        std::fprintf(err, "tevra-batch: the list of printed QSOs (.TVQ) could not be written\n");
      } else {
        const std::string why = back.FailureReason().empty() ? "" : " (" + ToUnicode(back.FailureReason()) + ")";
        // The count the program's own message gives: of the records there were to mark.
        const std::size_t toMark = back.RecordsToMark() > 0 ? back.RecordsToMark() : printed;
        std::fprintf(err, "tevra-batch: the log could not be updated%s: %u of %zu printed QSO%s marked, the rest not\n",
                     why.c_str(), back.MarkedRecords(), toMark, toMark == 1 ? "" : "s");
      }
      rc = 1;
    } else if (listed) {
      std::fprintf(out, "%zu printed QSO%s listed in the .TVQ file next to the log\n", printed, printed == 1 ? "" : "s");
    } else {
      std::fprintf(out, "%u of %zu printed QSO%s written back to the log\n", back.MarkedRecords(), printed,
                   printed == 1 ? "" : "s");
      if (back.ChangedRecords() > 0)
        std::fprintf(err, "tevra-batch: %u printed QSO%s left unmarked: changed or gone in the log since loading\n",
                     back.ChangedRecords(), back.ChangedRecords() == 1 ? "" : "s");
      if (back.RefusedRecords() > 0)
        std::fprintf(err, "tevra-batch: %u printed QSO%s left unmarked: %s\n", back.RefusedRecords(),
                     back.RefusedRecords() == 1 ? "" : "s", ToUnicode(back.RefusalReason()).c_str());
    }
  }
  if (merge) {
    std::fprintf(out, "next print number: %d\n", doc.program.settings.printNo);
    KeepResumePoint(doc, logPath);
  }
  doc.program.settings.load.encoding = session.savedEncoding;
  if (!doc.program.SaveSettings()) {
    std::fprintf(err, "tevra-batch: %s: cannot write the settings file\n", doc.program.paths.settingsFile.c_str());
    rc = 1;
  }
  return rc;
}

}  // namespace tevra
