#include "core/profile.h"

#include "core/file_io.h"

#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/text.h"

namespace tevra {

std::string Profile::Fold(std::string_view name) { return ToUpperAscii(TrimRight(SkipBlanks(name))); }

namespace {

// Calls fn with each byte of name as Fold would leave it.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// name without leading and trailing blanks (most names have none).
std::string_view Trimmed(std::string_view name) {
  if (!name.empty() && !IsBlank(name.front()) && !IsBlank(name.back())) return name;
  return TrimRight(SkipBlanks(name));
}

template <typename Fn>
void ForEachFolded(std::string_view name, Fn fn) {
  name = Trimmed(name);
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t len = CharLength(name, i);
    char c = name[i];
    if (len == 1 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    fn(c);
    for (std::size_t k = 1; k < len; ++k) fn(name[i + k]);
    i += len;
  }
}

}  // namespace

std::size_t Profile::FoldedHash::operator()(std::string_view name) const {
  std::size_t h = 14695981039346656037ull;
  ForEachFolded(name, [&h](char c) { h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull; });
  return h;
}

bool Profile::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  a = Trimmed(a);
  b = Trimmed(b);
  if (a.size() != b.size()) return false;  // folding keeps the length
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t len = CharLength(a, i);
    if (CharLength(b, i) != len) return false;
    if (len == 1 ? upper(a[i]) != upper(b[i]) : a.compare(i, len, b, i, len) != 0) return false;
    i += len;
  }
  return true;
}

bool Profile::Load(const std::string& path) {
  sections_.clear();
  sectionIndex_.clear();
  std::string text;
  if (ReadRegularFile(path, text, kProfileFileMax) != FileReadResult::Ok) return false;
  Parse(text);
  // Far more sections than any settings file holds: not read (and so never
  // written over with defaults).
  if (sections_.size() > kProfileSectionsMax) {
    sections_.clear();
    sectionIndex_.clear();
    return false;
  }
  return true;
}

void Profile::AddLine(Section& section, Line line) {
  if (SkipBlanks(line.text).empty() && line.key.empty()) {
    section.trailing.push_back(std::move(line.text));
    return;
  }
  // Blank lines inside a section are ordinary lines.
  for (std::string& blank : section.trailing) section.lines.push_back({"", std::move(blank)});
  section.trailing.clear();
  if (!line.key.empty()) section.keys.emplace(line.key, section.lines.size());  // the first one counts
  section.lines.push_back(std::move(line));
}

void Profile::AddSection(Section section) {
  sectionIndex_.emplace(section.name, sections_.size());  // the first one counts
  sections_.push_back(std::move(section));
}

void Profile::Parse(std::string_view text) {
  sections_.clear();
  sectionIndex_.clear();
  AddSection(Section{});  // the lines before the first section
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string_view trimmed = SkipBlanks(line);
    if (trimmed.starts_with('[')) {
      if (sections_.size() > kProfileSectionsMax) return;  // Load refuses such a file
      const auto close = trimmed.find(']');
      Section section;
      section.hasHeader = true;
      section.name = Fold(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      section.lines.push_back({"", std::string(line)});
      AddSection(std::move(section));
      continue;
    }
    Line entry{"", std::string(line)};
    const auto equals = line.find('=');
    if (!trimmed.starts_with(';') && equals != std::string_view::npos) entry.key = Fold(line.substr(0, equals));
    AddLine(sections_.back(), std::move(entry));
  }
}

const Profile::Line* Profile::Find(std::string_view section, std::string_view key) const {
  if (Trimmed(key).empty()) return nullptr;
  const std::string_view k = key;
  const auto sec = sectionIndex_.find(section);
  if (sec == sectionIndex_.end()) return nullptr;  // only the first of two equal sections counts
  const Section& found = sections_[sec->second];
  const auto line = found.keys.find(k);
  return line == found.keys.end() ? nullptr : &found.lines[line->second];
}

Profile::Section* Profile::FindSection(std::string_view name) {
  const auto sec = sectionIndex_.find(name);
  return sec == sectionIndex_.end() ? nullptr : &sections_[sec->second];
}

bool Profile::Has(std::string_view section, std::string_view key) const { return Find(section, key) != nullptr; }

std::string Profile::GetString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Line* line = Find(section, key);
  if (!line) return std::string(fallback);
  return line->text.substr(line->text.find('=') + 1);
}

int Profile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  const Line* line = Find(section, key);
  if (!line) return fallback;
  const char* start = line->text.c_str() + line->text.find('=') + 1;
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(start, &end, 10);
  if (end == start) return 0;
  return n > 2147483647L ? 2147483647 : n < -2147483647L ? -2147483647 : static_cast<int>(n);
}

void Profile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  if (Trimmed(key).empty()) return;
  // A value never spans lines.
  std::string clean;
  if (value.find_first_of("\r\n") != std::string_view::npos) {
    clean.assign(value);
    for (char& c : clean)
      if (c == '\n' || c == '\r') c = ' ';
    value = clean;
  }
  if (sections_.empty()) AddSection(Section{});  // the lines before the first section
  Section* sec = FindSection(section);
  if (!sec) {
    // An empty line between sections, as an editor would leave it.
    Section& last = sections_.back();
    const bool endsBlank = !last.trailing.empty() || last.lines.empty() || SkipBlanks(last.lines.back().text).empty();
    if (!endsBlank) last.trailing.push_back("");
    Section fresh;
    fresh.hasHeader = true;
    fresh.name = Fold(section);
    fresh.lines.push_back({"", "[" + std::string(section) + "]"});
    AddSection(std::move(fresh));
    sec = &sections_.back();
  }
  if (const auto line = sec->keys.find(key); line != sec->keys.end()) {
    Line& found = sec->lines[line->second];
    found.text.resize(found.text.find('=') + 1);  // the key as the file spells it
    found.text += value;
    return;
  }
  // After the section's last non-empty line, so that a blank line that
  // separates it from the next section stays where it is.
  std::string k = Fold(key);
  sec->keys.emplace(k, sec->lines.size());
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);
  sec->lines.push_back({std::move(k), std::move(text)});
}

void Profile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

std::string Profile::Text() const {
  std::string out;
  for (const auto& sec : sections_) {
    for (const auto& line : sec.lines) {
      out += line.text;
      out += '\n';
    }
    for (const auto& blank : sec.trailing) {
      out += blank;
      out += '\n';
    }
  }
  return out;
}

bool Profile::Save(const std::string& path) const { return ReplaceFileAtomically(path, Text()); }

namespace {

// Temporary copies older than this were left by a run that was killed.
constexpr auto kStaleTemporary = std::chrono::hours(1);

// Removes the temporary copies of target (".NAME.XXXXXX") that a killed
// run left behind; a young one may be another run's, still at work.
void RemoveStaleTemporaries(const std::filesystem::path& dir, const std::string& name) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const std::string prefix = "." + name + ".";
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (entry.size() != prefix.size() + 6 || !entry.starts_with(prefix)) continue;
    std::error_code e;
    if (!it->is_regular_file(e) || it->is_symlink(e)) continue;
    const auto written = fs::last_write_time(it->path(), e);
    if (!e && now - written > kStaleTemporary) fs::remove(it->path(), e);
  }
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  // A symbolic link stays one: its target is replaced.
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const std::string realPath = target.string();
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::create_directories(dir, ec);
  RemoveStaleTemporaries(dir, target.filename().string());
  std::string tmp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(tmp.data());
  if (fd < 0) return false;
  bool ok = true;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (ok && left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file being replaced.
  struct stat old{};
  if (ok && ::stat(realPath.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  else if (ok) ::fchmod(fd, 0644);
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(tmp.c_str(), realPath.c_str()) != 0) ok = false;
  if (!ok) ::unlink(tmp.c_str());
  // The rename itself reaches the disk with the directory.
  if (ok) {
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
      ::fsync(dirFd);
      ::close(dirFd);
    }
  }
  return ok;
}

std::string DefaultSettingsPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/tevra/TEVRA.INI";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/tevra/TEVRA.INI";
}

}  // namespace tevra
