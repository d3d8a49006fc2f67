// Column-keyword parsing of CSV lines and DX entity lookups.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/column_keywords.h"
#include "log/entity_table.h"

namespace {

using namespace tevra;

void BM_ParseRecordLine(benchmark::State& state) {
  RecordLayout layout;
  const char* columns[] = {"YY/MM/DD", "HHmm", "CALL", "RST", "QSL[My]", "FREQ",
                           "MODE",     "POWER", "NAME", "QTH", "QSL[REM]", "SEND"};
  for (int i = 0; i < 12; ++i) layout.columns[i] = columns[i];
  const int count = ColumnCount(layout.columns);
  const std::string line =
      "24/11/03,0930,JA1ABC,599,579,7.045,CW,100,\x8E\x52\x93\x63 \x91\xBE\x98\x59,\x93\x8C\x8B\x9E\x93\x73,"
      "\"tnx fer QSO, 73\",J";
  QsoRecord def, record;
  for (auto _ : state) {
    ParseRecordLine(record, line, count, layout, def);
    benchmark::DoNotOptimize(record);
  }
  state.counters["lines_per_s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ParseRecordLine);

// A 400-entry table: the sample entities and synthetic ones of two-letter
// and letter-digit prefixes, some with ranges and wildcards.
std::string MakeEntityFile() {
  std::string text;
  int entries = 0;
  for (char a = 'A'; a <= 'Z' && entries < 400; ++a)
    for (char b = 'A'; b <= 'Y' && entries < 400; ++b, ++entries) {
      std::string p{a, b};
      text += p + ";" + p + "," + a + static_cast<char>(b + 1) + "0-" + a + static_cast<char>(b + 1) + "9," + p +
              "*/P\\;Entity " + p + "\n";
    }
  return text;
}

void BM_EntityOf(benchmark::State& state) {
  EntityTable table;
  table.LoadText(MakeEntityFile());
  std::mt19937 random(42);
  std::vector<std::string> calls;
  for (int i = 0; i < 100000; ++i) {
    std::string call;
    call += static_cast<char>('A' + random() % 26);
    call += static_cast<char>('A' + random() % 26);
    call += static_cast<char>('0' + random() % 10);
    for (int k = 0; k < 3; ++k) call += static_cast<char>('A' + random() % 26);
    if (i % 10 == 0) call += "/P";
    calls.push_back(call);
  }
  std::size_t unknown = 0;
  for (auto _ : state) {
    for (const auto& call : calls) unknown += table.EntityOf(call) == kUnknownEntity;
  }
  benchmark::DoNotOptimize(unknown);
  state.counters["table_entries"] = static_cast<double>(table.Size());
  state.counters["calls_per_s"] =
      benchmark::Counter(static_cast<double>(calls.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EntityOf)->Unit(benchmark::kMillisecond);

}  // namespace
