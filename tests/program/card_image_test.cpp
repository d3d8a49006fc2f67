#include "program/card_image.h"

#include <QImage>
#include <array>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include "example_layouts.h"
#include "core/qso_record.h"
#include "support/gui_app.h"

namespace tevra {
namespace {

// A string of every direction and a transfer frame for each zero-slash style.
void BuildSlashes(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables) {
  items.Clear();
  settings = DocumentSettings{};
  settings.GridMode = 0;
  tables = DocumentTables{};
  for (int style = 1; style <= 3; ++style) {
    const std::int32_t x = 300 + (style - 1) * 1200;
    const std::int32_t anchors[4][2] = {{x, -300}, {x + 100, -2000}, {x + 1000, -2500}, {x + 900, -700}};
    for (int d = 0; d < 4; ++d) {
      auto s = std::make_unique<StringItem>();
      s->Rect = {anchors[d][0], anchors[d][1], anchors[d][0], anchors[d][1]};
      s->Text = "A0B00";
      s->Direction = d;
      s->ZeroSlash = style;
      s->Font.height = 24;
      s->Font.weight = 700;
      s->TextColour = style == 2 ? 0x0000C0 : 0;
      items.Add(std::move(s));
    }
    for (int d = 0; d < 2; ++d) {
      auto frame = std::make_unique<JarlFrameItem>();
      // Across the card below the strings, or upright at its right.
      const std::int32_t fx = d == 0 ? 300 : 2600 + (style - 1) * 450, fy = d == 0 ? -2900 - (style - 1) * 600 : -5500;
      frame->Rect = {fx, fy, fx, fy};
      frame->Direction = d;
      frame->ZeroSlash = style;
      frame->CharacterCount = 7 | 0x100;
      frame->ShowFrame = d == 0;
      frame->UpdateRect();
      items.Add(std::move(frame));
    }
  }
}

double Differing(const QImage& a, const QImage& b) {
  // A pixel differs when nothing within one pixel of it in the other image
  // comes near its shade: glyph edges that moved by a fraction of a pixel
  // pass, a missing or misplaced stroke does not.
  const auto near = [](const QImage& from, const QImage& to, int x, int y) {
    const int shade = qGray(from.pixel(x, y));
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int tx = x + dx, ty = y + dy;
        if (tx >= 0 && ty >= 0 && tx < to.width() && ty < to.height() && std::abs(qGray(to.pixel(tx, ty)) - shade) <= 64)
          return true;
      }
    return false;
  };
  long long bad = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (!near(a, b, x, y) || !near(b, a, x, y)) ++bad;
  return static_cast<double>(bad) / (static_cast<double>(a.width()) * a.height());
}

TEST(CardImageTest, CardsLookLikeTheirReferenceImages) {
  test::EnsureGuiApp();
  const bool rewrite = std::getenv("TEVRA_WRITE_REFERENCES") != nullptr;
  using Build = std::function<void(LayoutItemList&, DocumentSettings&, DocumentTables&)>;
  const std::pair<const char*, Build> cases[] = {
      {"postcard", examples::BuildPostcard}, {"landscape", examples::BuildLandscapeRepeat}, {"slashes", BuildSlashes}};
  for (const auto& [name, build] : cases) {
    LayoutItemList items;
    DocumentSettings settings;
    DocumentTables tables;
    build(items, settings, tables);
    std::array<QsoRecord, kMaxQsosPerCard> card{};
    const char* calls[] = {"JA0ZZ0", "W1AW", "VK0EK"};
    for (int q = 0; q < 3; ++q) {
      SetField(card[q].Call, calls[q]);
      card[q].Year = 26;
      card[q].Month = 12;
      card[q].Day = static_cast<std::uint8_t>(q + 1);
      card[q].Hour = 10;
      card[q].Minute = static_cast<std::uint8_t>(q * 7);
      SetField(card[q].Freq, "14");
      SetField(card[q].Mode, "CW");
      SetField(card[q].RstSent, "599");
    }
    MergeContext merge;
    merge.CardQsos = card.data();
    merge.RepeatCount = settings.QsosPerCard;
    merge.QsosOnCard = 3;
    MacroExpander expander(merge, MergeServices{});
    RenderContext context{expander, &tables};
    PrinterMetrics paper;
    paper.paperWidth = paper.printableWidth = settings.PaperOrientation == 2 ? 5827 : 3937;
    paper.paperHeight = paper.printableHeight = settings.PaperOrientation == 2 ? 3937 : 5827;
    const QImage image = RenderCardImage(items, settings, paper, context, 150);
    const QString path = QStringLiteral(TEVRA_TEST_DATA "/cards/%1.png").arg(QString::fromLatin1(name));
    if (rewrite) {
      ASSERT_TRUE(image.save(path, "PNG")) << name;
      continue;
    }
    QImage reference(path);
    ASSERT_FALSE(reference.isNull()) << name;
    reference = reference.convertToFormat(image.format());
    ASSERT_EQ(reference.size(), image.size()) << name;
    // About ten pixels: a slash one pixel wide is longer than that.
    EXPECT_LE(Differing(image, reference), 2e-5) << name;
  }
}

}  // namespace
}  // namespace tevra
