#include "import/mft_file.h"

#include "core/file_io.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/archive.h"

namespace tevra {
namespace {
// Far more than any setting file; a longer file is not one of ours.
constexpr std::size_t kMftMaxBytes = 1 << 20;
}  // namespace

std::string EncodeMft(const RecordLayout& layout, const QsoRecord& defaultQso) {
  ArchiveWriter out;
  out.Bytes(kMftMagic);
  out.Byte(0);
  out.Int(layout.utc ? 1 : 0);
  for (const std::string& formula : layout.columns) out.Str(formula);
  out.Int(layout.separatorType);
  const QsoRecordBytes record = ToBytes(defaultQso);
  out.Bytes(std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
  return out.Data();
}

bool DecodeMft(std::string_view bytes, RecordLayout& layout, QsoRecord& defaultQso) {
  ArchiveReader in(bytes);
  std::string_view magic;
  if (!in.Bytes(kMftMagic.size() + 1, magic)) return false;
  // The magic is compared as text up to its first NUL.
  const std::string_view text = magic.substr(0, magic.find('\0'));
  if (text != kMftMagic.substr(0, kMftMagic.find('\0'))) return false;

  RecordLayout read;
  std::int32_t utc = 0, delimiter = 0;
  if (!in.Int(utc)) return false;
  for (std::string& formula : read.columns)
    if (!in.Str(formula)) return false;
  std::string_view record;
  if (!in.Int(delimiter) || !in.Bytes(kQsoRecordSize, record)) return false;
  read.utc = utc != 0;
  read.separatorType = delimiter >= 0 && delimiter <= 4 ? delimiter : 0;
  layout = std::move(read);
  defaultQso = FromBytes(std::span<const std::uint8_t, kQsoRecordSize>(
      reinterpret_cast<const std::uint8_t*>(record.data()), kQsoRecordSize));
  return true;
}

MftResult ReadMftFile(const std::string& path, RecordLayout& layout, QsoRecord& defaultQso) {
  std::string bytes;
  switch (ReadRegularFile(path, bytes, kMftMaxBytes)) {
    case FileReadResult::Ok: break;
    case FileReadResult::TooLarge: return MftResult::BadFormat;
    default: return MftResult::CannotOpen;
  }
  return DecodeMft(bytes, layout, defaultQso) ? MftResult::Ok : MftResult::BadFormat;
}

bool WriteMftFile(const std::string& path, const RecordLayout& layout, const QsoRecord& defaultQso) {
  const std::string bytes = EncodeMft(layout, defaultQso);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out.good();
}

}  // namespace tevra
