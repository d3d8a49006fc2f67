// The drawing surface on a QPainter: the screen, a QImage, a QPdfWriter or a
// QPrinter. Logical units are 1/1000 inch with y up; the card origin sits at
// a device point given by the caller.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "platform/surface.h"

namespace tevra {

class QtSurface : public Surface {
 public:
  // painter: active on its device; dpiX/dpiY: the device resolution;
  // origin: where logical (0, 0) lies, in device pixels. On a vector device
  // (PDF, printer) flood fills work on a raster shadow of what was drawn.
  QtSurface(QPainter& painter, double dpiX, double dpiY, QPointF origin, bool printer, bool vector);
  ~QtSurface() override;

  void SetPen(const PenRecord& pen) override;
  void SetHollowBrush() override;
  void SetSolidBrush(Colour colour) override;
  void SetFont(const FontRecord& font) override;
  void SetTextColour(Colour colour) override;
  void SetBackground(bool opaque, Colour colour) override;
  void Save() override;
  void Restore() override;
  void Line(LogicalPoint from, LogicalPoint to) override;
  void Polyline(const std::vector<LogicalPoint>& points) override;
  void RoundRect(const LogicalRect& rect, std::int32_t w, std::int32_t h) override;
  void Ellipse(const LogicalRect& rect) override;
  void FillRect(const LogicalRect& rect, Colour colour) override;
  Colour PixelAt(LogicalPoint point) override;
  void FloodFill(LogicalPoint point, Colour surfaceColour, Colour fill) override;
  void TextOut(LogicalPoint point, std::string_view text) override;
  TextExtent MeasureText(std::string_view text) override;
  void DrawTextInRect(std::string_view text, const LogicalRect& rect, int format) override;
  void DrawImage(const LogicalRect& rect, std::string_view bytes) override;
  LogicalRect EnlargeByOnePixel(const LogicalRect& rect) override;
  void Translate(std::int32_t dx, std::int32_t dy) override;
  bool IsPrinter() const override { return printer_; }

  static QColor ToQColor(Colour colour);
  // The installed family that stands in for a face name (CP932).
  static QString FamilyFor(std::string_view faceName);

 private:
  struct State {
    QPen pen;
    QBrush brush;
    QFont font;
    int escapement = 0;
    QColor textColour;
    bool opaque = true;
    QColor background;
  };
  QPointF ToDevice(LogicalPoint p) const;
  QRectF ToDevice(const LogicalRect& r) const;
  // Runs a drawing on the device and on the shadow image, if any.
  template <typename Fn>
  void Paint(Fn&& fn);
  void Apply(QPainter& p) const;
  QImage* Raster();

  QPainter& painter_;
  double dpiX_, dpiY_;
  QPointF origin_;
  bool printer_;
  State state_;
  std::vector<State> saved_;
  // Vector devices: what has been drawn, at up to 300 dpi, for flood fills.
  std::unique_ptr<QImage> shadow_;
  double shadowScale_ = 1.0;
};

}  // namespace tevra
