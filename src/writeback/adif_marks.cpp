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

}  // namespace tevra
