#include "core/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace tevra {
namespace {

// "表" is 0x95 0x5C: its trail byte is a backslash. "ソ" is 0x83 0x5C.
// "ー" is 0x81 0x5B: its trail byte is "[". "能" is 0x94 0x5C.
constexpr std::string_view kHyo = "\x95\x5C";
constexpr std::string_view kChoon = "\x81\x5B";

std::vector<std::string> Fields(std::string_view text, char sep) {
  std::vector<std::string> out;
  while (!text.empty()) out.emplace_back(SplitField(text, sep));
  return out;
}

TEST(SplitField, QuotesWrappingTheWholeFieldAreRemoved) {
  EXPECT_EQ(Fields("\"Newington, CT\",59", ','), (std::vector<std::string>{"Newington, CT", "59"}));
  // Quotes that do not wrap the whole field stay.
  EXPECT_EQ(Fields("ab\"cd\"ef,x", ','), (std::vector<std::string>{"ab\"cd\"ef", "x"}));
  EXPECT_EQ(Fields("\"word\" more,x", ','), (std::vector<std::string>{"\"word\" more", "x"}));
  // Two adjacent quotes inside a quoted field keep the scan inside.
  EXPECT_EQ(Fields("\"a\"\",b\",c", ','), (std::vector<std::string>{"a\"\",b", "c"}));
  // An unclosed quote runs to the end.
  EXPECT_EQ(Fields("\"a,b", ','), (std::vector<std::string>{"\"a,b"}));
}

TEST(SplitField, EmptyFieldsAndTheRestAfterTheLastSeparator) {
  std::string_view text = "a,,b,";
  EXPECT_EQ(SplitComma(text), "a");
  EXPECT_EQ(SplitComma(text), "");
  EXPECT_EQ(SplitComma(text), "b");
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(SplitComma(text), "");
}

TEST(SplitField, DoubleByteTrailBytesAreNeverSeparators) {
  // 0x81 0x7C ("−") has "|" as its trail byte.
  std::string text = std::string("A\x81|B") + "|C";
  EXPECT_EQ(Fields(text, '|'), (std::vector<std::string>{"A\x81|B", "C"}));
  // A lead byte as the very last byte is kept, nothing is read past it.
  EXPECT_EQ(Fields("x,\x81", ','), (std::vector<std::string>{"x", "\x81"}));
}

TEST(NormaliseSeparators, CommaTabAndBlankTypes) {
  std::string comma = "a,\"b,c\",d";
  NormaliseSeparators(comma, 0);
  EXPECT_EQ(comma, "a\x1E\"b,c\"\x1E" "d");

  std::string other = "a,b";
  NormaliseSeparators(other, 7);  // above 3 means comma
  EXPECT_EQ(other, "a\x1E" "b");

  std::string tab = "a\tb c";
  NormaliseSeparators(tab, 1);
  EXPECT_EQ(tab, "a\x1E" "b c");

  // Blank-separated: the first blank becomes the separator, the rest of the
  // run stays, and a quote after the run opens a quoted stretch.
  std::string blank = "a   \"x y\" b";
  NormaliseSeparators(blank, 2);
  EXPECT_EQ(blank, "a\x1E  \"x y\"\x1E" "b");

  std::string mixed = "a\t b";
  NormaliseSeparators(mixed, 3);
  EXPECT_EQ(mixed, "a\x1E b");

  std::string dbcs = std::string(kHyo) + ",x";
  NormaliseSeparators(dbcs, 0);
  EXPECT_EQ(dbcs, std::string(kHyo) + "\x1E" "x");
}

TEST(CopyToClose, NestingAndMissingClose) {
  std::string dst;
  auto rest = CopyToClose(dst, "a(b)c)d", ')', 100);
  ASSERT_TRUE(rest);
  EXPECT_EQ(dst, "a(b)c");
  EXPECT_EQ(*rest, "d");

  EXPECT_FALSE(CopyToClose(dst, "abc", ')', 100));
  EXPECT_EQ(dst, "abc");

  // A character that is no bracket ends at its first occurrence.
  rest = CopyToClose(dst, "1$2$3", '$', 100);
  ASSERT_TRUE(rest);
  EXPECT_EQ(dst, "1");

  // The bound cuts the copy but not the walk, and keeps characters whole.
  const std::string bounded = std::string("ab") + std::string(kHyo) + "]z";
  rest = CopyToClose(dst, bounded, ']', 3);
  ASSERT_TRUE(rest);
  EXPECT_EQ(dst, "ab");
  EXPECT_EQ(*rest, "z");

  // "ー" has "[" as trail byte and must not raise the depth.
  const std::string choon = std::string(kChoon) + "]x";
  rest = CopyToClose(dst, choon, ']', 100);
  ASSERT_TRUE(rest);
  EXPECT_EQ(dst, kChoon);
}

TEST(SplitOutsideBrackets, OnlyTheMostRecentClosingIsAwaited) {
  std::string dst;
  auto rest = SplitOutsideBrackets(dst, "IsJA(a,b),BAND==14", ',', 100);
  ASSERT_TRUE(rest);
  EXPECT_EQ(dst, "IsJA(a,b)");
  EXPECT_EQ(*rest, "BAND==14");

  // After one closing no further closing counts until another opening:
  // the depth stays 1 and the comma is never outside.
  EXPECT_FALSE(SplitOutsideBrackets(dst, "((x)),y", ',', 100));
  EXPECT_EQ(dst, "((x)),y");

  // An opening bracket is always an opening bracket, even as separator.
  EXPECT_FALSE(SplitOutsideBrackets(dst, "a(b", '(', 100));

  EXPECT_FALSE(SplitOutsideBrackets(dst, "no separator", ',', 100));
}

TEST(Tokenizers, WordsUntilAndCallTokens) {
  std::string dst;
  auto rest = CopyWord(dst, "Taro Yamada");
  EXPECT_EQ(dst, "Taro");
  EXPECT_EQ(rest, "Yamada");
  const std::string corner = std::string(kHyo) + "\xA2x";  // ｢ is a delimiter
  rest = CopyWord(dst, corner);
  EXPECT_EQ(dst, kHyo);
  EXPECT_EQ(rest, "x");
  rest = CopyWord(dst, "end");
  EXPECT_EQ(dst, "end");
  EXPECT_TRUE(rest.empty());

  const std::string backslash = std::string(kHyo) + "\\b";
  rest = CopyUntil(dst, backslash, '\\');
  EXPECT_EQ(dst, kHyo);
  EXPECT_EQ(rest, "b");

  rest = CopyCallToken(dst, "JA1ABC/1 rest");
  EXPECT_EQ(dst, "JA1ABC/1");
  EXPECT_EQ(rest, "rest");
  const std::string call = "K-1" + std::string(kHyo) + "z";
  rest = CopyCallToken(dst, call);
  EXPECT_EQ(dst, "K-1");
  EXPECT_EQ(rest, "z");
}

TEST(LineBreakEscapes, RoundTripAndStrayBackslashes) {
  std::string text = "a\\nb\\rc\\x\\\\n";
  UnescapeLineBreaks(text);
  EXPECT_EQ(text, "a\nb\rc\\x\\\n");

  // "ソ" (0x83 0x5C) followed by "n" is not an escape.
  std::string so = "\x83\\n";
  UnescapeLineBreaks(so);
  EXPECT_EQ(so, "\x83\\n");

  std::string multi = "line1\r\nline2";
  EscapeLineBreaks(multi);
  EXPECT_EQ(multi, "line1\\r\\nline2");
  UnescapeLineBreaks(multi);
  EXPECT_EQ(multi, "line1\r\nline2");
}

TEST(Numbers, DecimalHexAndScan) {
  EXPECT_EQ(DecimalValue("12"), 12);
  EXPECT_EQ(DecimalValue(" 3"), 3);   // a blank is 0x20: low bits 0
  EXPECT_EQ(DecimalValue("1a"), 11);  // only the low four bits count
  EXPECT_EQ(DecimalValue("12345", 2), 12);
  EXPECT_EQ(HexValue("1F"), 31);
  EXPECT_EQ(HexValue("a"), 10);
  EXPECT_EQ(HexValue("ff", 1), 15);

  std::string_view text = "  42.7";
  unsigned v = 0;
  ASSERT_TRUE(ScanUnsigned(text, v));
  EXPECT_EQ(v, 42u);
  EXPECT_EQ(text, ".7");
  std::string_view none = "x1";
  EXPECT_FALSE(ScanUnsigned(none, v));
  EXPECT_EQ(none, "x1");
}

TEST(Paths, ExtensionSearchDoesNotStopAtSeparators) {
  std::string path = "/home/ja1abc/my.logs/card";
  ReplaceExtension(path, ".tvd");
  EXPECT_EQ(path, "/home/ja1abc/my.tvd");

  std::string plain = "/tmp/card";
  ReplaceExtension(plain, ".tvd");
  EXPECT_EQ(plain, "/tmp/card.tvd");

  std::string dotted = "log.csv";
  ReplaceExtension(dotted, ".TVQ");
  EXPECT_EQ(dotted, "log.TVQ");

  // The first byte is never taken as the dot.
  std::string hidden = ".profile";
  ReplaceExtension(hidden, ".bak");
  EXPECT_EQ(hidden, ".profile.bak");

  EXPECT_EQ(ExtensionOf("a/b.LOG"), "LOG");
  EXPECT_EQ(ExtensionOf("noext"), "");
}

TEST(SmallHelpers, BehaveAsDocumented) {
  std::string blanks = " \t  ";
  TrimRight(blanks);
  EXPECT_EQ(blanks, "");
  std::string trailing = "ab \t";
  TrimRight(trailing);
  EXPECT_EQ(trailing, "ab");

  std::string line = "abc\r\ndef";
  CutAtLineEnd(line);
  EXPECT_EQ(line, "abc");

  EXPECT_TRUE(IsAllDigits(""));
  EXPECT_TRUE(IsAllDigits("0123"));
  EXPECT_FALSE(IsAllDigits("12a"));

  EXPECT_EQ(SkipApostrophe("'24"), "24");
  EXPECT_EQ(SkipApostrophe("\x81\x65" "24"), "24");
  EXPECT_EQ(SkipApostrophe("24"), "24");
  EXPECT_EQ(SkipBlanks(" \t x"), "x");
  EXPECT_EQ(LastChar(""), '\0');
  EXPECT_EQ(LastChar("ab"), 'b');

  std::string text = "a-b-c";
  RemoveChar(text, '-');
  EXPECT_EQ(text, "abc");
  ReplaceChar(text, 'b', 'x');
  EXPECT_EQ(text, "axc");

  EXPECT_EQ(CopyBounded("abcdef", 3), "abc");
  EXPECT_EQ(PrefixOfChars("a" + std::string(kHyo), 2), "a");
  char buffer[4] = "xyz";
  CopyToBuffer("ab" + std::string(kHyo), buffer, sizeof buffer);  // the double-byte character does not fit
  EXPECT_STREQ(buffer, "ab");
  CopyToBuffer("abcdef", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "abc");

  EXPECT_GT(TempFreeKilobytes(), 0u);
  EXPECT_EQ(FreeKilobytesOf("/nonexistent/dir/for/test"), 10240u);
}

}  // namespace
}  // namespace tevra
