#include "batch/batch.h"

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

namespace tevra {
namespace {

constexpr const char* kUsage =
    "Usage: tevra-batch -o OUT.pdf LAYOUT LOGFILE [options]\n"
    "       tevra-batch --printer NAME LAYOUT LOGFILE [options]\n"
    "       tevra-batch --list LOGFILE [options]\n"
    "       tevra-batch --expand TEXT LOGFILE [options]\n"
    "       tevra-batch --png OUT.png LAYOUT [LOGFILE] [options]\n"
    "Options may come in any order, before or after the files.\n"
    "\n"
    "  -o OUT.pdf LAYOUT LOGFILE\n"
    "                       merge print: every card of the log on the layout, one\n"
    "                       page per card (or label sheets), into one PDF file.\n"
    "  --printer NAME LAYOUT LOGFILE\n"
    "                       the same on a printer of the system (CUPS).\n"
    "  --pages A-B          print pages A to B only ('A-' to the end, 'A' one page).\n"
    "  --test               test print: one page with the current card (or the\n"
    "                       sample QSOs when no LOGFILE is given), grid included.\n"
    "  --continue           resume after the last page printed by the previous\n"
    "                       merge print of the same log.\n"
    "  --first-label N      start the first label sheet at label N (row by row\n"
    "                       from 1), for a partly used sheet.\n"
    "  --no-prompts         '@Input' prompts take their pre-filled text instead of\n"
    "                       asking on the terminal.\n"
    "  --write-back         after the print, write the sent mark (SendMark) into the\n"
    "                       printed QSOs' records of the log (KUVAL data, LOG200,\n"
    "                       HAMLOG, HAMLOG 5, dBase; QSL_SENT Y and QSL_SDATE in\n"
    "                       ADIF; a .$BK backup first), or list them in a .TVQ file\n"
    "                       next to a text log. Without it the log is left as it is.\n"
    "  --suppress           before printing, leave out QSOs whose card was already\n"
    "                       sent on the same band and mode (and JARL stations);\n"
    "                       with --write-back they get the mark \"C\" in the log.\n"
    "  The print number (PrintNo of the settings file) advances by the cards\n"
    "  printed and is saved, as the program does at exit.\n"
    "\n"
    "  --list LOGFILE       load a log and print one line per loaded QSO:\n"
    "                       source position, date, time (JST), call, report,\n"
    "                       frequency, mode and remarks; then the QSO and card counts.\n"
    "                       The log format follows the file's extension (a .log or\n"
    "                       .txt file holding Cabrillo or ADIF is read as such).\n"
    "  --expand TEXT LOGFILE\n"
    "                       load a log and print TEXT, a card text in the merge\n"
    "                       language (such as '%C %T %B'), as it comes out for the\n"
    "                       first QSO of every card. TEXT may hold several lines\n"
    "                       and @if/@else/@endif blocks; each card's text is followed\n"
    "                       by an empty line when it has more than one line.\n"
    "  --expand-file FILE LOGFILE\n"
    "                       the same with the card text read from FILE (CP932).\n"
    "  --count LOGFILE      load a log and print only its QSO and card counts.\n"
    "  --odbc CONNECTION --table NAME\n"
    "                       read a database table instead of a LOGFILE, in every\n"
    "                       mode (such as --odbc 'Driver=SQLite3;Database=log.db'\n"
    "                       --table qso); formulas from --csv-format, --guess or\n"
    "                       the settings file.\n"
    "  --plugin LIBRARY --source PATH\n"
    "                       read what a log-source plug-in (such as libextsrc.so\n"
    "                       built here, for CSV files with a header row) serves\n"
    "                       from PATH instead of a LOGFILE, in every mode;\n"
    "                       formulas as for --odbc.\n"
    "  --export-dbf OUT.dbf LOGFILE\n"
    "                       load a log and write it as a dBase file, as the log\n"
    "                       list's 作成 does (22 fields, remark items taken apart).\n"
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
    "  A formula names a column's content: CALL, RST, FREQ, MODE, NAME, QTH, dates\n"
    "  such as YYMMDD, YY/MM/DD or DD/MM/YY, and MMDD, whose upper two digits are\n"
    "  the DAY (0412 is 4 December; use a pattern such as %2m%2d for\n"
    "  month first), times such as HHmm, or a capture pattern such as %4C%3U.\n"
    "\n"
    "  --encoding auto|utf-8|cp932|latin1\n"
    "                       the character set of ADIF, Cabrillo and CSV logs\n"
    "                       (default: LogEncoding of the settings file, or told\n"
    "                       from each file). A field in valid UTF-8 is read as\n"
    "                       UTF-8 in any case; letters that Shift-JIS lacks are\n"
    "                       printed as their plain letters (é as e).\n"
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
    "  --help               show this help\n"
    "  --version            show the program's version\n";

struct BatchOptions {
  std::string listPath;
  std::optional<std::string> pngPath;
  std::optional<std::string> pdfPath;
  std::string layout;
  std::optional<std::string> renderLogPath;  // render the log's first card instead of the samples
  std::optional<std::string> saveLayoutPath;
  std::string saveLayoutSource;
  std::optional<std::string> expandText;  // CP932
  std::optional<std::string> expandFile;  // the file expandText comes from
  std::optional<std::string> where;       // CP932
  std::optional<std::string> configPath;
  std::optional<std::string> mftPath;
  bool guess = false;
  int skip = 0;
  // The merge print: into a PDF file or to a printer.
  std::optional<std::string> outputPdf;
  std::optional<std::string> printerName;
  std::string printLayout;
  std::optional<std::string> printLog;
  int fromPage = 1;
  int toPage = 0;  // 0: the last page
  bool testPrint = false;
  bool resume = false;
  bool noPrompts = false;
  bool writeBack = false;
  bool suppress = false;
  int firstLabel = 1;
  // --encoding: set (to auto or a character set) or not given.
  std::optional<std::optional<TextEncoding>> encoding;
  std::string sort;             // "asc", "desc", "time" or empty
  std::optional<int> perCard;   // QSOs per card
  bool areas = false;
  bool countOnly = false;  // --count: the QSO and card counts alone
  std::optional<std::string> exportDbfPath;  // --export-dbf: the log as a dBase file
  // --odbc CONNECTION --table NAME: a database table instead of a LOGFILE.
  std::optional<std::string> odbcConnection;
  std::string odbcTable;
  // --plugin LIBRARY --source PATH: a plug-in's source instead of a LOGFILE.
  std::optional<std::string> pluginLibrary;
  std::string pluginSource;
  bool LiveSource() const { return odbcConnection || pluginLibrary; }
  // The log as messages name it: the file, the table or the plug-in's source.
  std::string LogName(const std::string& log) const {
    if (!LiveSource()) return log;
    if (odbcConnection) return "table " + ToUnicode(odbcTable);
    return pluginSource;
  }
};

// What a log argument stands for when the log is a database table or a
// plug-in's source.
constexpr const char* kOdbcLog = "\x01live";

// A whole number from min to max, or nothing.
std::optional<long> Count(const QString& text, long min, long max) {
  bool ok = false;
  const long n = text.toLong(&ok);
  if (!ok || n < min || n > max) return std::nullopt;
  return n;
}

// Parses the arguments; an error text when they are wrong. Options may come
// in any order, before or after the mode and the files.
std::optional<std::string> ParseArguments(const std::vector<std::string>& args, BatchOptions& options) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  auto flag = [&parser](const char* name) {
    parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    return QString::fromLatin1(name);
  };
  auto valued = [&parser](const char* name) {
    parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    return QString::fromLatin1(name);
  };
  const QString output = valued("o"), printer = valued("printer"), pages = valued("pages"), test = flag("test"),
                resume = flag("continue"), firstLabel = valued("first-label"), noPrompts = flag("no-prompts"),
                writeBack = flag("write-back"), suppress = flag("suppress"), list = flag("list"), count = flag("count"),
                expand = valued("expand"), expandFile = valued("expand-file"), areas = flag("areas"),
                sort = valued("sort"), perCard = valued("per-card"), where = valued("where"),
                config = valued("config"), csvFormat = valued("csv-format"), guess = flag("guess"),
                skip = valued("skip"), encoding = valued("encoding"), png = valued("png"), pdf = valued("pdf"),
                saveLayout = valued("save-layout"), exportDbf = valued("export-dbf"), odbc = valued("odbc"),
                table = valued("table"), plugin = valued("plugin"), source = valued("source");
  flag("help");
  flag("h");
  flag("version");
  QStringList arguments{QStringLiteral("tevra-batch")};
  for (const std::string& a : args) arguments << QString::fromStdString(a);
  if (!parser.parse(arguments)) return parser.errorText().toStdString();
  auto text = [&parser](const QString& name) { return parser.value(name).toStdString(); };

  if (parser.isSet(sort)) {
    options.sort = text(sort);
    if (options.sort != "asc" && options.sort != "desc" && options.sort != "time") return "--sort takes asc, desc or time";
  }
  if (parser.isSet(perCard)) {
    const auto n = Count(parser.value(perCard), 1, kMaxQsosPerCard);
    if (!n) return "--per-card needs a count from 1 to 16";
    options.perCard = static_cast<int>(*n);
  }
  if (parser.isSet(skip)) {
    const auto n = Count(parser.value(skip), 0, 1000000);
    if (!n) return "--skip needs a count";
    options.skip = static_cast<int>(*n);
  }
  if (parser.isSet(firstLabel)) {
    const auto n = Count(parser.value(firstLabel), 1, 10000);
    if (!n) return "--first-label needs a label number from 1";
    options.firstLabel = static_cast<int>(*n);
  }
  if (parser.isSet(pages)) {
    // "A-B", "A-" (to the end) or "A".
    const QString v = parser.value(pages);
    const qsizetype dash = v.indexOf('-');
    const auto from = Count(dash < 0 ? v : v.left(dash), 1, 1000000000L);
    const std::optional<long> to = dash < 0                   ? from
                                   : dash == v.size() - 1     ? std::optional<long>(0)
                                                              : Count(v.mid(dash + 1), 1, 1000000000L);
    if (!from || !to || (*to != 0 && *to < *from)) return "--pages takes A-B, A- or A (pages from 1)";
    options.fromPage = static_cast<int>(*from);
    options.toPage = static_cast<int>(*to);
  }
  if (parser.isSet(encoding)) {
    std::optional<TextEncoding> chosen;
    if (!ParseEncodingName(text(encoding), chosen)) return "--encoding takes auto, utf-8, cp932 or latin1";
    options.encoding.emplace(chosen);
  }
  if (parser.isSet(where)) options.where = FromUnicode(text(where));
  if (parser.isSet(config)) options.configPath = text(config);
  if (parser.isSet(csvFormat)) options.mftPath = text(csvFormat);
  options.guess = parser.isSet(guess);
  options.testPrint = parser.isSet(test);
  options.resume = parser.isSet(resume);
  options.noPrompts = parser.isSet(noPrompts);
  options.writeBack = parser.isSet(writeBack);
  options.suppress = parser.isSet(suppress);

  std::vector<std::string> files;
  for (const QString& file : parser.positionalArguments()) files.push_back(file.toStdString());
  const bool printing = parser.isSet(output) || parser.isSet(printer);
  const bool rendering = parser.isSet(png) || parser.isSet(pdf) || parser.isSet(saveLayout);
  const bool listing = parser.isSet(list) || parser.isSet(count) || parser.isSet(areas) || parser.isSet(expand) ||
                       parser.isSet(expandFile) || parser.isSet(exportDbf);
  if (printing + rendering + listing > 1)
    return "choose one of a merge print (-o, --printer), a rendering (--png, --pdf, --save-layout) and a listing "
           "(--list, --count, --expand, --expand-file, --areas, --export-dbf)";
  if (parser.isSet(output) && parser.isSet(printer)) return "-o and --printer exclude each other";
  if (parser.isSet(expand) && parser.isSet(expandFile)) return "--expand and --expand-file exclude each other";
  // The older form named the layout after each of --png and --pdf.
  if (rendering && files.size() == 2 && files[0] == files[1] && parser.isSet(png) && parser.isSet(pdf)) files.pop_back();
  if (parser.isSet(odbc)) {
    options.odbcConnection = text(odbc);
    options.odbcTable = FromUnicode(text(table));
    // The table stands in for the LOGFILE argument.
    if (printing && files.size() == 1) files.push_back(kOdbcLog);
    if (listing && files.empty()) files.push_back(kOdbcLog);
  } else if (parser.isSet(table)) {
    return "--table goes with --odbc";
  }
  if (parser.isSet(plugin)) {
    if (parser.isSet(odbc)) return "--plugin and --odbc exclude each other";
    if (!parser.isSet(source)) return "--plugin needs --source PATH (the file or name the plug-in reads)";
    options.pluginLibrary = text(plugin);
    // A bare file name means the library here, not one on the loader's path.
    if (options.pluginLibrary->find('/') == std::string::npos) options.pluginLibrary->insert(0, "./");
    options.pluginSource = text(source);
    if (printing && files.size() == 1) files.push_back(kOdbcLog);
    if (listing && files.empty()) files.push_back(kOdbcLog);
  } else if (parser.isSet(source)) {
    return "--source goes with --plugin";
  }
  if (printing || rendering) {
    if (files.empty()) return printing ? "a merge print needs a LAYOUT" : "a rendering needs a LAYOUT";
    if (files.size() > 2) return "more than a layout and a log: " + files[2];
    if (printing) {
      if (parser.isSet(output)) options.outputPdf = text(output);
      if (parser.isSet(printer)) options.printerName = text(printer);
      options.printLayout = files[0];
      if (files.size() > 1) options.printLog = files[1];
      if (!options.printLog && !options.testPrint) return "a merge print needs a LOGFILE (or --test)";
    } else {
      if (parser.isSet(png)) options.pngPath = text(png);
      if (parser.isSet(pdf)) options.pdfPath = text(pdf);
      options.layout = files[0];
      if (files.size() > 1) options.renderLogPath = files[1];
      if (parser.isSet(saveLayout)) {
        if (options.renderLogPath && !options.pngPath && !options.pdfPath)
          return "--save-layout takes a LAYOUT alone";
        options.saveLayoutPath = text(saveLayout);
        options.saveLayoutSource = files[0];
      }
    }
    return std::nullopt;
  }
  if (!listing) return "nothing to do";
  if (files.size() != 1) return files.empty() ? "a LOGFILE is needed" : "one LOGFILE only, not also " + files[1];
  options.listPath = files[0];
  options.areas = parser.isSet(areas);
  options.countOnly = parser.isSet(count);
  if (parser.isSet(exportDbf)) options.exportDbfPath = text(exportDbf);
  if (parser.isSet(expand)) options.expandText = FromUnicode(text(expand));
  if (parser.isSet(expandFile)) options.expandFile = text(expandFile);
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
  std::string bytes;
  if (ReadRegularFile(layout, bytes, kDocumentFileMax) != FileReadResult::Ok) {
    std::fprintf(err, "tevra-batch: %s: cannot read the layout file\n", layout.c_str());
    return false;
  }
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

// Qt for drawing without a display.
std::unique_ptr<QGuiApplication> StartQt() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes about the session (no runtime directory and the like) are
  // not the user's concern here.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  });
  static int argc = 1;
  static char name[] = "tevra-batch";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Renders a layout's first card, with the first QSOs of a log or the
// sample QSOs, to PNG or PDF.
int RenderLayout(const BatchOptions& batch, std::FILE* err) {
  const auto app = StartQt();

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
  context.RigTexts = &settings.RigTexts;
  context.AntTexts = &settings.AntTexts;
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

// The program and its document as a command line run sets them up.
struct Session {
  explicit Session(std::FILE* err) : ui(err, "tevra-batch") {}
  ConsoleUi ui;
  std::unique_ptr<Program> program;
  std::unique_ptr<Printer> printer;
  std::unique_ptr<Document> doc;
  bool noFormulas = false;
  // LogEncoding as the settings file has it: --encoding is for this run only.
  std::optional<TextEncoding> savedEncoding;
};

// Reads the settings and makes the document; 0 or the exit code.
int StartSession(const BatchOptions& batch, Session& session, std::unique_ptr<Printer> printer, std::FILE* err) {
  ConsoleUi& ui = session.ui;
  const ProgramPaths paths = DefaultProgramPaths(batch.configPath);
  std::error_code ec;
  if (batch.configPath && !std::filesystem::is_regular_file(paths.settingsFile, ec)) {
    std::fprintf(err, "tevra-batch: %s: cannot read the settings file\n", paths.settingsFile.c_str());
    return 1;
  }
  session.program = std::make_unique<Program>(ui, paths);
  Program& program = *session.program;
  if (!program.Start()) {
    std::fprintf(err, "tevra-batch: %s: cannot read the settings file\n", paths.settingsFile.c_str());
    return 1;
  }
  LoadOptions& options = program.settings.load;
  session.savedEncoding = options.encoding;
  if (batch.encoding) options.encoding = *batch.encoding;
  if (batch.mftPath) {
    switch (ReadMftFile(*batch.mftPath, options.csv, options.defaultQso)) {
      case MftResult::CannotOpen: ui.ShowMessage(msg::kCannotReadFile104, MessageIcon::Warning, "TEVRA"); return 1;
      case MftResult::BadFormat: ui.ShowMessage(msg::kUnexpectedFormat107, MessageIcon::Warning, "TEVRA"); return 1;
      case MftResult::Ok: break;
    }
  }
  // The format dialog of CSV and dBase logs, answered from the command line.
  ui.confirmAll = true;  // the skip count was asked for
  ui.formatDialog = [&batch, &session](CsvFormatDialog& dialog) {
    dialog.SetSkipCount(batch.skip);
    if (batch.guess) dialog.Guess();
    session.noFormulas = ColumnCount(dialog.Layout().columns) == 0;
    return !session.noFormulas;
  };
  // The sort question after loading a log for several QSOs per card.
  if (batch.sort == "asc") ui.sortAnswer = SortAnswer::Ascending;
  if (batch.sort == "desc") ui.sortAnswer = SortAnswer::Descending;

  session.printer = printer ? std::move(printer) : std::make_unique<NoPrinter>();
  ui.quiet = true;  // the stand-in postcard needs no remark here
  session.doc = std::make_unique<Document>(program, *session.printer);
  ui.quiet = false;
  session.doc->loadConditionOverride = batch.where;
  return 0;
}

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Says on err what the load left out and why; false when a file with
// content gave no QSO at all.
bool ReportLoad(const LoadReport& report, const std::string& path, std::FILE* err) {
  std::vector<std::string> reasons;
  if (report.noCall) reasons.push_back(Plural(report.noCall, "record without a call sign", "records without a call sign"));
  if (report.alreadySent) reasons.push_back(Plural(report.alreadySent, "QSO already sent", "QSOs already sent"));
  if (report.notMatching)
    reasons.push_back(Plural(report.notMatching, "QSO not matching the load condition",
                             "QSOs not matching the load condition"));
  std::string joined;
  for (const std::string& reason : reasons) joined += (joined.empty() ? "" : ", ") + reason;
  const char* name = path.c_str();
  if (report.recovered)
    std::fprintf(err, "tevra-batch: %s: %s without an end mark (<EOR>), read up to the next call\n", name,
                 Plural(report.recovered, "record", "records").c_str());
  if (report.noDate)
    std::fprintf(err, "tevra-batch: %s: %s without a readable date\n", name,
                 Plural(report.noDate, "QSO", "QSOs").c_str());
  std::error_code ec;
  const bool hasContent = std::filesystem::file_size(path, ec) > 0 && !ec;
  // QSOs left out by the user's own choice (sent marks, the load condition)
  // are no fault of the file.
  if (report.loaded == 0 && hasContent && report.alreadySent + report.notMatching == 0) {
    std::fprintf(err, "tevra-batch: %s: no QSO could be loaded (%s looked at%s%s)\n", name,
                 Plural(report.records, "record or line", "records or lines").c_str(), joined.empty() ? "" : ": ",
                 joined.c_str());
    return false;
  }
  if (!joined.empty()) std::fprintf(err, "tevra-batch: %s: left out %s\n", name, joined.c_str());
  return true;
}

// Loads the log into the session's document; 0 or the exit code.
// A database table through the bridge, as --odbc and --table say.
int LoadOdbc(const BatchOptions& batch, Session& session, std::FILE* err) {
  Program& program = *session.program;
  if (!program.dbBridge.Available()) {
    std::fprintf(err, "tevra-batch: no database bridge (%s beside the program)\n", kDbBridgeFileName);
    return 1;
  }
  setenv("TEVRA_ODBC", batch.odbcConnection->c_str(), 1);
  bool unknownTable = false;
  const bool ok = session.doc->ConnectOdbc([&](const std::vector<std::string>& tables) -> std::optional<std::string> {
    // The table by its exact name; without --table, the only one.
    if (batch.odbcTable.empty() && tables.size() == 1) return tables.front();
    for (const auto& t : tables)
      if (!batch.odbcTable.empty() && t == batch.odbcTable) return t;
    unknownTable = true;
    return std::nullopt;
  });
  unsetenv("TEVRA_ODBC");
  if (!ok) {
    if (unknownTable && !batch.odbcTable.empty())
      std::fprintf(err, "tevra-batch: the database has no table %s\n", ToUnicode(batch.odbcTable).c_str());
    else if (unknownTable || batch.odbcTable.empty())
      std::fprintf(err, "tevra-batch: give the table with --table (the database has several)\n");
    else
      std::fprintf(err, "tevra-batch: the database could not be read (connection, table or formulas)\n");
    return 1;
  }
  return 0;
}

// A plug-in's source, as --plugin and --source say: the plug-in is handed
// the source as the current log path.
int LoadPlugin(const BatchOptions& batch, Session& session, std::FILE* err) {
  Program& program = *session.program;
  std::string problem;
  if (!program.extSrc.LoadFile(*batch.pluginLibrary, program.ui, &problem)) {
    std::fprintf(err, "tevra-batch: %s: not a log-source plug-in (%s)\n", batch.pluginLibrary->c_str(),
                 problem.c_str());
    return 1;
  }
  LoadOptions& options = program.settings.load;
  options.curLogDir = std::string(DirectoryOf(batch.pluginSource));
  options.curLogName = std::string(FileNameOf(batch.pluginSource));
  if (!session.doc->ConnectPlugin()) {
    if (session.noFormulas)
      std::fprintf(err, "tevra-batch: no conversion formulas for the plug-in's fields: give --csv-format FILE.mft or "
                        "--guess, or set them in the settings file\n");
    else
      std::fprintf(err, "tevra-batch: %s: the plug-in delivered no log\n", batch.pluginSource.c_str());
    return 1;
  }
  return 0;
}

int LoadLog(const BatchOptions& batch, Session& session, const std::string& path, std::FILE* err) {
  if (batch.LiveSource()) {
    if (batch.perCard) session.doc->SetQsosPerCard(*batch.perCard);
    if (const int rc = batch.pluginLibrary ? LoadPlugin(batch, session, err) : LoadOdbc(batch, session, err)) return rc;
    if (batch.sort == "time") session.doc->SortByTime();
    else if (!batch.sort.empty() && !session.doc->store.Sorted()) session.doc->SortBureau(batch.sort == "desc");
    return 0;
  }
  if (!ReaderForNamedFile(path)) {
    std::fprintf(err, "tevra-batch: %s: not a log file (unknown extension)\n", path.c_str());
    return 1;
  }
  Document& doc = *session.doc;
  if (batch.perCard) doc.SetQsosPerCard(*batch.perCard);
  if (!doc.OpenByName(path)) {
    if (session.noFormulas)
      std::fprintf(err,
                   "tevra-batch: no conversion formulas for %s: give --csv-format FILE.mft or --guess, or set "
                   "them in the settings file\n",
                   path.c_str());
    return 1;
  }
  if (!ReportLoad(doc.loader.LastReport(), path, err)) return 1;
  // With one QSO per card nothing asked for the sort: do it now.
  if (batch.sort == "time") {
    doc.SortByTime();
  } else if (!batch.sort.empty() && !doc.store.Sorted()) {
    doc.SortBureau(batch.sort == "desc");
  }
  return 0;
}

// Loads a log as the command line says and hands it over.
int WithLoadedLog(const BatchOptions& batch, const std::string& path, std::FILE* err,
                  const std::function<int(Document&)>& use) {
  if (!batch.LiveSource() && !ReaderForNamedFile(path)) {
    std::fprintf(err, "tevra-batch: %s: not a log file (unknown extension)\n", path.c_str());
    return 1;
  }
  Session session(err);
  if (const int rc = StartSession(batch, session, nullptr, err)) return rc;
  session.program->settings.load.skipSendMark = false;  // a listing shows every QSO
  if (const int rc = LoadLog(batch, session, path, err)) return rc;
  return use(*session.doc);
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


// The layout of a merge print: an example layout by name, or a file.
bool OpenPrintLayout(const std::string& layout, Document& doc, std::FILE* err) {
  if (layout == "postcard" || layout == "landscape" || layout == "tackseal") {
    doc.Reset();
    if (!ObtainLayout(layout, doc.layout, err)) return false;
    doc.LayoutReady();
    return true;
  }
  if (!doc.OpenLayout(layout)) {
    std::fprintf(err, "tevra-batch: %s: the layout could not be read\n", layout.c_str());
    return false;
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
  if (!OpenPrintLayout(batch.printLayout, doc, err)) return 1;
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
  const PageLoopResult result =
      systemPrinter ? RunPageLoop(job, doc, systemPrinter->Device(), systemPrinter->Device().resolution(), from, to,
                                  std::ref(progress))
                    : PrintToPdf(job, doc, *batch.outputPdf, from, to, std::ref(progress));
  if (!result.ok) {
    // Nothing counts as printed: no marks, no print number, no resume point.
    job.Fail();
    std::fprintf(err, "tevra-batch: %s: cannot write the pages%s%s; nothing was printed and the log was not marked\n",
                 systemPrinter ? batch.printerName->c_str() : batch.outputPdf->c_str(), result.error.empty() ? "" : ": ",
                 result.error.c_str());
    return 1;
  }
  std::size_t printed = 0;
  for (std::size_t i = 0; i < doc.store.QsoCount(); ++i) printed += doc.store.Entry(i).Printed() ? 1 : 0;
  job.End();
  if (result.stoppedEarly) std::fprintf(err, "tevra-batch: printing ended at a prompt\n");
  const std::string target = systemPrinter ? "printer " + *batch.printerName : *batch.outputPdf;
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

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, out);
      return 0;
    }
    if (a == "--version") {
      std::fprintf(out, "tevra-batch %s\n", TEVRA_VERSION);
      return 0;
    }
  }
  BatchOptions options;
  if (auto error = ParseArguments(args, options)) {
    std::fprintf(err, "tevra-batch: %s\n\n%s", error->c_str(), kUsage);
    return 2;
  }
  if (options.saveLayoutPath) {
    if (const int rc = SaveLayout(options, err); rc != 0 || (!options.pngPath && !options.pdfPath)) return rc;
  }
  if (options.outputPdf || options.printerName) return PrintCards(options, out, err);
  if (options.pngPath || options.pdfPath) return RenderLayout(options, err);
  return ListLog(options, out, err);
}

}  // namespace tevra
