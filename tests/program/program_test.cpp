// The settings file, start and exit, the new-document state and the
// options dialog.
#include "program/program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "program/options_dialog.h"
#include "core/messages.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

TEST(Settings, FirstRunDefaults) {
  Profile none;
  ProgramSettings s;
  s.sortCountry = true;  // a missing "SortCountry" keeps the current value
  ReadSettings(none, s);
  EXPECT_EQ(s.sendMark, "-");
  EXPECT_EQ(s.load.loadCond, "TRUE");
  EXPECT_EQ(s.load.curLogName, "QSL");
  EXPECT_EQ(s.printNo, 1);
  EXPECT_EQ(s.printNoStart, 1);
  EXPECT_TRUE(s.load.skipSendMark && s.backup && s.sortWay && s.printNoAuto && s.makeContItem);
  EXPECT_FALSE(s.repEnvPack || s.repCallPack || s.clipCheck || s.includeDoc);
  EXPECT_TRUE(s.sortCountry);
  for (const auto& formula : s.load.csv.columns) EXPECT_EQ(formula, "NULL");
  EXPECT_EQ(Th5FieldsText(s.load.th5Widths), "3,3,7,4,12,28,54");
  EXPECT_TRUE(s.messages.Entries().empty());
}

TEST(Settings, Th5FieldsWithThreeNumbers) {
  Profile f;
  f.Parse("[Option]\nTH5Fields=1,2,3\n");
  ProgramSettings s;
  ReadSettings(f, s);
  EXPECT_EQ(s.load.th5Widths[8], 1);
  EXPECT_EQ(s.load.th5Widths[10], 3);
  EXPECT_EQ(s.load.th5Widths[14], 0);
  EXPECT_EQ(s.load.th5Widths[15], 54);  // outside the seven: built in
  WriteSettings(f, s);
  EXPECT_EQ(f.GetString("Option", "TH5Fields", ""), "1,2,3,0,0,0,0");
}

TEST(Settings, APrintNumberAtTheLimitStaysThere) {
  Profile f;
  f.Parse("[Option]\nPrintNo=2147483647\n");
  ProgramSettings s;
  ReadSettings(f, s);
  EXPECT_EQ(s.printNo, kPrintNoMax);
  f.Parse("[Option]\nPrintNo=-5\n");
  ReadSettings(f, s);
  EXPECT_EQ(s.printNo, 0);
}

TEST(Settings, LogEncodingChosenOrDetected) {
  Profile f;
  f.Parse("[Option]\nLogEncoding=Latin1\n");
  ProgramSettings s;
  ReadSettings(f, s);
  EXPECT_EQ(s.load.encoding, TextEncoding::Latin1);
  f.Parse("[Option]\nLogEncoding=klingon\n");  // unknown: detected per file
  ReadSettings(f, s);
  EXPECT_EQ(s.load.encoding, std::nullopt);
  WriteSettings(f, s);
  EXPECT_EQ(f.GetString("Option", "LogEncoding", ""), "auto");
}

TEST(Settings, EveryValueSurvivesWritingAndReading) {
  ProgramSettings s;
  s.load.skipSendMark = false;
  s.load.loadCond = "IsDX";
  s.sendMark = "*";
  s.load.csv.columns[31] = "CALL";
  s.load.csv.separatorType = 2;
  s.load.csv.utc = true;
  s.load.curLogDir = "/home/op/logs/";
  s.load.curLogType = SrcAdif;
  s.load.curLogName = "2024.adi";
  s.timeType = 2;
  s.log200SafDir = "/safe";
  s.makeContItem = false;
  s.repEnvPack = s.repCallPack = s.clipCheck = s.disLogNewTime = s.dispPrinterRect = true;
  s.backup = s.sortWay = s.printNoAuto = false;
  s.printNo = 42;
  s.partMark = "Band";
  s.invRotFont = s.sortCountry = s.includeDoc = true;
  s.load.th5Widths[12] = 99;
  s.messages.Add("TNX\r\nQSO");
  s.logWindow = WindowPlacement{300, 200, 10, 20};
  s.tableWindow = WindowPlacement{640, 480, 30, 40};
  s.tableColumn2 = 321;
  s.previewPages = 2;
  Profile f;
  WriteSettings(f, s);
  ProgramSettings r;
  ReadSettings(f, r);
  EXPECT_EQ(ToIncludedOptions(r), ToIncludedOptions(s));
  EXPECT_EQ(r.load.csv.columns[31], "CALL");
  EXPECT_EQ(r.printNo, 42);
  EXPECT_EQ(r.printNoStart, 42);
  EXPECT_TRUE(r.sortCountry);
  EXPECT_EQ(r.load.th5Widths, s.load.th5Widths);
  EXPECT_EQ(r.messages.Text(0), "TNX\r\nQSO");
  EXPECT_EQ(f.GetString("Message", "Hist2", "absent"), "");  // empty slots are written empty
  EXPECT_EQ(ReadPlacement(f, "LogWin")->cx, 300);
  // The log list's and the table dialog's places are read back at start.
  ASSERT_TRUE(r.logWindow && r.tableWindow);
  EXPECT_EQ(r.logWindow->y, 20);
  EXPECT_EQ(r.tableWindow->cx, 640);
  EXPECT_EQ(r.tableColumn2, 321);
  EXPECT_EQ(r.previewPages, 2);
  // The Cabrillo choices start afresh.
  r.load.cabrillo.callColumn = 3;
  ReadSettings(f, r);
  EXPECT_EQ(r.load.cabrillo.callColumn, 55);
}

TEST(Settings, WindowsAndRecentLists) {
  Profile f;
  EXPECT_FALSE(ReadPlacement(f, "LogWin"));
  EXPECT_EQ(ReadTableWindow(f).column2, 400);
  WriteMainWindow(f, {true, 1920, 1080, WindowPlacement{800, 600, 1, 2}});
  WriteTableWindow(f, {std::nullopt, 120, 380});
  RecentList logs(4);
  for (const char* p : {"/a.log", "/b.adi", "/c.hdb", "/d.l2", "/e.log"}) logs.Add(p);
  WriteRecentList(f, "Recent LogFile", logs);
  Profile g;
  g.Parse(f.Text());
  const MainWindowState main = ReadMainWindow(g);
  EXPECT_TRUE(main.zoomed);
  EXPECT_EQ(main.screenWidth, 1920);
  EXPECT_EQ(main.rect->y, 2);
  EXPECT_EQ(ReadTableWindow(g).column1, 120);
  RecentList read(4);
  ReadRecentList(g, "Recent LogFile", read);
  EXPECT_EQ(read.Items(), (std::vector<std::string>{"/e.log", "/d.l2", "/c.hdb", "/b.adi"}));
}

class ProgramTest : public ::testing::Test {
 protected:
  ProgramPaths Paths() const { return {(dir.Path() / "cfg" / "TEVRA.INI").string(), dir.Path().string() + "/"}; }
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
};

TEST_F(ProgramTest, StartReadsAndShutdownWritesTheSettings) {
  {
    Program program(ui, Paths());
    EXPECT_TRUE(program.Start());  // no file yet: defaults
    EXPECT_EQ(program.settings.sendMark, "-");
    EXPECT_FALSE(program.entities.Empty());  // the example definitions, from the build tree
    program.settings.printNo = 9;
    program.settings.load.recentLogs.Add("/logs/a.adi");
    program.file.SetString("Window", "X", "33");  // a section the options do not own
    EXPECT_TRUE(program.Shutdown());
  }
  Program again(ui, Paths());
  EXPECT_TRUE(again.Start());
  EXPECT_EQ(again.settings.printNo, 9);
  EXPECT_EQ(again.settings.load.recentLogs.Items().front(), "/logs/a.adi");
  EXPECT_EQ(again.file.GetInt("Window", "X", 0), 33);
}

TEST_F(ProgramTest, RemovingTheRegistrationDeletesTheSettingsAtExit) {
  std::filesystem::create_directories(dir.Path() / "data" / "applications");
  setenv("XDG_DATA_HOME", (dir.Path() / "data").c_str(), 1);
  const std::string desktop = RegistrationFiles().front();
  std::ofstream(desktop) << "[Desktop Entry]\n";
  {
    Program program(ui, Paths());
    program.Start();
    program.settings.printNo = 5;
    ASSERT_TRUE(program.SaveSettings());
    ui.QueueAnswer(Answer::No);
    EXPECT_FALSE(program.RemoveRegistration());
    EXPECT_TRUE(std::filesystem::exists(desktop));
    ui.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(program.RemoveRegistration());
    EXPECT_EQ(ui.Questions().back(), msg::kRemoveRegistration);
    EXPECT_FALSE(std::filesystem::exists(desktop));
    program.settings.printNo = 6;
    EXPECT_TRUE(program.SaveSettings());  // no longer written
    EXPECT_TRUE(program.Shutdown());
  }
  unsetenv("XDG_DATA_HOME");
  EXPECT_FALSE(std::filesystem::exists(Paths().settingsFile));
  Program next(ui, Paths());
  next.Start();
  EXPECT_EQ(next.settings.printNo, 1);
  EXPECT_FALSE(next.registrationRemoved);
}

TEST_F(ProgramTest, UnreadableSettingsKeepTheDefaultsAndAreNotReplaced) {
  // Something that is there but is no readable file: a named pipe.
  std::filesystem::create_directories(std::filesystem::path(Paths().settingsFile).parent_path());
  ASSERT_EQ(::mkfifo(Paths().settingsFile.c_str(), 0600), 0);
  Program program(ui, Paths());
  EXPECT_FALSE(program.Start());
  EXPECT_EQ(program.settings.load.loadCond, "TRUE");
  EXPECT_FALSE(program.SaveSettings());  // the defaults never replace what is there
  EXPECT_FALSE(program.Shutdown());
  EXPECT_TRUE(std::filesystem::is_fifo(Paths().settingsFile));
}

class DocumentTest : public ProgramTest {
 protected:
  DocumentTest() : program(ui, Paths()) {
    printer.papers[43] = {3937, 5827};  // 100 x 148 mm
    program.Start();
    doc = std::make_unique<Document>(program, printer);
  }
  void AddLog(std::initializer_list<const char*> calls, std::string_view remarks = "") {
    for (const char* call : calls) {
      QsoRecord r;
      r.Year = 24;
      SetField(r.Call, call);
      SetField(r.Remarks, remarks);
      doc->store.Add(r, static_cast<std::int32_t>(doc->store.QsoCount()) + 1);
    }
  }
  Program program;
  std::unique_ptr<Document> doc;
};

TEST_F(DocumentTest, ANewDocumentShowsTheSampleQsosOnAPostcard) {
  EXPECT_EQ(doc->layout.Settings.QsosPerCard, 1);
  EXPECT_EQ(doc->layout.Settings.TackColumns, 2);
  EXPECT_EQ(doc->context.CardQsos, doc->mergeBuffer.data());
  EXPECT_EQ(FieldText(doc->mergeBuffer[0].Freq), "14.025");
  EXPECT_EQ(FieldText(doc->mergeBuffer[1].Freq), "1.9");
  EXPECT_EQ(FieldText(doc->mergeBuffer[15].Freq), "2400");
  EXPECT_EQ(FieldText(doc->mergeBuffer[3].Mode), "SSB");
  EXPECT_EQ(FieldText(doc->mergeBuffer[7].Remarks), "@KESTRL");
  EXPECT_EQ(doc->mergeBuffer[15].Day, 16);
  EXPECT_EQ(printer.Settings().paperSize, 43);  // the Japanese postcard, portrait
  EXPECT_EQ(printer.Settings().orientation, 1);
  EXPECT_NE(std::find(ui.StatusHistory().begin(), ui.StatusHistory().end(), msg::kQueryingPrinter),
            ui.StatusHistory().end());

  // Rig and antenna texts survive a reset only while the client keeps them.
  // The layout's texts are the ones a card prints.
  doc->layout.Settings.RigTexts[0] = "IC-7300";
  program.automation.loadRigAnt = false;
  doc->Reset();
  EXPECT_EQ(doc->layout.Settings.RigTexts[0], "IC-7300");
  tevra::SetField(doc->mergeBuffer[0].Freq, "1.9");
  EXPECT_EQ(doc->expander->ExpandLine("RIG=[%{RIG}]", doc->mergeBuffer[0]), "RIG=[IC-7300]");
  program.automation.loadRigAnt = true;
  doc->Reset();
  EXPECT_EQ(doc->layout.Settings.RigTexts[0], "");
}

TEST_F(DocumentTest, OptionsDialogStoresValuesAndRegroupsOnlyWhenGroupingChanged) {
  doc->SetQsosPerCard(4);
  AddLog({"JA1AAA", "JA1AAA/1", "JA1AAA"});
  doc->store.Regroup();
  EXPECT_EQ(doc->store.CardCount(), 3u);

  OptionsDialog dialog(program);
  EXPECT_EQ(dialog.ConditionChoices().front(), "IsJA");
  EXPECT_EQ(dialog.ConditionChoices().back(), "IsAvailable(0)");
  EXPECT_EQ(dialog.PartMarkChoices().front(), "ToCall");
  EXPECT_EQ(dialog.PartMarkChoices().back(), "Table");
  dialog.values.sendMark = "  ";
  EXPECT_EQ(dialog.Check(), msg::kSendMarkMissing);  // an empty mark is refused
  dialog.values.sendMark = "  *";
  EXPECT_EQ(dialog.Check(), std::nullopt);
  dialog.values.timeType = 1;
  doc->store.SetCurrentCard(2);
  EXPECT_FALSE(ApplyOptions(dialog, *doc));
  EXPECT_EQ(program.settings.sendMark, "*");
  EXPECT_EQ(program.settings.timeType, 1);
  EXPECT_EQ(doc->store.CurrentCard(), 2u);  // not regrouped
  EXPECT_EQ(doc->store.CardCount(), 3u);

  dialog.values.repCallPack = true;
  dialog.values.includeDoc = true;
  doc->context.MessageShown = true;
  EXPECT_TRUE(ApplyOptions(dialog, *doc));  // the document is then marked modified
  EXPECT_EQ(doc->store.CardCount(), 1u);
  EXPECT_EQ(doc->store.CurrentCard(), 0u);
  EXPECT_EQ(doc->context.QsosOnCard, 3);
  EXPECT_FALSE(doc->context.MessageShown);

  // A part mark names a merge variable or is a text in the merge language.
  dialog.values.partMark = "ToCall";
  ApplyOptions(dialog, *doc);
  EXPECT_EQ(doc->store.CardCount(), 3u);
  dialog.values.partMark = "%{Band}";
  ApplyOptions(dialog, *doc);
  EXPECT_EQ(doc->store.CardCount(), 1u);
}

TEST_F(DocumentTest, SortsFollowTheOptions) {
  AddLog({"VK2AA", "JA1AA", "Q1ZZ", "W1AW"});
  program.settings.sortCountry = true;
  doc->SortBureau(false);
  EXPECT_EQ(doc->store.Entry(0).Text(LogEntry::Call), "JA1AA");
  EXPECT_EQ(doc->store.Entry(1).Text(LogEntry::Call), "W1AW");  // entity "K" before "VK"
  EXPECT_EQ(doc->store.Entry(3).Text(LogEntry::Call), "Q1ZZ");  // unknown
  ASSERT_EQ(ui.Messages().size(), 1u);  // one unknown entity
  EXPECT_NE(doc->AreaStatistics().find("DX\t3\r\n"), std::string::npos);
  doc->SortByTime();
  EXPECT_FALSE(doc->store.Sorted());
}

}  // namespace
}  // namespace tevra
