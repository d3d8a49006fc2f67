// Rendering the example postcard with the sample QSOs.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include "program/card_image.h"
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

}  // namespace
