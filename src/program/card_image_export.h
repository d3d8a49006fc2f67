// Every card of a print job as a picture file of its own (for QSLs sent by
// e-mail and online albums): the same page loop, merge language, order,
// conditions and numbering as a print, one PNG or JPEG per card (a label
// of a sheet is a card), named by a pattern in the merge language.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/print_output.h"

namespace tevra {

// The default name: call, date, time (JA1ABC_20241103_0930).
inline constexpr const char* kDefaultImageName = "%C_%{YYYY}%{MM}%{DD}_%B";

struct ImageExport {
  std::string folder;                         // UTF-8; made when missing
  std::string format = "png";                 // "png" or "jpg"
  int dpi = 300;                              // 72..600
  std::string namePattern = kDefaultImageName;  // the merge language, UTF-8
  bool overwrite = false;                     // replace files already there
};

// Why the values cannot be used (no folder, a format other than png and
// jpg, a resolution outside 72..600, an empty pattern), or nothing.
std::optional<std::string> ImageExportProblem(const ImageExport& options);

// A file name from an expanded pattern: "/", "\\", ":", "*", "?", "\"",
// "<", ">", "|" and control characters become "-"; blanks and dots at the
// ends go; an empty name is "card".
std::string SafeImageName(std::string_view utf8);

// Draws pages from..to of a prepared job (Begin() called) as one picture per
// card. The pictures are written into a hidden folder inside the target
// folder and moved into place only when every one of them is written and on
// the disk: a failure (a full disk, a folder that cannot be written, a
// name already taken without overwrite, a cancel) leaves the folder as it
// was, and says why. progress(done, total) after every page; returning
// false from it cancels. written: the files now in the folder.
PageLoopResult ExportCardImages(PrintJob& job, Document& doc, const ImageExport& options, int from, int to,
                                const std::function<bool(int, int)>& progress = {},
                                std::vector<std::string>* written = nullptr);

}  // namespace tevra
