#include "qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "qt/qt_clipboard.h"
#include "support/gui_app.h"

namespace tevra {
namespace {

TEST(QtPrinter, PaperCodesAndPdfPages) {
  auto mm = [](const PrinterSettings& s) { return PageSizeOfSettings(s)->size(QPageSize::Millimeter); };
  EXPECT_EQ(mm({1, 43, 0, 0}), QSizeF(100, 148));  // the Japanese postcard
  EXPECT_EQ(mm({1, 70, 0, 0}), QSizeF(105, 148));  // A6
  EXPECT_EQ(mm({1, 9, 0, 0}), QSizeF(210, 297));
  EXPECT_EQ(mm({1, 256, 1480, 1000}), QSizeF(100, 148));  // user paper in tenths of a millimetre
  EXPECT_FALSE(PageSizeOfSettings({1, 256, 0, 0}));
  EXPECT_FALSE(PageSizeOfSettings({1, 257, 0, 0}));

  PdfPaper pdf;
  pdf.ApplySettings({2, 43, 0, 0});
  const PrinterCapabilities landscape = *pdf.Capabilities();
  EXPECT_EQ(landscape.physicalWidth, 6992);  // 148 mm at 1200 dpi
  EXPECT_EQ(landscape.physicalHeight, 4724);
  EXPECT_EQ(landscape.printableWidth, landscape.physicalWidth);  // no margins on a PDF page
  EXPECT_EQ(landscape.offsetX, 0);
  pdf.ApplySettings({1, 257, 0, 0});  // an unknown code is a sheet of A4
  EXPECT_EQ(pdf.Capabilities()->physicalWidth, 9921);
}


TEST(QtClipboard, CarriesCp932TextThroughTheSession) {
  test::EnsureGuiApp();
  QtClipboard clipboard;
  clipboard.SetText("$TEVRA_PRINTOUT\r\n12\r\n\x8E\x52\x93\x63");  // "山田" in CP932
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "$TEVRA_PRINTOUT\r\n12\r\n山田");
  EXPECT_EQ(clipboard.Text(), "$TEVRA_PRINTOUT\r\n12\r\n\x8E\x52\x93\x63");
}

}  // namespace
}  // namespace tevra
