#include "writeback/write_back.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "import/log_loader.h"
#include "log/log_store.h"
#include "merge/part_mark.h"
#include "core/band.h"
#include "core/call_sign.h"
#include "core/file_io.h"
#include "core/file_rewrite.h"
#include "core/messages.h"
#include "core/profile.h"
#include "core/text.h"
#include "import/adif_reader.h"
#include "import/csv_readers.h"
#include "import/dbase_file.h"
#include "import/external_libraries.h"
#include "import/log_source.h"
#include "import/native_readers.h"
#include "import/record_fingerprint.h"
#include "platform/clipboard.h"
#include "platform/ui.h"

namespace tevra {
namespace {

// The log's path with another extension, in the log's own directory.
std::string Sibling(const std::string& path, std::string_view extension) {
  return std::filesystem::path(path).replace_extension(std::string(extension)).string();
}

class PosixRecordFile : public RecordFile {
 public:
  explicit PosixRecordFile(int fd) : fd_(fd) {}
  ~PosixRecordFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool ReadAt(std::uint64_t offset, std::size_t length, std::string& out) override {
    out.assign(length, '\0');
    std::size_t done = 0;
    while (done < length) {
      const ssize_t n = ::pread(fd_, out.data() + done, length - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }
  bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }
  bool Close() override {
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return synced && closed;
  }
  bool Sync() override { return ::fsync(fd_) == 0; }
  std::optional<std::uint64_t> Size() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
  }
  bool Truncate(std::uint64_t size) override { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }

 private:
  int fd_;
};

bool Blank(char c) { return c == ' ' || c == '\0'; }

// A field counts as empty when it holds nothing but blanks.
bool BlankText(std::string_view text) { return SkipBlanks(text).empty(); }

// Whether a stat time and the remembered load time differ.
bool TimeDiffers(const struct stat& st, std::optional<std::time_t> remembered) {
  return remembered && st.st_mtime != *remembered;
}

}  // namespace

std::unique_ptr<RecordFile> OpenRecordFile(const std::string& path, bool create) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixRecordFile>(fd);
}

bool CopyFileDurably(const std::string& from, const std::string& to) {
  std::string bytes;
  if (ReadRegularFile(from, bytes, std::numeric_limits<std::uint64_t>::max()) != FileReadResult::Ok) return false;
  return ReplaceFileAtomically(to, bytes);
}

std::string BackupPathFor(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path log(path);
  const std::string own = ToUpperAscii(log.extension().string());
  // Another log of the same name with another extension would share the
  // backup: then the backup keeps the log's own extension.
  std::error_code ec;
  for (const std::string_view ext : {".MDT", ".L2", ".DBS", ".HDB", ".DBF", ".ADI", ".ADIF"}) {
    if (ext == own) continue;
    std::string lower(ext);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    for (const std::string& spelled : {std::string(ext), lower}) {
      fs::path other = log;
      other.replace_extension(spelled);
      if (fs::exists(other, ec)) return path + ".$BK";
    }
  }
  return Sibling(path, ".$BK");
}

std::optional<std::string> MarkProblem(LogSourceType type, std::string_view mark, std::size_t fieldWidth) {
  char text[512];
  auto problem = [&text](const char* format, std::size_t width) {
    std::snprintf(text, sizeof text, format, width);
    return std::optional<std::string>(text);
  };
  if (mark.empty()) return std::string(msg::kSendMarkEmpty);
  for (const char c : mark)
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') return std::string(msg::kSendMarkControl);
  switch (type) {
    case SrcKuvalData:
    case SrcHamlog:
    case SrcHamlog5: {
      // One byte: an ASCII character or a half-width kana.
      const auto b = static_cast<unsigned char>(mark[0]);
      if (mark.size() != 1 || (b >= 0x80 && !(b >= 0xA1 && b <= 0xDF)))
        return problem(std::string(msg::kSendMarkTooWide).c_str(), 1);
      return std::nullopt;
    }
    case SrcLog200:
      if (mark.find('\x1E') != std::string_view::npos) return std::string(msg::kSendMarkControl);
      return std::nullopt;
    case SrcDbf:
      if (fieldWidth > 0 && mark.size() > fieldWidth)
        return problem(std::string(msg::kSendMarkTooWide).c_str(), fieldWidth);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// --- database and plug-in sources ---------------------------------------------

namespace {

// Both libraries offer the same four calls on the current record.
class LibraryUpdatable : public UpdatableSource {
 public:
  using SeekFn = std::int32_t (*)(std::int32_t);
  using TextFn = const char* (*)(std::int32_t);
  using CanUpdateFn = std::int32_t (*)(std::int32_t);
  using UpdateFn = std::int32_t (*)(std::int32_t, const char*);

  using ErrorFn = std::int32_t (*)(char*, std::int32_t);

  LibraryUpdatable(std::size_t fields, SeekFn seek, TextFn text, CanUpdateFn canUpdate, UpdateFn update,
                   ErrorFn error)
      : fields_(fields), seek_(seek), text_(text), canUpdate_(canUpdate), update_(update), error_(error) {}
  std::size_t FieldCount() const override { return fields_; }
  bool Seek(std::int32_t record) override { return seek_ && seek_(record) != 0; }
  std::string Text(std::size_t field) override {
    const char* text = text_ ? text_(static_cast<std::int32_t>(field)) : nullptr;
    return text ? text : "";
  }
  bool CanUpdate(std::size_t field) override { return canUpdate_ && canUpdate_(static_cast<std::int32_t>(field)) != 0; }
  bool Update(std::size_t field, std::string_view text) override {
    const std::string copy(text);
    return update_ && update_(static_cast<std::int32_t>(field), copy.c_str()) != 0;
  }
  int UpdateError(std::string& reason) override {
    reason.clear();
    if (!error_) return 0;
    std::string buffer(1024, '\0');
    const int kind = error_(buffer.data(), static_cast<std::int32_t>(buffer.size()));
    buffer.back() = '\0';
    reason = buffer.c_str();
    return kind;
  }

 private:
  std::size_t fields_;
  SeekFn seek_;
  TextFn text_;
  CanUpdateFn canUpdate_;
  UpdateFn update_;
  ErrorFn error_;
};

// The fields a library names, at most 32.
template <typename NameFn>
std::size_t CountFields(NameFn name) {
  std::size_t count = 0;
  while (name && count < 32 && name(static_cast<int>(count))) ++count;
  return count;
}

}  // namespace

std::unique_ptr<UpdatableSource> PluginSource(const ExtSrcApi& api, bool automationLines) {
  // Lines in the automation form have their thirteen fields, names or not.
  const std::size_t fields = automationLines ? 13 : CountFields(api.GetFieldText);
  return std::make_unique<LibraryUpdatable>(fields, api.Seek, api.GetText, api.CanUpdate, api.Update,
                                            api.GetUpdateError);
}

std::unique_ptr<UpdatableSource> DatabaseSource(const DbBridgeApi& api) {
  return std::make_unique<LibraryUpdatable>(CountFields(api.GetNameList), api.Seek, api.GetData, api.CanUpdate,
                                            api.Update, api.GetUpdateError);
}

// --- the write-back ------------------------------------------------------------

std::string LogWriteBack::Mark() const { return markOverride ? *markOverride : doc_.WriteBackSettings().sendMark; }

void LogWriteBack::ClearMarks() {
  doc_.Log().ClearPrinted(-1);
  doc_.PrintedData() = false;
  doc_.Redraw();
}

void LogWriteBack::Finish() {
  doc_.Log().DeletePrinted();
  doc_.ReadCurrentCard();
  doc_.PrintedData() = false;
  doc_.Redraw();
}

bool LogWriteBack::Settle(bool withCancel) {
  if (!doc_.PrintedData()) return true;
  const LogSourceType type = doc_.Log().SourceType();
  if (type == SrcPlugin && pluginCannotUpdate) {
    if (closePlugin) closePlugin();
    return true;
  }
  Ui& ui = doc_.UserInterface();
  const Buttons buttons = withCancel ? Buttons::YesNoCancel : Buttons::YesNo;
  switch (type) {
    case SrcKuvalData:
    case SrcLog200:
    case SrcHamlog:
    case SrcHamlog5:
    case SrcDbf:
    case SrcAdif:
    case SrcOdbc:
    case SrcPlugin: {
      const Answer answer = ui.Ask(msg::kAskUpdateLog, buttons);
      if (answer == Answer::Cancel) return false;
      if (answer == Answer::No) {
        ClearMarks();
        return true;
      }
      if (!WriteBack()) return false;
      Finish();
      const bool fileType = type != SrcOdbc && type != SrcPlugin;
      if (doc_.WriteBackSettings().backup && fileType && !backupPath_.empty())
        ui.ShowMessage(std::string(msg::kLogUpdatedWithBackup) + "\r\n" + backupPath_, MessageIcon::Information);
      else
        ui.ShowMessage(msg::kLogUpdated, MessageIcon::Information);
      return true;
    }
    case SrcClipboard: {
      const Answer answer = ui.Ask(msg::kAskClipboardList, buttons);
      if (answer == Answer::Cancel) return false;
      doc_.PrintedData() = false;
      if (answer == Answer::No) {
        ClearMarks();
        return true;
      }
      if (!WriteClipboardAnswer()) {
        doc_.PrintedData() = true;
        return false;
      }
      Finish();
      return true;
    }
    case SrcKuvalText:
    case SrcCabrillo:
    case SrcCsv: {
      const Answer answer = ui.Ask(msg::kAskListFile, buttons);
      if (answer == Answer::Cancel) return false;
      doc_.PrintedData() = false;
      if (answer == Answer::No) {
        ClearMarks();
        return true;
      }
      if (!WritePrintedList()) {
        ui.ShowMessage(msg::kCannotCreateFile105);
        doc_.PrintedData() = true;
        return false;
      }
      Finish();
      ui.ShowMessage(msg::kListFileDone, MessageIcon::Information);
      return true;
    }
    default:  // CT, TR-LOG, automation: nothing to write
      return true;
  }
}

bool LogWriteBack::WriteBack() {
  changed_ = marked_ = toMark_ = refused_ = 0;
  failure_.clear();
  refusal_.clear();
  const LogSourceType type = doc_.Log().SourceType();
  switch (type) {
    case SrcKuvalData:
    case SrcLog200:
    case SrcHamlog:
    case SrcHamlog5: return WriteFileLog(type);
    case SrcDbf: return WriteDbf();
    case SrcAdif: return WriteAdif();
    case SrcOdbc:
    case SrcPlugin: return WriteLibrary(type);
    default: return true;
  }
}

bool LogWriteBack::MakeBackup() {
  LogLoader& loader = doc_.Loader();
  if (!loader.BackupArmed()) return true;
  const std::string& path = loader.LastLogPath();
  const std::string backup = BackupPathFor(path);
  if (!CopyFileDurably(path, backup)) {
    doc_.UserInterface().ShowMessage(msg::kBackupFailed103);
    return false;
  }
  backupPath_ = backup;
  loader.DisarmBackup();
  return true;
}

std::unique_ptr<RecordFile> LogWriteBack::OpenSafetyFile(bool& stop) {
  Ui& ui = doc_.UserInterface();
  stop = false;
  auto openExisting = [this](const std::string& path) -> std::unique_ptr<RecordFile> {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return nullptr;
    return openFile(path);
  };
  std::unique_ptr<RecordFile> file;
  const std::string beside = Sibling(doc_.Loader().LastLogPath(), ".l2s");
  if (!(file = openExisting(beside))) {
    OpenFileRequest request{std::string(msg::kSafetyFileTitle), "l2s", "", doc_.WriteBackSettings().log200SafDir,
                            std::string(msg::kSafetyFileFilter)};
    if (const auto choice = ui.ChooseFileToOpen(request)) {
      doc_.WriteBackSettings().log200SafDir = std::string(DirectoryOf(choice->path));
      if (!(file = openExisting(choice->path))) {
        ui.ShowMessage(msg::kSafetyFileOpenFailed);
        stop = true;
        return nullptr;
      }
    } else {
      if (ui.Ask(msg::kAskCreateSafetyFile, Buttons::YesNo) != Answer::Yes) return nullptr;
      if (!(file = openCreate(beside))) {
        ui.ShowMessage(msg::kSafetyFileCreateFailed);
        stop = true;
        return nullptr;
      }
    }
  }
  // A record cut short by an earlier run that was killed goes, so that
  // what follows lines up with whole records again.
  const auto size = file->Size();
  if (!size || (*size % kL2RecordSize != 0 && !file->Truncate(*size - *size % kL2RecordSize))) {
    ui.ShowMessage(msg::kSafetyFileOpenFailed);
    stop = true;
    return nullptr;
  }
  safetyEnd_ = *size - *size % kL2RecordSize;
  return file;
}

bool LogWriteBack::WriteFileLog(LogSourceType type) {
  Ui& ui = doc_.UserInterface();
  LogLoader& loader = doc_.Loader();
  const std::string path = loader.LastLogPath();
  if (const auto problem = MarkProblem(type, Mark(), 0)) {
    ui.ShowMessage(*problem);
    return false;
  }
  // The backup is complete and on disk before the first byte changes.
  if (doc_.WriteBackSettings().backup && !MakeBackup()) return false;
  std::unique_ptr<RecordFile> file = openFile(path);
  if (!file) {
    ui.ShowMessage(msg::kCannotOpenFile106);
    return false;
  }
  struct stat before {};
  const bool haveBefore = ::stat(path.c_str(), &before) == 0;
  if (haveBefore && TimeDiffers(before, loader.LogModificationTime()) &&
      ui.Ask(msg::kLogUpdatedElsewhere101, Buttons::OkCancel, MessageIcon::Warning) == Answer::Cancel) {
    file->Close();
    return false;
  }
  std::unique_ptr<RecordFile> safety;
  if (type == SrcLog200) {
    bool stop = false;
    safety = OpenSafetyFile(stop);
    if (stop) {
      file->Close();
      return false;
    }
  }
  const bool written = WriteRecords(type, *file, safety.get());
  bool closed = file->Close();
  if (safety) closed = safety->Close() && closed;
  return Conclude(path, haveBefore ? &before : nullptr, written && closed);
}

bool LogWriteBack::WriteAdif() {
  Ui& ui = doc_.UserInterface();
  LogLoader& loader = doc_.Loader();
  const std::string path = loader.LastLogPath();
  if (doc_.WriteBackSettings().backup && !MakeBackup()) return false;
  // ADIF knows "Y" (sent) and "I" (no card: what suppression means).
  const char mark = markOverride ? 'I' : 'Y';
  std::string date;
  if (!markOverride) {
    const std::time_t now = clock();
    struct tm utc {};
    char text[16];
    if (gmtime_r(&now, &utc) && std::strftime(text, sizeof text, "%Y%m%d", &utc) == 8) date = text;
  }
  std::vector<std::int32_t> printed;
  LogStore& store = doc_.Log();
  for (std::size_t i = 0; i < store.QsoCount(); ++i)
    if (const std::int32_t position = store.PrintedPosition(i); position >= 0) printed.push_back(position);
  std::sort(printed.begin(), printed.end());

  // The log stays the file the logging program may hold open: the marked
  // records are written into it, and what it appends meanwhile is kept.
  // A log rewritten by its program while we mark it is read again.
  for (int attempt = 0;; ++attempt) {
    changed_ = marked_ = toMark_ = 0;
    struct stat before {};
    std::string bytes;
    if (::stat(path.c_str(), &before) != 0 ||
        ReadRegularFile(path, bytes, std::numeric_limits<std::uint64_t>::max()) != FileReadResult::Ok) {
      ui.ShowMessage(msg::kCannotOpenFile106);
      return false;
    }
    if (attempt == 0 && TimeDiffers(before, loader.LogModificationTime()) &&
        ui.Ask(msg::kLogUpdatedElsewhere101, Buttons::OkCancel, MessageIcon::Warning) == Answer::Cancel)
      return false;
    // The records are found again by their number in the file, and changed
    // only while they are the bytes that were loaded.
    AdifReader reader(bytes, doc_.WriteBackSettings().load.encoding);
    std::string out;
    out.reserve(bytes.size() + printed.size() * 32);
    std::size_t copied = 0;
    std::size_t next = 0;  // into printed
    QsoRecord record;
    std::int32_t position = 1;
    for (; next < printed.size() && reader.Next(record) != RecordSource::Step::End; ++position) {
      if (position != printed[next]) continue;
      ++next;
      ++toMark_;
      const auto loaded = loader.FingerprintAt(position);
      if (!loaded || *loaded != reader.Fingerprint()) {
        ++changed_;
        continue;
      }
      const RecordSpan& span = reader.Span();
      out.append(bytes, copied, span.start - copied);
      out.append(MarkAdifRecord(bytes, span, mark, date));
      copied = span.end;
      ++marked_;
    }
    changed_ += static_cast<unsigned>(printed.size() - next);  // records that are gone
    toMark_ += static_cast<unsigned>(printed.size() - next);
    out.append(bytes, copied, std::string::npos);
    std::string why;
    switch (RewriteInPlace(path, bytes, out, ' ', &why)) {
      case RewriteResult::Done: return Conclude(path, &before, true);
      case RewriteResult::Changed:
        if (attempt < 3) continue;
        why = "the log kept changing while it was marked";
        break;
      case RewriteResult::Failed: break;
    }
    marked_ = 0;  // the log stands as it was
    failure_ = why;
    return Conclude(path, &before, false);
  }
}

bool LogWriteBack::Conclude(const std::string& path, const struct stat* before, bool ok) {
  Ui& ui = doc_.UserInterface();
  // Our own changes are not another program's: remember the new time, or
  // put the old one back.
  if (doc_.WriteBackSettings().disLogNewTime && before) {
    const struct timespec times[2] = {before->st_atim, before->st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  } else {
    struct stat after {};
    if (::stat(path.c_str(), &after) == 0) {
      doc_.Loader().SetLogModificationTime(after.st_mtime);
    } else {
      ui.ShowMessage(msg::kCannotReadFile104);
    }
  }
  if (!ok) {
    if (failure_.empty()) ui.ShowMessage(msg::kCannotCreateFile105);
    else ui.ShowMessage(std::string(msg::kLogNotWritten) + "\r\n\r\n" + failure_);
    // Say exactly what the log holds now.
    char text[512];
    std::snprintf(text, sizeof text, std::string(msg::kRecordsMarkedBeforeFailure).c_str(), marked_, toMark_);
    ui.ShowMessage(text, MessageIcon::Warning);
    return false;
  }
  if (changed_ > 0) {
    char text[512];
    std::snprintf(text, sizeof text, std::string(msg::kRecordsChangedSinceLoad).c_str(), changed_);
    ui.ShowMessage(text);
  }
  return true;
}

bool LogWriteBack::WriteRecords(LogSourceType type, RecordFile& file, RecordFile* safety) {
  const std::string mark = Mark();
  const char markByte = mark.empty() ? '\0' : mark[0];
  HdbLayout hdb;
  if (type == SrcHamlog5) {
    std::string header;
    if (!file.ReadAt(0, 32, header)) return false;
    const std::size_t headerLength = static_cast<unsigned char>(header[8]) | static_cast<unsigned char>(header[9]) << 8;
    if (!file.ReadAt(0, std::max<std::size_t>(headerLength, 32), header)) return false;
    Th5Widths widths = doc_.WriteBackSettings().load.th5Widths;
    hdb = ReadHdbLayout(header, widths);
    if (hdb.check != HdbOpenResult::Ok) return false;
  }
  // Changed records wait here until the safety file holds them on disk:
  // the log never gets ahead of its safety copy.
  struct Pending {
    std::uint64_t offset;
    std::string record;
    bool marked;  // carries the mark once written
  };
  std::vector<Pending> batch;
  auto flush = [&]() {
    if (batch.empty()) return true;
    if (safety) {
      std::string bytes;
      for (const Pending& p : batch) bytes += p.record;
      if (!safety->WriteAt(safetyEnd_, bytes)) {
        // Nothing of this batch reaches the log; a cut record goes again.
        safety->Truncate(safetyEnd_);
        return false;
      }
      if (!safety->Sync()) return false;
      safetyEnd_ += bytes.size();
    }
    for (const Pending& p : batch) {
      if (!file.WriteAt(p.offset, p.record)) return false;
      if (p.marked) ++marked_;
    }
    batch.clear();
    return true;
  };
  constexpr std::size_t kBatch = 64;
  LogStore& store = doc_.Log();
  std::string record;
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position < 0) continue;
    ++toMark_;
    std::uint64_t offset = static_cast<std::uint32_t>(position);
    std::size_t length = 0;
    switch (type) {
      case SrcKuvalData: length = kMdtRecordSize; break;
      case SrcLog200: length = kL2RecordSize; break;
      case SrcHamlog: length = kDbsRecordSize; break;
      default:
        offset = hdb.headerLength + std::uint64_t{hdb.recordLength} * static_cast<std::uint32_t>(position);
        length = hdb.recordLength;
        break;
    }
    // A record that is gone or is not the one loaded is left alone.
    const auto loaded = doc_.Loader().FingerprintAt(position);
    if (!file.ReadAt(offset, length, record)) {
      ++changed_;
      continue;
    }
    std::uint64_t now = 0;
    switch (type) {
      case SrcKuvalData: now = MdtFingerprint(record); break;
      case SrcLog200: now = L2Fingerprint(record); break;
      case SrcHamlog: now = DbsFingerprint(record); break;
      default: now = FingerprintWithout(record, hdb.SentOffset(), 1); break;
    }
    if (loaded && *loaded != now) {
      ++changed_;
      continue;
    }
    // Every record is written back (and a LOG200 record copied to the
    // safety file), whether or not its sent field was still empty.
    bool marked = true;
    switch (type) {
      case SrcKuvalData:
        if (record[kMdtSentByte] == '\0') record[kMdtSentByte] = markByte;
        break;
      case SrcHamlog:
        if (Blank(record[kDbsSentByte])) record[kDbsSentByte] = markByte;
        break;
      case SrcLog200: {
        // A record without room stays as it is; one with a mark keeps it.
        const bool empty = L2SentFieldEmpty(record);
        marked = InsertLog200Mark(record, mark) || !empty;
        break;
      }
      default:
        if (hdb.SentOffset() < record.size() && Blank(record[hdb.SentOffset()])) record[hdb.SentOffset()] = markByte;
        break;
    }
    batch.push_back({offset, record, marked});
    if (batch.size() >= kBatch && !flush()) return false;
  }
  return flush();
}

bool LogWriteBack::WriteDbf() {
  Ui& ui = doc_.UserInterface();
  LogLoader& loader = doc_.Loader();
  const auto column = SendColumn(doc_.WriteBackSettings().load.csv);
  if (!column) {
    ui.ShowMessage(msg::kNoSendFormula33001);
    return false;
  }
  const std::string path = loader.LastLogPath();
  if (doc_.WriteBackSettings().backup && !MakeBackup()) return false;
  DbfEngine engine;
  if (engine.DbfOpen(path, true) != DbfOpenResult::Ok) {
    ui.ShowMessage(msg::kCannotOpenFile106);
    return false;
  }
  struct stat before {};
  const bool haveBefore = ::stat(path.c_str(), &before) == 0;
  if (haveBefore && TimeDiffers(before, loader.LogModificationTime()) &&
      ui.Ask(msg::kLogUpdatedElsewhere101, Buttons::OkCancel, MessageIcon::Warning) == Answer::Cancel)
    return false;
  if (*column >= engine.Fields().size()) {
    ui.ShowMessage(msg::kSendFieldUnusable33002);
    return false;
  }
  const std::string mark = Mark();
  if (const auto problem = MarkProblem(SrcDbf, mark, engine.Fields()[*column].length)) {
    engine.DbfClose();
    ui.ShowMessage(*problem);
    return false;
  }
  bool ok = true;
  LogStore& store = doc_.Log();
  for (std::size_t i = 0; i < store.QsoCount() && ok; ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position < 0) continue;
    ++toMark_;
    if (static_cast<std::uint32_t>(position) >= engine.RecordCount()) {
      ++changed_;
      continue;
    }
    if (!engine.DbfSeek(static_cast<std::size_t>(position))) {
      ok = false;
      break;
    }
    const auto loaded = loader.FingerprintAt(position);
    if (loaded && *loaded != DbfFingerprint(engine, column)) {
      ++changed_;
      continue;
    }
    if (BlankText(engine.DbfFieldText(*column))) engine.DbfSetField(*column, mark);
    ++marked_;
  }
  ok = engine.DbfClose() && ok;
  return Conclude(path, haveBefore ? &before : nullptr, ok);
}

bool LogWriteBack::WriteLibrary(LogSourceType type) {
  Ui& ui = doc_.UserInterface();
  if (!liveSource) {
    ui.ShowMessage(msg::kCannotOpenFile106);
    return false;
  }
  // Lines in the automation form carry the sent mark in their column 10,
  // whatever the formulas (they are not used for them) say.
  const bool automationLines = type == SrcPlugin && pluginWithoutFormulas;
  auto column = automationLines ? std::optional<std::size_t>(10) : SendColumn(doc_.WriteBackSettings().load.csv);
  if (!column) {
    ui.ShowMessage(msg::kNoSendFormula33001);
    return false;
  }
  if (*column >= liveSource->FieldCount() || !liveSource->CanUpdate(*column)) {
    std::string reason;
    liveSource->UpdateError(reason);  // why it cannot, when the source says
    failure_ = reason;
    ui.ShowMessage(reason.empty() ? std::string(msg::kSendFieldUnusable33002)
                                  : std::string(msg::kSendFieldUnusable33002) + "\r\n\r\n" + reason);
    return false;
  }
  const std::string mark = Mark();
  LogStore& store = doc_.Log();
  // Counted as for files: the printed records, and those carrying a mark now.
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position < 0) continue;
    ++toMark_;
    if (!liveSource->Seek(position)) break;
    if (!BlankText(liveSource->Text(*column))) {
      ++marked_;
      continue;
    }
    if (!liveSource->Update(*column, mark)) {
      std::string reason;
      switch (liveSource->UpdateError(reason)) {
        case TEVRA_UPDATE_CHANGED: ++changed_; continue;
        case TEVRA_UPDATE_REFUSED:
          if (refused_++ == 0) refusal_ = reason;
          continue;
        default:
          failure_ = reason;
          if (reason.empty()) ui.ShowMessage(msg::kCannotCreateFile105);
          else ui.ShowMessage(std::string(msg::kSourceNotWritten) + "\r\n\r\n" + reason);
          ReportSkipped();
          return false;
      }
    }
    ++marked_;
  }
  ReportSkipped();
  return true;
}

void LogWriteBack::ReportSkipped() {
  Ui& ui = doc_.UserInterface();
  char text[512];
  if (changed_ > 0) {
    std::snprintf(text, sizeof text, std::string(msg::kRecordsChangedSinceLoad).c_str(), changed_);
    ui.ShowMessage(text);
  }
  if (refused_ > 0) {
    std::snprintf(text, sizeof text, std::string(msg::kRecordsRefused).c_str(), refused_);
    ui.ShowMessage(std::string(text) + "\r\n\r\n" + refusal_);
  }
}

bool LogWriteBack::WritePrintedList() {
  std::string text;
  LogStore& store = doc_.Log();
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position >= 0) text += std::to_string(position) + "\r\n";
  }
  return ReplaceFileAtomically(Sibling(doc_.Loader().LastLogPath(), ".TVQ"), text);
}

bool LogWriteBack::WriteClipboardAnswer() {
  if (!clipboard) return false;
  std::string text = "$TEVRA_PRINTOUT\r\n";
  LogStore& store = doc_.Log();
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const std::int32_t position = store.PrintedPosition(i);
    if (position >= 0) text += std::to_string(position) + "\r\n";
  }
  clipboard->SetText(text);
  return true;
}

// --- issue suppression -----------------------------------------------------------

bool IsJarlRelated(std::string_view call) {
  if (call.size() == 5 && call.starts_with("JA") && call[2] >= '0' && call[2] <= '9' && call.substr(3) == "RL")
    return true;
  if (call == "7J1RL") return true;
  return call.size() >= 2 && call[0] == '8' && call[1] >= 'J' && call[1] <= 'N';
}

SuppressionResult SuppressIssued(WriteBackTarget& doc, const SuppressionOptions& options) {
  Ui& ui = doc.UserInterface();
  LogStore& store = doc.Log();
  const WriteBackOptions settings = doc.WriteBackSettings();
  SuppressionResult result;
  ui.SetStatus(msg::kSearchingSuppression);
  const bool searchSent = !settings.load.skipSendMark;
  const std::string& partMark = settings.partMark;
  QsoRecord record;
  auto partOf = [&](std::size_t i) {
    store.Read(i, record);
    return ExpandPartMark(doc.Expander(), partMark, record);
  };
  std::vector<std::size_t> suppressedAt;
  for (std::size_t n = store.QsoCount(); n-- > 0;) {
    const LogEntry& e = store.Entry(n);
    if (e.Sent() != '\0') continue;
    ++result.unsent;
    const auto texts = e.Texts();
    const std::string_view call = texts[LogEntry::Call];
    bool suppress = options.jarlAlways && IsJarlRelated(call);
    const bool japanese = IsJapaneseStation(call);
    const bool passes = (japanese ? options.domestic : options.dx) && !(options.keepReceived && e.Received() != '\0') &&
                        !(options.keepPortable && IsPortable(call));
    if (!suppress && searchSent && passes) {
      const int band = BandOfFrequency(texts[LogEntry::Freq]);
      const std::string manager = ManagerCall(texts[LogEntry::Remarks]);
      const auto myQth = FindTaggedItem(texts[LogEntry::Remarks], "MyQTH").value_or("");
      std::optional<std::string> part;
      for (std::size_t j = n; j-- > 0;) {
        const LogEntry& earlier = store.Entry(j);
        const auto t = earlier.Texts();
        if (t[LogEntry::Call] != call) {
          if (store.Sorted()) break;  // one station's QSOs stand together
          continue;
        }
        const char sent = earlier.Sent();
        if (sent == '\0' || sent == 'N' || sent == 'I') continue;
        if (BandOfFrequency(t[LogEntry::Freq]) != band || t[LogEntry::Mode] != texts[LogEntry::Mode] ||
            earlier.Env() != e.Env() || ManagerCall(t[LogEntry::Remarks]) != manager ||
            FindTaggedItem(t[LogEntry::Remarks], "MyQTH").value_or("") != myQth)
          continue;
        if (!partMark.empty()) {
          if (!part) part = partOf(n);
          if (partOf(j) != *part) continue;
        }
        suppress = true;
        break;
      }
    }
    if (suppress) {
      store.SetSent(n, 'C');
      store.MarkPrinted(n);
      suppressedAt.push_back(n);
      ++result.suppressed;
    }
  }
  ui.ClearStatus();
  if (result.suppressed > 0) {
    char text[512];
    std::snprintf(text, sizeof text, std::string(msg::kAskSuppressionUpdate).c_str(), result.unsent,
                  result.suppressed);
    if (ui.Ask(text, Buttons::YesNo) == Answer::Yes) {
      doc.WriteBackDriver().markOverride = options.mark;
      const bool written = doc.WriteBackDriver().WriteBack();
      doc.WriteBackDriver().markOverride.reset();
      if (written) {
        ui.ShowMessage(msg::kSuppressionUpdated, MessageIcon::Information);
      } else {
        // Not marked in the log: these QSOs are printed after all.
        for (const std::size_t n : suppressedAt) {
          store.SetSent(n, '\0');
          store.ClearPrinted(static_cast<long>(n));
        }
        result.failed = true;
        result.suppressed = 0;
        ui.ShowMessage(msg::kSuppressionNotWritten, MessageIcon::Warning);
      }
    }
  } else {
    ui.ShowMessage(msg::kNothingSuppressed, MessageIcon::Information);
  }
  ui.SetStatus(msg::kExtractingThisPrint);
  store.RemoveIf([](const LogEntry& e) { return e.Sent() != '\0'; });
  store.Regroup();
  doc.ReadCurrentCard();
  result.kept = store.QsoCount();
  ui.ClearStatus();
  return result;
}

}  // namespace tevra
