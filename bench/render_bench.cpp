// Rendering the example postcard with the sample QSOs.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "print/print_job.h"
#include "program/card_image.h"
#include "program/print_output.h"
#include "qt/qt_printer.h"
#include "program/program.h"
#include "program/printer_metrics.h"
#include "card/sample_qsos.h"
#include "example_layouts.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;

struct Postcard {
  LayoutItemList items;
  DocumentSettings settings;
  DocumentTables tables;
  PrinterMetrics metrics;
  std::array<QsoRecord, kMaxQsosPerCard> card = SampleQsos();
  MergeContext context;
  std::unique_ptr<MacroExpander> expander;
  std::unique_ptr<RenderContext> render;

  Postcard() {
    examples::BuildPostcard(items, settings, tables);
    bench::QuietUi ui;
    NoPrinter printer;
    PrinterMetricsService service(printer, ui);
    CardPlacement placement;
    service.QueryPrinterMetrics(&placement);
    metrics = service.Metrics();
    context.CardQsos = card.data();
    context.RepeatCount = context.QsosOnCard = settings.QsosPerCard;
    expander = std::make_unique<MacroExpander>(context, MergeServices{});
    render = std::make_unique<RenderContext>(RenderContext{*expander, &tables});
  }
};

QGuiApplication& App() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tevra_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

void BM_RenderPostcardImage(benchmark::State& state) {
  App();
  Postcard p;
  for (auto _ : state) {
    QImage image = RenderCardImage(p.items, p.settings, p.metrics, *p.render, 300);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["cards_per_s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RenderPostcardImage)->Unit(benchmark::kMillisecond);

// One PDF of 100 cards, each card a page.
void BM_RenderPostcardPdf(benchmark::State& state) {
  App();
  Postcard p;
  const QString path = QString::fromStdString(std::string(P_tmpdir) + "/tevra-bench-cards.pdf");
  for (auto _ : state) {
    if (!WriteCardPdf(path, p.items, p.settings, p.metrics, *p.render, 300, 100)) state.SkipWithError("pdf");
  }
  state.counters["cards_per_s"] = benchmark::Counter(100, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RenderPostcardPdf)->Unit(benchmark::kMillisecond);

// The resident memory of this process in MB.
double ResidentMb() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  std::fclose(f);
  return static_cast<double>(kb) / 1024.0;
}

// The print preview of a 100,000-QSO log on the example label sheets: the
// time until its first page is drawn, and the memory it holds and gives
// back when it closes.
void BM_PreviewFirstPage(benchmark::State& state) {
  App();
  const auto dir = std::filesystem::temp_directory_path() / "tevra-preview-bench";
  std::filesystem::create_directories(dir);
  const std::string log = (dir / "log.adi").string();
  if (!std::filesystem::exists(log)) {
    std::FILE* f = std::fopen(log.c_str(), "wb");
    std::fputs("<EOH>\n", f);
    for (int i = 0; i < 100000; ++i)
      std::fprintf(f, "<CALL:6>JA%d%c%c%c<QSO_DATE:8>2024%02d%02d<TIME_ON:4>%02d%02d<FREQ:5>7.045<MODE:2>CW<EOR>\n",
                   i % 10, 'A' + i % 26, 'A' + i / 26 % 26, 'A' + i / 676 % 26, i % 12 + 1, i % 28 + 1, i % 24, i % 60);
    std::fclose(f);
  }
  std::fclose(std::fopen((dir / "TEVRA.INI").c_str(), "wb"));
  bench::QuietUi ui;
  Program program(ui, {(dir / "TEVRA.INI").string(), std::string(TEVRA_EXAMPLES_DIR) + "/"});
  program.Start();
  PdfPaper paper;
  Document doc(program, paper);
  if (!doc.OpenLayout(TEVRA_EXAMPLES_DIR "/tackseal.tvd") || !doc.loader.OpenByName(log)) {
    state.SkipWithError("cannot open the layout or the log");
    return;
  }
  const double before = ResidentMb();
  double held = 0;
  for (auto _ : state) {
    PrintJob job(doc, PrintKind::Preview);
    if (!job.Prepare()) state.SkipWithError("the preview job did not start");
    PagePreview pages(job, doc, 150);
    benchmark::DoNotOptimize(pages.Page(1).constBits());
    held = ResidentMb() - before;
  }
  state.counters["held_MB"] = held;
  state.counters["after_close_MB"] = ResidentMb() - before;
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
