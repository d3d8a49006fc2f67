#include "program/printer_metrics.h"

#include <gtest/gtest.h>

#include "program/program.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

TEST(PrinterMetrics, NoPrinterFallsBackToAPostcardAndSaysSoOnce) {
  test::ScriptedUi ui;
  NoPrinter none;
  PrinterMetricsService service(none, ui);
  CardPlacement document;
  for (int i = 0; i < 3; ++i) service.QueryPrinterMetrics(&document);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "プリンタ情報が取得できません. 恐らくシステムにプリンタがインストールされていません.");
  const PrinterMetrics& m = service.Metrics();
  EXPECT_EQ(m.paperWidth, 3938);
  EXPECT_EQ(m.paperHeight, 5830);
  EXPECT_EQ(m.printableWidth, 3666);
  EXPECT_EQ(m.offsetX, 136);
  EXPECT_EQ(m.offsetY, 119);
}

TEST(PrinterMetrics, OffsetsMoveTheCardOrigin) {
  test::ScriptedUi ui;
  test::FakePrinter printer;
  PrinterMetricsService service(printer, ui);
  service.QueryPrinterMetrics(nullptr);  // no document: the offsets are not stored
  EXPECT_EQ(service.Metrics().offsetX, 0);
  CardPlacement empty;
  service.QueryPrinterMetrics(&empty);  // an empty document: stored, origin kept
  EXPECT_EQ(service.Metrics().offsetX, 100);
  EXPECT_EQ(empty.originX, 0);
  CardPlacement withItems{500, 700, true};
  printer.offset = 150;
  service.QueryPrinterMetrics(&withItems);
  EXPECT_EQ(withItems.originX, 500 + (100 - 150) * 254 / 100);
  EXPECT_EQ(withItems.originY, 700 - 127);
  EXPECT_EQ(service.Metrics().offsetY, 150);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(PrinterMetrics, PostcardSelectionChain) {
  test::ScriptedUi ui;
  test::FakePrinter printer;
  printer.papers[70] = {4134, 5827};  // A6 fits
  PrinterMetricsService service(printer, ui);
  service.SelectCardPaper(43, 1, nullptr);
  EXPECT_EQ(printer.applied, (std::vector<int>{43, 70}));  // 43 gives A4 here: the next code is tried
  EXPECT_TRUE(service.PaperFits());

  printer.applied.clear();
  service.SelectCardPaper(259, 2, nullptr);  // the printer's postcard code stands
  EXPECT_EQ(printer.applied, (std::vector<int>{70}));
  EXPECT_TRUE(service.PaperFits());  // landscape: width and height exchanged

  test::FakePrinter nothingFits;
  nothingFits.papers[kUserPaper] = {3937, 5827};
  PrinterMetricsService second(nothingFits, ui);
  second.SelectCardPaper(43, 1, nullptr);
  EXPECT_EQ(nothingFits.applied, (std::vector<int>{43, 70, 257, 259, kUserPaper}));
  EXPECT_EQ(nothingFits.Settings().paperLength, 1480);
  EXPECT_EQ(nothingFits.Settings().paperWidth, 1000);

  nothingFits.applied.clear();
  second.SelectCardPaper(9, 1, nullptr);  // A4 for tack seals: no postcard search
  EXPECT_EQ(nothingFits.applied, (std::vector<int>{9}));
}

// The print job reads the chosen printer's metrics again: the layout's own
// card origin follows a change of the offsets.
TEST(PrinterMetrics, ThePrintersNewOffsetsMoveTheLayoutsOrigin) {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  printer.papers[43] = {3937, 5827};
  Program program(ui, {(dir.Path() / "TEVRA.INI").string(), dir.Path().string() + "/"});
  program.Start();
  Document doc(program, printer);
  doc.layout.Items.Add(std::make_unique<ShapeItem>(ItemBox));
  doc.layout.Settings.LeftMargin = 500;
  doc.layout.Settings.TopMargin = 700;
  printer.offset = 150;  // another printer, or another paper tray
  doc.RefreshPrinterMetrics();
  EXPECT_EQ(doc.layout.Settings.LeftMargin, 500 + (100 - 150) * 254 / 100);
  EXPECT_EQ(doc.layout.Settings.TopMargin, 700 + (100 - 150) * 254 / 100);
  doc.PrepareForSaving();
  EXPECT_EQ(doc.layout.PrinterOffsetX, 150);
}

}  // namespace
}  // namespace tevra
