// The program's own message texts (UTF-8), by resource number where it has one.
#pragma once

#include <string_view>

#include "core/translatable.h"

namespace tevra::msg {

inline constexpr std::string_view kNotRegularFile = QT_TRANSLATE_NOOP("Tevra", "通常のファイルではありません(フォルダ、パイプ、デバイス).読み込みを中止します.");
inline constexpr std::string_view kCannotReadFile104 =
    QT_TRANSLATE_NOOP("Tevra", "ファイルが読み込めません. ファイルが存在しないか他のアプリケーションで使用中です.");
inline constexpr std::string_view kLogLoadingForbidden =
    QT_TRANSLATE_NOOP("Tevra", "ログ形式データの読み込みはｵｰﾄﾒｰｼｮﾝｸﾗｲｱﾝﾄにより禁止されています.");
inline constexpr std::string_view kClearingLogData = QT_TRANSLATE_NOOP("Tevra", "ＴＥＶＲＡ内のログデータを消去中...");
inline constexpr std::string_view kClearingPrintedData = QT_TRANSLATE_NOOP("Tevra", "ＴＥＶＲＡ内の印刷済みデータを消去中...");
inline constexpr std::string_view kReadingLogFile = QT_TRANSLATE_NOOP("Tevra", "ログファイルを読み込み中...");
// Placeholder: the QSO count.
inline constexpr std::string_view kSortBeforeRepeat =
    QT_TRANSLATE_NOOP("Tevra", "現在の文書はリピート展開が設定されています.\r\nログデータを並び替えたほうが有利に展開できます.\r\n\r\n"
    "並び替えますか?   (%u件)");
// Placeholder: the QSO count. Asked after opening a layout file.
inline constexpr std::string_view kSortForRepeatDocument =
    QT_TRANSLATE_NOOP("Tevra", "この文書はリピート展開が設定されています.\r\nログデータを並び替えたほうが有利に展開できます.\r\n\r\n"
    "並び替えますか?   (%u件)");
inline constexpr std::string_view kOpenLogTitle = QT_TRANSLATE_NOOP("Tevra", "ログファイルの読み込み");
inline constexpr std::string_view kAdjustingRepeat = QT_TRANSLATE_NOOP("Tevra", "ログデータのリピート展開を調整中...");
inline constexpr std::string_view kSortingLog = QT_TRANSLATE_NOOP("Tevra", "ログデータを並び替え中...");
inline constexpr std::string_view kSurveyingRoutes = QT_TRANSLATE_NOOP("Tevra", "ＱＳＬマネージャ, エンティティを調査中...");
inline constexpr std::string_view kLogListTitle = QT_TRANSLATE_NOOP("Tevra", "ログリスト");
// Placeholders: the count, then kCardsAtEnd or kCardsAtStart.
inline constexpr std::string_view kUnknownEntities =
    QT_TRANSLATE_NOOP("Tevra", "不明なエンティティが %u 件ありました.\r\n\r\nこれらのカードは%sに集まります.\r\n\r\n"
    "なおＤＸエンティティの判定についてはファイルメニューの「エンティティ定義ファイルの編集」で修正できます.");
inline constexpr std::string_view kCardsAtEnd = QT_TRANSLATE_NOOP("Tevra", "最後尾");
inline constexpr std::string_view kCardsAtStart = QT_TRANSLATE_NOOP("Tevra", "先頭");
inline constexpr std::string_view kAreaStatisticsTitle = QT_TRANSLATE_NOOP("Tevra", "エリア別カード発行枚数");
inline constexpr std::string_view kObjectCreationFailed102 =
    QT_TRANSLATE_NOOP("Tevra", "ｵﾌﾞｼﾞｪｸﾄの作成に失敗しました。\r\n\r\nｼｽﾃﾑ ﾚｼﾞｽﾄﾘにｵﾌﾞｼﾞｪｸﾄが登録されていないか、\r\nまたはｵﾌﾞｼﾞｪｸﾄの形式が異なります。");
inline constexpr std::string_view kConnectingOdbc = QT_TRANSLATE_NOOP("Tevra", "ＯＤＢＣデータベースに接続中...");
inline constexpr std::string_view kOdbcOpenFailed = QT_TRANSLATE_NOOP("Tevra", "データベースのテーブルを開けませんでした.");
inline constexpr std::string_view kSearchingCall = QT_TRANSLATE_NOOP("Tevra", "指定のコールサインを検索中...");
inline constexpr std::string_view kCallNotFound = QT_TRANSLATE_NOOP("Tevra", "[%s]は見つかりません.");
inline constexpr std::string_view kReadingSettings = QT_TRANSLATE_NOOP("Tevra", "TEVRA.INIを照会中...");
inline constexpr std::string_view kQueryingDbBridge = QT_TRANSLATE_NOOP("Tevra", "DBBRDGを照会中...");
inline constexpr std::string_view kQueryingExtSrc = QT_TRANSLATE_NOOP("Tevra", "EXTSRCを照会中...");
inline constexpr std::string_view kQueryingPrinter = QT_TRANSLATE_NOOP("Tevra", "プリンタ情報を照会中...");
inline constexpr std::string_view kRemoveRegistration =
    QT_TRANSLATE_NOOP("Tevra", "システムレジストリからＴＥＶＲＡを削除します.\r\n\r\n・ﾌｧｲﾙﾀｲﾌﾟ(TVD)による関連付けが失われます.\r\n"
    "・OLEｵｰﾄﾒｰｼｮﾝが使用できなくなります.\r\n・Windowsﾃﾞｨﾚｸﾄﾘ内の「TEVRA.INI」が削除されます.\r\n\r\n"
    "ＴＥＶＲＡを起動しなおすとシステムレジストリへの登録が再度行われます.\r\n");
// Placeholder: the QSO count.
inline constexpr std::string_view kNotSortedForPrint =
    QT_TRANSLATE_NOOP("Tevra", "ログデータがＴＥＶＲＡで並び替えられていません\r\n\r\n並び替えますか?   (%u件)");
inline constexpr std::string_view kContinuePrint = QT_TRANSLATE_NOOP("Tevra", "印刷済みデータがあります.継続位置から印刷しますか?");
inline constexpr std::string_view kTempSpaceLow =
    QT_TRANSLATE_NOOP("Tevra", "Windowsの一時領域に十分な空き容量がありません.\r\nこのまま続けるとWindowsの一時領域が不足する可能性があります.\r\n"
    "溜まっているデータの印刷が終了した後 [OK]を押して継続して下さい.");
inline constexpr std::string_view kAutoPrintNumberNeedsReload = QT_TRANSLATE_NOOP("Tevra", "自動計算を行うには再度ログファイルを読み込んで下さい.");
inline constexpr std::string_view kLogUpdatedElsewhere101 =
    QT_TRANSLATE_NOOP("Tevra", "ログファイルが他のアプリケーションで更新されています.\r\n\r\nレコードの順序が変更されているとＴＥＶＲＡは異なる位置に送信マークを付ける恐れがあります.");
inline constexpr std::string_view kBackupFailed103 =
    QT_TRANSLATE_NOOP("Tevra", "バックアップファイルの作成に失敗しました.ログファイルの更新は行いません.");
inline constexpr std::string_view kNoSendFormula33001 =
    QT_TRANSLATE_NOOP("Tevra", "CSV変換式｢SEND｣が見つかりません.\r\n\r\n参照元のログファイルを更新できません.");
inline constexpr std::string_view kSendFieldUnusable33002 =
    QT_TRANSLATE_NOOP("Tevra", "CSV変換式｢SEND｣がﾌｨｰﾙﾄﾞの範囲外に存在するか、更新禁止が設定されています．\r\n\r\n参照元のログファイルを更新できません.");
inline constexpr std::string_view kAskUpdateLog =
    QT_TRANSLATE_NOOP("Tevra", "差込印刷データを印刷ジョブに送りました。\r\n\r\n現在のログファイルを更新（送信済みマークを付ける）しますか？");
inline constexpr std::string_view kAskClipboardList =
    QT_TRANSLATE_NOOP("Tevra", "差込印刷データを印刷ジョブに送りました。\r\n\r\n印刷済みデータのレコード一覧をクリップボードに格納しますか？");
inline constexpr std::string_view kAskListFile =
    QT_TRANSLATE_NOOP("Tevra", "差込印刷データを印刷ジョブに送りました。\r\n\r\n印刷済みデータのレコード一覧ファイルを作成しますか？");
inline constexpr std::string_view kLogUpdatedWithBackup =
    QT_TRANSLATE_NOOP("Tevra", "ログファイルの更新が終了しました.\r\n\r\n元の状態はバックアップ($BK)に保存されています.");
inline constexpr std::string_view kLogUpdated = QT_TRANSLATE_NOOP("Tevra", "ログファイルの更新が終了しました.");
inline constexpr std::string_view kListFileDone = QT_TRANSLATE_NOOP("Tevra", "一覧ファイルの作成を終了しました.");
inline constexpr std::string_view kSafetyFileTitle = QT_TRANSLATE_NOOP("Tevra", "ＬＯＧ２００セーフティファイルの指定");
inline constexpr std::string_view kSafetyFileFilter = QT_TRANSLATE_NOOP("Tevra", "LOG200ｾｰﾌﾃｨﾌｧｲﾙ(*.l2s)|*.l2s||");
inline constexpr std::string_view kSafetyFileOpenFailed =
    QT_TRANSLATE_NOOP("Tevra", "セーフティファイルのオープンに失敗しました．\r\nファイルの更新を中止します.");
inline constexpr std::string_view kAskCreateSafetyFile =
    QT_TRANSLATE_NOOP("Tevra", "セーフティファイルをログファイルと同じディレクトリに拡張子（L2S）で新規に作成しますか");
inline constexpr std::string_view kSafetyFileCreateFailed =
    QT_TRANSLATE_NOOP("Tevra", "セーフティファイルの作成に失敗しました．\r\nファイルの更新を中止します.");
// Placeholder: the number of records. Not a message of the original
// program: records another program changed since loading are left alone.
inline constexpr std::string_view kRecordsChangedSinceLoad =
    QT_TRANSLATE_NOOP("Tevra", "%u 件のレコードは読み込み後に他のアプリケーションで変更されていたため、送信済みマークを付けませんでした.");
inline constexpr std::string_view kSearchingSuppression = QT_TRANSLATE_NOOP("Tevra", "発行抑止データを検索中...");
// Placeholders: the QSOs not sent yet, the suppressed ones.
inline constexpr std::string_view kAskSuppressionUpdate =
    QT_TRANSLATE_NOOP("Tevra", "%u QSO中の %u QSOが抑止対象として抽出されました.\r\n\r\n参照元のログファイルを更新しますか？");
inline constexpr std::string_view kSuppressionUpdated =
    QT_TRANSLATE_NOOP("Tevra", "ログファイルの更新を終了しました.\r\n\r\n今回印刷分データを抽出します.");
inline constexpr std::string_view kNothingSuppressed =
    QT_TRANSLATE_NOOP("Tevra", "抑止対象のQSOは見つかりませんでした.\r\n\r\n今回印刷分データを抽出します.");
inline constexpr std::string_view kExtractingThisPrint = QT_TRANSLATE_NOOP("Tevra", "今回印刷分データを抽出中...");
inline constexpr std::string_view kCleaningUp = QT_TRANSLATE_NOOP("Tevra", "後始末をしています.しばらくお待ち下さい...");
inline constexpr std::string_view kCannotCreateFile105 = QT_TRANSLATE_NOOP("Tevra", "ファイルが作成できません.");
inline constexpr std::string_view kCopyImageAsItem33012 =
    QT_TRANSLATE_NOOP("Tevra", "OLEｱｲﾃﾑをTEVRAﾈｰﾃｨﾌﾞｱｲﾃﾑとしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存しますか ?\r\n\r\nﾈｰﾃｨﾌﾞｱｲﾃﾑとして保存すると現在の位置、ｻｲｽﾞが記憶できますが、他のｱﾌﾟﾘｹｰｼｮﾝで利用できなくなります.");
inline constexpr std::string_view kMarkingFinished =
    QT_TRANSLATE_NOOP("Tevra", "前回中断した送信済みマークの書き込みを完了しました.");
// The journal's path follows.
inline constexpr std::string_view kMarkingNotFinished =
    QT_TRANSLATE_NOOP("Tevra", "前回中断した送信済みマークの書き込みを完了できませんでした.書き込む内容は次のファイルに残っています:");
// The cause follows in its own paragraph.
inline constexpr std::string_view kLogNotWritten = QT_TRANSLATE_NOOP("Tevra", "ログファイルに書き込めませんでした.");
inline constexpr std::string_view kSourceNotWritten = QT_TRANSLATE_NOOP("Tevra", "参照元のログに書き込めませんでした.");
// Placeholder: the records; their cause follows in its own paragraph.
inline constexpr std::string_view kRecordsRefused = QT_TRANSLATE_NOOP("Tevra", "%u 件のレコードには送信済みマークを付けられませんでした.");
inline constexpr std::string_view kCannotOpenFile106 =
    QT_TRANSLATE_NOOP("Tevra", "ファイルがオープンできません.ファイルが存在しないか他のアプリケーションで使用中です.");
inline constexpr std::string_view kUnexpectedFormat107 = QT_TRANSLATE_NOOP("Tevra", "予期しないファイル形式です。読み込みを中止します。");
// A log whose record positions would not fit the 32-bit positions of the store.
// A send mark that the log's sent field cannot take (%zu: the field's width in bytes).
inline constexpr std::string_view kSendMarkTooWide =
    QT_TRANSLATE_NOOP("Tevra", "送信マークがログの送信欄(%zuバイト)に入りません.ログファイルの更新は行いません.");
inline constexpr std::string_view kSendMarkMissing = QT_TRANSLATE_NOOP("Tevra", "送信マークを入力してください.");
inline constexpr std::string_view kSendMarkEmpty = QT_TRANSLATE_NOOP("Tevra", "送信マークが空です.ログファイルの更新は行いません.");
inline constexpr std::string_view kSendMarkControl =
    QT_TRANSLATE_NOOP("Tevra", "送信マークに使えない文字が含まれています.ログファイルの更新は行いません.");
inline constexpr std::string_view kSuppressionNotWritten =
    QT_TRANSLATE_NOOP("Tevra", "ログファイルに抑止マークを書き込めませんでした.抑止対象のQSOも今回印刷します.");
// %u records of %u carry the mark after a write-back that failed.
inline constexpr std::string_view kRecordsMarkedBeforeFailure =
    QT_TRANSLATE_NOOP("Tevra", "印刷した %2$u 件のうち %1$u 件に送信済みマークを付けたところで更新が中断しました.残りには付いていません.");
inline constexpr std::string_view kLogTooLarge = QT_TRANSLATE_NOOP("Tevra", "ログファイルが大きすぎます(2GBまで)。読み込みを中止します。");
inline constexpr std::string_view kLayoutNewerVersion =
    QT_TRANSLATE_NOOP("Tevra", "このデータはＴＥＶＲＡの新しいバージョンで作成されています.\r\n\r\n読み込むには新しいＴＥＶＲＡが必要です.");
inline constexpr std::string_view kLayoutOlderVersion =
    QT_TRANSLATE_NOOP("Tevra", "このデータはＴＥＶＲＡの古いバージョンで作成されています.\r\n\r\n新しい形式に変換しながら読み込みを続行します.");
inline constexpr std::string_view kUnsupportedNativeData =
    QT_TRANSLATE_NOOP("Tevra", "現在読み込み中のデータはＴＥＶＲＡがサポートしないネーティブデータを含んでいます.\r\n\r\n"
    "ＴＥＶＲＡが正常に動作しない恐れがあるので読み込みは中止されます.");
// A layout file that ends early or nests groups beyond reason.
inline constexpr std::string_view kBrokenLayoutFile = QT_TRANSLATE_NOOP("Tevra", "レイアウトファイルが壊れています。読み込みを中止します。");
inline constexpr std::string_view kNoRecords33000 = QT_TRANSLATE_NOOP("Tevra", "レコードが存在しません.");
inline constexpr std::string_view kProbablyInvalidFormula = QT_TRANSLATE_NOOP("Tevra", "恐らく無効な変換式です. リストに設定しますか?");
// Placeholder: the skip count.
inline constexpr std::string_view kConfirmSkip = QT_TRANSLATE_NOOP("Tevra", "%d 行のスキップが設定されています. ほんまにええでっか？");
inline constexpr std::string_view kMftFilter = QT_TRANSLATE_NOOP("Tevra", "ＣＳＶ設定ファイル(*.mft)|*.mft||");
inline constexpr std::string_view kMftLoadTitle = QT_TRANSLATE_NOOP("Tevra", "ＣＳＶ設定ファイルの読み込み");
inline constexpr std::string_view kMftSaveTitle = QT_TRANSLATE_NOOP("Tevra", "ＣＳＶ設定ファイルの作成");
inline constexpr std::string_view kDbBridgeVersion =
    QT_TRANSLATE_NOOP("Tevra", "DBBRDG.DLLのバージョンが不適切です.\r\n\r\nTEVRA.EXEとDBBRDG.DLLのバージョンの不一致に問題があります.\r\n"
    "ODBCﾃﾞｰﾀﾍﾞｰｽ接続を利用しない場合はDBBRDG.DLLを削除して下さい.");

inline constexpr std::string_view kNoDbrFile = QT_TRANSLATE_NOOP("Tevra", "関連するＤＢＲファイルを読み込めません");


}  // namespace tevra::msg
