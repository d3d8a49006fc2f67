#include "app/batch.h"

#include <array>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <QGuiApplication>

#include "app/card_image.h"
#include "app/console_ui.h"
#include "app/printer_metrics.h"
#include "app/program.h"
#include "card/sample_qsos.h"
#include "card/layout_document.h"
#include "core/archive.h"
#include "example_layouts.h"
#include "core/encoding.h"
#include "core/messages.h"
#include "core/paths.h"
#include "core/profile.h"
#include "import/csv_format_dialog.h"
#include "import/csv_settings.h"
#include "import/log_loader.h"
#include "import/log_source.h"
#include "import/mft_file.h"
#include "log/entity_table.h"
#include "log/log_store.h"
#include "merge/load_condition.h"
#include "merge/macro_expander.h"

namespace tevra {
namespace {

constexpr const char* kUsage =
    "Usage: tevra-batch --list LOGFILE [options]\n"
    "       tevra-batch --expand TEXT LOGFILE [options]\n"
    "\n"
    "  --list LOGFILE       load a log and print one line per loaded QSO:\n"
    "                       source position, date, time (JST), call, report,\n"
    "                       frequency, mode and remarks; then the QSO and card counts.\n"
    "                       The log format follows the file's extension.\n"
    "  --expand TEXT LOGFILE\n"
    "                       load a log and print TEXT, a card text in the merge\n"
    "                       language (such as '%C %T %B'), as it comes out for the\n"
    "                       first QSO of every card. TEXT may hold several lines\n"
    "                       and @if/@else/@endif blocks; each card's text is followed\n"
    "                       by an empty line when it has more than one line.\n"
    "  --expand-file FILE LOGFILE\n"
    "                       the same with the card text read from FILE (CP932).\n"
    "  --areas LOGFILE      load a log and print the number of cards per call area\n"
    "                       (JA0 to JA9, DX, unknown), counted by routing call.\n"
    "\n"
    "  --sort asc|desc|time put the QSOs in bureau order (ascending or descending)\n"
    "                       or in time order before listing or expanding.\n"
    "  --per-card N         put up to N QSOs with one station on a card (1..16;\n"
    "                       default 1, or the layout's count when rendering).\n"
    "  --where CONDITION    load only the QSOs for which the condition list holds\n"
    "                       (such as 'IsDX,BAND==14'); otherwise LoadCond of the\n"
    "                       settings file applies.\n"
    "\n"
    "CSV and dBase logs are read through conversion formulas, taken from\n"
    "  --config FILE        this settings file (default: $XDG_CONFIG_HOME/tevra/TEVRA.INI\n"
    "                       or ~/.config/tevra/TEVRA.INI, when it exists),\n"
    "  --csv-format FILE    a CSV setting file (.mft) instead, or\n"
    "  --guess              guessed from the first line or record after the skipped ones.\n"
    "  --skip N             pass over the first N lines or records (a header line).\n"
    "\n"
    "  --png OUT.png LAYOUT [LOGFILE]\n"
    "  --pdf OUT.pdf LAYOUT [LOGFILE]\n"
    "                       render the layout's first card at 300 dpi, with the\n"
    "                       first QSOs of LOGFILE or else the built-in sample QSOs.\n"
    "                       LAYOUT is a layout file (.tvd) or\n"
    "                       one of the example layouts of\n"
    "                       examples/example_layouts.cpp: 'postcard',\n"
    "                       'landscape' or 'tackseal'.\n"
    "  --save-layout OUT.tvd LAYOUT\n"
    "                       write the layout as a layout file.\n"
    "\n"
    "  --help               show this help\n";

struct BatchOptions {
  std::string listPath;
  std::optional<std::string> pngPath;
  std::optional<std::string> pdfPath;
  std::string layout;
  std::optional<std::string> renderLogPath;  // render the log's first card instead of the samples
  std::optional<std::string> saveLayoutPath;
  std::string saveLayoutSource;
  std::optional<std::string> expandText;  // CP932
  std::optional<std::string> where;       // CP932
  std::optional<std::string> configPath;
  std::optional<std::string> mftPath;
  bool guess = false;
  int skip = 0;
  std::string sort;             // "asc", "desc", "time" or empty
  std::optional<int> perCard;   // QSOs per card
  bool areas = false;
};

// Parses the arguments; an error text when they are wrong.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args, BatchOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--list" && value(v)) {
      options.listPath = v;
    } else if (a == "--expand" && i + 2 < args.size()) {
      options.expandText = FromUnicode(args[++i]);
      options.listPath = args[++i];
    } else if (a == "--expand-file" && i + 2 < args.size()) {
      std::ifstream in(args[++i], std::ios::binary);
      if (!in) return "cannot read the card text file " + args[i];
      options.expandText = std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      options.listPath = args[++i];
    } else if ((a == "--png" || a == "--pdf") && i + 2 < args.size()) {
      (a == "--png" ? options.pngPath : options.pdfPath) = args[++i];
      options.layout = args[++i];
      if (i + 1 < args.size() && !args[i + 1].starts_with("--")) options.renderLogPath = args[++i];
    } else if (a == "--save-layout" && i + 2 < args.size()) {
      options.saveLayoutPath = args[++i];
      options.saveLayoutSource = args[++i];
    } else if (a == "--where" && value(v)) {
      options.where = FromUnicode(v);
    } else if (a == "--config" && value(v)) {
      options.configPath = v;
    } else if (a == "--csv-format" && value(v)) {
      options.mftPath = v;
    } else if (a == "--sort" && value(v)) {
      if (v != "asc" && v != "desc" && v != "time") return "--sort takes asc, desc or time";
      options.sort = v;
    } else if (a == "--per-card" && value(v)) {
      char* end = nullptr;
      const long n = std::strtol(v.c_str(), &end, 10);
      if (end == v.c_str() || *end != '\0' || n < 1 || n > kMaxQsosPerCard) return "--per-card needs a count from 1 to 16";
      options.perCard = static_cast<int>(n);
    } else if (a == "--areas" && value(v)) {
      options.listPath = v;
      options.areas = true;
    } else if (a == "--guess") {
      options.guess = true;
    } else if (a == "--skip" && value(v)) {
      char* end = nullptr;
      const long n = std::strtol(v.c_str(), &end, 10);
      if (end == v.c_str() || *end != '\0' || n < 0 || n > 1000000) return "--skip needs a count";
      options.skip = static_cast<int>(n);
    } else {
      return "unknown or incomplete argument: " + a;
    }
  }
  if (options.listPath.empty() && !options.pngPath && !options.pdfPath && !options.saveLayoutPath)
    return "nothing to do";
  return std::nullopt;
}

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

// The built-in example postcard, or a layout file.
bool ObtainLayout(const std::string& layout, LayoutDocument& doc, std::FILE* err) {
  if (layout == "postcard" || layout == "landscape" || layout == "tackseal") {
    (layout == "postcard"    ? examples::BuildPostcard
     : layout == "landscape" ? examples::BuildLandscapeRepeat
                             : examples::BuildTackSeal)(doc.Items, doc.Settings, doc.Tables);
    return true;
  }
  std::ifstream file(layout, std::ios::binary);
  if (!file) {
    std::fprintf(err, "tevra-batch: %s: cannot read the layout file\n", layout.c_str());
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ConsoleUi ui(err, "tevra-batch");
  ArchiveReader in(bytes);
  if (!LoadDocument(doc, in, ui)) {
    std::fprintf(err, "tevra-batch: %s: the layout could not be read\n", layout.c_str());
    return false;
  }
  return true;
}

int SaveLayout(const BatchOptions& batch, std::FILE* err) {
  LayoutDocument doc;
  if (!ObtainLayout(batch.saveLayoutSource, doc, err)) return 1;
  ArchiveWriter out;
  SaveDocument(doc, out);
  std::ofstream file(*batch.saveLayoutPath, std::ios::binary | std::ios::trunc);
  file.write(out.Data().data(), static_cast<std::streamsize>(out.Data().size()));
  file.close();
  if (!file) {
    std::fprintf(err, "tevra-batch: %s: cannot write the layout file\n", batch.saveLayoutPath->c_str());
    return 1;
  }
  return 0;
}

int WithLoadedLog(const BatchOptions& batch, const std::string& path, std::FILE* err,
                  const std::function<int(Document&)>& use);

// Renders a layout's first card, with the first QSOs of a log or the
// sample QSOs, to PNG or PDF.
int RenderLayout(const BatchOptions& batch, std::FILE* err) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes about the session (no runtime directory and the like) are
  // not the user's concern here.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  });
  int argc = 1;
  char name[] = "tevra-batch";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  LayoutDocument doc;
  if (!ObtainLayout(batch.layout, doc, err)) return 1;
  LayoutItemList& items = doc.Items;
  const DocumentSettings& settings = doc.Settings;
  DocumentTables& tables = doc.Tables;
  ConsoleUi ui(err, "tevra-batch");
  ui.quiet = true;    // the fallback postcard is what a rendering without a printer wants
  NoPrinter printer;
  PrinterMetricsService metrics(printer, ui);
  CardPlacement placement;
  metrics.QueryPrinterMetrics(&placement);
  // Without a printer the stand-in postcard is portrait; a landscape layout
  // gets it turned.
  PrinterMetrics paper = metrics.Metrics();
  if (settings.PaperOrientation == 2 && paper.paperWidth < paper.paperHeight) {
    std::swap(paper.paperWidth, paper.paperHeight);
    std::swap(paper.printableWidth, paper.printableHeight);
    std::swap(paper.offsetX, paper.offsetY);
  }
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
  MergeServices services;
  services.modes = &tables.Modes;
  MacroExpander expander(context, services);
  RenderContext render{expander, &tables};
  constexpr int kDpi = 300;
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

// Loads a log as the command line says and hands it over.
int WithLoadedLog(const BatchOptions& batch, const std::string& path, std::FILE* err,
                  const std::function<int(Document&)>& use) {
  if (!ReaderForNamedFile(path)) {
    std::fprintf(err, "tevra-batch: %s: not a log file (unknown extension)\n", path.c_str());
    return 1;
  }
  ConsoleUi ui(err, "tevra-batch");
  Ui& host = ui;
  const ProgramPaths paths = DefaultProgramPaths(batch.configPath);
  std::error_code ec;
  if (batch.configPath && !std::filesystem::is_regular_file(paths.settingsFile, ec)) {
    std::fprintf(err, "tevra-batch: %s: cannot read the settings file\n", paths.settingsFile.c_str());
    return 1;
  }
  Program program(ui, paths);
  if (!program.Start()) {
    std::fprintf(err, "tevra-batch: %s: cannot read the settings file\n", paths.settingsFile.c_str());
    return 1;
  }
  LoadOptions& options = program.settings.load;
  options.skipSendMark = false;  // a listing shows every QSO
  if (batch.mftPath) {
    switch (ReadMftFile(*batch.mftPath, options.csv, options.defaultQso)) {
      case MftResult::CannotOpen: host.ShowMessage(msg::kCannotReadFile104); return 1;
      case MftResult::BadFormat: host.ShowMessage(msg::kUnexpectedFormat107); return 1;
      case MftResult::Ok: break;
    }
  }
  // The format dialog of CSV and dBase logs, answered from the command line.
  bool noFormulas = false;
  ui.confirmAll = true;  // the skip count was asked for
  ui.formatDialog = [&](CsvFormatDialog& dialog) {
    dialog.SetSkipCount(batch.skip);
    if (batch.guess) dialog.Guess();
    noFormulas = ColumnCount(dialog.Layout().columns) == 0;
    return !noFormulas;
  };
  // The sort question after loading a log for several QSOs per card.
  if (batch.sort == "asc") ui.sortAnswer = SortAnswer::Ascending;
  if (batch.sort == "desc") ui.sortAnswer = SortAnswer::Descending;

  NoPrinter printer;
  ui.quiet = true;  // the stand-in postcard needs no remark here
  Document doc(program, printer);
  ui.quiet = false;
  doc.loadConditionOverride = batch.where;
  if (batch.perCard) doc.SetQsosPerCard(*batch.perCard);
  if (!doc.OpenByName(path)) {
    if (noFormulas)
      std::fprintf(err,
                   "tevra-batch: no conversion formulas for %s: give --csv-format FILE.mft or --guess, or set "
                   "them in the settings file\n",
                   path.c_str());
    return 1;
  }
  // With one QSO per card nothing asked for the sort: do it now.
  if (batch.sort == "time") {
    doc.SortByTime();
  } else if (!batch.sort.empty() && !doc.store.Sorted()) {
    doc.SortBureau(batch.sort == "desc");
  }
  return use(doc);
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

int ListLog(const BatchOptions& batch, std::FILE* out, std::FILE* err) {
  return WithLoadedLog(batch, batch.listPath, err, [&](Document& doc) {
    if (batch.areas) {
      std::string text = doc.AreaStatistics();
      std::erase(text, '\r');
      std::fprintf(out, "%s\n", text.c_str());
    } else if (batch.expandText) {
      ExpandCards(doc.store, *doc.expander, *batch.expandText, out);
    } else {
      ListQsos(doc.store, out);
    }
    return 0;
  });
}


}  // namespace

int RunBatch(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, out);
    return 0;
  }
  BatchOptions options;
  if (auto error = ParseArguments(args, options)) {
    std::fprintf(err, "tevra-batch: %s\n\n%s", error->c_str(), kUsage);
    return 2;
  }
  if (options.saveLayoutPath) {
    if (const int rc = SaveLayout(options, err); rc != 0 || (!options.pngPath && !options.pdfPath)) return rc;
  }
  if (options.pngPath || options.pdfPath) return RenderLayout(options, err);
  return ListLog(options, out, err);
}

}  // namespace tevra
