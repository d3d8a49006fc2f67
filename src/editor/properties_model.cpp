#include "editor/properties_model.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "core/encoding.h"
#include "core/text.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr double kMmPerUnit = 0.0254;  // the card's units are 1/1000 inch

std::string_view Trim(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

const char* ClassOf(ItemType type) {
  switch (type) {
    case ItemLine: return QT_TRANSLATE_NOOP("Tevra", "直線");
    case ItemBox: return QT_TRANSLATE_NOOP("Tevra", "ボックス");
    case ItemString: return QT_TRANSLATE_NOOP("Tevra", "文字列");
    case ItemJarlFrame: return QT_TRANSLATE_NOOP("Tevra", "JARL転送枠");
    case ItemCheckBox: return QT_TRANSLATE_NOOP("Tevra", "チェックボックス");
    case ItemDataMark: return QT_TRANSLATE_NOOP("Tevra", "データマーク");
    case ItemEllipse: return QT_TRANSLATE_NOOP("Tevra", "楕円");
    case ItemOleLink: return QT_TRANSLATE_NOOP("Tevra", "画像");
    case ItemTextBox: return QT_TRANSLATE_NOOP("Tevra", "テキストボックス");
    case ItemRoundBox: return QT_TRANSLATE_NOOP("Tevra", "丸ボックス");
    case ItemFill: return QT_TRANSLATE_NOOP("Tevra", "塗りつぶし");
    case ItemGroupType: return QT_TRANSLATE_NOOP("Tevra", "グループ");
    default: return QT_TRANSLATE_NOOP("Tevra", "アイテム");
  }
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::optional<double> ParseNumber(const std::string& text) {
  const std::string t = std::string(Trim(text));
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string ColourText(Colour c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return text;
}

std::optional<Colour> ParseColour(const std::string& text) {
  std::string t = std::string(Trim(text));
  if (t.size() == 7 && t[0] == '#') t = t.substr(1);
  if (t.size() != 6 || !std::all_of(t.begin(), t.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
    return std::nullopt;
  const auto rgb = static_cast<Colour>(std::stoul(t, nullptr, 16));
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::optional<bool> ParseFlag(const std::string& text) {
  const std::string t = std::string(Trim(text));
  if (t == "1" || t == "true" || t == "on" || t == "yes") return true;
  if (t == "0" || t == "false" || t == "off" || t == "no") return false;
  return std::nullopt;
}

bool HasText(const CardItem& item) {
  return item.Type() == ItemString || item.Type() == ItemDataMark || item.Type() == ItemTextBox;
}
std::string* TextOf(CardItem& item) {
  if (item.Type() == ItemString || item.Type() == ItemDataMark) return &static_cast<StringItem&>(item).Text;
  if (item.Type() == ItemTextBox) return &static_cast<TextBoxItem&>(item).Text;
  return nullptr;
}
bool HasLine(const CardItem& item) {
  const ItemType t = item.Type();
  return t == ItemLine || t == ItemBox || t == ItemEllipse || t == ItemRoundBox || t == ItemCheckBox;
}

struct Extent {
  double left, top, width, height;  // mm, top downwards
};
Extent ExtentOf(const CardItem& item) {
  const LogicalRect& r = item.Rect;
  return {std::min(r.left, r.right) * kMmPerUnit, -std::max(r.top, r.bottom) * kMmPerUnit,
          std::abs(static_cast<double>(r.right) - r.left) * kMmPerUnit,
          std::abs(static_cast<double>(r.top) - r.bottom) * kMmPerUnit};
}

std::int32_t Units(double mm) {
  return static_cast<std::int32_t>(std::lround(std::clamp(mm, -10000.0, 10000.0) / kMmPerUnit));
}

// The value of one item, or nothing when it lacks the property.
std::optional<std::string> ValueOf(const CardItem& item, Property p) {
  FontRecord font;
  Colour colour = 0;
  const bool hasFont = item.GetFont(font, colour);
  switch (p) {
    case Property::Left: return Number(ExtentOf(item).left);
    case Property::Top: return Number(ExtentOf(item).top);
    case Property::Width: return Number(ExtentOf(item).width);
    case Property::Height: return Number(ExtentOf(item).height);
    case Property::Text:
      if (!HasText(item)) return std::nullopt;
      return ToUnicode(*TextOf(const_cast<CardItem&>(item)));
    case Property::Font:
      if (!hasFont) return std::nullopt;
      return ToUnicode(std::string(font.faceName, strnlen(font.faceName, sizeof font.faceName)));
    case Property::FontSize:
      if (!hasFont) return std::nullopt;
      return Number(std::abs(static_cast<double>(font.height)) * 0.72);
    case Property::Bold: if (!hasFont) return std::nullopt; return font.weight >= 600 ? "1" : "0";
    case Property::Italic: if (!hasFont) return std::nullopt; return font.italic ? "1" : "0";
    case Property::TextColour: if (!hasFont) return std::nullopt; return ColourText(colour);
    case Property::LineColour: if (!HasLine(item)) return std::nullopt; return ColourText(item.GetColour());
    case Property::LineWidth:
    case Property::LineStyle: {
      if (!HasLine(item)) return std::nullopt;
      std::int32_t width = 0, style = 0;
      item.GetPen(width, style);
      return std::to_string(p == Property::LineWidth ? width : style);
    }
    case Property::Condition: return ToUnicode(item.Condition);
  }
  return std::nullopt;
}

}  // namespace

std::vector<CardItem*> PropertiesModel::Items() const {
  LayoutItemList& items = doc_.Items;
  std::vector<CardItem*> out;
  if (items.IsCurrentMulti()) {
    SelectionList& selection = items.Selection();
    for (std::size_t i = 0; i < selection.Count(); ++i) out.push_back(&selection.Child(i));
  } else if (CardItem* current = items.Current()) {
    out.push_back(current);
  }
  return out;
}

std::string PropertiesModel::ClassName() const {
  const auto items = Items();
  return items.size() == 1 ? ClassOf(items.front()->Type()) : std::string();
}

std::optional<std::string> PropertiesModel::Value(Property property) const {
  std::optional<std::string> shown;
  bool differs = false;
  for (const CardItem* item : Items()) {
    const auto value = ValueOf(*item, property);
    if (!value) continue;
    if (shown && *shown != *value) differs = true;
    if (!shown) shown = value;
  }
  if (shown && differs) return std::string();
  return shown;
}

bool PropertiesModel::Set(Property property, const std::string& text) {
  const auto items = Items();
  std::function<bool(CardItem&)> apply;
  switch (property) {
    case Property::Left:
    case Property::Top: {
      const auto mm = ParseNumber(text);
      if (!mm) return false;
      apply = [&, mm](CardItem& item) {
        const Extent e = ExtentOf(item);
        const std::int32_t dx = property == Property::Left ? Units(*mm) - Units(e.left) : 0;
        const std::int32_t dy = property == Property::Top ? Units(e.top) - Units(*mm) : 0;
        if (dx == 0 && dy == 0) return false;
        item.MoveBy(dx, dy);
        return true;
      };
      break;
    }
    case Property::Width:
    case Property::Height: {
      const auto mm = ParseNumber(text);
      if (!mm || *mm <= 0) return false;
      apply = [&, mm](CardItem& item) {
        LogicalRect& r = item.Rect;
        const std::int32_t size = Units(*mm);
        if (property == Property::Width) {
          const std::int32_t now = std::abs(r.right - r.left);
          if (now == size || now == 0) return false;
          if (item.Type() == ItemGroupType) return item.Scale(size, now, 1, 1, true);
          (r.right >= r.left ? r.right : r.left) = std::min(r.left, r.right) + size;
        } else {
          const std::int32_t now = std::abs(r.top - r.bottom);
          if (now == size || now == 0) return false;
          if (item.Type() == ItemGroupType) return item.Scale(1, 1, size, now, true);
          (r.bottom <= r.top ? r.bottom : r.top) = std::max(r.top, r.bottom) - size;
        }
        item.ApplyResize();
        return true;
      };
      break;
    }
    case Property::Text:
      apply = [&](CardItem& item) {
        std::string* t = TextOf(item);
        const std::string cp932 = FromUnicode(text);
        if (!t || *t == cp932) return false;
        *t = cp932;
        return true;
      };
      break;
    case Property::Condition: {
      const std::string cp932 = FromUnicode(std::string(Trim(text)));
      if (cp932.empty()) return false;
      apply = [&, cp932](CardItem& item) {
        if (item.Condition == cp932) return false;
        item.Condition = cp932;
        return true;
      };
      break;
    }
    case Property::Font:
    case Property::FontSize:
    case Property::Bold:
    case Property::Italic:
    case Property::TextColour: {
      std::function<void(FontRecord&, Colour&)> change;
      if (property == Property::Font) {
        const std::string face = FromUnicode(std::string(Trim(text)));
        if (face.empty() || face.size() >= sizeof(FontRecord{}.faceName)) return false;
        change = [face](FontRecord& f, Colour&) {
          std::fill(std::begin(f.faceName), std::end(f.faceName), '\0');
          std::copy(face.begin(), face.end(), f.faceName);
        };
      } else if (property == Property::FontSize) {
        const auto points = ParseNumber(text);
        if (!points || *points < 1 || *points > 500) return false;
        const auto height = -static_cast<std::int32_t>(std::lround(*points / 0.72));
        change = [height](FontRecord& f, Colour&) { f.height = height; };
      } else if (property == Property::TextColour) {
        const auto colour = ParseColour(text);
        if (!colour) return false;
        change = [c = *colour](FontRecord&, Colour& colour) { colour = c; };
      } else {
        const auto on = ParseFlag(text);
        if (!on) return false;
        if (property == Property::Bold) change = [on](FontRecord& f, Colour&) { f.weight = *on ? 700 : 400; };
        else change = [on](FontRecord& f, Colour&) { f.italic = *on ? 1 : 0; };
      }
      apply = [change](CardItem& item) {
        FontRecord font;
        Colour colour = 0;
        if (!item.GetFont(font, colour)) return false;
        const FontRecord before = font;
        const Colour was = colour;
        change(font, colour);
        if (font == before && colour == was) return false;
        return item.SetFont(font, colour);
      };
      break;
    }
    case Property::LineColour: {
      const auto colour = ParseColour(text);
      if (!colour) return false;
      apply = [c = *colour](CardItem& item) {
        if (!HasLine(item) || item.GetColour() == c) return false;
        item.SetColour(c);
        return true;
      };
      break;
    }
    case Property::LineWidth:
    case Property::LineStyle: {
      const auto n = ParseNumber(text);
      if (!n || *n < 0 || *n != std::floor(*n)) return false;
      if (property == Property::LineWidth ? *n > 1000 : (*n > 6 || *n == 5)) return false;
      apply = [&, n](CardItem& item) {
        if (!HasLine(item)) return false;
        std::int32_t width = 0, style = 0;
        item.GetPen(width, style);
        (property == Property::LineWidth ? width : style) = static_cast<std::int32_t>(*n);
        std::int32_t w0 = 0, s0 = 0;
        item.GetPen(w0, s0);
        if (w0 == width && s0 == style) return false;
        item.SetPen(width, style);
        return true;
      };
      break;
    }
  }
  bool changed = false;
  for (CardItem* item : items) changed = apply(*item) || changed;
  if (changed && doc_.Items.IsCurrentMulti()) doc_.Items.Selection().RecomputeBounds();
  return changed;
}

}  // namespace tevra
