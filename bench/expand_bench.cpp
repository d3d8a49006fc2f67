// Expanding a typical card line.
#include <benchmark/benchmark.h>

#include "merge/macro_expander.h"

namespace {

using namespace tevra;

void BM_ExpandLine(benchmark::State& state) {
  std::array<QsoRecord, kMaxQsosPerCard> card{};
  QsoRecord& r = card[0];
  SetField(r.Call, "W1AW");  // a foreign call: the time is shifted to UTC
  SetField(r.RstSent, "599");
  SetField(r.Mode, "CW");
  SetField(r.Freq, "14.025");
  r.Year = 24;
  r.Month = 11;
  r.Day = 3;
  r.Hour = 9;
  r.Minute = 30;
  MergeContext context;
  context.CardQsos = card.data();
  context.QsosOnCard = 1;
  MacroExpander expander(context, MergeServices{});
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string out = expander.ExpandLine("%C  %T %B %A %O %U", r);
    bytes += out.size();
    benchmark::DoNotOptimize(out);
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["lines_per_s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ExpandLine);

}  // namespace
