// CT, TR-LOG, ADIF and Cabrillo logs.
#include <gtest/gtest.h>

#include <array>

#include "core/encoding.h"
#include "core/text.h"
#include "import/adif_reader.h"
#include "import/contest_readers.h"
#include "import/loader_fixture.h"
#include "import/log_source.h"
#include "log/log_store.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

// A fixed-column line: each text placed at its 0-based column.
std::string Columns(std::initializer_list<std::pair<std::size_t, std::string>> parts) {
  std::string line;
  for (const auto& [column, text] : parts) {
    if (line.size() < column + text.size()) line.resize(column + text.size(), ' ');
    line.replace(column, text.size(), text);
  }
  return line;
}

TEST(FixedColumns, CtLines) {
  QsoRecord def;
  SetField(def.Power, "100");
  QsoRecord r = def;
  const std::string line =
      Columns({{0, "3"}, {3, "Nov"}, {7, "24"}, {10, "2315"}, {20, "40"}, {24, "SSB"}, {29, "w1aw"}, {43, "57"}, {47, "12"}});
  ASSERT_TRUE(ParseCtLine(line, r));
  EXPECT_EQ(FieldText(r.Freq), "7");
  EXPECT_EQ(FieldText(r.Call), "W1AW");
  EXPECT_EQ(FieldText(r.RstSent), "59");  // "599" cut to a telephony report
  EXPECT_EQ(FieldText(r.Power), "100");   // from the default record
  EXPECT_EQ(r.Day, 4);                    // 23:15 UTC is 08:15 JST the next day
  EXPECT_EQ(r.Hour, 8);
  EXPECT_EQ(FieldText(r.Remarks), "No[12] My[57]");

  // Column 19 in use shifts everything from column 20 one to the right.
  QsoRecord shifted = def;
  ASSERT_TRUE(ParseCtLine(Columns({{0, "3"}, {3, "NOV"}, {7, "24"}, {10, "0100"}, {19, "x"}, {21, "20"}, {25, "CW"},
                                   {30, "JA1ABC"}}),
                          shifted));
  EXPECT_EQ(FieldText(shifted.Freq), "14");
  EXPECT_EQ(FieldText(shifted.Call), "JA1ABC");
  EXPECT_EQ(FieldText(shifted.RstSent), "599");

  QsoRecord none = def;
  EXPECT_FALSE(ParseCtLine("   header line", none));
}

TEST(FixedColumns, TrLogLines) {
  const std::string line = Columns({{0, "20"}, {3, "CW"}, {7, "03"}, {10, "Nov"}, {14, "24"}, {17, "12"}, {20, "34"},
                                    {23, "17"}, {29, "ja1abc"}, {44, "599"}, {49, "579"}, {53, "Tokyo"}, {69, "  "}});
  QsoRecord r;
  ASSERT_TRUE(ParseTrLogLine(line, r));
  EXPECT_EQ(FieldText(r.Call), "JA1ABC");
  EXPECT_EQ(FieldText(r.Qth), "Tokyo");
  EXPECT_EQ(r.Hour, 21);
  EXPECT_EQ(r.Minute, 34);
  EXPECT_EQ(FieldText(r.Remarks), "No[17] My[579]");
  QsoRecord other;
  EXPECT_FALSE(ParseTrLogLine(line.substr(0, 69), other));  // too short
  EXPECT_FALSE(ParseTrLogLine("x" + line.substr(1, 6) + "x" + line.substr(8), other));
}

std::vector<QsoRecord> ReadAdif(std::string_view data, std::vector<int>* positions = nullptr) {
  AdifReader reader(data);
  std::vector<QsoRecord> out;
  QsoRecord r;
  int position = 0;
  for (RecordSource::Step step; (step = reader.Next(r)) != RecordSource::Step::End;) {
    ++position;
    if (step == RecordSource::Step::Record && reader.Accepts(r)) {
      out.push_back(r);
      if (positions) positions->push_back(position);
    }
  }
  return out;
}

TEST(Adif, TagsDatesAndDefaults) {
  const std::string data =
      "Exported <by> some logger\n<ADIF_VER:5>3.1.0 <EOH>\n"
      "<call:6>JA1ABC <BAND:3>20m <FREQ:7>14.0254 <QSO_DATE:8>20241103 <TIME_ON:4>2315 <TIME_OFF:4>2230 "
      "<MODE:3>SSB <RST_RCVD:2>57 <QSL_VIA:6>JA1MGR <COMMENT:3>tnx <QSLMSG:2>73 <eor>\n"
      "<CALL:0><EOR>\n"  // no call: counted, not loaded
      "<CALL:4>W1AW<RST_SENT:3>599<RST_SENT:2>+5<MODE:2>CW<QSL_SENT:1> ";
  std::vector<int> positions;
  auto qsos = ReadAdif(data, &positions);
  ASSERT_EQ(qsos.size(), 2u);
  EXPECT_EQ(positions, (std::vector<int>{1, 3}));
  const QsoRecord& r = qsos[0];
  EXPECT_EQ(FieldText(r.Freq), "14.025");
  EXPECT_EQ(r.Year, 24);
  EXPECT_EQ(r.Month, 11);
  EXPECT_EQ(r.Day, 4);  // 23:15 UTC
  EXPECT_EQ(r.Hour, 8);
  EXPECT_EQ(FieldText(r.RstSent), "59");  // default "599" cut for SSB
  EXPECT_EQ(FieldText(r.Remarks), "tnx END\xA2" "0730\xA3 My\xA2" "57\xA3 QSL[JA1MGR] MSG\xA2" "73\xA3");
  EXPECT_EQ(FieldText(qsos[1].RstSent), "+5599");  // the later value goes first
  EXPECT_EQ(qsos[1].QslSent, '\0');
}

TEST(Adif, LongLinesValuesAcrossLineBreaksAndHostileLengths) {
  std::string data = std::string(5000, ' ') + "<CALL:6>JA1ABC<NAME:6>Ta\r\nro <EOR>";
  auto qsos = ReadAdif(data);
  ASSERT_EQ(qsos.size(), 1u);
  EXPECT_EQ(FieldText(qsos[0].Name), "Ta\r\nro");

  qsos = ReadAdif("<CALL:99999999>W1AW<NAME:3>Bob<EOR><CALL:3>K1A<EOR>");
  ASSERT_EQ(qsos.size(), 1u);  // the first record's call is beyond the file: empty
  EXPECT_EQ(FieldText(qsos[0].Call), "K1A");
  EXPECT_TRUE(ReadAdif("<CALL:4>W1").empty());
  EXPECT_TRUE(ReadAdif("<<<:::>>><CALL:x>").empty());
  ASSERT_EQ(ReadAdif("<CALL:4:S>W1AW").size(), 1u);  // a record in progress at the end, with a type
}

TEST(Adif, Utf8FilesByteAndCharacterCounts) {
  // "Zoë" is 3 characters and 4 bytes; "山田" 2 characters and 6 bytes.
  const std::string chars = "<CALL:4>F1AB <NAME:3>Zoë <QTH:2>山田 <EOR>\n";
  const std::string bytes = "<CALL:4>F1AB <NAME:4>Zoë <QTH:6>山田<EOR>\n";
  EXPECT_TRUE(LooksLikeUtf8(chars));
  EXPECT_FALSE(LooksLikeUtf8("plain ascii"));
  EXPECT_FALSE(LooksLikeUtf8(FromUnicode("山田")));  // CP932
  for (const std::string& data : {chars, bytes}) {
    auto qsos = ReadAdif(data);
    ASSERT_EQ(qsos.size(), 1u) << data;
    EXPECT_EQ(FieldText(qsos[0].Name), "Zo?") << data;  // "ë" has no CP932 form
    EXPECT_EQ(FieldText(qsos[0].Qth), FromUnicode("山田")) << data;
  }
  // A CP932 file is read byte for byte.
  auto cp932 = ReadAdif("<CALL:4>JA1A<NAME:4>" + FromUnicode("山田") + "<EOR>");
  ASSERT_EQ(cp932.size(), 1u);
  EXPECT_EQ(FieldText(cp932[0].Name), FromUnicode("山田"));
  // A byte-order mark marks UTF-8 even for ASCII content.
  EXPECT_TRUE(LooksLikeUtf8("\xEF\xBB\xBF<CALL:3>K1A"));
  EXPECT_EQ(ReadAdif("\xEF\xBB\xBF<CALL:3>K1A<EOR>").size(), 1u);
}

TEST(Cabrillo, QsoLines) {
  CabrilloOptions options;
  QsoRecord r;
  const std::string line = "QSO:  7025 CW 2024-11-03 2315 JA1XYZ        599 25     W1AW          599 05     0";
  ASSERT_TRUE(ParseCabrilloQso(line, options, r));
  EXPECT_EQ(FieldText(r.Freq), "7.025");
  EXPECT_EQ(FieldText(r.Mode), "CW");
  EXPECT_EQ(FieldText(r.Call), "W1AW");  // the two-word sent exchange is passed
  EXPECT_EQ(FieldText(r.RstSent), "599");
  EXPECT_EQ(r.Year, 24);
  EXPECT_EQ(r.Day, 4);
  EXPECT_EQ(r.Hour, 8);

  ASSERT_TRUE(ParseCabrilloQso("qso: 14000 PH 2024-11-03 0100 JA1XYZ 59 13 w1aw", options, r));
  EXPECT_EQ(FieldText(r.Freq), "14");
  EXPECT_EQ(FieldText(r.Mode), "SSB");
  EXPECT_EQ(FieldText(r.Call), "W1AW");
  ASSERT_TRUE(ParseCabrilloQso("QSO: 1800 CW 2024-11-03 0100 JA1XYZ 599 1 K1A", options, r));
  EXPECT_EQ(FieldText(r.Freq), "1.8");

  options.phoneRule = 2;
  ASSERT_TRUE(ParseCabrilloQso("QSO: 21200 PH 2024-11-03 0100 JA1XYZ 59 12 K1A", options, r));
  EXPECT_EQ(FieldText(r.Mode), "SSB");
  ASSERT_TRUE(ParseCabrilloQso("QSO: 28500 PH 2024-11-03 0100 JA1XYZ 59 12 K1A", options, r));
  EXPECT_EQ(FieldText(r.Mode), "PHONE");

  options.fixedCallColumn = true;
  ASSERT_TRUE(ParseCabrilloQso(line, options, r));
  EXPECT_EQ(FieldText(r.Call), "W1AW");  // column 55 of the template
  EXPECT_FALSE(ParseCabrilloQso("START-OF-LOG: 3.0", options, r));

  CabrilloOptionsDialog dialog(options);
  dialog.SetPhoneRule(9);
  EXPECT_EQ(dialog.Options().phoneRule, 3);
  dialog.SetFixedCallColumn(false);
  EXPECT_FALSE(dialog.CallColumnEnabled());
}

class TextLoadTest : public test::LoaderFixture<> {
 protected:
  TextLoadTest() { options.skipSendMark = false; }
};

TEST_F(TextLoadTest, CabrilloPositionsEndAndRecentList) {
  const std::string log =
      "START-OF-LOG: 3.0\nQSO: 7025 CW 2024-11-03 0100 JA1XYZ 599 25 W1AW 599 05\nSOAPBOX: hi\n"
      "QSO: 7026 CW 2024-11-03 0101 JA1XYZ 599 25 K1A 599 05\nEND-OF-LOG:\nQSO: 7027 CW 2024-11-03 0102 JA1XYZ 599 25 "
      "N1B 599 05\n";
  ui.QueueCabrilloDialog([](CabrilloOptionsDialog&) { return true; });
  const std::string cbr = dir.Write("test.cbr", log);
  ASSERT_TRUE(loader.OpenByName(cbr));
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(1).Position(), 2);
  EXPECT_EQ(options.recentLogs.Items().front(), cbr);

  const std::string txt = dir.Write("test.txt", log);
  ui.QueueCabrilloDialog([](CabrilloOptionsDialog&) { return true; });
  ui.QueueFileChoice(OpenFileChoice{txt, BuildLogFilterList(options.curLogType, options.curLogName).cabrilloFilterIndex});
  ASSERT_TRUE(loader.OpenLogDialog());
  EXPECT_EQ(options.curLogType, SrcCabrillo);
  EXPECT_EQ(options.recentLogs.Items().front(), cbr);  // a .txt file is not remembered

  ui.QueueCabrilloDialog([](CabrilloOptionsDialog&) { return false; });
  EXPECT_FALSE(loader.OpenByName(cbr));
  EXPECT_EQ(store.QsoCount(), 2u);
}

TEST_F(TextLoadTest, ContestLogsAskForTheDefaultRecordFirst) {
  const std::string line =
      Columns({{0, "3"}, {3, "Nov"}, {7, "24"}, {10, "2315"}, {20, "40"}, {24, "CW"}, {29, "w1aw"}, {43, "579"}});
  const std::string res = dir.Write("log.res", "header\n" + line + "\n");
  ui.QueueQsoEdit([](QsoRecord& r) {
    SetField(r.Name, "OM");
    return true;
  });
  ASSERT_TRUE(loader.OpenByName(res));
  ASSERT_EQ(store.QsoCount(), 1u);
  EXPECT_EQ(store.Entry(0).Position(), 2);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Name), "OM");
  ui.QueueQsoEdit([](QsoRecord&) { return false; });
  EXPECT_FALSE(loader.OpenByName(res));
}

}  // namespace
}  // namespace tevra
