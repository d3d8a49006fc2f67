#include "core/profile.h"

#include <gtest/gtest.h>

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
