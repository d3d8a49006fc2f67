#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "import/adif_reader.h"
#include "reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tevra::AdifReader reader(bytes);
  tevra::fuzz::Drain(reader, size / 5 + 1);  // "<EOR>" is five bytes
  // What a load that found nothing says of the file, whatever the file.
  if (reader.WhatWasSeen().size() > 200) std::abort();
  // The write-back's view of the same file: every record marked in place.
  tevra::AdifReader spans(bytes, tevra::TextEncoding::Utf8);
  tevra::QsoRecord record;
  while (spans.Next(record) != tevra::RecordSource::Step::End) {
    const tevra::RecordSpan& span = spans.Span();
    if (span.start > span.end || span.end > size) std::abort();
    const std::string marked = tevra::MarkAdifRecord(bytes, span, 'Y', "20261208");
    if (marked.find("<QSL_SENT:1>Y") == std::string::npos) std::abort();
  }
  return 0;
}
