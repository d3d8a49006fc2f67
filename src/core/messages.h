// The program's own message texts (UTF-8), by resource number where it has one.
#pragma once

#include <string_view>

namespace tevra::msg {

inline constexpr std::string_view kCannotReadFile104 =
    "ファイルが読み込めません. ファイルが存在しないか他のアプリケーションで使用中です.";
inline constexpr std::string_view kLogLoadingForbidden =
    "ログ形式データの読み込みはｵｰﾄﾒｰｼｮﾝｸﾗｲｱﾝﾄにより禁止されています.";
inline constexpr std::string_view kClearingLogData = "ＴＥＶＲＡ内のログデータを消去中...";
inline constexpr std::string_view kClearingPrintedData = "ＴＥＶＲＡ内の印刷済みデータを消去中...";
inline constexpr std::string_view kReadingLogFile = "ログファイルを読み込み中...";
// Placeholder: the QSO count.
inline constexpr std::string_view kSortBeforeRepeat =
    "現在の文書はリピート展開が設定されています.\r\nログデータを並び替えたほうが有利に展開できます.\r\n\r\n"
    "並び替えますか?   (%u件)";
inline constexpr std::string_view kOpenLogTitle = "ログファイルの読み込み";
// Shown for a log format whose reader this build does not have yet.
inline constexpr std::string_view kFormatNotReadable = "この形式のログファイルはまだ読み込めません.";

}  // namespace tevra::msg
