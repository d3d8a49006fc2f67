#include "app/batch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "support/temp_dir.h"

namespace tevra {
namespace {

struct BatchRun {
  int code;
  std::string out;
  std::string err;
};

std::string Slurp(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  return text;
}

BatchRun Batch(std::vector<std::string> args) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
  int code = RunBatch(args, out.get(), err.get());
  return {code, Slurp(out.get()), Slurp(err.get())};
}

TEST(Batch, ListsTheExampleLogInUtf8) {
  BatchRun run = Batch({"--list", std::string(TEVRA_EXAMPLES) + "/sample.log"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("     1  24/11/03 0930  JA1ABC"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("REM｢初QSO｣"), std::string::npos) << run.out;
  // Line 5 is not a QSO; the next QSO keeps line number 6.
  EXPECT_NE(run.out.find("     6  24/11/06 2359  JA8AAA/1"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("5 QSOs, 5 cards\n")) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(Batch, ErrorsGoToStderrWithNonZeroExit) {
  test::TempDir dir;
  BatchRun missing = Batch({"--list", (dir.Path() / "none.log").string()});
  EXPECT_NE(missing.code, 0);
  EXPECT_NE(missing.err.find("ファイルが読み込めません."), std::string::npos);
  EXPECT_EQ(missing.out, "");

  BatchRun notLog = Batch({"--list", dir.Write("card.tvd", "")});
  EXPECT_NE(notLog.code, 0);
  EXPECT_NE(notLog.err.find("not a log file"), std::string::npos);

  BatchRun usage = Batch({"--bogus"});
  EXPECT_EQ(usage.code, 2);
  EXPECT_NE(usage.err.find("Usage: tevra-batch"), std::string::npos);

  BatchRun help = Batch({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--list LOGFILE"), std::string::npos);
}

}  // namespace
}  // namespace tevra
