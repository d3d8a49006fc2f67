// The records of the layout file's encoding: rect (four ints), pen (style,
// width x, width y, colour), the 60-byte font record and condition tables.
#pragma once

#include "core/archive.h"
#include "merge/tables.h"
#include "platform/drawing_types.h"

namespace tevra {

void WriteRect(ArchiveWriter& out, const LogicalRect& rect);
bool ReadRect(ArchiveReader& in, LogicalRect& rect);
void WritePen(ArchiveWriter& out, const PenRecord& pen);
bool ReadPen(ArchiveReader& in, PenRecord& pen);
void WriteFont(ArchiveWriter& out, const FontRecord& font);
bool ReadFont(ArchiveReader& in, FontRecord& font);
// A condition table as pairs: (condition, text) per row.
void WriteTable(ArchiveWriter& out, const ConditionTable& table);
bool ReadTable(ArchiveReader& in, ConditionTable& table);

}  // namespace tevra
