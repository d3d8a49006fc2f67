// The log both stand-in libraries serve: three records with a call and a
// sent column; only the sent column can be written. FAKE_AUTOMATION: the
// records are lines in the automation form, the sent mark in column 10,
// and the second line's time holds no number.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace fake {
namespace {  // each library keeps a table of its own

#ifdef FAKE_AUTOMATION
constexpr std::int32_t kSentColumn = 10;
#else
constexpr std::int32_t kSentColumn = 1;
#endif

char g_sent[3][8] = {"", "Y", ""};
int g_current = 0;

inline std::int32_t Seek(std::int32_t index) {
  if (index < 0 || index >= 3) return 0;
  g_current = index;
  return 1;
}
inline const char* Text(std::int32_t column) { return column == kSentColumn ? g_sent[g_current] : "JA1ABC"; }
inline std::int32_t CanUpdate(std::int32_t column) { return column == kSentColumn ? 1 : 0; }
inline std::int32_t Update(std::int32_t column, const char* text) {
  if (column != kSentColumn || !text) return 0;
  std::strncpy(g_sent[g_current], text, sizeof g_sent[0] - 1);
  return 1;
}
inline const char* FieldName(std::int32_t index) { return index == 0 ? "CALL" : index == 1 ? "SEND" : nullptr; }
// Reading the records in turn, each as one line of its two fields.
inline std::int32_t IsEof() { return g_current >= 3 ? 1 : 0; }
inline std::int32_t MoveNext() { return ++g_current < 3 ? 1 : 0; }
inline std::int32_t ListText(char* buffer, std::int32_t size, char separator) {
  if (size <= 0 || g_current >= 3) return 0;
  const char calls[3][8] = {"JA1ABC", "JA2DEF", "JA3GHI"};
#ifdef FAKE_AUTOMATION
  (void)separator;
  const char* times[3] = {"0930", "--", "21:05"};
  std::snprintf(buffer, static_cast<std::size_t>(size), "24.11.%02d,%s,%s,599,7.025,CW,50,\"Sato, Taro\",Tokyo,,%s,,2",
                g_current + 1, times[g_current], calls[g_current], g_sent[g_current]);
  return 1;
#endif
  std::snprintf(buffer, static_cast<std::size_t>(size), "%s%c%s", calls[g_current], separator, g_sent[g_current]);
  return 1;
}

}  // namespace
}  // namespace fake
