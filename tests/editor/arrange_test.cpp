// The arrangement commands on a layout, with the cases the users meet.
#include "editor/arrange.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace tevra {
namespace {

class Arranging : public ::testing::Test {
 protected:
  CardItem& Box(LogicalRect r, ItemType type = ItemBox) {
    auto item = std::make_unique<ShapeItem>(type);
    item->Rect = r;
    return doc.Items.Add(std::move(item));
  }
  void SelectAll() {
    doc.Items.Selection().Clear();
    for (std::size_t i = 0; i < doc.Items.Count(); ++i) doc.Items.Selection().Add(doc.Items.At(i));
    doc.Items.SetCurrent(&doc.Items.Selection());
  }
  LayoutDocument doc;
  test::ScriptedUi ui;
};

TEST_F(Arranging, AlignAndDistribute) {
  CardItem& a = Box({0, -500, 10, -600});
  CardItem& b = Box({20, -100, 50, -200});  // the topmost, width 30
  CardItem& c = Box({100, -300, 120, -400});
  SelectAll();
  ASSERT_TRUE(arrange::DistributeHorizontally(doc));
  // free = (100 - 10) - 30 = 60: gaps of 30 each side of the middle item.
  EXPECT_EQ(b.Rect.left, 40);
  EXPECT_EQ(c.Rect.left - b.Rect.right, 30);
  // Left edges align on the topmost item, not the leftmost.
  ASSERT_TRUE(arrange::AlignSelection(doc, Align::Left));
  EXPECT_EQ(a.Rect.left, 40);
  EXPECT_EQ(c.Rect.left, 40);
  EXPECT_EQ(a.Rect.right, 50);  // widths kept
  // Tops align on the leftmost; with equal left edges the sort exchanges
  // them, so the last selected comes first.
  ASSERT_TRUE(arrange::AlignSelection(doc, Align::Top));
  EXPECT_EQ(a.Rect.top, -300);
  EXPECT_EQ(b.Rect.top, -300);
  EXPECT_EQ(a.Rect.bottom, -400);
  EXPECT_FALSE(arrange::AlignSelection(doc, Align::Top));  // nothing left to do
  // Distributing needs three.
  doc.Items.Selection().Remove(c);
  EXPECT_FALSE(arrange::CanDistribute(doc));
}

TEST_F(Arranging, CentreOnThePaperOrTheLabelAndMoveBy) {
  CardItem& box = Box({0, 0, 1000, -500});
  PrinterMetrics m;
  m.paperWidth = 3937;
  m.paperHeight = 5827;
  m.offsetX = 100;
  m.offsetY = 200;
  ASSERT_TRUE(arrange::CentreHorizontally(doc, m));
  // The paper's middle, measured from the card origin (offset and margin away).
  EXPECT_EQ(box.Rect.left, (3937 - 1000) / 2 - 100);
  ASSERT_TRUE(arrange::CentreVertically(doc, m));
  EXPECT_EQ(box.Rect.top, 200 - (5827 - 500) / 2);
  // On a tack-seal sheet the label is the reference.
  doc.Settings.CardFormCode = FormTackSeal;
  doc.Settings.CardWidth = 84;
  doc.Settings.CardHeight = 38;
  arrange::CentreHorizontally(doc, m);
  EXPECT_EQ(box.Rect.left, (doc.Settings.CardWidthUnits() - 1000) / 2);
  arrange::CentreVertically(doc, m);
  EXPECT_EQ(box.Rect.top, -(doc.Settings.CardHeightUnits() - 500) / 2);
  const LogicalRect before = box.Rect;
  ASSERT_TRUE(arrange::MoveBy(doc, 0, 100));
  EXPECT_EQ(box.Rect.top, before.top + 100);  // up
}

TEST_F(Arranging, ScaleByTypedPercent) {
  CardItem& box = Box({100, -100, 300, -300});
  for (const char* refused : {"0", "40000", "abc", "", "-5", "1.5"}) EXPECT_FALSE(arrange::ScaleByPercentText(doc, refused)) << refused;
  EXPECT_EQ(box.Rect, (LogicalRect{100, -100, 300, -300}));
  ASSERT_TRUE(arrange::ScaleByPercentText(doc, "150"));
  EXPECT_EQ(box.Rect, (LogicalRect{100, -100, 400, -400}));  // the top-left corner stays
  // JARL frames alone cannot be scaled.
  doc.Items.Clear();
  for (int i = 0; i < 2; ++i) doc.Items.Add(std::make_unique<JarlFrameItem>());
  SelectAll();
  EXPECT_FALSE(arrange::CanScale(doc));
}

TEST_F(Arranging, GroupLeavesImagesOutAndUngroupRestores) {
  Box({0, 0, 100, -100});
  auto image = std::make_unique<OleLinkItem>();
  image->Rect = {200, 0, 300, -100};
  CardItem& img = doc.Items.Add(std::move(image));
  Box({400, 0, 500, -100}, ItemEllipse);
  SelectAll();
  ASSERT_TRUE(arrange::Group(doc));
  ASSERT_EQ(doc.Items.Count(), 2u);
  EXPECT_EQ(&doc.Items.At(0), &img);
  EXPECT_EQ(doc.Items.At(1).Type(), ItemGroupType);
  EXPECT_EQ(doc.Items.At(1).Rect, (LogicalRect{0, 0, 500, -100}));
  ASSERT_TRUE(arrange::CanUngroup(doc));
  ASSERT_TRUE(arrange::Ungroup(doc));
  EXPECT_EQ(doc.Items.Count(), 3u);
  EXPECT_TRUE(doc.Items.IsCurrentMulti());
  EXPECT_EQ(doc.Items.At(1).Type(), ItemBox);
  EXPECT_EQ(doc.Items.At(2).Type(), ItemEllipse);
  // The children come in the order they were selected, not the list's.
  doc.Items.Selection().Clear();
  doc.Items.Selection().Add(doc.Items.At(2));
  doc.Items.Selection().Add(doc.Items.At(1));
  doc.Items.SetCurrent(&doc.Items.Selection());
  ASSERT_TRUE(arrange::Group(doc));
  const auto& group = static_cast<const ItemGroup&>(doc.Items.At(1));
  ASSERT_EQ(group.Count(), 2u);
  EXPECT_EQ(group.Child(0).Type(), ItemEllipse);
  EXPECT_EQ(group.Child(1).Type(), ItemBox);
}

TEST_F(Arranging, ConversionsKeepPlaceConditionAndMeaning) {
  Box({0, 0, 10, -10});
  auto mark = std::make_unique<DataMarkItem>();
  mark->Rect = {100, -100, 400, -200};
  mark->Text = "ToCall";
  mark->Condition = "IsJA";
  doc.Items.Add(std::move(mark));
  Box({0, 0, 10, -10});
  doc.Items.SetCurrent(&doc.Items.At(1));
  EXPECT_FALSE(arrange::CanConvert(doc, ItemBox));
  ASSERT_TRUE(arrange::Convert(doc, ItemString, ui));
  auto& s = static_cast<StringItem&>(doc.Items.At(1));  // the same place in the list
  EXPECT_EQ(s.Type(), ItemString);
  EXPECT_EQ(s.Text, "%{ToCall}");
  EXPECT_EQ(s.Condition, "IsJA");
  EXPECT_EQ(s.Rect, (LogicalRect{100, -100, 400, -200}));
  ASSERT_TRUE(arrange::Convert(doc, ItemDataMark, ui));
  EXPECT_EQ(static_cast<DataMarkItem&>(doc.Items.At(1)).Text, "ToCall");
  ASSERT_TRUE(arrange::Convert(doc, ItemTextBox, ui));
  EXPECT_EQ(static_cast<TextBoxItem&>(doc.Items.At(1)).Format, 0x840);
  // Shapes into shapes.
  doc.Items.SetCurrent(&doc.Items.At(0));
  ASSERT_TRUE(arrange::Convert(doc, ItemRoundBox, ui));
  EXPECT_EQ(doc.Items.At(0).Type(), ItemRoundBox);
  EXPECT_FALSE(arrange::CanConvert(doc, ItemString));
  // Head of the list: nothing selected afterwards.
  doc.Items.SetCurrent(&doc.Items.At(2));
  ASSERT_TRUE(arrange::MoveToHead(doc));
  EXPECT_EQ(doc.Items.Current(), nullptr);
  EXPECT_EQ(doc.Items.At(0).Type(), ItemBox);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// A pasted or dropped image: at the pointer over the card, else centred in
// the part of the card in view, shrunk (keeping its shape) to fit the card.
TEST(ImagePlacement, PointerOrCentreOfTheCardInViewAndNeverLargerThanTheCard) {
  const LogicalRect card{0, 0, 4000, -6000};
  const LogicalRect whole{-500, 500, 5000, -7000}, lowerHalf{-500, -3000, 5000, -7000};
  struct Case {
    std::int32_t w, h;
    LogicalRect visible;
    std::optional<LogicalPoint> pointer;
    LogicalRect expected;
  };
  const Case cases[] = {
      {1000, 500, whole, LogicalPoint{300, -400}, {300, -400, 1300, -900}},      // at the pointer
      {1000, 500, whole, LogicalPoint{4500, -400}, {1500, -2750, 2500, -3250}},  // beside the card: centred
      {1000, 500, whole, std::nullopt, {1500, -2750, 2500, -3250}},
      {1000, 500, lowerHalf, std::nullopt, {1500, -4250, 2500, -4750}},          // the part in view
      {8000, 2000, whole, std::nullopt, {0, -2500, 4000, -3500}},                // halved to the card's width
      {1000, 500, {9000, -9000, 9500, -9500}, std::nullopt, {1500, -2750, 2500, -3250}},  // card out of view
  };
  for (const Case& c : cases)
    EXPECT_EQ(arrange::PlaceInsertedImage(c.w, c.h, card, c.visible, c.pointer), c.expected)
        << c.w << "x" << c.h << (c.pointer ? " at pointer" : "");
}

}  // namespace
}  // namespace tevra
