#include "core/profile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>

#include "support/temp_dir.h"

namespace tevra {
namespace {

TEST(Profile, SectionsKeysAndIntegers) {
  Profile p;
  p.Parse("top=ignored?\r\n[Option]\r\nCsvItem1=YY/MM/DD \r\n csvdlm = 2\r\nBad=x1\r\nNeg=-3\r\n; comment\r\n"
          "[Other]\nCsvDlm=9\nCsvDlm=8\nEmpty=\n[Unclosed\nk=v");
  EXPECT_EQ(p.GetString("option", "CSVITEM1", "NULL"), "YY/MM/DD ");  // values are verbatim
  EXPECT_EQ(p.GetInt("Option", "CsvDlm", 0), 2);
  EXPECT_EQ(p.GetInt("Option", "Bad", 7), 0);  // not a number: 0
  EXPECT_EQ(p.GetInt("Option", "Neg", 7), -3);
  EXPECT_EQ(p.GetInt("Option", "Missing", 7), 7);
  EXPECT_EQ(p.GetInt("Other", "CsvDlm", 0), 9);  // the first of two
  EXPECT_TRUE(p.Has("Other", "Empty"));
  EXPECT_EQ(p.GetString("Other", "Empty", "d"), "");
  EXPECT_EQ(p.GetString("Unclosed", "k", ""), "v");
  EXPECT_EQ(p.GetString("", "top", ""), "ignored?");
  EXPECT_FALSE(p.Load("/nonexistent/TEVRA.INI"));
  EXPECT_FALSE(p.Has("Option", "CsvDlm"));
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

TEST(Profile, WritingKeepsWhatItDoesNotOwn) {
  Profile p;
  p.Parse("; the user's note\r\n[Option]\r\nsendmark=*\r\nOther=keep\r\n\r\n[Window]\r\nX=5\r\n");
  p.SetString("Option", "SendMark", "-");   // replaced in place, spelling kept
  p.SetString("Option", "PrintNo", "7");    // appended to its section
  p.SetInt("Message", "Hist1", 3);          // a new section at the end
  p.SetString("Option", "LoadCond", "a\r\nb");  // one line, whatever the value holds
  EXPECT_EQ(p.Text(),
            "; the user's note\n[Option]\nsendmark=-\nOther=keep\nPrintNo=7\nLoadCond=a  b\n\n[Window]\nX=5\n\n"
            "[Message]\nHist1=3\n");
  Profile again;
  again.Parse(p.Text());
  EXPECT_EQ(again.GetInt("Option", "PrintNo", 0), 7);
  EXPECT_EQ(again.GetInt("message", "hist1", 0), 3);
}

TEST(Profile, SavingReplacesTheFileWhole) {
  test::TempDir dir;
  const std::string path = (dir.Path() / "sub" / "TEVRA.INI").string();  // the folder is made
  Profile p;
  p.SetString("Option", "CurLogName", "QSL");
  ASSERT_TRUE(p.Save(path));
  Profile read;
  ASSERT_TRUE(read.Load(path));
  EXPECT_EQ(read.GetString("Option", "CurLogName", ""), "QSL");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "sub"),
                          std::filesystem::directory_iterator()),
            1);
  // A folder that cannot be made fails without touching anything.
  const std::string blocked = dir.Write("file", "x") + "/TEVRA.INI";
  EXPECT_FALSE(p.Save(blocked));

  // Copies a killed run left behind go; a young one (another run's) stays.
  namespace fs = std::filesystem;
  const fs::path stale = dir.Path() / "sub" / ".TEVRA.INI.a1b2c3", young = dir.Path() / "sub" / ".TEVRA.INI.d4e5f6";
  dir.Write("sub/.TEVRA.INI.a1b2c3", "old");
  dir.Write("sub/.TEVRA.INI.d4e5f6", "new");
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(2));
  ASSERT_TRUE(p.Save(path));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(young));

  // A settings file that is a symbolic link stays one; its target changes.
  const std::string real = dir.Write("real.ini", "[Option]\n");
  const fs::path link = dir.Path() / "link.ini";
  fs::create_symlink(real, link);
  ASSERT_TRUE(p.Save(link.string()));
  EXPECT_TRUE(fs::is_symlink(link));
  Profile viaTarget;
  ASSERT_TRUE(viaTarget.Load(real));
  EXPECT_EQ(viaTarget.GetString("Option", "CurLogName", ""), "QSL");
}

TEST(Profile, OddFilesReadWithoutHarm) {
  using namespace std::string_literals;
  std::string odd(100000, 'k');  // a very long line
  odd += "=long\n[S]\n\xFF\x81\0x=bin\n=novalue\n[S]\nk=second\nnoequals\n[T]\nk=1\nk=2"s;  // no final newline
  Profile p;
  p.Parse(odd);
  EXPECT_EQ(p.GetString("", std::string(100000, 'k'), ""), "long");
  EXPECT_EQ(p.GetString("S", "\xFF\x81\0x"s, "none"), "bin");  // bytes are bytes
  EXPECT_EQ(p.GetString("S", "k", "none"), "none");  // only the first of two equal sections counts
  EXPECT_EQ(p.GetInt("T", "k", 0), 1);               // and the first of two equal keys
  p.SetString("T", "k", "3");
  EXPECT_EQ(p.GetInt("T", "k", 0), 3);
  EXPECT_EQ(p.Text().size(), odd.size() + 1);  // every line kept; a newline after the last

  // A file of a million sections is no settings file: not read (so never
  // written over), and not held in memory while finding out.
  test::TempDir dir;
  std::string sections;
  for (int i = 0; i < 1000000; ++i) sections += "[a]\n";
  Profile big;
  EXPECT_FALSE(big.Load(dir.Write("TEVRA.INI", sections)));
  EXPECT_EQ(big.Text(), "");
}

}  // namespace
}  // namespace tevra
