// Loading a large KUVAL text log, and what the store holds for it.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "import/log_loader.h"
#include "log/log_store.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;


// A log of `count` QSOs with realistic field lengths, written once.
std::string MakeLog(int count) {
  auto path = std::filesystem::temp_directory_path() / ("tevra-bench-" + std::to_string(count) + ".log");
  if (std::filesystem::exists(path)) return path.string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  for (int i = 0; i < count; ++i) {
    std::fprintf(f,
                 "%02d.%02d.%02d,%02d%02d.00,JA%dA%c%c,59%d,59,%s,%s,100,\x8E\x52\x93\x63 \x91\xBE\x98\x59,"
                 "\x93\x8C\x8B\x9E\x93\x73,rig %d,,,%s,,,%d,,\r\n",
                 i % 100, i % 12 + 1, i % 28 + 1, i % 24, i % 60, i % 10, 'A' + i % 26, 'A' + (i / 26) % 26, i % 10,
                 (i % 3) ? "7.045" : "14.025", (i % 2) ? "SSB" : "CW", i % 5, (i % 4) ? "" : "J", i % 3);
  }
  std::fclose(f);
  return path.string();
}

void BM_LoadKuvalText(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string path = MakeLog(count);
  bench::QuietUi ui;
  std::size_t bytesPerQso = 0;
  std::size_t heapPerQso = 0;
  for (auto _ : state) {
    state.PauseTiming();
    LoadOptions options;
    options.skipSendMark = false;
    LoadHooks hooks;
    std::array<QsoRecord, 16> buffer{};
    auto store = std::make_unique<LogStore>(ui);
    LogLoader loader(ui, *store, options, hooks, buffer);
    malloc_trim(0);
    const std::size_t before = mallinfo2().uordblks;
    state.ResumeTiming();

    if (!loader.ReadLog(SrcKuvalText, path) || store->QsoCount() != static_cast<std::size_t>(count))
      state.SkipWithError("load failed");
    store->Regroup();

    state.PauseTiming();
    bytesPerQso = (mallinfo2().uordblks - before) / static_cast<std::size_t>(count);
    heapPerQso = store->HeapBytes() / static_cast<std::size_t>(count);
    store.reset();
    state.ResumeTiming();
  }
  state.counters["malloc_bytes_per_qso"] = static_cast<double>(bytesPerQso);
  state.counters["store_bytes_per_qso"] = static_cast<double>(heapPerQso);
  state.counters["qsos_per_s"] = benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadKuvalText)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
