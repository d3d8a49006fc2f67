#include <gtest/gtest.h>

#include "card/render_card.h"
#include "support/recording_surface.h"

namespace tevra {
namespace {

class DrawingTest : public ::testing::Test {
 protected:
  DrawingTest() {
    SetField(card[0].Call, "JA1ABC");
    SetField(card[0].Remarks, "QSL[JA1ZZZ]");
    merge.RepeatCount = 2;
    merge.QsosOnCard = 1;
  }
  void WithLog() { merge.CardQsos = card.data(); }

  std::array<QsoRecord, kMaxQsosPerCard> card{};
  MergeContext merge;
  MacroExpander expander{merge, MergeServices{}};
  DocumentTables tables;
  RenderContext context{expander, &tables};
  test::RecordingSurface surface;
};

TEST_F(DrawingTest, StringRectanglesFollowTheDirection) {
  StringItem s;
  s.Text = "ABC";  // 300 × 200 units on the recording surface
  s.Rect.left = 1000;
  s.Rect.top = -1000;
  const LogicalRect expected[4] = {
      {1000, -1000, 1300, -1200}, {1000, -1000, 1200, -700}, {1000, -1000, 700, -800}, {1000, -1000, 800, -1300}};
  const std::int32_t escapement[4] = {0, 2700, 1800, 900};
  for (int d = 0; d < 4; ++d) {
    s.Direction = d;
    s.Draw(surface, context);
    EXPECT_EQ(s.Rect, expected[d]) << "direction " << d;
    EXPECT_EQ(surface.font.escapement, escapement[d]) << "direction " << d;
    EXPECT_EQ(surface.font.height, -160);  // stored in tenths
  }
  // A font that cannot turn keeps width and height as measured.
  s.Direction = 1;
  s.Font.outPrecision = 1;
  s.Draw(surface, context);
  EXPECT_EQ(s.Rect, (LogicalRect{1000, -1000, 1300, -800}));
  s.Font.outPrecision = 0;
  // Printing with "InvRotFont" turns the other way; the rectangle stays.
  test::RecordingSurface printer(true);
  RenderContext printing{expander, &tables, true, true};
  s.Draw(printer, printing);
  EXPECT_EQ(printer.font.escapement, 900);
  EXPECT_EQ(s.Rect, expected[1]);
  EXPECT_EQ(surface.Depth(), 0);  // every draw restores the surface
}

TEST_F(DrawingTest, ZeroSlashStyles) {
  StringItem s;
  s.Text = "A0";
  s.TextColour = 0x0000FF;
  s.ZeroSlash = 1;
  s.Draw(surface, context);
  // One run of text; the slash over the zero where the zero stands in it.
  EXPECT_EQ(surface.Calls("Text "), (std::vector<std::string>{"Text 0,0 A0"}));
  // q = cy / 5 = 40: from (x + cx, y - q) to (x, y - cy + q).
  EXPECT_EQ(surface.Calls("Line"), (std::vector<std::string>{"Line 200,-40 100,-160"}));
  EXPECT_EQ(surface.Calls("Pen").front(), "Pen 0 1 0000FF");

  test::RecordingSurface other;
  s.ZeroSlash = 3;
  s.Font.charSet = 0;
  s.Draw(other, context);
  EXPECT_EQ(other.Calls("Text ").back(), "Text 0,0 A\xD8");
  test::RecordingSurface overlay;
  s.ZeroSlash = 2;
  s.Draw(overlay, context);
  EXPECT_EQ(overlay.Calls("Text ").back(), "Text 100,0 /");
}

TEST_F(DrawingTest, DataMarksTextBoxesAndCheckBoxes) {
  DataMarkItem mark;
  mark.Text = "ToCall";
  mark.Draw(surface, context);  // no log: the name on grey
  EXPECT_EQ(surface.Calls("Text ").back(), "Text 0,0 ToCall");
  EXPECT_EQ(surface.Calls("Opaque").back(), "Opaque C0C0C0");
  WithLog();
  mark.Draw(surface, context);
  EXPECT_EQ(surface.Calls("Text ").back(), "Text 0,0 JA1ABC");
  mark.QsoPosition = 2;  // the card holds one QSO
  mark.Draw(surface, context);
  EXPECT_EQ(surface.Calls("Text ").back(), "Text 0,0 ---");
  mark.QsoPosition = 1;
  mark.Text = "Table(2)";
  tables.Common[1].SetRow("TRUE", "common");
  mark.Draw(surface, context);
  EXPECT_EQ(surface.Calls("Text ").back(), "Text 0,0 common");

  TextBoxItem box;
  box.Rect = {0, 0, 1000, -500};
  box.Text = "Freq 7.050";
  box.ZeroSlash = 1;
  box.Flags = 1;
  box.Draw(surface, context);
  EXPECT_EQ(surface.Calls("TextRect").back(), "TextRect 0,0,1000,-500 2112 Freq 7.\x83\xB3\x35\x83\xB3");
  EXPECT_EQ(surface.calls.back(), "Polyline 0,0 1000,0 1000,-500 0,-500 0,0");

  CheckBoxItem check;
  check.Rect = {0, 0, 480, -480};
  check.TickStyle = 1;
  check.CheckCondition = "IsJA";
  check.Draw(surface, context);
  EXPECT_EQ(surface.Calls("Polyline").back(), "Polyline 80,-240 160,-400 400,-120");
  EXPECT_EQ(surface.Calls("Pen").back(), "Pen 0 60 000000");
  check.CheckCondition = "IsDX";
  test::RecordingSurface unticked;
  check.Draw(unticked, context);
  EXPECT_EQ(unticked.Calls("Polyline").size(), 1u);  // the frame only
}

TEST_F(DrawingTest, JarlFrames) {
  WithLog();
  JarlFrameItem frame;
  frame.Rect.left = 0;
  frame.Rect.top = 0;
  frame.UpdateRect();
  frame.CharacterCount = 6;
  frame.ZeroSlash = 0;
  SetField(card[0].Remarks, "QSL[JA1ZZZZ]");  // seven characters
  frame.Draw(surface, context);
  EXPECT_TRUE(surface.Calls("Text ").empty());  // too long and no clip: nothing
  EXPECT_EQ(surface.Calls("Polyline").size(), 6u);
  frame.CharacterCount = 6 | 0x100;
  test::RecordingSurface clipped;
  frame.Draw(clipped, context);
  ASSERT_EQ(clipped.Calls("Text ").size(), 6u);
  // Box 276 wide, character 100: centred at 88; box 374 high, character 200: 87 down.
  EXPECT_EQ(clipped.Calls("Text ")[0], "Text 88,-87 J");
  EXPECT_EQ(clipped.Calls("Text ")[1], "Text 442,-87 A");

  frame.CharacterCount = 7;
  test::RecordingSurface seven;
  frame.Draw(seven, context);
  ASSERT_EQ(seven.Calls("Text ").size(), 7u);
  EXPECT_EQ(seven.Calls("Text ")[6], "Text " + std::to_string(88 + 276 + 5 * 354) + ",-87 Z");  // beyond box six

  frame.Direction = 1;
  frame.UpdateRect();
  test::RecordingSurface vertical;
  frame.Draw(vertical, context);
  EXPECT_EQ(vertical.Calls("Text ")[1], "Text 87,442 A");
  EXPECT_EQ(vertical.Calls("Polyline")[1], "Polyline 0,354 374,354 374,630 0,630 0,354");
}

TEST_F(DrawingTest, RenderCardGridOriginAndMask) {
  DocumentSettings settings;
  settings.LeftMargin = 254;  // 100 units
  settings.TopMargin = 508;
  settings.GridStepX = settings.GridStepY = 1000;
  settings.GridMode = 5;
  PrinterMetrics metrics;
  metrics.paperWidth = 4000;
  metrics.paperHeight = 6000;
  metrics.printableWidth = 3500;
  metrics.printableHeight = 5600;
  metrics.offsetX = 200;
  metrics.offsetY = 150;
  LayoutItemList items;
  items.Add(std::make_unique<ShapeItem>(ItemLine));
  RenderCard(surface, items, settings, metrics, context);
  EXPECT_EQ(surface.Calls("Line").size(), 4u + 6u + 1u);  // x: 0..3000, y: 0..5000, the item
  EXPECT_EQ(surface.Calls("Pen")[0], "Pen 0 24 C0C0C0");  // every fifth line thicker
  EXPECT_EQ(surface.Calls("Pen")[1], "Pen 0 1 C0C0C0");

  test::RecordingSurface page(true);
  WithLog();
  RenderCard(page, items, settings, metrics, context, {1, 2, false});
  EXPECT_EQ(page.calls.front(), "Translate " + std::to_string(100 + static_cast<int>(88.05 * 39.37007874015748)) +
                                    "," + std::to_string(-200 - static_cast<int>(2 * 42.33 * 39.37007874015748)));
  EXPECT_EQ(page.Calls("Line").size(), 1u);  // no grid on a real page with a log

  const auto strips = MaskStrips(settings, metrics);
  ASSERT_EQ(strips.size(), 4u);
  EXPECT_EQ(strips[0], (LogicalRect{-300, 350, 3700, 200}));    // top
  EXPECT_EQ(strips[1], (LogicalRect{-300, 350, -100, -5650}));  // left
  EXPECT_EQ(strips[2], (LogicalRect{3400, 350, 3700, -5650}));  // right
  EXPECT_EQ(strips[3], (LogicalRect{-300, -5400, 3700, -5650})); // bottom
}

TEST_F(DrawingTest, ShapesFillsAndGroups) {
  ShapeItem round(ItemRoundBox);
  round.Rect = {0, 0, 100, -100};
  round.Draw(surface, context);
  EXPECT_EQ(surface.calls.back(), "RoundRect 0,0,103,-103 200x200");  // one pixel larger
  FillItem fill;
  fill.Pen.colour = 0x00FF00;
  surface.pixel = 0x123456;
  fill.Draw(surface, context);
  EXPECT_EQ(surface.calls.back(), "FloodFill 0,0 123456 00FF00");

  ItemGroup group;
  group.Add(std::make_unique<ShapeItem>(ItemBox));
  test::RecordingSurface g;
  group.Draw(g, context);
  EXPECT_EQ(g.Calls("Polyline").size(), 1u);
  group.Condition = "FALSE";  // conditions count only while a log is merged
  WithLog();
  test::RecordingSurface hidden;
  group.Draw(hidden, context);
  EXPECT_TRUE(hidden.calls.empty());
}

}  // namespace
}  // namespace tevra
