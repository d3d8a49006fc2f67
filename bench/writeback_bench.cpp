// The sent mark written back through the CSV log-source plug-in: 10,000
// printed rows of a 10,000-row CSV log marked in one write-back.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "import/csv_format_dialog.h"
#include "platform/printer.h"
#include "program/program.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;

// Answers the write-back question with Yes and takes the plug-in's fields
// by their guess.
class MarkingUi : public bench::QuietUi {
 public:
  Answer Ask(std::string_view, Buttons, MessageIcon, std::string_view) override { return Answer::Yes; }
  bool RunCsvFormatDialog(CsvFormatDialog& dialog) override {
    dialog.Guess();
    return true;
  }
};

void BM_PluginWriteBack(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const auto dir = std::filesystem::temp_directory_path() / "tevra-writeback-bench";
  std::filesystem::create_directories(dir);
  std::string log = "QSO_DATE,TIME_ON,CALL,BAND,MODE,RST_SENT,NAME,QSL_SENT\r\n";
  for (int i = 0; i < rows; ++i)
    log += "202411" + std::to_string(10 + i % 18) + ",0930,JA" + std::to_string(i % 10) + char('A' + i % 26) +
           char('A' + i / 26 % 26) + char('A' + i / 676 % 26) + ",40m,CW,599,Taro,\r\n";
  const std::string bin = std::filesystem::path(TEVRA_BATCH).parent_path().string() + "/";
  double marked = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::FILE* f = std::fopen((dir / "log.csv").c_str(), "wb");
    std::fwrite(log.data(), 1, log.size(), f);
    std::fclose(f);
    std::filesystem::remove(dir / "log.csv.bak");
    std::fclose(std::fopen((dir / "TEVRA.INI").c_str(), "wb"));
    MarkingUi ui;
    Program program(ui, {(dir / "TEVRA.INI").string(), bin});
    program.Start();
    program.settings.load.curLogDir = dir.string() + "/";
    program.settings.load.curLogName = "log.csv";
    program.settings.load.skipSendMark = false;
    NoPrinter printer;
    Document doc(program, printer);
    if (!doc.ConnectPlugin()) {
      state.SkipWithError("the plug-in did not load the log");
      return;
    }
    for (std::size_t card = 0; card < doc.store.CardCount(); ++card) doc.store.MarkCardPrinted(card);
    program.printedData = true;
    state.ResumeTiming();
    if (!doc.writeBack.Settle(false)) state.SkipWithError("the write-back failed");
    marked = doc.writeBack.MarkedRecords();
    state.PauseTiming();
    doc.CloseLiveSources();
    state.ResumeTiming();
  }
  state.counters["marks"] = marked;
}
BENCHMARK(BM_PluginWriteBack)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
