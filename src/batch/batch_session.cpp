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

#include "batch/batch_session.h"
#include "program/label_catalogue.h"

namespace tevra {
namespace {

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
  if (report.noTime)
    std::fprintf(err, "tevra-batch: %s: %s without a readable time (printed as 0000)\n", name,
                 Plural(report.noTime, "QSO", "QSOs").c_str());
  std::error_code ec;
  const bool hasContent = std::filesystem::file_size(path, ec) > 0 && !ec;
  // QSOs left out by the user's own choice (sent marks, the load condition)
  // are no fault of the file.
  if (report.loaded == 0 && hasContent && report.alreadySent + report.notMatching == 0) {
    const std::string seen =
        report.seen.empty() ? Plural(report.records, "record or line", "records or lines") + " looked at" : report.seen;
    std::fprintf(err, "tevra-batch: %s: no QSO could be loaded (%s%s%s)\n", name, seen.c_str(),
                 joined.empty() ? "" : ": ", joined.c_str());
    return false;
  }
  if (!joined.empty()) std::fprintf(err, "tevra-batch: %s: left out %s\n", name, joined.c_str());
  return true;
}

// Loads the log into the session's document; 0 or the exit code.
// A database table through the bridge, as --odbc and --table say.
int LoadOdbc(const BatchOptions& batch, Session& session, std::FILE* err) {
  // The connection's relative names mean the folder tevra-batch runs in.
  std::error_code cwd;
  session.program->settings.load.curLogDir = std::filesystem::current_path(cwd).string() + "/";
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

}  // namespace

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

bool ApplySheetOption(const BatchOptions& batch, DocumentSettings& settings, std::FILE* err) {
  if (!batch.sheet) return true;
  const std::vector<LabelSheet> catalogue = ReadLabelCatalogue();
  if (catalogue.empty()) {
    std::fprintf(err, "tevra-batch: no label sheet catalogue is installed (%s; Debian package glabels-data)\n",
                 kLabelCatalogueFolder);
    return false;
  }
  const LabelSheet* sheet = SheetNamed(catalogue, *batch.sheet);
  if (!sheet) {
    std::fprintf(err, "tevra-batch: no label sheet '%s' in the catalogue (tevra-batch --list-sheets WORD finds one)\n",
                 batch.sheet->c_str());
    return false;
  }
  if (!ApplySheet(*sheet, settings)) {
    std::fprintf(err, "tevra-batch: the label sheet '%s' is beyond what a layout can hold (pitches 5-200 mm, margins up to 100 mm)\n",
                 batch.sheet->c_str());
    return false;
  }
  return true;
}

int ListSheets(const std::string& words, std::FILE* out, std::FILE* err) {
  const std::vector<LabelSheet> catalogue = ReadLabelCatalogue();
  if (catalogue.empty()) {
    std::fprintf(err, "tevra-batch: no label sheet catalogue is installed (%s; Debian package glabels-data)\n",
                 kLabelCatalogueFolder);
    return 1;
  }
  const auto found = FindSheets(catalogue, words);
  for (const LabelSheet* s : found)
    std::fprintf(out, "%s\t%s\t%.1f x %.1f mm\t%d labels (%d x %d)\t%s\n", s->Name().c_str(), s->paper.c_str(),
                 s->labelWidth, s->labelHeight, s->columns * s->rows, s->columns, s->rows, s->description.c_str());
  if (found.empty()) {
    std::fprintf(err, "tevra-batch: no label sheet holds '%s'\n", words.c_str());
    return 1;
  }
  return 0;
}

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

}  // namespace tevra
