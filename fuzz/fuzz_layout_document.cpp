// Arbitrary bytes as a layout file. Whatever loads must save, and the saved
// form must load again and save to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "card/layout_document.h"
#include "core/archive.h"
#include "platform/ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::SilentUi ui;
  tevra::LayoutDocument doc;
  tevra::ArchiveReader in(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!tevra::LoadDocument(doc, in, ui)) return 0;
  tevra::ArchiveWriter first;
  tevra::SaveDocument(doc, first);
  tevra::LayoutDocument again;
  tevra::ArchiveReader reread(first.Data());
  if (!tevra::LoadDocument(again, reread, ui) || reread.Remaining() != 0) std::abort();
  tevra::ArchiveWriter second;
  tevra::SaveDocument(again, second);
  if (second.Data() != first.Data()) std::abort();
  return 0;
}
