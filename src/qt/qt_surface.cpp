#include "qt/qt_surface.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTextLayout>
#include <QRegion>
#include <algorithm>
#include <climits>
#include <vector>

#include "core/encoding.h"

namespace tevra {
namespace {

QString ToQString(std::string_view cp932) {
  const std::string utf8 = ToUnicode(cp932);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Qt::PenStyle PenStyleOf(std::int32_t style) {
  switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
  }
}

}  // namespace

QColor QtSurface::ToQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QString QtSurface::FamilyFor(std::string_view faceName) {
  const QString face = ToQString(faceName.substr(0, faceName.find('\0')));
  static const std::pair<const char*, const char*> kFaces[] = {
      {"ＭＳ 明朝", "IPAMincho"},       {"MS Mincho", "IPAMincho"},   {"ＭＳ Ｐ明朝", "IPAPMincho"},
      {"MS PMincho", "IPAPMincho"},     {"ＭＳ ゴシック", "IPAGothic"}, {"MS Gothic", "IPAGothic"},
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
  };
  for (const auto& [windows, installed] : kFaces)
    if (face == QString::fromUtf8(windows)) return QString::fromUtf8(installed);
  return face;  // fontconfig finds the nearest installed face
}

const QtFontCache::Entry& QtFontCache::Get(const FontRecord& f, double dpiY, QPaintDevice* device) {
  // A negative height is the character height; either way it sets the size.
  const int pixels = std::max(1, static_cast<int>(std::abs(static_cast<double>(f.height)) * dpiY / 1000.0 + 0.5));
  const int weight = std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900);
  const std::string_view face(f.faceName, sizeof f.faceName);
  std::string key = std::to_string(pixels) + ',' + std::to_string(weight) + ',' + char('0' + (f.italic != 0)) +
                    char('0' + (f.underline != 0)) + char('0' + (f.strikeOut != 0)) + ',';
  key += face.substr(0, face.find('\0'));
  if (auto it = entries_.find(key); it != entries_.end()) return it->second;
  QFont font(QtSurface::FamilyFor(face));
  font.setPixelSize(pixels);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(f.italic != 0);
  font.setUnderline(f.underline != 0);
  font.setStrikeOut(f.strikeOut != 0);
  return entries_.try_emplace(std::move(key), Entry{font, QFontMetricsF(font, device)}).first->second;
}

const QtFontCache::Shaped& QtFontCache::Shape(const Entry& font, const QString& text, QPaintDevice* device) {
  constexpr qsizetype kGeneration = 2048;
  RunKey key{&font, text};
  if (auto it = runs_.constFind(key); it != runs_.constEnd()) return *it;
  Shaped shaped;
  if (auto old = olderRuns_.constFind(key); old != olderRuns_.constEnd()) {
    shaped = *old;
  } else {
    QTextLayout layout(text, font.font, device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
      line.setLineWidth(1e6);  // one line, however long
      line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
    if (line.isValid()) {
      shaped.box = QSizeF(line.naturalTextWidth(), line.ascent() + line.descent());
      shaped.advance = line.horizontalAdvance();
    }
    shaped.runs = layout.glyphRuns();
  }
  if (runs_.size() >= kGeneration) {
    olderRuns_ = std::move(runs_);
    runs_.clear();
  }
  return *runs_.insert(std::move(key), std::move(shaped));
}

QtSurface::QtSurface(QPainter& painter, double dpiX, double dpiY, QPointF origin, bool printer, bool vector,
                     QtFontCache* fonts)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY), origin_(origin), printer_(printer), fonts_(fonts) {
  if (!fonts_) {
    ownFonts_ = std::make_unique<QtFontCache>();
    fonts_ = ownFonts_.get();
  }
  state_.pen = QPen(Qt::black);
  state_.brush = Qt::NoBrush;
  state_.textColour = Qt::black;
  state_.background = Qt::white;
  if (vector && painter.device()) {
    shadowScale_ = std::min(1.0, 300.0 / std::max(dpiX, dpiY));
    const QSize size(static_cast<int>(painter.device()->width() * shadowScale_) + 1,
                     static_cast<int>(painter.device()->height() * shadowScale_) + 1);
    shadow_ = std::make_unique<QImage>(size, QImage::Format_RGB32);
    shadow_->fill(Qt::white);
  }
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

QtSurface::~QtSurface() = default;

QPointF QtSurface::ToDevice(LogicalPoint p) const {
  return {origin_.x() + p.x * dpiX_ / 1000.0, origin_.y() - p.y * dpiY_ / 1000.0};
}

QRectF QtSurface::ToDevice(const LogicalRect& r) const {
  return QRectF(ToDevice(LogicalPoint{r.left, r.top}), ToDevice(LogicalPoint{r.right, r.bottom})).normalized();
}

void QtSurface::Apply(QPainter& p) const {
  p.setPen(state_.pen);
  p.setBrush(state_.brush);
}

template <typename Fn>
void QtSurface::Paint(Fn&& fn) {
  Apply(painter_);
  fn(painter_);
  if (shadow_) {
    QPainter shadow(shadow_.get());
    shadow.scale(shadowScale_, shadowScale_);
    Apply(shadow);
    fn(shadow);
  }
}

QImage* QtSurface::Raster() {
  if (shadow_) return shadow_.get();
  return dynamic_cast<QImage*>(painter_.device());
}

void QtSurface::SetPen(const PenRecord& pen) {
  const double width = pen.widthX * dpiX_ / 1000.0;
  state_.pen = QPen(ToQColor(pen.colour), width < 1.0 ? 0.0 : width, PenStyleOf(pen.style));  // 0: one pixel
}

void QtSurface::SetHollowBrush() { state_.brush = Qt::NoBrush; }
void QtSurface::SetSolidBrush(Colour colour) { state_.brush = QBrush(ToQColor(colour)); }

void QtSurface::SetFont(const FontRecord& f) {
  state_.font = &fonts_->Get(f, dpiY_, painter_.device());
  state_.escapement = f.escapement;
}

const QtFontCache::Entry& QtSurface::Font() {
  if (!state_.font) state_.font = &fonts_->Get(FontRecord{}, dpiY_, painter_.device());
  return *state_.font;
}

void QtSurface::ApplyText(QPainter& p) const {
  if (&p != &painter_ || painterFont_ != state_.font) p.setFont(state_.font->font);
  const QPen& pen = p.pen();
  if (pen.style() != Qt::SolidLine || pen.color() != state_.textColour || pen.widthF() != 0.0) p.setPen(state_.textColour);
  const Qt::BGMode mode = state_.opaque ? Qt::OpaqueMode : Qt::TransparentMode;
  if (p.backgroundMode() != mode) p.setBackgroundMode(mode);
  if (state_.opaque && p.background().color() != state_.background) p.setBackground(state_.background);
}

void QtSurface::SetTextColour(Colour colour) { state_.textColour = ToQColor(colour); }

void QtSurface::SetBackground(bool opaque, Colour colour) {
  state_.opaque = opaque;
  state_.background = ToQColor(colour);
}

void QtSurface::Save() { saved_.push_back(state_); }

void QtSurface::Restore() {
  if (saved_.empty()) return;
  state_ = saved_.back();
  saved_.pop_back();
}

void QtSurface::Line(LogicalPoint from, LogicalPoint to) {
  const QPointF a = ToDevice(from), b = ToDevice(to);
  Paint([&](QPainter& p) { p.drawLine(a, b); });
}

void QtSurface::Polyline(const std::vector<LogicalPoint>& points) {
  std::vector<QPointF> device;
  for (auto pt : points) device.push_back(ToDevice(pt));
  Paint([&](QPainter& p) { p.drawPolyline(device.data(), static_cast<int>(device.size())); });
}

void QtSurface::RoundRect(const LogicalRect& rect, std::int32_t w, std::int32_t h) {
  const QRectF r = ToDevice(rect);
  const double rx = w / 2.0 * dpiX_ / 1000.0, ry = h / 2.0 * dpiY_ / 1000.0;
  Paint([&](QPainter& p) { p.drawRoundedRect(r, rx, ry); });
}

void QtSurface::Ellipse(const LogicalRect& rect) {
  const QRectF r = ToDevice(rect);
  Paint([&](QPainter& p) { p.drawEllipse(r); });
}

void QtSurface::DrawImage(const LogicalRect& rect, std::string_view bytes) {
  QImage image;
  if (bytes.size() > static_cast<std::size_t>(INT_MAX) ||
      !image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
    return;
  const QRectF r = ToDevice(rect).normalized();
  Paint([&](QPainter& p) { p.drawImage(r, image); });
}

void QtSurface::FillRect(const LogicalRect& rect, Colour colour) {
  const QRectF r = ToDevice(rect);
  const QColor c = ToQColor(colour);
  Paint([&](QPainter& p) { p.fillRect(r, c); });
}

Colour QtSurface::PixelAt(LogicalPoint point) {
  QImage* image = Raster();
  if (!image) return 0xFFFFFF;
  const double scale = shadow_ ? shadowScale_ : 1.0;
  const QPoint at = (ToDevice(point) * scale).toPoint();
  if (!image->rect().contains(at)) return 0xFFFFFF;
  const QRgb rgb = image->pixel(at);
  return static_cast<Colour>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

void QtSurface::FloodFill(LogicalPoint point, Colour surfaceColour, Colour fill) {
  QImage* image = Raster();
  if (!image) return;
  const double scale = shadow_ ? shadowScale_ : 1.0;
  const QPoint start = (ToDevice(point) * scale).toPoint();
  if (!image->rect().contains(start)) return;
  const QRgb target = ToQColor(surfaceColour).rgb() | 0xFF000000u;
  const QRgb paint = ToQColor(fill).rgb() | 0xFF000000u;
  if (target == paint) return;
  // Scanline fill over the raster; the filled spans also make the region
  // painted on a vector device.
  QRegion region;
  std::vector<QPoint> stack{start};
  const int w = image->width(), h = image->height();
  while (!stack.empty()) {
    QPoint p = stack.back();
    stack.pop_back();
    if ((image->pixel(p) | 0xFF000000u) != target) continue;
    int left = p.x(), right = p.x();
    while (left > 0 && (image->pixel(left - 1, p.y()) | 0xFF000000u) == target) --left;
    while (right + 1 < w && (image->pixel(right + 1, p.y()) | 0xFF000000u) == target) ++right;
    for (int x = left; x <= right; ++x) image->setPixel(x, p.y(), paint);
    if (shadow_) region += QRect(left, p.y(), right - left + 1, 1);
    for (int dy : {-1, 1}) {
      const int y = p.y() + dy;
      if (y < 0 || y >= h) continue;
      for (int x = left; x <= right; ++x)
        if ((image->pixel(x, y) | 0xFF000000u) == target) {
          stack.emplace_back(x, y);
          while (x <= right && (image->pixel(x, y) | 0xFF000000u) == target) ++x;
        }
    }
  }
  if (shadow_ && !region.isEmpty()) {
    painter_.save();
    painter_.scale(1.0 / shadowScale_, 1.0 / shadowScale_);
    for (const QRect& r : region) painter_.fillRect(r, ToQColor(fill));
    painter_.restore();
  }
}

void QtSurface::TextOut(LogicalPoint point, std::string_view text) {
  const QString s = ToQString(text);
  const QPointF at = ToDevice(point);
  const QtFontCache::Shaped& shaped = fonts_->Shape(Font(), s, painter_.device());
  Paint([&](QPainter& p) {
    ApplyText(p);
    if (&p == &painter_) painterFont_ = state_.font;
    // Drawn from glyph runs shaped once per job; an opaque background
    // fills the text's box first, as drawText does.
    const auto draw = [&](QPointF topLeft) {
      if (state_.opaque) p.fillRect(QRectF(topLeft, shaped.box), state_.background);
      for (const QGlyphRun& run : shaped.runs) p.drawGlyphRun(topLeft, run);
    };
    if (state_.escapement % 3600 == 0) {
      draw(at);
      return;
    }
    // Turned so that the text fills the rectangle the extent table gives:
    // 2700 runs up from the anchor with the glyphs to its right, 900 runs
    // down with them to its left.
    const QTransform before = p.worldTransform();
    // (drawText: glyph runs under a rotation land beside their place.)
    p.translate(at);
    p.rotate(state_.escapement / 10.0);
    p.drawText(QPointF(0, Font().metrics.ascent()), s);
    p.setWorldTransform(before);
  });
}

TextExtent QtSurface::MeasureText(std::string_view text) {
  const QFontMetricsF& metrics = Font().metrics;
  const double width = fonts_->Shape(Font(), ToQString(text), painter_.device()).advance;
  return {static_cast<std::int32_t>(width * 1000.0 / dpiX_ + 0.5),
          text.empty() ? 0 : static_cast<std::int32_t>(metrics.height() * 1000.0 / dpiY_ + 0.5)};
}

void QtSurface::DrawTextInRect(std::string_view text, const LogicalRect& rect, int format) {
  int flags = (format & TextRight) ? Qt::AlignRight : (format & TextCentre) ? Qt::AlignHCenter : Qt::AlignLeft;
  flags |= (format & TextVerticalCentre) ? Qt::AlignVCenter : Qt::AlignTop;
  if (format & TextWordBreak) flags |= Qt::TextWordWrap;
  if (format & TextSingleLine) flags |= Qt::TextSingleLine;
  if (format & TextExpandTabs) flags |= Qt::TextExpandTabs;
  QString s = ToQString(text);
  s.remove(QChar('\r'));
  const QRectF r = ToDevice(rect);
  Font();
  Paint([&](QPainter& p) {
    p.save();
    ApplyText(p);
    p.setClipRect(r);
    p.drawText(r, flags, s);
    p.restore();
  });
}

LogicalRect QtSurface::EnlargeByOnePixel(const LogicalRect& r) {
  const auto pxX = static_cast<std::int32_t>(1000.0 / dpiX_ + 0.5), pxY = static_cast<std::int32_t>(1000.0 / dpiY_ + 0.5);
  return {r.left, r.top, r.right + pxX, r.bottom - pxY};
}

void QtSurface::Translate(std::int32_t dx, std::int32_t dy) {
  origin_ += QPointF(dx * dpiX_ / 1000.0, -dy * dpiY_ / 1000.0);
}

}  // namespace tevra
