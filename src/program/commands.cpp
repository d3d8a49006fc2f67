#include "program/commands.h"

#include <algorithm>
#include <array>

#include "core/translatable.h"

namespace tevra {
namespace {

using namespace cmd;

const CommandInfo kCommands[] = {
    // File
    {kFileNew, QT_TRANSLATE_NOOP("Tevra", "新規作成(&N)\tCtrl+N"), QT_TRANSLATE_NOOP("Tevra", "新規にドキュメントを作成\n新規作成"), "Ctrl+N"},
    {kFileOpen, QT_TRANSLATE_NOOP("Tevra", "開く(&O)...\tCtrl+O"), QT_TRANSLATE_NOOP("Tevra", "既存のドキュメントを開く\n開く"), "Ctrl+O"},
    {kFileSave, QT_TRANSLATE_NOOP("Tevra", "上書き保存(&S)\tCtrl+S"), QT_TRANSLATE_NOOP("Tevra", "ドキュメントを上書きして保存\n上書き保存"), "Ctrl+S"},
    {kFileSaveAs, QT_TRANSLATE_NOOP("Tevra", "名前を付けて保存(&A)..."), QT_TRANSLATE_NOOP("Tevra", "ドキュメントを新しい名前で保存\n名前を付けて保存"), ""},
    {kLogOpen, QT_TRANSLATE_NOOP("Tevra", "ログファイルのロード(&L)..."), QT_TRANSLATE_NOOP("Tevra", "ログファイルを読み込みます\nログファイルのロード"), ""},
    {kPlugin, QT_TRANSLATE_NOOP("Tevra", "EXTSRC.DLLデータベース接続"), QT_TRANSLATE_NOOP("Tevra", "プラグインのログに接続します"), ""},
    {kOdbc, QT_TRANSLATE_NOOP("Tevra", "ＯＤＢＣデータベースに接続..."), QT_TRANSLATE_NOOP("Tevra", "ＯＤＢＣデータベースのログに接続します"), ""},
    {kQslForm, QT_TRANSLATE_NOOP("Tevra", "ＱＳＬフォームの設定(&F)..."), QT_TRANSLATE_NOOP("Tevra", "ＱＳＬフォームの設定"), ""},
    {kDocumentInfo, QT_TRANSLATE_NOOP("Tevra", "文書情報(&I)..."), QT_TRANSLATE_NOOP("Tevra", "文書情報の設定・確認"), ""},
    {kRigAnt, QT_TRANSLATE_NOOP("Tevra", "RIG/ANTの設定(&E)..."), QT_TRANSLATE_NOOP("Tevra", "リグ・アンテナの環境を設定します"), ""},
    {kPrint, QT_TRANSLATE_NOOP("Tevra", "差込印刷(&P)...\tCtrl+P"), QT_TRANSLATE_NOOP("Tevra", "ログデータを差し込んで印刷します\n差込印刷"), "Ctrl+P"},
    {kTestPrint, QT_TRANSLATE_NOOP("Tevra", "テスト印刷(&T)...\tCtrl+T"), QT_TRANSLATE_NOOP("Tevra", "表示中のカードを印刷します\nテスト印刷"), "Ctrl+T"},
    {kPrintDirect, QT_TRANSLATE_NOOP("Tevra", "ダイアログなしでテスト印刷\tAlt+T"), QT_TRANSLATE_NOOP("Tevra", "表示中のカードをすぐに印刷します"), "Alt+T"},
    {kPrintPreview, QT_TRANSLATE_NOOP("Tevra", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), QT_TRANSLATE_NOOP("Tevra", "印刷イメージを表示します\n印刷ﾌﾟﾚﾋﾞｭｰ"), ""},
    {kPrintSetup, QT_TRANSLATE_NOOP("Tevra", "ﾌﾟﾘﾝﾀの設定(&R)..."), QT_TRANSLATE_NOOP("Tevra", "プリンタと用紙を設定します"), ""},
    {kPrintNumber, QT_TRANSLATE_NOOP("Tevra", "印刷番号(&P)..."), QT_TRANSLATE_NOOP("Tevra", "印刷番号の確認と変更"), ""},
    {kPrintMessages, QT_TRANSLATE_NOOP("Tevra", "印刷メッセージの登録..."), QT_TRANSLATE_NOOP("Tevra", "印刷時のメッセージを登録します"), ""},
    {kEditEntities, QT_TRANSLATE_NOOP("Tevra", "エンティティ定義ファイルの編集"), QT_TRANSLATE_NOOP("Tevra", "エンティティ定義ファイルをエディタで開きます"), ""},
    {kReloadEntities, QT_TRANSLATE_NOOP("Tevra", "エンティティ定義ファイルの再ロード"), QT_TRANSLATE_NOOP("Tevra", "エンティティ定義ファイルを読み直します"), ""},
    {kAppExit, QT_TRANSLATE_NOOP("Tevra", "アプリケーションの終了(&X)"), QT_TRANSLATE_NOOP("Tevra", "アプリケーションを終了します\n終了"), ""},
    {kRecentLayout1, "", QT_TRANSLATE_NOOP("Tevra", "この文書を開く"), ""},
    {kRecentLayout1 + 1, "", QT_TRANSLATE_NOOP("Tevra", "この文書を開く"), ""},
    {kRecentLayout1 + 2, "", QT_TRANSLATE_NOOP("Tevra", "この文書を開く"), ""},
    {kRecentLayout1 + 3, "", QT_TRANSLATE_NOOP("Tevra", "この文書を開く"), ""},
    {kRecentLog1, "", QT_TRANSLATE_NOOP("Tevra", "最新のログファイル"), ""},
    {kRecentLog1 + 1, "", QT_TRANSLATE_NOOP("Tevra", "最新のログファイル"), ""},
    {kRecentLog1 + 2, "", QT_TRANSLATE_NOOP("Tevra", "最新のログファイル"), ""},
    {kRecentLog1 + 3, "", QT_TRANSLATE_NOOP("Tevra", "最新のログファイル"), ""},
    // Edit
    {kEditUndo, QT_TRANSLATE_NOOP("Tevra", "元に戻す(&U)\tCtrl+Z"), QT_TRANSLATE_NOOP("Tevra", "操作の取り消し\n元に戻す"), "Ctrl+Z;Alt+Backspace"},
    {kEditRedo, QT_TRANSLATE_NOOP("Tevra", "やり直し(&R)\tCtrl+Y"), QT_TRANSLATE_NOOP("Tevra", "取り消した操作をやり直します\nやり直し"), "Ctrl+Y;Ctrl+Shift+Z"},
    {kEditCut, QT_TRANSLATE_NOOP("Tevra", "切り取り(&T)\tCtrl+X"), QT_TRANSLATE_NOOP("Tevra", "選択範囲を切り取ってクリップボードに移動します\n切り取り"), "Ctrl+X;Shift+Del"},
    {kEditCopy, QT_TRANSLATE_NOOP("Tevra", "コピー(&C)\tCtrl+C"), QT_TRANSLATE_NOOP("Tevra", "選択範囲をコピーしてクリップボードに保存します\nコピー"), "Ctrl+C;Ctrl+Ins"},
    {kEditPaste, QT_TRANSLATE_NOOP("Tevra", "貼り付け(&P)\tCtrl+V"), QT_TRANSLATE_NOOP("Tevra", "クリップボードの内容を貼り付けます\n貼り付け"), "Ctrl+V;Shift+Ins"},
    {kDelete, QT_TRANSLATE_NOOP("Tevra", "削除(&D)\tDel"), QT_TRANSLATE_NOOP("Tevra", "選択アイテムを削除します"), "Del"},
    {kSelectAll, QT_TRANSLATE_NOOP("Tevra", "すべて選択(&A)\tCtrl+A"), QT_TRANSLATE_NOOP("Tevra", "すべてのアイテムを選択する"), "Ctrl+A"},
    {kEditItem, QT_TRANSLATE_NOOP("Tevra", "編集(&E)\tCtrl+E"), QT_TRANSLATE_NOOP("Tevra", "選択データの編集"), "Ctrl+E"},
    {kCondition, QT_TRANSLATE_NOOP("Tevra", "描画条件..."), QT_TRANSLATE_NOOP("Tevra", "描画条件を設定します"), ""},
    {kColour, QT_TRANSLATE_NOOP("Tevra", "色の変更..."), QT_TRANSLATE_NOOP("Tevra", "色の変更\n色の変更"), ""},
    {kLineStyle, QT_TRANSLATE_NOOP("Tevra", "線の種類の設定..."), QT_TRANSLATE_NOOP("Tevra", "線の種類の設定\n線の種類"), ""},
    {kFont, QT_TRANSLATE_NOOP("Tevra", "フォントの変更..."), QT_TRANSLATE_NOOP("Tevra", "フォントの変更\nフォント"), ""},
    {kInsertObject, QT_TRANSLATE_NOOP("Tevra", "ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け..."), QT_TRANSLATE_NOOP("Tevra", "ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け"), ""},
    {kEditFind, QT_TRANSLATE_NOOP("Tevra", "コールサインの検索(&F)...\tCtrl+F"), QT_TRANSLATE_NOOP("Tevra", "指定したコールサインの検索\nコールサインの検索"), "Ctrl+F"},
    {kFindNext, QT_TRANSLATE_NOOP("Tevra", "次を検索\tF3"), QT_TRANSLATE_NOOP("Tevra", "次のコールサインを検索します"), "F3"},
    {kFindPrev, QT_TRANSLATE_NOOP("Tevra", "前を検索\tShift+F3"), QT_TRANSLATE_NOOP("Tevra", "前のコールサインを検索します"), "Shift+F3"},
    // View
    {kViewToolBar, QT_TRANSLATE_NOOP("Tevra", "ﾂｰﾙ ﾊﾞｰ(&T)"), QT_TRANSLATE_NOOP("Tevra", "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰ"), "", true},
    {kViewDrawBar, QT_TRANSLATE_NOOP("Tevra", "描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ"), QT_TRANSLATE_NOOP("Tevra", "描画アイテムツールバーの表示/非表示\n描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ"), "", true},
    {kViewStatusBar, QT_TRANSLATE_NOOP("Tevra", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"), QT_TRANSLATE_NOOP("Tevra", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰ"), "", true},
    {kZoom, QT_TRANSLATE_NOOP("Tevra", "表示の拡大/縮小(&Z)"), QT_TRANSLATE_NOOP("Tevra", "表示の拡大/縮小\n拡大/縮小"), ""},
    {kGridToggle, QT_TRANSLATE_NOOP("Tevra", "グリッド表示(&G)"), QT_TRANSLATE_NOOP("Tevra", "グリッド表示を切り替えます\nグリッド表示"), ""},
    {kGridSpacing, QT_TRANSLATE_NOOP("Tevra", "グリッドの設定..."), QT_TRANSLATE_NOOP("Tevra", "グリッド間隔を設定します\nグリッド間隔"), ""},
    {kPrinterMask, QT_TRANSLATE_NOOP("Tevra", "印刷不可領域のマスク"), QT_TRANSLATE_NOOP("Tevra", "印刷不可領域のマスク"), "", true},
    {kMergeToggle, QT_TRANSLATE_NOOP("Tevra", "データ差込(&M)"), QT_TRANSLATE_NOOP("Tevra", "データ差込をトグル切り替えします\nデータ差込"), "", true},
    {kPrevQso, QT_TRANSLATE_NOOP("Tevra", "前のＱＳＯデータ"), QT_TRANSLATE_NOOP("Tevra", "前のＱＳＯデータを差し込む\n前のＱＳＯ"), ""},
    {kNextQso, QT_TRANSLATE_NOOP("Tevra", "次のＱＳＯデータ"), QT_TRANSLATE_NOOP("Tevra", "次のＱＳＯデータを差し込む\n次のＱＳＯ"), ""},
    {kContinuous, QT_TRANSLATE_NOOP("Tevra", "ログデータの差込を連続表示"), QT_TRANSLATE_NOOP("Tevra", "ログデータの差込を連続表示"), "", true},
    // Drawing tools
    {kToolSelect, QT_TRANSLATE_NOOP("Tevra", "選択(&S)"), QT_TRANSLATE_NOOP("Tevra", "図形を選択する\n選択"), "", true},
    {kToolLine, QT_TRANSLATE_NOOP("Tevra", "直線(&L)"), QT_TRANSLATE_NOOP("Tevra", "直線を引く \n直線"), "", true},
    {kToolBox, QT_TRANSLATE_NOOP("Tevra", "ボックス(&B)"), QT_TRANSLATE_NOOP("Tevra", "ボックスを作成する\nボックス"), "", true},
    {kToolRoundBox, QT_TRANSLATE_NOOP("Tevra", "丸ボックス(&R)"), QT_TRANSLATE_NOOP("Tevra", "丸ボックスを作成する\n丸ボックス"), "", true},
    {kToolEllipse, QT_TRANSLATE_NOOP("Tevra", "円・楕円(&E)"), QT_TRANSLATE_NOOP("Tevra", "円・楕円を作成します\n円・楕円"), "", true},
    {kToolFill, QT_TRANSLATE_NOOP("Tevra", "塗りつぶし(&F)"), QT_TRANSLATE_NOOP("Tevra", "塗りつぶします\n塗りつぶし"), "", true},
    {kToolString, QT_TRANSLATE_NOOP("Tevra", "文字列(&T)"), QT_TRANSLATE_NOOP("Tevra", "文字列を作成する\n文字列"), "", true},
    {kToolTextBox, QT_TRANSLATE_NOOP("Tevra", "テキストボックス(&X)"), QT_TRANSLATE_NOOP("Tevra", "テキストボックスを作成します\nテキストボックス"), "", true},
    {kToolCheckBox, QT_TRANSLATE_NOOP("Tevra", "チェックボックス(&C)"), QT_TRANSLATE_NOOP("Tevra", "条件付きチェックボックスを作成します\nチェックボックス"), "", true},
    {kToolJarl, QT_TRANSLATE_NOOP("Tevra", "JARL転送枠(&J)"), QT_TRANSLATE_NOOP("Tevra", "JARL転送枠を作成します\nJARL転送枠"), "", true},
    {kToolDataMark, QT_TRANSLATE_NOOP("Tevra", "データマーク(&D)"), QT_TRANSLATE_NOOP("Tevra", "データマークを作成します\nデータマーク"), "", true},
    {kToolObject, QT_TRANSLATE_NOOP("Tevra", "オブジェクト(&O)"), QT_TRANSLATE_NOOP("Tevra", "他のアプリケーションのオブジェクトを貼り付けます\nオブジェクト"), "", true},
    // Arrangement
    {kCentreH, QT_TRANSLATE_NOOP("Tevra", "用紙水平中央"), QT_TRANSLATE_NOOP("Tevra", "選択アイテムを用紙の水平中央に移動します"), ""},
    {kCentreV, QT_TRANSLATE_NOOP("Tevra", "用紙垂直中央"), QT_TRANSLATE_NOOP("Tevra", "選択アイテムを用紙の垂直中央に移動します"), ""},
    {kJarlPosition, QT_TRANSLATE_NOOP("Tevra", "JARL指定"), QT_TRANSLATE_NOOP("Tevra", "JARL転送枠を指定の位置に移動します"), ""},
    {kAlignTop, QT_TRANSLATE_NOOP("Tevra", "水平上端合わせ"), QT_TRANSLATE_NOOP("Tevra", "上端をそろえます"), ""},
    {kAlignMiddle, QT_TRANSLATE_NOOP("Tevra", "水平中心合わせ"), QT_TRANSLATE_NOOP("Tevra", "上下の中心をそろえます"), ""},
    {kAlignBottom, QT_TRANSLATE_NOOP("Tevra", "水平下端合わせ"), QT_TRANSLATE_NOOP("Tevra", "下端をそろえます"), ""},
    {kAlignLeft, QT_TRANSLATE_NOOP("Tevra", "垂直左端合わせ"), QT_TRANSLATE_NOOP("Tevra", "左端をそろえます"), ""},
    {kAlignCentre, QT_TRANSLATE_NOOP("Tevra", "垂直中心合わせ"), QT_TRANSLATE_NOOP("Tevra", "左右の中心をそろえます"), ""},
    {kAlignRight, QT_TRANSLATE_NOOP("Tevra", "垂直右端合わせ"), QT_TRANSLATE_NOOP("Tevra", "右端をそろえます"), ""},
    {kSpreadH, QT_TRANSLATE_NOOP("Tevra", "水平均等配置"), QT_TRANSLATE_NOOP("Tevra", "水平方向に均等に配置します"), ""},
    {kSpreadV, QT_TRANSLATE_NOOP("Tevra", "垂直均等配置"), QT_TRANSLATE_NOOP("Tevra", "垂直方向に均等に配置します"), ""},
    {kScale50, "50%", QT_TRANSLATE_NOOP("Tevra", "50%に縮小します"), ""},
    {kScale66, "66%", QT_TRANSLATE_NOOP("Tevra", "66%に縮小します"), ""},
    {kScale75, "75%", QT_TRANSLATE_NOOP("Tevra", "75%に縮小します"), ""},
    {kScale133, "133%", QT_TRANSLATE_NOOP("Tevra", "133%に拡大します"), ""},
    {kScale150, "150%", QT_TRANSLATE_NOOP("Tevra", "150%に拡大します"), ""},
    {kScale200, "200%", QT_TRANSLATE_NOOP("Tevra", "200%に拡大します"), ""},
    {kScaleAny, QT_TRANSLATE_NOOP("Tevra", "任意..."), QT_TRANSLATE_NOOP("Tevra", "拡大/縮小の比率を指定します"), ""},
    {kMoveBy, QT_TRANSLATE_NOOP("Tevra", "選択アイテムの移動..."), QT_TRANSLATE_NOOP("Tevra", "選択アイテムを数値で移動します"), ""},
    {kToHead, QT_TRANSLATE_NOOP("Tevra", "先頭に移動(&S)"), QT_TRANSLATE_NOOP("Tevra", "アイテムを先頭に移動します"), ""},
    {kToEnd, QT_TRANSLATE_NOOP("Tevra", "末尾に移動(&B)"), QT_TRANSLATE_NOOP("Tevra", "アイテムを末尾に移動します"), ""},
    {kNextOverlap, QT_TRANSLATE_NOOP("Tevra", "次の重なりアイテムを検索\tF4"), QT_TRANSLATE_NOOP("Tevra", "次の重なりアイテムを選択します"), "F4"},
    {kPrevOverlap, QT_TRANSLATE_NOOP("Tevra", "前の重なりアイテムを検索\tShift+F4"), QT_TRANSLATE_NOOP("Tevra", "前の重なりアイテムを選択します"), "Shift+F4"},
    {kGroup, QT_TRANSLATE_NOOP("Tevra", "グループ化(&G)\tCtrl+G"), QT_TRANSLATE_NOOP("Tevra", "選択アイテムをグループ化します"), "Ctrl+G"},
    {kUngroup, QT_TRANSLATE_NOOP("Tevra", "グループ化の解除(&R)\tCtrl+R"), QT_TRANSLATE_NOOP("Tevra", "グループを解除します"), "Ctrl+R"},
    {kToString, QT_TRANSLATE_NOOP("Tevra", "文字列"), QT_TRANSLATE_NOOP("Tevra", "文字列に変換します"), ""},
    {kToTextBox, QT_TRANSLATE_NOOP("Tevra", "テキストボックス"), QT_TRANSLATE_NOOP("Tevra", "テキストボックスに変換します"), ""},
    {kToDataMark, QT_TRANSLATE_NOOP("Tevra", "データマーク"), QT_TRANSLATE_NOOP("Tevra", "データマークに変換します"), ""},
    {kToBox, QT_TRANSLATE_NOOP("Tevra", "ボックス"), QT_TRANSLATE_NOOP("Tevra", "ボックスに変換します"), ""},
    {kToRoundBox, QT_TRANSLATE_NOOP("Tevra", "丸ボックス"), QT_TRANSLATE_NOOP("Tevra", "丸ボックスに変換します"), ""},
    {kToEllipse, QT_TRANSLATE_NOOP("Tevra", "楕円"), QT_TRANSLATE_NOOP("Tevra", "楕円に変換します"), ""},
    {kNaturalSize, QT_TRANSLATE_NOOP("Tevra", "ﾈｰﾃｨﾌﾞｻｲｽﾞに変更"), QT_TRANSLATE_NOOP("Tevra", "ｵﾌﾞｼﾞｪｸﾄを本来の大きさにします"), ""},
    // Log
    {kLogList, QT_TRANSLATE_NOOP("Tevra", "ログリスト(&L)...\tCtrl+L"), QT_TRANSLATE_NOOP("Tevra", "ログリスト\nログリスト"), "Ctrl+L"},
    {kQsoData, QT_TRANSLATE_NOOP("Tevra", "ＱＳＯデータ(&Q)..."), QT_TRANSLATE_NOOP("Tevra", "ＱＳＯデータ\nＱＳＯデータ"), ""},
    {kCommonTable1, "Table(1)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 1, "Table(2)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 2, "Table(3)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 3, "Table(4)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 4, "Table(5)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 5, "Table(6)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 6, "Table(7)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 7, "Table(8)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 8, "Table(9)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kCommonTable1 + 9, "Table(10)...", QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), ""},
    {kModeTable, QT_TRANSLATE_NOOP("Tevra", "モード変換テーブル(&C)..."), QT_TRANSLATE_NOOP("Tevra", "モード変換テーブル"), ""},
    {kMacros, QT_TRANSLATE_NOOP("Tevra", "マクロ(&M)..."), QT_TRANSLATE_NOOP("Tevra", "マクロの定義"), ""},
    {kOptions, QT_TRANSLATE_NOOP("Tevra", "オプション(&O)..."), QT_TRANSLATE_NOOP("Tevra", "オプション"), ""},
    // Help
    {kHelpIndex, QT_TRANSLATE_NOOP("Tevra", "目次(&H)"), QT_TRANSLATE_NOOP("Tevra", "ヘルプの目次を表示します"), ""},
    {kHelp, QT_TRANSLATE_NOOP("Tevra", "ヘルプ\tF1"), QT_TRANSLATE_NOOP("Tevra", "ヘルプを表示します"), "F1"},
    {kContextHelp, QT_TRANSLATE_NOOP("Tevra", "状況依存ヘルプ\tShift+F1"), QT_TRANSLATE_NOOP("Tevra", "クリックした項目のヘルプを表示します\nヘルプ"), "Shift+F1"},
    {kHomePage, QT_TRANSLATE_NOOP("Tevra", "KESTRLホームページ(&M)"), QT_TRANSLATE_NOOP("Tevra", "KESTRLホームページに接続"), ""},
    {kDownloadWeb, QT_TRANSLATE_NOOP("Tevra", "TEVRAダウンロードWeb(&W)"), QT_TRANSLATE_NOOP("Tevra", "最新のTEVRAのダウンロードWeb"), ""},
    {kAppAbout, QT_TRANSLATE_NOOP("Tevra", "ﾊﾞｰｼﾞｮﾝ情報(TEVRA) (&A)..."), QT_TRANSLATE_NOOP("Tevra", "プログラム情報、バージョン、著作権を表示します\nバージョン情報"), ""},
};

// Submenus, referred to as -(index + 1).
const MenuInfo kSubmenus[] = {
    {QT_TRANSLATE_NOOP("Tevra", "配置"), {kCentreH, kCentreV, kJarlPosition, 0, kAlignTop, kAlignMiddle, kAlignBottom, kAlignLeft, kAlignCentre,
              kAlignRight, 0, kSpreadH, kSpreadV}},
    {QT_TRANSLATE_NOOP("Tevra", "サイズ"), {kScale50, kScale66, kScale75, kScale133, kScale150, kScale200, kScaleAny}},
    {QT_TRANSLATE_NOOP("Tevra", "変換"), {kToString, kToTextBox, kToDataMark, kToBox, kToRoundBox, kToEllipse}},
    {QT_TRANSLATE_NOOP("Tevra", "共通条件テーブル"), {kCommonTable1, kCommonTable1 + 1, kCommonTable1 + 2, kCommonTable1 + 3, kCommonTable1 + 4,
                          kCommonTable1 + 5, kCommonTable1 + 6, kCommonTable1 + 7, kCommonTable1 + 8, kCommonTable1 + 9}},
};
constexpr int kArrangeMenu = -1, kSizeMenu = -2, kConvertMenu = -3, kTablesMenu = -4;

const MenuInfo kMenus[] = {
    {QT_TRANSLATE_NOOP("Tevra", "ファイル(&F)"),
     {kFileNew, kFileOpen, kFileSave, kFileSaveAs, 0, kLogOpen, kPlugin, kOdbc, 0, kQslForm, kDocumentInfo, kRigAnt, 0, kPrint,
      kTestPrint, kPrintDirect, kPrintPreview, kPrintSetup, 0, kPrintNumber, kPrintMessages, 0, kRecentLayout1,
      kRecentLayout1 + 1, kRecentLayout1 + 2, kRecentLayout1 + 3, 0, kRecentLog1, kRecentLog1 + 1, kRecentLog1 + 2,
      kRecentLog1 + 3, 0, kEditEntities, kReloadEntities, 0, kAppExit}},
    {QT_TRANSLATE_NOOP("Tevra", "編集(&E)"),
     {kEditUndo, kEditRedo, 0, kEditCut, kEditCopy, kEditPaste, kDelete, kSelectAll, 0, kEditItem, kCondition, 0, kColour,
      kLineStyle, kFont, 0, kInsertObject, 0, kEditFind, kFindNext, kFindPrev}},
    {QT_TRANSLATE_NOOP("Tevra", "表示(&V)"),
     {kViewToolBar, kViewDrawBar, kViewStatusBar, 0, kZoom, kGridToggle, kGridSpacing, kPrinterMask, 0, kMergeToggle,
      kPrevQso, kNextQso, kContinuous}},
    {QT_TRANSLATE_NOOP("Tevra", "描画(&D)"),
     {kToolSelect, 0, kToolLine, kToolBox, kToolRoundBox, kToolEllipse, kToolFill, kToolString, kToolTextBox,
      kToolCheckBox, kToolJarl, kToolDataMark, kToolObject}},
    {QT_TRANSLATE_NOOP("Tevra", "配置(&A)"),
     {kArrangeMenu, kSizeMenu, kMoveBy, 0, kToHead, kToEnd, kNextOverlap, kPrevOverlap, 0, kGroup, kUngroup, 0,
      kConvertMenu, kNaturalSize}},
    {QT_TRANSLATE_NOOP("Tevra", "ログ(&L)"), {kLogList, kQsoData, 0, kTablesMenu, kModeTable, kMacros, 0, kOptions}},
    {QT_TRANSLATE_NOOP("Tevra", "ヘルプ(&H)"), {kHelpIndex, kHelp, kContextHelp, 0, kHomePage, kDownloadWeb, 0, kAppAbout}},
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
