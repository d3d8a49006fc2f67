<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>Tevra</name>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>サイズ変更</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>起動時の印刷番号</source>
        <translation>Print number at start</translation>
    </message>
    <message>
        <source>現在の印刷番号</source>
        <translation>Current print number</translation>
    </message>
    <message>
        <source>新しい印刷番号</source>
        <translation>New print number</translation>
    </message>
    <message>
        <source>戻す</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>ログ読み込み時に自動計算</source>
        <translation>Calculate automatically when a log is loaded</translation>
    </message>
    <message>
        <source>ｵﾌﾞｼﾞｪｸﾄの挿入</source>
        <translation>Insert Object</translation>
    </message>
    <message>
        <source>画像 (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Images (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>画像の挿入</source>
        <translation>Insert Image</translation>
    </message>
    <message>
        <source>レディ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>ｱｲﾃﾑ %1</source>
        <translation>Items %1</translation>
    </message>
    <message>
        <source>ﾛｸﾞ %1件</source>
        <translation>Log %1 QSOs</translation>
    </message>
    <message>
        <source>%1枚</source>
        <translation>%1 cards</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>最新のログファイル</source>
        <translation>Recent log file</translation>
    </message>
    <message>
        <source>ＱＳＯデータ - </source>
        <translation>QSO Data - </translation>
    </message>
    <message>
        <source>ＱＳＯデータ</source>
        <translation>QSO Data</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>テーブルの選択</source>
        <translation>Choose a Table</translation>
    </message>
    <message>
        <source>テーブル</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け</source>
        <translation>Create and Paste Object</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ヘルプを表示するコマンドを選ぶか、カードをクリックしてください (Esc: 中止)</source>
        <translation>Choose a command or click on the card to see its help (Esc: cancel)</translation>
    </message>
    <message>
        <source>拡大/縮小の比率(%)を入力して下さい.</source>
        <translation>Enter the scale (%).</translation>
    </message>
    <message>
        <source>ログの読み込み</source>
        <translation>Loading logs</translation>
    </message>
    <message>
        <source>ＱＳＬ送信済みは読み込まない</source>
        <translation>Do not load QSOs whose card was sent</translation>
    </message>
    <message>
        <source>その他の条件</source>
        <translation>Other condition</translation>
    </message>
    <message>
        <source>送信マーク</source>
        <translation>Sent mark</translation>
    </message>
    <message>
        <source>展開時刻</source>
        <translation>Time of the merged QSOs</translation>
    </message>
    <message>
        <source>アイテム作成を継続する</source>
        <translation>Keep creating items</translation>
    </message>
    <message>
        <source>同じ基本コールはまとめる</source>
        <translation>Put one home call on one card</translation>
    </message>
    <message>
        <source>異なるEnvでもまとめる</source>
        <translation>Put different Env on one card</translation>
    </message>
    <message>
        <source>バックアップ作成</source>
        <translation>Make backups</translation>
    </message>
    <message>
        <source>クリップボードの定期的な監視</source>
        <translation>Watch the clipboard</translation>
    </message>
    <message>
        <source>ﾀｲﾑｽﾀﾝﾌﾟ変更しない</source>
        <translation>Keep the log file's time stamp</translation>
    </message>
    <message>
        <source>フォント回転方向を印刷時に逆にする</source>
        <translation>Turn rotated fonts the other way when printing</translation>
    </message>
    <message>
        <source>文書にオプション情報を含める</source>
        <translation>Store the options in the layout</translation>
    </message>
    <message>
        <source>２ｎｄＱＳＬ抑止対象</source>
        <translation>Suppress second cards to</translation>
    </message>
    <message>
        <source>その他の分離条件</source>
        <translation>Other separation condition</translation>
    </message>
    <message>
        <source>ﾚｼﾞｽﾄﾘ削除</source>
        <translation>Remove from Registry</translation>
    </message>
    <message>
        <source>国内局</source>
        <translation>Domestic stations</translation>
    </message>
    <message>
        <source>DX局</source>
        <translation>DX stations</translation>
    </message>
    <message>
        <source>ＪＡＲＬ関連局は無条件に抑止</source>
        <translation>Always suppress JARL stations</translation>
    </message>
    <message>
        <source>カード受領QSOは抑止しない</source>
        <translation>Do not suppress QSOs whose card was received</translation>
    </message>
    <message>
        <source>移動局は抑止しない</source>
        <translation>Do not suppress portable stations</translation>
    </message>
    <message>
        <source>抑止マーク</source>
        <translation>Suppression mark</translation>
    </message>
    <message>
        <source>エリア別カード発行枚数</source>
        <translation>Cards by Call Area</translation>
    </message>
    <message>
        <source>選択アイテムの移動</source>
        <translation>Move Selected Items</translation>
    </message>
    <message>
        <source>  (1/1000ｲﾝﾁ単位)</source>
        <translation>  (1/1000 inch)</translation>
    </message>
    <message>
        <source>横移動量</source>
        <translation>Across</translation>
    </message>
    <message>
        <source>縦移動量</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(TEVRA)</source>
        <translation>About TEVRA</translation>
    </message>
    <message>
        <source>前ページ</source>
        <translation>Previous Page</translation>
    </message>
    <message>
        <source>次ページ</source>
        <translation>Next Page</translation>
    </message>
    <message>
        <source>2ページ</source>
        <translation>Two Pages</translation>
    </message>
    <message>
        <source>印刷ﾌﾟﾚﾋﾞｭｰ</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ページ %1-%2 / %3</source>
        <translation>Pages %1-%2 of %3</translation>
    </message>
    <message>
        <source>ページ %1 / %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>ｱｲﾃﾑ 0000</source>
        <translation>Items 0000</translation>
    </message>
    <message>
        <source>ﾛｸﾞ 00000件</source>
        <translation>Log 00000 QSOs</translation>
    </message>
    <message>
        <source>QSL 00000枚</source>
        <translation>QSL 00000 cards</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ</source>
        <translation>Drawing Toolbar</translation>
    </message>
    <message>
        <source>塗りつぶしの色</source>
        <translation>Fill Colour</translation>
    </message>
    <message>
        <source>描画条件</source>
        <translation>Drawing Condition</translation>
    </message>
    <message>
        <source>色の変更</source>
        <translation>Change Colour</translation>
    </message>
    <message>
        <source>線の種類</source>
        <translation>Line Style</translation>
    </message>
    <message>
        <source>フォントの変更</source>
        <translation>Change Font</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>コールサインの検索</source>
        <translation>Find Call Sign</translation>
    </message>
    <message>
        <source>コールサイン</source>
        <translation>Call sign</translation>
    </message>
    <message>
        <source>[ %s ] からログデータが引き渡されています.<byte value="xd" />
このデータを読み込みますか？</source>
        <translation>Log data has been handed over from [ %s ].
Load this data?</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>ファイルに書き込めませんでした.</source>
        <translation>The file could not be written.</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>印刷できませんでした.</source>
        <translation>Printing failed.</translation>
    </message>
    <message>
        <source>設定ファイル(TEVRA.INI)を読めませんでした.<byte value="xd" />
すべての設定は既定値になり、ファイルは書き換えません.</source>
        <translation>The settings file (TEVRA.INI) could not be read.
All settings take their defaults, and the file is not written.</translation>
    </message>
    <message>
        <source>リソースをロード中...</source>
        <translation>Loading resources...</translation>
    </message>
    <message>
        <source>ログリスト</source>
        <translation>Log List</translation>
    </message>
    <message>
        <source>並び替え-JN.2003 5・6の方法</source>
        <translation>Sort by JN.2003 5 and 6</translation>
    </message>
    <message>
        <source>並び替え-DXｴﾝﾃｨﾃｨ順</source>
        <translation>Sort by DX entity</translation>
    </message>
    <message>
        <source>昇順</source>
        <translation>Ascending</translation>
    </message>
    <message>
        <source>降順</source>
        <translation>Descending</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>条件設定</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>削除する条件</source>
        <translation>Condition for deleting</translation>
    </message>
    <message>
        <source>修正</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>抑止</source>
        <translation>Suppress</translation>
    </message>
    <message>
        <source>ﾁｪｯｸ</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>dBaseⅢ,Ⅳﾃﾞｰﾀﾌｧｲﾙ(*.dbf)|*.dbf|</source>
        <translation>dBase III/IV data files (*.dbf)|*.dbf|</translation>
    </message>
    <message>
        <source>ファイルの作成</source>
        <translation>Create File</translation>
    </message>
    <message>
        <source>ｴﾘｱ別</source>
        <translation>By Area</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 件</source>
        <translation>%1 QSOs</translation>
    </message>
    <message>
        <source>TEVRA ヘルプ</source>
        <translation>TEVRA Help</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>ログデータを読み込み中...</source>
        <translation>Loading log data...</translation>
    </message>
    <message>
        <source>発行抑止設定</source>
        <translation>Suppression of Second Cards</translation>
    </message>
    <message>
        <source>すべてのバンドを現在のデータに置き換えます</source>
        <translation>Replace every band with the current data</translation>
    </message>
    <message>
        <source>縦置き (100X148)</source>
        <translation>Portrait (100x148)</translation>
    </message>
    <message>
        <source>横置き (148X100)</source>
        <translation>Landscape (148x100)</translation>
    </message>
    <message>
        <source>タックシール</source>
        <translation>Label sheet</translation>
    </message>
    <message>
        <source>この文書ファイルは編集操作がロックされています.<byte value="xd" />
<byte value="xd" />
文書情報（ﾌｧｲﾙﾒﾆｭｰ）のロックを解除すると編集できるようになります.</source>
        <translation>This layout is locked against editing.

Unlock it in Document Information (File menu) to edit it.</translation>
    </message>
    <message>
        <source>ペンサイズ</source>
        <translation>Pen Size</translation>
    </message>
    <message>
        <source>&lt;ﾃｷｽﾄﾎﾞｯｸｽ&gt;の設定</source>
        <translation>&lt;Text Box&gt; Settings</translation>
    </message>
    <message>
        <source>&lt;文字列&gt;の設定</source>
        <translation>&lt;String&gt; Settings</translation>
    </message>
    <message>
        <source>TEVRAデータファイル(*.tvd)|*.tvd||</source>
        <translation>TEVRA layouts (*.tvd)|*.tvd||</translation>
    </message>
    <message>
        <source>プリンタ情報が取得できません. 恐らくシステムにプリンタがインストールされていません.</source>
        <translation>No printer information is available. Probably no printer is installed on this system.</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>新規にドキュメントを作成
新規作成</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>既存のドキュメントを開く
開く</source>
        <translation>Open an existing document
Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>ドキュメントを上書きして保存
上書き保存</source>
        <translation>Save the document
Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>ドキュメントを新しい名前で保存
名前を付けて保存</source>
        <translation>Save the document under a new name
Save As</translation>
    </message>
    <message>
        <source>ログファイルのロード(&amp;L)...</source>
        <translation>&amp;Load Log File...</translation>
    </message>
    <message>
        <source>ログファイルを読み込みます
ログファイルのロード</source>
        <translation>Load a log file
Load Log File</translation>
    </message>
    <message>
        <source>EXTSRC.DLLデータベース接続</source>
        <translation>Connect to a Plug-in Database</translation>
    </message>
    <message>
        <source>プラグインのログに接続します</source>
        <translation>Connect to the log of a plug-in</translation>
    </message>
    <message>
        <source>ＯＤＢＣデータベースに接続...</source>
        <translation>Connect to an ODBC Database...</translation>
    </message>
    <message>
        <source>ＯＤＢＣデータベースのログに接続します</source>
        <translation>Connect to a log in an ODBC database</translation>
    </message>
    <message>
        <source>ＱＳＬフォームの設定(&amp;F)...</source>
        <translation>QSL &amp;Form...</translation>
    </message>
    <message>
        <source>ＱＳＬフォームの設定</source>
        <translation>QSL Form Settings</translation>
    </message>
    <message>
        <source>文書情報(&amp;I)...</source>
        <translation>Document &amp;Information...</translation>
    </message>
    <message>
        <source>文書情報の設定・確認</source>
        <translation>Set and check the document information</translation>
    </message>
    <message>
        <source>RIG/ANTの設定(&amp;E)...</source>
        <translation>RIG/ANT S&amp;ettings...</translation>
    </message>
    <message>
        <source>リグ・アンテナの環境を設定します</source>
        <translation>Set the rig and antenna of each band</translation>
    </message>
    <message>
        <source>差込印刷(&amp;P)...	Ctrl+P</source>
        <translation>Merge &amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>ログデータを差し込んで印刷します
差込印刷</source>
        <translation>Print the cards with the QSOs of the log
Merge Print</translation>
    </message>
    <message>
        <source>テスト印刷(&amp;T)...	Ctrl+T</source>
        <translation>&amp;Test Print...	Ctrl+T</translation>
    </message>
    <message>
        <source>表示中のカードを印刷します
テスト印刷</source>
        <translation>Print the card shown
Test Print</translation>
    </message>
    <message>
        <source>ダイアログなしでテスト印刷	Alt+T</source>
        <translation>Test Print without Dialog	Alt+T</translation>
    </message>
    <message>
        <source>表示中のカードをすぐに印刷します</source>
        <translation>Print the card shown at once</translation>
    </message>
    <message>
        <source>印刷ﾌﾟﾚﾋﾞｭｰ(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>印刷イメージを表示します
印刷ﾌﾟﾚﾋﾞｭｰ</source>
        <translation>Show the printed pages
Print Preview</translation>
    </message>
    <message>
        <source>ﾌﾟﾘﾝﾀの設定(&amp;R)...</source>
        <translation>P&amp;rinter Setup...</translation>
    </message>
    <message>
        <source>プリンタと用紙を設定します</source>
        <translation>Choose the printer and paper</translation>
    </message>
    <message>
        <source>印刷番号(&amp;P)...</source>
        <translation>Print &amp;Number...</translation>
    </message>
    <message>
        <source>印刷番号の確認と変更</source>
        <translation>Check and change the print number</translation>
    </message>
    <message>
        <source>印刷メッセージの登録...</source>
        <translation>Print Messages...</translation>
    </message>
    <message>
        <source>印刷時のメッセージを登録します</source>
        <translation>Register messages for printing</translation>
    </message>
    <message>
        <source>エンティティ定義ファイルの編集</source>
        <translation>Edit the Entity Definitions</translation>
    </message>
    <message>
        <source>エンティティ定義ファイルをエディタで開きます</source>
        <translation>Open the entity definitions file in an editor</translation>
    </message>
    <message>
        <source>エンティティ定義ファイルの再ロード</source>
        <translation>Reload the Entity Definitions</translation>
    </message>
    <message>
        <source>エンティティ定義ファイルを読み直します</source>
        <translation>Read the entity definitions file again</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>アプリケーションを終了します
終了</source>
        <translation>Quit the application
Exit</translation>
    </message>
    <message>
        <source>この文書を開く</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>操作の取り消し
元に戻す</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>取り消した操作をやり直します
やり直し</source>
        <translation>Redo the action undone
Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>選択範囲を切り取ってクリップボードに移動します
切り取り</source>
        <translation>Cut the selection and put it on the clipboard
Cut</translation>
    </message>
    <message>
        <source>コピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>選択範囲をコピーしてクリップボードに保存します
コピー</source>
        <translation>Copy the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>クリップボードの内容を貼り付けます
貼り付け</source>
        <translation>Paste the clipboard's contents
Paste</translation>
    </message>
    <message>
        <source>削除(&amp;D)	Del</source>
        <translation>&amp;Delete	Del</translation>
    </message>
    <message>
        <source>選択アイテムを削除します</source>
        <translation>Delete the selected items</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)	Ctrl+A</source>
        <translation>Select &amp;All	Ctrl+A</translation>
    </message>
    <message>
        <source>すべてのアイテムを選択する</source>
        <translation>Select every item</translation>
    </message>
    <message>
        <source>編集(&amp;E)	Ctrl+E</source>
        <translation>&amp;Edit	Ctrl+E</translation>
    </message>
    <message>
        <source>選択データの編集</source>
        <translation>Edit the selected item</translation>
    </message>
    <message>
        <source>描画条件...</source>
        <translation>Drawing Condition...</translation>
    </message>
    <message>
        <source>描画条件を設定します</source>
        <translation>Set the condition for drawing</translation>
    </message>
    <message>
        <source>色の変更...</source>
        <translation>Colour...</translation>
    </message>
    <message>
        <source>色の変更
色の変更</source>
        <translation>Change the colour
Colour</translation>
    </message>
    <message>
        <source>線の種類の設定...</source>
        <translation>Line Style...</translation>
    </message>
    <message>
        <source>線の種類の設定
線の種類</source>
        <translation>Set the line style
Line Style</translation>
    </message>
    <message>
        <source>フォントの変更...</source>
        <translation>Font...</translation>
    </message>
    <message>
        <source>フォントの変更
フォント</source>
        <translation>Change the font
Font</translation>
    </message>
    <message>
        <source>ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け...</source>
        <translation>Create and Paste Object...</translation>
    </message>
    <message>
        <source>コールサインの検索(&amp;F)...	Ctrl+F</source>
        <translation>&amp;Find Call Sign...	Ctrl+F</translation>
    </message>
    <message>
        <source>指定したコールサインの検索
コールサインの検索</source>
        <translation>Find a call sign
Find Call Sign</translation>
    </message>
    <message>
        <source>次を検索	F3</source>
        <translation>Find Next	F3</translation>
    </message>
    <message>
        <source>次のコールサインを検索します</source>
        <translation>Find the next QSO of the call sign</translation>
    </message>
    <message>
        <source>前を検索	Shift+F3</source>
        <translation>Find Previous	Shift+F3</translation>
    </message>
    <message>
        <source>前のコールサインを検索します</source>
        <translation>Find the previous QSO of the call sign</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ﾂｰﾙ ﾊﾞｰの表示/非表示
ﾂｰﾙ ﾊﾞｰ</source>
        <translation>Show or hide the toolbar
Toolbar</translation>
    </message>
    <message>
        <source>描画アイテムツールバーの表示/非表示
描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ</source>
        <translation>Show or hide the drawing toolbar
Drawing Toolbar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示
ｽﾃｰﾀｽ ﾊﾞｰ</source>
        <translation>Show or hide the status bar
Status Bar</translation>
    </message>
    <message>
        <source>表示の拡大/縮小(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>表示の拡大/縮小
拡大/縮小</source>
        <translation>Zoom the view in or out
Zoom</translation>
    </message>
    <message>
        <source>グリッド表示(&amp;G)</source>
        <translation>&amp;Grid</translation>
    </message>
    <message>
        <source>グリッド表示を切り替えます
グリッド表示</source>
        <translation>Show or hide the grid
Grid</translation>
    </message>
    <message>
        <source>グリッドの設定...</source>
        <translation>Grid Settings...</translation>
    </message>
    <message>
        <source>グリッド間隔を設定します
グリッド間隔</source>
        <translation>Set the grid spacing
Grid Spacing</translation>
    </message>
    <message>
        <source>印刷不可領域のマスク</source>
        <translation>Mask the Unprintable Area</translation>
    </message>
    <message>
        <source>データ差込(&amp;M)</source>
        <translation>&amp;Merge Data</translation>
    </message>
    <message>
        <source>データ差込をトグル切り替えします
データ差込</source>
        <translation>Merge the log data on or off
Merge Data</translation>
    </message>
    <message>
        <source>前のＱＳＯデータ</source>
        <translation>Previous QSO</translation>
    </message>
    <message>
        <source>前のＱＳＯデータを差し込む
前のＱＳＯ</source>
        <translation>Merge the previous QSO
Previous QSO</translation>
    </message>
    <message>
        <source>次のＱＳＯデータ</source>
        <translation>Next QSO</translation>
    </message>
    <message>
        <source>次のＱＳＯデータを差し込む
次のＱＳＯ</source>
        <translation>Merge the next QSO
Next QSO</translation>
    </message>
    <message>
        <source>ログデータの差込を連続表示</source>
        <translation>Merge the Log Continuously</translation>
    </message>
    <message>
        <source>選択(&amp;S)</source>
        <translation>&amp;Select</translation>
    </message>
    <message>
        <source>図形を選択する
選択</source>
        <translation>Select shapes
Select</translation>
    </message>
    <message>
        <source>直線(&amp;L)</source>
        <translation>&amp;Line</translation>
    </message>
    <message>
        <source>直線を引く 
直線</source>
        <translation>Draw a line
Line</translation>
    </message>
    <message>
        <source>ボックス(&amp;B)</source>
        <translation>&amp;Box</translation>
    </message>
    <message>
        <source>ボックスを作成する
ボックス</source>
        <translation>Create a box
Box</translation>
    </message>
    <message>
        <source>丸ボックス(&amp;R)</source>
        <translation>&amp;Rounded Box</translation>
    </message>
    <message>
        <source>丸ボックスを作成する
丸ボックス</source>
        <translation>Create a rounded box
Rounded Box</translation>
    </message>
    <message>
        <source>円・楕円(&amp;E)</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>円・楕円を作成します
円・楕円</source>
        <translation>Create a circle or ellipse
Ellipse</translation>
    </message>
    <message>
        <source>塗りつぶし(&amp;F)</source>
        <translation>&amp;Fill</translation>
    </message>
    <message>
        <source>塗りつぶします
塗りつぶし</source>
        <translation>Fill an area
Fill</translation>
    </message>
    <message>
        <source>文字列(&amp;T)</source>
        <translation>S&amp;tring</translation>
    </message>
    <message>
        <source>文字列を作成する
文字列</source>
        <translation>Create a string
String</translation>
    </message>
    <message>
        <source>テキストボックス(&amp;X)</source>
        <translation>Te&amp;xt Box</translation>
    </message>
    <message>
        <source>テキストボックスを作成します
テキストボックス</source>
        <translation>Create a text box
Text Box</translation>
    </message>
    <message>
        <source>チェックボックス(&amp;C)</source>
        <translation>&amp;Check Box</translation>
    </message>
    <message>
        <source>条件付きチェックボックスを作成します
チェックボックス</source>
        <translation>Create a conditional check box
Check Box</translation>
    </message>
    <message>
        <source>JARL転送枠(&amp;J)</source>
        <translation>&amp;JARL Transfer Box</translation>
    </message>
    <message>
        <source>JARL転送枠を作成します
JARL転送枠</source>
        <translation>Create a JARL transfer box
JARL Transfer Box</translation>
    </message>
    <message>
        <source>データマーク(&amp;D)</source>
        <translation>&amp;Data Mark</translation>
    </message>
    <message>
        <source>データマークを作成します
データマーク</source>
        <translation>Create a data mark
Data Mark</translation>
    </message>
    <message>
        <source>オブジェクト(&amp;O)</source>
        <translation>&amp;Object</translation>
    </message>
    <message>
        <source>他のアプリケーションのオブジェクトを貼り付けます
オブジェクト</source>
        <translation>Paste an object of another application
Object</translation>
    </message>
    <message>
        <source>用紙水平中央</source>
        <translation>Centre Across the Paper</translation>
    </message>
    <message>
        <source>選択アイテムを用紙の水平中央に移動します</source>
        <translation>Move the selected items to the paper's horizontal centre</translation>
    </message>
    <message>
        <source>用紙垂直中央</source>
        <translation>Centre Down the Paper</translation>
    </message>
    <message>
        <source>選択アイテムを用紙の垂直中央に移動します</source>
        <translation>Move the selected items to the paper's vertical centre</translation>
    </message>
    <message>
        <source>JARL指定</source>
        <translation>JARL Position</translation>
    </message>
    <message>
        <source>JARL転送枠を指定の位置に移動します</source>
        <translation>Move the JARL transfer box to its place</translation>
    </message>
    <message>
        <source>水平上端合わせ</source>
        <translation>Align Tops</translation>
    </message>
    <message>
        <source>上端をそろえます</source>
        <translation>Align the top edges</translation>
    </message>
    <message>
        <source>水平中心合わせ</source>
        <translation>Align Middles</translation>
    </message>
    <message>
        <source>上下の中心をそろえます</source>
        <translation>Align the vertical centres</translation>
    </message>
    <message>
        <source>水平下端合わせ</source>
        <translation>Align Bottoms</translation>
    </message>
    <message>
        <source>下端をそろえます</source>
        <translation>Align the bottom edges</translation>
    </message>
    <message>
        <source>垂直左端合わせ</source>
        <translation>Align Left Edges</translation>
    </message>
    <message>
        <source>左端をそろえます</source>
        <translation>Align the left edges</translation>
    </message>
    <message>
        <source>垂直中心合わせ</source>
        <translation>Align Centres</translation>
    </message>
    <message>
        <source>左右の中心をそろえます</source>
        <translation>Align the horizontal centres</translation>
    </message>
    <message>
        <source>垂直右端合わせ</source>
        <translation>Align Right Edges</translation>
    </message>
    <message>
        <source>右端をそろえます</source>
        <translation>Align the right edges</translation>
    </message>
    <message>
        <source>水平均等配置</source>
        <translation>Spread Across</translation>
    </message>
    <message>
        <source>水平方向に均等に配置します</source>
        <translation>Space the items evenly across</translation>
    </message>
    <message>
        <source>垂直均等配置</source>
        <translation>Spread Down</translation>
    </message>
    <message>
        <source>垂直方向に均等に配置します</source>
        <translation>Space the items evenly down</translation>
    </message>
    <message>
        <source>50%に縮小します</source>
        <translation>Shrink to 50%</translation>
    </message>
    <message>
        <source>66%に縮小します</source>
        <translation>Shrink to 66%</translation>
    </message>
    <message>
        <source>75%に縮小します</source>
        <translation>Shrink to 75%</translation>
    </message>
    <message>
        <source>133%に拡大します</source>
        <translation>Enlarge to 133%</translation>
    </message>
    <message>
        <source>150%に拡大します</source>
        <translation>Enlarge to 150%</translation>
    </message>
    <message>
        <source>200%に拡大します</source>
        <translation>Enlarge to 200%</translation>
    </message>
    <message>
        <source>任意...</source>
        <translation>Other...</translation>
    </message>
    <message>
        <source>拡大/縮小の比率を指定します</source>
        <translation>Give the scale</translation>
    </message>
    <message>
        <source>選択アイテムの移動...</source>
        <translation>Move Selected Items...</translation>
    </message>
    <message>
        <source>選択アイテムを数値で移動します</source>
        <translation>Move the selected items by a distance</translation>
    </message>
    <message>
        <source>先頭に移動(&amp;S)</source>
        <translation>Bring to &amp;Front</translation>
    </message>
    <message>
        <source>アイテムを先頭に移動します</source>
        <translation>Bring the items to the front</translation>
    </message>
    <message>
        <source>末尾に移動(&amp;B)</source>
        <translation>Send to &amp;Back</translation>
    </message>
    <message>
        <source>アイテムを末尾に移動します</source>
        <translation>Send the items to the back</translation>
    </message>
    <message>
        <source>次の重なりアイテムを検索	F4</source>
        <translation>Next Overlapping Item	F4</translation>
    </message>
    <message>
        <source>次の重なりアイテムを選択します</source>
        <translation>Select the next overlapping item</translation>
    </message>
    <message>
        <source>前の重なりアイテムを検索	Shift+F4</source>
        <translation>Previous Overlapping Item	Shift+F4</translation>
    </message>
    <message>
        <source>前の重なりアイテムを選択します</source>
        <translation>Select the previous overlapping item</translation>
    </message>
    <message>
        <source>グループ化(&amp;G)	Ctrl+G</source>
        <translation>&amp;Group	Ctrl+G</translation>
    </message>
    <message>
        <source>選択アイテムをグループ化します</source>
        <translation>Group the selected items</translation>
    </message>
    <message>
        <source>グループ化の解除(&amp;R)	Ctrl+R</source>
        <translation>Ung&amp;roup	Ctrl+R</translation>
    </message>
    <message>
        <source>グループを解除します</source>
        <translation>Ungroup the group</translation>
    </message>
    <message>
        <source>文字列</source>
        <translation>String</translation>
    </message>
    <message>
        <source>文字列に変換します</source>
        <translation>Convert to a string</translation>
    </message>
    <message>
        <source>テキストボックス</source>
        <translation>Text Box</translation>
    </message>
    <message>
        <source>テキストボックスに変換します</source>
        <translation>Convert to a text box</translation>
    </message>
    <message>
        <source>データマーク</source>
        <translation>Data Mark</translation>
    </message>
    <message>
        <source>データマークに変換します</source>
        <translation>Convert to a data mark</translation>
    </message>
    <message>
        <source>ボックス</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>ボックスに変換します</source>
        <translation>Convert to a box</translation>
    </message>
    <message>
        <source>丸ボックス</source>
        <translation>Rounded Box</translation>
    </message>
    <message>
        <source>丸ボックスに変換します</source>
        <translation>Convert to a rounded box</translation>
    </message>
    <message>
        <source>楕円</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>楕円に変換します</source>
        <translation>Convert to an ellipse</translation>
    </message>
    <message>
        <source>ﾈｰﾃｨﾌﾞｻｲｽﾞに変更</source>
        <translation>Natural Size</translation>
    </message>
    <message>
        <source>ｵﾌﾞｼﾞｪｸﾄを本来の大きさにします</source>
        <translation>Give the object its own size</translation>
    </message>
    <message>
        <source>ログリスト(&amp;L)...	Ctrl+L</source>
        <translation>&amp;Log List...	Ctrl+L</translation>
    </message>
    <message>
        <source>ログリスト
ログリスト</source>
        <translation>Log list
Log List</translation>
    </message>
    <message>
        <source>ＱＳＯデータ(&amp;Q)...</source>
        <translation>&amp;QSO Data...</translation>
    </message>
    <message>
        <source>ＱＳＯデータ
ＱＳＯデータ</source>
        <translation>QSO data
QSO Data</translation>
    </message>
    <message>
        <source>共通条件テーブル</source>
        <translation>Common Condition Tables</translation>
    </message>
    <message>
        <source>モード変換テーブル(&amp;C)...</source>
        <translation>Mode &amp;Conversion Table...</translation>
    </message>
    <message>
        <source>モード変換テーブル</source>
        <translation>Mode Conversion Table</translation>
    </message>
    <message>
        <source>マクロ(&amp;M)...</source>
        <translation>&amp;Macros...</translation>
    </message>
    <message>
        <source>マクロの定義</source>
        <translation>Define macros</translation>
    </message>
    <message>
        <source>オプション(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>目次(&amp;H)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>ヘルプの目次を表示します</source>
        <translation>Show the contents of the help</translation>
    </message>
    <message>
        <source>ヘルプ	F1</source>
        <translation>Help	F1</translation>
    </message>
    <message>
        <source>ヘルプを表示します</source>
        <translation>Show the help</translation>
    </message>
    <message>
        <source>状況依存ヘルプ	Shift+F1</source>
        <translation>Context Help	Shift+F1</translation>
    </message>
    <message>
        <source>クリックした項目のヘルプを表示します
ヘルプ</source>
        <translation>Show the help of the item clicked
Help</translation>
    </message>
    <message>
        <source>KESTRLホームページ(&amp;M)</source>
        <translation>KESTRL &amp;Home Page</translation>
    </message>
    <message>
        <source>KESTRLホームページに接続</source>
        <translation>Go to the KESTRL home page</translation>
    </message>
    <message>
        <source>TEVRAダウンロードWeb(&amp;W)</source>
        <translation>TEVRA &amp;Download Page</translation>
    </message>
    <message>
        <source>最新のTEVRAのダウンロードWeb</source>
        <translation>Download the latest TEVRA</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(TEVRA) (&amp;A)...</source>
        <translation>&amp;About TEVRA...</translation>
    </message>
    <message>
        <source>プログラム情報、バージョン、著作権を表示します
バージョン情報</source>
        <translation>Show the program's information, version and copyright
About</translation>
    </message>
    <message>
        <source>配置</source>
        <translation>Arrange</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>描画(&amp;D)</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>配置(&amp;A)</source>
        <translation>&amp;Arrange</translation>
    </message>
    <message>
        <source>ログ(&amp;L)</source>
        <translation>&amp;Log</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>常にＪＳＴ</source>
        <translation>Always JST</translation>
    </message>
    <message>
        <source>常にＵＴＣ</source>
        <translation>Always UTC</translation>
    </message>
    <message>
        <source>現在選択されているデータを削除します.</source>
        <translation>The selected data will be deleted.</translation>
    </message>
    <message>
        <source>ログデータを削除中...</source>
        <translation>Deleting log data...</translation>
    </message>
    <message>
        <source>指定の条件でログデータを削除中...</source>
        <translation>Deleting log data by the condition...</translation>
    </message>
    <message>
        <source>印刷済みのデータがあります<byte value="xd" />
消去するとログファイルの更新ができなくなる可能性があります.</source>
        <translation>Some data has been printed.
Deleting it may keep the log file from being updated.</translation>
    </message>
    <message>
        <source>異常な行は見つかりませんでした.</source>
        <translation>No abnormal lines were found.</translation>
    </message>
    <message>
        <source>ファイルを作成中...</source>
        <translation>Creating the file...</translation>
    </message>
    <message>
        <source>KUVALﾃｷｽﾄﾌｧｲﾙ(*.log)|*.log|</source>
        <translation>KUVAL text files (*.log)|*.log|</translation>
    </message>
    <message>
        <source>KUVALﾃﾞｰﾀﾌｧｲﾙ(*.mdt)|*.mdt|</source>
        <translation>KUVAL data files (*.mdt)|*.mdt|</translation>
    </message>
    <message>
        <source>LOG200ﾃﾞｰﾀﾌｧｲﾙ(*.l2)|*.l2|</source>
        <translation>LOG200 data files (*.l2)|*.l2|</translation>
    </message>
    <message>
        <source>HAMLOGﾃﾞｰﾀﾌｧｲﾙ(*.dbs)|*.dbs|</source>
        <translation>HAMLOG data files (*.dbs)|*.dbs|</translation>
    </message>
    <message>
        <source>HAMLOG(Ver5)ﾃﾞｰﾀﾌｧｲﾙ(*.hdb)|*.hdb|</source>
        <translation>HAMLOG 5 data files (*.hdb)|*.hdb|</translation>
    </message>
    <message>
        <source>CTﾃｷｽﾄﾌｧｲﾙ(*.res)|*.res|</source>
        <translation>CT text files (*.res)|*.res|</translation>
    </message>
    <message>
        <source>TR-LOGﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat|</source>
        <translation>TR-LOG data files (*.dat)|*.dat|</translation>
    </message>
    <message>
        <source>ADIFﾃﾞｰﾀﾌｧｲﾙ(*.adi;*.adif)|*.adi;*.adif|</source>
        <translation>ADIF files (*.adi;*.adif)|*.adi;*.adif|</translation>
    </message>
    <message>
        <source>Cabrilloﾃﾞｰﾀﾌｧｲﾙ(*.cbr;*.cab;*.txt)|*.cbr;*.cab;*.txt|</source>
        <translation>Cabrillo files (*.cbr;*.cab;*.txt)|*.cbr;*.cab;*.txt|</translation>
    </message>
    <message>
        <source>CSV形式ﾃｷｽﾄﾌｧｲﾙ(*.csv;*.txt)|*.CSV;*.TXT|</source>
        <translation>CSV text files (*.csv;*.txt)|*.CSV;*.TXT|</translation>
    </message>
    <message>
        <source>クリップボードからログデータを読み込み中...</source>
        <translation>Loading log data from the clipboard...</translation>
    </message>
    <message>
        <source>CSV形式</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>dBaseⅢ,Ⅳ形式</source>
        <translation>dBase III/IV</translation>
    </message>
    <message>
        <source>ODBCﾃﾞｰﾀﾍﾞｰｽ</source>
        <translation>ODBC database</translation>
    </message>
    <message>
        <source>Cabrilloの変換方法</source>
        <translation>Reading Cabrillo</translation>
    </message>
    <message>
        <source>すべてPHONE</source>
        <translation>All PHONE</translation>
    </message>
    <message>
        <source>すべてＳＳＢ</source>
        <translation>All SSB</translation>
    </message>
    <message>
        <source>28MHz以上はPHONE, 24MHz以下はSSB</source>
        <translation>PHONE from 28 MHz, SSB up to 24 MHz</translation>
    </message>
    <message>
        <source>430MHz以上はPHONE, 144MHz以下はSSB</source>
        <translation>PHONE from 430 MHz, SSB up to 144 MHz</translation>
    </message>
    <message>
        <source>０の扱い</source>
        <translation>Zeros</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>線を引く</source>
        <translation>Strike through</translation>
    </message>
    <message>
        <source>/を重ねる</source>
        <translation>Overlay /</translation>
    </message>
    <message>
        <source>Φで置換</source>
        <translation>Replace by Φ</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>文字の色</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>枠線描画</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>垂直描画</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Inverted</translation>
    </message>
    <message>
        <source>透過</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>スタイル</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>左寄せ</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>中央</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>右寄せ</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>垂直中央</source>
        <translation>Vertical centre</translation>
    </message>
    <message>
        <source>単語による行の分割</source>
        <translation>Break lines between words</translation>
    </message>
    <message>
        <source>差込データマーク選択</source>
        <translation>Choose a Data Mark</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>リピート展開時の参照位置</source>
        <translation>QSO position in a repeat</translation>
    </message>
    <message>
        <source>データ無し</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>JARL転送枠</source>
        <translation>JARL Transfer Box</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>間隔</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>横ｵﾌｾｯﾄ</source>
        <translation>Offset across</translation>
    </message>
    <message>
        <source>縦ｵﾌｾｯﾄ</source>
        <translation>Offset down</translation>
    </message>
    <message>
        <source>垂直表示</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>枠の表示</source>
        <translation>Show the frame</translation>
    </message>
    <message>
        <source>７文字印字</source>
        <translation>Print 7 characters</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟ</source>
        <translation>Clip</translation>
    </message>
    <message>
        <source>レ印のチェック</source>
        <translation>Tick</translation>
    </message>
    <message>
        <source>枠の描画</source>
        <translation>Draw the frame</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>変換式</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>ｶﾝﾏ</source>
        <translation>Comma</translation>
    </message>
    <message>
        <source>ｽﾍﾟｰｽ</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>ｽﾍﾟｰｽ+TAB</source>
        <translation>Space+TAB</translation>
    </message>
    <message>
        <source>スキップ </source>
        <translation>Skip </translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>推測</source>
        <translation>Guess</translation>
    </message>
    <message>
        <source>テスト</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>初期値</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>ロード</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>セーブ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>PHモードの変換方法</source>
        <translation>Mode of PH QSOs</translation>
    </message>
    <message>
        <source>His/her コールサインの位置</source>
        <translation>Position of his/her call sign</translation>
    </message>
    <message>
        <source>自動位置検出</source>
        <translation>Find automatically</translation>
    </message>
    <message>
        <source>桁位置を指定</source>
        <translation>At a column</translation>
    </message>
    <message>
        <source>位置(ﾃﾞﾌｫﾙﾄ=55) </source>
        <translation>Column (default 55) </translation>
    </message>
    <message>
        <source>リスト</source>
        <translation>List</translation>
    </message>
    <message>
        <source>横の数</source>
        <translation>Across</translation>
    </message>
    <message>
        <source>縦の数</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>横の間隔</source>
        <translation>Pitch across</translation>
    </message>
    <message>
        <source>縦の間隔</source>
        <translation>Pitch down</translation>
    </message>
    <message>
        <source>作成フォーム</source>
        <translation>Card form</translation>
    </message>
    <message>
        <source>横幅 (０=自動)</source>
        <translation>Width (0 = automatic)</translation>
    </message>
    <message>
        <source>縦幅 (０=自動)</source>
        <translation>Height (0 = automatic)</translation>
    </message>
    <message>
        <source>左ﾏｰｼﾞﾝ</source>
        <translation>Left margin</translation>
    </message>
    <message>
        <source>上ﾏｰｼﾞﾝ</source>
        <translation>Top margin</translation>
    </message>
    <message>
        <source>リピート展開
(複数のＱＳＯを1枚にする場合)</source>
        <translation>Repeat
(several QSOs on one card)</translation>
    </message>
    <message>
        <source>グリッド線の設定</source>
        <translation>Grid Lines</translation>
    </message>
    <message>
        <source>5ﾗｲﾝ毎に色を変える</source>
        <translation>Colour every fifth line</translation>
    </message>
    <message>
        <source>5ﾗｲﾝ毎に太くする</source>
        <translation>Thicken every fifth line</translation>
    </message>
    <message>
        <source>横幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>縦幅</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>両方</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>文書情報</source>
        <translation>Document Information</translation>
    </message>
    <message>
        <source>編集操作のロック</source>
        <translation>Lock editing</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>メモ</source>
        <translation>Memo</translation>
    </message>
    <message>
        <source>RIG/ANTの設定</source>
        <translation>RIG/ANT Settings</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>追加/変更</source>
        <translation>Add/Change</translation>
    </message>
    <message>
        <source>カット</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>ペースト</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>並び替え</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>テキストファイル(*.txt)|*.txt||</source>
        <translation>Text files (*.txt)|*.txt||</translation>
    </message>
    <message>
        <source>条件式</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>展開する文字列</source>
        <translation>Text to expand</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>条件テーブル</source>
        <translation>Condition Table</translation>
    </message>
    <message>
        <source>テキストファイルから読み込み</source>
        <translation>Load from a Text File</translation>
    </message>
    <message>
        <source>テキストファイルにセーブ</source>
        <translation>Save to a Text File</translation>
    </message>
    <message>
        <source>条件テーブルの内容を条件展開命令に変換しますか？</source>
        <translation>Convert the condition table to condition commands?</translation>
    </message>
    <message>
        <source>マクロ設定</source>
        <translation>Macros</translation>
    </message>
    <message>
        <source>マクロ名</source>
        <translation>Macro name</translation>
    </message>
    <message>
        <source>定義文字列</source>
        <translation>Definition</translation>
    </message>
    <message>
        <source>メッセージを登録</source>
        <translation>Register a Message</translation>
    </message>
    <message>
        <source>メッセージを入力</source>
        <translation>Enter a Message</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>QSO参照</source>
        <translation>QSO Data</translation>
    </message>
    <message>
        <source>印刷終了</source>
        <translation>Stop Printing</translation>
    </message>
    <message>
        <source>@if ～ @endifブロックのネストが制限を超えました.</source>
        <translation>@if ... @endif blocks are nested too deeply.</translation>
    </message>
    <message>
        <source>@ifブロックが始まっていません</source>
        <translation>No @if block has started</translation>
    </message>
    <message>
        <source>印刷番号</source>
        <translation>Print Number</translation>
    </message>
    <message>
        <source>テスト印刷</source>
        <translation>Test Print</translation>
    </message>
    <message>
        <source>現在のﾍﾟｰｼﾞ</source>
        <translation>Current page</translation>
    </message>
    <message>
        <source>通常のファイルではありません(フォルダ、パイプ、デバイス).読み込みを中止します.</source>
        <translation>Not a regular file (a folder, pipe or device). Loading stopped.</translation>
    </message>
    <message>
        <source>ファイルが読み込めません. ファイルが存在しないか他のアプリケーションで使用中です.</source>
        <translation>The file cannot be read. It does not exist or another application is using it.</translation>
    </message>
    <message>
        <source>ログ形式データの読み込みはｵｰﾄﾒｰｼｮﾝｸﾗｲｱﾝﾄにより禁止されています.</source>
        <translation>Loading log data has been forbidden by the automation client.</translation>
    </message>
    <message>
        <source>ＴＥＶＲＡ内のログデータを消去中...</source>
        <translation>Clearing TEVRA's log data...</translation>
    </message>
    <message>
        <source>ＴＥＶＲＡ内の印刷済みデータを消去中...</source>
        <translation>Clearing TEVRA's printed data...</translation>
    </message>
    <message>
        <source>ログファイルを読み込み中...</source>
        <translation>Loading the log file...</translation>
    </message>
    <message>
        <source>現在の文書はリピート展開が設定されています.<byte value="xd" />
ログデータを並び替えたほうが有利に展開できます.<byte value="xd" />
<byte value="xd" />
並び替えますか?   (%u件)</source>
        <translation>The current document repeats QSOs on a card.
Sorting the log data makes the cards fuller.

Sort?   (%u QSOs)</translation>
    </message>
    <message>
        <source>この文書はリピート展開が設定されています.<byte value="xd" />
ログデータを並び替えたほうが有利に展開できます.<byte value="xd" />
<byte value="xd" />
並び替えますか?   (%u件)</source>
        <translation>This document repeats QSOs on a card.
Sorting the log data makes the cards fuller.

Sort?   (%u QSOs)</translation>
    </message>
    <message>
        <source>ログファイルの読み込み</source>
        <translation>Load Log File</translation>
    </message>
    <message>
        <source>ログデータのリピート展開を調整中...</source>
        <translation>Arranging the repeats of the log data...</translation>
    </message>
    <message>
        <source>ログデータを並び替え中...</source>
        <translation>Sorting the log data...</translation>
    </message>
    <message>
        <source>ＱＳＬマネージャ, エンティティを調査中...</source>
        <translation>Looking up QSL managers and entities...</translation>
    </message>
    <message>
        <source>不明なエンティティが %u 件ありました.<byte value="xd" />
<byte value="xd" />
これらのカードは%sに集まります.<byte value="xd" />
<byte value="xd" />
なおＤＸエンティティの判定についてはファイルメニューの「エンティティ定義ファイルの編集」で修正できます.</source>
        <translation>%u QSOs have an unknown entity.

Their cards gather at the %s.

The DX entities can be corrected with "Edit the Entity Definitions" in the File menu.</translation>
    </message>
    <message>
        <source>最後尾</source>
        <translation>end</translation>
    </message>
    <message>
        <source>先頭</source>
        <translation>start</translation>
    </message>
    <message>
        <source>ｵﾌﾞｼﾞｪｸﾄの作成に失敗しました。<byte value="xd" />
<byte value="xd" />
ｼｽﾃﾑ ﾚｼﾞｽﾄﾘにｵﾌﾞｼﾞｪｸﾄが登録されていないか、<byte value="xd" />
またはｵﾌﾞｼﾞｪｸﾄの形式が異なります。</source>
        <translation>The object could not be created.

It is not registered with the system,
or it is of another kind.</translation>
    </message>
    <message>
        <source>ＯＤＢＣデータベースに接続中...</source>
        <translation>Connecting to the ODBC database...</translation>
    </message>
    <message>
        <source>データベースのテーブルを開けませんでした.</source>
        <translation>The database table could not be opened.</translation>
    </message>
    <message>
        <source>指定のコールサインを検索中...</source>
        <translation>Looking for the call sign...</translation>
    </message>
    <message>
        <source>[%s]は見つかりません.</source>
        <translation>[%s] was not found.</translation>
    </message>
    <message>
        <source>TEVRA.INIを照会中...</source>
        <translation>Reading TEVRA.INI...</translation>
    </message>
    <message>
        <source>DBBRDGを照会中...</source>
        <translation>Asking the database bridge...</translation>
    </message>
    <message>
        <source>EXTSRCを照会中...</source>
        <translation>Asking the plug-in...</translation>
    </message>
    <message>
        <source>プリンタ情報を照会中...</source>
        <translation>Asking for the printer's details...</translation>
    </message>
    <message>
        <source>システムレジストリからＴＥＶＲＡを削除します.<byte value="xd" />
<byte value="xd" />
・ﾌｧｲﾙﾀｲﾌﾟ(TVD)による関連付けが失われます.<byte value="xd" />
・OLEｵｰﾄﾒｰｼｮﾝが使用できなくなります.<byte value="xd" />
・Windowsﾃﾞｨﾚｸﾄﾘ内の「TEVRA.INI」が削除されます.<byte value="xd" />
<byte value="xd" />
ＴＥＶＲＡを起動しなおすとシステムレジストリへの登録が再度行われます.<byte value="xd" />
</source>
        <translation>TEVRA will be removed from the system.

- .tvd files will no longer open with it.
- Automation will no longer be available.
- The settings file TEVRA.INI will be deleted.

Starting TEVRA again registers it again.
</translation>
    </message>
    <message>
        <source>ログデータがＴＥＶＲＡで並び替えられていません<byte value="xd" />
<byte value="xd" />
並び替えますか?   (%u件)</source>
        <translation>The log data has not been sorted by TEVRA.

Sort?   (%u QSOs)</translation>
    </message>
    <message>
        <source>印刷済みデータがあります.継続位置から印刷しますか?</source>
        <translation>Some data has been printed. Continue where the last print stopped?</translation>
    </message>
    <message>
        <source>Windowsの一時領域に十分な空き容量がありません.<byte value="xd" />
このまま続けるとWindowsの一時領域が不足する可能性があります.<byte value="xd" />
溜まっているデータの印刷が終了した後 [OK]を押して継続して下さい.</source>
        <translation>There is not enough temporary space.
Continuing may run out of it.
Press [OK] to continue when the waiting pages have printed.</translation>
    </message>
    <message>
        <source>自動計算を行うには再度ログファイルを読み込んで下さい.</source>
        <translation>Load the log file again to calculate automatically.</translation>
    </message>
    <message>
        <source>ログファイルが他のアプリケーションで更新されています.<byte value="xd" />
<byte value="xd" />
レコードの順序が変更されているとＴＥＶＲＡは異なる位置に送信マークを付ける恐れがあります.</source>
        <translation>The log file has been changed by another application.

If the order of its records changed, TEVRA may put the sent mark on the wrong records.</translation>
    </message>
    <message>
        <source>バックアップファイルの作成に失敗しました.ログファイルの更新は行いません.</source>
        <translation>The backup file could not be created. The log file is not updated.</translation>
    </message>
    <message>
        <source>CSV変換式｢SEND｣が見つかりません.<byte value="xd" />
<byte value="xd" />
参照元のログファイルを更新できません.</source>
        <translation>The CSV formula "SEND" was not found.

The source log cannot be updated.</translation>
    </message>
    <message>
        <source>CSV変換式｢SEND｣がﾌｨｰﾙﾄﾞの範囲外に存在するか、更新禁止が設定されています．<byte value="xd" />
<byte value="xd" />
参照元のログファイルを更新できません.</source>
        <translation>The CSV formula "SEND" is outside the fields or may not be updated.

The source log cannot be updated.</translation>
    </message>
    <message>
        <source>差込印刷データを印刷ジョブに送りました。<byte value="xd" />
<byte value="xd" />
現在のログファイルを更新（送信済みマークを付ける）しますか？</source>
        <translation>The merged cards were sent to the print job.

Update the current log file (put the sent mark on the printed QSOs)?</translation>
    </message>
    <message>
        <source>差込印刷データを印刷ジョブに送りました。<byte value="xd" />
<byte value="xd" />
印刷済みデータのレコード一覧をクリップボードに格納しますか？</source>
        <translation>The merged cards were sent to the print job.

Put the list of the printed records on the clipboard?</translation>
    </message>
    <message>
        <source>差込印刷データを印刷ジョブに送りました。<byte value="xd" />
<byte value="xd" />
印刷済みデータのレコード一覧ファイルを作成しますか？</source>
        <translation>The merged cards were sent to the print job.

Write the list of the printed records to a file?</translation>
    </message>
    <message>
        <source>ログファイルの更新が終了しました.<byte value="xd" />
<byte value="xd" />
元の状態はバックアップ($BK)に保存されています.</source>
        <translation>The log file has been updated.

The old file is kept as a backup ($BK).</translation>
    </message>
    <message>
        <source>ログファイルの更新が終了しました.</source>
        <translation>The log file has been updated.</translation>
    </message>
    <message>
        <source>一覧ファイルの作成を終了しました.</source>
        <translation>The list file has been written.</translation>
    </message>
    <message>
        <source>ＬＯＧ２００セーフティファイルの指定</source>
        <translation>LOG200 Safety File</translation>
    </message>
    <message>
        <source>LOG200ｾｰﾌﾃｨﾌｧｲﾙ(*.l2s)|*.l2s||</source>
        <translation>LOG200 safety files (*.l2s)|*.l2s||</translation>
    </message>
    <message>
        <source>セーフティファイルのオープンに失敗しました．<byte value="xd" />
ファイルの更新を中止します.</source>
        <translation>The safety file could not be opened.
The file is not updated.</translation>
    </message>
    <message>
        <source>セーフティファイルをログファイルと同じディレクトリに拡張子（L2S）で新規に作成しますか</source>
        <translation>Create a new safety file (.L2S) in the log file's folder?</translation>
    </message>
    <message>
        <source>セーフティファイルの作成に失敗しました．<byte value="xd" />
ファイルの更新を中止します.</source>
        <translation>The safety file could not be created.
The file is not updated.</translation>
    </message>
    <message>
        <source>%u 件のレコードは読み込み後に他のアプリケーションで変更されていたため、送信済みマークを付けませんでした.</source>
        <translation>%u records had been changed by another application since loading and were not marked as sent.</translation>
    </message>
    <message>
        <source>発行抑止データを検索中...</source>
        <translation>Looking for cards to suppress...</translation>
    </message>
    <message>
        <source>%u QSO中の %u QSOが抑止対象として抽出されました.<byte value="xd" />
<byte value="xd" />
参照元のログファイルを更新しますか？</source>
        <translation>Of the %u QSOs, %u were found to be suppressed.

Update the source log file?</translation>
    </message>
    <message>
        <source>ログファイルの更新を終了しました.<byte value="xd" />
<byte value="xd" />
今回印刷分データを抽出します.</source>
        <translation>The log file has been updated.

The cards of this print are picked out now.</translation>
    </message>
    <message>
        <source>抑止対象のQSOは見つかりませんでした.<byte value="xd" />
<byte value="xd" />
今回印刷分データを抽出します.</source>
        <translation>No QSO was found to suppress.

The cards of this print are picked out now.</translation>
    </message>
    <message>
        <source>今回印刷分データを抽出中...</source>
        <translation>Picking out the cards of this print...</translation>
    </message>
    <message>
        <source>後始末をしています.しばらくお待ち下さい...</source>
        <translation>Cleaning up. Please wait...</translation>
    </message>
    <message>
        <source>ファイルが作成できません.</source>
        <translation>The file cannot be created.</translation>
    </message>
    <message>
        <source>OLEｱｲﾃﾑをTEVRAﾈｰﾃｨﾌﾞｱｲﾃﾑとしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存しますか ?<byte value="xd" />
<byte value="xd" />
ﾈｰﾃｨﾌﾞｱｲﾃﾑとして保存すると現在の位置、ｻｲｽﾞが記憶できますが、他のｱﾌﾟﾘｹｰｼｮﾝで利用できなくなります.</source>
        <translation>Put the image item on the clipboard as a TEVRA item?

A TEVRA item keeps its place and size, but other applications cannot use it.</translation>
    </message>
    <message>
        <source>前回中断した送信済みマークの書き込みを完了しました.</source>
        <translation>The sent marks left unfinished last time have been written.</translation>
    </message>
    <message>
        <source>前回中断した送信済みマークの書き込みを完了できませんでした.書き込む内容は次のファイルに残っています:</source>
        <translation>The sent marks left unfinished last time could not be written. What was to be written is kept in this file:</translation>
    </message>
    <message>
        <source>ログファイルに書き込めませんでした.</source>
        <translation>The log file could not be written.</translation>
    </message>
    <message>
        <source>参照元のログに書き込めませんでした.</source>
        <translation>The source log could not be written.</translation>
    </message>
    <message>
        <source>%u 件のレコードには送信済みマークを付けられませんでした.</source>
        <translation>%u records could not be marked as sent.</translation>
    </message>
    <message>
        <source>ファイルがオープンできません.ファイルが存在しないか他のアプリケーションで使用中です.</source>
        <translation>The file cannot be opened. It does not exist or another application is using it.</translation>
    </message>
    <message>
        <source>予期しないファイル形式です。読み込みを中止します。</source>
        <translation>Unexpected file format. Loading stopped.</translation>
    </message>
    <message>
        <source>送信マークがログの送信欄(%zuバイト)に入りません.ログファイルの更新は行いません.</source>
        <translation>The sent mark does not fit the log's sent field (%zu bytes). The log file is not updated.</translation>
    </message>
    <message>
        <source>送信マークを入力してください.</source>
        <translation>Enter a sent mark.</translation>
    </message>
    <message>
        <source>送信マークが空です.ログファイルの更新は行いません.</source>
        <translation>The sent mark is empty. The log file is not updated.</translation>
    </message>
    <message>
        <source>送信マークに使えない文字が含まれています.ログファイルの更新は行いません.</source>
        <translation>The sent mark has characters that cannot be used. The log file is not updated.</translation>
    </message>
    <message>
        <source>ログファイルに抑止マークを書き込めませんでした.抑止対象のQSOも今回印刷します.</source>
        <translation>The suppression mark could not be written to the log file. The suppressed QSOs are printed as well.</translation>
    </message>
    <message>
        <source>印刷した %2$u 件のうち %1$u 件に送信済みマークを付けたところで更新が中断しました.残りには付いていません.</source>
        <translation>The update stopped after %1$u of the %2$u printed records were marked as sent. The others are not marked.</translation>
    </message>
    <message>
        <source>ログファイルが大きすぎます(2GBまで)。読み込みを中止します。</source>
        <translation>The log file is too large (2 GB at most). Loading stopped.</translation>
    </message>
    <message>
        <source>このデータはＴＥＶＲＡの新しいバージョンで作成されています.<byte value="xd" />
<byte value="xd" />
読み込むには新しいＴＥＶＲＡが必要です.</source>
        <translation>This data was made by a newer version of TEVRA.

A newer TEVRA is needed to read it.</translation>
    </message>
    <message>
        <source>このデータはＴＥＶＲＡの古いバージョンで作成されています.<byte value="xd" />
<byte value="xd" />
新しい形式に変換しながら読み込みを続行します.</source>
        <translation>This data was made by an older version of TEVRA.

It is converted to the new format as it is read.</translation>
    </message>
    <message>
        <source>現在読み込み中のデータはＴＥＶＲＡがサポートしないネーティブデータを含んでいます.<byte value="xd" />
<byte value="xd" />
ＴＥＶＲＡが正常に動作しない恐れがあるので読み込みは中止されます.</source>
        <translation>The data being read holds native data that TEVRA does not support.

Loading stopped, since TEVRA might not work properly with it.</translation>
    </message>
    <message>
        <source>レイアウトファイルが壊れています。読み込みを中止します。</source>
        <translation>The layout file is damaged. Loading stopped.</translation>
    </message>
    <message>
        <source>レコードが存在しません.</source>
        <translation>There are no records.</translation>
    </message>
    <message>
        <source>恐らく無効な変換式です. リストに設定しますか?</source>
        <translation>This formula is probably not valid. Put it in the list anyway?</translation>
    </message>
    <message>
        <source>%d 行のスキップが設定されています. ほんまにええでっか？</source>
        <translation>%d lines are set to be skipped. Really?</translation>
    </message>
    <message>
        <source>ＣＳＶ設定ファイル(*.mft)|*.mft||</source>
        <translation>CSV settings files (*.mft)|*.mft||</translation>
    </message>
    <message>
        <source>ＣＳＶ設定ファイルの読み込み</source>
        <translation>Load CSV Settings</translation>
    </message>
    <message>
        <source>ＣＳＶ設定ファイルの作成</source>
        <translation>Save CSV Settings</translation>
    </message>
    <message>
        <source>DBBRDG.DLLのバージョンが不適切です.<byte value="xd" />
<byte value="xd" />
TEVRA.EXEとDBBRDG.DLLのバージョンの不一致に問題があります.<byte value="xd" />
ODBCﾃﾞｰﾀﾍﾞｰｽ接続を利用しない場合はDBBRDG.DLLを削除して下さい.</source>
        <translation>The database bridge is of the wrong version.

TEVRA and the bridge do not match.
Remove the bridge library if you do not use ODBC databases.</translation>
    </message>
    <message>
        <source>関連するＤＢＲファイルを読み込めません</source>
        <translation>The related DBR file cannot be read</translation>
    </message>
    <message>
        <source>%1 への変更を保存しますか?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>次回の起動から有効になります</source>
        <translation>Takes effect at the next start</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>システムの設定に従う</source>
        <translation>As the system says</translation>
    </message>
    <message>
        <source>エンティティ定義ファイルをコピーできませんでした:
%1</source>
        <translation>The entity definitions file could not be copied:
%1</translation>
    </message>
    <message>
        <source>エンティティ定義ファイルを開くエディタが見つかりません.
ファイルの場所: %1</source>
        <translation>No editor was found to open the entity definitions file.
The file is at: %1</translation>
    </message>
    <message>
        <source>このページを開くアプリケーションがありません. 代わりにマニュアルを表示します.</source>
        <translation>No application opens this page. The manual is shown instead.</translation>
    </message>
    <message>
        <source>サンプル</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>TEVRAデータファイル(*.tvd)|*.tvd;*.TVD||</source>
        <translation>TEVRA layouts (*.tvd)|*.tvd;*.TVD||</translation>
    </message>
    <message>
        <source>PDFファイルに印刷しました:
%1</source>
        <translation>Printed into the PDF file:
%1</translation>
    </message>
    <message>
        <source>このシステムにはプリンタがありません.<byte value="xd" />
<byte value="xd" />
印刷はカードと同じ大きさの用紙でPDFファイルに出力されます.</source>
        <translation>This system has no printer.

Cards are printed into PDF files, on paper the size of the card.</translation>
    </message>
    <message>
        <source>差込印刷</source>
        <translation>Merge Print</translation>
    </message>
    <message>
        <source>CSVログファイルに接続...</source>
        <translation>Connect to a CSV Log File...</translation>
    </message>
    <message>
        <source>異常な日付</source>
        <translation>Abnormal date</translation>
    </message>
    <message>
        <source>異常な時刻</source>
        <translation>Abnormal time</translation>
    </message>
    <message>
        <source>異常なコールサイン</source>
        <translation>Abnormal call sign</translation>
    </message>
    <message>
        <source>異常なＲＳＴ</source>
        <translation>Abnormal RST</translation>
    </message>
    <message>
        <source>認識できない電波形式</source>
        <translation>Unknown mode</translation>
    </message>
    <message>
        <source>認識できないバンド</source>
        <translation>Unknown band</translation>
    </message>
    <message>
        <source>続行しますか？</source>
        <translation>Continue?</translation>
    </message>
    <message>
        <source>次の条件子が識別できません.</source>
        <translation>This condition is not known:</translation>
    </message>
    <message>
        <source>市販のシートのカタログがインストールされていません (%1, Debian パッケージ glabels-data).</source>
        <translation>No catalogue of commercial label sheets is installed (%1, Debian package glabels-data).</translation>
    </message>
    <message>
        <source>市販のシート</source>
        <translation>Commercial Label Sheets</translation>
    </message>
    <message>
        <source>メーカー, 品番, 説明で検索</source>
        <translation>Search by brand, part or description</translation>
    </message>
    <message>
        <source>%1 %2 — %3 (%4, %5 × %6 mm, %7 枚)</source>
        <translation>%1 %2 - %3 (%4, %5 x %6 mm, %7 labels)</translation>
    </message>
    <message>
        <source>市販のシートから選択...</source>
        <translation>Choose a Commercial Sheet...</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>用紙全体を表示</source>
        <translation>Fit the Paper</translation>
    </message>
    <message>
        <source>実寸 (100%)</source>
        <translation>Actual Size (100%)</translation>
    </message>
    <message>
        <source>Ctrl+Z: 元に戻す  Ctrl+Y: やり直し  ｷｬﾝｾﾙ: 開いた時のログに戻す  (ログファイルは変更されません)</source>
        <translation>Ctrl+Z: undo  Ctrl+Y: redo  Cancel: back to the log as it was opened  (the log file is not changed)</translation>
    </message>
    <message>
        <source>直線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>チェックボックス</source>
        <translation>Check Box</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>グループ</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>アイテム</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>左 (mm)</source>
        <translation>Left (mm)</translation>
    </message>
    <message>
        <source>上 (mm)</source>
        <translation>Top (mm)</translation>
    </message>
    <message>
        <source>幅 (mm)</source>
        <translation>Width (mm)</translation>
    </message>
    <message>
        <source>高さ (mm)</source>
        <translation>Height (mm)</translation>
    </message>
    <message>
        <source>サイズ (pt)</source>
        <translation>Size (pt)</translation>
    </message>
    <message>
        <source>太字 (1/0)</source>
        <translation>Bold (1/0)</translation>
    </message>
    <message>
        <source>斜体 (1/0)</source>
        <translation>Italic (1/0)</translation>
    </message>
    <message>
        <source>線の色</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <source>線の幅</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>線の種類 (0-6)</source>
        <translation>Line style (0-6)</translation>
    </message>
    <message>
        <source>(選択なし)</source>
        <translation>(nothing selected)</translation>
    </message>
    <message>
        <source>%1 個のアイテム</source>
        <translation>%1 items</translation>
    </message>
    <message>
        <source>カード画像の書き出し</source>
        <translation>Export Card Images</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>書き出すフォルダ</source>
        <translation>Folder to Write Into</translation>
    </message>
    <message>
        <source>差込言語の書式: 既定の %C_%{YYYY}%{MM}%{DD}_%B は JA1ABC_20241103_0930 になります</source>
        <translation>In the merge language: the default %C_%{YYYY}%{MM}%{DD}_%B gives JA1ABC_20241103_0930</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>解像度</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File names</translation>
    </message>
    <message>
        <source>カード画像の書き出し...</source>
        <translation>Export Card Images...</translation>
    </message>
    <message>
        <source>差込印刷のカードを1枚ずつ画像ファイルに書き出します</source>
        <translation>Write every card of the merge print as a picture file of its own</translation>
    </message>
    <message>
        <source>カード画像を書き出し中...</source>
        <translation>Writing the card images...</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>カード画像を書き出せませんでした. フォルダは元のままです.

%1</source>
        <translation>The card images could not be written. The folder is as it was.

%1</translation>
    </message>
    <message>
        <source>%1 枚のカード画像を %2 に書き出しました</source>
        <translation>%1 card images written to %2</translation>
    </message>
    <message>
        <source>書き出すフォルダを指定してください.</source>
        <translation>Give the folder to write into.</translation>
    </message>
    <message>
        <source>形式は png か jpg です.</source>
        <translation>The format is png or jpg.</translation>
    </message>
    <message>
        <source>解像度は 72 から 600 dpi です.</source>
        <translation>The resolution is 72 to 600 dpi.</translation>
    </message>
    <message>
        <source>ファイル名の書式を指定してください.</source>
        <translation>Give the pattern of the file names.</translation>
    </message>
</context>
</TS>
