#include "qt/qt_surface.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include "support/gui_app.h"
#include <QPdfWriter>
#include <cstdlib>
#include <gtest/gtest.h>

#include "card/render_card.h"
#include "core/encoding.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

class QtSurfaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureGuiApp(); }

  // A 2 × 2 inch white image at 100 dpi with the origin in its middle.
  QImage image{200, 200, QImage::Format_RGB32};
  QtSurfaceTest() { image.fill(Qt::white); }

  static bool Inked(const QImage& img, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (qGray(img.pixel(x, y)) < 128) return true;
    return false;
  }
};

TEST_F(QtSurfaceTest, RotatedTextLandsWhereTheExtentTableSays) {
  // The extent table puts a vertical string (direction 1) right of its
  // anchor and above it (bottom = top + h); direction 0 right and below.
  for (int d : {0, 1}) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QtSurface surface(painter, 100, 100, QPointF(100, 100), false, false);
    StringItem s;
    s.Text = "WWWWW";
    s.Direction = d;
    s.Font.height = -30;
    MergeContext merge;
    MacroExpander expander(merge, MergeServices{});
    RenderContext context{expander};
    s.Draw(surface, context);
    painter.end();
    if (d == 0) {
      EXPECT_TRUE(Inked(image, QRect(100, 100, 100, 50)));   // to the right, below the anchor
      EXPECT_FALSE(Inked(image, QRect(0, 0, 100, 100)));
    } else {
      EXPECT_TRUE(Inked(image, QRect(100, 0, 50, 100)));  // turned: up from the anchor, to its right
      EXPECT_FALSE(Inked(image, QRect(0, 100, 100, 100)));
      EXPECT_FALSE(Inked(image, QRect(100, 100, 100, 100)));
    }
  }
}

TEST_F(QtSurfaceTest, FloodFillStopsAtABox) {
  QPainter painter(&image);
  QtSurface surface(painter, 100, 100, QPointF(0, 0), false, false);
  surface.SetPen(PenRecord{0, 10, 10, 0});
  surface.Polyline({{200, -200}, {800, -200}, {800, -800}, {200, -800}, {200, -200}});
  const Colour white = surface.PixelAt({500, -500});
  EXPECT_EQ(white, 0xFFFFFFu);
  surface.FloodFill({500, -500}, white, 0x0000FF);  // red
  painter.end();
  EXPECT_EQ(image.pixelColor(50, 50), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(150, 150), QColor(Qt::white));  // outside the box
}

TEST_F(QtSurfaceTest, PdfShowsTheFillAndTheText) {
  test::TempDir dir;
  const QString pdfPath = QString::fromStdString((dir.Path() / "card.pdf").string());
  {
    QPdfWriter pdf(pdfPath);
    pdf.setResolution(100);
    pdf.setPageSize(QPageSize(QSizeF(2, 2), QPageSize::Inch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    QtSurface surface(painter, 100, 100, QPointF(0, 0), false, true);
    surface.SetPen(PenRecord{0, 10, 10, 0});
    surface.Polyline({{200, -200}, {800, -200}, {800, -800}, {200, -800}, {200, -200}});
    surface.FloodFill({500, -500}, surface.PixelAt({500, -500}), 0xFF0000);  // blue
    FontRecord font;
    font.height = -200;
    surface.SetFont(font);
    surface.SetBackground(false, 0xFFFFFF);
    surface.TextOut({1000, -1000}, FromUnicode("山田"));
  }
  const std::string base = (dir.Path() / "page").string();
  ASSERT_EQ(std::system(("pdftoppm -r 100 -png '" + pdfPath.toStdString() + "' '" + base + "'").c_str()), 0);
  const QImage page(QString::fromStdString(base + "-1.png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.pixelColor(50, 50), QColor(0, 0, 255));
  EXPECT_EQ(page.pixelColor(150, 30), QColor(Qt::white));
  const std::string text = (dir.Path() / "text.txt").string();
  ASSERT_EQ(std::system(("pdftotext '" + pdfPath.toStdString() + "' '" + text + "'").c_str()), 0);
  QFile file(QString::fromStdString(text));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QString::fromUtf8("山田")));
}

TEST_F(QtSurfaceTest, WindowsFacesMapToInstalledOnes) {
  EXPECT_EQ(QtSurface::FamilyFor(FromUnicode("ＭＳ 明朝")), "IPAMincho");
  EXPECT_EQ(QtSurface::FamilyFor(FromUnicode("ＭＳ Ｐゴシック")), "IPAPGothic");
  EXPECT_EQ(QtSurface::FamilyFor("MS Gothic"), "IPAGothic");
  EXPECT_EQ(QtSurface::FamilyFor("DejaVu Sans"), "DejaVu Sans");
  EXPECT_EQ(QtSurface::ToQColor(0x0000FF), QColor(255, 0, 0));
}

// Placed images: PNG and SVG bytes fill the item's rectangle; bytes that do
// not decode, an unbound item and a false condition draw nothing.
TEST_F(QtSurfaceTest, ImageItemsDrawTheirImage) {
  QImage black(4, 4, QImage::Format_RGB32);
  black.fill(Qt::black);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(black.save(&buffer, "PNG"));
  const std::string svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect width='10' height='10'/></svg>";
  MergeContext merge;
  std::array<QsoRecord, kMaxQsosPerCard> card{};
  merge.CardQsos = card.data();  // conditions count only while a log is merged
  MacroExpander expander(merge, MergeServices{});
  RenderContext context{expander};
  auto draw = [&](const std::string& bytes, const std::string& condition, bool bound) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QtSurface surface(painter, 100, 100, QPointF(100, 100), false, false);
    EmbeddedObject object{"PNG", "x", bytes, {}};
    OleLinkItem item;
    item.Rect = {0, 0, 500, -500};  // half an inch right and down from the origin
    item.Condition = condition;
    item.Object = bound ? &object : nullptr;
    item.Draw(surface, context);
    painter.end();
  };
  draw(std::string(png.constData(), static_cast<std::size_t>(png.size())), "TRUE", true);
  EXPECT_TRUE(Inked(image, QRect(110, 110, 30, 30)));
  EXPECT_FALSE(Inked(image, QRect(155, 155, 40, 40)));
  EXPECT_FALSE(Inked(image, QRect(0, 0, 95, 95)));
  draw(svg, "TRUE", true);
  EXPECT_TRUE(Inked(image, QRect(120, 120, 20, 20)));
  draw("\x89PNG broken", "TRUE", true);
  EXPECT_FALSE(Inked(image, image.rect()));
  draw(svg, "FALSE", true);
  EXPECT_FALSE(Inked(image, image.rect()));
  draw(svg, "TRUE", false);
  EXPECT_FALSE(Inked(image, image.rect()));
}

}  // namespace
}  // namespace tevra
