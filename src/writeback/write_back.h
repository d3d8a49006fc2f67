// Putting the fact that cards were printed back into the source log: the
// sent mark written into each printed QSO's own record (binary logs, dBase,
// databases and plug-ins), or a list of the printed records for the others;
// the backup made before the first change; and issue suppression.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "log/log_source_type.h"
#include "core/translatable.h"

namespace tevra {

class Clipboard;
class LogLoader;
class LogStore;
class LogWriteBack;
class MacroExpander;
class Ui;
struct ExtSrcApi;
struct DbBridgeApi;
struct LoadOptions;

// The option values the write-back reads, held by the program's settings,
// and the folder of LOG200 safety files it remembers there.
struct WriteBackOptions {
  const std::string& sendMark;       // "SendMark"
  const bool& backup;                // "Backup"
  const bool& disLogNewTime;         // "DisLogNewTime"
  const std::string& partMark;       // "PartMark"
  const LoadOptions& load;           // how the log was read
  std::string& log200SafDir;         // "Log200SafDir"
};

// The document as the write-back sees it: the loaded log and its loader,
// the merge language (for part marks), the printed-data flag, and what the
// document does after the marks changed.
class WriteBackTarget {
 public:
  virtual Ui& UserInterface() = 0;
  virtual LogStore& Log() = 0;
  virtual LogLoader& Loader() = 0;
  virtual MacroExpander& Expander() = 0;
  virtual LogWriteBack& WriteBackDriver() = 0;
  virtual WriteBackOptions WriteBackSettings() = 0;
  virtual bool& PrintedData() = 0;
  virtual void ReadCurrentCard() = 0;
  virtual void Redraw() = 0;

 protected:
  ~WriteBackTarget() = default;
};

// A log file opened for rewriting records in place.
class RecordFile {
 public:
  virtual ~RecordFile() = default;
  // False when fewer bytes than asked for could be read.
  virtual bool ReadAt(std::uint64_t offset, std::size_t length, std::string& out) = 0;
  virtual bool WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
  // Flushes to disk and closes.
  virtual bool Close() = 0;
  // Flushes what was written to disk.
  virtual bool Sync() = 0;
  virtual std::optional<std::uint64_t> Size() = 0;
  virtual bool Truncate(std::uint64_t size) = 0;
};
// The file itself, a regular file; nullptr when it cannot be opened for
// reading and writing (create: made when missing).
std::unique_ptr<RecordFile> OpenRecordFile(const std::string& path, bool create = false);

// Where the ".$BK" backup of a log goes: beside it with the extension
// ".$BK", or, when another log of the same name with another extension is
// there (HAMLOG.mdt beside HAMLOG.hdb), the log's whole name and ".$BK".
std::string BackupPathFor(const std::string& path);

// Why the sent mark cannot go into the sent field of a log of this type
// (fieldWidth: the dBase field's width); nothing when it fits.
std::optional<std::string> MarkProblem(LogSourceType type, std::string_view mark, std::size_t fieldWidth);

// The open source of a database or plug-in log, field by field.
class UpdatableSource {
 public:
  virtual ~UpdatableSource() = default;
  virtual std::size_t FieldCount() const = 0;
  virtual bool Seek(std::int32_t record) = 0;
  virtual std::string Text(std::size_t field) = 0;
  virtual bool CanUpdate(std::size_t field) = 0;
  virtual bool Update(std::size_t field, std::string_view text) = 0;
  // Why the last Update wrote nothing (TEVRA_UPDATE_*), with the cause in
  // reason (CP932); 0 when the source cannot say.
  virtual int UpdateError(std::string& reason) {
    reason.clear();
    return 0;
  }
  // After the last Update: a source that gathers its marks writes them
  // now. False when none of the gathered marks could be written
  // (UpdateError says why).
  virtual bool Finish() { return true; }
};
// automationLines: the plug-in delivers lines in the automation form.
std::unique_ptr<UpdatableSource> PluginSource(const ExtSrcApi& api, bool automationLines = false);
std::unique_ptr<UpdatableSource> DatabaseSource(const DbBridgeApi& api);

// Copies a file completely and flushes the copy to disk before it replaces
// the target. False when anything fails (the target is then unchanged).
bool CopyFileDurably(const std::string& from, const std::string& to);

class LogWriteBack {
 public:
  explicit LogWriteBack(WriteBackTarget& doc) : doc_(doc) {}

  // Offers the write-back when cards were printed. withCancel: the
  // questions offer Cancel (before another log, after a print job, before
  // closing). False when the user cancelled or the writing failed.
  bool Settle(bool withCancel);
  // The writing alone, by source type; true for types without a writer.
  bool WriteBack();
  // The ".$BK" copy, once per load.
  bool MakeBackup();

  // How the log and the safety file are opened (and a safety file created);
  // a test replaces them.
  std::function<std::unique_ptr<RecordFile>(const std::string&)> openFile = [](const std::string& path) {
    return OpenRecordFile(path);
  };
  std::function<std::unique_ptr<RecordFile>(const std::string&)> openCreate = [](const std::string& path) {
    return OpenRecordFile(path, true);
  };
  Clipboard* clipboard = nullptr;
  // The open database or plug-in source; pluginCannotUpdate: an open
  // plug-in whose log cannot be written (Settle then closes it).
  UpdatableSource* liveSource = nullptr;
  bool pluginCannotUpdate = false;
  // A plug-in whose log type uses no formulas: the mark goes to column 10.
  bool pluginWithoutFormulas = false;
  std::function<void()> closePlugin;
  // Suppression writes its own mark.
  std::optional<std::string> markOverride;
  // Today, for the date a card was sent (a test fixes it).
  std::function<std::time_t()> clock = [] { return std::time(nullptr); };

  // Records of the last write-back left alone because another program had
  // changed them since loading.
  unsigned ChangedRecords() const { return changed_; }
  // Records of the last write-back that could not take the mark (the
  // others could), and why (CP932).
  unsigned RefusedRecords() const { return refused_; }
  const std::string& RefusalReason() const { return refusal_; }
  // Printed records of the last write-back that carry the mark now, and
  // how many there were to mark.
  unsigned MarkedRecords() const { return marked_; }
  unsigned RecordsToMark() const { return toMark_; }
  // The backup made for the current log; empty before one was made.
  const std::string& LastBackupPath() const { return backupPath_; }
  // Why the last write-back failed, when a cause is known (English).
  const std::string& FailureReason() const { return failure_; }

 private:
  std::string Mark() const;
  bool WriteFileLog(LogSourceType type);
  bool WriteRecords(LogSourceType type, RecordFile& file, RecordFile* safety);
  bool WriteDbf();
  // ADIF: QSL_SENT and QSL_SDATE set in the printed records, written into
  // the log in place (what its program appends meanwhile is kept).
  bool WriteAdif();
  bool WriteLibrary(LogSourceType type);
  bool WritePrintedList();
  bool WriteClipboardAnswer();
  std::unique_ptr<RecordFile> OpenSafetyFile(bool& stop);
  // After writing a file: its time stamp (kept or remembered) and the
  // messages of a failure or of records left alone.
  bool Conclude(const std::string& path, const struct ::stat* before, bool ok);
  // The messages of records a library source left unmarked.
  void ReportSkipped();
  void Finish();
  void ClearMarks();

  WriteBackTarget& doc_;
  unsigned changed_ = 0;
  unsigned marked_ = 0;
  unsigned toMark_ = 0;
  std::uint64_t safetyEnd_ = 0;  // where the next safety record goes
  std::string backupPath_;
  std::string failure_;
  unsigned refused_ = 0;
  std::string refusal_;
};

// The "発行抑止設定" dialog as a model.
struct SuppressionOptions {
  static constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Tevra", "発行抑止設定");
  bool domestic = true;         // "国内局"
  bool dx = true;               // "DX局"
  bool jarlAlways = true;       // "ＪＡＲＬ関連局は無条件に抑止"
  bool keepReceived = true;     // "カード受領QSOは抑止しない"
  bool keepPortable = true;     // "移動局は抑止しない"
  std::string mark = "C";       // "抑止マーク"
};

// JA, a digit and "RL"; "7J1RL"; or 8 followed by J to N.
bool IsJarlRelated(std::string_view call);

// "抑止": marks the QSOs whose card was already sent (or that go to the
// JARL), offers the write-back with the suppression mark, then keeps only
// this print's QSOs in the store. skipSendMark: the load's skip-sent switch.
struct SuppressionResult {
  unsigned unsent = 0;
  unsigned suppressed = 0;
  std::size_t kept = 0;
  bool failed = false;  // the marks could not be written: nothing was left out
};
SuppressionResult SuppressIssued(WriteBackTarget& doc, const SuppressionOptions& options);

}  // namespace tevra
