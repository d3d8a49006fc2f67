#include "card/render_card.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tevra {
namespace {

constexpr double kUnitsPerMm = 39.37007874015748;
constexpr Colour kGridGrey = 0xC0C0C0;
constexpr Colour kGridAccent = 0xC04040;
constexpr Colour kAnchorGreen = 0x00FF00;

std::int32_t Saturate(double v) {
  if (!(v > INT32_MIN)) return v != v ? 0 : INT32_MIN;  // NaN: 0
  return v < INT32_MAX ? static_cast<std::int32_t>(v) : INT32_MAX;
}

std::int32_t MarginUnits(int hundredthsMm) {
  return static_cast<std::int32_t>(std::int64_t{hundredthsMm} * 100 / 254);  // |result| < |hundredthsMm|
}

// No card needs more grid lines than this in one direction.
constexpr std::int64_t kGridLinesMax = 10000;

}  // namespace

LogicalPoint PrintOrigin(const DocumentSettings& s, int column, int row) {
  return {Saturate(MarginUnits(s.LeftMargin) + column * s.TackColumnPitch * kUnitsPerMm),
          Saturate(-static_cast<double>(MarginUnits(s.TopMargin)) - row * s.TackRowPitch * kUnitsPerMm)};
}

LogicalPoint GridExtent(const DocumentSettings& s, const PrinterMetrics& m) {
  return {s.CardWidth ? s.CardWidthUnits() : m.printableWidth, s.CardHeight ? s.CardHeightUnits() : m.printableHeight};
}

void DrawGrid(Surface& surface, const DocumentSettings& s, const PrinterMetrics& m) {
  if ((s.GridMode & 1) == 0 || s.GridStepX <= 0 || s.GridStepY <= 0) return;
  const LogicalPoint extent = GridExtent(s, m);
  surface.Save();
  auto pen = [&](int index) {
    const bool fifth = index % 5 == 0;
    const std::int32_t width = fifth && (s.GridMode & 4) ? 24 : 1;
    surface.SetPen(PenRecord{0, width, width, fifth && (s.GridMode & 2) ? kGridAccent : kGridGrey});
  };
  // 64-bit steps never overflow; a step too fine for the card is widened.
  const std::int64_t stepX = std::max<std::int64_t>(s.GridStepX, extent.x / kGridLinesMax + 1);
  const std::int64_t stepY = std::max<std::int64_t>(s.GridStepY, extent.y / kGridLinesMax + 1);
  int index = 0;
  for (std::int64_t x = 0; x < extent.x; x += stepX, ++index) {
    pen(index);
    surface.Line({static_cast<std::int32_t>(x), 0}, {static_cast<std::int32_t>(x), -extent.y});
  }
  index = 0;
  for (std::int64_t y = 0; y < extent.y; y += stepY, ++index) {
    pen(index);
    surface.Line({0, static_cast<std::int32_t>(-y)}, {extent.x, static_cast<std::int32_t>(-y)});
  }
  surface.Restore();
}

std::vector<LogicalRect> MaskStrips(const DocumentSettings& s, const PrinterMetrics& m) {
  const std::int32_t mx = MarginUnits(s.LeftMargin), my = MarginUnits(s.TopMargin);
  const std::int32_t left = -(mx + m.offsetX), top = my + m.offsetY;  // the paper's top-left corner
  const std::int32_t right = left + m.paperWidth, bottom = top - m.paperHeight;
  const std::int32_t printableRight = -mx + m.printableWidth, printableBottom = my - m.printableHeight;
  return {
      {left, top, right, top - m.offsetY},
      {left, top, left + m.offsetX, bottom},
      {printableRight, top, right, bottom},
      {left, printableBottom, right, bottom},
  };
}

void RenderCard(Surface& surface, LayoutItemList& items, const DocumentSettings& settings,
                const PrinterMetrics& metrics, RenderContext& context, const RenderCardOptions& options) {
  const bool printer = surface.IsPrinter();
  if (printer) {
    const LogicalPoint origin = PrintOrigin(settings, options.column, options.row);
    surface.Translate(origin.x, origin.y);
  }
  if (!printer || !context.LogLoaded() || options.printGrid) DrawGrid(surface, settings, metrics);
  // Embedded objects are drawn into their rectangle once documents hold them.
  for (std::size_t i = 0; i < items.Count(); ++i) items.At(i).Draw(surface, context);
  if (printer || !options.selection) return;
  CardItem* current = items.Current();
  if (items.IsCurrentSingle() && items.Anchor() && items.Anchor() != current) {
    surface.Save();
    surface.SetPen(PenRecord{2, 1, 1, kAnchorGreen});
    const LogicalRect& r = items.Anchor()->Rect;
    surface.Polyline({{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}});
    surface.Restore();
  }
  if (current) current->DrawSelection(surface);
}

}  // namespace tevra
