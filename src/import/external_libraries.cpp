#include "import/external_libraries.h"

#include <dlfcn.h>

#include <string_view>

#include "core/encoding.h"
#include "core/messages.h"
#include "platform/ui.h"

namespace tevra {
namespace {

// Looks up every export of a table; false when any is missing, whose name
// then goes to missing (when given).
template <typename Entry>
bool Resolve(const SharedLibrary& library, const Entry& entries, std::string* missing = nullptr) {
  bool all = true;
  for (const auto& [name, slot] : entries) {
    *slot = library.Symbol(name);
    if (!*slot && all && missing) *missing = name;
    all = all && *slot != nullptr;
  }
  return all;
}

template <typename Fn>
void** Slot(Fn& member) {
  return reinterpret_cast<void**>(&member);
}

struct Named {
  const char* name;
  void** slot;
};

}  // namespace

bool SharedLibrary::Open(const std::string& path) {
  Release();
  // Kept mapped after closing: a library may leave threads or atexit
  // handlers behind, and its code must stay where they point.
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  return handle_ != nullptr;
}

void* SharedLibrary::Symbol(const char* name) const {
  if (!handle_) return nullptr;
  if (void* symbol = dlsym(handle_, name)) return symbol;
  std::string prefixed(1, '_');
  prefixed += name;
  return dlsym(handle_, prefixed.c_str());
}

void SharedLibrary::Release() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}

bool ExtSrcLibrary::Load(const std::string& directory, Ui& ui) { return LoadFile(directory + kExtSrcFileName, ui); }

bool ExtSrcLibrary::LoadFile(const std::string& path, Ui& ui, std::string* problem) {
  Release();
  ui.SetStatus(msg::kQueryingExtSrc);
  bool ok = library_.Open(path);
  if (!ok && problem) {
    const char* why = dlerror();
    *problem = why ? why : "cannot be loaded";
  }
  if (ok) {
    const Named required[] = {
        {"GetMenuName", Slot(api_.GetMenuName)}, {"GetLogType", Slot(api_.GetLogType)},
        {"Open", Slot(api_.Open)},               {"Close", Slot(api_.Close)},
        {"GetFieldText", Slot(api_.GetFieldText)}, {"MoveNext", Slot(api_.MoveNext)},
        {"Seek", Slot(api_.Seek)},               {"IsEOF", Slot(api_.IsEOF)},
        {"ListText", Slot(api_.ListText)},       {"GetText", Slot(api_.GetText)},
        {"CanUpdate", Slot(api_.CanUpdate)},     {"Update", Slot(api_.Update)},
    };
    const Named optional[] = {
        {"GetCreateFileType", Slot(api_.GetCreateFileType)},
        {"Create", Slot(api_.Create)},
        {"WriteText", Slot(api_.WriteText)},
        {"CClose", Slot(api_.CClose)},
    };
    std::string missing;
    ok = Resolve(library_, required, &missing);
    if (!ok && problem) *problem = "the required call \"" + missing + "\" is missing";
    if (ok && !Resolve(library_, optional)) {
      api_.GetCreateFileType = nullptr;
      api_.Create = nullptr;
      api_.WriteText = nullptr;
      api_.CClose = nullptr;
    }
    if (ok) api_.GetUpdateError = reinterpret_cast<ExtSrcGetUpdateErrorFn>(library_.Symbol("GetUpdateError"));
    if (ok) api_.Flush = reinterpret_cast<ExtSrcFlushFn>(library_.Symbol("Flush"));
    if (!ok) Release();
  }
  ui.ClearStatus();
  return ok;
}

void ExtSrcLibrary::Release() {
  library_.Release();
  api_ = ExtSrcApi{};
}

std::string ExtSrcLibrary::MenuName() const {
  const char* name = api_.GetMenuName ? api_.GetMenuName() : nullptr;
  if (name && *name) return name;
  return FromUnicode("EXTSRC.DLLデータベース接続");
}

bool DbBridgeLibrary::Load(const std::string& directory, Ui& ui) {
  Release();
  ui.SetStatus(msg::kQueryingDbBridge);
  const bool present = library_.Open(directory + kDbBridgeFileName);
  bool ok = present;
  if (present) {
    const Named exports[] = {
        {"DBBRDG_GetVersion", Slot(api_.GetVersion)}, {"DBBRDG_Table", Slot(api_.Table)},
        {"DBBRDG_GetTableList", Slot(api_.GetTableList)}, {"DBBRDG_Open", Slot(api_.Open)},
        {"DBBRDG_GetNameList", Slot(api_.GetNameList)}, {"DBBRDG_OpenRec", Slot(api_.OpenRec)},
        {"DBBRDG_CloseRec", Slot(api_.CloseRec)},     {"DBBRDG_IsOpen", Slot(api_.IsOpen)},
        {"DBBRDG_Close", Slot(api_.Close)},           {"DBBRDG_GetDirName", Slot(api_.GetDirName)},
        {"DBBRDG_IsEOF", Slot(api_.IsEOF)},           {"DBBRDG_MoveNext", Slot(api_.MoveNext)},
        {"DBBRDG_Seek", Slot(api_.Seek)},             {"DBBRDG_ListText", Slot(api_.ListText)},
        {"DBBRDG_GetData", Slot(api_.GetData)},       {"DBBRDG_CanUpdate", Slot(api_.CanUpdate)},
        {"DBBRDG_Update", Slot(api_.Update)},
    };
    ok = Resolve(library_, exports) && api_.GetVersion() >= kDbBridgeMinVersion;
    if (ok)
      api_.GetUpdateError = reinterpret_cast<DbBrdgGetUpdateErrorFn>(library_.Symbol("DBBRDG_GetUpdateError"));
  }
  ui.ClearStatus();
  if (present && !ok) {
    Release();
    ui.ShowMessage(msg::kDbBridgeVersion, MessageIcon::Warning);
  }
  return ok;
}

void DbBridgeLibrary::Release() {
  library_.Release();
  api_ = DbBridgeApi{};
}

}  // namespace tevra
