// Sectioned profile files ("[Section]" lines and "key=value" lines), the
// format of the settings file. Section and key names compare without regard
// to case; values are CP932 text taken verbatim.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tevra {

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

 private:
  static std::string Fold(std::string_view name);
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

// $XDG_CONFIG_HOME/tevra/TEVRA.INI, else ~/.config/tevra/TEVRA.INI.
std::string DefaultSettingsPath();

}  // namespace tevra
