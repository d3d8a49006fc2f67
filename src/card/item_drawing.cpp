// How each card item paints itself.
#include <algorithm>
#include <cstdlib>

#include "card/card_item.h"
#include "card/render_context.h"
#include "core/call_sign.h"
#include "core/text.h"
#include "platform/surface.h"

namespace tevra {
namespace {

constexpr Colour kPlaceholderGrey = 0xC0C0C0;
constexpr Colour kWhite = 0xFFFFFF;
constexpr std::string_view kSlashedZeroSjis = "\x83\xB3";  // "Φ"
constexpr std::string_view kSlashedZeroOther = "\xD8";

// Restores the surface's drawing state when the item is done.
class StateGuard {
 public:
  explicit StateGuard(Surface& s) : s_(s) { s_.Save(); }
  ~StateGuard() { s_.Restore(); }
  StateGuard(const StateGuard&) = delete;
  StateGuard& operator=(const StateGuard&) = delete;

 private:
  Surface& s_;
};

// The font's sizes × 10, as drawn. A damaged layout's size stays within
// what any card could show.
FontRecord ScaledFont(const FontRecord& stored) {
  constexpr std::int64_t kSizeMax = 1'000'000;
  FontRecord f = stored;
  f.height = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{f.height} * 10, -kSizeMax, kSizeMax));
  f.width = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{f.width} * 10, -kSizeMax, kSizeMax));
  return f;
}

// The font as drawn: sizes × 10, escapement and orientation by direction.
FontRecord UsedFont(const FontRecord& stored, std::int32_t direction, const RenderContext& context) {
  FontRecord f = ScaledFont(stored);
  const bool inverted = context.printing && context.invertedRotation;
  std::int32_t angle = -1;
  switch (direction & 3) {
    case 1: angle = inverted ? 900 : 2700; break;
    case 2: angle = 1800; break;
    case 3: angle = inverted ? 2700 : 900; break;
    default: break;
  }
  if (angle >= 0) f.escapement = f.orientation = angle;
  return f;
}

std::string_view SlashedZero(const FontRecord& font) {
  return font.charSet == 128 ? kSlashedZeroSjis : kSlashedZeroOther;
}

void Outline(Surface& s, const LogicalRect& r) {
  s.Polyline({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}});
}

// (w, h) of a measured text as the extent table uses them.
std::pair<std::int32_t, std::int32_t> Turned(TextExtent e, const FontRecord& f) {
  return f.outPrecision == 1 ? std::pair{e.cx, e.cy} : std::pair{e.cy, e.cx};
}

// The printed text of an item text: a table reference or the text itself.
std::string ItemText(std::string_view text, const ConditionTable& own, RenderContext& context, bool multiLine) {
  if (auto table = ItemTableReference(text)) {
    if (!context.LogLoaded()) return "@Table";
    const ConditionTable* t = *table == 0 ? &own : context.CommonTable(*table);
    return t ? TableLookup(context.expander, *t, *context.FirstQso(), multiLine) : std::string();
  }
  return multiLine ? context.expander.ActiveText(text) : context.expander.FirstActiveLine(text);
}

}  // namespace

void ShapeItem::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  StateGuard guard(s);
  s.SetPen(Pen);
  switch (Type()) {
    case ItemLine: s.Line({Rect.left, Rect.top}, {Rect.right, Rect.bottom}); break;
    case ItemBox: Outline(s, Rect); break;
    case ItemRoundBox:
      s.SetHollowBrush();
      s.RoundRect(s.EnlargeByOnePixel(Rect), 200, 200);
      break;
    case ItemEllipse:
      s.SetHollowBrush();
      s.Ellipse(s.EnlargeByOnePixel(Rect));
      break;
    default: break;
  }
}

void OleLinkItem::Draw(Surface& s, RenderContext& context) {
  if (!Object || !IsVisible(context.expander)) return;
  s.DrawImage(Rect, Object->Bytes);
}

void FillItem::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  StateGuard guard(s);
  s.SetSolidBrush(Pen.colour);
  const LogicalPoint at{Rect.left, Rect.top};
  s.FloodFill(at, s.PixelAt(at), Pen.colour);
}

std::string StringItem::Source(RenderContext& context) const { return ItemText(Text, OwnTable, context, false); }

void StringItem::SetColours(Surface& s, RenderContext&) const {
  s.SetTextColour(TextColour);
  s.SetBackground((Flags & 2) == 0, kWhite);
}

std::string DataMarkItem::Source(RenderContext& context) const {
  if (!context.LogLoaded()) return Text;
  const MergeContext& merge = context.expander.Context();
  if (QsoPosition < 1 || QsoPosition > merge.RepeatCount || QsoPosition > kMaxQsosPerCard) return AbsentText;
  QsoRecord& qso = merge.CardQsos[QsoPosition - 1];
  if (qso.Call[0] == '\0') return AbsentText;
  if (auto table = DataMarkTableReference(Text)) {
    const ConditionTable* t = *table == 0 ? &OwnTable : context.CommonTable(*table);
    return t ? TableLookup(context.expander, *t, qso, false) : std::string();
  }
  return context.expander.LookupVariable(Text, qso);
}

void DataMarkItem::SetColours(Surface& s, RenderContext& context) const {
  s.SetTextColour(Pen.colour);
  if (!context.LogLoaded()) s.SetBackground(true, kPlaceholderGrey);  // placeholders stand out
  else s.SetBackground((Flags & 2) == 0, kWhite);
}

void StringItem::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  StateGuard guard(s);
  const std::string text = Source(context);
  const FontRecord font = UsedFont(Font, Direction, context);
  s.SetFont(font);
  SetColours(s, context);

  // The rectangle follows the measured text.
  const TextExtent whole = s.MeasureText(text);
  const auto [w, h] = Turned(whole, font);
  const int d = Direction & 3;
  switch (d) {
    case 0: Rect.right = Rect.left + whole.cx; Rect.bottom = Rect.top - whole.cy; break;
    case 1: Rect.right = Rect.left + w; Rect.bottom = Rect.top + h; break;
    case 2: Rect.right = Rect.left - whole.cx; Rect.bottom = Rect.top + whole.cy; break;
    default: Rect.right = Rect.left - w; Rect.bottom = Rect.top - h; break;
  }

  // The slash over a zero drawn at `at`, for styles 1 and 2.
  const auto slash = [&](LogicalPoint at, TextExtent e) {
    if (ZeroSlash == 2) {
      s.SetBackground(false, kWhite);
      s.TextOut(at, "/");
      SetColours(s, context);
    } else if (ZeroSlash == 1) {
      const auto [cw, chh] = Turned(e, font);
      const std::int32_t q = e.cy / 5;
      switch (d) {
        case 0: s.Line({at.x + e.cx, at.y - q}, {at.x, at.y - e.cy + q}); break;
        case 1: s.Line({at.x + cw / 5, at.y + chh}, {at.x + cw - cw / 5, at.y}); break;
        case 2: s.Line({at.x - e.cx, at.y + q}, {at.x, at.y + e.cy - q}); break;
        default: s.Line({at.x - cw / 5, at.y - chh}, {at.x - cw + cw / 5, at.y}); break;
      }
    }
  };
  const auto advance = [d](LogicalPoint& at, std::int32_t along) {
    switch (d) {
      case 0: at.x += along; break;
      case 1: at.y += along; break;
      case 2: at.x -= along; break;
      default: at.y -= along; break;
    }
  };
  const LogicalPoint anchor{Rect.left, Rect.top};
  if (ZeroSlash == 0) {
    s.TextOut(anchor, text);
  } else if (font.outPrecision == 1 && (d == 1 || d == 3)) {
    // A font that cannot turn stands its glyphs one under another.
    s.SetPen(PenRecord{0, 1, 1, TextColour});
    LogicalPoint at = anchor;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t len = CharLength(text, i);
      const bool zero = len == 1 && text[i] == '0';
      const std::string_view glyph = zero && ZeroSlash == 3 ? SlashedZero(Font) : std::string_view(text).substr(i, len);
      s.TextOut(at, glyph);
      const TextExtent e = s.MeasureText(glyph);
      if (zero) slash(at, e);
      advance(at, e.cy);
      i += len;
    }
  } else {
    // One run of text, then the slashes over its zeros.
    std::string shown;
    std::vector<std::size_t> zeros;  // where each zero starts in `shown`
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t len = CharLength(text, i);
      if (len == 1 && text[i] == '0') {
        zeros.push_back(shown.size());
        shown += ZeroSlash == 3 ? SlashedZero(Font) : std::string_view("0");
      } else {
        shown.append(text, i, len);
      }
      i += len;
    }
    s.TextOut(anchor, shown);
    if (ZeroSlash != 3 && !zeros.empty()) {
      s.SetPen(PenRecord{0, 1, 1, TextColour});
      const TextExtent e = s.MeasureText("0");
      for (const std::size_t at : zeros) {
        LogicalPoint where = anchor;
        advance(where, s.MeasureText(std::string_view(shown).substr(0, at)).cx);
        slash(where, e);
      }
    }
  }
  if (Type() == ItemString && (Flags & 1)) {
    s.SetPen(Pen);
    Outline(s, Rect);
  }
}

void TextBoxItem::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  StateGuard guard(s);
  std::string text = ItemText(Text, OwnTable, context, (Format & kSingleLine) == 0);
  if (ZeroSlash != 0) {
    std::string replaced;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t len = CharLength(text, i);
      if (len == 1 && text[i] == '0') replaced += SlashedZero(Font);
      else replaced.append(text, i, len);
      i += len;
    }
    text = std::string(PrefixOfChars(replaced, 1023));
  }
  if (!text.empty()) {
    FontRecord font = ScaledFont(Font);
    font.escapement = font.orientation = 0;  // text boxes are never turned
    s.SetFont(font);
    s.SetTextColour(TextColour);
    s.SetBackground((Flags & 2) == 0, kWhite);
    s.DrawTextInRect(text, Rect, Format);
  }
  if (Flags & 1) {
    s.SetPen(Pen);
    Outline(s, Rect);
  }
}

void JarlFrameItem::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  StateGuard guard(s);
  const std::size_t count = static_cast<std::size_t>(CharacterCount & 0xFF);
  const bool clip = (CharacterCount & 0x100) != 0;
  std::string call;
  if (QsoRecord* qso = context.FirstQso()) {
    call = std::string(PrefixOfChars(ViaCall(*qso), 24));
    if (call.size() > count) call = clip ? call.substr(0, count) : std::string();
  }

  const FontRecord font = UsedFont(Font, Direction, context);
  s.SetFont(font);
  s.SetTextColour(TextColour);
  s.SetBackground(false, kWhite);
  const int d = Direction & 3;
  if (!call.empty()) {
    s.SetPen(PenRecord{0, 1, 1, TextColour});
    const std::int32_t ch = s.MeasureText(call.substr(0, 1)).cy;
    const std::int32_t W = BoxWidth, H = BoxHeight, P = BoxPitch, L = SlashInset;
    const std::int32_t c = H >= ch ? (H - ch) / 2 : 0;
    for (std::size_t i = 0; i < call.size() && i < count; ++i) {
      const bool zero = call[i] == '0';
      const std::string_view glyph = zero && ZeroSlash == 3 ? SlashedZero(Font) : std::string_view(call).substr(i, 1);
      const TextExtent e = s.MeasureText(glyph);
      const std::int32_t along = i == 6 ? W + 5 * P : static_cast<std::int32_t>(i) * P;
      const std::int32_t centre = W >= e.cx ? (W - e.cx) / 2 : 0;
      const std::int32_t run = centre + along + HorizontalOffset;
      LogicalPoint at;
      switch (d) {
        case 0: at = {Rect.left + run, Rect.top - c + VerticalOffset}; break;
        case 1: at = {Rect.left + c + VerticalOffset, Rect.top + run}; break;
        case 2: at = {Rect.right - run, Rect.bottom - c + VerticalOffset}; break;
        default: at = {Rect.right - c - VerticalOffset, Rect.bottom - run}; break;
      }
      s.TextOut(at, glyph);
      if (zero && ZeroSlash == 1) {
        switch (d) {
          case 0: s.Line({at.x + e.cx, at.y - L}, {at.x, at.y - e.cy + L}); break;
          case 1: s.Line({at.x + L, at.y + e.cx}, {at.x + e.cy - L, at.y}); break;
          case 2: s.Line({at.x - e.cx, at.y + L}, {at.x, at.y + e.cy - L}); break;
          default: s.Line({at.x - L, at.y - e.cx}, {at.x + L - e.cy, at.y}); break;
        }
      } else if (zero && ZeroSlash == 2) {
        s.TextOut(at, "/");
      }
    }
  }
  if (ShowFrame) {
    s.SetPen(Pen);
    for (std::int32_t k = 0; k < 6; ++k) {
      const std::int32_t from = k * BoxPitch;
      if (d == 0 || d == 2)
        Outline(s, {Rect.left + from, Rect.top, Rect.left + from + BoxWidth, Rect.top - BoxHeight});
      else
        Outline(s, {Rect.left, Rect.top + from, Rect.left + BoxHeight, Rect.top + from + BoxWidth});
    }
  }
}

void CheckBoxItem::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  StateGuard guard(s);
  s.SetPen(Pen);
  if (DrawFrame) Outline(s, Rect);
  if (!context.expander.EvaluateConditionsForCard(CheckCondition)) return;
  const std::int32_t w = Rect.right - Rect.left, h = Rect.top - Rect.bottom;
  if (TickStyle == 1) {
    s.SetPen(PenRecord{0, std::abs(w / 8), std::abs(w / 8), Pen.colour});
    s.Polyline({{Rect.left + w / 6, Rect.bottom + h / 2},
                {Rect.left + w / 3, Rect.bottom + h / 6},
                {Rect.right - w / 6, Rect.top - h / 4}});
  } else {
    s.Line({Rect.left, Rect.top}, {Rect.right, Rect.bottom});
    s.Line({Rect.right, Rect.top}, {Rect.left, Rect.bottom});
  }
}

void ItemGroup::Draw(Surface& s, RenderContext& context) {
  if (!IsVisible(context.expander)) return;
  for (std::size_t i = 0; i < Count(); ++i) Child(i).Draw(s, context);
}

}  // namespace tevra
