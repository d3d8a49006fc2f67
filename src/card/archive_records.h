// The drawing records in the layout file's encoding: rect (four ints), pen
// (style, width x, width y, colour) and the 60-byte font record.
#pragma once

#include "core/archive.h"
#include "platform/drawing_types.h"

namespace tevra {

void WriteRect(ArchiveWriter& out, const LogicalRect& rect);
bool ReadRect(ArchiveReader& in, LogicalRect& rect);
void WritePen(ArchiveWriter& out, const PenRecord& pen);
bool ReadPen(ArchiveReader& in, PenRecord& pen);
void WriteFont(ArchiveWriter& out, const FontRecord& font);
bool ReadFont(ArchiveReader& in, FontRecord& font);

}  // namespace tevra
