// A Surface for tests: records every drawing call as a line of text, and
// measures text with a fixed metric (100 units a byte across, 200 high).
#pragma once

#include <string>
#include <vector>

#include "platform/surface.h"

namespace tevra::test {

class RecordingSurface : public Surface {
 public:
  explicit RecordingSurface(bool printer = false) : printer_(printer) {}

  void SetPen(const PenRecord& pen) override;
  void SetHollowBrush() override { Record("HollowBrush"); }
  void SetSolidBrush(Colour colour) override;
  void SetFont(const FontRecord& font) override;
  void SetTextColour(Colour colour) override;
  void SetBackground(bool opaque, Colour colour) override;
  void Save() override { ++depth_; }
  void Restore() override { --depth_; }
  void Line(LogicalPoint from, LogicalPoint to) override;
  void Polyline(const std::vector<LogicalPoint>& points) override;
  void RoundRect(const LogicalRect& rect, std::int32_t w, std::int32_t h) override;
  void Ellipse(const LogicalRect& rect) override;
  void FillRect(const LogicalRect& rect, Colour colour) override;
  Colour PixelAt(LogicalPoint) override { return pixel; }
  void FloodFill(LogicalPoint point, Colour surfaceColour, Colour fill) override;
  void TextOut(LogicalPoint point, std::string_view text) override;
  TextExtent MeasureText(std::string_view text) override {
    return {static_cast<std::int32_t>(text.size()) * 100, text.empty() ? 0 : 200};
  }
  void DrawTextInRect(std::string_view text, const LogicalRect& rect, int format) override;
  void DrawImage(const LogicalRect& rect, std::string_view bytes) override;
  LogicalRect EnlargeByOnePixel(const LogicalRect& r) override { return {r.left, r.top, r.right + 3, r.bottom - 3}; }
  void Translate(std::int32_t dx, std::int32_t dy) override;
  bool IsPrinter() const override { return printer_; }

  // Every call, in order.
  std::vector<std::string> calls;
  // The calls that start with prefix.
  std::vector<std::string> Calls(std::string_view prefix) const;
  FontRecord font;  // the last font set
  Colour pixel = 0xFFFFFF;
  int Depth() const { return depth_; }

 private:
  void Record(std::string text) { calls.push_back(std::move(text)); }
  bool printer_;
  int depth_ = 0;
};

}  // namespace tevra::test
