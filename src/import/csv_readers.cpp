#include "import/csv_readers.h"

#include "import/record_fingerprint.h"

namespace tevra {

std::vector<std::string> ReadCsvSamples(std::FILE* file, TextEncoding encoding) {
  LineReader lines(file, kCsvLineMax);
  std::vector<std::string> samples;
  std::string line;
  while (samples.size() < kSampleCount && lines.Next(line)) samples.push_back(FieldToCp932(line, encoding));
  return samples;
}

CsvTextReader::CsvTextReader(std::FILE* file, const RecordLayout& layout, QsoRecord& defaultQso, int skipCount,
                             TextEncoding encoding)
    : lines_(file, kCsvLineMax),
      layout_(layout),
      defaultQso_(defaultQso),
      columnCount_(ColumnCount(layout.columns)),
      toSkip_(skipCount),
      encoding_(encoding) {}

RecordSource::Step CsvTextReader::Next(QsoRecord& record) {
  if (!lines_.Next(line_)) return Step::End;
  if (toSkip_ > 0) {
    --toSkip_;
    return Step::Skipped;
  }
  if (encoding_ != TextEncoding::Cp932) line_ = FieldToCp932(line_, encoding_);
  ParseRecordLine(record, line_, columnCount_, layout_, defaultQso_);
  return Step::Record;
}

bool CsvTextReader::Accepts(const QsoRecord& record) const { return record.Call[0] != '\0'; }

DbfRecordReader::DbfRecordReader(DbfEngine& engine, const RecordLayout& layout, QsoRecord& defaultQso,
                                 int skipCount)
    : engine_(engine),
      layout_(layout),
      defaultQso_(defaultQso),
      columnCount_(ColumnCount(layout.columns)),
      first_(static_cast<std::size_t>(skipCount < 0 ? 0 : skipCount)),
      next_(first_) {}

std::uint64_t DbfFingerprint(const DbfEngine& engine, std::optional<std::size_t> sendField) {
  // A record another program deleted is not the record that was loaded.
  std::uint64_t h = FingerprintBytes(engine.DbfIsLive() ? "live" : "deleted");
  for (std::size_t i = 0; i < engine.Fields().size(); ++i) {
    if (sendField && i == *sendField) continue;
    h = FingerprintBytes(engine.DbfFieldText(i), h ^ (i + 1));
  }
  return h;
}

std::optional<std::size_t> SendColumn(const RecordLayout& layout) {
  for (std::size_t i = 0; i < layout.columns.size(); ++i)
    if (layout.columns[i] == "SEND") return i;
  return std::nullopt;
}

RecordSource::Step DbfRecordReader::Next(QsoRecord& record) {
  if (failed_ || next_ >= engine_.RecordCount()) return Step::End;
  if (!engine_.DbfSeek(next_++)) {
    failed_ = true;
    return Step::End;
  }
  if (!engine_.DbfIsLive()) return Step::Skipped;
  fingerprint_ = DbfFingerprint(engine_, SendColumn(layout_));
  ParseRecordLine(record, engine_.DbfRecordText(), columnCount_, layout_, defaultQso_);
  return Step::Record;
}

bool DbfRecordReader::Accepts(const QsoRecord& record) const { return record.Call[0] != '\0'; }

}  // namespace tevra
