#include "import/log_source.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

// The filters of a list, one string each.
std::vector<std::string> Split(const std::string& filters) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    auto name = filters.find('|', start);
    if (name == std::string::npos || name == start) break;
    auto pattern = filters.find('|', name + 1);
    out.push_back(filters.substr(start, pattern + 1 - start));
    start = pattern + 1;
  }
  return out;
}

TEST(LogFilterList, CurrentTypeFirstThenTheOthersInOrder) {
  LogFilterList list = BuildLogFilterList(SrcAdif, "contest.adi");
  auto filters = Split(list.filters);
  ASSERT_EQ(filters.size(), 11u);
  EXPECT_EQ(filters[0], "ADIFﾃﾞｰﾀﾌｧｲﾙ(*.adi;*.adif)|*.adi;*.adif|");
  EXPECT_EQ(filters[1], "KUVALﾃｷｽﾄﾌｧｲﾙ(*.log)|*.log|");
  EXPECT_EQ(filters[9], LogFilterOf(SrcCabrillo));
  EXPECT_EQ(list.cabrilloFilterIndex, 9);
  EXPECT_TRUE(list.filters.ends_with("|*.CSV;*.TXT||"));
}

TEST(LogFilterList, OwnExtensionEntryForCsvLikeSources) {
  LogFilterList list = BuildLogFilterList(SrcCsv, "export.prn");
  auto filters = Split(list.filters);
  ASSERT_EQ(filters.size(), 12u);
  EXPECT_EQ(filters[0], "PRNファイル (*.PRN)|*.PRN|");
  EXPECT_EQ(filters[1], LogFilterOf(SrcCsv));
  EXPECT_EQ(list.cabrilloFilterIndex, 11);

  EXPECT_EQ(Split(BuildLogFilterList(SrcCsv, "export.txt").filters).size(), 11u);
  EXPECT_EQ(Split(BuildLogFilterList(SrcCsv, "noext").filters).size(), 11u);
  // Only the first four characters of a long extension are used.
  EXPECT_EQ(Split(BuildLogFilterList(SrcOdbc, "x.table").filters)[0], "TABLファイル (*.TABL)|*.TABL|");
  // Sources beyond the file types list all eleven filters in order.
  auto odbc = Split(BuildLogFilterList(SrcOdbc, "").filters);
  ASSERT_EQ(odbc.size(), 11u);
  EXPECT_EQ(odbc[0], LogFilterOf(SrcKuvalText));
}

TEST(ReaderChoice, DialogAndOpenByNameDifferForTxtAndUnknown) {
  EXPECT_EQ(ReaderForChosenFile("/x/a.LoG", false), SrcKuvalText);
  EXPECT_EQ(ReaderForChosenFile("a.l2", false), SrcLog200);
  EXPECT_EQ(ReaderForChosenFile("a.cab", false), SrcCabrillo);
  EXPECT_EQ(ReaderForChosenFile("a.txt", true), SrcCabrillo);
  EXPECT_EQ(ReaderForChosenFile("a.txt", false), SrcCsv);
  EXPECT_EQ(ReaderForChosenFile("a.prn", false), SrcCsv);
  EXPECT_EQ(ReaderForChosenFile("noext", false), SrcCsv);
  // The extension is the file name's, not a dotted directory's.
  EXPECT_EQ(ReaderForChosenFile("/logs.log/export", false), SrcCsv);

  EXPECT_EQ(ReaderForNamedFile("a.DBF"), SrcDbf);
  EXPECT_EQ(ReaderForNamedFile("a.res"), SrcCt);
  EXPECT_EQ(ReaderForNamedFile("a.txt"), SrcCsv);
  EXPECT_EQ(ReaderForNamedFile("a.csv"), SrcCsv);
  EXPECT_EQ(ReaderForNamedFile("card.tvd"), std::nullopt);
  EXPECT_EQ(ReaderForNamedFile("a.prn"), std::nullopt);
  EXPECT_EQ(ReaderForNamedFile("wsjtx_log.ADIF"), SrcAdif);
}

TEST(ReaderChoice, SharedExtensionsLookAtTheContent) {
  struct Case {
    std::string_view path, head;
    LogSourceType byExtension, expected;
  };
  const Case cases[] = {
      {"cqww.log", "\n  \r\nSTART-OF-LOG: 3.0\rCONTEST: CQ-WW-CW\r", SrcKuvalText, SrcCabrillo},
      {"contest.TXT", "\xEF\xBB\xBFstart-of-log: 2.0\n", SrcCsv, SrcCabrillo},
      {"wsjtx.log", "WSJT-X ADIF Export<eoh>\n<call:4>K1AB", SrcKuvalText, SrcAdif},
      {"export.txt", "<CALL:4>K1AB<EOR>", SrcCsv, SrcAdif},
      {"kuval.log", "24/11/03,0930,JA1ABC,59,7,SSB", SrcKuvalText, SrcKuvalText},
      {"table.txt", "CALL,DATE\nSTART-OF-LOG:", SrcCsv, SrcCsv},  // not the first line
      {"cqww.cbr", "<EOH>", SrcCabrillo, SrcCabrillo},              // only .log and .txt are shared
  };
  for (const Case& c : cases) EXPECT_EQ(ReaderForContent(c.byExtension, c.path, c.head), c.expected) << c.path;
}

TEST(SourceNames, DisplayNamesAndSentMarkFormats) {
  EXPECT_EQ(SourceDisplayName(SrcClipboard, "x"), "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ");
  EXPECT_EQ(SourceDisplayName(SrcAutomation, ""), "OLEｵｰﾄﾒｰｼｮﾝ");
  EXPECT_EQ(SourceDisplayName(SrcOdbc, "hamlog"), "ODBC(hamlog)");
  EXPECT_EQ(SourceDisplayName(SrcOdbc, ""), "ODBCﾃﾞｰﾀﾍﾞｰｽ");
  EXPECT_EQ(SourceDisplayName(SrcPlugin, ""), "EXTSRC.DLL");
  EXPECT_EQ(SourceDisplayName(SrcKuvalText, "my.log"), "my.log");

  EXPECT_TRUE(CarriesSentMark(SrcCsv));
  EXPECT_TRUE(CarriesSentMark(SrcPlugin));
  EXPECT_FALSE(CarriesSentMark(SrcCt));
  EXPECT_FALSE(CarriesSentMark(SrcAdif));
  EXPECT_FALSE(CarriesSentMark(SrcAutomation));
}

}  // namespace
}  // namespace tevra
