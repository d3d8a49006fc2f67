// What the load frame asks of a log reader: one record after another, with
// the positions that the write-back later uses to find them again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/qso_record.h"

namespace tevra {

// Bytes that outlive the reader (a mapped file), so that it need not copy them.
struct BorrowedBytes {
  std::string_view bytes;
};

// The bytes a reader reads: its own copy, or borrowed ones.
class ReaderBytes {
 public:
  ReaderBytes(std::string owned) : owned_(std::move(owned)), view_(owned_) {}  // NOLINT: implicit on purpose
  ReaderBytes(BorrowedBytes borrowed) : view_(borrowed.bytes), borrowed_(true) {}  // NOLINT
  ReaderBytes(ReaderBytes&& other) noexcept
      : owned_(std::move(other.owned_)), view_(other.borrowed_ ? other.view_ : owned_), borrowed_(other.borrowed_) {}
  ReaderBytes(const ReaderBytes&) = delete;
  ReaderBytes& operator=(const ReaderBytes&) = delete;
  ReaderBytes& operator=(ReaderBytes&&) = delete;
  std::string_view View() const { return view_; }

 private:
  std::string owned_;
  std::string_view view_;
  bool borrowed_ = false;
};

class RecordSource {
 public:
  enum class Step { Record, Skipped, End };

  virtual ~RecordSource() = default;
  // Record: `record` holds the next QSO. Skipped: a record that did not
  // parse (its position still counts). End: no more records.
  virtual Step Next(QsoRecord& record) = 0;
  // Whether a record that passed the load condition may be added.
  virtual bool Accepts(const QsoRecord& /*record*/) const { return true; }
  // True when reading stopped on an I/O error rather than at the end.
  virtual bool Failed() const { return false; }
  // Whether the file goes into the recent log list after the load.
  virtual bool RemembersFile() const { return true; }
  virtual std::int32_t FirstPosition() const { return 1; }
  virtual std::int32_t PositionStep() const { return 1; }
  // For logs the write-back changes in place: the fingerprint of the record
  // Next returned last (every byte but its sent field).
  virtual std::optional<std::uint64_t> Fingerprint() const { return std::nullopt; }
  // Records read although the file had damaged them (a record end missing).
  virtual unsigned RecoveredRecords() const { return 0; }
  // How far into its bytes the reader has come: what lies before it will
  // not be read again (a mapped file may give that memory back).
  virtual std::size_t BytesConsumed() const { return 0; }
  // After a load that gave no QSO: what the reader saw of the file instead
  // ("61 lines with ADIF tags, but no CALL field and no <EOR>"); empty when
  // it has nothing better to say than the count of records.
  virtual std::string WhatWasSeen() const { return {}; }
};

// What a load made of a file, for a clear word when records were left out.
struct LoadReport {
  std::size_t records = 0;      // records and lines the reader came to
  std::size_t loaded = 0;
  std::size_t passedOver = 0;   // header lines and lines that hold no QSO
  std::size_t noCall = 0;       // records without a call sign (left out)
  std::size_t noDate = 0;       // loaded QSOs without a readable date
  std::size_t noTime = 0;       // loaded QSOs whose time was impossible
  std::size_t alreadySent = 0;  // left out as already sent (SkipSendMark)
  std::size_t notMatching = 0;  // left out by the load condition
  unsigned recovered = 0;       // records whose end was missing in the file
  std::string seen;             // the reader's word on a file that gave no QSO
};

}  // namespace tevra
