// A drawing surface in logical units of 1/1000 inch with y pointing up:
// the screen, an image, a PDF or a printer page. Text arrives as CP932.
#pragma once

#include <string_view>
#include <vector>

#include "platform/drawing_types.h"

namespace tevra {

// Rectangle text layout flags (the text box's format field).
enum TextFormat : int {
  TextCentre = 0x01,
  TextRight = 0x02,
  TextVerticalCentre = 0x04,
  TextWordBreak = 0x10,
  TextSingleLine = 0x20,
  TextExpandTabs = 0x40,
  TextNoPrefix = 0x800,
};

struct TextExtent {
  std::int32_t cx = 0, cy = 0;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // Drawing state; Save and Restore keep pen, brush, font, text colour and
  // background together.
  virtual void SetPen(const PenRecord& pen) = 0;
  virtual void SetHollowBrush() = 0;
  virtual void SetSolidBrush(Colour colour) = 0;
  // The font record as it is to be used (heights already × 10, escapement
  // and orientation in tenths of a degree).
  virtual void SetFont(const FontRecord& font) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetBackground(bool opaque, Colour colour) = 0;
  virtual void Save() = 0;
  virtual void Restore() = 0;

  virtual void Line(LogicalPoint from, LogicalPoint to) = 0;
  virtual void Polyline(const std::vector<LogicalPoint>& points) = 0;
  virtual void RoundRect(const LogicalRect& rect, std::int32_t cornerWidth, std::int32_t cornerHeight) = 0;
  virtual void Ellipse(const LogicalRect& rect) = 0;
  virtual void FillRect(const LogicalRect& rect, Colour colour) = 0;
  // The colour at a point, and a fill of every connected pixel of the given
  // colour from it.
  virtual Colour PixelAt(LogicalPoint point) = 0;
  virtual void FloodFill(LogicalPoint point, Colour surfaceColour, Colour fill) = 0;

  // Text with its top-left at point, in the current font and colours.
  virtual void TextOut(LogicalPoint point, std::string_view text) = 0;
  virtual TextExtent MeasureText(std::string_view text) = 0;
  virtual void DrawTextInRect(std::string_view text, const LogicalRect& rect, int format) = 0;
  // An image file's bytes (PNG, JPEG or SVG) scaled into rect; bytes that
  // do not decode draw nothing.
  virtual void DrawImage(const LogicalRect& rect, std::string_view bytes) = 0;

  // A rectangle whose right and bottom edges move out by one device pixel.
  virtual LogicalRect EnlargeByOnePixel(const LogicalRect& rect) = 0;
  // Moves the logical origin (printing: the card's place on the page).
  virtual void Translate(std::int32_t dx, std::int32_t dy) = 0;
  virtual bool IsPrinter() const = 0;
};

}  // namespace tevra
