// Runs every tokenizer over arbitrary bytes. The first byte picks the
// separator and the key length; the rest is the text.
#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <string>

#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char sep = static_cast<char>(data[0]);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  using namespace tevra;

  std::string dst;
  std::string_view rest = text;
  while (!rest.empty()) {
    std::string_view before = rest;
    SplitField(rest, sep);
    if (rest.size() >= before.size()) std::abort();  // must make progress
  }
  if (CopyToClose(dst, text, sep, 64) && dst.size() > 64) std::abort();
  if (SplitOutsideBrackets(dst, text, sep, 64) && dst.size() > 64) std::abort();
  CopyWord(dst, text);
  CopyUntil(dst, text, sep);
  CopyCallToken(dst, text);

  for (int type = 0; type < 5; ++type) {
    std::string record = text;
    NormaliseSeparators(record, type);
    if (record.size() != text.size()) std::abort();
  }
  std::string escaped = text;
  EscapeLineBreaks(escaped);
  UnescapeLineBreaks(escaped);
  if (escaped.size() > text.size() * 2) std::abort();

  const std::size_t keyLength = std::min<std::size_t>((static_cast<unsigned char>(sep) % 5) + 1, text.size());
  const std::string key = text.substr(0, keyLength);
  if (auto value = FindTaggedItem(text, key); value && value->size() > kTaggedValueMax) std::abort();
  std::string removed = text;
  if (RemoveTaggedItem(removed, key) && removed.size() >= text.size()) std::abort();
  std::string remarks = text.substr(0, 300);
  AppendTaggedItem(key, remarks, text.substr(keyLength));
  if (remarks.size() > 512) std::abort();  // the append keeps a remark within 512
  return 0;
}
