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

bool Profile::Load(const std::string& path) {
  sections_.clear();
  sectionIndex_.clear();
  std::string text;
  if (ReadRegularFile(path, text, kDocumentFileMax) != FileReadResult::Ok) return false;
  Parse(text);
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
  const std::string k = Fold(key);
  if (k.empty()) return nullptr;
  const auto sec = sectionIndex_.find(Fold(section));
  if (sec == sectionIndex_.end()) return nullptr;  // only the first of two equal sections counts
  const Section& found = sections_[sec->second];
  const auto line = found.keys.find(k);
  return line == found.keys.end() ? nullptr : &found.lines[line->second];
}

Profile::Section* Profile::FindSection(const std::string& folded) {
  const auto sec = sectionIndex_.find(folded);
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
  const std::string value = line->text.substr(line->text.find('=') + 1);
  const char* start = value.c_str();
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(start, &end, 10);
  if (end == start) return 0;
  return n > 2147483647L ? 2147483647 : n < -2147483647L ? -2147483647 : static_cast<int>(n);
}

void Profile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string s = Fold(section);
  const std::string k = Fold(key);
  if (k.empty()) return;
  std::string text = std::string(key) + "=" + std::string(value);
  // A value never spans lines.
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  if (sections_.empty()) AddSection(Section{});  // the lines before the first section
  Section* sec = FindSection(s);
  if (!sec) {
    // An empty line between sections, as an editor would leave it.
    Section& last = sections_.back();
    const bool endsBlank = !last.trailing.empty() || last.lines.empty() || SkipBlanks(last.lines.back().text).empty();
    if (!endsBlank) last.trailing.push_back("");
    Section fresh;
    fresh.hasHeader = true;
    fresh.name = s;
    fresh.lines.push_back({"", "[" + std::string(section) + "]"});
    AddSection(std::move(fresh));
    sec = &sections_.back();
  }
  if (const auto line = sec->keys.find(k); line != sec->keys.end()) {
    Line& found = sec->lines[line->second];
    found.text = std::string(found.text, 0, found.text.find('=')) + "=" + text.substr(key.size() + 1);
    return;
  }
  // After the section's last non-empty line, so that a blank line that
  // separates it from the next section stays where it is.
  sec->keys.emplace(k, sec->lines.size());
  sec->lines.push_back({k, std::move(text)});
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
