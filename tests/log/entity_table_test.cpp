#include "log/entity_table.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tevra {
namespace {

TEST(CallPattern, WildcardsAndEndAnchor) {
  EXPECT_TRUE(MatchCallPattern("VK*", "VK2ABC", false));
  EXPECT_TRUE(MatchCallPattern("?K2*", "VK2ABC", false));
  EXPECT_FALSE(MatchCallPattern("VK", "VK2ABC", false));
  EXPECT_TRUE(MatchCallPattern("VK", "VK2ABC", true));
  EXPECT_TRUE(MatchCallPattern("*/MM\\", "JA1ABC/MM", false));
  EXPECT_FALSE(MatchCallPattern("*/MM\\", "JA1ABC/MMX", true));
  EXPECT_TRUE(MatchCallPattern("*A*B*C", "XAYBZC", false));
  EXPECT_FALSE(MatchCallPattern("*A*B*C", "XAYBZ", false));
  EXPECT_TRUE(MatchCallPattern("", "", false));
  EXPECT_FALSE(MatchCallPattern("A", "", true));
}

constexpr std::string_view kTable =
    "! comment line\r\n"
    "KH6;KH6,KH7;Hawaii;OC;31\r\n"
    "K;K,W,N,AA-AK;United States;NA;5\r\n"
    "VK;VH-VN;Australia;OC;30\r\n"
    "4X;4X,4Z;Israel\r\n"
    "MM;*/MM\\;Maritime mobile\r\n"
    "Z;ZA-ZC*;range with wildcards\r\n"
    "\tT;T\t7;  tabs  \r\n"
    "$ end of data\r\n"
    "ZZ;ZZ;never read\r\n";

TEST(EntityTable, FileFormatAndTwoPassLookup) {
  EntityTable table;
  table.LoadText(kTable);
  ASSERT_EQ(table.Size(), 7u);
  EXPECT_EQ(table.Entry(1).fields[2], "United States");
  EXPECT_EQ(table.Entry(3).fields[3], "");  // missing fields are empty
  EXPECT_EQ(table.Entry(6).fields[0], "T");  // tabs removed everywhere
  EXPECT_EQ(table.Entry(6).fields[1], "T7");
  EXPECT_EQ(table.Entry(6).fields[2], "  tabs");

  EXPECT_EQ(table.EntityOf("KH6ABC"), "KH6");  // earlier entry, prefix pass
  EXPECT_EQ(table.EntityOf("W1AW"), "K");
  EXPECT_EQ(table.EntityOf("AL1AB"), "_?_");  // AA-AK stops at AK
  EXPECT_EQ(table.EntityOf("AK1AB"), "K");
  EXPECT_EQ(table.EntityOf("VH2ABC"), "VK");
  EXPECT_EQ(table.EntityOf("VN2ABC"), "VK");
  EXPECT_EQ(table.EntityOf("VO2ABC"), "_?_");
  EXPECT_EQ(table.EntityOf("ZB2X"), "Z");
  EXPECT_EQ(table.EntityOf("T71A"), "T");
  EXPECT_EQ(table.EntityOf("ZZ1A"), "_?_");
  EXPECT_EQ(table.EntityOf(""), "_?_");
  // The whole-call pass comes first: "K" alone matches the "K" pattern, and
  // a maritime-mobile call matches its whole-call pattern before "K" as a prefix.
  EXPECT_EQ(table.EntityOf("K1ABC/MM"), "MM");
}

TEST(EntityTable, LimitsAndMissingFile) {
  std::string many;
  for (int i = 0; i < 600; ++i) many += "E" + std::to_string(i) + ";E" + std::to_string(i) + "X\n";
  EntityTable table;
  table.LoadText(many);
  EXPECT_EQ(table.Size(), 512u);
  EXPECT_EQ(table.EntityOf("E511X"), "E511");
  EXPECT_EQ(table.EntityOf("E512X"), "_?_");

  table.LoadText(std::string(2000, 'A') + ";" + std::string(600, 'B'));
  ASSERT_EQ(table.Size(), 1u);
  EXPECT_EQ(table.Entry(0).fields[0].size(), 511u);  // the line is cut at 511

  test::TempDir dir;
  EXPECT_FALSE(table.Load((dir.Path() / "ARRL.DX").string()));
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_TRUE(table.Load(dir.Write("ARRL.DX", kTable)));
  EXPECT_EQ(table.Size(), 7u);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

TEST(EntityTable, BundledDefinitionsResolveCommonCalls) {
  EntityTable table;
  ASSERT_TRUE(table.Load(std::string(TEVRA_EXAMPLES) + "/ARRL.DX"));
  EXPECT_GE(table.Size(), 40u);
  const std::pair<const char*, const char*> cases[] = {
      {"KH6ABC", "KH6"}, {"AH2X", "KH2"}, {"W1AW", "K"},   {"AK7A", "K"},    {"VE3ABC", "VE"}, {"VK2ABC", "VK"},
      {"BV2AB", "BV"},   {"BY1AB", "BY"}, {"UA9AB", "UA9"}, {"UA3AB", "UA"}, {"DL1ABC", "DL"}, {"GM3AB", "GM"},
      {"G4ABC", "G"},    {"JD1BMH", "JD1"}, {"4X1AB", "4X"}, {"QQ1AB", "_?_"},
  };
  for (auto [call, entity] : cases) EXPECT_EQ(table.EntityOf(call), entity) << call;
}

}  // namespace
}  // namespace tevra
