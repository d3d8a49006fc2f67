// The drawing surface on a QPainter: the screen, a QImage, a QPdfWriter or a
// QPrinter. Logical units are 1/1000 inch with y up; the card origin sits at
// a device point given by the caller.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"

namespace tevra {

// Fonts with their metrics by font record, for one device: a card asks for
// the same few fonts on every page, and building a font and its metrics
// costs more than drawing the text. Kept by whoever draws many pages.
class QtFontCache {
 public:
  struct Entry {
    QFont font;
    QFontMetricsF metrics;
  };
  const Entry& Get(const FontRecord& record, double dpiY, QPaintDevice* device);
  // A line of text in a font, shaped once and kept as glyph runs: the same
  // labels come on every card, and shaping costs more than drawing. The
  // runs' glyph positions hold the baseline at the line's ascent; the box
  // (from the top-left corner) is what an opaque background fills.
  struct Shaped {
    QList<QGlyphRun> runs;
    QSizeF box;
    double advance = 0;  // trailing blanks included, as the extent measures
  };
  const Shaped& Shape(const Entry& font, const QString& text, QPaintDevice* device);

 private:
  std::unordered_map<std::string, Entry> entries_;
  // Two generations: when the newer one is full it becomes the older, so
  // the texts every card uses stay and the calls of past cards go.
  struct RunKey {
    const Entry* font;
    QString text;
    bool operator==(const RunKey& other) const { return font == other.font && text == other.text; }
  };
  friend size_t qHash(const RunKey& key, size_t seed) { return qHashMulti(seed, key.font, key.text); }
  QHash<RunKey, Shaped> runs_, olderRuns_;
};

class QtSurface : public Surface {
 public:
  // painter: active on its device; dpiX/dpiY: the device resolution;
  // origin: where logical (0, 0) lies, in device pixels. On a vector device
  // (PDF, printer) flood fills work on a raster shadow of what was drawn.
  // fonts: a cache that outlives the surface (one page); without it the
  // surface keeps its own.
  QtSurface(QPainter& painter, double dpiX, double dpiY, QPointF origin, bool printer, bool vector,
            QtFontCache* fonts = nullptr);
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
    const QtFontCache::Entry* font = nullptr;
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
  // Font, text colour and background on the painter for text, each set only
  // when it differs from what the painter has.
  void ApplyText(QPainter& p) const;
  const QtFontCache::Entry& Font();
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
  std::unique_ptr<QtFontCache> ownFonts_;
  QtFontCache* fonts_;
  // The font last set on painter_ for text.
  const QtFontCache::Entry* painterFont_ = nullptr;
};

}  // namespace tevra
