// The merge print model: pages, label cells, questions, marks, print
// numbers and events, with a canvas that records what it is asked to draw.
#include "print/print_job.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "print/print_number_dialog.h"
#include "program/program.h"
#include "core/messages.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

struct Drawn {
  int column, row;
  int card;
  std::string call;
  bool grid;
};

class RecordingCanvas : public PageCanvas {
 public:
  explicit RecordingCanvas(Document& doc) : doc_(doc) {}
  void DrawCard(int column, int row, bool grid) override {
    cards.push_back({column, row, doc_.context.CardIndex, std::string(FieldText(doc_.mergeBuffer[0].Call)), grid});
    numbers.push_back(doc_.context.PrintNumberBase + doc_.context.CardIndex);
  }
  std::vector<Drawn> cards;
  std::vector<int> numbers;

 private:
  Document& doc_;
};

class PrintJobTest : public ::testing::Test {
 protected:
  PrintJobTest() : program(ui, {(dir.Path() / "TEVRA.INI").string(), dir.Path().string() + "/"}) {
    printer.papers[43] = {3937, 5827};
    program.Start();
    doc = std::make_unique<Document>(program, printer);
    doc->printingEvent = [this] { events.push_back("printing"); };
    doc->printedEvent = [this] { events.push_back("printed"); };
    doc->afterMergePrint = [this] { events.push_back("write-back"); };
  }
  void Log(int cards) {
    for (int i = 0; i < cards; ++i) {
      QsoRecord r;
      r.Year = 24;
      SetField(r.Call, "JA1A" + std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(i));
      doc->store.Add(r, i + 1);
    }
    doc->store.Regroup();
    doc->ReadCurrentCard();
  }
  void TackSeals() {
    doc->layout.Settings.CardFormCode = FormTackSeal;
    doc->layout.Settings.TackColumns = 2;
    doc->layout.Settings.TackRows = 6;
  }
  // Prepare, begin, the pages, end: what a print dialog's OK leads to.
  RecordingCanvas Run(PrintJob& job, int from = 1, int to = 0) {
    RecordingCanvas canvas(*doc);
    job.Begin();
    if (to == 0) to = job.PageCount();
    for (int page = std::max(from, job.MinPage()); page <= to && job.PreparePage(); ++page) job.PrintPage(page, canvas);
    job.End();
    return canvas;
  }
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  Program program;
  std::unique_ptr<Document> doc;
  std::vector<std::string> events;
};

TEST_F(PrintJobTest, LabelSheetsFillRowByRowAndLeaveTheRestEmpty) {
  TackSeals();
  Log(25);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  ASSERT_TRUE(job.Prepare());
  EXPECT_EQ(job.PageCount(), 3);
  RecordingCanvas canvas(*doc);
  job.Begin();
  job.PrintPage(3, canvas);
  ASSERT_EQ(canvas.cards.size(), 1u);  // the 25th card, then 11 empty cells
  EXPECT_EQ(canvas.cards[0].card, 24);
  EXPECT_EQ(canvas.cards[0].column, 0);
  EXPECT_EQ(canvas.cards[0].row, 0);
  EXPECT_FALSE(canvas.cards[0].grid);
  job.PrintPage(1, canvas);
  EXPECT_EQ(canvas.cards.size(), 13u);
  EXPECT_EQ(canvas.cards[2].column, 1);  // card 1: row 0, column 1
  EXPECT_EQ(canvas.cards[3].row, 1);
  EXPECT_EQ(canvas.cards[12].card, 11);
  EXPECT_TRUE(doc->store.Entry(24).Printed());
  EXPECT_FALSE(doc->store.Entry(12).Printed());  // page 2 was not printed
  job.End();
  EXPECT_EQ(program.settings.printNo, 1 + 13);
}

TEST_F(PrintJobTest, APartlyUsedFirstSheetStartsAtItsFirstFreeLabel) {
  TackSeals();
  Log(20);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  job.SetFirstLabel(4);
  ASSERT_TRUE(job.Prepare());
  EXPECT_EQ(job.PageCount(), 2);  // 9 labels on the first sheet, 11 on the second
  const RecordingCanvas canvas = Run(job);
  ASSERT_EQ(canvas.cards.size(), 20u);
  EXPECT_EQ(canvas.cards[0].card, 0);
  EXPECT_EQ(canvas.cards[0].column, 1);  // label 4: row 1, column 1
  EXPECT_EQ(canvas.cards[0].row, 1);
  EXPECT_EQ(canvas.cards[9].card, 9);  // the second sheet starts at label 1
  EXPECT_EQ(canvas.cards[9].column, 0);
  EXPECT_EQ(canvas.cards[9].row, 0);
}

TEST_F(PrintJobTest, APageRangeMarksOnlyItsCardsAndAdvancesThePrintNumber) {
  Log(10);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  ASSERT_TRUE(job.Prepare());
  EXPECT_EQ(job.PageCount(), 10);
  EXPECT_EQ(events, (std::vector<std::string>{"printing"}));
  EXPECT_EQ(program.automation.printStat, 1);
  const RecordingCanvas canvas = Run(job, 3, 4);
  ASSERT_EQ(canvas.cards.size(), 2u);
  EXPECT_EQ(canvas.cards[0].card, 2);
  EXPECT_EQ(canvas.cards[1].call, "JA1AD3");
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(doc->store.Entry(i).Printed(), i == 2 || i == 3) << i;
  EXPECT_TRUE(program.printedData);
  EXPECT_EQ(program.settings.printNo, 3);
  EXPECT_EQ(program.automation.printStat, 2);
  EXPECT_EQ(events, (std::vector<std::string>{"printing", "write-back", "printed"}));
}

TEST_F(PrintJobTest, PrintNumbersRunOnFromTheStoredNumber) {
  Log(10);
  program.settings.printNo = 101;
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  ASSERT_TRUE(job.Prepare());
  const RecordingCanvas canvas = Run(job);
  EXPECT_EQ(canvas.numbers.front(), 101);
  EXPECT_EQ(canvas.numbers.back(), 110);
  EXPECT_EQ(program.settings.printNo, 111);
}

TEST_F(PrintJobTest, AfterACancelledWriteBackTheNextJobOffersToContinue) {
  Log(10);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob first(*doc, PrintKind::Merge);
  ASSERT_TRUE(first.Prepare());
  Run(first, 1, 4);  // the write-back hook leaves the marks: as if cancelled

  PrintJob second(*doc, PrintKind::Merge);
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(second.Prepare());  // printed data: no sort question
  EXPECT_EQ(ui.Questions().back(), msg::kContinuePrint);
  EXPECT_EQ(second.MinPage(), 5);

  PrintJob third(*doc, PrintKind::Merge);
  ui.QueueAnswer(Answer::No);
  ASSERT_TRUE(third.Prepare());
  EXPECT_EQ(third.MinPage(), 1);
  PrintJob cancelled(*doc, PrintKind::Merge);
  ui.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(cancelled.Prepare());

  // Clearing every mark also ends the continuation.
  EXPECT_EQ(doc->DeletePrinted(-1), 0);
  EXPECT_FALSE(program.printedData);
  ui.QueueSortAnswer(SortAnswer::Cancel);
  PrintJob fresh(*doc, PrintKind::Merge);
  EXPECT_FALSE(fresh.Prepare());  // asked to sort again; cancel abandons
}

TEST_F(PrintJobTest, TheSortQuestionSortsInBureauOrder) {
  Log(3);
  ui.QueueSortAnswer(SortAnswer::Descending);
  PrintJob job(*doc, PrintKind::Merge);
  ASSERT_TRUE(job.Prepare());
  EXPECT_TRUE(doc->store.Sorted());
  EXPECT_EQ(doc->store.Entry(0).Text(LogEntry::Call), "JA1AC2");
  PrintJob again(*doc, PrintKind::Merge);
  EXPECT_TRUE(again.Prepare());  // sorted now: not asked again
}

TEST_F(PrintJobTest, TheCurrentPageFollowsTheCurrentCard) {
  Log(20);
  doc->store.SetCurrentCard(7);
  EXPECT_EQ(PrintJob(*doc, PrintKind::Merge).CurrentCardPage(), 8);
  TackSeals();
  EXPECT_EQ(PrintJob(*doc, PrintKind::Merge).CurrentCardPage(), 1);
  doc->store.SetCurrentCard(12);
  EXPECT_EQ(PrintJob(*doc, PrintKind::Merge).CurrentCardPage(), 2);
}

TEST_F(PrintJobTest, ATestPrintWithoutALogShowsTheSamplesAndTheGrid) {
  PrintJob job(*doc, PrintKind::Test);
  ASSERT_TRUE(job.Prepare());
  EXPECT_EQ(job.PageCount(), 1);
  const RecordingCanvas canvas = Run(job);
  ASSERT_EQ(canvas.cards.size(), 1u);
  EXPECT_EQ(canvas.cards[0].call, "JH1ZZZ");
  EXPECT_TRUE(canvas.cards[0].grid);
  EXPECT_EQ(program.automation.printStat, 3);
  EXPECT_EQ(program.settings.printNo, 1);  // a test print numbers nothing
  EXPECT_EQ(events, (std::vector<std::string>{"printing", "printed"}));

  // Without a log every label of the sheet shows the same card.
  TackSeals();
  PrintJob sheet(*doc, PrintKind::Test);
  ASSERT_TRUE(sheet.Prepare());
  EXPECT_EQ(Run(sheet).cards.size(), 12u);
}

TEST_F(PrintJobTest, ATestPrintOfALogShowsTheCurrentCardAndMarksNothing) {
  Log(5);
  doc->store.ReadCard(3, doc->mergeBuffer);
  PrintJob job(*doc, PrintKind::Test);
  ASSERT_TRUE(job.Prepare());  // no sort question
  const RecordingCanvas canvas = Run(job);
  ASSERT_EQ(canvas.cards.size(), 1u);
  EXPECT_EQ(canvas.cards[0].call, "JA1AD3");
  EXPECT_TRUE(canvas.cards[0].grid);
  EXPECT_FALSE(program.printedData);
  EXPECT_FALSE(doc->store.Entry(3).Printed());
}

TEST_F(PrintJobTest, ThePreviewMovesTheCurrentCardButNeverMarks) {
  Log(6);
  doc->store.SetCurrentCard(4);
  PrintJob job(*doc, PrintKind::Preview);
  ASSERT_TRUE(job.Prepare());  // no questions
  EXPECT_EQ(job.CurrentCardPage(), 5);
  RecordingCanvas canvas(*doc);
  job.Begin();
  job.PrintPage(2, canvas);
  job.End();
  EXPECT_EQ(doc->store.CurrentCard(), 1u);
  EXPECT_FALSE(doc->context.PromptsEnabled);
  EXPECT_FALSE(program.printedData);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_FALSE(doc->store.Entry(i).Printed());
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(program.settings.printNo, 1);
}

TEST_F(PrintJobTest, EveryFiftiethPageWaitsForTheSpooler) {
  Log(120);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  int sleeps = 0;
  unsigned free = 20000;
  job.sleep = [&](std::chrono::milliseconds ms) {
    EXPECT_EQ(ms.count(), 1000);
    ++sleeps;
  };
  job.tempFreeKilobytes = [&] { return free; };
  ASSERT_TRUE(job.Prepare());
  RecordingCanvas canvas(*doc);
  job.Begin();
  for (int page = 1; page <= 99; ++page) job.PrintPage(page, canvas);
  EXPECT_EQ(sleeps, 1);
  free = 100;
  job.PrintPage(100, canvas);
  EXPECT_EQ(sleeps, 1);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, msg::kTempSpaceLow);
  EXPECT_TRUE(doc->context.PromptsEnabled);
  // A PDF file has no spooler to wait for.
  job.spoolerPauses = false;
  free = 20000;
  for (int page = 1; page <= 50; ++page) job.PrintPage(page, canvas);  // up to the job's 150th page
  EXPECT_EQ(job.PagesPrinted(), 150);
  EXPECT_EQ(sleeps, 1);
}

TEST_F(PrintJobTest, ACancelledPromptEndsTheJobBeforeTheNextPage) {
  Log(5);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  ASSERT_TRUE(job.Prepare());
  RecordingCanvas canvas(*doc);
  job.Begin();
  job.PrintPage(1, canvas);
  doc->context.Continue = false;  // "印刷終了" in a prompt
  EXPECT_FALSE(job.PreparePage());
  job.End();
  EXPECT_TRUE(doc->store.Entry(0).Printed());
  EXPECT_EQ(program.settings.printNo, 2);
}

TEST_F(PrintJobTest, PrintNumberFromTheSentMarksOfALoadedLog) {
  // A KUVAL text log whose 14th field is the QSL-sent mark.
  std::string text;
  for (const char* sent : {"Y", "Y", "N", "", "*"})
    text += std::string("24.11.03,0930.00,JA1ABC,59,59,7.045,SSB,100,,,,,,") + sent + ",,,1,,\r\n";
  const std::string path = dir.Write("sent.log", text);
  program.settings.printNo = 50;
  ASSERT_TRUE(doc->OpenByName(path));
  EXPECT_EQ(program.settings.printNo, 4);
  EXPECT_EQ(doc->store.QsoCount(), 1u);  // the others were sent already

  program.settings.printNoAuto = false;
  program.settings.printNo = 50;
  ASSERT_TRUE(doc->OpenByName(path));
  EXPECT_EQ(program.settings.printNo, 50);
}

TEST_F(PrintJobTest, PrintedMarkOperations) {
  Log(4);
  doc->SetPrintedMark(1);
  doc->SetPrintedMark(9);  // beyond the cards: nothing
  EXPECT_FALSE(program.printedData);  // the flag is not touched
  EXPECT_EQ(doc->GetPrintedPos(1), 2);
  EXPECT_EQ(doc->GetPrintedPos(0), -1);
  EXPECT_EQ(doc->DeletePrinted(1), 2);
  EXPECT_EQ(doc->DeletePrinted(1), -1);  // no longer marked
  EXPECT_EQ(doc->DeletePrinted(4), -1);
  doc->SetPrintedMark(2);
  program.printedData = true;
  doc->DeletePrintedData();
  EXPECT_EQ(doc->store.QsoCount(), 3u);
  EXPECT_FALSE(program.printedData);
}

TEST_F(PrintJobTest, PrintNumberDialog) {
  program.settings.printNoStart = 10;
  program.settings.printNo = 25;
  PrintNumberDialog dialog(program.settings.printNo, program.settings.printNoStart, program.settings.printNoAuto);
  EXPECT_EQ(dialog.newNumber, "25");
  EXPECT_TRUE(dialog.RevertEnabled());
  dialog.Revert();
  EXPECT_EQ(dialog.newNumber, "10");
  dialog.Revert();
  EXPECT_EQ(dialog.newNumber, "25");
  dialog.newNumber = "7";
  dialog.Revert();
  EXPECT_EQ(dialog.newNumber, "25");

  program.settings.printNoStart = 25;
  PrintNumberDialog same(program.settings.printNo, program.settings.printNoStart, program.settings.printNoAuto);
  EXPECT_FALSE(same.RevertEnabled());
  same.newNumber = "30";
  EXPECT_TRUE(same.RevertEnabled());

  // No log: switching the calculation on says nothing.
  program.settings.printNoAuto = false;
  same.autoCalc = true;
  ApplyPrintNumber(same, *doc, program.settings.printNoAuto);
  EXPECT_EQ(program.settings.printNo, 30);
  EXPECT_TRUE(ui.Messages().empty());
  Log(1);
  program.settings.printNoAuto = false;
  ApplyPrintNumber(same, *doc, program.settings.printNoAuto);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, msg::kAutoPrintNumberNeedsReload);
}

TEST_F(PrintJobTest, RegisteredMessagesChangeOnlyOnOk) {
  program.settings.messages.Add("TNX");
  ui.QueuePromptDialog([](PromptDialog& dialog) {
    EXPECT_EQ(dialog.Caption(), "メッセージを登録");
    dialog.SetEditText("PSE");
    dialog.Register();
    return false;  // "ｷｬﾝｾﾙ"
  });
  EXPECT_FALSE(RegisterPrintMessages(program.ui, program.settings.messages));
  EXPECT_EQ(program.settings.messages.Entries().size(), 1u);
  ui.QueuePromptDialog([](PromptDialog& dialog) {
    EXPECT_EQ(dialog.EditText(), "TNX");  // slot 1
    dialog.SetEditText("PSE");
    dialog.Register();
    dialog.SetEditText("TNX");
    return true;
  });
  EXPECT_TRUE(RegisterPrintMessages(program.ui, program.settings.messages));
  // The same message twice keeps one entry, at the top.
  EXPECT_EQ(program.settings.messages.Entries(), (std::deque<std::string>{"TNX", "PSE"}));
}

}  // namespace
}  // namespace tevra
