// ADIF logs (.adi, .adif). Values are read by their counted length wherever
// the line breaks fall; UTF-8 and Latin-1 files are recognised and
// converted to CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "import/record_source.h"
#include "import/text_encoding.h"

namespace tevra {

// Whether bytes are UTF-8 text rather than CP932: a byte-order mark, or
// non-ASCII bytes that all form valid UTF-8 sequences.
bool LooksLikeUtf8(std::string_view bytes);

// The call a QSL_VIA text routes the card to: the first call after "VIA",
// or else the only call of the text. Nothing for "via bureau", "LoTW",
// "PSE SASE 2USD", "via VE3 QSL Bureau" and the like.
std::optional<std::string> QslViaRoute(std::string_view via);
// A word shaped as a call a card can go to: a prefix of one to three
// characters with a letter, one or two digits and one to four letters,
// perhaps with "/" parts; no "-", no mode name.
bool IsRoutingCall(std::string_view word);

// Where a record lies in the file: from its first tag to behind its <EOR>
// (eor: where the <EOR> tag starts; npos for a record without one).
struct RecordSpan {
  std::size_t start = 0;
  std::size_t end = 0;
  std::size_t eor = std::string_view::npos;
  // The QSL_SENT and QSL_SDATE fields, tag and value: [first, second).
  std::optional<std::pair<std::size_t, std::size_t>> sent, sentDate;
};

// The record at span of an ADIF file with its sent mark set: the
// QSL_SENT (and, when date is not empty, QSL_SDATE) fields replaced, or
// added before the <EOR>. Every other byte stays.
std::string MarkAdifRecord(std::string_view file, const RecordSpan& span, char mark, std::string_view date);

class AdifReader : public RecordSource {
 public:
  // data: the whole file; it must outlive the reader. Without an encoding
  // the file's own is detected.
  explicit AdifReader(std::string_view data, std::optional<TextEncoding> encoding = std::nullopt);
  Step Next(QsoRecord& record) override;
  bool Accepts(const QsoRecord& record) const override { return record.Call[0] != '\0'; }
  // Every byte of the record Next returned last.
  std::optional<std::uint64_t> Fingerprint() const override;
  bool IsUtf8() const { return utf8_; }
  TextEncoding Encoding() const { return encoding_; }
  const RecordSpan& Span() const { return span_; }
  // Records that ended without their <EOR> (at a second CALL or the end).
  unsigned RecoveredRecords() const override { return missingEor_; }
  std::string WhatWasSeen() const override;

  std::size_t BytesConsumed() const override { return pos_; }

 private:
  // The value of a tag with counted length `length` starting at `start`;
  // end receives the position after it.
  std::string_view Value(std::size_t start, std::size_t length, std::size_t& end) const;
  void Apply(std::string_view name, std::string_view value, QsoRecord& record);
  void Deliver(QsoRecord& record);

  std::string_view data_;
  std::size_t pos_ = 0;
  TextEncoding encoding_;
  bool utf8_ = false;
  RecordSpan span_;
  unsigned missingEor_ = 0;
  std::string remarks_;
  std::string submode_;
  std::string converted_;
};

}  // namespace tevra
