// Arbitrary bytes as log data handed over through the clipboard: the marker
// line, the formula line and the QSO lines are read into a store, with the
// format dialog guessing its formulas where it is shown.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/csv_format_dialog.h"
#include "import/log_loader.h"
#include "log/log_store.h"
#include "platform/ui.h"

namespace {

using namespace tevra;

// Yes to every question, and the format dialog guesses its formulas.
class FuzzUi : public SilentUi {
 public:
  Answer Ask(std::string_view, Buttons, MessageIcon, std::string_view) override { return Answer::Yes; }
  bool RunCsvFormatDialog(CsvFormatDialog& dialog) override {
    dialog.Guess();
    return true;
  }
  bool EditQso(QsoRecord&) override { return false; }
  bool RunPromptDialog(PromptDialog&) override { return false; }
};

class Hooks : public LoadHooks {};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static FuzzUi ui;
  const auto header = ReadHandOverHeader(text);
  if (header && (header->application.empty() || header->application.find_first_of("\r\n") != std::string::npos))
    std::abort();  // a name is one line, never empty
  LogStore store(ui);
  LoadOptions options;
  Hooks hooks;
  std::array<QsoRecord, 16> buffer{};
  LogLoader loader(ui, store, options, hooks, buffer);
  if (loader.ReadHandOver(text)) {
    for (std::size_t i = 0; i < store.QsoCount(); ++i)
      if (store.Entry(i).Text(LogEntry::Call).empty() || store.Entry(i).Position() < 1) std::abort();
  }
  return 0;
}
