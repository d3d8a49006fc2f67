// The page loop on the two Qt devices: a printer (here the printer's own
// PDF output) and a PDF file.
#include "program/print_output.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "program/program.h"
#include "example_layouts.h"
#include "qt/qt_printer.h"
#include "support/gui_app.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

std::string PdfText(const std::string& pdf) {
  const std::string text = pdf + ".txt";
  if (std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()) != 0) return {};
  std::ifstream in(text, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class PrintOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureGuiApp(); }
  // The example postcard with three QSOs, printed through printer.
  std::unique_ptr<Document> Postcard(Printer& printer) {
    auto doc = std::make_unique<Document>(program, printer);
    examples::BuildPostcard(doc->layout.Items, doc->layout.Settings, doc->layout.Tables);
    doc->layout.Settings.QsosPerCard = 1;
    doc->LayoutReady();
    for (const char* call : {"JA1AAA", "JA2BBB", "W1AW"}) {
      QsoRecord r;
      r.Year = 24;
      r.Month = 5;
      r.Day = 1;
      SetField(r.Call, call);
      SetField(r.Freq, "7.045");
      doc->store.Add(r, static_cast<std::int32_t>(doc->store.QsoCount()) + 1);
    }
    doc->store.Regroup();
    doc->ReadCurrentCard();
    doc->afterMergePrint = nullptr;
    return doc;
  }
  test::TempDir dir;
  test::ScriptedUi ui;
  Program program{ui, {(dir.Path() / "TEVRA.INI").string(), dir.Path().string() + "/"}};
};

TEST_F(PrintOutput, APrinterAndAPdfFileReceiveTheSameCards) {
  program.Start();
  const std::string viaPrinter = (dir.Path() / "printer.pdf").string();
  auto printer = QtPrinter::ToPdfFile(viaPrinter);
  ASSERT_TRUE(printer->Valid());
  auto doc = Postcard(*printer);
  // The postcard went to the printer: 100 x 148 mm in 1/1000 inch (the
  // printer rounds its pages to whole points).
  EXPECT_NEAR(doc->metrics.Metrics().paperWidth, 3937, 10);
  EXPECT_NEAR(doc->metrics.Metrics().paperHeight, 5827, 10);
  EXPECT_EQ(doc->metrics.Metrics().settings.paperSize, 43);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob job(*doc, PrintKind::Merge);
  ASSERT_TRUE(job.Prepare());
  job.Begin();
  const PageLoopResult onPrinter =
      RunPageLoop(job, *doc, printer->Device(), printer->Device().resolution(), 2, 0);
  job.End();
  EXPECT_TRUE(onPrinter.ok);
  EXPECT_EQ(onPrinter.firstPage, 2);
  EXPECT_EQ(onPrinter.lastPage, 3);
  const std::string printed = PdfText(viaPrinter);
  EXPECT_EQ(printed.find("JA1AAA"), std::string::npos);
  EXPECT_NE(printed.find("JA2BBB"), std::string::npos);
  EXPECT_NE(printed.find("W1AW"), std::string::npos);

  program.printedData = false;  // as a write-back would leave it
  PdfPaper paper;
  auto second = Postcard(paper);
  ui.QueueSortAnswer(SortAnswer::No);
  PrintJob again(*second, PrintKind::Merge);
  ASSERT_TRUE(again.Prepare());
  again.Begin();
  const std::string file = (dir.Path() / "file.pdf").string();
  EXPECT_TRUE(PrintToPdf(again, *second, file, 2, 0).ok);
  EXPECT_EQ(PdfText(file), printed);
}

}  // namespace
}  // namespace tevra
