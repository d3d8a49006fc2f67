// The records drawing works with: colours, points and rectangles in 1/1000
// inch (y up), the pen record and the 60-byte logical-font record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tevra {

using Colour = std::uint32_t;  // 0x00BBGGRR

struct LogicalPoint {
  std::int32_t x = 0, y = 0;
  bool operator==(const LogicalPoint&) const = default;
};

// Not normalised: a line keeps its two end points, vertical items may have
// bottom above top.
struct LogicalRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const LogicalRect&) const = default;
  // Whether p lies inside, edges included, whatever the order of the edges.
  bool Contains(LogicalPoint p) const;
};

struct PenRecord {
  std::int32_t style = 0;  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 6 inside frame
  std::int32_t widthX = 1;
  std::int32_t widthY = 1;  // always equal to widthX
  Colour colour = 0;
  bool operator==(const PenRecord&) const = default;
};

// The 60-byte logical-font record. Heights and widths are in tenths of the
// logical unit.
struct FontRecord {
  std::int32_t height = -16;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 128;  // Shift-JIS
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  char faceName[32] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";  // "ＭＳ 明朝"
  bool operator==(const FontRecord& other) const;
};
static_assert(sizeof(FontRecord) == 60);
static_assert(offsetof(FontRecord, italic) == 20);
static_assert(offsetof(FontRecord, faceName) == 28);

}  // namespace tevra
