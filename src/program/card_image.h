// A card rendered onto an image or into a PDF, for looking at and printing
// elsewhere.
#pragma once

#include <QImage>
#include <QString>

#include "card/document_settings.h"
#include "card/layout_item_list.h"
#include "card/render_context.h"
#include "platform/printer.h"

namespace tevra {

// The whole paper at dpi, white, with the card at its place.
QImage RenderCardImage(LayoutItemList& items, const DocumentSettings& settings, const PrinterMetrics& metrics,
                       RenderContext& context, int dpi);
// The card alone, as big as the card (no paper around it), white, at dpi.
QImage RenderCardAlone(LayoutItemList& items, const DocumentSettings& settings, const PrinterMetrics& metrics,
                       RenderContext& context, int dpi);
// The card alone scaled to fit a square of size pixels (a thumbnail).
QImage RenderCardThumbnail(LayoutItemList& items, const DocumentSettings& settings, const PrinterMetrics& metrics,
                           RenderContext& context, int size);
// One page per card, as the merge print lays it out; false when the file
// cannot be written.
bool WriteCardPdf(const QString& path, LayoutItemList& items, const DocumentSettings& settings,
                  const PrinterMetrics& metrics, RenderContext& context, int dpi, int pages);

}  // namespace tevra
