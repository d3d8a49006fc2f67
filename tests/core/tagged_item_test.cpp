#include <gtest/gtest.h>

#include "core/text.h"

namespace tevra {
namespace {

std::string Tag(std::string_view key, std::string_view value) {
  return std::string(key) + kCornerOpen + std::string(value) + kCornerClose;
}

TEST(FindTaggedItem, NameKeyNeedsSeparatorBeforeAndBracketAfter) {
  EXPECT_EQ(FindTaggedItem("QSL[JA1XYZ]", "QSL"), "JA1XYZ");
  EXPECT_EQ(FindTaggedItem("tnx, QSL[JA1XYZ]", "QSL"), "JA1XYZ");
  EXPECT_EQ(FindTaggedItem("via qsl[W1AW] ok", "QSL"), "W1AW");
  EXPECT_FALSE(FindTaggedItem("MQSL[JA1XYZ]", "QSL"));
  EXPECT_FALSE(FindTaggedItem("QSL [JA1XYZ]", "QSL"));
  EXPECT_FALSE(FindTaggedItem("QSL[unclosed", "QSL"));
  // The first occurrence with a closed value wins.
  EXPECT_EQ(FindTaggedItem("QSL(open QSL[B]", "QSL"), "B");
  EXPECT_EQ(FindTaggedItem(Tag("REM", "a") + " " + Tag("My", "59"), "my"), "59");
  // Nested brackets are part of the value.
  EXPECT_EQ(FindTaggedItem("OPT(a(b)c)", "OPT"), "a(b)c");
}

TEST(FindTaggedItem, TrailBytesAreNeverSeparatorsOrKeys) {
  // "＊" is 0x81 0x96 and "／" is 0x81 0x5E: their trail bytes are no
  // separators. 0x82 0x4D's trail byte is "M".
  EXPECT_FALSE(FindTaggedItem(std::string("\x81\x5E") + Tag("M", "x"), "M"));
  EXPECT_FALSE(FindTaggedItem(std::string("\x82M") + "\xA2x\xA3", "M"));
  EXPECT_EQ(FindTaggedItem(std::string("\x82\x4D ") + Tag("M", "x"), "M"), "x");
}

TEST(FindTaggedItem, BracketAndDoubledSymbolKeys) {
  EXPECT_EQ(FindTaggedItem("name (Taro) QTH", "()"), "Taro");
  EXPECT_EQ(FindTaggedItem("a <x<y>z> b", "<>"), "x<y>z");
  EXPECT_EQ(FindTaggedItem("cost $12$ ok", "$$"), "12");
  EXPECT_EQ(FindTaggedItem("\xA2" "corner\xA3", "\xA2\xA3"), "corner");
  // An opening without a partner is passed over for a later one.
  EXPECT_EQ(FindTaggedItem("~a", "~~"), std::nullopt);
  EXPECT_EQ(FindTaggedItem("x~~", "~~"), "");
  // Two different symbols are a name key, not a bracket key.
  EXPECT_FALSE(FindTaggedItem("$12~", "$~"));
}

TEST(FindTaggedItem, ValueIsBoundedTo512Bytes) {
  std::string longValue(600, 'x');
  auto value = FindTaggedItem("REM[" + longValue + "]", "REM");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->size(), kTaggedValueMax);
}

TEST(RemoveTaggedItem, RemovesItemAndOneBlankForNameKeys) {
  std::string text = "abc " + Tag("REM", "hello") + " def";
  EXPECT_EQ(RemoveTaggedItem(text, "REM"), "hello");
  EXPECT_EQ(text, "abc def");

  std::string first = Tag("My", "59") + " rest";
  EXPECT_EQ(RemoveTaggedItem(first, "MY"), "59");
  EXPECT_EQ(first, " rest");

  std::string bracket = "a (b) c";
  EXPECT_EQ(RemoveTaggedItem(bracket, "()"), "b");
  EXPECT_EQ(bracket, "a  c");

  std::string none = "nothing";
  EXPECT_FALSE(RemoveTaggedItem(none, "REM"));
  EXPECT_EQ(none, "nothing");
}

TEST(AppendTaggedItem, SpacingEmptyValuesAndTheLengthLimit) {
  std::string remarks;
  AppendTaggedItem("REM", remarks, "");
  EXPECT_EQ(remarks, "");
  AppendTaggedItem("REM", remarks, "a");
  EXPECT_EQ(remarks, Tag("REM", "a"));
  AppendTaggedItem("QSL", remarks, "W1AW", '[', ']');
  EXPECT_EQ(remarks, Tag("REM", "a") + " QSL[W1AW]");

  // buffer + key + value reaching 510 is refused; one less fits and the
  // result stays within the 512 bytes of a remark.
  std::string full(500, 'x');
  AppendTaggedItem("KEY", full, std::string(7, 'v'));
  EXPECT_EQ(full.size(), 500u);
  AppendTaggedItem("KEY", full, std::string(6, 'v'));
  EXPECT_EQ(full.size(), 512u);
  EXPECT_EQ(FindTaggedItem(full, "KEY"), std::string(6, 'v'));
}

}  // namespace
}  // namespace tevra
