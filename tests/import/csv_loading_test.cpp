// CSV and dBase logs through the load frame.
#include <gtest/gtest.h>

#include <array>

#include "import/csv_format_dialog.h"
#include "import/dbase_test_util.h"
#include "import/loader_fixture.h"
#include "log/log_store.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

class CsvLoadingTest : public test::LoaderFixture<> {
 protected:
  CsvLoadingTest() {
    options.skipSendMark = false;
    options.csv.columns[0] = "YY/MM/DD";
    options.csv.columns[1] = "CALL";
    options.csv.columns[2] = "RST";
  }
  void AcceptDialog(int skip = 0) {
    ui.QueueFormatDialog([skip](CsvFormatDialog& d) {
      d.SetSkipCount(skip);
      return true;
    });
    if (skip > 0) ui.QueueAnswer(Answer::Yes);
  }
};

TEST_F(CsvLoadingTest, LinesWithoutCallAreDroppedButCounted) {
  const std::string path = dir.Write("log.csv",
                                     "date,call,rst,ignored\r\n"
                                     "24/11/03,ja1abc,599,x,y\r\n"
                                     "24/11/04,,599\r\n"
                                     "\"unbalanced,quote\r\n"
                                     "   ,w1aw\r\n");
  AcceptDialog(1);
  ASSERT_TRUE(loader.OpenByName(path));
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "JA1ABC");
  EXPECT_EQ(store.Entry(0).Position(), 2);
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "W1AW");
  EXPECT_EQ(store.Entry(1).Position(), 5);
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Date), "24/11/04");  // carried from the line before
  EXPECT_EQ(options.curLogType, SrcCsv);
}

// Month 13, day 45, hour 25 or 30 February make the date or time
// unreadable, as a text that cannot be parsed does; the report counts them.
TEST_F(CsvLoadingTest, ImpossibleDatesAndTimesAreUnreadable) {
  options.csv.columns = {};
  options.csv.columns[0] = "CALL";
  options.csv.columns[1] = "YYMMDD";
  options.csv.columns[2] = "HHmm";
  AcceptDialog();
  ASSERT_TRUE(loader.OpenByName(
      dir.Write("log.csv", "JA1ABC,20211345,2599\nJA1ABD,210230,0930\nJA1ABE,210228,2460\nJA1ABF,200229,2359\n")));
  ASSERT_EQ(store.QsoCount(), 4u);
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < 4; ++i)
    shown.push_back(std::string(store.Entry(i).Text(LogEntry::Date)) + " " + std::string(store.Entry(i).Text(LogEntry::Time)));
  EXPECT_EQ(shown, (std::vector<std::string>{"00/00/00 0000", "00/00/00 0930", "21/02/28 0000", "20/02/29 2359"}));
  EXPECT_EQ(loader.LastReport().noDate, 2u);
  EXPECT_EQ(loader.LastReport().noTime, 2u);
}

TEST_F(CsvLoadingTest, CancelledDialogKeepsTheOldLog) {
  ASSERT_TRUE((AcceptDialog(), loader.OpenByName(dir.Write("a.csv", "24/1/2,K1A\n"))));
  ui.QueueFormatDialog([](CsvFormatDialog& d) {
    d.SelectRow(1);
    d.ClearFormula();
    return false;
  });
  EXPECT_FALSE(loader.OpenByName(dir.Write("b.csv", "24/1/2,K1B\n")));
  ASSERT_EQ(store.QsoCount(), 1u);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Call), "K1A");
  EXPECT_EQ(options.csv.columns[1], "CALL");  // the cancelled change is not kept
}

TEST_F(CsvLoadingTest, GuessedFormulasAreKeptForTheNextLoad) {
  ui.QueueFormatDialog([](CsvFormatDialog& d) {
    d.Guess();
    return true;
  });
  ASSERT_TRUE(loader.OpenByName(dir.Write("g.txt", "2024-11-03,1234,JA1ABC,59,7.045,SSB\n")));
  EXPECT_EQ(options.csv.columns[0], "YY-MM-DD");
  EXPECT_EQ(options.csv.columns[5], "MODE");
  ASSERT_EQ(store.QsoCount(), 1u);
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Time), "1234");
  EXPECT_EQ(store.Entry(0).Text(LogEntry::Freq), "7.045");
}

test::DbfSpec LogSpec() {
  test::DbfSpec spec;
  spec.fields = {{"DATE", 8}, {"CALL", 10}, {"S", 1}};
  spec.records = {test::DbfRecord(spec, ' ', {"24/11/03", "JA1ABC", ""}),
                  test::DbfRecord(spec, '*', {"24/11/04", "DELETED", ""}),
                  test::DbfRecord(spec, ' ', {"24/11/05", "W1AW", "J"})};
  return spec;
}

TEST_F(CsvLoadingTest, DbaseRecordsKeepTheirIndices) {
  options.csv.separatorType = 1;
  ui.QueueFormatDialog([](CsvFormatDialog& d) {
    EXPECT_EQ(d.Delimiter(), 4);
    EXPECT_EQ(d.RowLabel(1), "CALL");
    EXPECT_EQ(d.SampleFields()[1], "JA1ABC    ");
    return true;
  });
  ASSERT_TRUE(loader.OpenByName(dir.Write("log.dbf", test::DbfBytes(LogSpec()))));
  ASSERT_EQ(store.QsoCount(), 2u);
  EXPECT_EQ(store.Entry(0).Position(), 0);
  EXPECT_EQ(store.Entry(1).Position(), 2);
  EXPECT_EQ(store.Entry(1).Text(LogEntry::Call), "W1AW");
  EXPECT_EQ(options.csv.separatorType, 1);  // restored after the load
  EXPECT_TRUE(loader.LogModificationTime().has_value());
  QsoRecord r;
  store.Read(1, r);
  EXPECT_EQ(r.SourceIndex, 2);
}

TEST_F(CsvLoadingTest, DbaseFailuresShowTheirMessages) {
  test::DbfSpec empty = LogSpec();
  empty.records.clear();
  EXPECT_FALSE(loader.OpenByName(dir.Write("empty.dbf", test::DbfBytes(empty))));
  EXPECT_EQ(ui.Messages().back().text, "レコードが存在しません.");
  EXPECT_FALSE(loader.OpenByName(dir.Write("bad.dbf", "garbage that is not a dBase file")));
  EXPECT_EQ(ui.Messages().back().text, "予期しないファイル形式です。読み込みを中止します。");
  EXPECT_FALSE(loader.OpenByName((dir.Path() / "missing.dbf").string()));
  EXPECT_EQ(ui.Messages().back().text,
            "ファイルがオープンできません.ファイルが存在しないか他のアプリケーションで使用中です.");
}

}  // namespace
}  // namespace tevra
