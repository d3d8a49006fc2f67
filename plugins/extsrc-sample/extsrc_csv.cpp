// A log-source plug-in for TEVRA: a CSV file with a header row, as a
// spreadsheet or a logging program exports it. The header's names are the
// fields, so TEVRA's conversion formulas (and their guess) apply; the sent
// mark is written into the file; the log list's export writes such a file.
//
// The source: in the desktop program a file dialog; without windows (the
// batch program) the current log path TEVRA passes, which
// "tevra-batch --plugin libextsrc.so --source FILE" sets to FILE.
//
// Writing keeps the user's file safe: a copy of it goes to FILE.bak before
// the first change, and the marks of a write-back (gathered until Flush,
// or until the source closes) are written into the file itself in one
// rewrite with a journal beside it, so that a logging program that keeps
// the file open for appending goes on writing into it and nothing it
// appends is lost.
// Every byte but the changed field stays as it was. A file saved again by
// another program since it was read is read again: a record that is no
// longer the one that was loaded is left alone and reported as changed.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/encoding.h"
#include "core/file_io.h"
#include "core/file_rewrite.h"
#include "core/profile.h"
#include "core/text.h"
#include "csv_log.h"
#include "tevra/extsrc.h"

namespace {

using extsrc::CsvLog;

constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

struct Source {
  bool open = false;
  std::string path;  // file-system bytes, as TEVRA keeps paths
  CsvLog log;
  std::string onDisk;               // what the file holds, as last read or written
  std::vector<std::string> loaded;  // each record's line as loaded (with our marks)
  std::size_t current = 0;
  struct stat seen {};  // the file as last read or written
  bool backedUp = false;
  std::vector<CsvLog::Edit> pending;  // marks taken and not yet written
  std::string scratch;  // the text handed out last
  int failure = TEVRA_UPDATE_OK;  // why the last Update wrote nothing
  std::string failureText;
};

struct Export {
  std::string path;
  std::string temporary;
  std::FILE* file = nullptr;
};

Source& S() {
  static Source source;
  return source;
}

Export& E() {
  static Export e;
  return e;
}

bool HaveWindows() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

void Complain(void* window, const std::string& path, const char* japanese, const char* english) {
  if (HaveWindows())
    QMessageBox::warning(static_cast<QWidget*>(window), QStringLiteral("CSVログ"),
                         QString::fromStdString(path) + QStringLiteral("\n\n") + QString::fromUtf8(japanese));
  else
    std::fprintf(stderr, "libextsrc: %s: %s\n", path.c_str(), english);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

const char* Keep(std::string text) {
  S().scratch = std::move(text);
  return S().scratch.c_str();
}

// Reads the file again when another program has written it since. While
// marks wait to be written the records stay as they were read: the rewrite
// finds out whether the file changed under them.
bool Refresh() {
  Source& s = S();
  if (!s.pending.empty()) return true;
  struct stat now {};
  if (::stat(s.path.c_str(), &now) != 0) return false;
  if (SameFile(now, s.seen)) return true;
  std::string bytes;
  if (tevra::ReadRegularFile(s.path, bytes, kMaxFileBytes) != tevra::FileReadResult::Ok ||
      !s.log.Parse(bytes, s.log.Encoding()))
    return false;
  s.onDisk = std::move(bytes);
  s.seen = now;
  return true;
}

int Fail(int kind, std::string why) {
  S().failure = kind;
  S().failureText = std::move(why);
  return 0;
}

// Writes the waiting marks in one rewrite; on failure takes all of them back.
int WritePending() {
  Source& s = S();
  if (s.pending.empty()) return 1;
  const auto takeBack = [&s] {
    for (auto it = s.pending.rbegin(); it != s.pending.rend(); ++it) {
      s.log.Undo(*it);
      if (it->record < s.loaded.size()) s.loaded[it->record] = s.log.Line(it->record);
    }
    s.pending.clear();
  };
  if (!s.backedUp) {
    if (!tevra::ReplaceFileAtomically(s.path + ".bak", s.onDisk)) {
      takeBack();
      return Fail(TEVRA_UPDATE_FAILED, "the backup " + s.path + ".bak cannot be written");
    }
    s.backedUp = true;
  }
  std::string why, written;
  switch (tevra::RewriteInPlace(s.path, s.onDisk, s.log.Bytes(), '\n', &why, &written)) {
    case tevra::RewriteResult::Done: break;
    case tevra::RewriteResult::Changed:
      takeBack();
      return Fail(TEVRA_UPDATE_CHANGED, "the file changed while it was marked");
    case tevra::RewriteResult::Failed:
      takeBack();
      return Fail(TEVRA_UPDATE_FAILED, why);
  }
  s.pending.clear();
  // What was appended meanwhile joins the records.
  if (written != s.log.Bytes()) s.log.Parse(written, s.log.Encoding());
  s.onDisk = std::move(written);
  ::stat(s.path.c_str(), &s.seen);
  return 1;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) const char* GetMenuName(void) {
  static const std::string name = tevra::FromUnicode("CSVログファイルに接続...");
  return name.c_str();
}

__attribute__((visibility("default"))) uint16_t GetLogType(void) { return 1; }

__attribute__((visibility("default"))) const char* Open(void*, void* window, const char* currentPath) {
  Source& s = S();
  s = Source{};
  std::string path = currentPath ? currentPath : "";
  if (HaveWindows()) {
    // The current log when it is a CSV file, else its folder.
    QString start = QString::fromStdString(path);
    if (!start.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) &&
        !start.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
      start = start.left(start.lastIndexOf(QLatin1Char('/')) + 1);
    const QString chosen = QFileDialog::getOpenFileName(
        static_cast<QWidget*>(window), QStringLiteral("CSVログを開く"), start,
        QStringLiteral("CSVファイル (*.csv *.txt);;すべてのファイル (*)"));
    if (chosen.isEmpty()) return nullptr;
    path = chosen.toStdString();
  }
  if (path.empty()) return nullptr;
  std::string bytes;
  switch (tevra::ReadRegularFile(path, bytes, kMaxFileBytes)) {
    case tevra::FileReadResult::Ok: break;
    case tevra::FileReadResult::TooLarge:
      Complain(window, path, "ファイルが大きすぎます.", "the file is too large");
      return nullptr;
    case tevra::FileReadResult::NotRegular:
      Complain(window, path, "通常のファイルではありません.", "not a regular file");
      return nullptr;
    default:
      Complain(window, path, "ファイルが開けません.", "cannot be read");
      return nullptr;
  }
  if (::stat(path.c_str(), &s.seen) != 0 || !s.log.Parse(std::move(bytes))) {
    Complain(window, path, "見出し行がありません.", "no header row");
    return nullptr;
  }
  s.open = true;
  s.path = path;
  s.onDisk = s.log.Original();
  for (std::size_t r = 0; r < s.log.RecordCount(); ++r) s.loaded.push_back(s.log.Line(r));
  return s.path.c_str();
}

__attribute__((visibility("default"))) int32_t Close(void) {
  // Marks a host never flushed are written now.
  const int written = WritePending();
  S() = Source{};
  return written;
}

__attribute__((visibility("default"))) int32_t Flush(void) {
  S().failure = TEVRA_UPDATE_OK;
  return WritePending();
}

__attribute__((visibility("default"))) const char* GetFieldText(uint16_t index) {
  const Source& s = S();
  if (!s.open || index >= s.log.FieldCount()) return nullptr;
  return s.log.FieldName(index).c_str();
}

__attribute__((visibility("default"))) int32_t MoveNext(void) {
  Source& s = S();
  if (!s.open || s.current >= s.log.RecordCount()) return 0;
  ++s.current;
  return s.current < s.log.RecordCount() ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t Seek(int32_t index) {
  Source& s = S();
  // The write-back finds its records here: as the file holds them now.
  if (!s.open || !Refresh() || index < 0 || static_cast<std::size_t>(index) >= s.log.RecordCount()) return 0;
  s.current = static_cast<std::size_t>(index);
  return 1;
}

__attribute__((visibility("default"))) int32_t IsEOF(void) {
  const Source& s = S();
  return !s.open || s.current >= s.log.RecordCount() ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t ListText(char* buffer, int32_t size) {
  const Source& s = S();
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  if (!s.open || s.current >= s.log.RecordCount()) return 0;
  tevra::CopyToBuffer(s.log.Line(s.current), buffer, static_cast<std::size_t>(size));
  return 1;
}

__attribute__((visibility("default"))) const char* GetText(int32_t column) {
  const Source& s = S();
  if (!s.open || s.current >= s.log.RecordCount() || column < 0) return nullptr;
  return Keep(s.log.Text(s.current, static_cast<std::size_t>(column)));
}

__attribute__((visibility("default"))) int32_t CanUpdate(int32_t column) {
  Source& s = S();
  if (!s.open || column < 0 || static_cast<std::size_t>(column) >= s.log.FieldCount()) return 0;
  // A file the user made read-only (or on a read-only disk) stays as it is;
  // GetUpdateError says which.
  if (::access(s.path.c_str(), W_OK) == 0) return 1;
  return Fail(TEVRA_UPDATE_FAILED, s.path + ": " + std::strerror(errno));
}

__attribute__((visibility("default"))) int32_t Update(int32_t column, const char* text) {
  Source& s = S();
  s.failure = TEVRA_UPDATE_OK;
  if (!text) return Fail(TEVRA_UPDATE_FAILED, "no text to write");
  if (!CanUpdate(column)) return 0;  // it has said why
  if (!Refresh()) return Fail(TEVRA_UPDATE_FAILED, "the file cannot be read again");
  // Saved again by another program since it was loaded: only a record that
  // is still the one that was loaded gets the mark.
  if (s.current >= s.log.RecordCount() || s.current >= s.loaded.size() ||
      s.log.Line(s.current) != s.loaded[s.current])
    return Fail(TEVRA_UPDATE_CHANGED, "the record changed since it was loaded");
  const auto edit = s.log.Set(s.current, static_cast<std::size_t>(column), text);
  if (!edit) return Fail(TEVRA_UPDATE_REFUSED, "the record ends inside a quote that never closes (the file is cut short)");
  // Written with the others at Flush: one rewrite for the whole write-back.
  s.pending.push_back(*edit);
  s.loaded[s.current] = s.log.Line(s.current);
  return 1;
}

__attribute__((visibility("default"))) int32_t GetUpdateError(char* buffer, int32_t size) {
  const Source& s = S();
  if (buffer && size > 0) tevra::CopyToBuffer(s.failureText, buffer, static_cast<std::size_t>(size));
  return s.failure;
}

// --- the export: a new CSV file (UTF-8, header row) ---------------------------

__attribute__((visibility("default"))) const char* GetCreateFileType(int32_t) {
  static const std::string type = tevra::FromUnicode("CSVファイル (*.csv)|*.csv|");
  return type.c_str();
}

__attribute__((visibility("default"))) int32_t Create(const char* path) {
  Export& e = E();
  if (e.file) {
    std::fclose(e.file);
    ::unlink(e.temporary.c_str());
  }
  e = Export{};
  if (!path || !*path) return 0;
  // Written beside the target and renamed over it at the end.
  e.path = path;
  const std::size_t slash = e.path.rfind('/');
  e.temporary = (slash == std::string::npos ? std::string() : e.path.substr(0, slash + 1)) + ".tevra-export.XXXXXX";
  const int fd = ::mkstemp(e.temporary.data());
  if (fd < 0) return 0;
  ::fchmod(fd, 0644);
  e.file = ::fdopen(fd, "wb");
  if (!e.file) {
    ::close(fd);
    ::unlink(e.temporary.c_str());
    return 0;
  }
  return std::fputs("DATE,TIME,CALL,RST,FREQ,MODE,POWER,NAME,QTH,REM,SEND,RECV,ENV\r\n", e.file) >= 0 ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t WriteText(const char* line) {
  Export& e = E();
  if (!e.file || !line) return 0;
  // TEVRA's line: fields split as it splits them, a comma after the last.
  std::string_view rest(line);
  std::vector<std::string_view> fields;
  while (!rest.empty()) fields.push_back(tevra::SplitComma(rest));
  std::string out;
  for (std::size_t f = 0; f < fields.size(); ++f) {
    if (f) out += ',';
    out += extsrc::QuoteField(tevra::ToUnicode(fields[f]), ',');
  }
  out += "\r\n";
  return std::fwrite(out.data(), 1, out.size(), e.file) == out.size() ? 1 : 0;
}

__attribute__((visibility("default"))) int32_t CClose(void) {
  Export& e = E();
  if (!e.file) return 0;
  bool ok = std::fflush(e.file) == 0 && ::fsync(::fileno(e.file)) == 0;
  ok = std::fclose(e.file) == 0 && ok;
  e.file = nullptr;
  ok = ok && std::rename(e.temporary.c_str(), e.path.c_str()) == 0;
  if (!ok) ::unlink(e.temporary.c_str());
  return ok ? 1 : 0;
}

}  // extern "C"
