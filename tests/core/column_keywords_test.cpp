#include "core/column_keywords.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace tevra {
namespace {

RecordLayout Layout(std::initializer_list<const char*> columns, int separator = 0, bool utc = false) {
  RecordLayout layout;
  int i = 0;
  for (const char* c : columns) layout.columns[i++] = c;
  layout.separatorType = separator;
  layout.utc = utc;
  return layout;
}

TEST(ColumnCount, LastUsedSlotCounts) {
  RecordLayout layout;
  EXPECT_EQ(ColumnCount(layout.columns), 0);
  layout.columns[4] = "CALL";
  EXPECT_EQ(ColumnCount(layout.columns), 5);
  layout.columns[31] = "RST";
  EXPECT_EQ(ColumnCount(layout.columns), 32);
}

TEST(ParseRecordLine, EveryKeywordFillsItsField) {
  const RecordLayout layout =
      Layout({"YY/MM/DD", "HHmm", "CALL", "CALL", "RST", "MODE", "FREQ", "POWER", "NAME", "QTH", "QSL", "ADDQSL",
              "QSL[REM]", "QSL\xA2My\xA3", "SEND", "RECV", "ENV", "NULL", "mBAND"});
  QsoRecord def;
  QsoRecord r;
  ParseRecordLine(r,
                  "24/11/03, 0930 ,ja1abc,3,599,cw,7.050 MHz,100,Taro,\"Minato, Tokyo\",QSL[W1AW],extra,abc,57,J,"
                  "N,12x,skipped,20",
                  ColumnCount(layout.columns), layout, def);
  EXPECT_EQ(r.Year, 24);
  EXPECT_EQ(r.Month, 11);
  EXPECT_EQ(r.Day, 3);
  EXPECT_EQ(r.Hour, 9);
  EXPECT_EQ(r.Minute, 30);
  EXPECT_EQ(FieldText(r.Call), "JA1ABC/3");
  EXPECT_EQ(FieldText(r.RstSent), "599");
  EXPECT_EQ(FieldText(r.Mode), "CW");
  EXPECT_EQ(FieldText(r.Freq), "14");  // the mBAND column came last
  EXPECT_EQ(FieldText(r.Power), "100");
  EXPECT_EQ(FieldText(r.Name), "Taro");
  EXPECT_EQ(FieldText(r.Qth), "Minato, Tokyo");
  EXPECT_EQ(FieldText(r.Remarks), "QSL[W1AW] extra REM[abc] My\xA2" "57\xA3");
  EXPECT_EQ(r.QslSent, 'J');
  EXPECT_EQ(r.QslRcvd, 'N');
  EXPECT_EQ(r.Env, 12);
  EXPECT_EQ(def.Year, 24);
  EXPECT_EQ(def.Day, 3);
}

TEST(ParseRecordLine, FrequencyForms) {
  const RecordLayout layout = Layout({"FREQ", "KHz"});
  QsoRecord def, r;
  ParseRecordLine(r, "7.050 MHz", 1, layout, def);
  EXPECT_EQ(FieldText(r.Freq), "7.050");
  ParseRecordLine(r, "x,14025", 2, layout, def);
  EXPECT_EQ(FieldText(r.Freq), "14.025");
  ParseRecordLine(r, "7.1,abc", 2, layout, def);
  EXPECT_EQ(FieldText(r.Freq), "7.1");  // a kHz column without a number changes nothing
}

TEST(ParseRecordLine, ShortLinesDefaultsAndCarriedDates) {
  const RecordLayout layout = Layout({"YYMMDD", "CALL", "NAME", "QTH"});
  QsoRecord def;
  SetField(def.Qth, "default QTH");
  QsoRecord r;
  ParseRecordLine(r, "061231,K1ABC", 4, layout, def);
  EXPECT_EQ(FieldText(r.Qth), "default QTH");
  EXPECT_EQ(r.Month, 12);

  const RecordLayout noDate = Layout({"CALL"});
  ParseRecordLine(r, "W1AW", 1, noDate, def);
  EXPECT_EQ(r.Year, 6);  // the date of the line before
  EXPECT_EQ(r.Day, 31);
  EXPECT_EQ(FieldText(r.Call), "W1AW");
}

TEST(ParseRecordLine, UtcRecordsAreShiftedAndSeparatorsVary) {
  const RecordLayout utc = Layout({"YY.MM.DD", "HHmm"}, 1, true);
  QsoRecord def, r;
  ParseRecordLine(r, "24.12.31\t2000", 2, utc, def);
  EXPECT_EQ(r.Year, 25);
  EXPECT_EQ(r.Month, 1);
  EXPECT_EQ(r.Day, 1);
  EXPECT_EQ(r.Hour, 5);

  // An HHmmJ letter overrides the setting: J means as logged.
  const RecordLayout zone = Layout({"YY.MM.DD", "HHmmJ"}, 2, true);
  ParseRecordLine(r, "24.12.31 2000J", 2, zone, def);
  EXPECT_EQ(r.Hour, 20);

  // No date: no shift even for UTC.
  QsoRecord empty;
  ParseRecordLine(r, "2000", 2, Layout({"HHmm"}, 0, true), empty);
  EXPECT_EQ(r.Hour, 20);
}

TEST(ParseRecordLine, PatternColumnsKeepLeadingBlanksOnlyWithCommas) {
  QsoRecord def, r;
  ParseRecordLine(r, "  JA1ABC599", 1, Layout({"%4C%3U"}), def);
  EXPECT_EQ(FieldText(r.Call), "JA");  // the two blanks count towards the width
  ParseRecordLine(r, "x\t  JA1ABC599", 2, Layout({"NULL", "%6C%3U"}, 1), def);
  EXPECT_EQ(FieldText(r.Call), "JA1ABC");
  EXPECT_EQ(FieldText(r.RstSent), "599");
}

TEST(ParseByPattern, ConversionsWidthsAndLiterals) {
  QsoRecord r;
  EXPECT_TRUE(ParseByPattern(r, "06/12/31", "%y/%m/%d"));
  EXPECT_EQ(r.Year, 6);
  EXPECT_EQ(r.Month, 12);
  EXPECT_EQ(r.Day, 31);

  QsoRecord whole;
  EXPECT_TRUE(ParseByPattern(whole, "061231", "%y/%m/%d"));
  EXPECT_EQ(whole.Year, 61231 % 100);

  QsoRecord untouched;
  SetField(untouched.Call, "K1A");
  EXPECT_FALSE(ParseByPattern(untouched, "X12", "Y%C"));
  EXPECT_EQ(FieldText(untouched.Call), "K1A");

  QsoRecord widths;
  EXPECT_TRUE(ParseByPattern(widths, "ABCDE599", "%4C%3U"));
  EXPECT_EQ(FieldText(widths.Call), "ABCD");
  EXPECT_EQ(FieldText(widths.RstSent), "E59");

  QsoRecord skip;  // a width, then the text is skipped up to the literal
  EXPECT_TRUE(ParseByPattern(skip, "JA1ABCxyz,599", "%6C,%U"));
  EXPECT_EQ(FieldText(skip.Call), "JA1ABC");
  EXPECT_EQ(FieldText(skip.RstSent), "599");

  QsoRecord zulu;
  zulu.Year = 24;
  zulu.Month = 1;
  zulu.Day = 1;
  EXPECT_TRUE(ParseByPattern(zulu, "1234Z", "%B"));
  EXPECT_EQ(zulu.Hour, 21);
  EXPECT_EQ(zulu.Minute, 34);

  QsoRecord failed;
  EXPECT_FALSE(ParseByPattern(failed, "12:34", "%T"));
  EXPECT_FALSE(ParseByPattern(failed, "x", "%B"));
  EXPECT_TRUE(ParseByPattern(failed, "anything", ""));
  EXPECT_TRUE(ParseByPattern(failed, "abc", "%99C"));
  EXPECT_EQ(FieldText(failed.Call), "abc");
  EXPECT_TRUE(ParseByPattern(failed, "abc", "%-1"));  // ends inside a conversion
}

TEST(ParseByPattern, SpecialConversions) {
  QsoRecord r;
  EXPECT_TRUE(ParseByPattern(r, "JA1 ABC  3  rest", "%k %N"));
  EXPECT_EQ(FieldText(r.Call), "JA1ABC/3");
  EXPECT_EQ(FieldText(r.Name), "rest");

  EXPECT_TRUE(ParseByPattern(r, "24.11.03|11.04|061231|  Sept. |2", "%T|%F|%f|%o1|%V"));
  EXPECT_EQ(r.Year, 6);
  EXPECT_EQ(r.Month, 9);
  EXPECT_EQ(r.Day, 31);
  EXPECT_EQ(r.Env, 2);

  EXPECT_TRUE(ParseByPattern(r, "100%|40", "%P\\x25|%x"));
  EXPECT_EQ(FieldText(r.Power), "100");
  EXPECT_EQ(FieldText(r.Freq), "7");
  EXPECT_FALSE(ParseByPattern(r, "a%b", "a%%c"));
  EXPECT_TRUE(ParseByPattern(r, "a%b", "a%%b"));
  // A backslash before an ordinary character stands for both characters.
  EXPECT_TRUE(ParseByPattern(r, "\\q", "\\q"));
  EXPECT_FALSE(ParseByPattern(r, "q", "\\q"));
}

}  // namespace
}  // namespace tevra
