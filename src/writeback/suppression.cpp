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
    std::snprintf(text, sizeof text, ui.Translate(msg::kAskSuppressionUpdate).c_str(), result.unsent,
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
