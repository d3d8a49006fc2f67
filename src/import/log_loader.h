// Choosing a log, running a reader inside the common load frame, and the
// finish that every load shares.
#pragma once

#include <memory>
#include <span>
#include <functional>
#include <string>
#include <vector>

#include <ctime>
#include <optional>

#include "core/column_keywords.h"
#include "core/recent_list.h"
#include "import/contest_readers.h"
#include "import/native_readers.h"
#include "import/external_libraries.h"
#include "import/record_source.h"
#include "import/text_encoding.h"
#include "log/log_source_type.h"
#include "core/qso_record.h"

namespace tevra {

class LogStore;
class MappedFile;
class Ui;

// Finishes the marking of path that a stop interrupted (a journal beside
// it), and says so.
void FinishMarking(Ui& ui, const std::string& path);

// Load settings kept program-wide (and in the settings file).
struct LoadOptions {
  LogSourceType curLogType = SrcKuvalText;
  std::string curLogDir;   // with its trailing "/"
  std::string curLogName;  // file name with extension
  std::string loadCond = "TRUE";  // CP932
  bool skipSendMark = true;
  // Conversion formulas, delimiter and UTC switch for CSV-like sources.
  RecordLayout csv;
  // Template for the fields a format lacks (kept in CSV setting files).
  QsoRecord defaultQso{};
  // Field widths of HAMLOG version 5 records ("TH5Fields").
  Th5Widths th5Widths = kDefaultTh5Widths;
  CabrilloOptions cabrillo;
  // The character set of ADIF, Cabrillo and CSV text logs ("LogEncoding");
  // nullopt: detected per file.
  std::optional<TextEncoding> encoding;
  RecentList recentLogs{4};
};

// Where loading meets the rest of the program. Every hook has a neutral
// default so that a load works before the subsystem behind it exists.
class LoadHooks {
 public:
  virtual ~LoadHooks() = default;
  // Offers the write-back of the previous log; false when the user cancels.
  virtual bool SettlePendingWriteBack() { return true; }
  // Closes a plug-in source or database connection still open.
  virtual void CloseLiveSources() {}
  // Print-number continuation: restarted by each load of a format that
  // carries a sent mark, then told of every record already sent.
  virtual void StartPrintNumberContinuation() {}
  virtual void CountSentRecord() {}
  virtual bool LoadConditionHolds(const QsoRecord& /*record*/) { return true; }
  virtual void SortStore(bool /*descending*/) {}
  virtual void Redraw() {}
  // Shows the log list modally; true when the user closed it with OK.
  virtual bool ShowLogList() { return false; }
  virtual bool OpenLayoutDocument(const std::string& /*path*/) { return false; }
};

// The first line of a clipboard hand-over: a marker ("$" load at once, "#"
// ask first, "%" ask and show the format dialog), "TEVRA_CSV_TEXT", then
// the sending application's name (CP932; a blank name reads
// "不明なアプリケーション"). Nothing when the text has no such line.
struct HandOverHeader {
  char marker = 0;
  std::string application;
};
std::optional<HandOverHeader> ReadHandOverHeader(std::string_view text);

class LogLoader {
 public:
  LogLoader(Ui& ui, LogStore& store, LoadOptions& options, LoadHooks& hooks, std::span<QsoRecord> mergeBuffer)
      : ui_(ui), store_(store), options_(options), hooks_(hooks), mergeBuffer_(mergeBuffer) {}

  // The "open log file" command. True when a log was read.
  bool OpenLogDialog();
  // Log data handed over as clipboard text (CP932): with a marker line, the
  // formula line and then one QSO per line; without, every line is a QSO
  // and the format dialog is shown. True when a log was read.
  bool ReadHandOver(std::string_view text);
  // "ＯＤＢＣデータベースに接続..." and the plug-in's command: the source is
  // chosen by the library, the records are read through the formulas of
  // the format dialog. chooseTable picks one of several tables (none:
  // cancelled). True when a log was read; the source then stays open.
  bool ConnectPlugin(const ExtSrcApi& api);
  bool ConnectOdbc(const DbBridgeApi& api,
                   const std::function<std::optional<std::string>(const std::vector<std::string>&)>& chooseTable);
  // Opens a log by its extension, or hands other files to the layout
  // document.
  bool OpenByName(const std::string& path);
  // Entry n (0-based) of the recent log list; nothing beyond its end.
  bool OpenRecentLog(std::size_t n);
  // Runs the reader of `type` on path inside the load frame.
  bool ReadLog(LogSourceType type, const std::string& path);
  // The load frame from clearing the store on, around an opened reader.
  // mapped: the file the reader reads, whose read part is given back as
  // the load goes.
  bool RunLoadFrame(LogSourceType type, const std::string& path, RecordSource& reader, MappedFile* mapped = nullptr);
  bool AfterLoad();

  // Document state that loading reads or sets.
  const std::string& LastLogPath() const { return lastLogPath_; }
  const std::string& DocumentDirectory() const { return documentDirectory_; }
  bool EnableLogFile() const { return enableLogFile_; }
  void SetEnableLogFile(bool enable) { enableLogFile_ = enable; }
  bool SortFlag() const { return sortFlag_; }
  // Modification time of the log file when it was read (binary and dBase
  // logs), for the write-back's check.
  std::optional<std::time_t> LogModificationTime() const { return logModTime_; }
  // Set by loading a log that the write-back changes in place; the backup
  // is then made before the first change.
  bool BackupArmed() const { return backupArmed_; }
  void DisarmBackup() { backupArmed_ = false; }
  void SetSortFlag(bool flag) { sortFlag_ = flag; }
  void SetLogModificationTime(std::optional<std::time_t> time) { logModTime_ = time; }
  // The fingerprint of the stored record at a source position, for logs the
  // write-back changes in place.
  std::optional<std::uint64_t> FingerprintAt(std::int32_t position) const;
  // What the last load made of its file.
  const LoadReport& LastReport() const { return report_; }

 private:
  void RememberPath(const std::string& path);
  bool ReadCsv(const std::string& path);
  bool ReadDbf(const std::string& path);
  bool ReadCabrillo(const std::string& path);
  bool ReadRemarkFile(const std::string& path, std::string& bytes);
  void ArmBinaryLog(const std::string& path);

  Ui& ui_;
  LogStore& store_;
  LoadOptions& options_;
  LoadHooks& hooks_;
  std::span<QsoRecord> mergeBuffer_;
  std::string lastLogPath_;
  std::string documentDirectory_;
  bool enableLogFile_ = true;
  bool sortFlag_ = false;
  std::optional<std::time_t> logModTime_;
  // (position, fingerprint) of every stored record, in position order.
  std::vector<std::pair<std::int32_t, std::uint64_t>> fingerprints_;
  bool backupArmed_ = false;
  LoadReport report_;
};

}  // namespace tevra
