// Bureau sorting and card grouping of a large log: a million QSOs, a fifth
// of them with foreign stations and one in twenty with a QSL manager.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "core/paths.h"
#include "log/entity_table.h"
#include "log/log_store.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;

constexpr const char* kForeignPrefixes[] = {"W", "K", "DL", "VK", "G", "F", "UA", "BV", "HL", "9V", "3D2", "ZL"};
constexpr const char* kJapanesePrefixes[] = {"JA", "JH", "JR", "JE", "JF", "JG", "JI", "JJ", "JK", "JL", "JM", "7K", "7N", "8J"};

void Fill(LogStore& store, int count) {
  std::mt19937 random(12345);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  // Stations work the operator more than once: calls come from a pool.
  std::vector<std::string> stations;
  for (int i = 0; i < count / 4; ++i) {
    std::string call;
    if (pick(5) == 0) {
      call = kForeignPrefixes[pick(12)];
    } else {
      call = kJapanesePrefixes[pick(14)];
    }
    call += static_cast<char>('0' + pick(10));
    for (int k = 0, n = 2 + pick(2); k < n; ++k) call += static_cast<char>('A' + pick(26));
    stations.push_back(call);
  }
  for (int i = 0; i < count; ++i) {
    QsoRecord r;
    r.Year = static_cast<std::uint8_t>(pick(30));
    r.Month = static_cast<std::uint8_t>(1 + pick(12));
    r.Day = static_cast<std::uint8_t>(1 + pick(28));
    r.Hour = static_cast<std::uint8_t>(pick(24));
    r.Minute = static_cast<std::uint8_t>(pick(60));
    SetField(r.Call, stations[static_cast<std::size_t>(pick(static_cast<int>(stations.size())))]);
    SetField(r.Freq, "7.045");
    SetField(r.Mode, "CW");
    SetField(r.RstSent, "599");
    // As in real logs, every QSO has a remark of its own.
    std::string remarks = "My\xA2" "579\xA3 TNX QSO nr " + std::to_string(i) + " rig " + std::to_string(pick(900));
    if (pick(20) == 0) remarks += " QSL[" + stations[static_cast<std::size_t>(pick(100))] + "]";
    SetField(r.Remarks, remarks);
    store.Add(r, i + 1);
  }
}

void BM_SortBureauAndRegroup(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const bool byEntity = state.range(1) != 0;
  bench::QuietUi ui;
  EntityTable entities;
  entities.Load(std::string(TEVRA_EXAMPLES_DIR) + "/ARRL.DX");
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<LogStore>(ui);
    Fill(*store, count);
    store->SetQsosPerCard(4);
    state.ResumeTiming();
    store->SortBureau(false, BureauOrder{true, byEntity}, entities, entities.Empty());
    benchmark::DoNotOptimize(store->CardCount());
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SortBureauAndRegroup)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RegroupOnly(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  bench::QuietUi ui;
  LogStore store(ui);
  Fill(store, count);
  store.SetQsosPerCard(4);
  for (auto _ : state) {
    store.Regroup();
    benchmark::DoNotOptimize(store.CardCount());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RegroupOnly)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
