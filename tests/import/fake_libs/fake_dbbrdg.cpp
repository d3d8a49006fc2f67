// A stand-in for the database bridge. FAKE_VERSION sets the version;
// FAKE_NO_SEEK leaves out one export.
#include <cstdint>

#include "fake_table.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT std::uint16_t DBBRDG_GetVersion() { return FAKE_VERSION; }
EXPORT std::uint16_t DBBRDG_Table(void*) { return 1; }
EXPORT const char* DBBRDG_GetTableList(std::int32_t) { return "LOG"; }
EXPORT std::uint16_t DBBRDG_Open(const char*) { return 1; }
EXPORT const char* DBBRDG_GetNameList(std::int32_t i) { return fake::FieldName(i); }
EXPORT std::int32_t DBBRDG_OpenRec() { return 1; }
EXPORT std::int32_t DBBRDG_CloseRec() { return 1; }
EXPORT std::int32_t DBBRDG_IsOpen() { return 1; }
EXPORT std::int32_t DBBRDG_Close() { return 1; }
EXPORT const char* DBBRDG_GetDirName() { return "fake"; }
EXPORT std::int32_t DBBRDG_IsEOF() { return fake::IsEof(); }
EXPORT std::int32_t DBBRDG_MoveNext() { return fake::MoveNext(); }
#ifndef FAKE_NO_SEEK
EXPORT std::int32_t DBBRDG_Seek(std::int32_t i) { return fake::Seek(i); }
#endif
EXPORT std::int32_t DBBRDG_ListText(char* b, std::int32_t n) { return fake::ListText(b, n, '\x1e'); }
EXPORT const char* DBBRDG_GetData(std::int32_t f) { return fake::Text(f); }
EXPORT std::int32_t DBBRDG_CanUpdate(std::int32_t f) { return fake::CanUpdate(f); }
EXPORT std::int32_t DBBRDG_Update(std::int32_t f, const char* t) { return fake::Update(f, t); }
