// The log list's operations and the QSO edit dialog's OK rules.
#include "program/log_list.h"

#include <gtest/gtest.h>

#include "program/program.h"
#include "core/messages.h"
#include "import/csv_format_dialog.h"
#include "import/dbase_file.h"
#include "import/external_libraries.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

class LogListTest : public ::testing::Test {
 protected:
  LogListTest() : program(ui, {(dir.Path() / "TEVRA.INI").string(), dir.Path().string() + "/"}) {
    program.Start();
    doc = std::make_unique<Document>(program, printer);
  }
  void Add(const char* call, int day, int hour = 12, const char* remarks = "", const char* freq = "14",
           const char* mode = "CW") {
    QsoRecord r;
    r.Year = 24;
    r.Month = 5;
    r.Day = static_cast<std::uint8_t>(day);
    r.Hour = static_cast<std::uint8_t>(hour);
    SetField(r.Call, call);
    SetField(r.RstSent, "599");
    SetField(r.Freq, freq);
    SetField(r.Mode, mode);
    SetField(r.Remarks, remarks);
    doc->store.Add(r, static_cast<std::int32_t>(doc->store.QsoCount() + 1));
  }
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  Program program;
  std::unique_ptr<Document> doc;
};

TEST_F(LogListTest, OkMakesTheSelectedQsosCardCurrentAndDeletingEmpties) {
  for (int i = 0; i < 3; ++i) Add("JA1ZZZ", i + 1);
  Add("JA2YYY", 9);
  doc->SetQsosPerCard(3);
  doc->store.Regroup();
  LogList list(*doc);
  EXPECT_EQ(list.Cell(1, 0), "JA1ZZZ");
  EXPECT_EQ(list.Cell(1, 2), "1200");
  EXPECT_EQ(list.Cell(1, 13), " 2");  // not printed, position 2
  list.Accept(std::size_t{1});  // the middle QSO of the first card
  EXPECT_EQ(doc->store.CurrentCard(), 0u);
  list.Accept(std::size_t{3});
  EXPECT_EQ(doc->store.CurrentCard(), 1u);
  // Deleting: asked, then every row goes.
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(list.DeleteRows({0, 1, 2, 3}));
  EXPECT_EQ(list.CountText(), "0 件");
  EXPECT_EQ(doc->store.CardCount(), 0u);
}

TEST_F(LogListTest, PrintedRowsWarnBeforeTheyGo) {
  Add("JA1ZZZ", 1);
  Add("JA2YYY", 2);
  doc->store.Regroup();
  doc->store.MarkPrinted(0);
  program.printedData = true;
  LogList list(*doc);
  ui.QueueAnswer(Answer::Yes);
  ui.QueueAnswer(Answer::Cancel);  // the warning
  EXPECT_FALSE(list.DeleteRows({0, 1}));
  EXPECT_EQ(doc->store.QsoCount(), 2u);
  EXPECT_EQ(ui.Questions().back(),
            std::string("印刷済みのデータがあります\r\n消去するとログファイルの更新ができなくなる可能性があります."));
  // By condition: "FALSE" deletes nothing; a condition deletes its QSOs.
  EXPECT_FALSE(list.DeleteByCondition("FALSE"));
  ui.QueueAnswer(Answer::Ok);  // a printed QSO matches
  ASSERT_TRUE(list.DeleteByCondition("StrCALL==JA1ZZZ"));
  ASSERT_EQ(doc->store.QsoCount(), 1u);
  EXPECT_EQ(list.Cell(0, 0), "JA2YYY");
}

TEST_F(LogListTest, CheckFindsBadRowsButTakesHour24AndMinute60) {
  struct Case {
    int day, hour;
    const char* call;
    const char* freq;
    const char* mode;
    const char* problem;  // nullptr: nothing wrong
  };
  const Case cases[] = {
      {1, 24, "JA1ZZZ", "14", "CW", nullptr},       {0, 12, "JA1ZZZ", "14", "CW", "異常な日付"},
      {1, 25, "JA1ZZZ", "14", "CW", "異常な時刻"},   {1, 12, "J!", "14", "CW", "異常なコールサイン"},
      {1, 12, "JA1ZZZ", "14", "XYZ", "認識できない電波形式"}, {1, 12, "JA1ZZZ", "", "CW", "認識できないバンド"},
  };
  for (const Case& c : cases) Add(c.call, c.day, c.hour, "", c.freq, c.mode);
  QsoRecord minute60;
  doc->store.Read(0, minute60);
  minute60.Minute = 60;
  doc->store.Replace(0, minute60);
  LogList list(*doc);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto problem = list.Problem(i);
    if (cases[i].problem) EXPECT_EQ(problem.value_or(""), cases[i].problem) << i;
    else EXPECT_FALSE(problem) << i << " " << *problem;
  }
  // The run stops where the user says no.
  std::vector<std::size_t> shown;
  ui.QueueAnswer(Answer::Yes);
  ui.QueueAnswer(Answer::No);
  list.CheckAll([&shown](std::size_t row) { shown.push_back(row); });
  EXPECT_EQ(shown, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(ui.Questions().back(), std::string("3 : 異常な時刻\r\n\r\n続行しますか？"));
}

TEST_F(LogListTest, ExportTakesTheRemarksApart) {
  Add("JA1ZZZ", 1, 12, "\x52\x45\x4D\xA2" "abc\xA3 OPT\xA2" "1\xA3 free");
  const std::string path = (dir.Path() / "out.dbf").string();
  ASSERT_TRUE(LogList(*doc).ExportDbf(path));
  DbfEngine dbf;
  ASSERT_EQ(dbf.DbfOpen(path), DbfOpenResult::Ok);
  ASSERT_EQ(dbf.Fields().size(), 22u);
  ASSERT_TRUE(dbf.DbfSeek(0));
  auto field = [&dbf](const char* name) {
    for (std::size_t i = 0; i < dbf.Fields().size(); ++i)
      if (dbf.Fields()[i].name == name) {
        std::string text = dbf.DbfFieldText(i);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
      }
    return std::string("?");
  };
  EXPECT_EQ(field("CALL"), "JA1ZZZ");
  EXPECT_EQ(field("DATE"), "24/05/01");
  EXPECT_EQ(field("REM"), "abc");
  EXPECT_EQ(field("OPT"), "1");
  EXPECT_EQ(field("MISC"), "free");
}

TEST_F(LogListTest, ExportThroughAPluginThatCreatesFiles) {
  Add("JA1ZZZ", 1, 12, "free");
  LogList list(*doc);
  EXPECT_FALSE(list.PluginFileType());  // no plug-in loaded
  EXPECT_EQ(list.PluginLine(0), "24/05/01,1200,JA1ZZZ,599,14,CW,,\"\",\"\",\"free\",,,0,");
  ASSERT_TRUE(program.extSrc.Load(std::string(TEVRA_FAKE_LIBS) + "full/", ui));
  EXPECT_EQ(list.PluginFileType().value_or(""), "Fake(*.fk)|*.fk|");
  EXPECT_TRUE(list.ExportThroughPlugin((dir.Path() / "out.fk").string()));
}

TEST(LibrarySources, ConnectedSourcesServeTheWriteBackUntilTheNextLoad) {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  Program program(ui, {(dir.Path() / "TEVRA.INI").string(), std::string(TEVRA_FAKE_LIBS) + "full/"});
  program.Start();
  ASSERT_TRUE(program.dbBridge.Available());
  program.settings.load.skipSendMark = false;
  Document doc(program, printer);
  ui.QueueFormatDialog([](CsvFormatDialog& dialog) {
    dialog.Guess();
    return true;
  });
  ASSERT_TRUE(doc.ConnectOdbc({}));
  EXPECT_EQ(doc.store.QsoCount(), 3u);
  EXPECT_NE(doc.writeBack.liveSource, nullptr);
  // Loading a file closes the source.
  ASSERT_TRUE(doc.OpenByName(std::string(TEVRA_EXAMPLES) + "/sample.log"));
  EXPECT_EQ(doc.writeBack.liveSource, nullptr);
}

TEST(QsoEditDialog, OkRules) {
  QsoRecord r;
  r.QslRcvd = 'Y';
  QsoEditDialog dialog(r);
  EXPECT_EQ(dialog.date, "00/00/00");
  dialog.call = "ja1zzz/p";
  dialog.mode = "ft8";
  dialog.date = "24/12/31";
  dialog.time = "2359";
  dialog.sent = true;      // newly checked: "-"
  dialog.received = true;  // kept: its own character
  dialog.env = "3";
  dialog.Accept(r);
  EXPECT_EQ(FieldText(r.Call), "JA1ZZZ/P");
  EXPECT_EQ(FieldText(r.Mode), "FT8");
  EXPECT_EQ(r.Year, 24);
  EXPECT_EQ(r.Day, 31);
  EXPECT_EQ(r.Hour, 23);
  EXPECT_EQ(r.Minute, 59);
  EXPECT_EQ(r.QslSent, '-');
  EXPECT_EQ(r.QslRcvd, 'Y');
  EXPECT_EQ(r.Env, 3);
  dialog.received = false;
  dialog.Accept(r);
  EXPECT_EQ(r.QslRcvd, '\0');
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

std::vector<std::string> Calls(const LogStore& store) {
  std::vector<std::string> calls;
  for (std::size_t i = 0; i < store.QsoCount(); ++i) calls.emplace_back(store.Entry(i).Text(LogEntry::Call));
  return calls;
}

// Deletions, edits and sorts step back and forth; Cancel goes back to the
// log as the list found it, printed marks included; after suppression
// marks reach the file there is no way back past them.
TEST_F(LogListTest, UndoRedoAndCancelTakeTheLogBack) {
  Add("JA3CCC", 3);
  Add("JA1AAA", 1);
  Add("JA2BBB", 2);
  doc->store.MarkPrinted(2);
  const std::vector<std::string> opened = Calls(doc->store);
  LogList list(*doc);
  EXPECT_FALSE(list.CanUndo());
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(list.DeleteRows({2}));
  ui.QueueQsoEdit([](QsoRecord& r) {
    SetField(r.Call, "JA9ZZZ");
    return true;
  });
  ASSERT_TRUE(list.EditRow(0));
  list.Sort(false);
  const std::vector<std::string> after = Calls(doc->store);
  EXPECT_EQ(after, (std::vector<std::string>{"JA1AAA", "JA9ZZZ"}));
  const std::vector<std::vector<std::string>> back = {{"JA9ZZZ", "JA1AAA"}, {"JA3CCC", "JA1AAA"}, opened};
  for (const auto& expected : back) {
    ASSERT_TRUE(list.CanUndo());
    list.Undo();
    EXPECT_EQ(Calls(doc->store), expected);
  }
  EXPECT_FALSE(list.CanUndo());
  EXPECT_TRUE(doc->store.Entry(2).Printed());
  list.Redo();
  list.Redo();
  EXPECT_EQ(Calls(doc->store), (std::vector<std::string>{"JA9ZZZ", "JA1AAA"}));
  EXPECT_EQ(doc->store.CardCount(), 2u);
  list.Cancel();
  EXPECT_EQ(Calls(doc->store), opened);
  EXPECT_TRUE(doc->store.Entry(2).Printed());
  // After marks went into the file, Cancel keeps what is there.
  list.SortByTime();
  list.ForgetHistory();
  list.Cancel();
  EXPECT_EQ(Calls(doc->store), (std::vector<std::string>{"JA1AAA", "JA2BBB", "JA3CCC"}));
}

}  // namespace
}  // namespace tevra
