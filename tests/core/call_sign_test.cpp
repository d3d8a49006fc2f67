#include "core/call_sign.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(CallSign, HomeCallDropsDesignatorsAndForeignPrefixes) {
  EXPECT_EQ(HomeCall("JA1ABC/3"), "JA1ABC");
  EXPECT_EQ(HomeCall("KH6/JA1ABC"), "JA1ABC");
  EXPECT_EQ(HomeCall("JA1ABC/MM"), "JA1ABC");
  EXPECT_EQ(HomeCall("JA1ABC"), "JA1ABC");
  EXPECT_EQ(HomeCall("JA1ABC/KH6/P"), "JA1ABC");
  EXPECT_EQ(HomeCall("W1/JA1ABC/P"), "JA1ABC");      // P2 long enough
  EXPECT_EQ(HomeCall("VK9/W1AW/XYZABC"), "XYZABC");  // P3 two longer than P2 and longer than P1
  EXPECT_EQ(HomeCall("K1/W1A-B"), "W1A-B");          // IsCallChars stops at "-"
  EXPECT_EQ(HomeCall("JA1ABC/J#A1AB"), "JA1ABC");    // not call characters
  EXPECT_EQ(HomeCall("/"), "");
  EXPECT_EQ(HomeCall(""), "");
}

TEST(CallSign, JapaneseStations) {
  const std::pair<const char*, bool> cases[] = {
      {"JA1ABC", true},      {"JD1ABC", false},   {"7K1ABC", true},     {"8J1RL", false},
      {"8J1RM", false},      {"8J1RN", true},     {"JA1ABC/JD1", false}, {"KH6/JA1ABC", false},
      {"JA1ABC/3", true},    {"W1AW", false},     {"JT1ABC", false},    {"JT1/JA1ABC", false},  // JT1 does not decide, JA1ABC does not count
      {"JA1ABC/W1", false},  {"", false},         {"J", false},         {"7Z1AB", false},
  };
  for (auto [call, ja] : cases) EXPECT_EQ(IsJapaneseStation(call), ja) << call;
  EXPECT_TRUE(IsJaPrefix("JS3ABC"));
  EXPECT_FALSE(IsJaPrefix("JT1ABC"));
  EXPECT_TRUE(IsJaPrefix("8N1ABC"));
  EXPECT_FALSE(IsJaPrefix("8O1ABC"));
}

TEST(CallSign, ClubAndPortable) {
  EXPECT_TRUE(IsClubStation("JA1YAB"));
  EXPECT_FALSE(IsClubStation("JA1ABC"));
  EXPECT_TRUE(IsClubStation("8J1ABC"));
  EXPECT_TRUE(IsClubStation("JA1YAB/1"));
  EXPECT_FALSE(IsClubStation("W1YAB"));
  EXPECT_FALSE(IsClubStation(""));

  EXPECT_TRUE(IsPortable("JA1ABC/3"));
  EXPECT_TRUE(IsPortable("JA1ABC/MM"));
  EXPECT_FALSE(IsPortable("JA1ABC/P"));
  EXPECT_FALSE(IsPortable("JA1ABC"));
  EXPECT_TRUE(IsPortable("KH6/JA1ABC"));
  EXPECT_FALSE(IsPortable("JA1-12/P"));
}

TEST(CallSign, ManagerFromRemarks) {
  const std::pair<const char*, const char*> cases[] = {
      {"QSL[VIA JA1XYZ]", "JA1XYZ"},
      {"QSL[DIRECT]", ""},
      {"PSE @JA1XYZ", "JA1XYZ"},
      {"abc@JA1XYZ", ""},
      {"@DIRECT @JA1XYZ", "JA1XYZ"},
      {"QSL[CBA]", ""},
      {"QSL[BURO] @w1aw/4", "W1AW"},
      {"note:@JA1XYZ", ""},
      {"tnx qsl[ja1xyz/p] fb", "JA1XYZ"},
      {"REM\xA2x\xA3 QSL[NULL]", "NULL"},
      {"QSL[JA", ""},
      {"@", ""},
      {"", ""},
  };
  for (auto [remarks, manager] : cases) EXPECT_EQ(ManagerCall(remarks), manager) << remarks;
  // "＠" (0x81 0x97) is no route marker, and its trail byte is no separator.
  EXPECT_EQ(ManagerCall("\x81\x97JA1XYZ"), "");
}

class FixedEntities : public EntityLookup {
 public:
  std::string EntityOf(std::string_view call) const override {
    if (call.empty()) return std::string(kUnknownEntity);
    return call[0] == 'W' ? "W" : call[0] == 'V' ? "VK" : std::string(kUnknownEntity);
  }
};

QsoRecord Record(const char* call, const char* remarks) {
  QsoRecord r;
  SetField(r.Call, call);
  SetField(r.Remarks, remarks);
  return r;
}

TEST(CallSign, ViaCallAndEntity) {
  FixedEntities entities;
  QsoRecord nullRoute = Record("W4ABC/P", "QSL[NULL]");
  EXPECT_EQ(ViaCall(nullRoute), "");
  EXPECT_EQ(ViaEntity(nullRoute, entities), "W4");

  QsoRecord managed = Record("VK2ABC", "QSL[W-1AW]");
  EXPECT_EQ(ViaCall(managed), "W1AW");  // hyphens removed
  EXPECT_EQ(ViaEntity(managed, entities), "W1");

  EXPECT_EQ(ViaCall(Record("JA1ABC/3", "")), "JA1ABC");
  EXPECT_EQ(ViaEntity(Record("JA1ABC/3", ""), entities), "JA");
  EXPECT_EQ(ViaEntity(Record("WABC", ""), entities), "W1");  // no digit: area 11 -> 1
  EXPECT_EQ(ViaEntity(Record("W0ABC", ""), entities), "W0");
  EXPECT_EQ(ViaEntity(Record("VK2ABC", ""), entities), "VK");
  EXPECT_EQ(ViaEntity(Record("", ""), entities), "_?_");

  EXPECT_EQ(AreaDigit("JA1ABC"), 1);
  EXPECT_EQ(AreaDigit("W0AB"), 10);
  EXPECT_EQ(AreaDigit("ABC"), 11);
}

}  // namespace
}  // namespace tevra
