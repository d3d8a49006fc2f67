#include "import/csv_format_dialog.h"

#include <gtest/gtest.h>

#include "core/encoding.h"
#include "import/csv_guess.h"
#include "import/mft_file.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

CsvFormatDialog CsvDialog(std::vector<std::string> samples) {
  return CsvFormatDialog(CsvFormatDialog::Kind::CsvText, std::move(samples), {}, RecordLayout{}, QsoRecord{},
                         "log.csv");
}

TEST(CsvFormatDialog, RowsSampleAndSkipCount) {
  CsvFormatDialog dialog = CsvDialog({"header,line", "24/11/03,JA1ABC,599", "x"});
  EXPECT_EQ(dialog.Title(), "CSV形式 - log.csv");
  EXPECT_EQ(dialog.RowLabel(0), "1");
  EXPECT_EQ(dialog.RowLabel(31), "32");
  EXPECT_EQ(dialog.SampleFields(), (std::vector<std::string>{"header", "line"}));
  dialog.SetSkipCount(1);
  EXPECT_EQ(dialog.SampleFields(), (std::vector<std::string>{"24/11/03", "JA1ABC", "599"}));
  dialog.SetSkipCount(9);  // the spin range ends at the last sample
  EXPECT_EQ(dialog.SkipCount(), 2);
  dialog.SetDelimiter(4);  // none: the whole line is one column
  EXPECT_EQ(dialog.SampleFields(), (std::vector<std::string>{"x"}));
}

TEST(CsvFormatDialog, SettingFormulasAsksOnlyForDoubtfulTexts) {
  test::ScriptedUi ui;
  CsvFormatDialog dialog = CsvDialog({"a"});
  dialog.SelectRow(2);
  for (const char* accepted : {"CALL", "%4C", "QSL[REM]", "QSLanything", "   "}) {
    dialog.SetFormulaBox(accepted);
    dialog.ApplyFormula(ui);
    EXPECT_EQ(dialog.Formula(2), accepted);
  }
  EXPECT_TRUE(ui.Questions().empty());
  dialog.SetFormulaBox("CALLSIGN");
  ui.QueueAnswer(Answer::No);
  dialog.ApplyFormula(ui);
  EXPECT_EQ(dialog.Formula(2), "   ");
  ui.QueueAnswer(Answer::Yes);
  dialog.ApplyFormula(ui);
  EXPECT_EQ(dialog.Formula(2), "CALLSIGN");
  EXPECT_EQ(ui.Questions().back(), "恐らく無効な変換式です. リストに設定しますか?");
  dialog.ClearFormula();
  EXPECT_EQ(dialog.Formula(2), "NULL");
}

TEST(CsvFormatDialog, OkWithSkipCountNeedsConfirmation) {
  test::ScriptedUi ui;
  CsvFormatDialog dialog = CsvDialog({"h", "a", "b"});
  ui.QueueFormatDialog([](CsvFormatDialog& d) {
    d.SetSkipCount(2);
    return true;
  });
  ui.QueueAnswer(Answer::No);  // shows the dialog again, settings kept
  ui.QueueFormatDialog([](CsvFormatDialog& d) {
    EXPECT_EQ(d.SkipCount(), 2);
    return true;
  });
  ui.QueueAnswer(Answer::Yes);
  EXPECT_TRUE(ShowFormatDialog(ui, dialog));
  EXPECT_EQ(ui.FormatDialogsShown(), 2);
  EXPECT_EQ(ui.Questions()[0], "2 行のスキップが設定されています. ほんまにええでっか？");

  ui.QueueFormatDialog([](CsvFormatDialog&) { return false; });
  EXPECT_FALSE(ShowFormatDialog(ui, dialog));
}

TEST(CsvFormatDialog, TestConvertsTheShownSampleWithoutMovingDefaults) {
  test::ScriptedUi ui;
  RecordLayout layout;
  layout.columns[0] = "YY.MM.DD";
  layout.columns[1] = "CALL";
  QsoRecord def;
  SetField(def.Qth, "Home");
  CsvFormatDialog dialog(CsvFormatDialog::Kind::CsvText, {"24.11.3,ja1abc"}, {}, layout, def);
  ui.QueueQsoEdit([](QsoRecord&) { return true; });
  dialog.Test(ui);
  ASSERT_EQ(ui.ShownQsos().size(), 1u);
  EXPECT_EQ(FieldText(ui.ShownQsos()[0].Call), "JA1ABC");
  EXPECT_EQ(FieldText(ui.ShownQsos()[0].Qth), "Home");
  EXPECT_EQ(dialog.DefaultQso().Day, 0);

  ui.QueueQsoEdit([](QsoRecord& r) {
    SetField(r.Qth, "Edited");
    return true;
  });
  dialog.EditDefaults(ui);
  EXPECT_EQ(FieldText(dialog.DefaultQso().Qth), "Edited");
  ui.QueueQsoEdit([](QsoRecord& r) {
    SetField(r.Qth, "Cancelled");
    return false;
  });
  dialog.EditDefaults(ui);
  EXPECT_EQ(FieldText(dialog.DefaultQso().Qth), "Edited");
}

TEST(CsvFormatDialog, SettingFilesLoadAndSave) {
  test::TempDir dir;
  test::ScriptedUi ui;
  CsvFormatDialog dialog = CsvDialog({"a"});
  dialog.SelectRow(0);
  dialog.SetFormulaBox("CALL");
  dialog.ApplyFormula(ui);
  const std::string path = (dir.Path() / "mine.mft").string();
  ui.QueueSaveChoice(path);
  dialog.SaveSettings(ui, dir.Path().string());
  EXPECT_EQ(ui.FileRequests().back().initialName, "csv.mft");
  EXPECT_EQ(ui.FileRequests().back().filters, "ＣＳＶ設定ファイル(*.mft)|*.mft||");

  CsvFormatDialog other = CsvDialog({"a"});
  EXPECT_FALSE(other.LoadSettingsFile(ui, dir.Write("bad.mft", "not a setting file at all")));
  EXPECT_EQ(ui.Messages().back().text, "予期しないファイル形式です。読み込みを中止します。");
  EXPECT_EQ(other.Formula(0), "NULL");
  EXPECT_FALSE(other.LoadSettingsFile(ui, (dir.Path() / "none.mft").string()));
  EXPECT_EQ(ui.Messages().size(), 2u);
  ui.QueueFileChoice(OpenFileChoice{path, 0});
  other.LoadSettings(ui, dir.Path().string());
  EXPECT_EQ(other.Formula(0), "CALL");
}

TEST(GuessPattern, Codes) {
  EXPECT_TRUE(GuessPatternMatches("$#:!#", "23:59"));
  EXPECT_FALSE(GuessPatternMatches("$#:!#", "33:59"));
  EXPECT_TRUE(GuessPatternMatches("%u-%u-%u_%u:!#", "2024-11-03  12:34"));
  EXPECT_TRUE(GuessPatternMatches("%uMHz", "7mhz"));
  EXPECT_TRUE(GuessPatternMatches("%c", "JA1ABC/3"));
  EXPECT_FALSE(GuessPatternMatches("%c", "ABCDEF"));
  EXPECT_TRUE(GuessPatternMatches("%m", "Sept. 3"));
  EXPECT_TRUE(GuessPatternMatches("%k", FromUnicode("山田")));
  EXPECT_TRUE(GuessPatternMatches("599", "5991"));  // text may remain
  EXPECT_FALSE(GuessPatternMatches("5&&", "509"));
  EXPECT_FALSE(GuessPatternMatches("######", "12345"));
  EXPECT_TRUE(GuessPatternMatches("%f", "14.025"));
}

TEST(Guess, FromSampleDataAlone) {
  const std::vector<std::string> sample = {"24/11/03", "0930", "JA1ABC", "599", "579", "7.045",
                                           "CW",       FromUnicode("山田"), FromUnicode("東京都"), "100",
                                           "3",        "J", ""};
  auto f = GuessFormulas(sample, {});
  EXPECT_EQ(f[0], "YY/MM/DD");
  EXPECT_EQ(f[1], "HHmm");
  EXPECT_EQ(f[2], "CALL");
  EXPECT_EQ(f[3], "RST");
  EXPECT_EQ(f[4], "QSL\xA2My\xA3");
  EXPECT_EQ(f[5], "FREQ");
  EXPECT_EQ(f[6], "MODE");
  EXPECT_EQ(f[7], "NAME");
  EXPECT_EQ(f[8], "QTH");
  EXPECT_EQ(f[9], "POWER");  // digits, with the date parts and time already used
  EXPECT_EQ(f[10], "ENV");
  EXPECT_EQ(f[11], "RECV");  // words left over once call, name and QTH are used
  EXPECT_EQ(f[12], "NULL");
  EXPECT_EQ(f[31], "NULL");
}

TEST(Guess, DayFirstDatesEightDigitDatesAndASkippedHeader) {
  auto f = GuessFormulas({"JA1ABC", "12/09/2021", "20211103", "0930"}, {});
  EXPECT_EQ(f[1], "DD/MM/YY");
  f = GuessFormulas({"JA1ABC", "20211103", "0930"}, {});
  EXPECT_EQ(f[1], "YYMMDD");
  EXPECT_EQ(f[2], "HHmm");
  // A header line the user skips names the columns it knows; the others
  // are guessed from the data, not made tagged items.
  CsvFormatDialog dialog = CsvDialog({"call,rst_sent,qso_date,comment", "JA1ABC,59,24/11/03,hi"});
  dialog.SetSkipCount(1);
  dialog.Guess();
  EXPECT_EQ(dialog.Layout().columns[0], "CALL");
  EXPECT_EQ(dialog.Layout().columns[1], "RST");
  EXPECT_EQ(dialog.Layout().columns[2], "YY/MM/DD");
  EXPECT_EQ(dialog.Layout().columns[3], "NAME");
}

TEST(Guess, FromFieldNames) {
  const std::vector<std::string> names = {"DATE", "TIME", "call", "HIS", "MY", FromUnicode("周波数"),
                                          "MODE", "MISC", "MYQTH", "GRID", "REM", ""};
  const std::vector<std::string> sample = {"2024-11-03 12:34", "12:34", "JA1ABC", "599", "59", "7.045",
                                           "CW",               "m",     "q",      "PM95", "r",  "59"};
  auto f = GuessFormulas(sample, names);
  EXPECT_EQ(f[0], "YY-MM-DD HH:mm");  // the date field takes the sample's form
  EXPECT_EQ(f[1], "QSL\xA2TIME\xA3");  // time already came with the date: kept as a tagged item
  EXPECT_EQ(f[2], "CALL");
  EXPECT_EQ(f[3], "RST");
  EXPECT_EQ(f[4], "QSL\xA2My\xA3");
  EXPECT_EQ(f[5], "FREQ");
  EXPECT_EQ(f[6], "MODE");
  EXPECT_EQ(f[7], "ADDQSL");
  EXPECT_EQ(f[8], "QSL\xA2MyQTH\xA3");
  EXPECT_EQ(f[9], "QSL\xA2GRID\xA3");
  EXPECT_EQ(f[10], "QSL[REM]");
  EXPECT_EQ(f[11], "POWER");  // no name, reports and frequency taken: a number by elimination
}

}  // namespace
}  // namespace tevra
