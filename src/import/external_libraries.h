// The two libraries outside the program: the log-source plug-in
// (libextsrc.so) and the database bridge (libdbbrdg.so), loaded from the
// program directory.
#pragma once

#include <string>

#include "tevra/dbbrdg.h"
#include "tevra/extsrc.h"

namespace tevra {

class Ui;

inline constexpr const char* kExtSrcFileName = "libextsrc.so";
inline constexpr const char* kDbBridgeFileName = "libdbbrdg.so";
inline constexpr unsigned kDbBridgeMinVersion = 112;

struct ExtSrcApi {
  ExtSrcGetMenuNameFn GetMenuName = nullptr;
  ExtSrcGetLogTypeFn GetLogType = nullptr;
  ExtSrcOpenFn Open = nullptr;
  ExtSrcCloseFn Close = nullptr;
  ExtSrcGetFieldTextFn GetFieldText = nullptr;
  ExtSrcMoveNextFn MoveNext = nullptr;
  ExtSrcSeekFn Seek = nullptr;
  ExtSrcIsEofFn IsEOF = nullptr;
  ExtSrcListTextFn ListText = nullptr;
  ExtSrcGetTextFn GetText = nullptr;
  ExtSrcCanUpdateFn CanUpdate = nullptr;
  ExtSrcUpdateFn Update = nullptr;
  // The export's file creation: all four or none.
  ExtSrcGetCreateFileTypeFn GetCreateFileType = nullptr;
  ExtSrcCreateFn Create = nullptr;
  ExtSrcWriteTextFn WriteText = nullptr;
  ExtSrcCCloseFn CClose = nullptr;
  // Optional on its own: why an update wrote nothing.
  ExtSrcGetUpdateErrorFn GetUpdateError = nullptr;
  // Optional on its own: the gathered marks written.
  ExtSrcFlushFn Flush = nullptr;
};

struct DbBridgeApi {
  DbBrdgGetVersionFn GetVersion = nullptr;
  DbBrdgTableFn Table = nullptr;
  DbBrdgGetTableListFn GetTableList = nullptr;
  DbBrdgOpenFn Open = nullptr;
  DbBrdgGetNameListFn GetNameList = nullptr;
  DbBrdgOpenRecFn OpenRec = nullptr;
  DbBrdgCloseRecFn CloseRec = nullptr;
  DbBrdgIsOpenFn IsOpen = nullptr;
  DbBrdgCloseFn Close = nullptr;
  DbBrdgGetDirNameFn GetDirName = nullptr;
  DbBrdgIsEofFn IsEOF = nullptr;
  DbBrdgMoveNextFn MoveNext = nullptr;
  DbBrdgSeekFn Seek = nullptr;
  DbBrdgListTextFn ListText = nullptr;
  DbBrdgGetDataFn GetData = nullptr;
  DbBrdgCanUpdateFn CanUpdate = nullptr;
  DbBrdgUpdateFn Update = nullptr;
  DbBrdgGetUpdateErrorFn GetUpdateError = nullptr;  // optional
};

// A shared library handle that is closed with the object.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  ~SharedLibrary() { Release(); }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  bool Open(const std::string& path);
  // The export by its name, else by the name with a leading "_".
  void* Symbol(const char* name) const;
  void Release();
  bool IsOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};

class ExtSrcLibrary {
 public:
  // Loads directory + libextsrc.so. A missing library or a missing required
  // export leaves the plug-in unavailable, without a message.
  bool Load(const std::string& directory, Ui& ui);
  // The same with the library's own path; problem (when given) says why a
  // library was not taken.
  bool LoadFile(const std::string& path, Ui& ui, std::string* problem = nullptr);
  void Release();
  bool Available() const { return library_.IsOpen(); }
  bool CanCreate() const { return api_.Create != nullptr; }
  const ExtSrcApi& Api() const { return api_; }
  // The plug-in's menu text, or the default when it gives none (CP932).
  std::string MenuName() const;

 private:
  SharedLibrary library_;
  ExtSrcApi api_;
};

class DbBridgeLibrary {
 public:
  // Loads directory + libdbbrdg.so. A library that lacks an export or is
  // older than version 112 is released after the version message; a missing
  // library is simply unavailable.
  bool Load(const std::string& directory, Ui& ui);
  void Release();
  bool Available() const { return library_.IsOpen(); }
  const DbBridgeApi& Api() const { return api_; }

 private:
  SharedLibrary library_;
  DbBridgeApi api_;
};

}  // namespace tevra
