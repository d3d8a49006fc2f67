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
namespace {

// Prints text as expanded for the first QSO of every card.
void ExpandCards(LogStore& store, MacroExpander& expander, const std::string& text, std::FILE* out) {
  MergeContext& context = expander.Context();
  std::array<QsoRecord, kMaxQsosPerCard> card{};
  context.CardQsos = card.data();
  context.RepeatCount = store.QsosPerCard();
  const bool multiLine = text.find_first_of("\r\n") != std::string::npos;
  for (std::size_t c = 0; c < store.CardCount(); ++c) {
    if (!store.ReadCard(c, card)) break;
    context.QsosOnCard = store.CurrentCardQsoCount();
    context.CardIndex = static_cast<int>(c);
    context.MessageShown = false;
    std::string printed = ToUnicode(expander.ActiveText(text));
    std::erase(printed, '\r');
    std::fprintf(out, "%s\n%s", printed.c_str(), multiLine ? "\n" : "");
  }
  context.CardQsos = nullptr;
}

void ListQsos(LogStore& store, std::FILE* out) {
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const LogEntry& e = store.Entry(i);
    auto text = [&e](LogEntry::Field f) { return ToUnicode(e.Text(f)); };
    std::fprintf(out, "%6d  %s %s  %-12s %-4s %-9s %-6s %s\n", e.Position(), text(LogEntry::Date).c_str(),
                 text(LogEntry::Time).c_str(), text(LogEntry::Call).c_str(), text(LogEntry::Report).c_str(),
                 text(LogEntry::Freq).c_str(), text(LogEntry::Mode).c_str(), text(LogEntry::Remarks).c_str());
  }
  std::fprintf(out, "%zu QSOs, %zu cards\n", store.QsoCount(), store.CardCount());
}

}  // namespace

int ListLog(BatchOptions batch, std::FILE* out, std::FILE* err) {
  if (batch.expandFile) {
    // A file that cannot be read is no usage error: the message alone.
    std::string bytes;
    if (ReadRegularFile(*batch.expandFile, bytes, kDocumentFileMax) != FileReadResult::Ok) {
      std::fprintf(err, "tevra-batch: cannot read the card text file %s\n", batch.expandFile->c_str());
      return 1;
    }
    batch.expandText = std::move(bytes);
  }
  return WithLoadedLog(batch, batch.listPath, err, [&](Document& doc) {
    if (batch.areas) {
      std::string text = doc.AreaStatistics();
      std::erase(text, '\r');
      std::fprintf(out, "%s\n", text.c_str());
    } else if (batch.expandText) {
      ExpandCards(doc.store, *doc.expander, *batch.expandText, out);
    } else if (batch.countOnly) {
      std::fprintf(out, "%zu QSOs, %zu cards\n", doc.store.QsoCount(), doc.store.CardCount());
    } else if (batch.exportDbfPath) {
      if (!LogList(doc).ExportDbf(*batch.exportDbfPath)) {
        std::fprintf(err, "tevra-batch: %s: cannot write the dBase file\n", batch.exportDbfPath->c_str());
        return 1;
      }
      std::fprintf(out, "%zu QSOs written to %s\n", doc.store.QsoCount(), batch.exportDbfPath->c_str());
    } else {
      ListQsos(doc.store, out);
    }
    return 0;
  });
}

}  // namespace tevra
