#include "batch/batch_options.h"

#include <QCommandLineParser>
#include <QStringList>

#include "core/file_io.h"
#include "merge/merge_context.h"

namespace tevra {

const char* const kBatchUsage =
    "Usage: tevra-batch -o OUT.pdf LAYOUT LOGFILE [options]\n"
    "       tevra-batch --printer NAME LAYOUT LOGFILE [options]\n"
    "       tevra-batch --images DIR LAYOUT LOGFILE [options]\n"
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
    "  --images DIR LAYOUT LOGFILE\n"
    "                       the same as one picture per card (a label of a sheet\n"
    "                       is a card) in DIR, made when missing: the card alone,\n"
    "                       for QSLs sent by e-mail. --image-format png|jpg\n"
    "                       (png; jpg at quality 90), --dpi N (72-600, 300),\n"
    "                       --image-name PATTERN in the merge language (default\n"
    "                       '%C_%{YYYY}%{MM}%{DD}_%B': JA1ABC_20241103_0930.png;\n"
    "                       '/' and other characters unsafe in names become '-',\n"
    "                       a second card of the same name gets -2, -3). A file\n"
    "                       already there stops the run before anything is\n"
    "                       written, unless --overwrite. With --write-back the\n"
    "                       QSOs are marked only once every picture is on disk.\n"
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
    "  --thumbnail SIZE LAYOUT OUT.png\n"
    "                       the layout's card alone with the sample QSOs, scaled\n"
    "                       to fit SIZE pixels (8-2048): file managers show it\n"
    "                       for .tvd files.\n"
    "  --sheet \"BRAND PART\"   print or render the layout on a label sheet of the\n"
    "                       catalogue (glabels-data), for this run: paper,\n"
    "                       columns, rows, pitches and margins as the sheet says.\n"
    "  --list-sheets [WORD...]\n"
    "                       list the catalogue's label sheets whose brand, part or\n"
    "                       description hold every WORD (brand, part, paper, label\n"
    "                       size, labels per sheet).\n"
    "  --save-layout OUT.tvd LAYOUT\n"
    "                       write the layout as a layout file.\n"
    "\n"
    "  --help               show this help\n"
    "  --version            show the program's version\n";

namespace {

// A whole number from min to max, or nothing.
std::optional<long> Count(const QString& text, long min, long max) {
  bool ok = false;
  const long n = text.toLong(&ok);
  if (!ok || n < min || n > max) return std::nullopt;
  return n;
}

// Parses the arguments; an error text when they are wrong. Options may come
// in any order, before or after the mode and the files.
}  // namespace

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
                skip = valued("skip"), encoding = valued("encoding"), png = valued("png"), pdf = valued("pdf"), thumbnail = valued("thumbnail"), images = valued("images"), imageFormat = valued("image-format"), dpi = valued("dpi"), imageName = valued("image-name"), overwrite = flag("overwrite"), sheet = valued("sheet"), listSheets = flag("list-sheets"),
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
  const bool printing = parser.isSet(output) || parser.isSet(printer) || parser.isSet(images);
  if (parser.isSet(sheet)) options.sheet = text(sheet);
  if (parser.isSet(listSheets)) {
    std::string words;
    for (const QString& w : parser.positionalArguments()) words += (words.empty() ? "" : " ") + w.toStdString();
    options.listSheets = words;
    return std::nullopt;
  }
  if (parser.isSet(thumbnail)) {
    // As file managers call it: --thumbnail SIZE IN.tvd OUT.png.
    const auto size = Count(parser.value(thumbnail), 8, 2048);
    if (!size) return "--thumbnail needs a size from 8 to 2048 pixels";
    if (files.size() != 2) return "--thumbnail SIZE takes a LAYOUT and the OUT.png to write";
    if (parser.isSet(png) || parser.isSet(pdf) || parser.isSet(saveLayout) || parser.isSet(output) ||
        parser.isSet(printer))
      return "--thumbnail goes alone";
    options.thumbnailSize = static_cast<int>(*size);
    options.layout = files[0];
    options.thumbnailPath = files[1];
    return std::nullopt;
  }
  const bool rendering = parser.isSet(png) || parser.isSet(pdf) || parser.isSet(saveLayout);
  const bool listing = parser.isSet(list) || parser.isSet(count) || parser.isSet(areas) || parser.isSet(expand) ||
                       parser.isSet(expandFile) || parser.isSet(exportDbf);
  if (printing + rendering + listing > 1)
    return "choose one of a merge print (-o, --printer), a rendering (--png, --pdf, --save-layout) and a listing "
           "(--list, --count, --expand, --expand-file, --areas, --export-dbf)";
  if (parser.isSet(output) + parser.isSet(printer) + parser.isSet(images) > 1)
    return "-o, --printer and --images exclude each other";
  if (parser.isSet(imageFormat)) {
    options.imageFormat = text(imageFormat);
    if (options.imageFormat == "jpeg") options.imageFormat = "jpg";
    if (options.imageFormat != "png" && options.imageFormat != "jpg") return "--image-format takes png or jpg";
  }
  if (parser.isSet(dpi)) {
    const auto n = Count(parser.value(dpi), 72, 600);
    if (!n) return "--dpi takes a resolution from 72 to 600";
    options.imageDpi = static_cast<int>(*n);
  }
  if (parser.isSet(imageName)) options.imageName = text(imageName);
  options.overwrite = parser.isSet(overwrite);
  if ((parser.isSet(imageFormat) || parser.isSet(dpi) || parser.isSet(imageName) || parser.isSet(overwrite)) &&
      !parser.isSet(images))
    return "--image-format, --dpi, --image-name and --overwrite go with --images";
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
      if (parser.isSet(images)) options.imagesDir = text(images);
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

}  // namespace tevra
