#include "program/commands.h"

#include <algorithm>
#include <array>

namespace tevra {
namespace {

using namespace cmd;

const CommandInfo kCommands[] = {
    // File
    {kFileNew, "新規作成(&N)\tCtrl+N", "新規にドキュメントを作成\n新規作成", "Ctrl+N"},
    {kFileOpen, "開く(&O)...\tCtrl+O", "既存のドキュメントを開く\n開く", "Ctrl+O"},
    {kFileSave, "上書き保存(&S)\tCtrl+S", "ドキュメントを上書きして保存\n上書き保存", "Ctrl+S"},
    {kFileSaveAs, "名前を付けて保存(&A)...", "ドキュメントを新しい名前で保存\n名前を付けて保存", ""},
    {kLogOpen, "ログファイルのロード(&L)...", "ログファイルを読み込みます\nログファイルのロード", ""},
    {kPlugin, "EXTSRC.DLLデータベース接続", "プラグインのログに接続します", ""},
    {kOdbc, "ＯＤＢＣデータベースに接続...", "ＯＤＢＣデータベースのログに接続します", ""},
    {kQslForm, "ＱＳＬフォームの設定(&F)...", "ＱＳＬフォームの設定", ""},
    {kDocumentInfo, "文書情報(&I)...", "文書情報の設定・確認", ""},
    {kRigAnt, "RIG/ANTの設定(&E)...", "リグ・アンテナの環境を設定します", ""},
    {kPrint, "差込印刷(&P)...\tCtrl+P", "ログデータを差し込んで印刷します\n差込印刷", "Ctrl+P"},
    {kTestPrint, "テスト印刷(&T)...\tCtrl+T", "表示中のカードを印刷します\nテスト印刷", "Ctrl+T"},
    {kPrintDirect, "ダイアログなしでテスト印刷\tAlt+T", "表示中のカードをすぐに印刷します", "Alt+T"},
    {kPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "印刷イメージを表示します\n印刷ﾌﾟﾚﾋﾞｭｰ", ""},
    {kPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", "プリンタと用紙を設定します", ""},
    {kPrintNumber, "印刷番号(&P)...", "印刷番号の確認と変更", ""},
    {kPrintMessages, "印刷メッセージの登録...", "印刷時のメッセージを登録します", ""},
    {kEditEntities, "エンティティ定義ファイルの編集", "エンティティ定義ファイルをエディタで開きます", ""},
    {kReloadEntities, "エンティティ定義ファイルの再ロード", "エンティティ定義ファイルを読み直します", ""},
    {kAppExit, "アプリケーションの終了(&X)", "アプリケーションを終了します\n終了", ""},
    {kRecentLayout1, "", "この文書を開く", ""},
    {kRecentLayout1 + 1, "", "この文書を開く", ""},
    {kRecentLayout1 + 2, "", "この文書を開く", ""},
    {kRecentLayout1 + 3, "", "この文書を開く", ""},
    {kRecentLog1, "", "最新のログファイル", ""},
    {kRecentLog1 + 1, "", "最新のログファイル", ""},
    {kRecentLog1 + 2, "", "最新のログファイル", ""},
    {kRecentLog1 + 3, "", "最新のログファイル", ""},
    // Edit
    {kEditUndo, "元に戻す(&U)\tCtrl+Z", "操作の取り消し\n元に戻す", "Ctrl+Z;Alt+Backspace"},
    {kEditRedo, "やり直し(&R)\tCtrl+Y", "取り消した操作をやり直します\nやり直し", "Ctrl+Y;Ctrl+Shift+Z"},
    {kEditCut, "切り取り(&T)\tCtrl+X", "選択範囲を切り取ってクリップボードに移動します\n切り取り", "Ctrl+X;Shift+Del"},
    {kEditCopy, "コピー(&C)\tCtrl+C", "選択範囲をコピーしてクリップボードに保存します\nコピー", "Ctrl+C;Ctrl+Ins"},
    {kEditPaste, "貼り付け(&P)\tCtrl+V", "クリップボードの内容を貼り付けます\n貼り付け", "Ctrl+V;Shift+Ins"},
    {kDelete, "削除(&D)\tDel", "選択アイテムを削除します", "Del"},
    {kSelectAll, "すべて選択(&A)\tCtrl+A", "すべてのアイテムを選択する", "Ctrl+A"},
    {kEditItem, "編集(&E)\tCtrl+E", "選択データの編集", "Ctrl+E"},
    {kCondition, "描画条件...", "描画条件を設定します", ""},
    {kColour, "色の変更...", "色の変更\n色の変更", ""},
    {kLineStyle, "線の種類の設定...", "線の種類の設定\n線の種類", ""},
    {kFont, "フォントの変更...", "フォントの変更\nフォント", ""},
    {kInsertObject, "ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け...", "ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け", ""},
    {kEditFind, "コールサインの検索(&F)...\tCtrl+F", "指定したコールサインの検索\nコールサインの検索", "Ctrl+F"},
    {kFindNext, "次を検索\tF3", "次のコールサインを検索します", "F3"},
    {kFindPrev, "前を検索\tShift+F3", "前のコールサインを検索します", "Shift+F3"},
    // View
    {kViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰ", "", true},
    {kViewDrawBar, "描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ", "描画アイテムツールバーの表示/非表示\n描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ", "", true},
    {kViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰ", "", true},
    {kZoom, "表示の拡大/縮小(&Z)", "表示の拡大/縮小\n拡大/縮小", ""},
    {kGridToggle, "グリッド表示(&G)", "グリッド表示を切り替えます\nグリッド表示", ""},
    {kGridSpacing, "グリッドの設定...", "グリッド間隔を設定します\nグリッド間隔", ""},
    {kPrinterMask, "印刷不可領域のマスク", "印刷不可領域のマスク", "", true},
    {kMergeToggle, "データ差込(&M)", "データ差込をトグル切り替えします\nデータ差込", "", true},
    {kPrevQso, "前のＱＳＯデータ", "前のＱＳＯデータを差し込む\n前のＱＳＯ", ""},
    {kNextQso, "次のＱＳＯデータ", "次のＱＳＯデータを差し込む\n次のＱＳＯ", ""},
    {kContinuous, "ログデータの差込を連続表示", "ログデータの差込を連続表示", "", true},
    // Drawing tools
    {kToolSelect, "選択(&S)", "図形を選択する\n選択", "", true},
    {kToolLine, "直線(&L)", "直線を引く \n直線", "", true},
    {kToolBox, "ボックス(&B)", "ボックスを作成する\nボックス", "", true},
    {kToolRoundBox, "丸ボックス(&R)", "丸ボックスを作成する\n丸ボックス", "", true},
    {kToolEllipse, "円・楕円(&E)", "円・楕円を作成します\n円・楕円", "", true},
    {kToolFill, "塗りつぶし(&F)", "塗りつぶします\n塗りつぶし", "", true},
    {kToolString, "文字列(&T)", "文字列を作成する\n文字列", "", true},
    {kToolTextBox, "テキストボックス(&X)", "テキストボックスを作成します\nテキストボックス", "", true},
    {kToolCheckBox, "チェックボックス(&C)", "条件付きチェックボックスを作成します\nチェックボックス", "", true},
    {kToolJarl, "JARL転送枠(&J)", "JARL転送枠を作成します\nJARL転送枠", "", true},
    {kToolDataMark, "データマーク(&D)", "データマークを作成します\nデータマーク", "", true},
    {kToolObject, "オブジェクト(&O)", "他のアプリケーションのオブジェクトを貼り付けます\nオブジェクト", "", true},
    // Arrangement
    {kCentreH, "用紙水平中央", "選択アイテムを用紙の水平中央に移動します", ""},
    {kCentreV, "用紙垂直中央", "選択アイテムを用紙の垂直中央に移動します", ""},
    {kJarlPosition, "JARL指定", "JARL転送枠を指定の位置に移動します", ""},
    {kAlignTop, "水平上端合わせ", "上端をそろえます", ""},
    {kAlignMiddle, "水平中心合わせ", "上下の中心をそろえます", ""},
    {kAlignBottom, "水平下端合わせ", "下端をそろえます", ""},
    {kAlignLeft, "垂直左端合わせ", "左端をそろえます", ""},
    {kAlignCentre, "垂直中心合わせ", "左右の中心をそろえます", ""},
    {kAlignRight, "垂直右端合わせ", "右端をそろえます", ""},
    {kSpreadH, "水平均等配置", "水平方向に均等に配置します", ""},
    {kSpreadV, "垂直均等配置", "垂直方向に均等に配置します", ""},
    {kScale50, "50%", "50%に縮小します", ""},
    {kScale66, "66%", "66%に縮小します", ""},
    {kScale75, "75%", "75%に縮小します", ""},
    {kScale133, "133%", "133%に拡大します", ""},
    {kScale150, "150%", "150%に拡大します", ""},
    {kScale200, "200%", "200%に拡大します", ""},
    {kScaleAny, "任意...", "拡大/縮小の比率を指定します", ""},
    {kMoveBy, "選択アイテムの移動...", "選択アイテムを数値で移動します", ""},
    {kToHead, "先頭に移動(&S)", "アイテムを先頭に移動します", ""},
    {kToEnd, "末尾に移動(&B)", "アイテムを末尾に移動します", ""},
    {kNextOverlap, "次の重なりアイテムを検索\tF4", "次の重なりアイテムを選択します", "F4"},
    {kPrevOverlap, "前の重なりアイテムを検索\tShift+F4", "前の重なりアイテムを選択します", "Shift+F4"},
    {kGroup, "グループ化(&G)\tCtrl+G", "選択アイテムをグループ化します", "Ctrl+G"},
    {kUngroup, "グループ化の解除(&R)\tCtrl+R", "グループを解除します", "Ctrl+R"},
    {kToString, "文字列", "文字列に変換します", ""},
    {kToTextBox, "テキストボックス", "テキストボックスに変換します", ""},
    {kToDataMark, "データマーク", "データマークに変換します", ""},
    {kToBox, "ボックス", "ボックスに変換します", ""},
    {kToRoundBox, "丸ボックス", "丸ボックスに変換します", ""},
    {kToEllipse, "楕円", "楕円に変換します", ""},
    {kNaturalSize, "ﾈｰﾃｨﾌﾞｻｲｽﾞに変更", "ｵﾌﾞｼﾞｪｸﾄを本来の大きさにします", ""},
    // Log
    {kLogList, "ログリスト(&L)...\tCtrl+L", "ログリスト\nログリスト", "Ctrl+L"},
    {kQsoData, "ＱＳＯデータ(&Q)...", "ＱＳＯデータ\nＱＳＯデータ", ""},
    {kCommonTable1, "Table(1)...", "共通条件テーブル", ""},
    {kCommonTable1 + 1, "Table(2)...", "共通条件テーブル", ""},
    {kCommonTable1 + 2, "Table(3)...", "共通条件テーブル", ""},
    {kCommonTable1 + 3, "Table(4)...", "共通条件テーブル", ""},
    {kCommonTable1 + 4, "Table(5)...", "共通条件テーブル", ""},
    {kCommonTable1 + 5, "Table(6)...", "共通条件テーブル", ""},
    {kCommonTable1 + 6, "Table(7)...", "共通条件テーブル", ""},
    {kCommonTable1 + 7, "Table(8)...", "共通条件テーブル", ""},
    {kCommonTable1 + 8, "Table(9)...", "共通条件テーブル", ""},
    {kCommonTable1 + 9, "Table(10)...", "共通条件テーブル", ""},
    {kModeTable, "モード変換テーブル(&C)...", "モード変換テーブル", ""},
    {kMacros, "マクロ(&M)...", "マクロの定義", ""},
    {kOptions, "オプション(&O)...", "オプション", ""},
    // Help
    {kHelpIndex, "目次(&H)", "ヘルプの目次を表示します", ""},
    {kHelp, "ヘルプ\tF1", "ヘルプを表示します", "F1"},
    {kContextHelp, "状況依存ヘルプ\tShift+F1", "クリックした項目のヘルプを表示します\nヘルプ", "Shift+F1"},
    {kHomePage, "KESTRLホームページ(&M)", "KESTRLホームページに接続", ""},
    {kDownloadWeb, "TEVRAダウンロードWeb(&W)", "最新のTEVRAのダウンロードWeb", ""},
    {kAppAbout, "ﾊﾞｰｼﾞｮﾝ情報(TEVRA) (&A)...", "プログラム情報、バージョン、著作権を表示します\nバージョン情報", ""},
};

// Submenus, referred to as -(index + 1).
const MenuInfo kSubmenus[] = {
    {"配置", {kCentreH, kCentreV, kJarlPosition, 0, kAlignTop, kAlignMiddle, kAlignBottom, kAlignLeft, kAlignCentre,
              kAlignRight, 0, kSpreadH, kSpreadV}},
    {"サイズ", {kScale50, kScale66, kScale75, kScale133, kScale150, kScale200, kScaleAny}},
    {"変換", {kToString, kToTextBox, kToDataMark, kToBox, kToRoundBox, kToEllipse}},
    {"共通条件テーブル", {kCommonTable1, kCommonTable1 + 1, kCommonTable1 + 2, kCommonTable1 + 3, kCommonTable1 + 4,
                          kCommonTable1 + 5, kCommonTable1 + 6, kCommonTable1 + 7, kCommonTable1 + 8, kCommonTable1 + 9}},
};
constexpr int kArrangeMenu = -1, kSizeMenu = -2, kConvertMenu = -3, kTablesMenu = -4;

const MenuInfo kMenus[] = {
    {"ファイル(&F)",
     {kFileNew, kFileOpen, kFileSave, kFileSaveAs, 0, kLogOpen, kPlugin, kOdbc, 0, kQslForm, kDocumentInfo, kRigAnt, 0, kPrint,
      kTestPrint, kPrintDirect, kPrintPreview, kPrintSetup, 0, kPrintNumber, kPrintMessages, 0, kRecentLayout1,
      kRecentLayout1 + 1, kRecentLayout1 + 2, kRecentLayout1 + 3, 0, kRecentLog1, kRecentLog1 + 1, kRecentLog1 + 2,
      kRecentLog1 + 3, 0, kEditEntities, kReloadEntities, 0, kAppExit}},
    {"編集(&E)",
     {kEditUndo, kEditRedo, 0, kEditCut, kEditCopy, kEditPaste, kDelete, kSelectAll, 0, kEditItem, kCondition, 0, kColour,
      kLineStyle, kFont, 0, kInsertObject, 0, kEditFind, kFindNext, kFindPrev}},
    {"表示(&V)",
     {kViewToolBar, kViewDrawBar, kViewStatusBar, 0, kZoom, kGridToggle, kGridSpacing, kPrinterMask, 0, kMergeToggle,
      kPrevQso, kNextQso, kContinuous}},
    {"描画(&D)",
     {kToolSelect, 0, kToolLine, kToolBox, kToolRoundBox, kToolEllipse, kToolFill, kToolString, kToolTextBox,
      kToolCheckBox, kToolJarl, kToolDataMark, kToolObject}},
    {"配置(&A)",
     {kArrangeMenu, kSizeMenu, kMoveBy, 0, kToHead, kToEnd, kNextOverlap, kPrevOverlap, 0, kGroup, kUngroup, 0,
      kConvertMenu, kNaturalSize}},
    {"ログ(&L)", {kLogList, kQsoData, 0, kTablesMenu, kModeTable, kMacros, 0, kOptions}},
    {"ヘルプ(&H)", {kHelpIndex, kHelp, kContextHelp, 0, kHomePage, kDownloadWeb, 0, kAppAbout}},
};

const int kMainBar[] = {kFileNew,   kFileOpen,    kFileSave,  0,         kEditCut, kEditCopy, kEditPaste, 0,
                        kPrint,     kTestPrint,   kPrintPreview, 0,      kGridToggle, kGridSpacing, kZoom, 0,
                        kMergeToggle, kQsoData,   kLogList,   kEditFind, kPrevQso, kNextQso, 0,
                        kAppAbout,  kContextHelp};
const int kDrawBar[] = {kToolSelect, kToolLine,     kToolBox,      kToolRoundBox, kToolEllipse, kToolFill,
                        kToolString, kToolTextBox,  kToolCheckBox, kToolJarl,     kToolDataMark, kToolObject,
                        0,           kColour,       kLineStyle,    kFont};

// Tools by their value.
constexpr std::array<int, 12> kToolCommands = {kToolSelect,   kToolLine,   kToolBox,      kToolString,
                                               kToolJarl,     kToolCheckBox, kToolDataMark, kToolEllipse,
                                               kToolObject,   kToolTextBox, kToolRoundBox, kToolFill};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  for (const auto& c : kCommands)
    if (c.id == id) return &c;
  return nullptr;
}

std::span<const MenuInfo> MainMenus() { return kMenus; }
std::span<const MenuInfo> Submenus() { return kSubmenus; }
std::span<const int> MainToolBar() { return kMainBar; }
std::span<const int> DrawingToolBar() { return kDrawBar; }

int ToolOfCommand(int id) {
  const auto it = std::find(kToolCommands.begin(), kToolCommands.end(), id);
  return it == kToolCommands.end() ? -1 : static_cast<int>(it - kToolCommands.begin());
}

bool IsArrangeCommand(int id) { return (id >= kCentreH && id <= kNaturalSize) || id == kGroup || id == kUngroup; }

int CommandOfTool(int tool) {
  return tool >= 0 && tool < static_cast<int>(kToolCommands.size()) ? kToolCommands[static_cast<std::size_t>(tool)]
                                                                     : -1;
}

}  // namespace tevra
