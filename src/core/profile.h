// Sectioned profile files ("[Section]" lines and "key=value" lines), the
// format of the settings file. Section and key names compare without regard
// to case; values are CP932 text taken verbatim. Of two equal keys (or two
// equal sections) the first counts. Lines the profile does not understand
// (comments, text without "=") are kept as they are when the file is
// written back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tevra {

// What a settings file may hold at most: far beyond any real one.
inline constexpr std::uint64_t kProfileFileMax = std::uint64_t{4} << 20;
inline constexpr std::size_t kProfileSectionsMax = 10000;

class Profile {
 public:
  // False when the file cannot be read (the profile is then empty).
  bool Load(const std::string& path);
  void Parse(std::string_view text);

  bool Has(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // A missing key gives fallback; a value that does not begin with a digit
  // (after blanks, with an optional sign) reads 0.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;

  // Replaces the value of the key's first line, or appends the key to its
  // section, or a new section to the end.
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);

  // The file's bytes, one "\n" after every line.
  std::string Text() const;
  // Writes the file without ever leaving a half-written one behind: a
  // temporary file in the same directory is written, flushed to disk and
  // renamed over the old file. Creates the directory when it is missing.
  bool Save(const std::string& path) const;

 private:
  // Names are stored folded (upper case, blanks trimmed); lookups fold the
  // name they are given on the fly, without a copy.
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  struct Line {
    std::string key;  // folded; empty for a line that is not "key=value"
    std::string text;  // the whole line
  };
  struct Section {
    bool hasHeader = false;  // false only for the lines before the first header
    std::string name;        // folded
    std::vector<Line> lines;  // the header line first when hasHeader
    // Blank lines after the last one; keys added later go before them.
    std::vector<std::string> trailing;
    // The line of each key's first occurrence.
    std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual> keys;
  };

  static std::string Fold(std::string_view name);
  const Line* Find(std::string_view section, std::string_view key) const;
  Section* FindSection(std::string_view name);
  static void AddLine(Section& section, Line line);
  void AddSection(Section section);

  std::vector<Section> sections_;
  // The first section of each name.
  std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual> sectionIndex_;
};

// $XDG_CONFIG_HOME/tevra/TEVRA.INI, else ~/.config/tevra/TEVRA.INI.
std::string DefaultSettingsPath();

// Writes bytes to path through a flushed temporary file in the same
// directory and a rename, so that path holds either the old or the new
// bytes. Creates missing directories.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tevra
