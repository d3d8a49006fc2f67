#include "card/card_item.h"

#include <gtest/gtest.h>

#include "card/layout_item_list.h"

namespace tevra {
namespace {

std::unique_ptr<ShapeItem> Box(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  auto box = std::make_unique<ShapeItem>(ItemBox);
  box->Rect = {l, t, r, b};
  return box;
}

TEST(CardItem, DefaultsAndRecords) {
  StringItem s;
  EXPECT_EQ(s.Condition, "TRUE");
  EXPECT_EQ(s.Pen, (PenRecord{0, 1, 1, 0}));
  EXPECT_EQ(s.Font.height, -16);
  EXPECT_EQ(s.Font.charSet, 128);
  EXPECT_STREQ(s.Font.faceName, "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");
  DataMarkItem d;
  EXPECT_EQ(d.Type(), ItemDataMark);
  EXPECT_EQ(d.AbsentText, "---");
  EXPECT_EQ(d.QsoPosition, 1);
  TextBoxItem t;
  EXPECT_EQ(t.Format, 0x840);
  JarlFrameItem j;
  EXPECT_EQ(j.Font.height, -37);
  EXPECT_EQ(j.CharacterCount, 7);
  EXPECT_EQ(j.ZeroSlash, 1);

  PenRecord pen{2, 5, 5, 0x0000FF};
  FontRecord font;
  font.height = -20;
  auto landscape = NewItem(ItemJarlFrame, pen, font, true);
  auto* frame = dynamic_cast<JarlFrameItem*>(landscape.get());
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->Direction, 1);
  EXPECT_EQ(frame->ZeroSlash, 2);
  EXPECT_EQ(frame->Font.height, -37);  // frames keep their own font
  EXPECT_EQ(frame->Pen, pen);
  auto text = NewItem(ItemTextBox, pen, font, false);
  EXPECT_EQ(dynamic_cast<TextBoxItem&>(*text).Font.height, -20);
  EXPECT_EQ(NewItem(ItemSelection, pen, font, false), nullptr);
}

TEST(CardItem, JarlRectanglesFontsAndColours) {
  JarlFrameItem j;
  j.Rect.left = 1000;
  j.Rect.top = -500;
  j.UpdateRect();
  EXPECT_EQ(j.Rect, (LogicalRect{1000, -500, 1000 + 5 * 354 + 276, -500 - 374}));
  j.Direction = 1;
  j.UpdateRect();
  EXPECT_EQ(j.Rect, (LogicalRect{1000, -500, 1000 + 374, -500 + 5 * 354 + 276}));  // runs upward

  DataMarkItem d;
  d.Pen.colour = 0x112233;
  d.TextColour = 0x445566;
  FontRecord f;
  Colour c = 0;
  ASSERT_TRUE(d.GetFont(f, c));
  EXPECT_EQ(c, 0x112233u);  // a data mark draws in its pen colour
  ShapeItem line(ItemLine);
  EXPECT_FALSE(line.GetFont(f, c));
  line.SetPen(30, 2);
  EXPECT_EQ(line.Pen, (PenRecord{2, 30, 30, 0}));

  // A line touches a rectangle only with its end points.
  line.Rect = {0, 0, 100, -100};
  EXPECT_TRUE(line.TouchesRect({-10, 10, 10, -10}));
  EXPECT_FALSE(line.TouchesRect({90, 10, 110, -10}));  // its other corner is no end point
  auto box = Box(0, 0, 100, -100);
  EXPECT_TRUE(box->TouchesRect({110, 10, 90, -10}));  // edges in either order
}

TEST(CardItem, ScalingItemsAndGroups) {
  auto box = Box(100, -100, 300, -200);
  EXPECT_TRUE(box->Scale(3, 2, 3, 2, false));
  EXPECT_EQ(box->Rect, (LogicalRect{100, -100, 400, -250}));
  EXPECT_FALSE(box->Scale(1, 0, 1, 1, false));  // never divides by zero

  StringItem s;
  s.Font.height = -16;
  s.Scale(3, 2, 1, 1, false);
  EXPECT_EQ(s.Font.height, -24);

  ItemGroup group;
  group.Add(Box(1000, -1000, 1200, -1100));
  auto frame = std::make_unique<JarlFrameItem>();
  frame->Rect = {1400, -1200, 1600, -1300};
  group.Add(std::move(frame));
  EXPECT_EQ(group.Rect, (LogicalRect{1000, -1000, 1600, -1300}));
  ASSERT_TRUE(group.IsScalable());
  EXPECT_TRUE(group.Scale(3, 2, 3, 2, true));
  // The corner stays; each child's corner moves away from it by 150 %.
  EXPECT_EQ(group.Child(0).Rect, (LogicalRect{1000, -1000, 1300, -1150}));
  EXPECT_EQ(group.Child(1).Rect, (LogicalRect{1600, -1300, 1800, -1400}));  // moved, not resized
  EXPECT_EQ(group.Rect.left, 1000);
  EXPECT_EQ(group.Rect.top, -1000);
  EXPECT_TRUE(group.BoundsDirty());

  ItemGroup frames;
  frames.Add(std::make_unique<JarlFrameItem>());
  frames.Add(std::make_unique<FillItem>());
  EXPECT_FALSE(frames.IsScalable());
  ItemGroup outer;
  outer.Add(std::make_unique<ItemGroup>());
  auto inner = std::make_unique<ItemGroup>();
  inner->Add(Box(0, 0, 10, -10));
  outer.Add(std::move(inner));
  EXPECT_TRUE(outer.IsScalable());  // a shape at any depth
}

TEST(CardItem, GroupMovesResizesAndRelays) {
  ItemGroup group;
  group.Add(Box(0, 0, 100, -100));
  auto text = std::make_unique<StringItem>();
  text->Rect = {200, -200, 200, -200};
  group.Add(std::move(text));
  group.Rect.left += 50;  // the user drags the group
  group.Rect.right += 50;
  group.Rect.top -= 20;
  group.Rect.bottom -= 20;
  group.ApplyMove();
  EXPECT_EQ(group.Child(0).Rect, (LogicalRect{50, -20, 150, -120}));
  EXPECT_EQ(group.Child(1).Rect.left, 250);

  // Dragging the bottom-right handle to double the size.
  group.Rect.right = group.Rect.left + 2 * (group.Rect.right - group.Rect.left);
  group.Rect.bottom = group.Rect.top - 2 * (group.Rect.top - group.Rect.bottom);
  group.ApplyResize();
  EXPECT_EQ(group.Child(0).Rect, (LogicalRect{50, -20, 250, -220}));
  EXPECT_EQ(group.Child(1).Rect.left, 450);

  group.SetColour(0xABCDEF);
  EXPECT_EQ(group.Child(0).Pen.colour, 0xABCDEFu);
  EXPECT_EQ(dynamic_cast<StringItem&>(group.Child(1)).TextColour, 0xABCDEFu);
  EXPECT_EQ(group.GetColour(), 0xABCDEFu);
  group.SetPen(7, 1);
  std::int32_t width = 0, style = 0;
  group.GetPen(width, style);
  EXPECT_EQ(width, 7);
  FontRecord f;
  f.height = -99;
  EXPECT_TRUE(group.SetFont(f, 1));
  Colour c = 0;
  ASSERT_TRUE(group.GetFont(f, c));
  EXPECT_EQ(f.height, -99);
}

TEST(LayoutItemList, OrderSelectionAndOwnership) {
  LayoutItemList list;
  CardItem& a = list.Add(Box(0, 0, 1, -1));
  CardItem& b = list.Add(std::make_unique<FillItem>());
  CardItem& c = list.Add(Box(5, -5, 6, -6));
  EXPECT_TRUE(list.HasFill());
  EXPECT_EQ(list.Current(), &c);
  EXPECT_TRUE(list.IsCurrentLast());
  EXPECT_FALSE(list.SendToBack());  // already on top
  ASSERT_TRUE(list.BringToFront());
  EXPECT_EQ(list.IndexOf(c), 0);
  EXPECT_FALSE(list.BringToFront());  // already at index 0: nothing changes
  EXPECT_EQ(list.IndexOf(a), 1);
  ASSERT_TRUE(list.SendToBack());
  EXPECT_EQ(list.IndexOf(c), 2);

  list.Selection().Add(a);
  list.Selection().Add(c);
  list.SetCurrent(&list.Selection());
  EXPECT_TRUE(list.IsCurrentMulti());
  EXPECT_FALSE(list.BringToFront());
  list.Delete(b);
  EXPECT_FALSE(list.HasFill());
  list.Delete(c);  // also leaves the selection
  EXPECT_EQ(list.Selection().Count(), 1u);
  EXPECT_EQ(list.FirstOfType(ItemBox), &a);

  list.SetCurrent(&a);
  CardItem* replaced = list.Replace(std::make_unique<TextBoxItem>());
  ASSERT_TRUE(replaced);
  EXPECT_EQ(list.IndexOf(*replaced), 0);
  EXPECT_EQ(list.Selection().Count(), 0u);
  EXPECT_EQ(list.Anchor(), replaced);
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Current(), nullptr);
  list.SelectLast();
  EXPECT_EQ(list.Current(), nullptr);
}

}  // namespace
}  // namespace tevra
