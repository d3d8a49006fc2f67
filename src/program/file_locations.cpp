#include "program/file_locations.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "core/file_io.h"
#include "core/profile.h"
#include "program/program.h"

namespace tevra {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::string Join(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

}  // namespace

std::string LayoutDialogFolder(const std::string& lastUsed, const std::string& documents, const std::string& home) {
  for (const std::string* folder : {&lastUsed, &documents})
    if (IsFolder(*folder)) return *folder;
  return home;
}

std::string ProposedLayoutPath(const std::string& path, const std::string& titleUtf8, const std::string& folder) {
  if (!path.empty()) return path;
  std::string name;
  for (char c : titleUtf8) {
    const bool unsafe = c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
                        c == '>' || c == '|' || (static_cast<unsigned char>(c) < 0x20);
    name += unsafe ? '-' : c;
  }
  // Blanks and dots at either end make awkward names ("..", hidden files).
  const auto first = name.find_first_not_of(" .");
  name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(" .") - first + 1);
  if (name.empty()) name = "untitled";
  return Join(folder, name + ".tvd");
}

std::string FolderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

std::string UserDataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.local/share";
}

std::string EntityFileInUse(const std::string& programDirectory) {
  const std::string copy = UserEntityFile(UserDataHome());
  std::error_code ec;
  return fs::exists(copy, ec) ? copy : EntityFilePath(programDirectory);
}

std::string UserEntityFile(const std::string& dataHome) { return Join(Join(dataHome, "tevra"), "ARRL.DX"); }

std::string EditableEntityFile(const std::string& programFile, const std::string& dataHome, std::string* error) {
  const std::string copy = UserEntityFile(dataHome);
  std::error_code ec;
  if (fs::exists(copy, ec)) return copy;
  if (access(programFile.c_str(), W_OK) == 0) return programFile;
  std::string contents;
  if (ReadRegularFile(programFile, contents, kDocumentFileMax) != FileReadResult::Ok) {
    if (error) *error = programFile;
    return {};
  }
  fs::create_directories(fs::path(copy).parent_path(), ec);
  if (ec || !ReplaceFileAtomically(copy, contents)) {
    if (error) *error = copy;
    return {};
  }
  return copy;
}

std::string DefaultPrintFile(const std::string& lastChosen, const std::string& documents) {
  if (!lastChosen.empty()) return lastChosen;
  return Join(documents, "TEVRA.pdf");
}

}  // namespace tevra
