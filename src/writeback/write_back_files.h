// What the write-back's files share: where a log's sibling files are,
// what counts as a blank field, and whether a log changed since loading.
#pragma once

#include <sys/stat.h>

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tevra {

// The log's path with another extension, in the log's own directory.
std::string Sibling(const std::string& path, std::string_view extension);
bool Blank(char c);
// A field counts as empty when it holds nothing but blanks.
bool BlankText(std::string_view text);
// Whether a stat time and the remembered load time differ.
bool TimeDiffers(const struct stat& st, std::optional<std::time_t> remembered);

}  // namespace tevra
