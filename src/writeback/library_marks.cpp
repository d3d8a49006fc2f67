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

// Both libraries offer the same four calls on the current record.
class LibraryUpdatable : public UpdatableSource {
 public:
  using SeekFn = std::int32_t (*)(std::int32_t);
  using TextFn = const char* (*)(std::int32_t);
  using CanUpdateFn = std::int32_t (*)(std::int32_t);
  using UpdateFn = std::int32_t (*)(std::int32_t, const char*);

  using ErrorFn = std::int32_t (*)(char*, std::int32_t);
  using FlushFn = std::int32_t (*)();

  LibraryUpdatable(std::size_t fields, SeekFn seek, TextFn text, CanUpdateFn canUpdate, UpdateFn update,
                   ErrorFn error, FlushFn flush = nullptr)
      : fields_(fields), seek_(seek), text_(text), canUpdate_(canUpdate), update_(update), error_(error),
        flush_(flush) {}
  bool Finish() override { return !flush_ || flush_() != 0; }
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
  FlushFn flush_;
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
                                            api.GetUpdateError, api.Flush);
}

std::unique_ptr<UpdatableSource> DatabaseSource(const DbBridgeApi& api) {
  return std::make_unique<LibraryUpdatable>(CountFields(api.GetNameList), api.Seek, api.GetData, api.CanUpdate,
                                            api.Update, api.GetUpdateError);
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
  // Marks the source may still hold back until Finish.
  unsigned gathered = 0;
  // A failed write: what the source says, and no claim of marks it lost.
  const auto fail = [&](std::string reason) {
    failure_ = reason;
    if (reason.empty()) ui.ShowMessage(msg::kCannotCreateFile105);
    else ui.ShowMessage(std::string(msg::kSourceNotWritten) + "\r\n\r\n" + reason);
    ReportSkipped();
    return false;
  };
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
          // What it gathered so far goes in; this one failed.
          if (!liveSource->Finish()) marked_ -= gathered;
          return fail(reason);
      }
    }
    ++marked_;
    ++gathered;
  }
  if (!liveSource->Finish()) {
    // None of the gathered marks reached the log.
    marked_ -= gathered;
    std::string reason;
    liveSource->UpdateError(reason);
    return fail(reason);
  }
  ReportSkipped();
  return true;
}

void LogWriteBack::ReportSkipped() {
  Ui& ui = doc_.UserInterface();
  char text[512];
  if (changed_ > 0) {
    std::snprintf(text, sizeof text, ui.Translate(msg::kRecordsChangedSinceLoad).c_str(), changed_);
    ui.ShowMessage(text);
  }
  if (refused_ > 0) {
    std::snprintf(text, sizeof text, ui.Translate(msg::kRecordsRefused).c_str(), refused_);
    ui.ShowMessage(std::string(text) + "\r\n\r\n" + refusal_);
  }
}

}  // namespace tevra
