// KUVAL text logs: one QSO per line, comma-separated, positions are 1-based
// line numbers.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/line_reader.h"
#include "import/record_source.h"

namespace tevra {

// Bytes kept of each line.
inline constexpr std::size_t kKuvalLineMax = 511;

// Parses one line into record (which is reset first). False when the date
// does not give three numbers or the time two.
bool ParseKuvalLine(std::string_view line, QsoRecord& record);
// The same, building the remarks in `scratch` (kept between calls to save
// allocations).
bool ParseKuvalLine(std::string_view line, QsoRecord& record, std::string& scratch);

class KuvalTextReader : public RecordSource {
 public:
  explicit KuvalTextReader(std::FILE* file) : lines_(file, kKuvalLineMax) {}
  Step Next(QsoRecord& record) override;
  bool Failed() const override { return lines_.Failed(); }

 private:
  LineReader lines_;
  std::string line_;
  std::string remarks_;
};

}  // namespace tevra
