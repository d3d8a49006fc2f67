// Rewriting a log in place beside a program that appends to it, and
// finishing a rewrite that was killed.
#include "core/file_rewrite.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "support/temp_dir.h"

namespace tevra {
namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(RewriteInPlace, KeepsTheFileAndWhatWasAppendedAndRefusesAChangedOne) {
  test::TempDir dir;
  const struct {
    const char* file;     // on the disk when the rewrite starts
    const char* read;     // what was read earlier
    const char* content;  // the new content
    RewriteResult result;
    const char* after;
  } cases[] = {
      {"AAAA", "AAAA", "BBBBBB", RewriteResult::Done, "BBBBBB"},
      {"AAAAXX", "AAAA", "BBBBBB", RewriteResult::Done, "BBBBBBXX"},  // appended since
      {"AAAAXX", "AAAA", "BB", RewriteResult::Done, "BB  XX"},         // never shrinks
      {"ZAAA", "AAAA", "BBBBBB", RewriteResult::Changed, "ZAAA"},      // rewritten by another
      {"AAAZ", "AAAA", "BBBBBB", RewriteResult::Changed, "AAAZ"},
      {"AA", "AAAA", "BBBBBB", RewriteResult::Changed, "AA"},  // cut short
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write("log.adi", c.file);
    struct stat before {}, after {};
    ::stat(path.c_str(), &before);
    EXPECT_EQ(RewriteInPlace(path, c.read, c.content, ' '), c.result) << c.file;
    EXPECT_EQ(Bytes(path), c.after) << c.file;
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_FALSE(std::filesystem::exists(RewriteJournalPath(path)));
  }
  std::string why;
  EXPECT_EQ(RewriteInPlace((dir.Path() / "none.adi").string(), "A", "B", ' ', &why), RewriteResult::Failed);
  EXPECT_NE(why.find("cannot open"), std::string::npos) << why;
  EXPECT_EQ(FinishInterruptedRewrite((dir.Path() / "none.adi").string()), JournalRecovery::None);

  // A journal that is cut short or not one of ours finishes nothing and
  // leaves the log alone.
  const std::string log = dir.Write("cut.adi", "AAAA");
  for (const std::string& journal : {std::string("TEVRA rewrite journal 1\n\x05"), std::string("garbage"),
                                    std::string("TEVRA rewrite journal 1\n") + std::string("\xFF\xFF\0\0\0\0\0\0", 8) + "B"}) {
    std::ofstream(RewriteJournalPath(log), std::ios::binary) << journal;
    EXPECT_EQ(FinishInterruptedRewrite(log), JournalRecovery::Failed);
    EXPECT_EQ(Bytes(log), "AAAA");
  }
  std::filesystem::remove(RewriteJournalPath(log));

  // On a full disk nothing is written and no journal is left behind.
  const std::string small = (dir.Path() / "small").string();
  std::filesystem::create_directories(small);
  if (std::system(("mount -t tmpfs -o size=64k tmpfs '" + small + "' 2>/dev/null").c_str()) != 0) {
    std::printf("(no small file system could be mounted here: the full-disk case is left out)\n");
    return;
  }
  const std::string full = small + "/log.adi";
  const std::string original(24 * 1024, 'A');
  std::ofstream(full, std::ios::binary) << original;
  std::ofstream(small + "/filler", std::ios::binary) << std::string(36 * 1024, 'F');
  why.clear();
  EXPECT_EQ(RewriteInPlace(full, original, std::string(48 * 1024, 'B'), ' ', &why), RewriteResult::Failed);
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(Bytes(full), original);
  EXPECT_FALSE(std::filesystem::exists(RewriteJournalPath(full)));
  EXPECT_EQ(std::system(("umount '" + small + "'").c_str()), 0);
}

// A rewrite killed at a random moment: what the next load finds is the old
// log or the new one, followed by what the logger appended after the kill.
TEST(RewriteInPlace, AKillAtAnyMomentIsFinishedAtTheNextLoad) {
  test::TempDir dir;
  std::string original, content;
  for (int i = 0; i < 20000; ++i) {
    original += "<CALL:6>K" + std::to_string(100000 + i).substr(1) + " <EOR>\n";
    content += "<CALL:6>K" + std::to_string(100000 + i).substr(1) + " <QSL_SENT:1>Y <EOR>\n";
  }
  std::mt19937 random(7);
  int finished = 0;
  for (int round = 0; round < 25; ++round) {
    const std::string path = dir.Write("log.adi", original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(RewriteInPlace(path, original, content, ' ') == RewriteResult::Done ? 0 : 1);
    ::usleep(std::uniform_int_distribution<int>(0, 6000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string foreign = "<CALL:5>AFTER <EOR>\n";
    std::ofstream(path, std::ios::binary | std::ios::app) << foreign;
    const JournalRecovery recovery = FinishInterruptedRewrite(path);
    ASSERT_NE(recovery, JournalRecovery::Failed) << round;
    finished += recovery == JournalRecovery::Finished;
    const std::string after = Bytes(path);
    EXPECT_TRUE(after == original + foreign || after == content + foreign) << round << ": " << after.size();
    EXPECT_FALSE(std::filesystem::exists(RewriteJournalPath(path)));
  }
  std::printf("(%d of 25 rewrites were finished from their journal)\n", finished);
}

}  // namespace
}  // namespace tevra
