// CT, TR-LOG, ADIF and Cabrillo logs.
#include <gtest/gtest.h>

#include <array>

#include "core/call_sign.h"
#include "core/encoding.h"
#include "core/text.h"
#include "import/adif_reader.h"
#include "import/contest_readers.h"
#include "import/loader_fixture.h"
#include "import/log_source.h"
#include "import/text_encoding.h"
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
    EXPECT_EQ(FieldText(qsos[0].Name), "Zoe") << data;  // "ë" has no CP932 form: its plain letter
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

// A tagged remark item with the corner brackets.
std::string Tag(std::string_view key, std::string_view value) {
  return std::string(key) + "\xA2" + std::string(value) + "\xA3";
}

TEST(Adif, WhatOtherLoggersWrite) {
  struct Case {
    std::string adif;
    std::string call, mode, freq;
    char sent, received;
    std::string remarks, via;
  };
  const Case cases[] = {
      // Lower-case tags and calls, FT4 as MFSK with its submode, "N" marks.
      {"<call:6>dl4bdf<band:3>20m<mode:4>MFSK<submode:3>FT4<qsl_sent:1>N<qsl_rcvd:1>N<eor>", "DL4BDF", "FT4", "14",
       '\0', '\0', Tag("QSL_SENT", "N") + " " + Tag("QSL_RCVD", "N"), "DL4BDF"},
      {"<CALL:4>K1AB<SUBMODE:3>JS8<MODE:4>MFSK<QSL_SENT:1>y<QSL_RCVD:1>V<EOR>", "K1AB", "JS8", "", 'Y', 'V', "",
       "K1AB"},
      {"<CALL:4>K1AB<QSL_SENT:1>R<QSL_RCVD:1>Y<EOR>", "K1AB", "", "", '\0', 'Y', Tag("QSL_SENT", "R"), "K1AB"},
      // A sideband is no mode of its own; a trailing blank or line break is
      // no part of a value; a long application field's value is no tag.
      {"<CALL:5>K2UTF<MODE:3>SSB<SUBMODE:3>USB<band:4>20m <EOR>", "K2UTF", "SSB", "14", 0, 0, "", "K2UTF"},
      {"<CALL:4>K1AB<COMMENT:5>hi\r\n <EOR>", "K1AB", "", "", 0, 0, "hi", "K1AB"},
      {"<APP_N1MMPLUS_SOMEVERYLONGFIELDNAME_X:12><CALL:4>W9ZZ<CALL:4>K1AB<EOR>", "K1AB", "", "", 0, 0, "", "K1AB"},
      // QSL_VIA as free text: only a call routes the card.
      {"<CALL:4>K1AB<QSL_VIA:10>via bureau<EOR>", "K1AB", "", "", 0, 0, Tag("QSL_VIA", "via bureau"), "K1AB"},
      {"<CALL:4>K1AB<QSL_VIA:4>LoTW<EOR>", "K1AB", "", "", 0, 0, Tag("QSL_VIA", "LoTW"), "K1AB"},
      {"<CALL:4>K1AB<QSL_VIA:17>PAPER, eQSL, LoTW<EOR>", "K1AB", "", "", 0, 0, Tag("QSL_VIA", "PAPER, eQSL, LoTW"),
       "K1AB"},
      {"<CALL:4>K1AB<QSL_VIA:12>QSL VIA N7RO<EOR>", "K1AB", "", "", 0, 0, "QSL[N7RO]", "N7RO"},
      {"<CALL:4>K1AB<QSL_VIA:16>DIRECT VIA RW6HS<EOR>", "K1AB", "", "", 0, 0, "QSL[RW6HS]", "RW6HS"},
      {"<CALL:4>K1AB<QSL_VIA:4>n7ro<EOR>", "K1AB", "", "", 0, 0, "QSL[N7RO]", "N7RO"},
      {"<CALL:4>K1AB<QSL_VIA:13>N7RO or RW6HS<EOR>", "K1AB", "", "", 0, 0, Tag("QSL_VIA", "N7RO or RW6HS"), "K1AB"},
      // Bands beyond the classic table, with no FREQ.
      {"<CALL:4>K1AB<BAND:3>60m<EOR>", "K1AB", "", "5.06", 0, 0, "", "K1AB"},
      {"<CALL:4>K1AB<BAND:5>2190M<EOR>", "K1AB", "", "0.136", 0, 0, "", "K1AB"},
      {"<CALL:4>K1AB<BAND:4>33cm<EOR>", "K1AB", "", "902", 0, 0, "", "K1AB"},
      {"<CALL:4>K1AB<BAND:5>submm<EOR>", "K1AB", "", "300G", 0, 0, "", "K1AB"},
  };
  for (const Case& c : cases) {
    const auto qsos = ReadAdif(c.adif);
    ASSERT_EQ(qsos.size(), 1u) << c.adif;
    const QsoRecord& r = qsos[0];
    EXPECT_EQ(FieldText(r.Call), c.call) << c.adif;
    EXPECT_EQ(FieldText(r.Mode), c.mode) << c.adif;
    EXPECT_EQ(FieldText(r.Freq), c.freq) << c.adif;
    EXPECT_EQ(r.QslSent, c.sent) << c.adif;
    EXPECT_EQ(r.QslRcvd, c.received) << c.adif;
    EXPECT_EQ(FieldText(r.Remarks), c.remarks) << c.adif;
    EXPECT_EQ(ViaCall(r), c.via) << c.adif;
  }
  // SSB keeps its two-digit report when the log gave none.
  EXPECT_EQ(FieldText(ReadAdif("<CALL:5>K2UTF<MODE:3>SSB<SUBMODE:3>LSB<EOR>")[0].RstSent), "59");
}

TEST(Adif, QslViaRoutesOnlyToACall) {
  const std::pair<const char*, const char*> cases[] = {
      {"QSL VIA RW6HS", "RW6HS"},
      {"via PI4DEC", "PI4DEC"},
      {"paper QSL via SP5C or LOTW", "SP5C"},
      {"QSL manager: Pedro, EA5GL", "EA5GL"},
      {"QSL Manager G4KZZ VIA RSGB BUREAU PLEASE.", "G4KZZ"},
      {"via 3DA0RS direct", "3DA0RS"},
      {"via DL/2E0ABC/P", "DL/2E0ABC/P"},
      {"PSE SASE 2USD", ""},
      {"no paper QSL for FT8 pls", ""},
      {"Direct; via VE3 QSL Bureau", ""},
      {"Biuro PZK OT-20", ""},
      {"EQSL-ONLY-G6INU", ""},
      {"30717080GIRONA", ""},
      {"via bureau", ""},
      {"C4FM", ""},
  };
  for (const auto& [text, route] : cases) EXPECT_EQ(QslViaRoute(text).value_or(""), route) << text;
}

TEST(Adif, RecordsThatLostTheirEndAreRecovered) {
  // No <EOR> anywhere: each CALL starts the next record.
  AdifReader reader("<CALL:4>K1AB <BAND:3>20m\n<CALL:4>K2AB <BAND:3>40m\n<CALL:4>K3AB <BAND:3>15m\n");
  std::vector<std::string> calls;
  QsoRecord r;
  while (reader.Next(r) == RecordSource::Step::Record) calls.push_back(std::string(FieldText(r.Call)) + "/" +
                                                                        std::string(FieldText(r.Freq)));
  EXPECT_EQ(calls, (std::vector<std::string>{"K1AB/14", "K2AB/7", "K3AB/21"}));
  EXPECT_EQ(reader.RecoveredRecords(), 3u);
}

TEST(Adif, EncodingsOfOtherPrograms) {
  const std::string latin1 = "Ju\xE1n Mu\xF1oz";
  struct Case {
    std::string bytes;
    TextEncoding detected;
  };
  const Case cases[] = {
      {"<NAME:10>" + latin1 + " <NAME:13>J\xFCrgen M\xFCller <EOR>", TextEncoding::Latin1},
      {"<NAME:5>G\xF6ran<EOR>", TextEncoding::Latin1},
      {"<NAME:4>" + FromUnicode("山田") + "<QTH:6>" + FromUnicode("東京都") + "<EOR>", TextEncoding::Cp932},
      {"<NAME:4>" + FromUnicode("ﾔﾏﾀﾞ") + "<EOR>", TextEncoding::Cp932},
      {"<NAME:10>Juán Muñoz<EOR>", TextEncoding::Utf8},
      {"<NAME:3>Bob<EOR>", TextEncoding::Cp932},  // ASCII
      // UTF-8 with one Latin-1 byte typed by hand: Latin-1 for that field.
      {"<NAME:11>Juán Muñoz<NAME:5>G\xF6ran<QTH:6>山田<EOR>", TextEncoding::Latin1},
      // Mixed files: valid UTF-8 sequences (C3 A1 looks like two half-width
      // kana) are no sign of CP932; the other high bytes decide.
      {"<NAME:10>" + latin1 + " <EOR>\n<NAME:12>Juán Muñoz <EOR>", TextEncoding::Latin1},
      {"<NAME:12>Juán Muñoz<QTH:6>" + FromUnicode("東京都") + "<EOR>", TextEncoding::Cp932},
      {"<NAME:12>Juán Muñoz<NAME:6>" + FromUnicode("ﾀﾛｳｻﾝ") + "<EOR>", TextEncoding::Cp932},
      {"<NAME:6>" + FromUnicode("ﾀﾛｳﾂｱ") + "<EOR>", TextEncoding::Cp932},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectTextEncoding(c.bytes), c.detected) << c.bytes;

  // Every field arrives as CP932, letters without a CP932 form as their
  // plain letters; a valid UTF-8 field stays UTF-8 in a Latin-1 file.
  auto qsos = ReadAdif("<CALL:5>EA4AB<NAME:10>" + latin1 + "<QTH:6>山田<EOR><CALL:5>DL1AB<NAME:6>Stra\xDF" "e<EOR>");
  ASSERT_EQ(qsos.size(), 2u);
  EXPECT_EQ(FieldText(qsos[0].Name), "Juan Munoz");
  EXPECT_EQ(FieldText(qsos[0].Qth), FromUnicode("山田"));
  EXPECT_EQ(FieldText(qsos[1].Name), "Strasse");
  qsos = ReadAdif("<EOH>\n<CALL:5>N1ISO <NAME:10>Ju\xE1n Mu\xF1oz <EOR>\n<CALL:5>N2UTF <NAME:12>Juán Muñoz <EOR>\n");
  ASSERT_EQ(qsos.size(), 2u);
  EXPECT_EQ(FieldText(qsos[0].Name), "Juan Munoz");
  EXPECT_EQ(FieldText(qsos[1].Name), "Juan Munoz");
  // The user's choice overrides the detection.
  const std::string kanji = "<CALL:4>JA1A<NAME:4>" + FromUnicode("山田") + "<EOR>";
  AdifReader forced(kanji, TextEncoding::Latin1);
  QsoRecord r;
  ASSERT_EQ(forced.Next(r), RecordSource::Step::Record);
  EXPECT_NE(FieldText(r.Name), FromUnicode("山田"));

  std::optional<TextEncoding> chosen;
  EXPECT_TRUE(ParseEncodingName("ISO-8859-1", chosen));
  EXPECT_EQ(chosen, TextEncoding::Latin1);
  EXPECT_TRUE(ParseEncodingName("auto", chosen));
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_FALSE(ParseEncodingName("ebcdic", chosen));
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

TEST(Cabrillo, ExchangesOfEveryContest) {
  struct Case {
    std::string line;
    std::string call, report, freq, mode, remarks;
  };
  const Case cases[] = {
      // CQ WW RTTY: report, zone and state or "DX".
      {"QSO: 14080 RY 2024-09-28 0000 K1SFA 599 05 MA HK1X 599 09 DX", "HK1X", "599", "14.080", "RTTY",
       Tag("My", "599") + " " + Tag("STX", "05 MA") + " " + Tag("SRX", "09 DX")},
      // Sweepstakes: serial, precedence, check and section; no report.
      {"QSO: 7035 CW 2024-11-02 2100 K5NZ 0001 U 69 STX K8LX 0002 M 64 MI", "K8LX", "", "7.035", "CW",
       Tag("STX", "0001 U 69 STX") + " " + Tag("SRX", "0002 M 64 MI")},
      // A grid exchange on a VHF band designator.
      {"QSO: 144 PH 2024-06-08 1800 K1TEO FN31 W1AW FN31", "W1AW", "", "144", "SSB",
       Tag("STX", "FN31") + " " + Tag("SRX", "FN31")},
      // NAQP: a name is not a report; the transmitter id is dropped.
      {"QSO: 3550 CW 2024-01-06 1800 N1AB Ed CT K2CD Bob NY 1", "K2CD", "", "3.550", "CW",
       Tag("STX", "Ed CT") + " " + Tag("SRX", "Bob NY")},
      // Field Day, with leading blanks, FM and a band in GHz.
      {"  QSO: 1.2G FM 2024-06-22 1800 W1AW 10A CT K1AB 2B MA", "K1AB", "", "1200", "FM",
       Tag("STX", "10A CT") + " " + Tag("SRX", "2B MA")},
      {"QSO: 10G DG 2024-06-22 1800 W1AW FN31 K1AB FN42", "K1AB", "", "10.1G", "DG",
       Tag("STX", "FN31") + " " + Tag("SRX", "FN42")},
      {"QSO: 222 PH 2024-06-22 1800 W1AW 59 FN31 K1AB 59 FN42", "K1AB", "59", "220", "SSB",
       Tag("My", "59") + " " + Tag("STX", "FN31") + " " + Tag("SRX", "FN42")},
      {"QSO: LIGHT CW 2024-06-22 1800 W1AW K1AB", "K1AB", "", "LIGHT", "CW", ""},
      // Uneven words: the old rule (report, one exchange word, the call).
      {"QSO: 14000 PH 2024-11-03 0100 JA1XYZ 59 13 w1aw", "W1AW", "59", "14", "SSB", ""},
  };
  CabrilloOptions options;
  for (const Case& c : cases) {
    QsoRecord r;
    ASSERT_TRUE(ParseCabrilloQso(c.line, options, r)) << c.line;
    EXPECT_EQ(FieldText(r.Call), c.call) << c.line;
    EXPECT_EQ(FieldText(r.RstSent), c.report) << c.line;
    EXPECT_EQ(FieldText(r.Freq), c.freq) << c.line;
    EXPECT_EQ(FieldText(r.Mode), c.mode) << c.line;
    EXPECT_EQ(FieldText(r.Remarks), c.remarks) << c.line;
  }
}

// Whether a log's exchanges open with a report is decided for the whole
// log: serial numbers such as 11-59 look like reports line by line.
TEST(Cabrillo, ReportOrSerialIsDecidedPerLog) {
  const auto lines = [](std::string_view contest, std::initializer_list<std::string_view> qsos) {
    std::string log = "START-OF-LOG: 3.0\n";
    if (!contest.empty()) log += "CONTEST: " + std::string(contest) + "\n";
    for (std::string_view q : qsos) log += "QSO: 28026 CW 2024-11-02 2110 " + std::string(q) + "\n";
    return log;
  };
  struct Case {
    std::string log;
    bool reports;
  };
  const Case cases[] = {
      // Sweepstakes without zero-padded serials: every serial here is RST-shaped.
      {lines("", {"KD4D 11 U 71 MDC KN6TZK 2 A 22 SJV", "KD4D 12 U 71 MDC AK1MD 123 B 18 EMA",
                  "KD4D 13 U 71 MDC W1AW 5 A 40 CT", "KD4D 14 U 71 MDC K1AR 33 B 60 NH"}),
       false},
      {lines("ARRL-SS-CW", {"KD4D 58 U 71 MDC AK1MD 123 B 18 EMA"}), false},
      {lines("NAQP-CW", {"N1AB 55 CT K2CD 34 NY"}), false},
      {lines("MI-QSO-PARTY", {"N1AB 59 CT K2CD 59 NY"}), false},
      // Reports: constant, varying, or named by the header on a first line
      // that could be a serial.
      {lines("", {"JA1XYZ 599 25 W1AW 599 05", "JA1XYZ 599 25 K1A 599 05", "JA1XYZ 599 25 N1B 599 05"}), true},
      {lines("", {"JA1XYZ 59 25 W1AW 57 05", "JA1XYZ 55 25 K1A 59 05", "JA1XYZ 59 25 N1B 59 05"}), true},
      {lines("CQ-WW-SSB", {"JA1XYZ 12 25 W1AW 57 05", "JA1XYZ 13 25 K1A 59 05"}), true},
      {lines("", {}), false},
  };
  for (const Case& c : cases) EXPECT_EQ(CabrilloLogHasReports(c.log), c.reports) << c.log;

  // What the two readings put on the card.
  QsoRecord r;
  ASSERT_TRUE(ParseCabrilloQso("QSO: 28026 CW 2024-11-02 2110 KD4D 58 U 71 MDC AK1MD 123 B 18 EMA", {}, r, false));
  EXPECT_EQ(FieldText(r.RstSent), "");
  EXPECT_EQ(FieldText(r.Remarks), Tag("STX", "58 U 71 MDC") + " " + Tag("SRX", "123 B 18 EMA"));
  ASSERT_TRUE(ParseCabrilloQso("QSO: 28026 CW 2024-11-02 2110 JA1XYZ 12 25 W1AW 57 05", {}, r, true));
  EXPECT_EQ(FieldText(r.RstSent), "12");
  EXPECT_EQ(FieldText(r.Remarks), Tag("My", "57") + " " + Tag("STX", "25") + " " + Tag("SRX", "05"));
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

TEST_F(TextLoadTest, LogsOfContestProgramsNamedLogAndWhatALoadReports) {
  // A contest logger's Cabrillo file named .log, with CR line ends and a
  // Latin-1 name in the header.
  const std::string cbr = dir.Write("cqww.log", "START-OF-LOG: 3.0\rNAME: Jos\xE9\r"
                                                " QSO: 14025 CW 2024-11-23 0000 EA4AB 599 14 K1AB 599 05\r"
                                                "QSO: 144 FM 2024-11-23 0001 EA4AB 59 IN80 W1AW 59 FN31\r"
                                                "END-OF-LOG:\r");
  ui.QueueCabrilloDialog([](CabrilloOptionsDialog&) { return true; });
  ASSERT_TRUE(loader.OpenByName(cbr));
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(options.curLogType, SrcCabrillo);
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "W1AW");
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Freq), "144");

  // A damaged ADIF: records without <EOR>, one without its "<".
  const std::string adi = dir.Write("damaged.log", "<ADIF_VER:5>3.1.0<EOH>\n"
                                                   "<CALL:4>K1AB <QSO_DATE:8>20240105\n"
                                                   "<CALL:4>K2AB <QSO_DATE:8>20240105 <EOR>\n"
                                                   "CALL:4>K3AB <QSO_DATE:8>20240105 <EOR>\n"
                                                   "<CALL:4>K4AB <QSO_DATE:4>2024 <EOR>\n");
  ASSERT_TRUE(loader.OpenByName(adi));
  EXPECT_EQ(options.curLogType, SrcAdif);
  const LoadReport& report = loader.LastReport();
  EXPECT_EQ(report.records, 4u);
  EXPECT_EQ(report.loaded, 3u);
  EXPECT_EQ(report.noCall, 1u);     // K3AB lost its "<"
  EXPECT_EQ(report.recovered, 1u);  // K1AB lost its <EOR>
  EXPECT_EQ(report.noDate, 1u);     // K4AB
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
