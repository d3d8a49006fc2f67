#include "import/loader_fixture.h"

#include "core/encoding.h"
#include "import/csv_format_dialog.h"
#include "import/automation_record.h"
#include "import/external_libraries.h"

#include <gtest/gtest.h>

#include <array>

#include "core/messages.h"
#include "import/contest_readers.h"
#include "import/log_source.h"
#include "log/entity_table.h"
#include "log/log_store.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

class RecordingHooks : public LoadHooks {
 public:
  bool SettlePendingWriteBack() override {
    ++settles;
    return !cancelWriteBack;
  }
  void CloseLiveSources() override { ++liveSourcesClosed; }
  void StartPrintNumberContinuation() override { ++continuations; }
  void CountSentRecord() override { ++sentCounted; }
  bool LoadConditionHolds(const QsoRecord& r) override { return rejectCall.empty() || FieldText(r.Call) != rejectCall; }
  void SortStore(bool descending) override {
    sorts.push_back(descending);
    if (sortWith) sortWith(descending);
  }
  void Redraw() override { ++redraws; }
  bool ShowLogList() override {
    ++logLists;
    return logListOk;
  }
  bool OpenLayoutDocument(const std::string& path) override {
    layouts.push_back(path);
    return true;
  }

  bool cancelWriteBack = false;
  bool logListOk = false;
  std::string rejectCall;
  int settles = 0, liveSourcesClosed = 0, continuations = 0, sentCounted = 0, redraws = 0, logLists = 0;
  std::vector<bool> sorts;
  std::function<void(bool)> sortWith;  // the real sort, where a test wants it
  std::vector<std::string> layouts;
};

class LogLoaderTest : public test::LoaderFixture<RecordingHooks> {
 protected:
  std::string WriteLog(std::string_view name, std::string_view bytes) { return dir.Write(name, bytes); }
};

constexpr std::string_view kThreeQsos =
    "24.1.2,1200.0,JA1AAA,59,59,7.0,SSB\r\n"
    "24.1.2,1201.0,JA1BBB,59,59,7.0,SSB,,,,,,,J\r\n"  // already sent
    "garbage line\r\n"
    "24.1.2,1202.0,JA1CCC,59,59,7.0,SSB,,,,,,, \r\n";  // blank sent mark

TEST_F(LogLoaderTest, SkippedQsosStillCountTheirLines) {
  std::string path = WriteLog("a.log", kThreeQsos);
  ASSERT_TRUE(loader.OpenByName(path));
  ASSERT_EQ(store.QsoCount(), 1u);  // the blank mark is a mark, too
  EXPECT_EQ(store.Entry(0).Position(), 1);

  options.skipSendMark = false;
  ASSERT_TRUE(loader.OpenByName(path));
  ASSERT_EQ(store.QsoCount(), 3u);
  EXPECT_EQ(store.Entry(1).Position(), 2);
  EXPECT_EQ(store.Entry(2).Position(), 4);  // line 3 did not parse but counted
  QsoRecord r;
  store.Read(2, r);
  EXPECT_EQ(r.SourceIndex, 3);
  // Only the "J" counts as sent for the print number; blank does not.
  EXPECT_EQ(hooks.sentCounted, 2);
  EXPECT_EQ(hooks.continuations, 2);
}

TEST_F(LogLoaderTest, LoadConditionFiltersButPositionsStayTrue) {
  options.skipSendMark = false;
  hooks.rejectCall = "JA1AAA";
  ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "JA1BBB");
  EXPECT_EQ(store.Entry(0).Position(), 2);
}

TEST_F(LogLoaderTest, SuccessfulOpenByNameSetsStateAndFinishes) {
  options.skipSendMark = false;
  std::string path = WriteLog("b.LOG", kThreeQsos);
  ASSERT_TRUE(loader.OpenByName(path));
  EXPECT_EQ(options.curLogType, SrcKuvalText);
  EXPECT_EQ(options.curLogName, "b.LOG");
  EXPECT_EQ(options.curLogDir, dir.Path().string() + "/");
  EXPECT_EQ(loader.LastLogPath(), path);
  EXPECT_EQ(options.recentLogs.Items().front(), path);
  EXPECT_EQ(store.CardCount(), 3u);
  EXPECT_EQ(FieldText(buffer[0].Call), "JA1AAA");  // card 0 read
  EXPECT_EQ(hooks.redraws, 1);
  EXPECT_EQ(hooks.logLists, 1);
  EXPECT_EQ(hooks.liveSourcesClosed, 1);
  EXPECT_EQ(hooks.settles, 1);
  EXPECT_EQ(ui.WaitDepth(), 0);
  // Status: clearing, cleared, reading, cleared.
  const std::vector<std::string> status = {std::string(msg::kClearingLogData), "", std::string(msg::kReadingLogFile),
                                           ""};
  EXPECT_EQ(ui.StatusHistory(), status);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(LogLoaderTest, MissingFileKeepsTheOldLog) {
  options.skipSendMark = false;
  ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
  const std::string missing = dir.Path().string() + "/missing.log";
  EXPECT_FALSE(loader.OpenByName(missing));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, msg::kCannotReadFile104);
  EXPECT_EQ(store.QsoCount(), 3u);
  EXPECT_NE(loader.LastLogPath(), missing);  // by name: only set on success
  EXPECT_EQ(options.curLogType, SrcKuvalText);

  // A directory is no readable log either.
  std::filesystem::create_directory(dir.Path() / "dir.log");
  EXPECT_FALSE(loader.OpenByName((dir.Path() / "dir.log").string()));
  EXPECT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(store.QsoCount(), 3u);
}

TEST_F(LogLoaderTest, OtherFilesGoToTheLayoutDocument) {
  std::string layout = WriteLog("card.tvd", "x");
  EXPECT_TRUE(loader.OpenByName(layout));
  ASSERT_EQ(hooks.layouts.size(), 1u);
  EXPECT_EQ(loader.DocumentDirectory(), dir.Path().string() + "/");
  EXPECT_EQ(hooks.settles, 0);
}

TEST_F(LogLoaderTest, CancelledWriteBackAndForbiddenLoadingLoadNothing) {
  std::string path = WriteLog("a.log", kThreeQsos);
  hooks.cancelWriteBack = true;
  EXPECT_FALSE(loader.OpenByName(path));
  EXPECT_EQ(store.QsoCount(), 0u);
  EXPECT_EQ(hooks.liveSourcesClosed, 0);

  hooks.cancelWriteBack = false;
  loader.SetEnableLogFile(false);
  EXPECT_FALSE(loader.OpenByName(path));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, msg::kLogLoadingForbidden);
  EXPECT_FALSE(loader.OpenLogDialog());  // the command is disabled
  EXPECT_EQ(store.QsoCount(), 0u);
}

TEST_F(LogLoaderTest, RepeatExpansionOffersToSort) {
  options.skipSendMark = false;
  store.SetQsosPerCard(4);
  ui.QueueSortAnswer(SortAnswer::Descending);
  ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_NE(ui.Questions()[0].find("並び替えますか?   (3件)"), std::string::npos);
  EXPECT_EQ(hooks.sorts, std::vector<bool>{true});

  // "No" leaves the order; with the automation sort flag set nothing is asked.
  ui.QueueSortAnswer(SortAnswer::No);
  ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
  EXPECT_EQ(hooks.sorts.size(), 1u);
  loader.SetSortFlag(true);
  ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
  EXPECT_EQ(ui.Questions().size(), 2u);
}

// A sort regroups; the load's end does not do it once more.
TEST_F(LogLoaderTest, ALoadWithASortRegroupsOnce) {
  options.skipSendMark = false;
  store.SetQsosPerCard(3);
  EntityTable entities;
  hooks.sortWith = [&](bool descending) { store.SortBureau(descending, {}, entities, true); };
  for (const SortAnswer answer : {SortAnswer::Ascending, SortAnswer::No}) {
    ui.QueueSortAnswer(answer);
    const std::size_t before = store.RegroupCount();
    ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
    EXPECT_EQ(store.RegroupCount(), before + 1);
    EXPECT_EQ(store.CardCount(), 3u);
  }
}

TEST_F(LogLoaderTest, LogListOkRereadsTheCurrentCard) {
  options.skipSendMark = false;
  hooks.logListOk = true;
  ASSERT_TRUE(loader.OpenByName(WriteLog("a.log", kThreeQsos)));
  EXPECT_EQ(hooks.redraws, 2);
}

TEST_F(LogLoaderTest, OpenDialogUsesTheChosenFilter) {
  options.curLogType = SrcCsv;
  options.curLogName = "old.prn";
  options.curLogDir = "/old/";
  std::string cabrillo = WriteLog("contest.txt", "START-OF-LOG: 3.0\n");
  LogFilterList filters = BuildLogFilterList(SrcCsv, "old.prn");
  ui.QueueFileChoice(OpenFileChoice{cabrillo, filters.cabrilloFilterIndex});
  // Cancelling the Cabrillo options ends the load, but the type and the
  // remembered directory follow the file dialog.
  ui.QueueCabrilloDialog([](CabrilloOptionsDialog&) { return false; });
  EXPECT_FALSE(loader.OpenLogDialog());
  ASSERT_EQ(ui.FileRequests().size(), 1u);
  const OpenFileRequest& request = ui.FileRequests()[0];
  EXPECT_EQ(request.title, "ログファイルの読み込み");
  EXPECT_EQ(request.defaultExtension, "log");
  EXPECT_EQ(request.initialName, "old.prn");
  EXPECT_EQ(request.initialDirectory, "/old/");
  EXPECT_TRUE(request.filters.starts_with("PRNファイル (*.PRN)|*.PRN|"));
  EXPECT_EQ(options.curLogType, SrcCabrillo);
  EXPECT_EQ(options.curLogName, "contest.txt");
  EXPECT_EQ(loader.LastLogPath(), cabrillo);

  ui.QueueFileChoice(std::nullopt);  // cancelled
  EXPECT_FALSE(loader.OpenLogDialog());

  std::string log = WriteLog("x.log", kThreeQsos);
  ui.QueueFileChoice(OpenFileChoice{log, 0});
  EXPECT_TRUE(loader.OpenLogDialog());
  EXPECT_EQ(options.curLogType, SrcKuvalText);
}

TEST_F(LogLoaderTest, RecentLogsReopenByEntry) {
  options.skipSendMark = false;
  std::string a = WriteLog("a.log", kThreeQsos);
  std::string b = WriteLog("b.log", "24.1.2,1200.0,K1B\n");
  ASSERT_TRUE(loader.OpenByName(a));
  ASSERT_TRUE(loader.OpenByName(b));
  EXPECT_EQ(options.recentLogs.Items(), (std::vector<std::string>{b, a}));
  EXPECT_FALSE(loader.OpenRecentLog(2));
  ASSERT_TRUE(loader.OpenRecentLog(1));
  EXPECT_EQ(store.QsoCount(), 3u);
  EXPECT_EQ(options.recentLogs.Items(), (std::vector<std::string>{a, b}));
}

TEST_F(LogLoaderTest, HostileBytesLoadWithoutHarm) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 7919) & 0xFF));
  bytes += std::string(3 << 20, 'x');  // a line far beyond the line limit
  bytes += "\n24.1.2,1200.0,K1LAST\x81";  // lead byte as the very last byte
  options.skipSendMark = false;
  ASSERT_TRUE(loader.OpenByName(WriteLog("junk.log", bytes)));
  ASSERT_GE(store.QsoCount(), 1u);
  EXPECT_EQ(store.Entry(store.QsoCount() - 1).Text(LogEntry::Call), "K1LAST\x81");
}

}  // namespace
TEST_F(LogLoaderTest, HandOversByTheirMarkers) {
  // "$": read at once with its own formulas; the third line is position 1.
  ASSERT_TRUE(loader.ReadHandOver("$TEVRA_CSV_TEXT  MyLogger\r\nCALL,\"YYMMDD\",HHmm\r\n"
                                  "JA1ABC,241103,0930\r\nW1AW,241104,1200\r\n"));
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(0).Position(), 1);
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "W1AW");
  EXPECT_EQ(store.SourceType(), SrcClipboard);
  EXPECT_EQ(ui.FormatDialogsShown(), 0);
  EXPECT_EQ(options.csv.columns[0], "NULL");  // the program's formulas are untouched
  EXPECT_EQ(ui.StatusHistory().front(), "[ MyLogger ] からログデータを読み込み中...");
  // "%" and text without a marker show the format dialog; Cancel reads nothing.
  ui.QueueFormatDialog([](CsvFormatDialog& dialog) {
    EXPECT_EQ(dialog.Samples().size(), 1u);
    return false;
  });
  EXPECT_FALSE(loader.ReadHandOver("%TEVRA_CSV_TEXT\r\nCALL\r\nJA2XYZ\r\n"));
  EXPECT_EQ(store.QsoCount(), 2u);
}

TEST(HandOverHeader, MarkersAndNames) {
  struct Case {
    const char* text;
    char marker;
    const char* application;
  };
  const Case cases[] = {{"$TEVRA_CSV_TEXT Logger", '$', "Logger"},
                        {"#TEVRA_CSV_TEXT\r\nrest", '#', "不明なアプリケーション"},
                        {"%TEVRA_CSV_TEXT  A B \r\n", '%', "A B"},
                        {"!TEVRA_CSV_TEXT x", 0, ""},
                        {"$TEVRA_CSV", 0, ""},
                        {"JA1ABC,241103", 0, ""}};
  for (const Case& c : cases) {
    const auto header = ReadHandOverHeader(c.text);
    EXPECT_EQ(header ? header->marker : 0, c.marker) << c.text;
    if (header) {
      EXPECT_EQ(ToUnicode(header->application), c.application) << c.text;
    }
  }
}

TEST_F(LogLoaderTest, SourcesOfThePluginAndTheBridge) {
  const std::string libs = std::string(TEVRA_FAKE_LIBS) + "full/";
  ExtSrcLibrary plugin;
  ASSERT_TRUE(plugin.Load(libs, ui));
  DbBridgeLibrary bridge;
  ASSERT_TRUE(bridge.Load(libs, ui));
  auto callFormula = [](CsvFormatDialog& dialog) {
    EXPECT_TRUE(dialog.HasFieldNames());
    EXPECT_EQ(dialog.RowLabel(0), "CALL");
    EXPECT_EQ(dialog.Samples().size(), 3u);
    // The sample split as the source separates it: commas or 0x1E.
    dialog.SetSkipCount(1);
    EXPECT_EQ(dialog.SampleFields(), (std::vector<std::string>{"JA2DEF", "Y"}));
    dialog.SetSkipCount(0);
    dialog.Guess();
    return true;
  };
  options.skipSendMark = false;  // the second record is marked sent
  ui.QueueFormatDialog(callFormula);
  ASSERT_TRUE(loader.ConnectPlugin(plugin.Api()));
  ASSERT_EQ(store.QsoCount(), 3u);
  EXPECT_EQ(store.SourceType(), SrcPlugin);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "JA1ABC");
  EXPECT_EQ(store.Entry(2).Text(LogEntry::Call), "JA3GHI");
  EXPECT_EQ(store.Entry(0).Position(), 0);  // 0-based record indices
  EXPECT_EQ(store.Entry(2).Position(), 2);
  EXPECT_EQ(options.csv.separatorType, 0);  // the program's delimiter again

  // One table: the chooser takes it (the window asks nothing then; a
  // table named on the command line must be that one); the fields arrive
  // separated by 0x1E.
  ui.QueueFormatDialog(callFormula);
  std::vector<std::string> offered;
  ASSERT_TRUE(loader.ConnectOdbc(bridge.Api(), [&offered](const std::vector<std::string>& tables) {
    offered = tables;
    return std::optional<std::string>(tables.front());
  }));
  EXPECT_EQ(offered.size(), 1u);
  EXPECT_EQ(store.SourceType(), SrcOdbc);
  ASSERT_EQ(store.QsoCount(), 3u);
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "JA2DEF");
  EXPECT_EQ(options.curLogName, "LOG");
  EXPECT_EQ(options.curLogDir, "fake");

  // Cancel in the format dialog: the plug-in is closed, nothing read.
  ui.QueueFormatDialog([](CsvFormatDialog&) { return false; });
  EXPECT_FALSE(loader.ConnectPlugin(plugin.Api()));
}

TEST_F(LogLoaderTest, APluginWithoutFieldNamesDeliversAutomationLines) {
  ExtSrcLibrary plugin;
  ASSERT_TRUE(plugin.Load(std::string(TEVRA_FAKE_LIBS) + "automation/", ui));
  ASSERT_TRUE(loader.ConnectPlugin(plugin.Api()));
  EXPECT_EQ(ui.FormatDialogsShown(), 0);  // no formulas, nothing to ask
  // The second line's time holds no number: it is not loaded, but the third
  // keeps its record index.
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "JA1ABC");
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Name), "Sato, Taro");
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "JA3GHI");
  EXPECT_EQ(store.Entry(1).Position(), 2);
  EXPECT_EQ(store.SourceType(), SrcPlugin);
}

TEST(AutomationRecord, FieldsByTheirRules) {
  struct Case {
    const char* line;
    bool taken;
    int year, month, day, hour, minute;
    const char* call;
    const char* name;
    char sent;
    int env;
  };
  const Case cases[] = {
      {"97.08.13,1234,JA1ABC,599,14.025,CW,50,,,,,,", true, 97, 8, 13, 12, 34, "JA1ABC", "", 0, 0},
      {"970813,12:34,W1AW", true, 97, 8, 13, 12, 34, "W1AW", "", 0, 0},
      {"24/11/03,0005,K1ABC,59,7,SSB,10,\"Doe, John\",Boston,rem,Y,N,3", true, 24, 11, 3, 0, 5, "K1ABC", "Doe, John", 'Y', 3},
      {"2024-11-03,2359,JA2XYZ,,,,,,,,,,x", true, 24, 11, 3, 23, 59, "JA2XYZ", "", 0, 0},
      {"20241103,930,JA3AAA", true, 24, 11, 3, 9, 30, "JA3AAA", "", 0, 0},
      {"97.08.13,abc,JA1ABC", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {"97.08.13", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {"", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {"1.2.3,1,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", true, 1, 2, 3, 0, 1, "ABCDEFGHIJKLMNOPQRSTUVWX", "", 0, 0},
      // Dates and times that cannot be; a record without a date is one.
      {"99.99.99,1234,JA1ABC", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {"24.02.30,1234,JA1ABC", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {"24.02.29,99:99,JA1ABC", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {"24.02.29,2400,JA1ABC", false, 0, 0, 0, 0, 0, "", "", 0, 0},
      {",1234,JA1ABC", true, 0, 0, 0, 12, 34, "JA1ABC", "", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    QsoRecord r;
    ASSERT_EQ(ParseAutomationRecord(c.line, r), c.taken);
    if (!c.taken) continue;
    EXPECT_EQ(std::vector<int>({r.Year, r.Month, r.Day, r.Hour, r.Minute}),
              std::vector<int>({c.year, c.month, c.day, c.hour, c.minute}));
    EXPECT_EQ(FieldText(r.Call), c.call);
    EXPECT_EQ(FieldText(r.Name), c.name);
    EXPECT_EQ(r.QslSent, c.sent);
    EXPECT_EQ(r.Env, c.env);
  }
  // The line is cut before it is split: the remarks end at byte 511.
  QsoRecord r;
  ASSERT_TRUE(ParseAutomationRecord("1.1.1,1,A,,,,,,," + std::string(600, 'r') + ",Y", r));
  EXPECT_EQ(FieldText(r.Remarks).size(), 511u - 16u);
  EXPECT_EQ(r.QslSent, 0);
}

}  // namespace tevra
