// Cards per station and the QSL bureau order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/entity_table.h"
#include "log/log_store.h"
#include "support/scripted_ui.h"

namespace tevra {
namespace {

QsoRecord Qso(std::string_view call, int day = 1, int hhmm = 1200, std::string_view remarks = "", int env = 0) {
  QsoRecord r;
  r.Year = 24;
  r.Month = 5;
  r.Day = static_cast<std::uint8_t>(day);
  r.Hour = static_cast<std::uint8_t>(hhmm / 100);
  r.Minute = static_cast<std::uint8_t>(hhmm % 100);
  SetField(r.Call, call);
  SetField(r.Remarks, remarks);
  r.Env = env;
  return r;
}

class CardGrouping : public ::testing::Test {
 protected:
  void Add(const QsoRecord& r) { store.Add(r, static_cast<std::int32_t>(store.QsoCount() + 1)); }
  void AddCalls(std::initializer_list<std::string_view> calls) {
    for (auto c : calls) Add(Qso(c));
  }
  std::vector<std::string> Calls() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < store.QsoCount(); ++i) out.emplace_back(store.Entry(i).Text(LogEntry::Call));
    return out;
  }
  std::vector<std::size_t> CardSizes() const {
    std::vector<std::size_t> out;
    for (std::size_t c = 0; c < store.CardCount(); ++c) out.push_back(store.CardSize(c));
    return out;
  }
  void Sort(bool descending, BureauOrder order = {}) { store.SortBureau(descending, order, entities, entities.Empty()); }

  test::ScriptedUi ui;
  LogStore store{ui};
  EntityTable entities;
};

TEST_F(CardGrouping, StationsShareCardsUpToTheCount) {
  store.SetQsosPerCard(3);
  for (int i = 0; i < 4; ++i) Add(Qso("JA1AAA", 1, 1200 + i));
  Add(Qso("JA1AAA/1"));      // another call unless home calls are compared
  Add(Qso("JA1AAA", 2, 900, "QSL[JA1MGR]"));  // a manager starts a new card
  Add(Qso("JA1AAA", 2, 901, "", 2));          // and so does another Env
  store.Regroup();
  EXPECT_EQ(CardSizes(), (std::vector<std::size_t>{3, 1, 1, 1, 1}));  // 3 + 1, then one each
  EXPECT_EQ(ui.StatusHistory().front(), "ログデータのリピート展開を調整中...");
  EXPECT_EQ(ui.Status(), "");

  store.SetGrouping({.byHomeCall = true, .mixEnv = true, .partMark = {}});
  store.Regroup();
  // The portable QSO joins the 4th one; the manager still separates, and
  // the last QSO is compared with the manager's QSO that started its card.
  EXPECT_EQ(CardSizes(), (std::vector<std::size_t>{3, 2, 1, 1}));
}

TEST_F(CardGrouping, MyQthAndThePartMarkSeparateCards) {
  store.SetQsosPerCard(4);
  Add(Qso("JA2BBB", 1, 1200, "MyQTH\xA2Tokyo\xA3"));
  Add(Qso("JA2BBB", 1, 1210, "MyQTH\xA2Osaka\xA3"));
  Add(Qso("JA2BBB", 1, 1220, "MyQTH\xA2Osaka\xA3 REM\xA2x\xA3"));
  Add(Qso("JA2BBB", 1, 1230));
  store.Regroup();
  EXPECT_EQ(CardSizes(), (std::vector<std::size_t>{1, 2, 1}));

  // A part mark splits by its value, here the hour.
  store.SetGrouping({.byHomeCall = false, .mixEnv = false, .partMark = [](const QsoRecord& r) {
                       return std::to_string(r.Minute / 15);
                     }});
  store.Regroup();
  EXPECT_EQ(CardSizes(), (std::vector<std::size_t>{1, 1, 1, 1}));
}

TEST_F(CardGrouping, AreaCountersCountCardsByRoutingCall) {
  store.SetQsosPerCard(2);
  AddCalls({"JA1AA", "JA1AA", "JA1AA", "8J3XYZ", "7K1ABC", "7J6AAA", "JD1ABC", "W1AW", "JAXAA"});
  Add(Qso("VK2ZZ", 1, 1200, "QSL[JA7MGR]"));  // counted where the card goes
  store.Regroup();
  const auto& a = store.AreaCounts();
  EXPECT_EQ(a[1], 3u);   // JA1AA twice (2 + 1), 7K1ABC
  EXPECT_EQ(a[3], 1u);
  EXPECT_EQ(a[6], 1u);
  EXPECT_EQ(a[7], 1u);
  EXPECT_EQ(a[10], 2u);  // W1AW, and JD1ABC (JD is not a Japanese prefix)
  EXPECT_EQ(a[11], 1u);  // JAXAA: no area digit
}

TEST_F(CardGrouping, BureauOrderOfJapaneseCalls) {
  AddCalls({"JA1AA", "JA1AAA", "JA0AA", "JE1AA", "7K1AAA", "JA2AA"});
  const std::vector<std::string> ascending = {"JA1AA", "JA1AAA", "JE1AA", "JA2AA", "JA0AA", "7K1AAA"};
  for (bool jn2003 : {true, false}) {
    Sort(false, {.jn2003 = jn2003, .byEntity = false});
    EXPECT_EQ(Calls(), ascending);
    EXPECT_TRUE(store.Sorted());
    Sort(true, {.jn2003 = jn2003, .byEntity = false});
    EXPECT_EQ(Calls(), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
  }
  // 7 calls: the older order puts 7J first and then goes by area digit;
  // JN.2003 takes them as they spell. 8 calls go by area digit, 0 last.
  store.Clear();
  AddCalls({"7L1AA", "8N0A", "7K2AA", "8J3A", "7J1AB", "7K1ZZ", "8J1A"});
  Sort(false, {.jn2003 = false, .byEntity = false});
  EXPECT_EQ(Calls(), (std::vector<std::string>{"7J1AB", "7K1ZZ", "7L1AA", "7K2AA", "8J1A", "8J3A", "8N0A"}));
  Sort(false, {.jn2003 = true, .byEntity = false});
  EXPECT_EQ(Calls(), (std::vector<std::string>{"7J1AB", "7K1ZZ", "7K2AA", "7L1AA", "8J1A", "8J3A", "8N0A"}));
}

TEST_F(CardGrouping, ForeignCallsFollowAndAStationKeepsItsTimeOrder) {
  Add(Qso("3D2AA", 1));
  Add(Qso("W1AW", 3, 1200));
  Add(Qso("JA1AA", 2));
  Add(Qso("W1AW", 1, 2300));
  Add(Qso("DL1AA", 5));
  Add(Qso("W1AW", 1, 800));
  Sort(false);
  // Digit-first calls after letter-first ones.
  EXPECT_EQ(Calls(), (std::vector<std::string>{"JA1AA", "DL1AA", "W1AW", "W1AW", "W1AW", "3D2AA"}));
  EXPECT_EQ(store.Entry(2).Text(LogEntry::Time), "0800");
  EXPECT_EQ(store.Entry(4).Text(LogEntry::Date), "24/05/03");
  Sort(true);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"3D2AA", "W1AW", "W1AW", "W1AW", "DL1AA", "JA1AA"}));
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Time), "0800");  // still oldest first
  EXPECT_EQ(store.Entry(3).Text(LogEntry::Date), "24/05/03");

  store.SortByTime();
  EXPECT_FALSE(store.Sorted());
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Time), "0800");
  EXPECT_EQ(store.Entry(5).Text(LogEntry::Call), "DL1AA");
}

TEST_F(CardGrouping, SortAgreesWithKeyOrderOnLongCallsAndTies) {
  // Calls long enough that keys tie beyond their first sixteen bytes, the
  // same station under two managers and two Envs, equal times: the order
  // must be the plain order of (key, time, arrival) either way.
  const char* calls[] = {"JA1ABCDEFGHIJ", "JA1ABCDEFGHIK", "JA1ABCDEFGHIJ/P", "W1AWXYZQRSTUVW", "W1AWXYZQRSTUVX", "7K1ABC"};
  const char* remarks[] = {"", "QSL[JA1ZZZZ]", "QSL[JA1ZZZY]"};
  for (int i = 0; i < 120; ++i)
    Add(Qso(calls[i % 6], 3 - i / 36 % 3, 1200 + i / 108, remarks[i / 6 % 3], i / 18 % 2));
  for (const bool descending : {false, true}) {
    Sort(descending);
    for (std::size_t i = 1; i < store.QsoCount(); ++i) {
      const LogEntry &a = store.Entry(i - 1), &b = store.Entry(i);
      const BureauOrder order;
      const std::string ka = BureauKey(a.ViaCall(), a.ViaEnt(), a.Text(LogEntry::Call), a.Env(), order);
      const std::string kb = BureauKey(b.ViaCall(), b.ViaEnt(), b.Text(LogEntry::Call), b.Env(), order);
      if (ka != kb) {
        EXPECT_EQ(ka < kb, !descending) << i;
        continue;
      }
      const auto ta = TimeKey(a.Text(LogEntry::Date), a.Text(LogEntry::Time));
      const auto tb = TimeKey(b.Text(LogEntry::Date), b.Text(LogEntry::Time));
      EXPECT_TRUE(ta < tb || (ta == tb && a.Position() < b.Position())) << i;
    }
  }
  // Regrouped after the sort: a card never mixes managers or Envs.
  store.SetQsosPerCard(4);
  Sort(false);
  for (std::size_t c = 0; c < store.CardCount(); ++c)
    for (std::size_t k = 1; k < store.CardSize(c); ++k) {
      const LogEntry &first = store.Entry(store.CardStart(c)), &e = store.Entry(store.CardStart(c) + k);
      EXPECT_EQ(e.Text(LogEntry::Call), first.Text(LogEntry::Call));
      EXPECT_EQ(e.Text(LogEntry::Remarks), first.Text(LogEntry::Remarks));
      EXPECT_EQ(e.Env(), first.Env());
    }
}

TEST_F(CardGrouping, YearsBeforeFiftyAreThe2000s) {
  QsoRecord old = Qso("JA1AA");
  old.Year = 99;
  QsoRecord recent = Qso("JA1AA");
  recent.Year = 1;
  Add(recent);
  Add(old);
  store.SortByTime();
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Date), "99/05/01");
}

TEST_F(CardGrouping, EntityOrderPutsUnknownEntitiesLastAndSaysSo) {
  entities.LoadText("VK;VH-VN;Australia\nW;K,W,N,AA-AK;USA\nDL;DA-DL;Germany\n");
  AddCalls({"ZZ9ZZ", "K2AB", "VK3AA", "JA1AA", "W1AW", "DL1AA", "VK2AA"});
  Sort(false, {.jn2003 = true, .byEntity = true});
  // By entity, then by call area digit within it.
  EXPECT_EQ(Calls(), (std::vector<std::string>{"JA1AA", "DL1AA", "VK2AA", "VK3AA", "W1AW", "K2AB", "ZZ9ZZ"}));
  EXPECT_EQ(store.UnknownEntityCount(), 1u);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].text.find("不明なエンティティが 1 件ありました."), std::string::npos);
  EXPECT_NE(ui.Messages()[0].text.find("最後尾"), std::string::npos);

  Sort(true, {.jn2003 = true, .byEntity = true});
  EXPECT_EQ(Calls().front(), "ZZ9ZZ");
  EXPECT_NE(ui.Messages().back().text.find("先頭"), std::string::npos);

  // Without entity definitions the option has no effect and says nothing.
  entities.Clear();
  Sort(false, {.jn2003 = true, .byEntity = true});
  EXPECT_EQ(Calls(), (std::vector<std::string>{"JA1AA", "DL1AA", "K2AB", "VK2AA", "VK3AA", "W1AW", "ZZ9ZZ"}));
  EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(CardGrouping, SortingRegroupsAndAreaStatisticsSortFirst) {
  store.SetQsosPerCard(2);
  AddCalls({"JA2AA", "W1AW", "JA2AA", "JA1AA"});
  store.Regroup();
  EXPECT_EQ(store.CardCount(), 4u);  // JA2AA twice, but not side by side
  const std::string text = store.AreaStatistics({}, entities, true);
  EXPECT_TRUE(store.Sorted());
  EXPECT_EQ(store.CardCount(), 3u);
  EXPECT_EQ(text,
            "エリア\t枚数\r\nJA0\t0\r\nJA1\t1\r\nJA2\t1\r\nJA3\t0\r\nJA4\t0\r\nJA5\t0\r\nJA6\t0\r\nJA7\t0\r\n"
            "JA8\t0\r\nJA9\t0\r\nDX\t1\r\nUnknown\t0\r\n\r\nこの集計はViaCallが対象です.");
  // One QSO per card: the statistics count every QSO.
  store.SetQsosPerCard(1);
  store.Regroup();
  EXPECT_NE(store.AreaStatistics({}, entities, true).find("JA2\t2\r\n"), std::string::npos);
  store.Clear();
  EXPECT_EQ(store.AreaStatistics({}, entities, true), "");
}

TEST_F(CardGrouping, DeletingPrintedQsosRegroupsWithTheRules) {
  store.SetQsosPerCard(3);
  AddCalls({"JA1AA", "JA3BB", "JA1AA", "JA1AA"});
  store.Regroup();
  EXPECT_EQ(store.CardCount(), 3u);
  store.MarkCardPrinted(1);
  store.DeletePrinted();
  EXPECT_EQ(CardSizes(), (std::vector<std::size_t>{3}));
}

}  // namespace
}  // namespace tevra
