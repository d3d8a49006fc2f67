// The kinds of log source. The values are stored in the settings file.
#pragma once

namespace tevra {

enum LogSourceType : int {
  SrcKuvalText = 0,
  SrcKuvalData = 1,
  SrcLog200 = 2,
  SrcHamlog = 3,
  SrcHamlog5 = 4,
  SrcCt = 5,
  SrcDbf = 6,
  SrcTrLog = 7,
  SrcAdif = 8,
  SrcCabrillo = 9,
  SrcCsv = 10,
  SrcClipboard = 11,
  SrcAutomation = 12,
  SrcOdbc = 13,
  SrcPlugin = 14,
};

inline constexpr int kLogSourceTypeCount = 15;
// Types that can be chosen as files in the open dialog (0..10).
inline constexpr int kFileSourceTypeCount = 11;

}  // namespace tevra
