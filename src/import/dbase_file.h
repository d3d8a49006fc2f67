// A small dBase III/IV engine: reads records for conversion, updates fields
// in place for the write-back, and creates files for the export.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tevra {

inline constexpr std::size_t kDbfMaxFields = 32;
inline constexpr std::size_t kDbfRecordTextMax = 8192;
inline constexpr std::size_t kDbfFieldTextMax = 1023;

struct DbfField {
  std::string name;
  std::size_t length = 0;
  std::size_t offset = 0;  // within the record, after the deletion flag
};

enum class DbfOpenResult { Ok, CannotOpen, BadFormat };

class DbfEngine {
 public:
  DbfEngine() = default;
  ~DbfEngine() { DbfClose(); }
  DbfEngine(const DbfEngine&) = delete;
  DbfEngine& operator=(const DbfEngine&) = delete;

  // Opens a file for reading, or for reading and writing. BadFormat for a
  // wrong version byte or lengths that do not fit together.
  DbfOpenResult DbfOpen(const std::string& path, bool writable = false);
  // Creates a file with character fields of the given names and lengths and
  // keeps it open for writing. False when it cannot be created.
  bool DbfCreate(const std::string& path, const std::vector<std::string>& names,
                 const std::vector<std::size_t>& lengths);
  // Makes record `index` current (0-based), writing back a changed record
  // first. A record beyond the last reads as blanks. False on a read error.
  bool DbfSeek(std::size_t index);
  bool DbfIsLive() const;
  // The fields of the current record, each up to its length or a NUL and
  // followed by 0x1E, within 8,192 bytes.
  std::string DbfRecordText() const;
  std::string DbfFieldText(std::size_t field) const;
  // Copies text into the field (cut to its length, blank-padded).
  void DbfSetField(std::size_t field, std::string_view text);
  bool DbfFlush();
  // Flushes, rewrites the record count when it changed, and closes.
  bool DbfClose();

  bool IsOpen() const { return file_ != nullptr; }
  std::uint32_t RecordCount() const { return count_; }
  const std::vector<DbfField>& Fields() const { return fields_; }
  std::size_t CurrentIndex() const { return current_; }

 private:
  std::FILE* file_ = nullptr;
  std::vector<DbfField> fields_;
  std::vector<char> record_;
  std::uint32_t count_ = 0;
  std::size_t headerLength_ = 0;
  std::size_t recordLength_ = 0;
  std::size_t current_ = 0;
  bool loaded_ = false;
  bool changed_ = false;
  bool countChanged_ = false;
};

}  // namespace tevra
