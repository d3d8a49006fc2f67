// The commands that rearrange or convert the selection without the mouse:
// centring, the JARL position, aligning, distributing, scaling, moving by
// a typed amount, grouping and converting between item kinds. Each has an
// enabling rule; each answers whether it changed the layout.
#pragma once

#include <optional>
#include <vector>

#include <cstdint>
#include <string_view>

#include "card/layout_document.h"
#include "platform/printer.h"

namespace tevra {

class Ui;

enum class Align { Top, Middle, Bottom, Left, Centre, Right };

namespace arrange {

bool HasSelection(const LayoutDocument& doc);
bool IsMulti(const LayoutDocument& doc);

// On the paper (or on the label of a tack-seal sheet).
bool CentreHorizontally(LayoutDocument& doc, const PrinterMetrics& metrics);
bool CentreVertically(LayoutDocument& doc, const PrinterMetrics& metrics);

// The transfer frame 9.0 mm and 11.0 mm from the paper's edges.
bool CanPlaceJarl(const LayoutDocument& doc);
bool PlaceJarl(LayoutDocument& doc, const PrinterMetrics& metrics);

bool AlignSelection(LayoutDocument& doc, Align how);
bool CanDistribute(const LayoutDocument& doc);
bool DistributeHorizontally(LayoutDocument& doc);
bool DistributeVertically(LayoutDocument& doc);

bool CanScale(const LayoutDocument& doc);
bool Scale(LayoutDocument& doc, std::int32_t num, std::int32_t den);
// "任意": a whole number 1..32766 scales by p/100; other input does nothing.
bool ScaleByPercentText(LayoutDocument& doc, std::string_view text);

// dy > 0 moves up.
bool MoveBy(LayoutDocument& doc, std::int32_t dx, std::int32_t dy);

// Where an image of width × height (1/1000 inch) goes when it is pasted or
// dropped: its top left corner at the pointer when the pointer is over the
// card, else centred in the part of the card in view; scaled down, keeping
// its shape, to fit the card when it is larger. card and visible run from
// top left to bottom right (y falls downwards).
LogicalRect PlaceInsertedImage(std::int32_t width, std::int32_t height, const LogicalRect& card,
                               const LogicalRect& visible, std::optional<LogicalPoint> pointer);

// An item wholly outside the card, and the point of the card's edge nearest
// to it, where the view marks it so that it can be found and selected.
struct OffCardMarker {
  CardItem* item;
  LogicalPoint at;
};
std::vector<OffCardMarker> OffCardMarkers(const LayoutItemList& items, const LogicalRect& card);

// Pasted items (the list's items from first on) that lie exactly on an
// earlier item of the same kind (their original, or a copy pasted before)
// move together by one grid step (2 mm without a grid) to the lower right,
// as often as it takes to lie on none; true when they moved.
bool OffsetPastedCopies(LayoutDocument& doc, std::size_t first);

bool CanGroup(const LayoutDocument& doc);
bool Group(LayoutDocument& doc);
bool CanUngroup(const LayoutDocument& doc);
bool Ungroup(LayoutDocument& doc);

// The six conversions: to a string, text box, data mark, box, round box or
// ellipse. ui answers whether a data mark's table becomes an "@if" block.
bool CanConvert(const LayoutDocument& doc, ItemType to);
bool Convert(LayoutDocument& doc, ItemType to, Ui& ui);

// "先頭" and "末尾": the item moves, then nothing is selected.
bool CanMoveToHead(const LayoutDocument& doc);
bool CanMoveToEnd(const LayoutDocument& doc);
bool MoveToHead(LayoutDocument& doc);
bool MoveToEnd(LayoutDocument& doc);

}  // namespace arrange
}  // namespace tevra
