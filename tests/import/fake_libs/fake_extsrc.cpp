// A stand-in for the log-source plug-in. Variants:
//   FAKE_UNDERSCORE   every export carries a leading "_"
//   FAKE_NO_UPDATE    the required "Update" is missing
//   FAKE_NO_CCLOSE    one optional export ("CClose") is missing
//   FAKE_NO_OPTIONAL  none of the optional exports
//   FAKE_AUTOMATION   no field names: automation lines (see fake_table.h)
#include <cstdint>

#include "fake_table.h"

#ifdef FAKE_UNDERSCORE
#define NAME(n) _##n
#else
#define NAME(n) n
#endif

extern "C" {
__attribute__((visibility("default"))) const char* NAME(GetMenuName)() { return "Fake source"; }
__attribute__((visibility("default"))) std::uint16_t NAME(GetLogType)() {
#ifdef FAKE_AUTOMATION
  return 0;
#else
  return 1;
#endif
}
__attribute__((visibility("default"))) const char* NAME(Open)(void*, void*, const char*) { return "/fake"; }
__attribute__((visibility("default"))) std::int32_t NAME(Close)() { return 1; }
__attribute__((visibility("default"))) const char* NAME(GetFieldText)(std::uint16_t i) { return fake::FieldName(i); }
__attribute__((visibility("default"))) std::int32_t NAME(MoveNext)() { return fake::MoveNext(); }
__attribute__((visibility("default"))) std::int32_t NAME(Seek)(std::int32_t i) { return fake::Seek(i); }
__attribute__((visibility("default"))) std::int32_t NAME(IsEOF)() { return fake::IsEof(); }
__attribute__((visibility("default"))) std::int32_t NAME(ListText)(char* b, std::int32_t n) {
  return fake::ListText(b, n, ',');
}
__attribute__((visibility("default"))) const char* NAME(GetText)(std::int32_t c) { return fake::Text(c); }
__attribute__((visibility("default"))) std::int32_t NAME(CanUpdate)(std::int32_t c) { return fake::CanUpdate(c); }
#ifndef FAKE_NO_UPDATE
__attribute__((visibility("default"))) std::int32_t NAME(Update)(std::int32_t c, const char* t) { return fake::Update(c, t); }
#endif
#ifndef FAKE_NO_OPTIONAL
__attribute__((visibility("default"))) const char* NAME(GetCreateFileType)(std::int32_t) { return "Fake(*.fk)|*.fk|"; }
__attribute__((visibility("default"))) std::int32_t NAME(Create)(const char*) { return 1; }
__attribute__((visibility("default"))) std::int32_t NAME(WriteText)(const char*) { return 1; }
#ifndef FAKE_NO_CCLOSE
__attribute__((visibility("default"))) std::int32_t NAME(CClose)() { return 1; }
#endif
#endif
}
