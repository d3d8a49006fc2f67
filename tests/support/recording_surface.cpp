#include "support/recording_surface.h"

#include <cstdio>

namespace tevra::test {
namespace {
std::string Point(LogicalPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string Rect(const LogicalRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
std::string Hex(Colour c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", c);
  return text;
}
}  // namespace

void RecordingSurface::SetPen(const PenRecord& p) {
  Record("Pen " + std::to_string(p.style) + " " + std::to_string(p.widthX) + " " + Hex(p.colour));
}
void RecordingSurface::SetSolidBrush(Colour c) { Record("SolidBrush " + Hex(c)); }
void RecordingSurface::SetFont(const FontRecord& f) {
  font = f;
  Record("Font " + std::to_string(f.height) + " " + std::to_string(f.escapement));
}
void RecordingSurface::SetTextColour(Colour c) { Record("TextColour " + Hex(c)); }
void RecordingSurface::SetBackground(bool opaque, Colour c) {
  Record(std::string(opaque ? "Opaque " : "Transparent ") + Hex(c));
}
void RecordingSurface::Line(LogicalPoint a, LogicalPoint b) { Record("Line " + Point(a) + " " + Point(b)); }
void RecordingSurface::Polyline(const std::vector<LogicalPoint>& points) {
  std::string text = "Polyline";
  for (auto p : points) text += " " + Point(p);
  Record(text);
}
void RecordingSurface::RoundRect(const LogicalRect& r, std::int32_t w, std::int32_t h) {
  Record("RoundRect " + Rect(r) + " " + std::to_string(w) + "x" + std::to_string(h));
}
void RecordingSurface::Ellipse(const LogicalRect& r) { Record("Ellipse " + Rect(r)); }
void RecordingSurface::FillRect(const LogicalRect& r, Colour c) { Record("FillRect " + Rect(r) + " " + Hex(c)); }
void RecordingSurface::FloodFill(LogicalPoint p, Colour surfaceColour, Colour fill) {
  Record("FloodFill " + Point(p) + " " + Hex(surfaceColour) + " " + Hex(fill));
}
void RecordingSurface::TextOut(LogicalPoint p, std::string_view text) { Record("Text " + Point(p) + " " + std::string(text)); }
void RecordingSurface::DrawTextInRect(std::string_view text, const LogicalRect& r, int format) {
  Record("TextRect " + Rect(r) + " " + std::to_string(format) + " " + std::string(text));
}
void RecordingSurface::DrawImage(const LogicalRect& r, std::string_view bytes) {
  Record("Image " + Rect(r) + " " + std::to_string(bytes.size()));
}
void RecordingSurface::Translate(std::int32_t dx, std::int32_t dy) { Record("Translate " + Point({dx, dy})); }

std::vector<std::string> RecordingSurface::Calls(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.starts_with(prefix)) out.push_back(c);
  return out;
}

}  // namespace tevra::test
