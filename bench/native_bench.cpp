// Loading large ADIF and HAMLOG logs through the load frame.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "import/log_loader.h"
#include "import/log_writers.h"
#include "log/log_store.h"
#include "quiet_ui.h"

namespace {

using namespace tevra;

std::string TempPath(const std::string& name) { return (std::filesystem::temp_directory_path() / name).string(); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// 1,000,000 records of 15 fields each, one record per line.
std::string MakeAdif(int count) {
  const std::string path = TempPath("tevra-bench-" + std::to_string(count) + ".adi");
  if (std::filesystem::exists(path)) return path;
  std::string data = "Generated log <ADIF_VER:5>3.1.4 <EOH>\n";
  char line[512];
  for (int i = 0; i < count; ++i) {
    const int n = std::snprintf(
        line, sizeof line,
        "<CALL:6>JA%dA%c%c <QSO_DATE:8>2024%02d%02d <TIME_ON:4>%02d%02d <TIME_OFF:4>%02d%02d <BAND:3>20m "
        "<FREQ:6>14.0%02d <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>5%d9 <NAME:5>Hiram <QTH:9>Newington "
        "<QSL_SENT:1>N <QSL_RCVD:1>N <TX_PWR:3>100 <COMMENT:11>tnx fer QSO <EOR>\n",
        i % 10, 'A' + i % 26, 'A' + i / 26 % 26, i % 12 + 1, i % 28 + 1, i % 24, i % 60, i % 24, (i + 5) % 60, i % 100,
        i % 10);
    data.append(line, static_cast<std::size_t>(n));
  }
  WriteFile(path, data);
  return path;
}

std::string MakeDbs(int count) {
  const std::string path = TempPath("tevra-bench-" + std::to_string(count) + ".dbs");
  if (std::filesystem::exists(path)) return path;
  std::vector<test::DbsQso> qsos(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    test::DbsQso& q = qsos[static_cast<std::size_t>(i)];
    q.call = "JA" + std::to_string(i % 10) + "ABC";
    test::DbsFrequencyText(q, "7.04");
    q.mode = "SSB";
    q.name = "Taro";
    q.day = i % 28 + 1;
    q.minute = i % 60;
    q.utc = i % 2 == 0;
    q.qth = "Tokyo";
    q.remark1 = i % 3 == 0 ? "QSL[JA1MGR]" : "";
  }
  auto [dbs, dbr] = test::DbsFiles(qsos);
  WriteFile(path, dbs);
  std::string dbrPath = path;
  dbrPath.replace(dbrPath.size() - 3, 3, "DBR");
  WriteFile(dbrPath, dbr);
  return path;
}

void Load(benchmark::State& state, LogSourceType type, const std::string& path, int count) {
  bench::QuietUi ui;
  for (auto _ : state) {
    state.PauseTiming();
    LoadOptions options;
    options.skipSendMark = false;
    LoadHooks hooks;
    std::array<QsoRecord, 16> buffer{};
    auto store = std::make_unique<LogStore>(ui);
    LogLoader loader(ui, *store, options, hooks, buffer);
    state.ResumeTiming();
    if (!loader.ReadLog(type, path) || store->QsoCount() != static_cast<std::size_t>(count))
      state.SkipWithError("load failed");
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.counters["qsos_per_s"] = benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_LoadAdif(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Load(state, SrcAdif, MakeAdif(count), count);
}
BENCHMARK(BM_LoadAdif)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadDbs(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Load(state, SrcHamlog, MakeDbs(count), count);
}
BENCHMARK(BM_LoadDbs)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
