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

std::string Sibling(const std::string& path, std::string_view extension) {
  return std::filesystem::path(path).replace_extension(std::string(extension)).string();
}


bool Blank(char c) { return c == ' ' || c == '\0'; }

bool BlankText(std::string_view text) { return SkipBlanks(text).empty(); }

bool TimeDiffers(const struct stat& st, std::optional<std::time_t> remembered) {
  return remembered && st.st_mtime != *remembered;
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
    std::snprintf(text, sizeof text, ui.Translate(msg::kRecordsMarkedBeforeFailure).c_str(), marked_, toMark_);
    ui.ShowMessage(text, MessageIcon::Warning);
    return false;
  }
  if (changed_ > 0) {
    char text[512];
    std::snprintf(text, sizeof text, ui.Translate(msg::kRecordsChangedSinceLoad).c_str(), changed_);
    ui.ShowMessage(text);
  }
  return true;
}

}  // namespace tevra
