// Arbitrary bytes as a settings file. Whatever the options read from it, the
// file written with them reads back the same after one round.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "program/settings.h"

namespace {

void Write(tevra::Profile& file, const tevra::ProgramSettings& settings) {
  tevra::WriteRecentList(file, "Recent LogFile", settings.load.recentLogs);
  tevra::WriteSettings(file, settings);
}

// The options of a file as it was written.
tevra::ProgramSettings ReadWritten(const tevra::Profile& written) {
  tevra::Profile file;
  file.Parse(written.Text());
  tevra::ProgramSettings settings;
  tevra::ReadSettings(file, settings);
  tevra::ReadRecentList(file, "Recent LogFile", settings.load.recentLogs);
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Writing turns a CR inside a value into a blank (a value never spans
  // lines); the input gets that once beforehand, so that one round trip
  // must give back exactly the options read.
  std::string text(reinterpret_cast<const char*>(data), size);
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) text[i] = ' ';
  tevra::Profile file;
  file.Parse(text);
  tevra::ProgramSettings first;
  tevra::ReadSettings(file, first);
  tevra::ReadRecentList(file, "Recent LogFile", first.load.recentLogs);
  Write(file, first);
  const tevra::ProgramSettings second = ReadWritten(file);
  if (!(tevra::ToIncludedOptions(first) == tevra::ToIncludedOptions(second))) std::abort();
  if (first.printNo != second.printNo || first.load.th5Widths != second.load.th5Widths) std::abort();
  if (first.messages.Entries() != second.messages.Entries()) std::abort();
  if (first.load.recentLogs.Items() != second.load.recentLogs.Items()) std::abort();
  if (first.load.encoding != second.load.encoding) std::abort();
  return 0;
}
