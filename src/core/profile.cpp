#include "core/profile.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/text.h"

namespace tevra {

std::string Profile::Fold(std::string_view name) { return ToUpperAscii(TrimRight(SkipBlanks(name))); }

bool Profile::Load(const std::string& path) {
  sections_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Parse(text);
  return true;
}

void Profile::Parse(std::string_view text) {
  sections_.clear();
  std::string section;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string_view trimmed = SkipBlanks(line);
    if (trimmed.starts_with('[')) {
      const auto close = trimmed.find(']');
      section = Fold(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      continue;
    }
    if (trimmed.starts_with(';')) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string key = Fold(line.substr(0, equals));
    if (key.empty()) continue;
    auto& keys = sections_[section];
    keys.emplace(key, std::string(line.substr(equals + 1)));  // the first of two equal keys counts
  }
}

bool Profile::Has(std::string_view section, std::string_view key) const {
  auto s = sections_.find(Fold(section));
  return s != sections_.end() && s->second.count(Fold(key)) != 0;
}

std::string Profile::GetString(std::string_view section, std::string_view key, std::string_view fallback) const {
  auto s = sections_.find(Fold(section));
  if (s == sections_.end()) return std::string(fallback);
  auto k = s->second.find(Fold(key));
  return k == s->second.end() ? std::string(fallback) : k->second;
}

int Profile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  if (!Has(section, key)) return fallback;
  const std::string value = GetString(section, key, "");
  const char* start = value.c_str();
  char* end = nullptr;
  const long n = std::strtol(start, &end, 10);
  if (end == start) return 0;
  return n > 2147483647L ? 2147483647 : n < -2147483647L ? -2147483647 : static_cast<int>(n);
}

std::string DefaultSettingsPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/tevra/TEVRA.INI";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/tevra/TEVRA.INI";
}

}  // namespace tevra
