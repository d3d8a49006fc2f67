// Painting a whole card: the print origin, the grid, every item in list
// order and, on the screen, the selection; and the printable-area mask.
#pragma once

#include <vector>

#include "card/document_settings.h"
#include "card/layout_item_list.h"
#include "card/render_context.h"
#include "platform/printer.h"
#include "platform/surface.h"

namespace tevra {

// The card's origin on a printer page for tack-seal cell (column, row).
LogicalPoint PrintOrigin(const DocumentSettings& settings, int column, int row);
// Grid extent: the card size, or the printable area while it is automatic.
LogicalPoint GridExtent(const DocumentSettings& settings, const PrinterMetrics& metrics);
void DrawGrid(Surface& surface, const DocumentSettings& settings, const PrinterMetrics& metrics);
// The unprintable margins of the paper, in card coordinates: top, left,
// right and bottom strips.
std::vector<LogicalRect> MaskStrips(const DocumentSettings& settings, const PrinterMetrics& metrics);

struct RenderCardOptions {
  int column = 0;
  int row = 0;
  // A printed card shows the grid too (test prints, prints without a log).
  bool printGrid = false;
  // The editor's view: the selection marks on top.
  bool selection = false;
};

void RenderCard(Surface& surface, LayoutItemList& items, const DocumentSettings& settings,
                const PrinterMetrics& metrics, RenderContext& context, const RenderCardOptions& options = {});

}  // namespace tevra
