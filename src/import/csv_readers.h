// Record sources for logs read through conversion formulas: CSV text lines
// and dBase records.
#pragma once

#include "core/encoding.h"

#include <cstdio>
#include <string>

#include "core/column_keywords.h"
#include "core/line_reader.h"
#include "import/dbase_file.h"
#include "import/record_source.h"

namespace tevra {

// Bytes kept of each CSV line.
inline constexpr std::size_t kCsvLineMax = 1023;
inline constexpr std::size_t kSampleCount = 32;

// Up to 32 lines from the start of the file (the file is left after them).
// The first lines of a CSV file, as CP932.
std::vector<std::string> ReadCsvSamples(std::FILE* file, TextEncoding encoding = TextEncoding::Cp932);

// Lines of a CSV text file; positions are 1-based line numbers. The first
// skipCount lines are passed over; a line without a call is not taken.
class CsvTextReader : public RecordSource {
 public:
  // Lines of a file in `encoding` are read as CP932.
  CsvTextReader(std::FILE* file, const RecordLayout& layout, QsoRecord& defaultQso, int skipCount,
                TextEncoding encoding = TextEncoding::Cp932);
  Step Next(QsoRecord& record) override;
  bool Accepts(const QsoRecord& record) const override;
  bool Failed() const override { return lines_.Failed(); }

 private:
  LineReader lines_;
  const RecordLayout& layout_;
  QsoRecord& defaultQso_;
  int columnCount_;
  int toSkip_;
  TextEncoding encoding_;
  std::string line_;
};

// Records of an open dBase file from skipCount on; positions are 0-based
// record indices; deleted records are passed over.
// The fingerprint of the current dBase record: every field but sendField
// (the column of the "SEND" formula; none: every field).
std::uint64_t DbfFingerprint(const DbfEngine& engine, std::optional<std::size_t> sendField);
// The column of the first formula that is exactly "SEND".
std::optional<std::size_t> SendColumn(const RecordLayout& layout);

class DbfRecordReader : public RecordSource {
 public:
  DbfRecordReader(DbfEngine& engine, const RecordLayout& layout, QsoRecord& defaultQso, int skipCount);
  Step Next(QsoRecord& record) override;
  bool Accepts(const QsoRecord& record) const override;
  bool Failed() const override { return failed_; }
  std::int32_t FirstPosition() const override { return static_cast<std::int32_t>(first_); }
  std::optional<std::uint64_t> Fingerprint() const override { return fingerprint_; }

 private:
  std::uint64_t fingerprint_ = 0;
  DbfEngine& engine_;
  const RecordLayout& layout_;
  QsoRecord& defaultQso_;
  int columnCount_;
  std::size_t first_;
  std::size_t next_;
  bool failed_ = false;
};

}  // namespace tevra
