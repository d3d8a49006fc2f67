#include "import/dbase_file.h"

#include "core/file_io.h"

#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "core/text.h"

namespace tevra {
namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr char kFieldEnd = 0x0D;

std::uint32_t Get32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Get16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void Put32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
void Put16(unsigned char* p, std::uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}

bool ReadAt(std::FILE* f, long offset, void* buffer, std::size_t size) {
  return std::fseek(f, offset, SEEK_SET) == 0 && std::fread(buffer, 1, size, f) == size;
}
bool WriteAt(std::FILE* f, long offset, const void* buffer, std::size_t size) {
  return std::fseek(f, offset, SEEK_SET) == 0 && std::fwrite(buffer, 1, size, f) == size;
}

}  // namespace

DbfOpenResult DbfEngine::DbfOpen(const std::string& path, bool writable) {
  DbfClose();
  std::FILE* f = OpenRegularFile(path, writable ? "r+b" : "rb").release();
  if (!f) return DbfOpenResult::CannotOpen;
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(f);
    return DbfOpenResult::CannotOpen;
  }
  const std::size_t fileSize = static_cast<std::size_t>(st.st_size);
  unsigned char header[kHeaderSize];
  auto bad = [&] {
    std::fclose(f);
    return DbfOpenResult::BadFormat;
  };
  if (!ReadAt(f, 0, header, sizeof header)) return bad();
  if (header[0] != 0x03 && header[0] != 0x83) return bad();
  const std::uint32_t count = Get32(header + 4);
  const std::size_t headerLength = Get16(header + 8);
  const std::size_t recordLength = Get16(header + 10);
  if (headerLength < kHeaderSize + kDescriptorSize + 1 || headerLength > fileSize || recordLength < 2) return bad();

  // Descriptors up to the 0x0D terminator, at most 32 and within the header.
  std::vector<DbfField> fields;
  std::size_t offset = 0;
  for (std::size_t pos = kHeaderSize; fields.size() < kDbfMaxFields; pos += kDescriptorSize) {
    unsigned char d[kDescriptorSize];
    if (pos >= headerLength || !ReadAt(f, static_cast<long>(pos), d, 1)) return bad();
    if (d[0] == kFieldEnd) break;
    if (pos + kDescriptorSize > headerLength || !ReadAt(f, static_cast<long>(pos), d, kDescriptorSize)) return bad();
    DbfField field;
    field.name.assign(reinterpret_cast<const char*>(d), strnlen(reinterpret_cast<const char*>(d), 11));
    field.length = d[16];
    field.offset = offset;
    offset += field.length;
    fields.push_back(std::move(field));
  }
  if (fields.empty() || 1 + offset != recordLength) return bad();

  file_ = f;
  fields_ = std::move(fields);
  headerLength_ = headerLength;
  recordLength_ = recordLength;
  // Believe the record count only as far as the file goes.
  count_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, (fileSize - headerLength) / recordLength));
  record_.assign(recordLength_, ' ');
  current_ = 0;
  loaded_ = false;
  changed_ = false;
  countChanged_ = false;
  return DbfOpenResult::Ok;
}

bool DbfEngine::DbfCreate(const std::string& path, const std::vector<std::string>& names,
                          const std::vector<std::size_t>& lengths) {
  DbfClose();
  const std::size_t n = std::min({names.size(), lengths.size(), kDbfMaxFields});
  if (n == 0) return false;
  std::size_t recordLength = 1;
  for (std::size_t i = 0; i < n; ++i) recordLength += std::min<std::size_t>(lengths[i], 255);
  if (recordLength > 0xFFFF) return false;
  const std::size_t headerLength = kHeaderSize + kDescriptorSize * n + 1;

  std::vector<unsigned char> header(headerLength, 0);
  header[0] = 0x03;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  header[1] = static_cast<unsigned char>(local.tm_year % 100);
  header[2] = static_cast<unsigned char>(local.tm_mon + 1);
  header[3] = static_cast<unsigned char>(local.tm_mday);
  Put32(&header[4], 0);
  Put16(&header[8], static_cast<std::uint16_t>(headerLength));
  Put16(&header[10], static_cast<std::uint16_t>(recordLength));
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char* d = &header[kHeaderSize + kDescriptorSize * i];
    std::memcpy(d, names[i].data(), std::min<std::size_t>(names[i].size(), 10));
    d[11] = 'C';
    d[16] = static_cast<unsigned char>(std::min<std::size_t>(lengths[i], 255));
  }
  header[headerLength - 1] = kFieldEnd;

  std::FILE* f = std::fopen(path.c_str(), "w+b");
  if (!f) return false;
  if (std::fwrite(header.data(), 1, header.size(), f) != header.size()) {
    std::fclose(f);
    return false;
  }
  std::fflush(f);
  std::fclose(f);
  return DbfOpen(path, true) == DbfOpenResult::Ok;
}

bool DbfEngine::DbfSeek(std::size_t index) {
  if (!file_) return false;
  if (changed_ && !DbfFlush()) return false;
  current_ = index;
  loaded_ = true;
  if (index >= count_) {
    std::fill(record_.begin(), record_.end(), ' ');
    return true;
  }
  return ReadAt(file_, static_cast<long>(headerLength_ + index * recordLength_), record_.data(), recordLength_);
}

bool DbfEngine::DbfIsLive() const { return loaded_ && record_[0] == ' '; }

std::string DbfEngine::DbfFieldText(std::size_t field) const {
  if (!loaded_ || field >= fields_.size()) return {};
  const char* start = record_.data() + 1 + fields_[field].offset;
  const std::size_t len = strnlen(start, std::min(fields_[field].length, kDbfFieldTextMax));
  return std::string(start, len);
}

std::string DbfEngine::DbfRecordText() const {
  std::string text;
  if (!loaded_) return text;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    std::string field = DbfFieldText(i);
    if (text.size() + field.size() + 1 > kDbfRecordTextMax - 1) break;
    text += field;
    text.push_back('\x1E');
  }
  return text;
}

void DbfEngine::DbfSetField(std::size_t field, std::string_view text) {
  if (!loaded_ || field >= fields_.size()) return;
  const DbfField& f = fields_[field];
  const std::string_view kept = PrefixOfChars(text, f.length);
  char* start = record_.data() + 1 + f.offset;
  std::memcpy(start, kept.data(), kept.size());
  std::memset(start + kept.size(), ' ', f.length - kept.size());
  changed_ = true;
}

bool DbfEngine::DbfFlush() {
  if (!file_ || !changed_) return true;
  if (!WriteAt(file_, static_cast<long>(headerLength_ + current_ * recordLength_), record_.data(), recordLength_))
    return false;
  changed_ = false;
  if (current_ >= count_) {
    count_ = static_cast<std::uint32_t>(current_ + 1);
    countChanged_ = true;
  }
  return std::fflush(file_) == 0;
}

bool DbfEngine::DbfClose() {
  if (!file_) return true;
  bool ok = DbfFlush();
  if (countChanged_) {
    unsigned char count[4];
    Put32(count, count_);
    ok = WriteAt(file_, 4, count, sizeof count) && ok;
  }
  // Written records reach the disk before the file counts as closed.
  ok = std::fflush(file_) == 0 && ::fsync(fileno(file_)) == 0 && ok;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  fields_.clear();
  loaded_ = changed_ = countChanged_ = false;
  count_ = 0;
  return ok;
}

}  // namespace tevra
