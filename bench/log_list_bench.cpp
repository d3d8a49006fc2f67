// The log list window on a million QSOs: the time from opening it to its
// first paint and to a paint scrolled to the last row, and the memory the
// window adds. The window reads the store as rows are shown, so neither
// should grow with the log.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "desktop/log_list_window.h"
#include "program/program.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

class NoPrinter : public Printer {
 public:
  std::optional<PrinterCapabilities> Capabilities() override { return std::nullopt; }
  PrinterSettings Settings() const override { return {}; }
  void ApplySettings(const PrinterSettings&) override {}
};

void BM_LogListOnAMillionQsos(benchmark::State& state) {
  if (!QApplication::instance()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "log_list_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  bench::QuietUi ui;
  Program program(ui, ProgramPaths{"/dev/null/TEVRA.INI", "/tmp/"});
  NoPrinter printer;
  Document doc(program, printer);
  for (int i = 0; i < state.range(0); ++i) {
    QsoRecord r;
    r.Year = 24;
    r.Month = static_cast<std::uint8_t>(1 + i % 12);
    r.Day = static_cast<std::uint8_t>(1 + i % 28);
    SetField(r.Call, "JA" + std::to_string(i % 10) + "ABC");
    SetField(r.Freq, "7.045");
    SetField(r.Mode, "CW");
    SetField(r.Remarks, "My\xA2" "579\xA3");
    doc.store.Add(r, i + 1);
  }
  doc.store.Regroup();
  // Qt's own first-window costs (fonts, style, backing store) are not the
  // list's: a small window shown once before measuring takes them.
  {
    QLabel warmUp(QStringLiteral("ログリスト 件 並び替え JA1ABC 599"));
    warmUp.resize(900, 480);
    warmUp.show();
    QApplication::processEvents();
  }
  double firstPaintMs = 0, endPaintMs = 0;
  long addedKb = 0;
  for (auto _ : state) {
    const long before = ResidentKb();
    const auto start = std::chrono::steady_clock::now();
    LogListWindow window(doc);
    window.show();
    window.Table()->viewport()->repaint();
    QApplication::processEvents();
    const auto painted = std::chrono::steady_clock::now();
    window.Table()->scrollToBottom();
    window.Table()->viewport()->repaint();
    QApplication::processEvents();
    const auto atEnd = std::chrono::steady_clock::now();
    firstPaintMs = std::chrono::duration<double, std::milli>(painted - start).count();
    endPaintMs = std::chrono::duration<double, std::milli>(atEnd - start).count();
    addedKb = ResidentKb() - before;
    state.SetIterationTime(std::chrono::duration<double>(atEnd - start).count());
  }
  state.counters["first_paint_ms"] = firstPaintMs;
  state.counters["scrolled_to_end_ms"] = endPaintMs;
  state.counters["added_MB"] = static_cast<double>(addedKb) / 1024.0;
}
BENCHMARK(BM_LogListOnAMillionQsos)->Arg(1000000)->Arg(10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
