// Shared by the reader fuzz targets: reads every record a reader yields and
// checks that each stays a well-formed record.
#pragma once

#include <cstdlib>

#include "core/qso_record.h"
#include "import/record_source.h"

namespace tevra::fuzz {

inline void Drain(RecordSource& reader, std::size_t maxRecords) {
  QsoRecord record;
  std::size_t n = 0;
  for (RecordSource::Step step; (step = reader.Next(record)) != RecordSource::Step::End;) {
    if (++n > maxRecords) std::abort();  // more records than the input could hold
    if (step != RecordSource::Step::Record) continue;
    if (FieldText(record.Call).size() >= sizeof record.Call || FieldText(record.Remarks).size() >= sizeof record.Remarks)
      std::abort();
    // The byte form of the first records round-trips (checking every one
    // would take most of the run).
    if (n <= 8 && !(FromBytes(ToBytes(record)) == record)) std::abort();
  }
}

}  // namespace tevra::fuzz
