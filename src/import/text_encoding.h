// Which character set a log file from another program is written in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/encoding.h"

namespace tevra {

// The encoding of a file's bytes among UTF-8, CP932 and Latin-1
// (Windows-1252). Plain ASCII counts as CP932, which it is too.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The file's encoding: the one the user chose, or the detected one.
inline TextEncoding ChooseTextEncoding(std::optional<TextEncoding> chosen, std::string_view bytes) {
  return chosen ? *chosen : DetectTextEncoding(bytes);
}

// "auto" (nullopt), "utf-8", "cp932" (or "shift_jis", "sjis") and
// "latin1" (or "iso-8859-1", "windows-1252", "cp1252"), in any case.
// False for another name.
bool ParseEncodingName(std::string_view name, std::optional<TextEncoding>& encoding);
// The name the settings file keeps: "auto", "utf-8", "cp932" or "latin1".
std::string_view EncodingName(std::optional<TextEncoding> encoding);

}  // namespace tevra
