#include "editor/view_status.h"
#include <iterator>
#include <cstdint>
#include <algorithm>

#include <array>
#include <cstdio>

namespace tevra {

int ZoomPercent(int zoom) {
  constexpr std::array<int, kZoomSteps> kPercent = {100, 150, 200, 67};
  return kPercent[static_cast<std::size_t>(zoom >= 0 && zoom < kZoomSteps ? zoom : 0)];
}

ZoomFactor ZoomFactorOf(int zoom) {
  switch (zoom) {
    case 1: return {3, 2};
    case 2: return {2, 1};
    case 3: return {2, 3};
    default: return {1, 1};
  }
}

int NextZoom(int zoom) { return (zoom + 1) % kZoomSteps; }

int ZoomStepOf(ZoomFactor f) {
  for (int step = 0; step < kZoomSteps; ++step) {
    const ZoomFactor s = ZoomFactorOf(step);
    if (std::int64_t{s.num} * f.den == std::int64_t{f.num} * s.den) return step;
  }
  return -1;
}

namespace {
constexpr int kZoomPercents[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 250, 300, 400, 500, 600, 800};
}  // namespace

int ZoomInPercent(int percent) {
  for (int p : kZoomPercents)
    if (p > percent) return p;
  return kZoomMaxPercent;
}

int ZoomOutPercent(int percent) {
  for (auto it = std::rbegin(kZoomPercents); it != std::rend(kZoomPercents); ++it)
    if (*it < percent) return *it;
  return kZoomMinPercent;
}

int FitPercent(ViewExtent extent, int width, int height, double dpiX, double dpiY) {
  if (extent.width <= 0 || extent.height <= 0 || width <= 0 || height <= 0) return 100;
  const double across = width * 100000.0 / (extent.width * dpiX);
  const double down = height * 100000.0 / (extent.height * dpiY);
  return std::clamp(static_cast<int>(std::min(across, down)), kZoomMinPercent, kZoomMaxPercent);
}

LogicalPoint CardOriginOnPaper(const DocumentSettings& s, const PrinterMetrics& m) {
  return {m.offsetX + s.LeftMargin * 100 / 254, m.offsetY + s.TopMargin * 100 / 254};
}

ViewExtent ScrollExtent(const PrinterMetrics& m) { return {m.offsetX + m.paperWidth + 100, m.offsetY + m.paperHeight + 100}; }

std::string ZoomPaneText(int zoom) { return std::to_string(ZoomPercent(zoom)) + "%"; }
std::string ZoomPercentText(int percent) { return std::to_string(percent) + "%"; }

std::string PositionPaneText(LogicalPoint point, const DocumentSettings& settings, const PrinterMetrics& metrics) {
  const LogicalPoint origin = CardOriginOnPaper(settings, metrics);
  const double x = (origin.x + static_cast<double>(point.x)) * 0.0254;
  const double y = (origin.y - static_cast<double>(point.y)) * 0.0254;
  char text[64];
  std::snprintf(text, sizeof text, "X=%5.1f,Y=%5.1f(mm)", x, y);
  return text;
}

std::string ItemsPaneText(std::size_t items) { return "ｱｲﾃﾑ " + std::to_string(items); }

std::string LogPaneText(std::size_t qsos) { return "ﾛｸﾞ " + std::to_string(qsos) + "件"; }

std::string CardsPaneText(std::size_t current, std::size_t cards, std::size_t perSheet) {
  if (cards == 0) return "1/1枚";
  if (perSheet <= 1) return std::to_string(current + 1) + "/" + std::to_string(cards) + "枚";
  return std::to_string((perSheet + current) / perSheet) + "/" + std::to_string((perSheet + cards - 1) / perSheet) +
         "枚";
}

}  // namespace tevra
