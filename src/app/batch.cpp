#include "app/batch.h"

#include <array>

#include "app/console_ui.h"
#include "core/encoding.h"
#include "import/log_loader.h"
#include "import/log_source.h"
#include "log/log_store.h"

namespace tevra {
namespace {

constexpr const char* kUsage =
    "Usage: tevra-batch --list LOGFILE\n"
    "\n"
    "  --list LOGFILE   load a log and print one line per loaded QSO:\n"
    "                   source position, date, time (JST), call, report,\n"
    "                   frequency, mode and remarks; then the QSO and card counts.\n"
    "                   The log format follows the file's extension.\n"
    "  --help           show this help\n";

int ListLog(const std::string& path, std::FILE* out, std::FILE* err) {
  if (!ReaderForNamedFile(path)) {
    std::fprintf(err, "tevra-batch: %s: not a log file (unknown extension)\n", path.c_str());
    return 1;
  }
  ConsoleUi ui(err, "tevra-batch");
  LogStore store(ui);
  LoadOptions options;
  options.skipSendMark = false;  // a listing shows every QSO
  LoadHooks hooks;
  std::array<QsoRecord, 16> mergeBuffer{};
  LogLoader loader(ui, store, options, hooks, mergeBuffer);
  if (!loader.OpenByName(path)) return 1;

  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    const LogEntry& e = store.Entry(i);
    auto text = [&e](LogEntry::Field f) { return ToUnicode(e.Text(f)); };
    std::fprintf(out, "%6d  %s %s  %-12s %-4s %-9s %-6s %s\n", e.Position(), text(LogEntry::Date).c_str(),
                 text(LogEntry::Time).c_str(), text(LogEntry::Call).c_str(), text(LogEntry::Report).c_str(),
                 text(LogEntry::Freq).c_str(), text(LogEntry::Mode).c_str(), text(LogEntry::Remarks).c_str());
  }
  std::fprintf(out, "%zu QSOs, %zu cards\n", store.QsoCount(), store.CardCount());
  return 0;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, out);
    return 0;
  }
  if (args.size() == 2 && args[0] == "--list") return ListLog(args[1], out, err);
  std::fputs(kUsage, err);
  return 2;
}

}  // namespace tevra
