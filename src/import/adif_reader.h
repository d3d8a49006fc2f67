// ADIF logs (.adi). Values are read by their counted length wherever the
// line breaks fall; UTF-8 files are recognised and converted to CP932.
#pragma once

#include <string>
#include <string_view>

#include "import/record_source.h"

namespace tevra {

// Whether bytes are UTF-8 text rather than CP932: a byte-order mark, or
// non-ASCII bytes that all form valid UTF-8 sequences.
bool LooksLikeUtf8(std::string_view bytes);

class AdifReader : public RecordSource {
 public:
  // data: the whole file; it must outlive the reader.
  explicit AdifReader(std::string_view data);
  Step Next(QsoRecord& record) override;
  bool Accepts(const QsoRecord& record) const override { return record.Call[0] != '\0'; }
  bool IsUtf8() const { return utf8_; }

 private:
  // The value of a tag with counted length `length` starting at `start`;
  // end receives the position after it.
  std::string_view Value(std::size_t start, std::size_t length, std::size_t& end) const;
  void Apply(std::string_view name, std::string_view value, QsoRecord& record);
  void Deliver(QsoRecord& record);

  std::string_view data_;
  std::size_t pos_ = 0;
  bool utf8_ = false;
  std::string remarks_;
  std::string converted_;
};

}  // namespace tevra
