#include "core/band.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(Band, FrequencyTextsToBandIndex) {
  const std::pair<const char*, int> cases[] = {
      {"3.699", 2}, {"3.7", 3},   {"3.5", 2},     {"1.8", 1},    {"1.91", 1},  {"29", 10},  {"29.6", 10},
      {"28", 10},   {"7", 4},     {"7.05", 4},    {"8.5", 0},    {"1296.1", 14}, {"2300.1", 0}, {"430/1200", 26},
      {"sat", 26},  {"SAT", 26},  {"10.125", 5},  {"18.1", 7},   {"50.2", 11}, {"145.0", 12}, {"223.5", 25},
      {"433.0", 13}, {"2400.1", 15}, {"10.1G", 17}, {"", 0},     {".", 0},     {"abc", 0},  {"0.5", 0},
      {"07.050", 0},  // "07" is no band name
  };
  for (auto [text, band] : cases) EXPECT_EQ(BandOfFrequency(text), band) << text;
}

TEST(Band, NamesSlotsAndMetres) {
  EXPECT_EQ(BandName("7.05"), "7");
  EXPECT_EQ(BandName("430/1200"), "430/1200");  // satellite: unchanged
  EXPECT_EQ(BandName("8.5"), "8.5");            // no band: unchanged
  EXPECT_EQ(MetreBandOf("14.025"), "20");
  EXPECT_EQ(MetreBandOf("sat"), "SAT");
  EXPECT_EQ(MetreBandOf("430/1200"), "430/1200");
  EXPECT_EQ(MetreBandOf("8.5"), "");
  EXPECT_EQ(MhzBandOfMetres("160m"), "1.8");
  EXPECT_EQ(MhzBandOfMetres("2"), "144");
  EXPECT_EQ(MhzBandOfMetres("Sat"), "SAT");
  EXPECT_EQ(MhzBandOfMetres("70cm"), "");
  EXPECT_EQ(MhzBandOfMetres("m"), "");
  EXPECT_EQ(BandSlot("430/1200"), 17);
  EXPECT_EQ(BandSlot("10.1G"), 17);
  EXPECT_EQ(BandSlot("5600"), 16);
  EXPECT_EQ(BandSlot("24G"), 18);
  EXPECT_EQ(BandSlot("?"), 18);
}

TEST(Band, ModesAndReportLengths) {
  EXPECT_EQ(ModeIndex("CW"), 1);
  EXPECT_EQ(ModeIndex("MFSK"), 47);
  EXPECT_EQ(ModeIndex("cw"), 0);  // case-sensitive
  EXPECT_EQ(ModeIndex(""), 0);
  EXPECT_EQ(ReportLength(ModeIndex("cw")), 3);
  EXPECT_EQ(ReportLength(ModeIndex("SSB")), 2);
  EXPECT_EQ(ReportLength(ModeIndex("F3")), 2);
  EXPECT_EQ(ReportLength(99), 3);
}

TEST(Band, FrequencyTextFromBandAndOffset) {
  EXPECT_EQ(FrequencyText(12, 1250), "145.250");
  EXPECT_EQ(FrequencyText(13, -14), "430/1200");
  EXPECT_EQ(FrequencyText(0, 0), "");
  EXPECT_EQ(FrequencyText(4, 25), "7.025");
  EXPECT_EQ(FrequencyText(1, 910), "1.910");
  EXPECT_EQ(FrequencyText(3, 799), "3.799");
  EXPECT_EQ(FrequencyText(10, 1500), "29.500");
  EXPECT_EQ(FrequencyText(14, 5610), "1296.10");
  EXPECT_EQ(FrequencyText(15, 510), "2355.10");
  EXPECT_EQ(FrequencyText(25, 3500), "223.500");
  EXPECT_EQ(FrequencyText(19, 7), "24G");
  EXPECT_EQ(FrequencyText(99, 7), "");  // beyond the table: nothing, never a stray read
  EXPECT_EQ(FrequencyText(4, -99), "7/");
}

TEST(Band, ContestColumns) {
  EXPECT_EQ(ContestFrequency("a"), "50");
  EXPECT_EQ(ContestFrequency("H"), "5600");
  EXPECT_EQ(ContestFrequency("1800"), "1.8");
  EXPECT_EQ(ContestFrequency("3800"), "3.8");
  EXPECT_EQ(ContestFrequency("7000"), "7");
  EXPECT_EQ(ContestFrequency("14025"), "14.025");
  EXPECT_EQ(ContestFrequency("C"), std::nullopt);
  EXPECT_EQ(ContestFrequency(""), std::nullopt);

  EXPECT_EQ(ContestMode("ph", 0, 7.0), "PHONE");
  EXPECT_EQ(ContestMode("PH", 1, std::nullopt), "SSB");
  EXPECT_EQ(ContestMode("PH", 2, 21.0), "SSB");
  EXPECT_EQ(ContestMode("PH", 2, 28.5), "PHONE");
  EXPECT_EQ(ContestMode("PH", 2, std::nullopt), "PHONE");
  EXPECT_EQ(ContestMode("PH", 3, 145.0), "SSB");
  EXPECT_EQ(ContestMode("PH", 7, 145.0), std::nullopt);
  EXPECT_EQ(ContestMode("ry", 0, std::nullopt), "RTTY");
  EXPECT_EQ(ContestMode("TV", 0, std::nullopt), "SSTV");
  EXPECT_EQ(ContestMode("DG", 0, std::nullopt), "DG");
  EXPECT_EQ(ContestMode("fm", 0, std::nullopt), "FM");
  EXPECT_EQ(ContestMode("XX", 0, std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace tevra
