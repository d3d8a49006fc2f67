#include "merge/macro_expander.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "core/encoding.h"

namespace tevra {
namespace {

QsoRecord Qso(const char* call, int y, int m, int d, int hh, int mm) {
  QsoRecord r;
  SetField(r.Call, call);
  r.Year = static_cast<std::uint8_t>(y);
  r.Month = static_cast<std::uint8_t>(m);
  r.Day = static_cast<std::uint8_t>(d);
  r.Hour = static_cast<std::uint8_t>(hh);
  r.Minute = static_cast<std::uint8_t>(mm);
  return r;
}

// The QSOs the merge-line table names.
std::map<std::string, QsoRecord> TableQsos() {
  QsoRecord ja = Qso("JA1ABC", 24, 3, 5, 9, 30);
  SetField(ja.RstSent, "59");
  SetField(ja.Mode, "SSB");
  SetField(ja.Freq, "7.045");
  SetField(ja.Power, "100");
  SetField(ja.Name, FromUnicode("山田 太郎"));
  SetField(ja.Qth, FromUnicode("東京都"));
  SetField(ja.Remarks, FromUnicode("REM｢hi｣ QSL[JA1MGR] $x$"));
  ja.QslSent = 'J';
  ja.Env = 2;
  ja.SourceIndex = 4;
  QsoRecord dx = Qso("W1AW", 24, 1, 1, 5, 0);  // 05:00 JST is 20:00 UTC on New Year's Eve
  SetField(dx.RstSent, "59914");
  SetField(dx.Mode, "CW");
  SetField(dx.Freq, "14.025");
  SetField(dx.Name, "Hiram Percy");
  dx.QslRcvd = 'Y';
  QsoRecord kana = Qso("JA2XYZ", 24, 3, 5, 9, 30);
  SetField(kana.Name, FromUnicode("ﾀﾛｳ"));
  QsoRecord undated = Qso("JA1UTF", 0, 0, 0, 6, 0);  // a log that gave no date
  return {{"ja", ja}, {"dx", dx}, {"kana", kana}, {"empty", QsoRecord{}}, {"undated", undated}};
}

struct Row {
  std::string qso, line, expected;
  int lineNumber;
};

std::vector<Row> LoadTable() {
  std::ifstream in(std::string(TEVRA_TEST_DATA) + "/merge_lines.tsv");
  std::vector<Row> rows;
  std::string text;
  for (int n = 1; std::getline(in, text); ++n) {
    if (text.empty() || text[0] == '#') continue;
    const auto a = text.find('\t'), b = text.find('\t', a + 1);
    std::string expected = text.substr(b + 1);
    for (auto at = expected.find("\\n"); at != std::string::npos; at = expected.find("\\n")) expected.replace(at, 2, "\n");
    rows.push_back({text.substr(0, a), text.substr(a + 1, b - a - 1), expected, n});
  }
  return rows;
}

TEST(MergeLines, Table) {
  const auto qsos = TableQsos();
  const auto rows = LoadTable();
  ASSERT_GE(rows.size(), 60u);
  for (const Row& row : rows) {
    std::array<QsoRecord, kMaxQsosPerCard> card{};
    MergeContext context;
    context.CardQsos = card.data();
    context.QsosOnCard = 1;
    context.PrintNumberBase = 100;
    context.CardIndex = 2;
    MergeServices services;
    std::string name = row.qso;
    if (auto slash = name.find("/tt"); slash != std::string::npos) {
      services.timeType = name[slash + 3] - '0';
      name.resize(slash);
    }
    if (name == "card1" || name == "card2" || name == "card2full") {
      card[0] = qsos.at("ja");
      context.RepeatCount = name == "card1" ? 1 : 2;
      if (name == "card2full") {
        card[1] = qsos.at("dx");
        context.QsosOnCard = 2;
      }
    } else {
      card[0] = qsos.at(name);
    }
    MacroExpander expander(context, services);
    const std::string out = ToUnicode(expander.ExpandLine(FromUnicode(row.line), card[0]));
    EXPECT_EQ(out, row.expected) << "merge_lines.tsv line " << row.lineNumber << ": " << row.line;
  }
}

TEST(MacroExpander, WidthsCutAndOutputLimit) {
  MergeContext context;
  MacroExpander expander(context, {});
  QsoRecord r = Qso("JA1ABC", 24, 3, 5, 9, 30);
  EXPECT_EQ(expander.ExpandLine("%99C", r), std::string(93, ' ') + "JA1ABC");
  // Only the first 14 specification characters count: the width 8 is lost
  // and the zeros make a width of 0, which is also a maximum.
  EXPECT_EQ(expander.ExpandLine("%-0000000000000000000008C|", r), "|");
  std::string many;
  for (int i = 0; i < 30; ++i) many += "%99C";
  EXPECT_EQ(expander.ExpandLine(many, r).size(), kLineMax);
  // printf-like texts are the merge language's own conversions, never a
  // format: "n" and "s" without their letter print nothing, "l" is the
  // exchange.
  EXPECT_EQ(expander.ExpandLine("%n%s%p%lld%C", r), "0ldJA1ABC");
}

TEST(MacroExpander, SeamsClockAndFieldAssignment) {
  struct Modes : ModeConverter {
    std::string ModeText(std::string_view mode) const override { return mode == "SSB" ? "A3J" : std::string(mode); }
  } modes;
  struct Macros : MacroLookup {
    std::optional<std::string> FindMacro(std::string_view name) const override {
      return name == "sig" ? std::optional<std::string>("%C 73") : std::nullopt;
    }
  } macros;
  MergeContext context;
  context.Macros = &macros;
  BandTexts rig;
  rig[3] = "IC-705\r\nsecond line";  // slot 4: 7 MHz
  context.RigTexts = &rig;
  MergeServices services;
  services.modes = &modes;
  services.clock = [] { return std::time_t{1735689600}; };  // 2025-01-01 00:00 UTC
  MacroExpander expander(context, services);
  QsoRecord r = Qso("JA1ABC", 24, 3, 5, 9, 30);
  SetField(r.Mode, "SSB");
  SetField(r.Freq, "7.045");
  EXPECT_EQ(expander.ExpandLine("%O %{Mode} %{RIG}", r), "A3J A3J IC-705");
  EXPECT_EQ(expander.ExpandLine("%(sig)", r), "%C 73");  // macro text is not expanded again
  // "n" before any other letter prints nothing and leaves the letter.
  EXPECT_EQ(expander.ExpandLine("%nzY-%02nzm-%02nzd %nzo0%nx", r), "2025-01-01 JANx");
  // A field assignment writes into the QSO; later lines see it.
  EXPECT_EQ(expander.ExpandLine("%\xA2%4C%N=JR1ZZZ Taro\xA3", r), "");
  EXPECT_EQ(expander.ExpandLine("%C/%N", r), "JR1Z/ZZ Taro");
  EXPECT_EQ(expander.LookupVariableForCard("ToCall"), "ToCall");  // no log data merged
  // An unclosed bracket takes the rest of the line as its content.
  EXPECT_EQ(expander.ExpandLine("a%{ToCall", r), "aJR1Z");
  EXPECT_EQ(expander.ExpandLine("a%<l,ToCall,2", r), "aJR");
}

TEST(Greeting, AsciiDoubleByteAndKana) {
  EXPECT_EQ(MacroExpander::Greeting("", "k", "w"), "");
  EXPECT_EQ(MacroExpander::Greeting(" Taro Yamada", "k", "w"), "Dear Taro");
  EXPECT_EQ(MacroExpander::Greeting("Taro " + FromUnicode("山田"), "k", "w"), FromUnicode("山田") + "w");
  EXPECT_EQ(MacroExpander::Greeting(FromUnicode("ﾀﾛｳ 山田"), "k", "w"), FromUnicode("ﾀﾛｳ") + "k");
}

}  // namespace
}  // namespace tevra
