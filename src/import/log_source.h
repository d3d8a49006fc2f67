// Which reader a log file goes to, and the texts that name log sources.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "log/log_source_type.h"

namespace tevra {

// The open dialog's filter list (UTF-8) and the 0-based position of the
// Cabrillo filter in it.
struct LogFilterList {
  std::string filters;
  int cabrilloFilterIndex = -1;
};

// The filter of one file type (0..10), in the "name|pattern|" form.
std::string_view LogFilterOf(LogSourceType type);

// Builds the open dialog's filters: an entry for the current log's own
// extension first (for types above 9 whose file is not CSV or TXT), then the
// current type's filter, then the others in order.
LogFilterList BuildLogFilterList(LogSourceType currentType, std::string_view currentLogName);

// Reader for a file chosen in the open dialog: any unknown extension is CSV;
// TXT is Cabrillo only when chosen through the Cabrillo filter.
LogSourceType ReaderForChosenFile(std::string_view path, bool cabrilloFilterChosen);

// Reader for a file opened by name; nullopt when the file is not a log (it is
// then opened as a layout document). TXT is always CSV here.
std::optional<LogSourceType> ReaderForNamedFile(std::string_view path);

// The reader a file's content asks for where its extension is shared with
// other programs: a .log or .txt file whose first non-blank line starts
// with "START-OF-LOG:" is Cabrillo, one with "<EOH>" or an ADIF tag is
// ADIF. head: the file's first bytes. Otherwise byExtension.
LogSourceType ReaderForContent(LogSourceType byExtension, std::string_view path, std::string_view head);
// The same, reading the head of the file at path.
LogSourceType ReaderForFile(LogSourceType byExtension, const std::string& path);

// Name of the source in the log list's title (UTF-8).
std::string SourceDisplayName(LogSourceType type, std::string_view currentLogName);

// Formats that carry a QSL-sent mark: their loads continue the print number.
bool CarriesSentMark(LogSourceType type);

// File-name part of a path, and the directory part with its trailing "/".
std::string_view FileNameOf(std::string_view path);
std::string_view DirectoryOf(std::string_view path);

}  // namespace tevra
