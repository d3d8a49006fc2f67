// The headless merge print: tevra-batch puts a log of N QSOs onto the
// example postcard as one PDF. Reports cards per second and the peak
// resident memory of the tevra-batch process, for two log sizes, to show
// that memory does not grow with the number of cards.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// comments: a different COMMENT on every QSO, as real logs have.
std::string MakeAdif(int count, bool comments = false) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tevra-print-bench-" + std::to_string(count) + (comments ? "-c" : "") + ".adi");
  if (std::filesystem::exists(path)) return path.string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fputs("<ADIF_VER:5>3.1.4<EOH>\n", f);
  const char* modes[] = {"CW", "SSB", "FT8"};
  for (int i = 0; i < count; ++i) {
    char call[16];
    std::snprintf(call, sizeof call, "%s%d%c%c%c", i % 5 == 0 ? "W" : "JA", i % 10, 'A' + i % 26, 'A' + i / 26 % 26,
                  'A' + i / 676 % 26);
    std::fprintf(f, "<CALL:%zu>%s<QSO_DATE:8>2024%02d%02d<TIME_ON:4>%02d%02d<FREQ:5>7.045<MODE:%zu>%s<RST_SENT:3>599",
                 std::strlen(call), call, i % 12 + 1, i % 28 + 1, i % 24, i % 60, std::strlen(modes[i % 3]),
                 modes[i % 3]);
    if (comments) {
      char comment[160];
      const int n = std::snprintf(comment, sizeof comment,
                                  "Nice signal, QSO number %d on the %s band; rig IC-%d at %d W, antenna %d el yagi", i,
                                  i % 2 ? "forty metre" : "twenty metre", 7000 + i % 700, 10 + i % 90, 2 + i % 5);
      std::fprintf(f, " <COMMENT:%d>%s", n, comment);
    }
    std::fputs("<EOR>\n", f);
  }
  std::fclose(f);
  return path.string();
}

// VmHWM of tevra-batch in KB; 0 when it cannot be read or the child has
// not reached exec yet (before it, the child is a copy of this process).
long HighWaterKb(pid_t pid) {
  std::FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
  if (!f) return 0;
  char line[256];
  long kb = 0;
  bool batch = false;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, "Name:", 5) == 0) batch = std::strstr(line, "tevra-batch") != nullptr;
    if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
  }
  std::fclose(f);
  return batch ? kb : 0;
}

struct Run {
  double seconds = 0;
  long peakKb = 0;
  bool ok = false;
};

// Runs tevra-batch with args, its output thrown away.
Run RunBatch(std::vector<std::string> args) {
  args.insert(args.begin(), TEVRA_BATCH);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  Run run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stdout);
    execv(TEVRA_BATCH, argv.data());
    _exit(127);
  }
  // The child's own high-water mark, read while it runs: the figure the
  // kernel keeps for a finished child would include the pages it shared
  // with this process before exec.
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    run.peakKb = std::max(run.peakKb, HighWaterKb(pid));
    usleep(2000);
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

void BM_MergePrintToPdf(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string log = MakeAdif(count);
  const auto dir = std::filesystem::temp_directory_path() / "tevra-print-bench";
  std::filesystem::create_directories(dir);
  const std::string ini = (dir / "TEVRA.INI").string();
  const std::string pdf = (dir / "cards.pdf").string();
  Run run;
  for (auto _ : state) {
    std::fclose(std::fopen(ini.c_str(), "wb"));  // fresh settings, print number 1
    run = RunBatch({"--config", ini, "--no-prompts", "-o", pdf, TEVRA_EXAMPLES_DIR "/postcard.tvd", log});
    state.SetIterationTime(run.seconds);
    if (!run.ok) state.SkipWithError("tevra-batch failed");
  }
  state.counters["cards_per_s"] = count / run.seconds;
  state.counters["peak_rss_MB"] = static_cast<double>(run.peakKb) / 1024.0;
  state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_MergePrintToPdf)->Arg(1000)->Arg(10000)->Arg(30000)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// Loading a million-QSO ADIF file with a comment on every QSO with
// --count, with the bureau sort before the count (argument 1), and with
// three QSOs a card after the sort (argument 2).
void BM_CountAdif(benchmark::State& state) {
  const std::string log = MakeAdif(1000000, true);
  const auto ini = std::filesystem::temp_directory_path() / "tevra-count-bench.ini";
  std::fclose(std::fopen(ini.c_str(), "wb"));
  std::vector<std::string> args{"--config", ini.string(), "--count", log};
  if (state.range(0) != 0) args.insert(args.begin() + 2, {"--sort", "asc"});
  if (state.range(0) == 2) args.insert(args.begin() + 2, {"--per-card", "3"});
  Run run;
  for (auto _ : state) {
    run = RunBatch(args);
    state.SetIterationTime(run.seconds);
    if (!run.ok) state.SkipWithError("tevra-batch failed");
  }
  state.counters["peak_rss_MB"] = static_cast<double>(run.peakKb) / 1024.0;
}
BENCHMARK(BM_CountAdif)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
