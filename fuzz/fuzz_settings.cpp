// Arbitrary bytes as a settings file. Whatever the options read from it, the
// file written with them reads back the same after one round.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/settings.h"

namespace {

tevra::ProgramSettings RoundTrip(tevra::Profile& file) {
  tevra::ProgramSettings settings;
  tevra::ReadSettings(file, settings);
  tevra::ReadRecentList(file, "Recent LogFile", settings.load.recentLogs);
  tevra::WriteRecentList(file, "Recent LogFile", settings.load.recentLogs);
  tevra::WriteSettings(file, settings);
  tevra::Profile again;
  again.Parse(file.Text());
  file = again;
  tevra::ProgramSettings read;
  tevra::ReadSettings(file, read);
  tevra::ReadRecentList(file, "Recent LogFile", read.load.recentLogs);
  return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tevra::Profile file;
  file.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const tevra::ProgramSettings first = RoundTrip(file);
  const tevra::ProgramSettings second = RoundTrip(file);
  if (!(tevra::ToIncludedOptions(first) == tevra::ToIncludedOptions(second))) std::abort();
  if (first.printNo != second.printNo || first.load.th5Widths != second.load.th5Widths) std::abort();
  if (first.messages.Entries() != second.messages.Entries()) std::abort();
  if (first.load.recentLogs.Items() != second.load.recentLogs.Items()) std::abort();
  return 0;
}
