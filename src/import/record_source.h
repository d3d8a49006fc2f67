// What the load frame asks of a log reader: one record after another, with
// the positions that the write-back later uses to find them again.
#pragma once

#include <cstdint>
#include <optional>

#include "core/qso_record.h"

namespace tevra {

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
};

}  // namespace tevra
