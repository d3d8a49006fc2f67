// The item dialogs' models: lists, enabling rules and what OK does.
#include "card/item_dialogs.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(ItemDialogs, PenSizesAndStyles) {
  PenDialog known(39, 2);
  EXPECT_EQ(PenDialog::Sizes()[known.SizeIndex()].label, "1.0mm");
  EXPECT_EQ(PenDialog::Styles()[known.StyleIndex()].label, "点線");
  PenDialog odd(5, 9);  // not in the lists: their first entries
  EXPECT_EQ(odd.width, 1);
  EXPECT_EQ(odd.style, 0);
  odd.ChooseSize("0.5mm");
  odd.ChooseStyle("ディザ線");
  EXPECT_EQ(odd.width, 20);
  EXPECT_EQ(odd.style, 6);
  odd.ChooseSize("7mm");  // typed, matching nothing: unchanged
  EXPECT_EQ(odd.width, 20);
}

TEST(ItemDialogs, TextItemsKeepEmptyTextsOutAndCheckTheirBlocks) {
  StringItem s;
  s.Text = "JA1ZZZ";
  TextItemDialog dialog(s);
  EXPECT_EQ(dialog.Title(), "<文字列>の設定");
  EXPECT_TRUE(dialog.VerticalEnabled());
  EXPECT_FALSE(dialog.StyleEnabled());
  EXPECT_FALSE(dialog.TableEnabled());
  dialog.text = "";
  EXPECT_EQ(dialog.Accept(s, {}), TextItemDialog::Result::Unchanged);
  EXPECT_EQ(s.Text, "JA1ZZZ");
  // A failed check keeps what was entered; the dialog opens again.
  dialog.text = "@if IsJA\r\nJA";
  dialog.vertical = true;
  dialog.zeroSlash = 2;
  EXPECT_EQ(dialog.Accept(s, [](std::string_view) { return false; }), TextItemDialog::Result::CheckFailed);
  EXPECT_EQ(s.Text, "@if IsJA\r\nJA");
  EXPECT_EQ(s.Direction, 1);
  EXPECT_EQ(s.ZeroSlash, 2);
  dialog.text = "@Table";
  EXPECT_TRUE(dialog.TableEnabled());
  dialog.text = "@Table x";
  EXPECT_TRUE(dialog.TableEnabled());
  dialog.text = "@Tables";
  EXPECT_FALSE(dialog.TableEnabled());

  TextBoxItem box;
  TextItemDialog forBox(box);
  EXPECT_FALSE(forBox.VerticalEnabled());
  EXPECT_TRUE(forBox.StyleEnabled());
  EXPECT_FALSE(forBox.ZeroSlashEnabled(1));
  EXPECT_TRUE(forBox.ZeroSlashEnabled(3));
  forBox.text = "TNX";
  forBox.zeroSlash = 3;
  forBox.format = 0x841;
  EXPECT_EQ(forBox.Accept(box, [](std::string_view) { return true; }), TextItemDialog::Result::Stored);
  EXPECT_EQ(box.Format, 0x841);
  EXPECT_EQ(box.ZeroSlash, 3);
}

TEST(ItemDialogs, DataMarksJarlFramesAndConditions) {
  DataMarkItem mark;
  mark.Text = "ToCall";
  DataMarkDialog one(mark, 1);
  EXPECT_FALSE(one.PositionEnabled());
  one.position = 3;  // ignored with one QSO per card
  ASSERT_TRUE(one.Accept(mark));
  EXPECT_EQ(mark.QsoPosition, 1);
  DataMarkDialog four(mark, 4);
  EXPECT_TRUE(four.PositionEnabled());
  four.position = 9;
  four.name = "Table";
  EXPECT_TRUE(four.TableEnabled());
  ASSERT_TRUE(four.Accept(mark));
  EXPECT_EQ(mark.QsoPosition, 4);  // the spin control's limit
  four.name.clear();
  EXPECT_FALSE(four.Accept(mark));
  EXPECT_EQ(mark.Text, "Table");

  JarlFrameItem frame;
  frame.Rect = {100, -100, 100, -100};
  JarlFrameDialog jarl(frame);
  EXPECT_TRUE(jarl.InsetEnabled());  // a new frame slashes with a line
  jarl.zeroSlash = 2;
  EXPECT_FALSE(jarl.InsetEnabled());
  jarl.direction = 1;
  jarl.boxPitch = 5000;  // beyond the range
  jarl.Accept(frame);
  EXPECT_EQ(frame.BoxPitch, 1000);
  EXPECT_EQ(frame.Rect.right, 100 + frame.BoxHeight);  // vertical: the rectangle follows
  EXPECT_EQ(frame.Rect.bottom, -100 + 5 * 1000 + frame.BoxWidth);

  CheckBoxItem check;
  ConditionDialog forCheck(check, true);
  EXPECT_TRUE(forCheck.CheckBoxesEnabled());
  forCheck.condition.clear();
  EXPECT_FALSE(forCheck.Accept(check));
  forCheck.condition = "IsRECV";
  forCheck.tick = true;
  ASSERT_TRUE(forCheck.Accept(check));
  EXPECT_EQ(check.CheckCondition, "IsRECV");
  EXPECT_EQ(check.TickStyle, 1);
  ConditionDialog print(check, false);
  EXPECT_FALSE(print.CheckBoxesEnabled());
  print.condition = "IsDX";
  ASSERT_TRUE(print.Accept(check));
  EXPECT_EQ(check.Condition, "IsDX");
  EXPECT_EQ(check.CheckCondition, "IsRECV");
  EXPECT_EQ(ConditionDialog::Examples().size(), 50u);
  EXPECT_EQ(DataMarkDialog::Names().back(), "TimeType");
}

}  // namespace
}  // namespace tevra
