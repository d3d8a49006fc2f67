#include "writeback/write_back.h"
#include "writeback/write_back_files.h"

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

class PosixRecordFile : public RecordFile {
 public:
  explicit PosixRecordFile(int fd) : fd_(fd) {}
  ~PosixRecordFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool ReadAt(std::uint64_t offset, std::size_t length, std::string& out) override {
    return tevra::ReadAt(fd_, offset, length, out);
  }
  bool WriteAt(std::uint64_t offset, std::string_view bytes) override { return tevra::WriteAt(fd_, offset, bytes); }
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

}  // namespace tevra
