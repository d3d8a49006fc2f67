// Readers of the binary logs of other logging programs: KUVAL data (.mdt),
// LOG200 (.l2), HAMLOG (.dbs with .DBR) and HAMLOG version 5 (.hdb).
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "import/record_source.h"

namespace tevra {

inline constexpr std::size_t kMdtHeaderSize = 256;
inline constexpr std::size_t kMdtRecordSize = 256;
inline constexpr std::size_t kL2RecordSize = 200;
inline constexpr std::size_t kDbsHeaderSize = 449;
inline constexpr std::size_t kDbsRecordSize = 58;
inline constexpr std::size_t kHdbFieldCount = 17;

// Field widths of HAMLOG version 5 records; positions 9 to 15 (1-based)
// are the "TH5Fields" setting.
using Th5Widths = std::array<std::uint8_t, kHdbFieldCount>;
inline constexpr Th5Widths kDefaultTh5Widths = {8, 12, 4, 2, 6, 6, 3, 2, 3, 3, 7, 4, 12, 28, 54, 54, 0};

// The texts and values the binary readers decode, exposed for tests.
std::string MdtFrequency(int bandCode, int detail);
std::string DbsFrequency(const std::uint8_t packed[4]);

// Reads a whole (regular) file; false when it cannot be read.
bool ReadWholeFile(std::FILE* file, std::string& bytes);

class MdtReader : public RecordSource {
 public:
  // bytes: the whole file.
  explicit MdtReader(ReaderBytes bytes);
  Step Next(QsoRecord& record) override;
  std::int32_t FirstPosition() const override { return static_cast<std::int32_t>(kMdtHeaderSize); }
  std::int32_t PositionStep() const override { return static_cast<std::int32_t>(kMdtRecordSize); }
  std::optional<std::uint64_t> Fingerprint() const override { return fingerprint_; }
  std::size_t RecordCount() const { return count_; }
  std::size_t BytesConsumed() const override { return kMdtHeaderSize + kMdtRecordSize * next_; }

 private:
  ReaderBytes source_;
  std::string_view bytes_;
  std::uint64_t fingerprint_ = 0;
  std::size_t count_ = 0;
  std::size_t next_ = 0;
};

class L2Reader : public RecordSource {
 public:
  explicit L2Reader(ReaderBytes bytes) : source_(std::move(bytes)), bytes_(source_.View()) {}
  Step Next(QsoRecord& record) override;
  std::int32_t FirstPosition() const override { return 0; }
  std::int32_t PositionStep() const override { return static_cast<std::int32_t>(kL2RecordSize); }
  std::optional<std::uint64_t> Fingerprint() const override { return fingerprint_; }
  std::size_t BytesConsumed() const override { return kL2RecordSize * next_; }

 private:
  ReaderBytes source_;
  std::string_view bytes_;
  std::uint64_t fingerprint_ = 0;
  std::size_t next_ = 0;
};

// The header check of a HAMLOG file; false means message 107.
bool DbsHeaderValid(std::string_view bytes);

class DbsReader : public RecordSource {
 public:
  DbsReader(ReaderBytes dbs, ReaderBytes dbr);
  Step Next(QsoRecord& record) override;
  std::size_t BytesConsumed() const override { return kDbsHeaderSize + kDbsRecordSize * next_; }
  std::int32_t FirstPosition() const override { return static_cast<std::int32_t>(kDbsHeaderSize); }
  std::int32_t PositionStep() const override { return static_cast<std::int32_t>(kDbsRecordSize); }
  std::optional<std::uint64_t> Fingerprint() const override { return fingerprint_; }

 private:
  std::uint64_t fingerprint_ = 0;
  ReaderBytes dbsSource_, dbrSource_;
  std::string_view dbs_;
  std::string_view dbr_;
  std::size_t count_ = 0;
  std::size_t next_ = 0;
};

enum class HdbOpenResult { Ok, BadFormat, NoRecords };

// Where the records and fields of a HAMLOG version 5 file are, from its
// header (at least the header's bytes); widths gets the header's widths of
// positions 9 to 15.
struct HdbLayout {
  HdbOpenResult check = HdbOpenResult::BadFormat;
  std::size_t headerLength = 0;
  std::size_t recordLength = 0;
  std::size_t count = 0;  // records the header announces
  std::vector<std::size_t> offsets;  // of each field within a record
  std::vector<std::size_t> widths;
  // The sent character: the second of the 3-character QSL field.
  std::size_t SentOffset() const { return offsets.size() > 6 ? offsets[6] + 1 : 0; }
};
HdbLayout ReadHdbLayout(std::string_view header, Th5Widths& widths);

class HdbReader : public RecordSource {
 public:
  // widths: the working copy of the field widths; the header's widths for
  // positions 9 to 15 are written back into it.
  HdbReader(ReaderBytes bytes, Th5Widths& widths);
  HdbOpenResult Check() const { return check_; }
  Step Next(QsoRecord& record) override;
  std::size_t BytesConsumed() const override { return headerLength_ + recordLength_ * next_; }
  bool Accepts(const QsoRecord& record) const override { return record.Call[0] != '\0'; }
  std::int32_t FirstPosition() const override { return 0; }
  std::optional<std::uint64_t> Fingerprint() const override { return fingerprint_; }

 private:
  ReaderBytes source_;
  std::string_view bytes_;
  HdbOpenResult check_ = HdbOpenResult::BadFormat;
  std::vector<std::size_t> offsets_;  // of each field within a record
  std::vector<std::size_t> widths_;
  std::size_t headerLength_ = 0;
  std::size_t recordLength_ = 0;
  std::size_t count_ = 0;
  std::uint64_t fingerprint_ = 0;
  std::size_t next_ = 0;
};

}  // namespace tevra
