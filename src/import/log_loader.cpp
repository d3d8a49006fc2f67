#include "import/log_loader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "core/encoding.h"
#include "core/file_io.h"
#include "core/mapped_file.h"
#include "core/file_rewrite.h"
#include "core/messages.h"
#include "core/date_time.h"
#include "core/text.h"
#include "import/adif_reader.h"
#include "import/contest_readers.h"
#include "import/csv_format_dialog.h"
#include "import/csv_readers.h"
#include "import/dbase_file.h"
#include "import/library_sources.h"
#include "import/kuval_text_reader.h"
#include "import/log_source.h"
#include "import/native_readers.h"
#include "log/log_store.h"
#include "platform/sort_dialog.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

// A record already marked sent: anything but nothing, blank, "H", "I" or "N".
bool AlreadySent(char mark) { return mark != '\0' && mark != ' ' && mark != 'H' && mark != 'I' && mark != 'N'; }

// The encoding of a text file, told from its first megabyte; the file is
// rewound.
TextEncoding FileEncoding(std::FILE* file, std::optional<TextEncoding> chosen) {
  if (chosen) return *chosen;
  std::string sample(1 << 20, '\0');
  const std::size_t read = std::fread(sample.data(), 1, sample.size(), file);
  std::rewind(file);
  // A sample cut off mid-file ends at its last whole line, not inside a character.
  const std::size_t lineEnd = read == sample.size() ? sample.rfind('\n') : std::string::npos;
  sample.resize(lineEnd == std::string::npos ? read : lineEnd + 1);
  return DetectTextEncoding(sample);
}

// Message 104, or the plain word that the name is no file to read (a
// folder, a pipe, a device).
void ShowUnreadable(Ui& ui, const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) ui.ShowMessage(msg::kNotRegularFile, MessageIcon::Warning);
  else ui.ShowMessage(msg::kCannotReadFile104, MessageIcon::Warning);
}


}  // namespace

bool LogLoader::ReadLog(LogSourceType type, const std::string& path) {
  options_.curLogType = type;
  store_.SetSourceType(type);
  WaitCursor wait(ui_);
  hooks_.CloseLiveSources();
  switch (type) {
    case SrcCsv: return ReadCsv(path);
    case SrcDbf: return ReadDbf(path);
    case SrcCabrillo: return ReadCabrillo(path);
    default: break;
  }
  FilePtr file = OpenRegularFile(path);
  if (!file) {
    ShowUnreadable(ui_, path);
    return false;
  }
  switch (type) {
    case SrcKuvalText: {
      KuvalTextReader reader(file.get());
      return RunLoadFrame(type, path, reader);
    }
    case SrcCt:
    case SrcTrLog: {
      // These formats lack fields that the user sets on the default record.
      if (!ui_.EditQso(options_.defaultQso)) return false;
      FixedColumnReader reader(file.get(), type == SrcCt ? FixedColumnReader::Kind::Ct : FixedColumnReader::Kind::TrLog,
                               options_.defaultQso);
      return RunLoadFrame(type, path, reader);
    }
    default: break;
  }
  // The other files are mapped, not read: only what the reader reaches is
  // in memory, and the part read is given back as the load goes.
  MappedFile mapped;
  if (!mapped.Load(file.get())) {
    ui_.ShowMessage(msg::kCannotReadFile104, MessageIcon::Warning);
    return false;
  }
  file.reset();
  const std::string_view bytes = mapped.Data();
  // Formats found again by byte offset cannot address more than 2 GB.
  if ((type == SrcKuvalData || type == SrcLog200 || type == SrcHamlog) &&
      bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
    ui_.ShowMessage(msg::kLogTooLarge, MessageIcon::Warning);
    return false;
  }
  switch (type) {
    case SrcAdif: {
      // A file with no tag in its first megabyte is no ADIF log (a sparse or
      // binary file would otherwise be read to its end for nothing).
      if (bytes.substr(0, 1 << 20).find('<') == std::string_view::npos && !bytes.empty()) {
        ui_.ShowMessage(msg::kUnexpectedFormat107);
        return false;
      }
      ArmBinaryLog(path);  // the write-back marks the printed records in place
      AdifReader reader(bytes, options_.encoding);
      return RunLoadFrame(type, path, reader, &mapped);
    }
    case SrcKuvalData: {
      ArmBinaryLog(path);
      MdtReader reader(BorrowedBytes{bytes});
      return RunLoadFrame(type, path, reader, &mapped);
    }
    case SrcLog200: {
      ArmBinaryLog(path);
      L2Reader reader(BorrowedBytes{bytes});
      return RunLoadFrame(type, path, reader, &mapped);
    }
    case SrcHamlog: {
      if (!DbsHeaderValid(bytes)) {
        ui_.ShowMessage(msg::kUnexpectedFormat107);
        return false;
      }
      std::string dbr;
      if (!ReadRemarkFile(path, dbr)) {
        ui_.ShowMessage(msg::kNoDbrFile);
        return false;
      }
      ArmBinaryLog(path);
      DbsReader reader(BorrowedBytes{bytes}, std::move(dbr));
      return RunLoadFrame(type, path, reader, &mapped);
    }
    case SrcHamlog5: {
      HdbReader reader(BorrowedBytes{bytes}, options_.th5Widths);
      switch (reader.Check()) {
        case HdbOpenResult::BadFormat: ui_.ShowMessage(msg::kUnexpectedFormat107); return false;
        case HdbOpenResult::NoRecords: ui_.ShowMessage(msg::kNoRecords33000); return false;
        case HdbOpenResult::Ok: break;
      }
      ArmBinaryLog(path);
      return RunLoadFrame(type, path, reader, &mapped);
    }
    default:  // not a file type
      ui_.ShowMessage(msg::kCannotReadFile104, MessageIcon::Warning);
      return false;
  }
}

void LogLoader::ArmBinaryLog(const std::string& path) {
  struct stat st {};
  logModTime_ = stat(path.c_str(), &st) == 0 ? std::optional<std::time_t>(st.st_mtime) : std::nullopt;
  backupArmed_ = true;
}

bool LogLoader::ReadRemarkFile(const std::string& path, std::string& bytes) {
  for (const char* extension : {".DBR", ".dbr"}) {
    std::string remarkPath = path;
    ReplaceExtension(remarkPath, extension);
    if (FilePtr file = OpenRegularFile(remarkPath)) return ReadWholeFile(file.get(), bytes);
  }
  return false;
}

bool LogLoader::ReadCabrillo(const std::string& path) {
  CabrilloOptionsDialog dialog(options_.cabrillo);
  if (!ui_.RunCabrilloDialog(dialog)) return false;
  options_.cabrillo = dialog.Options();
  FilePtr file = OpenRegularFile(path);
  MappedFile mapped;
  if (!file || !mapped.Load(file.get())) {
    ShowUnreadable(ui_, path);
    return false;
  }
  // A file with neither a QSO line nor a log start in its first megabyte
  // is no Cabrillo log (a sparse or binary file is not read to its end).
  const std::string head = ToUpperAscii(mapped.Data().substr(0, 1 << 20));
  if (!mapped.Data().empty() && head.find("QSO:") == std::string::npos &&
      head.find("START-OF-LOG") == std::string::npos) {
    ui_.ShowMessage(msg::kUnexpectedFormat107);
    return false;
  }
  // A .txt file chosen as Cabrillo is not offered again as a log.
  CabrilloReader reader(BorrowedBytes{mapped.Data()}, options_.cabrillo,
                        ToUpperAscii(ExtensionOf(FileNameOf(path))) != "TXT", options_.encoding);
  return RunLoadFrame(SrcCabrillo, path, reader, &mapped);
}

bool LogLoader::ReadCsv(const std::string& path) {
  FilePtr file = OpenRegularFile(path);
  if (!file) {
    ShowUnreadable(ui_, path);
    return false;
  }
  const TextEncoding encoding = FileEncoding(file.get(), options_.encoding);
  CsvFormatDialog dialog(CsvFormatDialog::Kind::CsvText, ReadCsvSamples(file.get(), encoding), {}, options_.csv,
                         options_.defaultQso, std::string(FileNameOf(path)));
  if (!ShowFormatDialog(ui_, dialog)) return false;
  options_.csv = dialog.Layout();
  options_.defaultQso = dialog.DefaultQso();
  std::rewind(file.get());
  CsvTextReader reader(file.get(), options_.csv, options_.defaultQso, dialog.SkipCount(), encoding);
  return RunLoadFrame(SrcCsv, path, reader);
}

bool LogLoader::ReadDbf(const std::string& path) {
  DbfEngine engine;
  switch (engine.DbfOpen(path)) {
    case DbfOpenResult::CannotOpen: ui_.ShowMessage(msg::kCannotOpenFile106); return false;
    case DbfOpenResult::BadFormat: ui_.ShowMessage(msg::kUnexpectedFormat107); return false;
    case DbfOpenResult::Ok: break;
  }
  ArmBinaryLog(path);
  if (engine.RecordCount() == 0 || !engine.DbfSeek(0)) {
    ui_.ShowMessage(msg::kNoRecords33000);
    return false;
  }
  std::vector<std::string> samples;
  for (std::size_t i = 0; i < kSampleCount && i < engine.RecordCount() && engine.DbfSeek(i); ++i)
    samples.push_back(engine.DbfRecordText());
  std::vector<std::string> names;
  for (const DbfField& field : engine.Fields()) names.push_back(field.name);
  CsvFormatDialog dialog(CsvFormatDialog::Kind::Dbase, std::move(samples), std::move(names), options_.csv,
                         options_.defaultQso, std::string(FileNameOf(path)));
  if (!ShowFormatDialog(ui_, dialog)) return false;
  // Formulas and the UTC switch are taken over; the CSV delimiter setting
  // stays, as records are always split by field.
  const int csvDelimiter = options_.csv.separatorType;
  options_.csv = dialog.Layout();
  options_.defaultQso = dialog.DefaultQso();
  DbfRecordReader reader(engine, options_.csv, options_.defaultQso, dialog.SkipCount());
  const bool ok = RunLoadFrame(SrcDbf, path, reader);
  options_.csv.separatorType = csvDelimiter;
  return ok;
}

std::optional<HandOverHeader> ReadHandOverHeader(std::string_view text) {
  constexpr std::string_view kName = "TEVRA_CSV_TEXT";
  if (text.size() < 1 + kName.size() || (text[0] != '$' && text[0] != '#' && text[0] != '%') ||
      text.substr(1, kName.size()) != kName)
    return std::nullopt;
  HandOverHeader header;
  header.marker = text[0];
  std::string_view rest = text.substr(1 + kName.size());
  rest = rest.substr(0, rest.find_first_of("\r\n"));
  rest = SkipBlanks(rest);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  header.application = rest.empty() ? FromUnicode("不明なアプリケーション") : std::string(rest);
  return header;
}

bool LogLoader::ReadHandOver(std::string_view text) {
  // The lines, without their ends.
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
  const std::optional<HandOverHeader> header = lines.empty() ? std::nullopt : ReadHandOverHeader(lines.front());
  char status[256];
  if (header)
    std::snprintf(status, sizeof status, "[ %s ] からログデータを読み込み中...", ToUnicode(header->application).c_str());
  else
    std::snprintf(status, sizeof status, QT_TRANSLATE_NOOP("Tevra", "クリップボードからログデータを読み込み中..."));
  ui_.SetStatus(status);
  RecordLayout layout = options_.csv;
  std::size_t first = 0;
  if (header) {
    first = 1;
    if (lines.size() > 1) {
      // The 32 formulas; missing or empty ones are "NULL".
      std::string_view formulas = lines[1];
      for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const std::string_view item = formulas.empty() ? std::string_view() : SplitComma(formulas);
        layout.columns[i] = item.empty() ? std::string("NULL") : std::string(item);
      }
      layout.separatorType = 0;
      layout.utc = false;
      first = 2;
    }
  }
  std::string body;
  for (std::size_t i = first; i < lines.size(); ++i) {
    body.append(lines[i]);
    body += "\r\n";
  }
  int skip = 0;
  if (!header || header->marker == '%') {
    std::vector<std::string> samples;
    for (std::size_t i = first; i < lines.size() && samples.size() < kSampleCount; ++i) samples.emplace_back(lines[i]);
    CsvFormatDialog dialog(CsvFormatDialog::Kind::CsvText, std::move(samples), {}, layout, options_.defaultQso,
                           "ClipBoard");
    if (!ShowFormatDialog(ui_, dialog)) {
      ui_.ClearStatus();
      return false;
    }
    layout = dialog.Layout();
    options_.defaultQso = dialog.DefaultQso();
    skip = dialog.SkipCount();
  }
  if (!hooks_.SettlePendingWriteBack()) {
    ui_.ClearStatus();
    return false;
  }
  options_.curLogType = SrcClipboard;
  hooks_.CloseLiveSources();
  std::FILE* file = body.empty() ? std::tmpfile() : fmemopen(body.data(), body.size(), "rb");
  if (!file) {
    ui_.ClearStatus();
    return false;
  }
  FilePtr owned(file);
  const RecordLayout saved = options_.csv;
  options_.csv = layout;
  CsvTextReader reader(file, options_.csv, options_.defaultQso, skip);
  const bool ok = RunLoadFrame(SrcClipboard, "", reader);
  if (header) options_.csv = saved;  // the hand-over's formulas are its own
  ui_.ClearStatus();
  return ok && AfterLoad();
}

bool LogLoader::ConnectPlugin(const ExtSrcApi& api) {
  if (!enableLogFile_) {
    ui_.ShowMessage(msg::kLogLoadingForbidden, MessageIcon::Warning);
    return false;
  }
  if (!api.Open || !hooks_.SettlePendingWriteBack()) return false;
  // The directory keeps its trailing "/" (added when a setting lacks it).
  std::string current = options_.curLogDir;
  if (!current.empty() && current.back() != '/') current += '/';
  current += options_.curLogName;
  const char* opened = api.Open(nullptr, nullptr, current.c_str());
  if (!opened) return false;
  const std::string source = std::string(opened).substr(0, 4096);
  RememberPath(source);
  std::vector<std::string> names;
  if (api.GetLogType() != 0) names = LibraryFieldNames([&api](int i) { return api.GetFieldText(static_cast<std::uint16_t>(i)); });
  if (options_.curLogType == SrcPlugin) store_.Clear();
  LibraryRecordReader::Cursor cursor{[&api] { return api.IsEOF() != 0; }, [&api] { return PluginListText(api); },
                                     [&api] { return api.MoveNext() != 0; }};
  if (names.empty()) {
    // Without field names every record is a line in the fixed automation
    // form: no formulas, so no format dialog.
    options_.curLogType = SrcPlugin;
    api.Seek(0);
    LibraryRecordReader reader(cursor, nullptr, options_.defaultQso, 0);
    return RunLoadFrame(SrcPlugin, source, reader) && AfterLoad();
  }
  CsvFormatDialog dialog(CsvFormatDialog::Kind::Plugin, SampleRecords(cursor), names, options_.csv,
                         options_.defaultQso, source);
  if (!ShowFormatDialog(ui_, dialog)) {
    api.Close();
    return false;
  }
  const int delimiter = options_.csv.separatorType;
  options_.csv = dialog.Layout();
  options_.csv.separatorType = 0;  // the plug-in's lines are comma-separated
  options_.defaultQso = dialog.DefaultQso();
  options_.curLogType = SrcPlugin;
  api.Seek(dialog.SkipCount());
  LibraryRecordReader reader(cursor, &options_.csv, options_.defaultQso, dialog.SkipCount());
  const bool ok = RunLoadFrame(SrcPlugin, source, reader);
  options_.csv.separatorType = delimiter;
  return ok && AfterLoad();
}

bool LogLoader::ConnectOdbc(const DbBridgeApi& api,
                            const std::function<std::optional<std::string>(const std::vector<std::string>&)>& chooseTable) {
  if (!enableLogFile_) {
    ui_.ShowMessage(msg::kLogLoadingForbidden, MessageIcon::Warning);
    return false;
  }
  if (!api.Table || !hooks_.SettlePendingWriteBack()) return false;
  if (options_.curLogType == SrcOdbc) store_.Clear();
  ui_.SetStatus(msg::kConnectingOdbc);
  // A data source named relative to the log folder (a SQLite file beside
  // the last log) is found from there.
  if (!options_.curLogDir.empty() && ::chdir(options_.curLogDir.c_str()) != 0) {
    // A folder that is gone leaves the current one.
  }
  auto close = [&api] {
    api.CloseRec();
    if (api.IsOpen()) api.Close();
  };
  close();
  const int tables = api.Table(nullptr);
  std::vector<std::string> names;
  for (int i = 0; i < tables && i < 4096; ++i)
    if (const char* name = api.GetTableList(i)) names.emplace_back(name);
  std::optional<std::string> table;
  // The chooser decides (a table asked for by name must be that table);
  // without one, one table needs no choice.
  if (!names.empty() && chooseTable) table = chooseTable(names);
  else if (names.size() == 1) table = names.front();
  if (!table) {
    close();
    ui_.ClearStatus();
    return false;
  }
  const int fields = api.Open(table->c_str());
  const std::vector<std::string> fieldNames = LibraryFieldNames([&api, fields](int i) -> const char* {
    if (i >= fields) return nullptr;
    const char* name = api.GetNameList(i);
    return name ? name : "";
  });
  if (fields <= 0 || api.OpenRec() != 1) {
    close();
    ui_.ClearStatus();
    ui_.ShowMessage(msg::kOdbcOpenFailed, MessageIcon::Warning);
    return false;
  }
  ui_.ClearStatus();
  LibraryRecordReader::Cursor cursor{[&api] { return api.IsEOF() != 0; }, [&api] { return BridgeListText(api); },
                                     [&api] { return api.MoveNext() != 0; }};
  CsvFormatDialog dialog(CsvFormatDialog::Kind::Odbc, SampleRecords(cursor), fieldNames, options_.csv,
                         options_.defaultQso, *table);
  if (!ShowFormatDialog(ui_, dialog)) {
    close();
    return false;
  }
  const int delimiter = options_.csv.separatorType;
  options_.csv = dialog.Layout();
  options_.csv.separatorType = 4;  // fields separated by 0x1E
  options_.defaultQso = dialog.DefaultQso();
  options_.curLogType = SrcOdbc;
  options_.curLogName = *table;
  if (const char* dir = api.GetDirName()) options_.curLogDir = std::string(dir).substr(0, 4096);
  api.Seek(dialog.SkipCount());
  LibraryRecordReader reader(cursor, &options_.csv, options_.defaultQso, dialog.SkipCount());
  const bool ok = RunLoadFrame(SrcOdbc, "", reader);
  options_.csv.separatorType = delimiter;
  return ok && AfterLoad();
}

bool LogLoader::RunLoadFrame(LogSourceType type, const std::string& path, RecordSource& reader, MappedFile* mapped) {
  store_.SetSourceType(type);
  store_.Clear();
  ui_.SetStatus(msg::kReadingLogFile);
  const bool sentMarks = CarriesSentMark(type);
  if (sentMarks) hooks_.StartPrintNumberContinuation();

  std::int32_t position = reader.FirstPosition();
  fingerprints_.clear();
  report_ = LoadReport{};
  QsoRecord record;
  for (;;) {
    RecordSource::Step step = reader.Next(record);
    if (step == RecordSource::Step::End) break;
    ++report_.records;
    if (step == RecordSource::Step::Skipped) {
      ++report_.passedOver;
    } else {
      // A date or time out of range (month 13, hour 25) is as unreadable
      // as one that could not be parsed: nothing of it goes onto a card.
      const bool dated = HasReadableDate(record), timed = HasReadableTime(record);
      if (!dated) record.Year = record.Month = record.Day = 0;
      if (!timed) record.Hour = record.Minute = 0;
      if (sentMarks && AlreadySent(record.QslSent)) hooks_.CountSentRecord();
      if (!hooks_.LoadConditionHolds(record)) {
        ++report_.notMatching;
      } else if (!reader.Accepts(record)) {
        ++report_.noCall;
      } else if (options_.skipSendMark && record.QslSent != '\0') {
        ++report_.alreadySent;
      } else {
        store_.Add(record, position);
        ++report_.loaded;
        if (!dated) ++report_.noDate;
        if (!timed) ++report_.noTime;
        if (const auto fingerprint = reader.Fingerprint()) fingerprints_.emplace_back(position, *fingerprint);
      }
    }
    if (position > INT32_MAX - reader.PositionStep()) {
      // Positions are 32-bit: a record beyond them could never be found again.
      store_.Clear();
      ui_.ClearStatus();
      ui_.ShowMessage(msg::kLogTooLarge, MessageIcon::Warning);
      return false;
    }
    position += reader.PositionStep();
    if (mapped && (report_.records & 0xFFF) == 0) mapped->Release(reader.BytesConsumed());
  }
  report_.recovered = reader.RecoveredRecords();
  if (report_.loaded == 0) report_.seen = reader.WhatWasSeen();
  ui_.ClearStatus();
  if (reader.Failed()) {
    // Half a log must not pass for the whole one.
    store_.Clear();
    ui_.ShowMessage(msg::kCannotReadFile104, MessageIcon::Warning);
    return false;
  }
  if (reader.RemembersFile() && !path.empty()) options_.recentLogs.Add(path);
  return true;
}

bool LogLoader::AfterLoad() {
  store_.SetCurrentCard(0);
  store_.SetCurrentQso(0);
  if (store_.QsoCount() > 0 && store_.QsosPerCard() > 1 && !sortFlag_) {
    AskToSort(ui_, msg::kSortBeforeRepeat, store_.QsoCount(), false,
              [this](bool descending) { hooks_.SortStore(descending); });
  }
  store_.RegroupIfStale();
  store_.ReadCard(0, mergeBuffer_);
  hooks_.Redraw();
  if (hooks_.ShowLogList()) {
    store_.ReadCard(store_.CurrentCard(), mergeBuffer_);
    hooks_.Redraw();
  }
  return true;
}

void LogLoader::RememberPath(const std::string& path) {
  lastLogPath_ = path;
  options_.curLogDir = std::string(DirectoryOf(path));
  options_.curLogName = std::string(FileNameOf(path));
}

bool LogLoader::OpenLogDialog() {
  if (!enableLogFile_) return false;  // the command is disabled
  if (!hooks_.SettlePendingWriteBack()) return false;
  LogFilterList filters = BuildLogFilterList(options_.curLogType, options_.curLogName);
  OpenFileRequest request{std::string(msg::kOpenLogTitle), "log", options_.curLogName, options_.curLogDir,
                          filters.filters};
  std::optional<OpenFileChoice> choice = ui_.ChooseFileToOpen(request);
  if (!choice) return false;
  RememberPath(choice->path);
  const bool cabrilloChosen = choice->filterIndex == filters.cabrilloFilterIndex;
  LogSourceType type = ReaderForChosenFile(choice->path, cabrilloChosen);
  if (!cabrilloChosen) type = ReaderForFile(type, choice->path);
  if (!ReadLog(type, choice->path)) return false;
  return AfterLoad();
}

void FinishMarking(Ui& ui, const std::string& path) {
  switch (FinishInterruptedRewrite(path)) {
    case JournalRecovery::None: break;
    case JournalRecovery::Finished: ui.ShowMessage(msg::kMarkingFinished, MessageIcon::Information); break;
    case JournalRecovery::Failed:
      ui.ShowMessage(std::string(msg::kMarkingNotFinished) + "\r\n" + RewriteJournalPath(path), MessageIcon::Warning);
      break;
  }
}

bool LogLoader::OpenByName(const std::string& path) {
  std::optional<LogSourceType> type = ReaderForNamedFile(path);
  if (!type) {
    documentDirectory_ = std::string(DirectoryOf(path));
    return hooks_.OpenLayoutDocument(path);
  }
  if (!enableLogFile_) {
    ui_.ShowMessage(msg::kLogLoadingForbidden, MessageIcon::Warning);
    return false;
  }
  if (!hooks_.SettlePendingWriteBack()) return false;
  FinishMarking(ui_, path);
  if (!ReadLog(ReaderForFile(*type, path), path)) return false;
  RememberPath(path);
  return AfterLoad();
}

std::optional<std::uint64_t> LogLoader::FingerprintAt(std::int32_t position) const {
  const auto at = std::lower_bound(fingerprints_.begin(), fingerprints_.end(), position,
                                   [](const auto& entry, std::int32_t p) { return entry.first < p; });
  if (at == fingerprints_.end() || at->first != position) return std::nullopt;
  return at->second;
}

bool LogLoader::OpenRecentLog(std::size_t n) {
  const auto& items = options_.recentLogs.Items();
  if (n >= items.size()) return false;
  std::string path = items[n];  // a copy: the load reorders the list
  return OpenByName(path);
}

}  // namespace tevra
