// The properties panel apart from its widgets: the selected items' class,
// place and size in millimetres, and for the items that have them the text,
// font, colours, line and print condition, as texts a field shows; a value
// typed into a field goes to every selected item that has the property.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "card/layout_document.h"

namespace tevra {

enum class Property {
  Left, Top, Width, Height,  // mm, from the card's top left corner
  Text,                      // strings, data marks (the field), text boxes
  Font, FontSize, Bold, Italic, TextColour,
  LineColour, LineWidth, LineStyle,
  Condition,
};
inline constexpr Property kAllProperties[] = {
    Property::Left,     Property::Top,        Property::Width,      Property::Height,    Property::Text,
    Property::Font,     Property::FontSize,   Property::Bold,       Property::Italic,    Property::TextColour,
    Property::LineColour, Property::LineWidth, Property::LineStyle, Property::Condition};

class PropertiesModel {
 public:
  explicit PropertiesModel(LayoutDocument& doc) : doc_(doc) {}

  // The items the panel speaks of: the current item, or every member of a
  // multiple selection.
  std::vector<CardItem*> Items() const;
  // The kind of a single item ("ボックス", …; the view translates), else "".
  std::string ClassName() const;
  // What a field shows (UTF-8): nothing when no selected item has the
  // property (the field is hidden), "" when the items' values differ.
  std::optional<std::string> Value(Property property) const;
  // A value typed into a field, for every selected item that has the
  // property. False, changing nothing, when the text is no such value.
  bool Set(Property property, const std::string& text);

 private:
  LayoutDocument& doc_;
};

}  // namespace tevra
