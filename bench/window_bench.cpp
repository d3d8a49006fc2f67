// The desktop window with a big log: from the window's making to the first
// merged card painted, with the sort question answered "ascending", as a
// user starting "tevra postcard.tvd log.adi" meets it (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <filesystem>

#include "desktop/main_frame.h"
#include "editor/card_view.h"
#include "program/program.h"
#include "qt/qt_printer.h"
#include "qt/qt_ui.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;

class SortingUi : public bench::QuietUi {
 public:
  SortAnswer AskSortOrder(std::string_view, bool) override { return SortAnswer::Ascending; }
};

// A million QSOs with a comment of its own on every one, written once.
std::string BigAdif() {
  const auto path = std::filesystem::temp_directory_path() / "tevra-window-bench.adi";
  if (std::filesystem::exists(path)) return path.string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fputs("<ADIF_VER:5>3.1.4<EOH>\n", f);
  for (int i = 0; i < 1000000; ++i) {
    char comment[120];
    const int n = std::snprintf(comment, sizeof comment, "Nice signal, QSO number %d; rig IC-%d at %d W", i,
                                7000 + i % 700, 10 + i % 90);
    std::fprintf(f, "<CALL:6>%s%d%c%c%c<QSO_DATE:8>2024%02d%02d<TIME_ON:4>%02d%02d<FREQ:5>7.045<MODE:2>CW"
                    "<COMMENT:%d>%s<EOR>\n",
                 i % 5 == 0 ? "W" : "J", i % 10, 'A' + i % 26, 'A' + i / 26 % 26, 'A' + i / 676 % 26, i % 12 + 1,
                 i % 28 + 1, i % 24, i % 60, n, comment);
  }
  std::fclose(f);
  return path.string();
}

void BM_WindowFirstCard(benchmark::State& state) {
  const std::string log = BigAdif();
  const auto dir = std::filesystem::temp_directory_path() / "tevra-window-bench";
  std::filesystem::create_directories(dir);
  for (auto _ : state) {
    std::fclose(std::fopen((dir / "TEVRA.INI").c_str(), "wb"));
    QElapsedTimer clock;
    clock.start();
    SortingUi ui;
    QtUi qtUi;
    Program program(ui, {(dir / "TEVRA.INI").string(), std::string(TEVRA_EXAMPLES_DIR) + "/"});
    program.Start();
    PdfPaper paper;
    Document doc(program, paper);
    MainFrame frame(program, doc, qtUi, nullptr);
    frame.showLogList = [] { return false; };
    frame.resize(1000, 800);
    frame.show();
    frame.OpenByName(TEVRA_EXAMPLES_DIR "/postcard.tvd");
    frame.OpenByName(log);
    frame.View()->update();
    while (!frame.View()->Painted()) QCoreApplication::processEvents();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    state.counters["qsos"] = static_cast<double>(doc.store.QsoCount());
  }
}
BENCHMARK(BM_WindowFirstCard)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
