// The records of the layout file's encoding: rect (four ints), pen (style,
// width x, width y, colour), the 60-byte font record and condition tables.
#pragma once

#include "core/archive.h"
#include "merge/tables.h"
#include "platform/drawing_types.h"

namespace tevra {

void WriteRect(ArchiveWriter& out, const LogicalRect& rect);
// Coordinates and lengths read from a file lie within ±kCoordinateMax
// (25 m): far beyond any card, and sums and differences of a few of them
// cannot overflow.
inline constexpr std::int32_t kCoordinateMax = 1'000'000;
std::int32_t ClampCoordinate(std::int32_t value);
bool ReadRect(ArchiveReader& in, LogicalRect& rect);
void WritePen(ArchiveWriter& out, const PenRecord& pen);
bool ReadPen(ArchiveReader& in, PenRecord& pen);
void WriteFont(ArchiveWriter& out, const FontRecord& font);
bool ReadFont(ArchiveReader& in, FontRecord& font);
// A condition table as pairs: (condition, text) per row.
void WriteTable(ArchiveWriter& out, const ConditionTable& table);
bool ReadTable(ArchiveReader& in, ConditionTable& table);

}  // namespace tevra
