// What the card view shows beside the card: the zoom steps, the size of
// the scrolled area, and the texts of the status bar's panes.
#pragma once

#include <cstddef>
#include <string>

#include "card/document_settings.h"
#include "platform/drawing_types.h"
#include "platform/printer.h"

namespace tevra {

// Zoom 0..3: 100 %, 150 %, 200 % and two thirds.
inline constexpr int kZoomSteps = 4;
int ZoomPercent(int zoom);
// The zoom as a fraction, for exact scaling.
struct ZoomFactor {
  int num = 1, den = 1;
};
ZoomFactor ZoomFactorOf(int zoom);
int NextZoom(int zoom);
// The step (0..3) a factor is, or -1.
int ZoomStepOf(ZoomFactor factor);

// Zooming in and out goes by these steps, 25 % to 800 %.
inline constexpr int kZoomMinPercent = 25, kZoomMaxPercent = 800;
int ZoomInPercent(int percent);
int ZoomOutPercent(int percent);

// The card origin on the paper, in 1/1000 inch from the paper's top-left
// corner (downwards positive): the printable area's corner plus the margins.
LogicalPoint CardOriginOnPaper(const DocumentSettings& settings, const PrinterMetrics& metrics);

// The scrolled area in 1/1000 inch at 100 %: the printable offset plus the
// paper plus 100 on each axis.
struct ViewExtent {
  int width = 0, height = 0;
};
ViewExtent ScrollExtent(const PrinterMetrics& metrics);
// The largest zoom (%, 25..800) at which extent fits into width × height
// device pixels at dpiX × dpiY.
int FitPercent(ViewExtent extent, int width, int height, double dpiX, double dpiY);

// The pane texts (UTF-8).
std::string ZoomPaneText(int zoom);
std::string ZoomPercentText(int percent);
// point: logical, relative to the card origin (y up).
std::string PositionPaneText(LogicalPoint point, const DocumentSettings& settings, const PrinterMetrics& metrics);
std::string ItemsPaneText(std::size_t items);
std::string LogPaneText(std::size_t qsos);
// current: the current card; perSheet: cards per tack-seal sheet (1 for
// postcards).
std::string CardsPaneText(std::size_t current, std::size_t cards, std::size_t perSheet);

}  // namespace tevra
