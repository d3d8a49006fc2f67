// Arbitrary bytes as clipboard data pasted into a document; what pastes
// must copy out again and paste to the same items.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "card/layout_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::LayoutDocument doc;
  if (!tevra::PasteNative(doc, std::string_view(reinterpret_cast<const char*>(data), size))) {
    if (doc.Items.Count() != 0 || !doc.Objects.empty()) std::abort();
    return 0;
  }
  const std::string copied = tevra::CopySelection(doc);
  tevra::LayoutDocument again;
  if (!tevra::PasteNative(again, copied) || again.Items.Count() != doc.Items.Count()) std::abort();
  if (tevra::CopySelection(again) != copied) std::abort();
  return 0;
}
