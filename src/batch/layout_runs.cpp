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
#include "batch/batch_session.h"

namespace tevra {

int SaveLayout(const BatchOptions& batch, std::FILE* err) {
  // The settings file's options go into the file while its IncludeDoc is on.
  Session session(err);
  if (const int rc = StartSession(batch, session, nullptr, err)) return rc;
  Document& doc = *session.doc;
  if (!ObtainLayout(batch.saveLayoutSource, doc.layout, err)) return 1;
  doc.PrepareForSaving();
  ArchiveWriter out;
  SaveDocument(doc.layout, out);
  // A complete new file, or the old one as it was.
  if (!ReplaceFileAtomically(*batch.saveLayoutPath, out.Data())) {
    std::fprintf(err, "tevra-batch: %s: cannot write the layout file\n", batch.saveLayoutPath->c_str());
    return 1;
  }
  return 0;
}

// Renders a layout's first card, with the first QSOs of a log or the
// sample QSOs, to PNG or PDF.
int RenderLayout(const BatchOptions& batch, std::FILE* err) {
  const auto app = StartQt();

  LayoutDocument doc;
  if (!ObtainLayout(batch.layout, doc, err) || !ApplySheetOption(batch, doc.Settings, err)) return 1;
  LayoutItemList& items = doc.Items;
  const DocumentSettings& settings = doc.Settings;
  DocumentTables& tables = doc.Tables;
  ConsoleUi ui(err, "tevra-batch");
  // The paper a print into a PDF file (-o) and the window without a printer
  // use, chosen for the layout's card form as they choose it: the card
  // lands where it prints.
  PdfPaper printer;
  PrinterMetricsService metrics(printer, ui);
  CardPlacement placement;  // the layout's origin stays: these offsets are the first
  metrics.QueryPrinterMetrics(&placement);
  metrics.SelectCardPaper(settings.PaperSize, settings.PaperOrientation, &placement);
  const PrinterMetrics paper = metrics.Metrics();
  std::array<QsoRecord, kMaxQsosPerCard> card = SampleQsos();
  int qsosOnCard = settings.QsosPerCard;
  if (batch.renderLogPath) {
    card = {};
    BatchOptions withLayout = batch;
    if (!withLayout.perCard) withLayout.perCard = settings.QsosPerCard;
    const int rc = WithLoadedLog(withLayout, *batch.renderLogPath, err, [&](Document& doc) {
      LogStore& store = doc.store;
      if (store.CardCount() == 0 || !store.ReadCard(0, card)) {
        std::fprintf(err, "tevra-batch: %s: no QSOs to print\n", batch.renderLogPath->c_str());
        return 1;
      }
      qsosOnCard = store.CurrentCardQsoCount();
      return 0;
    });
    if (rc != 0) return rc;
  }
  MergeContext context;
  context.CardQsos = card.data();
  context.RepeatCount = settings.QsosPerCard;
  context.QsosOnCard = qsosOnCard;
  context.Macros = &tables.Macros;
  context.RigTexts = &settings.RigTexts;
  context.AntTexts = &settings.AntTexts;
  MergeServices services;
  services.modes = &tables.Modes;
  MacroExpander expander(context, services);
  RenderContext render{expander, &tables};
  constexpr int kDpi = 300;
  if (batch.thumbnailSize) {
    const QImage image = RenderCardThumbnail(items, settings, paper, render, *batch.thumbnailSize);
    if (!image.save(QString::fromStdString(batch.thumbnailPath), "PNG")) {
      std::fprintf(err, "tevra-batch: %s: cannot write the image\n", batch.thumbnailPath.c_str());
      return 1;
    }
    return 0;
  }
  if (batch.pngPath) {
    const QImage image = RenderCardImage(items, settings, paper, render, kDpi);
    if (!image.save(QString::fromStdString(*batch.pngPath), "PNG")) {
      std::fprintf(err, "tevra-batch: %s: cannot write the image\n", batch.pngPath->c_str());
      return 1;
    }
  }
  if (batch.pdfPath && !WriteCardPdf(QString::fromStdString(*batch.pdfPath), items, settings, paper, render,
                                     kDpi, 1)) {
    std::fprintf(err, "tevra-batch: %s: cannot write the PDF\n", batch.pdfPath->c_str());
    return 1;
  }
  return 0;
}

}  // namespace tevra
