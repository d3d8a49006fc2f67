#include "log/log_store.h"

#include <gtest/gtest.h>

#include <array>

#include "support/scripted_ui.h"

namespace tevra {
namespace {

QsoRecord Qso(std::string_view call, int minute = 0) {
  QsoRecord r;
  r.Year = 24;
  r.Month = 1;
  r.Day = 2;
  r.Hour = 23;
  r.Minute = static_cast<std::uint8_t>(minute);
  SetField(r.Call, call);
  SetField(r.Freq, "7.045");
  return r;
}

class LogStoreTest : public ::testing::Test {
 protected:
  void Fill(int count) {
    for (int i = 0; i < count; ++i) store.Add(Qso("JA1AA" + std::to_string(i), i), i + 1);
    store.Regroup();
  }
  test::ScriptedUi ui;
  LogStore store{ui};
};

TEST_F(LogStoreTest, ReadBuildsTheRecordBack) {
  QsoRecord in = Qso("JA1ABC", 5);
  SetField(in.RstSent, "599");
  SetField(in.Mode, "CW");
  SetField(in.Power, "100");
  SetField(in.Name, "\x8E\x52\x93\x63");
  SetField(in.Qth, "Tokyo");
  SetField(in.Remarks, "REM\xA2x\xA3");
  in.QslSent = 'J';
  in.QslRcvd = 'N';
  in.Env = 70000;
  store.Add(in, 7);
  QsoRecord out;
  ASSERT_TRUE(store.Read(0, out));
  EXPECT_EQ(out.Env, 4464);  // only the low 16 bits are kept
  EXPECT_EQ(out.SourceIndex, 6);
  in.Env = 4464;
  in.SourceIndex = 6;
  EXPECT_EQ(out, in);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Date), "24/01/02");
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Time), "2305");
  EXPECT_FALSE(store.Read(1, out));
}

TEST_F(LogStoreTest, SourceIndexFollowsTheSourceType) {
  struct Case {
    LogSourceType type;
    std::int32_t position;
    std::int32_t index;
  } cases[] = {{SrcKuvalText, 1, 0}, {SrcCsv, 10, 9},    {SrcKuvalData, 512, 1},
               {SrcLog200, 400, 2},  {SrcHamlog, 449, 0}, {SrcHamlog, 449 + 58 * 3, 3},
               {SrcAdif, 17, 16},    {SrcCabrillo, 1, 0}, {SrcPlugin, 0, 0}};
  for (const auto& c : cases) {
    store.Clear();
    store.SetSourceType(c.type);
    store.Add(Qso("K1A"), c.position);
    QsoRecord r;
    ASSERT_TRUE(store.Read(0, r));
    EXPECT_EQ(r.SourceIndex, c.index) << "type " << c.type << " position " << c.position;
  }
}

TEST_F(LogStoreTest, OneQsoPerCardAndCardReads) {
  Fill(3);
  EXPECT_EQ(store.CardCount(), 3u);
  std::array<QsoRecord, 16> buffer;
  buffer.fill(Qso("STALE"));
  ASSERT_TRUE(store.ReadCard(2, buffer));
  EXPECT_EQ(store.CurrentCard(), 2u);
  EXPECT_EQ(store.CurrentQso(), 2u);
  EXPECT_EQ(store.CurrentCardQsoCount(), 1);
  EXPECT_EQ(FieldText(buffer[0].Call), "JA1AA2");
  EXPECT_EQ(FieldText(buffer[1].Call), "STALE");  // beyond QSOs-per-card: untouched
  EXPECT_FALSE(store.ReadCard(3, buffer));
  EXPECT_EQ(store.CurrentCard(), 2u);
}

TEST_F(LogStoreTest, ReadCardZeroFillsUnusedSlotsOfTheCard) {
  Fill(3);
  store.SetQsosPerCard(4);
  std::array<QsoRecord, 16> buffer;
  buffer.fill(Qso("STALE"));
  ASSERT_TRUE(store.ReadCard(2, buffer));
  EXPECT_EQ(store.CurrentCardQsoCount(), 1);
  EXPECT_EQ(FieldText(buffer[1].Call), "");
  EXPECT_EQ(FieldText(buffer[3].Call), "");
  EXPECT_EQ(FieldText(buffer[4].Call), "STALE");
}

TEST_F(LogStoreTest, PrintedMarksPositionsAndDeletion) {
  Fill(4);
  store.MarkCardPrinted(1);
  store.MarkCardPrinted(3);
  store.MarkCardPrinted(9);  // out of range: nothing
  EXPECT_EQ(store.PrintedPosition(0), -1);
  EXPECT_EQ(store.PrintedPosition(1), 2);
  EXPECT_EQ(store.PrintedPosition(3), 4);
  EXPECT_EQ(store.PrintedPosition(99), -1);
  EXPECT_EQ(store.Entry(1).Ref(), 0x80000002u);

  store.ClearPrinted(3);
  EXPECT_EQ(store.PrintedPosition(3), -1);
  store.ClearPrinted(17);  // beyond N: nothing
  store.MarkCardPrinted(3);

  store.DeletePrinted();
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "JA1AA0");
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "JA1AA2");
  EXPECT_EQ(store.CardCount(), 2u);
  EXPECT_EQ(ui.StatusHistory().back(), "");
  EXPECT_EQ(ui.StatusHistory()[ui.StatusHistory().size() - 2], "ＴＥＶＲＡ内の印刷済みデータを消去中...");

  store.MarkCardPrinted(0);
  store.MarkCardPrinted(1);
  store.ClearPrinted(-1);
  EXPECT_EQ(store.PrintedPosition(0), -1);
  EXPECT_EQ(store.PrintedPosition(1), -1);
}

TEST_F(LogStoreTest, ReplacedEntryLosesPositionAndMark) {
  Fill(2);
  store.MarkCardPrinted(0);
  store.Replace(0, Qso("JA1EDIT"));
  EXPECT_EQ(store.Entry(0).Ref(), 0u);
  store.MarkCardPrinted(0);
  EXPECT_EQ(store.PrintedPosition(0), -1);  // the write-back leaves the log alone
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "JA1EDIT");
}

TEST_F(LogStoreTest, PositionZeroIsStillAPosition) {
  store.SetSourceType(SrcLog200);
  store.Add(Qso("K1A"), 0);  // the first LOG200 record sits at offset 0
  store.Regroup();
  store.MarkCardPrinted(0);
  EXPECT_EQ(store.PrintedPosition(0), 0);
}

TEST_F(LogStoreTest, ClearResetsEverything) {
  Fill(3);
  std::array<QsoRecord, 16> buffer;
  store.ReadCard(2, buffer);
  store.Clear();
  EXPECT_EQ(store.QsoCount(), 0u);
  EXPECT_EQ(store.CardCount(), 0u);
  EXPECT_EQ(store.CurrentCard(), 0u);
  EXPECT_EQ(store.CurrentQso(), 0u);
  EXPECT_EQ(store.RouteState(), 0);
  EXPECT_EQ(ui.StatusHistory()[0], "ＴＥＶＲＡ内のログデータを消去中...");
  EXPECT_EQ(ui.Status(), "");
}

// Counts its lookups, so that the test sees when routes are recomputed.
class CountingEntities : public EntityLookup {
 public:
  std::string EntityOf(std::string_view call) const override {
    ++lookups;
    return call.starts_with("W") ? std::string("K") : std::string(kUnknownEntity);
  }
  mutable int lookups = 0;
};

TEST_F(LogStoreTest, RoutesUseTheManagerAndAreComputedLazily) {
  QsoRecord viaManager = Qso("VK2XYZ");
  SetField(viaManager.Remarks, "QSL[W1MGR]");
  QsoRecord nullManager = Qso("JA1ABC/1");
  SetField(nullManager.Remarks, "QSL[NULL]");
  store.Add(viaManager, 1);
  store.Add(nullManager, 2);
  store.Add(Qso("ZZ9ZZ"), 3);
  CountingEntities entities;

  store.ComputeRoutes(false, entities);
  EXPECT_EQ(store.RouteState(), 1);
  EXPECT_EQ(store.Entry(0).ViaCall(), "W1MGR");
  EXPECT_EQ(store.Entry(1).ViaCall(), "JA1ABC");  // "NULL": the home call
  EXPECT_EQ(entities.lookups, 0);

  store.ComputeRoutes(true, entities);  // adds the entities to the calls
  EXPECT_EQ(store.RouteState(), 3);
  EXPECT_EQ(store.Entry(0).ViaEnt(), "K");
  EXPECT_EQ(store.Entry(1).ViaEnt(), "JA");  // Japanese calls are not looked up
  EXPECT_EQ(store.Entry(2).ViaEnt(), "_?_");
  EXPECT_EQ(store.UnknownEntityCount(), 1u);
  EXPECT_EQ(entities.lookups, 2);

  store.ComputeRoutes(true, entities);  // already done
  EXPECT_EQ(entities.lookups, 2);

  // An edited entry is routed again on the next computation.
  store.Replace(2, Qso("W2EDIT"));
  store.ComputeRoutes(true, entities);
  EXPECT_EQ(store.Entry(2).ViaCall(), "W2EDIT");
  EXPECT_EQ(store.Entry(2).ViaEnt(), "K");
  EXPECT_EQ(store.UnknownEntityCount(), 0u);
}

}  // namespace
}  // namespace tevra
