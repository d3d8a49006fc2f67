#include "import/native_readers.h"

#include <gtest/gtest.h>

#include <array>

#include "core/text.h"
#include "import/loader_fixture.h"
#include "import/log_writers.h"
#include "log/log_store.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

std::vector<QsoRecord> ReadAll(RecordSource& reader, std::vector<RecordSource::Step>* steps = nullptr) {
  std::vector<QsoRecord> out;
  QsoRecord r;
  for (;;) {
    auto step = reader.Next(r);
    if (step == RecordSource::Step::End) break;
    if (steps) steps->push_back(step);
    if (step == RecordSource::Step::Record) out.push_back(r);
  }
  return out;
}

std::string Tag(std::string_view key, std::string_view value) {
  return std::string(key) + kCornerOpen + std::string(value) + kCornerClose;
}

TEST(Mdt, FieldsTimesAndTags) {
  test::MdtQso q;
  q.start = 30600;      // 17:00:00
  q.end = 30600 + 450;  // 17:15
  q.call = "JA1ABC";
  q.rst = "599";
  q.user1 = "U1";
  q.received = "579";
  q.band = 14;
  q.detail = 1234;
  q.mode = 1;
  q.power = "100";
  q.name = "Taro";
  q.qth = "Tokyo";
  q.myQsl = "via buro";
  q.sent = 'J';
  q.mark = '*';
  q.env = 3;
  q.remark = "rem";
  q.opt1 = "o1";
  MdtReader reader(test::MdtFile({q}));
  auto qsos = ReadAll(reader);
  ASSERT_EQ(qsos.size(), 1u);
  const QsoRecord& r = qsos[0];
  EXPECT_EQ(r.Hour, 17);
  EXPECT_EQ(r.Minute, 0);
  EXPECT_EQ(r.Month, 11);
  EXPECT_EQ(r.Day, 3);
  EXPECT_EQ(FieldText(r.Freq), "1252.34");
  EXPECT_EQ(FieldText(r.Mode), "CW");
  EXPECT_EQ(r.QslSent, 'J');
  EXPECT_EQ(r.Env, 3);
  EXPECT_EQ(FieldText(r.Remarks), Tag("mQSL", "via buro") + " " + Tag("REM", "rem") + " " + Tag("My", "579") + " " +
                                      Tag("END", "1715") + " " + Tag("OPT", "o1") + " " + Tag("USR1", "U1") + " " + Tag("M", "*"));
}

TEST(Mdt, ModesFrequenciesAndLyingCounts) {
  test::MdtQso user;
  user.mode = 50;
  test::MdtQso beyond;
  beyond.mode = 200;  // would name a text beyond the header
  MdtReader reader(test::MdtFile({user, beyond}, {{50, "FT8"}}, 1000));
  auto qsos = ReadAll(reader);
  ASSERT_EQ(qsos.size(), 2u);  // the count is believed only as far as the file goes
  EXPECT_EQ(FieldText(qsos[0].Mode), "FT8");
  EXPECT_EQ(FieldText(qsos[1].Mode), "");

  EXPECT_EQ(MdtFrequency(4, 25), "7.025");
  EXPECT_EQ(MdtFrequency(12, 1250), "145.250");
  EXPECT_EQ(MdtFrequency(12, -13), "144/430");
  EXPECT_EQ(MdtFrequency(0, 50), "");
  EXPECT_EQ(MdtFrequency(6, 0), "14");
  EXPECT_EQ(MdtFrequency(19, 7), "24G");
  EXPECT_EQ(MdtFrequency(-3, 7), ".007");
  EXPECT_EQ(MdtFrequency(99, 7), "");

  MdtReader shortFile(std::string(100, '\0'));
  EXPECT_TRUE(ReadAll(shortFile).empty());
}

TEST(L2, FieldsAndRemarkItems) {
  std::vector<std::string> f = {"241103", "0930", "0945", "JA1ABC", "7.045.", "SSB", "59", "57", "Tokyo", "",
                                "IC-705  ", "ALLJA  ", "hello " + Tag("Env", "2") + " " + Tag("Pow", "50W") + " " +
                                Tag("OP", "Jiro") + "  ", "Chiba", "FT-991", "", "N"};
  L2Reader reader(test::L2Record(f) + test::L2Record({"xx"}) + std::string(50, ' '));
  auto qsos = ReadAll(reader);
  ASSERT_EQ(qsos.size(), 2u);  // the cut third record is not read
  const QsoRecord& r = qsos[0];
  EXPECT_EQ(r.Year, 24);
  EXPECT_EQ(r.Day, 3);
  EXPECT_EQ(r.Hour, 9);
  EXPECT_EQ(r.Minute, 30);
  EXPECT_EQ(FieldText(r.Freq), "7.045");
  EXPECT_EQ(FieldText(r.Name), "Jiro");  // from the OP item, the name field being empty
  EXPECT_EQ(FieldText(r.Power), "50W");
  EXPECT_EQ(r.Env, 2);
  EXPECT_EQ(r.QslSent, '\0');
  EXPECT_EQ(r.QslRcvd, 'N');
  EXPECT_EQ(FieldText(r.Remarks), Tag("REM", "hello " + Tag("OP", "Jiro")) + " " + Tag("MyQTH", "Chiba") + " " +
                                      Tag("MyRIG", "FT-991") + " " + Tag("RIG", "IC-705") + " " +
                                      Tag("END", "0945") + " " + Tag("My", "57") + " " + Tag("Contest", "ALLJA"));
}

TEST(Dbs, FrequencyForms) {
  test::DbsQso q;
  test::DbsFrequencyText(q, "7.02");
  EXPECT_EQ(DbsFrequency(q.freq), "7.02");
  // Packed: 1400250 with the dot at 2 and trailing zeros dropped (n = 0).
  const std::uint8_t packed[4] = {0xBA, 0x5D, 0x15, 0x80 | 2};
  EXPECT_EQ(DbsFrequency(packed), "14.025");
  // n = 4: positions 5 and 6 blanked.
  const std::uint8_t cut[4] = {0xBA, 0x5D, 0x15, 0x80 | (4 << 3) | 2};
  EXPECT_EQ(DbsFrequency(cut), "14.02");
}

TEST(Dbs, RecordsRemarksAndRoutes) {
  test::DbsQso utc;
  utc.call = "W1AW";
  utc.minute = 5;
  utc.utc = true;
  utc.hour = 20;
  utc.day = 3;
  utc.rstNumber = 59;
  utc.rstThird = '9';
  utc.receivedNumber = 57;
  utc.qth = "Newington";
  utc.remark1 = "tnx " + Tag("Env", "4");
  utc.remark2 = Tag("Pow", "1kW");
  utc.code = "1234";
  test::DbsQso dx;
  dx.call = "JA1ABC";
  dx.designator = "KH6";
  dx.remark1 = "$dx op";
  dx.route = 'N';
  test::DbsQso radio;
  radio.call = "JA1ABC";
  radio.remark2 = Tag("ToRadio", "jr1xyz");
  test::DbsQso lost;
  lost.call = "JA1LOST";
  lost.qth = "somewhere";
  lost.dbrOffsetOverride = 99999;  // beyond the .DBR file: no texts
  test::DbsQso deleted;
  deleted.flag = '*';
  deleted.call = "GONE";
  auto [dbs, dbr] = test::DbsFiles({utc, dx, radio, lost, deleted});
  DbsReader reader(dbs, dbr);
  std::vector<RecordSource::Step> steps;
  auto qsos = ReadAll(reader, &steps);
  ASSERT_EQ(qsos.size(), 4u);
  EXPECT_EQ(steps.back(), RecordSource::Step::Skipped);
  EXPECT_EQ(FieldText(qsos[3].Qth), "");
  EXPECT_EQ(qsos[0].Day, 4);  // 20:05 UTC is 05:05 JST the next day
  EXPECT_EQ(qsos[0].Hour, 5);
  EXPECT_EQ(qsos[0].Minute, 5);
  EXPECT_EQ(FieldText(qsos[0].RstSent), "599");
  EXPECT_EQ(FieldText(qsos[0].Qth), "Newington");
  EXPECT_EQ(qsos[0].Env, 4);
  EXPECT_EQ(FieldText(qsos[0].Power), "1kW");
  EXPECT_EQ(FieldText(qsos[0].Remarks), Tag("REM1", "tnx") + " " + Tag("My", "57") + " " + Tag("CODE", "1234"));
  EXPECT_EQ(FieldText(qsos[1].Call), "KH6/JA1ABC");  // "$DX": designator first
  EXPECT_EQ(qsos[1].QslSent, 'N');                 // route N and no mark: counts as sent
  EXPECT_EQ(FieldText(qsos[2].Call), "JR1XYZ");

  std::string badHeader = dbs;
  test::Put16(badHeader, 10, 59);
  EXPECT_FALSE(DbsHeaderValid(badHeader));
  EXPECT_TRUE(DbsHeaderValid(dbs));
  auto [lying, lyingDbr] = test::DbsFiles({utc}, 500);
  DbsReader lyingReader(lying, lyingDbr);
  EXPECT_EQ(ReadAll(lyingReader).size(), 1u);
}

TEST(Hdb, CallSignsFlagsAndWidths) {
  test::HdbQso portable;
  portable.call = "JA1AB";
  portable.portable = "C 3";
  portable.qsl = "NJ ";
  portable.rst = "59";
  portable.received = "55";
  portable.remark1 = "x " + Tag("Pow", "10W");
  test::HdbQso prefixed;
  prefixed.call = "JA1ABC";
  prefixed.portable = " KH6/";
  prefixed.flags = 0x0A;
  prefixed.utc = true;
  prefixed.hour = 15;
  prefixed.qsl = "N  ";
  test::HdbQso noCall;
  Th5Widths widths = kDefaultTh5Widths;
  widths[10] = 99;  // replaced from the header
  HdbReader reader(test::HdbFile({portable, prefixed, noCall}), widths);
  ASSERT_EQ(reader.Check(), HdbOpenResult::Ok);
  EXPECT_EQ(widths, kDefaultTh5Widths);
  auto qsos = ReadAll(reader);
  ASSERT_EQ(qsos.size(), 3u);
  EXPECT_EQ(FieldText(qsos[0].Call), "JA1ABC/3");
  EXPECT_EQ(qsos[0].QslSent, 'J');
  EXPECT_EQ(FieldText(qsos[0].Power), "10W");
  EXPECT_EQ(FieldText(qsos[0].Remarks), Tag("hQSL", "NJ") + " " + Tag("My", "55") + " " + Tag("REM1", "x"));
  EXPECT_EQ(FieldText(qsos[1].Call), "KH6/JA1ABC");
  EXPECT_EQ(qsos[1].QslSent, 'N');
  EXPECT_EQ(qsos[1].Day, 4);  // 15:00 UTC is 00:00 JST the next day
  EXPECT_EQ(qsos[1].Hour, 0);
  EXPECT_FALSE(reader.Accepts(qsos[2]));

  Th5Widths w = kDefaultTh5Widths;
  EXPECT_EQ(HdbReader(test::HdbFile({portable}, 0x30), w).Check(), HdbOpenResult::BadFormat);
  EXPECT_EQ(HdbReader(test::HdbFile({}), w).Check(), HdbOpenResult::NoRecords);
  EXPECT_EQ(HdbReader(test::HdbFile({portable}, 0x1A, 9999), w).Check(), HdbOpenResult::Ok);
  EXPECT_EQ(HdbReader(test::HdbFile({portable}).substr(0, 40), w).Check(), HdbOpenResult::BadFormat);
}

using NativeLoadTest = test::LoaderFixture<>;

TEST_F(NativeLoadTest, PositionsSkipSentAndArming) {
  test::MdtQso a, b;
  a.call = "JA1AAA";
  b.call = "JA1BBB";
  a.sent = 'J';  // skipped, but its position counts
  ASSERT_TRUE(loader.OpenByName(dir.Write("log.mdt", test::MdtFile({a, b}))));
  ASSERT_EQ(store.QsoCount(), 1u);
  EXPECT_EQ(store.Entry(0).Position(), 512);
  QsoRecord r;
  store.Read(0, r);
  EXPECT_EQ(r.SourceIndex, 1);
  EXPECT_TRUE(loader.BackupArmed());
  EXPECT_TRUE(loader.LogModificationTime().has_value());

  ASSERT_TRUE(loader.OpenByName(dir.Write("log.l2", test::L2Record({"241103", "0930", "", "K1A"}))));
  EXPECT_EQ(store.Entry(0).Position(), 0);

  test::DbsQso noCard;
  noCard.call = "JA1NOC";
  noCard.route = 'N';
  test::DbsQso card;
  card.call = "JA1YES";
  auto [dbs, dbr] = test::DbsFiles({noCard, card});
  EXPECT_FALSE(loader.OpenByName(dir.Write("log.dbs", dbs)));
  EXPECT_EQ(ui.Messages().back().text, "関連するＤＢＲファイルを読み込めません");
  dir.Write("log.DBR", dbr);
  ASSERT_TRUE(loader.OpenByName((dir.Path() / "log.dbs").string()));
  ASSERT_EQ(store.QsoCount(), 1u);  // route N counts as sent
  EXPECT_EQ(store.Entry(0).Position(), 449 + 58);

  EXPECT_FALSE(loader.OpenByName(dir.Write("bad.dbs", std::string(500, '\0'))));
  EXPECT_EQ(ui.Messages().back().text, "予期しないファイル形式です。読み込みを中止します。");
  EXPECT_FALSE(loader.OpenByName(dir.Write("empty.hdb", test::HdbFile({}))));
  EXPECT_EQ(ui.Messages().back().text, "レコードが存在しません.");
}

}  // namespace
}  // namespace tevra
