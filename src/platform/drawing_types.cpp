#include "platform/drawing_types.h"

#include <algorithm>
#include <cstring>

namespace tevra {
namespace {
bool Between(std::int32_t v, std::int32_t a, std::int32_t b) { return std::min(a, b) <= v && v <= std::max(a, b); }
}  // namespace

bool LogicalRect::Contains(LogicalPoint p) const { return Between(p.x, left, right) && Between(p.y, top, bottom); }

bool FontRecord::operator==(const FontRecord& o) const {
  return height == o.height && width == o.width && escapement == o.escapement && orientation == o.orientation &&
         weight == o.weight && italic == o.italic && underline == o.underline && strikeOut == o.strikeOut &&
         charSet == o.charSet && outPrecision == o.outPrecision && clipPrecision == o.clipPrecision &&
         quality == o.quality && pitchAndFamily == o.pitchAndFamily &&
         std::strncmp(faceName, o.faceName, sizeof faceName) == 0;
}

}  // namespace tevra
