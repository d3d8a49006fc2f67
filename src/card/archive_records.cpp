#include "card/archive_records.h"

#include <algorithm>
#include <cstring>

namespace tevra {

void WriteRect(ArchiveWriter& out, const LogicalRect& r) {
  out.Int(r.left);
  out.Int(r.top);
  out.Int(r.right);
  out.Int(r.bottom);
}

std::int32_t ClampCoordinate(std::int32_t value) { return std::clamp(value, -kCoordinateMax, kCoordinateMax); }

bool ReadRect(ArchiveReader& in, LogicalRect& r) {
  LogicalRect read;
  if (!in.Int(read.left) || !in.Int(read.top) || !in.Int(read.right) || !in.Int(read.bottom)) return false;
  r = {ClampCoordinate(read.left), ClampCoordinate(read.top), ClampCoordinate(read.right),
       ClampCoordinate(read.bottom)};
  return true;
}

void WritePen(ArchiveWriter& out, const PenRecord& p) {
  out.Int(p.style);
  out.Int(p.widthX);
  out.Int(p.widthY);
  out.Dword(p.colour);
}

bool ReadPen(ArchiveReader& in, PenRecord& p) {
  PenRecord read;
  if (!in.Int(read.style) || !in.Int(read.widthX) || !in.Int(read.widthY) || !in.Dword(read.colour)) return false;
  p = read;
  return true;
}

void WriteFont(ArchiveWriter& out, const FontRecord& f) {
  for (std::int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight}) out.Int(v);
  for (std::uint8_t b : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality,
                         f.pitchAndFamily})
    out.Byte(b);
  out.Bytes(std::string_view(f.faceName, sizeof f.faceName));
}

bool ReadFont(ArchiveReader& in, FontRecord& f) {
  FontRecord read;
  std::int32_t* ints[] = {&read.height, &read.width, &read.escapement, &read.orientation, &read.weight};
  for (std::int32_t* v : ints)
    if (!in.Int(*v)) return false;
  std::uint8_t* bytes[] = {&read.italic,       &read.underline,     &read.strikeOut, &read.charSet,
                           &read.outPrecision, &read.clipPrecision, &read.quality,   &read.pitchAndFamily};
  for (std::uint8_t* b : bytes)
    if (!in.Byte(*b)) return false;
  std::string_view face;
  if (!in.Bytes(sizeof read.faceName, face)) return false;
  std::memcpy(read.faceName, face.data(), sizeof read.faceName);
  read.faceName[sizeof read.faceName - 1] = '\0';  // a stored name may lack its terminator
  f = read;
  return true;
}

void WriteTable(ArchiveWriter& out, const ConditionTable& table) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& row : table.Rows()) pairs.emplace_back(row.Condition, row.Text);
  out.Pairs(pairs);
}

bool ReadTable(ArchiveReader& in, ConditionTable& table) {
  std::vector<std::pair<std::string, std::string>> pairs;
  if (!in.Pairs(pairs)) return false;
  table = ConditionTable{};
  for (auto& [condition, text] : pairs) table.Rows().push_back({std::move(condition), std::move(text)});
  return true;
}

}  // namespace tevra
