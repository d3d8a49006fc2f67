// Which item a click, a shift-click or a rubber band picks, and which
// handle of the selection the pointer grabs.
#include <gtest/gtest.h>

#include "card/layout_item_list.h"
#include "merge/macro_expander.h"

namespace tevra {
namespace {

TEST(HitTesting, LinesAndEdges) {
  struct Case {
    LogicalPoint p, a, b;
    int expected;
  };
  const Case lines[] = {
      {{0, 0}, {0, 0}, {1000, 500}, 1},        {{1020, 480}, {0, 0}, {1000, 500}, 2},
      {{500, 250}, {0, 0}, {1000, 500}, 11},   {{500, 250}, {1000, 500}, {0, 0}, 11},  // ends given right to left
      {{500, 290}, {1000, 500}, {0, 0}, 0},    {{500, 279}, {0, 0}, {1000, 500}, 11},
      {{500, 280}, {0, 0}, {1000, 500}, 0},    // the band's upper edge is outside
      {{0, 500}, {0, 0}, {0, 1000}, 11},       {{0, 1035}, {0, 0}, {0, 1000}, 0},  // vertical: strictly between
      {{10, 500}, {0, 0}, {0, 1000}, 11},      {{-40, 500}, {0, 0}, {0, 1000}, 0},
      {{100, 350}, {0, 0}, {200, 1000}, 11},   // steep, k = 5: the band is 150 wide
      {{100, 640}, {0, 0}, {200, 1000}, 11},   {{100, 660}, {0, 0}, {200, 1000}, 0},
  };
  for (const Case& c : lines)
    EXPECT_EQ(LineHitTest(c.p, c.a, c.b), c.expected) << c.p.x << "," << c.p.y << " on " << c.a.x << "," << c.a.y
                                                      << "-" << c.b.x << "," << c.b.y;
  const LogicalRect r{0, 0, 1000, -500};
  const std::pair<LogicalPoint, int> edges[] = {{{0, 0}, 3},     {{1000, 0}, 4},   {{1000, -500}, 5}, {{0, -500}, 6},
                                                {{0, -250}, 7},  {{500, 0}, 8},    {{1000, -250}, 9}, {{500, -500}, 10},
                                                {{500, -250}, 0}, {{2000, 0}, 0}};
  for (const auto& [p, expected] : edges) EXPECT_EQ(EdgeHitTest(p, r), expected) << p.x << "," << p.y;
}

class Selecting : public ::testing::Test {
 protected:
  CardItem& Add(ItemType type, LogicalRect r, const char* condition = "TRUE") {
    std::unique_ptr<CardItem> item = type == ItemTextBox ? std::unique_ptr<CardItem>(std::make_unique<TextBoxItem>())
                                                         : std::make_unique<ShapeItem>(type);
    item->Rect = r;
    item->Condition = condition;
    return items.Add(std::move(item));
  }
  Selecting() { merge.CardQsos = card.data(); }
  std::array<QsoRecord, kMaxQsosPerCard> card{};
  MergeContext merge;
  MacroExpander expander{merge, MergeServices{}};
  LayoutItemList items;
};

TEST_F(Selecting, ClicksPreferLinesThenTheSmaller) {
  CardItem& box = Add(ItemBox, {0, 0, 2000, -2000});
  CardItem& line = Add(ItemLine, {-500, 0, 2500, 0});  // along the box's top edge
  CardItem& big = Add(ItemTextBox, {100, -100, 1900, -1900});
  CardItem& small = Add(ItemTextBox, {500, -500, 900, -900});
  items.SetCurrent(nullptr);
  EXPECT_EQ(items.SelectAt({1000, 0}, expander), 11);
  EXPECT_EQ(items.Current(), &line);
  items.SetCurrent(nullptr);
  EXPECT_EQ(items.SelectAt({700, -700}, expander), 11);
  EXPECT_EQ(items.Current(), &small);
  // The selection's own handles come first: its corner is grabbed.
  EXPECT_EQ(items.SelectAt({900, -900}, expander), 5);
  EXPECT_EQ(items.LastHit, 5);
  // A shift-click adds; the rubber band takes what has a corner inside.
  EXPECT_EQ(items.AddToSelectionAt({1500, -1500}, expander), 11);
  EXPECT_TRUE(items.IsCurrentMulti());
  EXPECT_EQ(items.Selection().Count(), 2u);
  items.SelectInRect({-100, 100, 1000, -1000}, expander);
  EXPECT_TRUE(items.IsCurrentMulti());
  EXPECT_EQ(items.Selection().Count(), 3u);  // the box, the line's left end, the big text box
  items.SelectInRect({400, -400, 1000, -1000}, expander);
  EXPECT_EQ(items.Current(), &small);
  EXPECT_EQ(items.Anchor(), &small);
  (void)box;
  (void)big;
}

TEST_F(Selecting, HiddenItemsCannotBeSelected) {
  Add(ItemTextBox, {0, 0, 1000, -1000}, "FALSE");
  items.SetCurrent(nullptr);
  EXPECT_EQ(items.SelectAt({500, -500}, expander), 0);
  EXPECT_EQ(items.Current(), nullptr);
  items.SelectInRect({-10, 10, 2000, -2000}, expander);
  EXPECT_EQ(items.Current(), nullptr);
  EXPECT_EQ(items.LastHit, 0);
}

TEST_F(Selecting, NextOverlappingCyclesAroundTheAnchor) {
  CardItem& a = Add(ItemTextBox, {0, 0, 1000, -1000});
  CardItem& far = Add(ItemTextBox, {5000, 0, 6000, -1000});
  CardItem& b = Add(ItemTextBox, {500, -500, 1500, -1500});
  CardItem& c = Add(ItemTextBox, {900, -100, 1200, -300});
  items.SetCurrent(nullptr);
  ASSERT_EQ(items.SelectAt({100, -100}, expander), 11);
  ASSERT_EQ(items.Current(), &a);
  EXPECT_EQ(items.NextOverlapping(1), &b);
  items.SetCurrent(&b);
  EXPECT_EQ(items.NextOverlapping(1), &c);
  items.SetCurrent(&c);
  EXPECT_EQ(items.NextOverlapping(1), nullptr);
  EXPECT_EQ(items.NextOverlapping(-1), &b);
  (void)far;
}

}  // namespace
}  // namespace tevra
