// The properties panel's model: what each kind of item shows, a multiple
// selection (values that differ show blank), and typed values (one change
// for every item that has the property; nonsense changes nothing).
#include "editor/properties_model.h"

#include <gtest/gtest.h>

#include "core/encoding.h"

namespace tevra {
namespace {

class PropertiesTest : public ::testing::Test {
 protected:
  PropertiesTest() {
    auto b = std::make_unique<ShapeItem>(ItemBox);
    b->Rect = {1000, -2000, 1500, -2500};  // 25.4 mm from the left, 50.8 down, 12.7 square
    box = &doc.Items.Add(std::move(b));
    auto s = std::make_unique<StringItem>();
    s->Rect = {1000, -3000, 2000, -3300};
    s->Text = FromUnicode("東京 %C");
    s->Font.height = -50;  // 36 points
    str = &doc.Items.Add(std::move(s));
  }
  void SelectBoth() {
    doc.Items.Selection().Clear();
    doc.Items.Selection().Add(*box);
    doc.Items.Selection().Add(*str);
    doc.Items.SetCurrent(&doc.Items.Selection());
  }
  LayoutDocument doc;
  CardItem* box = nullptr;
  CardItem* str = nullptr;
  PropertiesModel model{doc};
};

TEST_F(PropertiesTest, EachKindShowsItsValuesAndASelectionBlanksTheDifferent) {
  doc.Items.SetCurrent(nullptr);
  EXPECT_EQ(model.ClassName(), "");
  struct Shown {
    Property property;
    std::optional<std::string> box, string, both;
  };
  const Shown cases[] = {
      {Property::Left, "25.4", "25.4", "25.4"},   {Property::Top, "50.8", "76.2", ""},
      {Property::Width, "12.7", "25.4", ""},      {Property::Height, "12.7", "7.6", ""},
      {Property::Text, std::nullopt, "東京 %C", "東京 %C"},
      {Property::FontSize, std::nullopt, "36.0", "36.0"},
      {Property::LineColour, "#000000", std::nullopt, "#000000"},
      {Property::Condition, "TRUE", "TRUE", "TRUE"},
  };
  for (const Shown& c : cases) {
    doc.Items.SetCurrent(box);
    EXPECT_EQ(model.Value(c.property), c.box) << static_cast<int>(c.property);
    doc.Items.SetCurrent(str);
    EXPECT_EQ(model.Value(c.property), c.string) << static_cast<int>(c.property);
    SelectBoth();
    EXPECT_EQ(model.Value(c.property), c.both) << static_cast<int>(c.property);
  }
  EXPECT_EQ(model.Items().size(), 2u);
  EXPECT_EQ(model.ClassName(), "");
  doc.Items.SetCurrent(box);
  EXPECT_EQ(model.ClassName(), "ボックス");
}

TEST_F(PropertiesTest, ATypedValueGoesToEveryItemThatHasIt) {
  SelectBoth();
  struct Typed {
    Property property;
    const char* text;
    bool changes;
  };
  const Typed cases[] = {
      {Property::Top, "10", true},      {Property::Width, "20.0", true}, {Property::Width, "-3", false},
      {Property::Left, "abc", false},   {Property::FontSize, "18", true}, {Property::Bold, "1", true},
      {Property::Bold, "maybe", false}, {Property::TextColour, "#FF0000", true}, {Property::LineColour, "red", false},
      {Property::LineStyle, "2", true}, {Property::LineStyle, "5", false}, {Property::Text, "JA1ZZZ", true},
      {Property::Condition, "", false}, {Property::Top, "10", false},  // already there
  };
  for (const Typed& c : cases) EXPECT_EQ(model.Set(c.property, c.text), c.changes) << c.text;
  EXPECT_EQ(model.Value(Property::Top), "10.0");
  EXPECT_EQ(model.Value(Property::Width), "20.0");
  EXPECT_EQ(model.Value(Property::FontSize), "18.0");  // the string alone has a font
  EXPECT_EQ(static_cast<StringItem*>(str)->TextColour, 0x0000FFu);
  EXPECT_EQ(box->Pen.style, 2);
  EXPECT_EQ(static_cast<StringItem*>(str)->Text, "JA1ZZZ");
  EXPECT_EQ(box->Rect.left, 1000);  // the left edge stays when the width changes
}

}  // namespace
}  // namespace tevra
