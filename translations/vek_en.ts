<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BatchParser</name>
    <message>
        <source>除外するファイル・フォルダの名前が指定されていません。</source>
        <translation>No file or folder names to exclude were given.</translation>
    </message>
    <message>
        <source>/X の後に「.git;node_modules」のように指定してください。</source>
        <translation>Give them after /X, for example “.git;node_modules”.</translation>
    </message>
    <message>
        <source>比較するリストが指定されていません。</source>
        <translation>No list to compare was given.</translation>
    </message>
    <message>
        <source>/V の後にリストのファイルを指定してください。</source>
        <translation>Give the list file after /V.</translation>
    </message>
    <message>
        <source>/V はリストとフォルダ（/I）か、二つのリストを比較します。</source>
        <translation>/V compares a list with a folder (/I), or two lists.</translation>
    </message>
    <message>
        <source>引数を確認してください。</source>
        <translation>Check the arguments.</translation>
    </message>
    <message>
        <source>ファイルリスト取得対象フォルダが指定されていません。</source>
        <translation>No folder to list was given.</translation>
    </message>
    <message>
        <source>ファイルリスト取得対象フォルダが不正です、パスを確認してください。</source>
        <translation>The folder to list is not valid. Check the path.</translation>
    </message>
    <message>
        <source>出力先フォルダが不正です、パスを確認してください。</source>
        <translation>The output folder is not valid. Check the path.</translation>
    </message>
    <message>
        <source>ソートキーが不正です [%1]</source>
        <translation>The sort key is not valid [%1]</translation>
    </message>
    <message>
        <source>正しいソートキーを指定してください。</source>
        <translation>Give a valid sort key.</translation>
    </message>
    <message>
        <source>1：ﾌｧｲﾙ名&#x3000;2：拡張子&#x3000;3：ﾌｧｲﾙﾊﾟｽ&#x3000;4：ﾌｧｲﾙﾀｲﾌﾟ&#x3000;5：ﾌｧｲﾙｻｲｽﾞ&#x3000;6：作成日付&#x3000;7：ｱｸｾｽ日付&#x3000;8：更新日付</source>
        <translation>1: file name  2: extension  3: file path  4: file type  5: file size  6: created  7: accessed  8: modified</translation>
    </message>
    <message>
        <source>ハッシュの種類が不正です、MD5/SHA1/SHA256のどれかを指定してください。</source>
        <translation>The hash type is not valid. Give one of MD5/SHA1/SHA256.</translation>
    </message>
    <message>
        <source>文字コードが不正です、SYSTEM/UTF8/UTF8BOM/CP932のどれかを指定してください。</source>
        <translation>The text encoding is not valid. Give one of SYSTEM/UTF8/UTF8BOM/CP932.</translation>
    </message>
    <message>
        <source>識別できない指示符「%1」です。</source>
        <translation>Unknown switch “%1”.</translation>
    </message>
    <message>
        <source>正しい引数で起動してください。</source>
        <translation>Start Vek with valid arguments.</translation>
    </message>
    <message>
        <source>ファイル名の日付フォーマットが不正です、フォーマットを確認してください。</source>
        <translation>The date format of the file name is not valid. Check the format.</translation>
    </message>
    <message>
        <source>出力ファイル名が不正です、フォルダの区切り文字を含まない名前を指定してください。</source>
        <translation>The output file name is not valid. Give a name without folder separators.</translation>
    </message>
    <message>
        <source>出力タイプが不正です、%1のどれかを指定してください。</source>
        <translation>The output type is not valid. Give one of %1.</translation>
    </message>
    <message>
        <source>文字コード（/K）はCSVとTEXTの出力にだけ指定できます。</source>
        <translation>An encoding (/K) can be given only for CSV and TEXT output.</translation>
    </message>
    <message>
        <source>/K を外すか、/T CSV か /T TEXT を指定してください。</source>
        <translation>Leave out /K, or give /T CSV or /T TEXT.</translation>
    </message>
</context>
<context>
    <name>BatchRun</name>
    <message>
        <source>フィルタ設定ファイルを読み込めません。既定のフィルタを使います。</source>
        <translation>The filter presets file cannot be read. The default filters are used.</translation>
    </message>
    <message>
        <source>比較</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>%1 を付けて比較します（保存されたリストは %1 なしで作られました）。</source>
        <translation>Comparing with %1 (the saved list was made without %1).</translation>
    </message>
    <message>
        <source>/E %1 で比較します（保存されたリストは /E %2 で作られました）。</source>
        <translation>Comparing with /E %1 (the saved list was made with /E %2).</translation>
    </message>
    <message>
        <source>/X %1 で比較します（保存されたリストは /X %2 で作られました）。</source>
        <translation>Comparing with /X %1 (the saved list was made with /X %2).</translation>
    </message>
    <message>
        <source>/M %1 で比較します（保存されたリストは /M %2 で作られました）。</source>
        <translation>Comparing with /M %1 (the saved list was made with /M %2).</translation>
    </message>
    <message>
        <source>保存されたリストの作り方に合わせて比較します: %1</source>
        <translation>Following how the saved list was made: %1</translation>
    </message>
</context>
<context>
    <name>ColumnCells</name>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>出力指定エラー</source>
        <translation>Output Settings Error</translation>
    </message>
    <message>
        <source>出力情報が指定されていません</source>
        <translation>No columns are chosen for the output.</translation>
    </message>
    <message>
        <source>相対パス</source>
        <translation>Relative path</translation>
    </message>
    <message>
        <source>ハッシュ値</source>
        <translation>Hash</translation>
    </message>
</context>
<context>
    <name>CommandLineRun</name>
    <message>
        <source>標準出力に書き込めませんでした。</source>
        <translation>Standard output could not be written.</translation>
    </message>
</context>
<context>
    <name>CommandReadBack</name>
    <message>
        <source>文字コード</source>
        <translation>the text encoding</translation>
    </message>
    <message>
        <source>ﾊｯｼｭ値</source>
        <translation>the hash</translation>
    </message>
    <message>
        <source>ﾁｪｯｸｻﾑﾌｧｲﾙ</source>
        <translation>the checksum file</translation>
    </message>
    <message>
        <source>入力フォルダ</source>
        <translation>the input folder</translation>
    </message>
    <message>
        <source>出力フォルダ</source>
        <translation>the output folder</translation>
    </message>
    <message>
        <source>出力ファイルタイプ</source>
        <translation>the output file type</translation>
    </message>
    <message>
        <source>出力ファイル名</source>
        <translation>the output file name</translation>
    </message>
    <message>
        <source>入力ファイルフィルタ</source>
        <translation>the input file filter</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>the title</translation>
    </message>
    <message>
        <source>ソートキー</source>
        <translation>the sort key</translation>
    </message>
    <message>
        <source>ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索</source>
        <translation>the subfolder search</translation>
    </message>
    <message>
        <source>指示符と同じ形の値（/C など）や空の値は使えません、指定を変更してください。</source>
        <translation>Values shaped like a switch (such as /C) and empty values cannot be used; change them.</translation>
    </message>
    <message>
        <source>%1を指定してください。</source>
        <translation>Give %1.</translation>
    </message>
    <message>
        <source>このコマンドはリスト作成で受け付けられません。</source>
        <translation>The list run does not accept this command.</translation>
    </message>
    <message>
        <source>このコマンドでは%1が指定と違う意味に読まれます。</source>
        <translation>In this command, %1 would be read differently from what was chosen.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>除外するﾌｧｲﾙ・ﾌｫﾙﾀﾞ</source>
        <translation>the files and folders to exclude</translation>
    </message>
    <message>
        <source>隠しﾌｧｲﾙの追加</source>
        <translation>adding hidden files</translation>
    </message>
    <message>
        <source>別のﾌｧｲﾙｼｽﾃﾑの検索</source>
        <translation>staying on one file system</translation>
    </message>
</context>
<context>
    <name>CompareState</name>
    <message>
        <source>同じ</source>
        <translation>Same</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Removed</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>size</translation>
    </message>
    <message>
        <source>更新日付</source>
        <translation>modified</translation>
    </message>
    <message>
        <source>ハッシュ</source>
        <translation>hash</translation>
    </message>
    <message>
        <source>・</source>
        <translation>, </translation>
    </message>
    <message>
        <source>移動</source>
        <translation>moved</translation>
    </message>
    <message>
        <source>未確認</source>
        <translation>unverified</translation>
    </message>
    <message>
        <source>読み取れません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>保存されたリストにハッシュ値がありません</source>
        <translation>no digest in the saved list</translation>
    </message>
    <message>
        <source>ハッシュ値を計算できません</source>
        <translation>could not be hashed</translation>
    </message>
</context>
<context>
    <name>ComparisonRun</name>
    <message>
        <source>保存されたリストに %1 のハッシュ値がないため、ハッシュ値は比較しません。</source>
        <translation>The saved list holds no %1 hashes, so hashes are not compared.</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>names</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>sizes</translation>
    </message>
    <message>
        <source>更新日付</source>
        <translation>modification dates</translation>
    </message>
    <message>
        <source>ハッシュ値</source>
        <translation>hashes</translation>
    </message>
    <message>
        <source>比較の結果</source>
        <translation>Comparison result</translation>
    </message>
    <message>
        <source>同じ %1&#x3000;追加 %2&#x3000;削除 %3&#x3000;変更 %4&#x3000;移動 %5&#x3000;未確認 %6（比較した項目: %7）</source>
        <translation>Same %1, added %2, removed %3, changed %4, moved %5, unverified %6 (compared: %7)</translation>
    </message>
    <message>
        <source>・</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>DeliveryCheck</name>
    <message>
        <source>Windowsで使えない文字</source>
        <translation>Characters Windows forbids</translation>
    </message>
    <message>
        <source>Windowsの予約名</source>
        <translation>Name reserved by Windows</translation>
    </message>
    <message>
        <source>末尾が点か空白</source>
        <translation>Ends in a dot or space</translation>
    </message>
    <message>
        <source>パスが260文字超</source>
        <translation>Path over 260 characters</translation>
    </message>
    <message>
        <source>分解形(NFD)の名前</source>
        <translation>Decomposed (NFD) name</translation>
    </message>
    <message>
        <source>Shift_JISにない文字</source>
        <translation>Characters not in Shift_JIS</translation>
    </message>
    <message>
        <source>大文字小文字違いの同名</source>
        <translation>Same name in another case</translation>
    </message>
    <message>
        <source>OS・Officeの管理ファイル</source>
        <translation>OS or Office system file</translation>
    </message>
    <message>
        <source>、</source>
        <translation>; </translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>NFC/NFD違いの同名</source>
        <translation>Same name in NFC and NFD</translation>
    </message>
    <message>
        <source>・</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1（フォルダ「%2」）</source>
        <extracomment>%1: the notes of a folder&apos;s name, %2: the folder&apos;s name</extracomment>
        <translation>%1 (folder “%2”)</translation>
    </message>
</context>
<context>
    <name>ElementNameCheck</name>
    <message>
        <source>設定エラー</source>
        <translation>Settings Error</translation>
    </message>
    <message>
        <source>不正な文字列「%1」が要素名に設定されました。</source>
        <translation>“%1” is not a valid element name.</translation>
    </message>
</context>
<context>
    <name>FileEntry</name>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>元: %1</source>
        <translation>from %1</translation>
    </message>
</context>
<context>
    <name>FileHasher</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>(読み取れないためハッシュなし)</source>
        <translation>(no hash: unreadable)</translation>
    </message>
    <message>
        <source>(変更されたためハッシュなし)</source>
        <translation>(no hash: changed)</translation>
    </message>
    <message>
        <source>(ハッシュなし)</source>
        <translation>(no hash)</translation>
    </message>
    <message>
        <source>(比較で確認できないため読み取りなし)</source>
        <translation>(not read: not in the folder now)</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>出力対象ﾌｧｲﾙﾘｽﾄ</source>
        <translation>Files to Export</translation>
    </message>
    <message>
        <source>%1 - 総ﾌｧｲﾙ数：%2ﾌｧｲﾙ</source>
        <translation>%1 - Total files: %2</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙがありません。</source>
        <translation>No Files</translation>
    </message>
    <message>
        <source>出力対象とするファイルリストが入力されていません。</source>
        <translation>The list holds no files to export.</translation>
    </message>
    <message>
        <source>選択されていません。</source>
        <translation>Nothing Ticked</translation>
    </message>
    <message>
        <source>選択済みのファイルリストにおいて、一つ以上の項目にチェックを付けてください。</source>
        <translation>Tick at least one file in the list.</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>ﾊﾟｽ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾀｲﾌﾟ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙｻｲｽﾞ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>作成日時</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>ｱｸｾｽ日時</source>
        <translation>Accessed</translation>
    </message>
    <message>
        <source>更新日時</source>
        <translation>Modified</translation>
    </message>
</context>
<context>
    <name>FilterPresets</name>
    <message>
        <source>UTF-8（BOM 付きも可）または BOM 付きの UTF-16 で保存してください。</source>
        <translation>Save it as UTF-8 (with or without a byte-order mark) or as UTF-16 with a byte-order mark.</translation>
    </message>
    <message>
        <source>%1、BOM 付きの UTF-8 または BOM 付きの UTF-16 で保存してください。</source>
        <translation>Save it as %1, as UTF-8 with a byte-order mark or as UTF-16 with a byte-order mark.</translation>
    </message>
    <message>
        <source>文字コード %1 のテキストとして読めません。%2</source>
        <translation>It cannot be read as text in the encoding %1. %2</translation>
    </message>
    <message>
        <source>*.*;&#x3000;（全てのファイル）</source>
        <translation>*.*;  (All files)</translation>
    </message>
    <message>
        <source>*.mp3;*.wav;*.mid*;&#x3000;（音楽メディアファイル）</source>
        <translation>*.mp3;*.wav;*.mid*;  (Music)</translation>
    </message>
    <message>
        <source>*.bmp;*.gif;*.jpg;*.jpeg;*.png;  （画像ファイル）</source>
        <translation>*.bmp;*.gif;*.jpg;*.jpeg;*.png;  (Pictures)</translation>
    </message>
    <message>
        <source>*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.rm;*.swf;   （動画メディアファイル）</source>
        <translation>*.avi;*.mpg;*.mpeg;*.wmv;*.mov;*.rm;*.swf;  (Videos)</translation>
    </message>
    <message>
        <source>*.lzh;*.zip;*.rar;*.gca;*.cab;&#x3000;（圧縮ファイル）</source>
        <translation>*.lzh;*.zip;*.rar;*.gca;*.cab;  (Archives)</translation>
    </message>
    <message>
        <source>*.htm*;*.css;*.asp;*.pl;*.cgi;   （Webモジュール）</source>
        <translation>*.htm*;*.css;*.asp;*.pl;*.cgi;  (Web pages and scripts)</translation>
    </message>
    <message>
        <source>*.doc;*.xls;*.rtf;*.rpp;*.pdf;*.jtd;*.jbw;*.wri;&#x3000;（各種ドキュメント）</source>
        <translation>*.doc;*.xls;*.rtf;*.rpp;*.pdf;*.jtd;*.jbw;*.wri;  (Documents)</translation>
    </message>
    <message>
        <source>*.exe;*.com;*.bat;*.scr;   （実行モジュール）</source>
        <translation>*.exe;*.com;*.bat;*.scr;  (Programs)</translation>
    </message>
    <message>
        <source>readme.*;*.hlp;&#x3000;（添付ドキュメント）</source>
        <translation>readme.*;*.hlp;  (Read-me and help files)</translation>
    </message>
    <message>
        <source>*.txt;*.log;&#x3000;（テキストドキュメント）</source>
        <translation>*.txt;*.log;  (Text files)</translation>
    </message>
    <message>
        <source>*.mp3</source>
        <translation>*.mp3</translation>
    </message>
    <message>
        <source>*.cue;*.iso;*.ccd;*.bwt;*.mds;*.cdi;*.fcd;&#x3000;（Disk Image）</source>
        <translation>*.cue;*.iso;*.ccd;*.bwt;*.mds;*.cdi;*.fcd;  (Disk images)</translation>
    </message>
    <message>
        <source>*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;*.dsp;*.dsw;*.opt;&#x3000;（VC 関連）</source>
        <translation>*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;*.dsp;*.dsw;*.opt;  (Visual C++)</translation>
    </message>
    <message>
        <source>*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;&#x3000;（VC 4.X関連）</source>
        <translation>*.c;*.cpp;*.h;*.rc;*.clw;*.mak;*.mdp;  (Visual C++ 4.x)</translation>
    </message>
    <message>
        <source>*.c;*.cpp;*.h;*.rc;*.clw;*.dsp;*.dsw;*.opt;&#x3000;（VC 6.X関連）</source>
        <translation>*.c;*.cpp;*.h;*.rc;*.clw;*.dsp;*.dsw;*.opt;  (Visual C++ 6.x)</translation>
    </message>
    <message>
        <source>*.bas;*.frm;*.vbp;&#x3000;（VB関連）</source>
        <translation>*.bas;*.frm;*.vbp;  (Visual Basic)</translation>
    </message>
    <message>
        <source>*Album*;*アルバム*;&#x3000;（設定サンプル）</source>
        <translation>*Album*;*Photo*;  (Example setting)</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>ファイルがありません。</source>
        <translation>The file does not exist.</translation>
    </message>
</context>
<context>
    <name>ListDelivery</name>
    <message>
        <source>一覧とチェックサムファイルは揃えて置き換えるため、一覧 %1 も置き換えていません。</source>
        <translation>A list and its checksum file are replaced together, so the list %1 was not replaced either.</translation>
    </message>
</context>
<context>
    <name>ListEncoding</name>
    <message>
        <source>UTF-8（BOM付き）</source>
        <translation>UTF-8 with BOM</translation>
    </message>
    <message>
        <source>UTF-8 (BOM付き)</source>
        <translation>UTF-8 (with byte-order mark)</translation>
    </message>
    <message>
        <source>Shift_JIS（CP932）</source>
        <translation>Shift_JIS (CP932)</translation>
    </message>
    <message>
        <source>システムの文字コード（%1）</source>
        <translation>System encoding (%1)</translation>
    </message>
</context>
<context>
    <name>ListHashes</name>
    <message>
        <source>%1 / %2 ファイル</source>
        <translation>%1 of %2 files</translation>
    </message>
    <message>
        <source>ハッシュ値を計算中</source>
        <translation>Computing hashes</translation>
    </message>
    <message>
        <source>ファイルを読み取っています</source>
        <translation>Reading the files</translation>
    </message>
    <message>
        <source>%1 個のファイルはハッシュ値を計算できませんでした。</source>
        <translation>No hash could be computed for %1 file(s).</translation>
    </message>
    <message>
        <source>一覧のハッシュ値の欄にその理由を記し、チェックサムファイルには含めていません。</source>
        <translation>The list&apos;s hash column gives the reason, and the checksum file leaves them out.</translation>
    </message>
    <message>
        <source>ほか %1 個</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>ハッシュ値</source>
        <translation>Hashes</translation>
    </message>
    <message>
        <source>リストに加えたあとか読み取り中に変更されました</source>
        <translation>changed after it was listed or while it was read</translation>
    </message>
    <message>
        <source>読み取れません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>一覧のハッシュ値の欄にその理由を記しました。</source>
        <translation>The list&apos;s hash column gives the reason.</translation>
    </message>
    <message>
        <source>チェックサムファイルには含めていません。</source>
        <translation>The checksum file leaves them out.</translation>
    </message>
</context>
<context>
    <name>ListInput</name>
    <message>
        <source>中断しました。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>FIFO（名前付きパイプ）</source>
        <translation>a FIFO (named pipe)</translation>
    </message>
    <message>
        <source>ソケット</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>デバイス</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>特殊なファイル</source>
        <translation>a special file</translation>
    </message>
</context>
<context>
    <name>ListTotals</name>
    <message>
        <source>1 バイト</source>
        <translation>1 byte</translation>
    </message>
    <message>
        <source>%1 バイト</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>ﾁｪｯｸ済み：%1 ﾌｧｲﾙ&#x3000;合計 %2</source>
        <translation>Ticked files: %1   Total: %2</translation>
    </message>
    <message>
        <source>ﾁｪｯｸ済み：%1 ﾌｧｲﾙ&#x3000;合計 %2（%3）</source>
        <translation>Ticked files: %1   Total: %2 (%3)</translation>
    </message>
</context>
<context>
    <name>MessageCatalogue</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>フォルダ検索中</source>
        <translation>Searching Folders</translation>
    </message>
    <message>
        <source>フォルダ情報を検索／取得中です．．．</source>
        <translation>Looking through the folders...</translation>
    </message>
    <message>
        <source>ファイル検索中</source>
        <translation>Searching Files</translation>
    </message>
    <message>
        <source>ファイル情報を検索／取得中です．．．</source>
        <translation>Reading the file information...</translation>
    </message>
    <message>
        <source>処理件数：%1&#x3000;/&#x3000;総ﾌｫﾙﾀﾞ数：%2件</source>
        <translation>Folders done: %1 of %2</translation>
    </message>
    <message>
        <source>ファイル取得エラー</source>
        <translation>File Information Error</translation>
    </message>
    <message>
        <source>以下のファイルの情報取得に失敗しました。

パス：%1
ファイル名：%2

このファイルはリストに追加されません。</source>
        <translation>The information of the following file could not be read.

Folder: %1
File name: %2

This file is not added to the list.</translation>
    </message>
    <message numerus="yes">
        <source>ほかに %1 件のファイルの情報取得に失敗しました。

これらのファイルはリストに追加されません。</source>
        <translation>
            <numerusform>The information of %1 more file could not be read.

It is not added to the list.</numerusform>
            <numerusform>The information of %1 more files could not be read.

These files are not added to the list.</numerusform>
        </translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ種別未選択</source>
        <translation>No File Type Chosen</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの種別を指定してください。</source>
        <translation>Choose the types of files to add.</translation>
    </message>
    <message>
        <source>検索開始フォルダとしてルートを指定し、ファイル種別として「*」を使用した場合、
検索終了までかなりの時間がかかることが予想されます。
適切なフォルダ、ファイル種別を再選択し、実行することをおすすめします。
検索を開始しますか？</source>
        <translation>With the root folder as the place to start and &quot;*&quot; as the file type,
the search can be expected to take a very long time.
Choosing a narrower folder and file type is recommended.
Start the search anyway?</translation>
    </message>
    <message>
        <source>ｱｲﾃﾑ種別ｴﾗｰ</source>
        <translation>Unsupported Item</translation>
    </message>
    <message>
        <source>処理対象外のｱｲﾃﾑがﾄﾞﾛｯﾌﾟされました。
ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟが可能なのは、ﾌｧｲﾙ及びﾌｫﾙﾀﾞのみとなっています。</source>
        <translation>Something other than files and folders was dropped.
Only files and folders can be dragged and dropped here.</translation>
    </message>
    <message numerus="yes">
        <source>次の %1 件を読み取れなかったため、リストは完全ではありません:</source>
        <translation>
            <numerusform>The following item could not be read, so the list is incomplete:</numerusform>
            <numerusform>The following %1 items could not be read, so the list is incomplete:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>ファイルを開くことが出来ません。
%1
他の処理によってロックされていないか、ハードディスクがいっぱいでないかを確認してください。
ファイルは出力されませんでした。</source>
        <translation>The file cannot be written.
%1
Check that no other program holds it locked and that the disk is not full.
The file was not written.</translation>
    </message>
    <message>
        <source>文字の置き換え</source>
        <translation>Characters Replaced</translation>
    </message>
    <message numerus="yes">
        <source>ファイルを出力しました。
%1
ただし、文字コード %2 で表せない文字が %3 文字あったため、「?」に置き換えて出力しました。</source>
        <translation>
            <numerusform>The file was written.
%1
However, %3 character cannot be represented in the encoding %2; it was written as &quot;?&quot;.</numerusform>
            <numerusform>The file was written.
%1
However, %3 characters cannot be represented in the encoding %2; they were written as &quot;?&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ファイルを出力しました。
%1
ただし、ファイル内に書けない文字（制御文字など）が %2 文字あったため、「�」（U+FFFD）に置き換えて出力しました。</source>
        <translation>
            <numerusform>The file was written.
%1
However, %2 character cannot be held by the file (a control character or the like); it was written as &quot;�&quot; (U+FFFD).</numerusform>
            <numerusform>The file was written.
%1
However, %2 characters cannot be held by the file (control characters and the like); they were written as &quot;�&quot; (U+FFFD).</numerusform>
        </translation>
    </message>
    <message>
        <source>原因: %1</source>
        <translation>Cause: %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>フルパス</source>
        <translation>Full path</translation>
    </message>
    <message>
        <source>ディレクトリ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>ファイルタイプ</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>ファイルサイズ</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>作成日付</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>アクセス日付</source>
        <translation>Accessed</translation>
    </message>
    <message>
        <source>更新日付</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>（ここにタイトルを入力）</source>
        <translation>(Type the title here)</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>設定ファイルは読み込めなかったため、書き換えずにそのまま残します。</source>
        <translation>The settings file could not be read, so it is left as it is and not written over.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>設定ファイルを読み書きできません。</source>
        <translation>The settings file cannot be read or written.</translation>
    </message>
</context>
<context>
    <name>SystemDialogs</name>
    <message>
        <source>追加を中止</source>
        <translation>Stop Adding</translation>
    </message>
    <message>
        <source>以後表示しない</source>
        <translation>Don&apos;t Show Again</translation>
    </message>
</context>
<context>
    <name>TextListExport</name>
    <message>
        <source>ファイルを出力しました。</source>
        <translation>The file was written.</translation>
    </message>
    <message>
        <source>ただし、文字コード %1 で表せない文字を含む行が %2 行あったため、その文字を「?」に置き換えて出力しました。</source>
        <translation>But %2 row(s) held characters that %1 cannot encode; they were written as “?”.</translation>
    </message>
    <message>
        <source>見出し行の文字も「?」に置き換えました。</source>
        <translation>Characters of the header row were replaced by “?” too.</translation>
    </message>
    <message>
        <source>最初の行: %1</source>
        <translation>First row: %1</translation>
    </message>
    <message>
        <source>文字の置き換え</source>
        <translation>Characters Replaced</translation>
    </message>
    <message>
        <source>文字コード %1 では別の文字として読み戻される文字を含む行が %2 行ありました。</source>
        <translation>%2 rows held characters that %1 writes as other characters, which read back differently.</translation>
    </message>
    <message>
        <source>%1 は %2 として書き出しました。</source>
        <extracomment>%1 and %2: a character with its code point, &quot;〜 (U+301C)&quot;</extracomment>
        <translation>%1 written as %2.</translation>
    </message>
</context>
<context>
    <name>TextListReader</name>
    <message>
        <source>サイズは KB・MB 単位で書かれているため比較しません。</source>
        <translation>Sizes are written in KB or MB, so they are not compared.</translation>
    </message>
    <message>
        <source>更新日付は日付の書式から日時に戻せないため比較しません。</source>
        <translation>Modification dates cannot be read back from their date format, so they are not compared.</translation>
    </message>
    <message>
        <source>Excel ブック（.xlsx）</source>
        <translation>An Excel workbook (.xlsx)</translation>
    </message>
</context>
<context>
    <name>TotalLine</name>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>小計</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>%1 件</source>
        <translation>%1 files</translation>
    </message>
</context>
<context>
    <name>UsageText</name>
    <message>
        <source>/T JSON</source>
        <translation>/T JSON</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;JSON のリスト（.json、UTF-8）を出力します、どのファイル名も元のバイト列のまま読み戻せます。</source>
        <translation>    Writes a JSON list (.json, UTF-8); every file name reads back with its original bytes.</translation>
    </message>
    <message>
        <source>/V list</source>
        <translation>/V list</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;保存されたリスト（JSON・CSV・テキスト）と/Iのフォルダを比較し、違いを「+ 追加」「- 削除」「* 変更」の行で出力します。/V を二つ指定すると二つのリストを比較します。</source>
        <translation>    Compares a saved list (JSON, CSV or text) with the /I folder and writes the differences as “+ added”, “- removed” and “* changed” lines. Two /V compare two lists.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;/O・/T・/F があれば違いを状態の列のあるリストとして出力します。終了コードは同じなら 0、違いがあれば 4 です。</source>
        <translation>    With /O, /T and /F the differences are written as a list with a state column. The exit code is 0 when they are the same, 4 when they differ.</translation>
    </message>
    <message>
        <source>/X patterns</source>
        <translation>/X patterns</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;patternsに一致する名前のファイルをリストに出力せず、その名前のフォルダの中は検索しません（.git;node_modules;Thumbs.db等、/Eと同じ書き方）。</source>
        <translation>    Files whose names match patterns are left out of the list, and folders of those names are not searched (.git;node_modules;Thumbs.db etc., written as for /E).</translation>
    </message>
    <message>
        <source>/A</source>
        <translation>/A</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;「.」で始まる名前のファイル（隠しファイル）も出力します。</source>
        <translation>    Also lists files whose names start with “.” (hidden files).</translation>
    </message>
    <message>
        <source>/D</source>
        <translation>/D</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;/Iのフォルダと別のファイルシステムにあるフォルダの中は検索しません。</source>
        <translation>    Folders on another file system than the /I folder are not searched.</translation>
    </message>
    <message>
        <source>Vekのコマンド一覧</source>
        <translation>Vek command line</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;pathで指定されたパスをファイルリスト取得対象フォルダとします。</source>
        <translation>    Lists the files of the folder path.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;pathで指定されたパスをリスト出力先のフォルダとします。</source>
        <translation>    Writes the list into the folder path.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;出力ファイルタイプを指定します、typeには「CSV、TEXT、HTML、XML」のうち、どれか一つを指定します。</source>
        <translation>    The output file type: one of CSV, TEXT, HTML or XML.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;filenameには拡張子を含まない任意の出力ファイル名を指定します。</source>
        <translation>    The output file name, without extension.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;出力ファイル名にシステム日付を用います、第二引数は「DATE」固定、第三引数は日付のフォーマットを指定します。</source>
        <translation>    Names the output file after the current date: the second argument is always DATE, the third the date format.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;/Iで指定されたフォルダ内のサブフォルダを検索対象とします。</source>
        <translation>    Also searches the subfolders of the /I folder.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;リスト出力時のソート順序を指定。（1：ﾌｧｲﾙ名&#x3000;2：拡張子&#x3000;3：ﾌｧｲﾙﾊﾟｽ&#x3000;4：ﾌｧｲﾙﾀｲﾌﾟ&#x3000;5：ﾌｧｲﾙｻｲｽﾞ&#x3000;6：作成日付&#x3000;7：ｱｸｾｽ日付&#x3000;8：更新日付）</source>
        <translation>    The sort order of the list (1: file name  2: extension  3: file path  4: file type  5: file size  6: created  7: accessed  8: modified)</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;extensionにはリスト出力対象とするファイル名のフィルタを指定します（*.dat;*.txt等）</source>
        <translation>    The filter of the file names to list (*.dat;*.txt etc.)</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;titleにはリスト出力時のタイトルを指定します。</source>
        <translation>    The title of the list.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;Excel ブック（.xlsx）を出力します、列はCSV・テキストの出力設定に従います。</source>
        <translation>    Writes an Excel workbook (.xlsx) with the columns of the CSV/text settings.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;CSV・テキストの文字コードを指定します、codeには「SYSTEM、UTF8、UTF8BOM、CP932」のうち、どれか一つを指定します。</source>
        <translation>    The encoding of CSV and text lists: one of SYSTEM, UTF8, UTF8BOM or CP932.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ハッシュ値の列を出力します、typeには「MD5、SHA1、SHA256」のうち、どれか一つを指定します。</source>
        <translation>    Writes a hash column: type is one of MD5, SHA1 or SHA256.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;リストの横にチェックサムファイル（sha256sum -c などで検査できる形式、パスは/Iのフォルダからの相対パス）を出力します。/Mがなければ SHA256 を用います。</source>
        <translation>    Writes a checksum file beside the list (checkable with sha256sum -c and the like; paths relative to the /I folder). Without /M, SHA256 is used.</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>ファイルが大きすぎます（設定ファイルは %1 MB までです）。</source>
        <translation>The file is too large (a settings file may hold at most %1 MB).</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>It is not a regular file.</translation>
    </message>
</context>
<context>
    <name>WindowInteraction</name>
    <message>
        <source>ほか %1 件</source>
        <translation>and %1 more</translation>
    </message>
</context>
<context>
    <name>WorkbookReadBack</name>
    <message>
        <source>書き込んだブックを読み直せません（zip として開けません）。</source>
        <translation>The written workbook cannot be read back (it does not open as a zip).</translation>
    </message>
    <message>
        <source>書き込んだブックの目録が読めません。</source>
        <translation>The list of parts in the written workbook cannot be read.</translation>
    </message>
    <message>
        <source>書き込んだブックの部分 %1 が壊れています。</source>
        <translation>The part %1 of the written workbook is damaged.</translation>
    </message>
    <message>
        <source>書き込んだブックのシート「%1」が途中で切れています（%2 行のうち %3 行）。一時ファイルを書ききれなかったためです（ディスクの空きが足りないなど）。</source>
        <translation>The sheet “%1” of the written workbook is cut off (%3 of %2 rows): its temporary files could not be written in full (a disk without enough free space, for instance).</translation>
    </message>
    <message>
        <source>書き込んだブックにシート「%1」（%2）がありません。</source>
        <translation>The written workbook lacks the sheet “%1” (%2).</translation>
    </message>
</context>
<context>
    <name>XlsxListExport</name>
    <message>
        <source>シートの分割</source>
        <translation>Sheets Split</translation>
    </message>
    <message>
        <source>ファイルを出力しました。</source>
        <translation>The file was written.</translation>
    </message>
    <message>
        <source>ただし、行数が Excel の 1 シートの上限（1,048,576 行）を超えたため、%1 枚のシートに分けて出力しました（各シートの先頭行は見出し行です）。</source>
        <translation>The rows exceed the 1,048,576 rows of one Excel sheet, so they were split over %1 sheets (each starting with the header row).</translation>
    </message>
    <message>
        <source>Excel のセルの上限（32,767 文字）を超えたため、末尾を「…」にして切り詰めました</source>
        <translation>A cell was longer than Excel&apos;s 32,767 characters, so it was cut, ending in “…”</translation>
    </message>
</context>
<context>
    <name>XlsxListWriter</name>
    <message>
        <source>リスト</source>
        <translation>List</translation>
    </message>
</context>
<context>
    <name>XmlListWriter</name>
    <message>
        <source>XMLﾄﾞｷｭﾒﾝﾄの保存に失敗しました。</source>
        <translation>The XML document could not be saved.</translation>
    </message>
    <message>
        <source>このシステムで使用できない文字コードセットが選択された可能性があります。</source>
        <translation>An encoding this system cannot use may have been chosen,</translation>
    </message>
    <message>
        <source>または不正な要素名がセットされている可能性があります。</source>
        <translation>or an element name may not be valid.</translation>
    </message>
    <message>
        <source>XMLﾄﾞｷｭﾒﾝﾄの作成を中止します。</source>
        <translation>The XML document is not written.</translation>
    </message>
    <message>
        <source>XMLﾄﾞｷｭﾒﾝﾄの作成に失敗しました。</source>
        <translation>The XML document could not be created.</translation>
    </message>
    <message>
        <source>XML 出力部（Vek 内蔵の XML ライタ）を開始できませんでした。</source>
        <translation>Vek&apos;s built-in XML writer could not be started.</translation>
    </message>
    <message>
        <source>詳しくは同梱のReadme.htmを参照してください。</source>
        <translation>See the manual that comes with Vek for details.</translation>
    </message>
    <message>
        <source>要素名「%1」にはコロン（:）が含まれています。名前空間の宣言のない接頭辞になるため、要素名には使えません。</source>
        <translation>The element name “%1” contains a colon (:). It would be a prefix without a namespace declaration, so it cannot be an element name.</translation>
    </message>
</context>
<context>
    <name>vek::BandDialog</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vek::FilterBox</name>
    <message>
        <source>ﾘｽﾄに出力するﾌｧｲﾙの種別：</source>
        <translation>Types of file to list:</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>読込</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>フィルタ設定ファイルを読み込めません。</source>
        <translation>The filter presets file cannot be read.</translation>
    </message>
</context>
<context>
    <name>vek::FolderChooser</name>
    <message>
        <source>パスを入力指定</source>
        <translation>Type a Path...</translation>
    </message>
    <message>
        <source>指定されたパスからファイル情報を取得できません。</source>
        <translation>No file information can be read from the given path.</translation>
    </message>
    <message>
        <source>パスを確認してください。</source>
        <translation>Check the path.</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞを選択してください</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。</source>
        <translation>No file information can be read from the given path.</translation>
    </message>
    <message>
        <source>指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。</source>
        <translation>Only the desktop, drives and folders can be chosen.</translation>
    </message>
    <message>
        <source>パスを変更してください。</source>
        <translation>Choose another path.</translation>
    </message>
    <message>
        <source>パスの入力</source>
        <translation>Type a Path</translation>
    </message>
    <message>
        <source>参照するパスを入力してください。</source>
        <translation>Type the path to look in.</translation>
    </message>
    <message>
        <source>ネットワーク上のコンピュータを指定するときは、「/mnt/server/share」のように入力してください</source>
        <translation>For a computer on the network, type a path such as “/mnt/server/share”.</translation>
    </message>
    <message>
        <source>指定されたパス「%1」から、</source>
        <translation>From the given path “%1”</translation>
    </message>
    <message>
        <source>ファイル情報を取得できません。</source>
        <translation>no file information can be read.</translation>
    </message>
    <message>
        <source>指定したドライブから、ファイル情報を取得できません。</source>
        <translation>No file information can be read from the chosen drive.</translation>
    </message>
    <message>
        <source>ドライブを変更してください。</source>
        <translation>Choose another drive.</translation>
    </message>
    <message>
        <source>「%1」: %2</source>
        <translation>“%1”: %2</translation>
    </message>
</context>
<context>
    <name>vek::IncompleteNotice</name>
    <message>
        <source>一覧をコピー</source>
        <translation>Copy List</translation>
    </message>
    <message>
        <source>読み取れなかったものすべてを、1行に1つずつクリップボードにコピーします</source>
        <translation>Copies everything that could not be read to the clipboard, one a line</translation>
    </message>
    <message>
        <source>コピーしました</source>
        <translation>Copied</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vek::ListExports</name>
    <message>
        <source>ﾌｧｲﾙ保存確認</source>
        <translation>Confirm Save</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名 %1 で保存します、よろしいですか?</source>
        <translation>Save as %1?</translation>
    </message>
    <message>
        <source>既にあるファイルを置き換えます。</source>
        <translation>The existing file will be replaced.</translation>
    </message>
</context>
<context>
    <name>vek::ListReadErrors</name>
    <message>
        <source>リストの読み込み</source>
        <translation>Reading a list</translation>
    </message>
    <message>
        <source>保存されたリストを読み込めません。</source>
        <translation>The saved list cannot be read.</translation>
    </message>
    <message>
        <source>比較は行いませんでした。</source>
        <translation>Nothing was compared.</translation>
    </message>
    <message>
        <source>%1 行目: Vek が書いたリスト（JSON・CSV・テキスト）ではありません。</source>
        <translation>Line %1: this is not a list written by Vek (JSON, CSV or text).</translation>
    </message>
    <message>
        <source>%1 行目: 新しい版（%2）の形式で書かれたリストです。この版の Vek では読めません。</source>
        <translation>Line %1: the list is written in the format of a newer version (%2), which this version of Vek cannot read.</translation>
    </message>
    <message>
        <source>%1 行目: リストが途中で切れています。</source>
        <translation>Line %1: the list is cut off.</translation>
    </message>
    <message>
        <source>%1 行目: 行の内容が正しくありません。</source>
        <translation>Line %1: the line is not valid.</translation>
    </message>
    <message>
        <source>%1 行目: JSON として読めません（%2）。</source>
        <translation>Line %1: not readable as JSON (%2).</translation>
    </message>
    <message>
        <source>1 行目: 見出しにフォルダとファイル名（またはフルパス）の列がありません。リストを書いたときの見出しと設定で読み込みます。</source>
        <translation>Line 1: the heading has no folder and file name (or full path) columns. The list is read with the headings and settings it was written with.</translation>
    </message>
    <message>
        <source>%1 行目: 列の数が見出しと合いません。</source>
        <translation>Line %1: the number of columns does not match the heading.</translation>
    </message>
    <message>
        <source>%1 行目: 文字コードが正しくありません。</source>
        <translation>Line %1: the text encoding is not valid.</translation>
    </message>
    <message>
        <source>通常のファイルではありません: %1。</source>
        <translation>It is not a regular file: %1.</translation>
    </message>
    <message>
        <source>%1 のリストは比較に使えません。JSON か CSV でリストを保存して、そのリストと比較してください。</source>
        <translation>%1 lists cannot be compared. Save the list as JSON or CSV and compare with that list.</translation>
    </message>
    <message>
        <source>%1 行目: UTF-8 のテキストではありません（NUL バイトがあります）。</source>
        <translation>Line %1: not UTF-8 text (it holds a NUL byte).</translation>
    </message>
    <message>
        <source>%1 行目: 行が長すぎます（4 MB まで）。</source>
        <translation>Line %1: the line is too long (4 MB at most).</translation>
    </message>
    <message>
        <source>%1 行目: 値が長すぎます（1 MB まで）。</source>
        <translation>Line %1: a value is too long (1 MB at most).</translation>
    </message>
    <message>
        <source>%1 行目: 入れ子が深すぎます（64 段まで）。</source>
        <translation>Line %1: nested too deep (64 levels at most).</translation>
    </message>
    <message>
        <source>%1 行目: リストの終わりの後にデータがあります。</source>
        <translation>Line %1: there is data after the end of the list.</translation>
    </message>
    <message>
        <source>%1 行目: 版（version）が整数の 1 ではありません。</source>
        <translation>Line %1: the version is not the integer 1.</translation>
    </message>
    <message>
        <source>%1 行目: 見出しの「%2」が読めません。</source>
        <translation>Line %1: the header field &quot;%2&quot; cannot be read.</translation>
    </message>
    <message>
        <source>%1 行目: 名前に NUL 文字があります。</source>
        <translation>Line %1: a name holds a NUL character.</translation>
    </message>
    <message>
        <source>%1 行目: ファイル名が空です。</source>
        <translation>Line %1: the file name is empty.</translation>
    </message>
    <message>
        <source>%1 行目: 同じファイルがリストに二度あります: %2</source>
        <translation>Line %1: the same file is in the list twice: %2</translation>
    </message>
    <message>
        <source>%1 行目: ほかの行と同じフォルダ（%2）の中にないファイルです。</source>
        <translation>Line %1: this file is not in the folder the other rows are in (%2).</translation>
    </message>
</context>
<context>
    <name>vek::ListRowActions</name>
    <message>
        <source>選択した行にチェック (&amp;K)</source>
        <translation>&amp;Tick Selected Rows</translation>
    </message>
    <message>
        <source>選択した行のチェックを外す (&amp;U)</source>
        <translation>&amp;Untick Selected Rows</translation>
    </message>
    <message>
        <source>選択した行のチェックを反転 (&amp;I)</source>
        <translation>&amp;Invert Ticks of Selected Rows</translation>
    </message>
    <message>
        <source>すべてチェック (&amp;A)</source>
        <translation>Tick &amp;All</translation>
    </message>
    <message>
        <source>すべてのチェックを外す (&amp;N)</source>
        <translation>U&amp;ntick All</translation>
    </message>
    <message>
        <source>相違のみ表示 (&amp;D)</source>
        <translation>&amp;Differences Only</translation>
    </message>
    <message>
        <source>「同じ」の行のチェックを外す (&amp;S)</source>
        <translation>Untick the &amp;Same Rows</translation>
    </message>
    <message>
        <source>ファイルのあるフォルダを開く (&amp;F)</source>
        <translation>Open Containing &amp;Folder</translation>
    </message>
    <message>
        <source>選択した行をコピー (&amp;C)</source>
        <translation>&amp;Copy Selected Rows</translation>
    </message>
    <message>
        <source>フルパスをコピー (&amp;P)</source>
        <translation>Copy Full &amp;Paths</translation>
    </message>
    <message>
        <source>「同じ」の行を隠します。出力するのは、隠れた行も含めてﾁｪｯｸした行です。相違だけを出力するときは、先に「同じ」の行のチェックを外してください。</source>
        <translation>Hides the rows that are the same. An export writes every ticked row, hidden ones included: to export only the differences, untick the same rows first.</translation>
    </message>
    <message>
        <source>リスト (&amp;L)</source>
        <translation>&amp;List</translation>
    </message>
</context>
<context>
    <name>vek::ListStatusLine</name>
    <message>
        <source>Windowsや Macの相手先で困る名前のﾌｧｲﾙの数です。「注意」の列見出しをｸﾘｯｸすると先頭に集まります。</source>
        <translation>The number of files whose names cause trouble on Windows or Mac. Click the “Warning” column heading to bring them to the top.</translation>
    </message>
    <message>
        <source>最後の追加で読み取れなかったフォルダとファイルの数です。リストに含まれていません。</source>
        <translation>The folders and files the last add could not read. They are not in the list.</translation>
    </message>
    <message>
        <source>注意 %1件&#x3000;</source>
        <translation>Warnings: %1  </translation>
    </message>
    <message>
        <source>&#x3000;＋削除 %1</source>
        <translation>   + %1 removed</translation>
    </message>
    <message>
        <source>読み取れず除外 %1件&#x3000;</source>
        <translation>Not read: %1&#x3000;</translation>
    </message>
</context>
<context>
    <name>vek::MainForm</name>
    <message>
        <source>選択中のﾌｫﾙﾀﾞ以下を全て追加</source>
        <translation>Add all in this folder and below</translation>
    </message>
    <message>
        <source>表示中のﾌｧｲﾙを追加</source>
        <translation>Add the files shown</translation>
    </message>
    <message>
        <source>CSV・テキスト形式で出力</source>
        <translation>Export CSV/text</translation>
    </message>
    <message>
        <source>HTML形式で出力</source>
        <translation>Export HTML</translation>
    </message>
    <message>
        <source>XML形式で出力</source>
        <translation>Export XML</translation>
    </message>
    <message>
        <source> 入力ﾌｧｲﾙの選択 </source>
        <translation> Input files </translation>
    </message>
    <message>
        <source>ドライブを選択します｡</source>
        <translation>Chooses a drive.</translation>
    </message>
    <message>
        <source>フォルダ選択ダイアログを表示します。</source>
        <translation>Opens the folder chooser.</translation>
    </message>
    <message>
        <source>ディレクトリを選択します。</source>
        <translation>Chooses a folder.</translation>
    </message>
    <message>
        <source>パスを直接指定します。</source>
        <translation>Type a path.</translation>
    </message>
    <message>
        <source>左で指定したディレクトリに存在するファイルの一覧です。</source>
        <translation>The files in the folder chosen on the left.</translation>
    </message>
    <message>
        <source>リストに追加するファイルのフィルタを指定します、直接入力も可能です。</source>
        <translation>The filter for the files to add to the list; you can also type one.</translation>
    </message>
    <message>
        <source>ファイル一覧内のファイルを、下のリストボックスに入力します。</source>
        <translation>Adds the files of the file box to the list below.</translation>
    </message>
    <message>
        <source>選択中のディレクトリ以下の全てのファイルを、下のリストボックスに入力します。</source>
        <translation>Adds every file in the chosen folder and its subfolders to the list below.</translation>
    </message>
    <message>
        <source>選択したファイルリストを表示します。  不要なデータはチェックボックスを外してください。</source>
        <translation>The files chosen for the list. Untick the ones you do not want.</translation>
    </message>
    <message>
        <source>リスト内の項目を全て削除します。</source>
        <translation>Removes every item from the list.</translation>
    </message>
    <message>
        <source>CSV／テキスト形式で出力します。</source>
        <translation>Exports as CSV or text.</translation>
    </message>
    <message>
        <source>ブラウザで表示することが可能なHTMLファイルを出力します。</source>
        <translation>Exports an HTML file to view in a browser.</translation>
    </message>
    <message>
        <source>XML形式で出力します。</source>
        <translation>Exports as XML.</translation>
    </message>
    <message>
        <source>フォルダ選択</source>
        <translation>Choose folder</translation>
    </message>
    <message>
        <source>入力ﾌｧｲﾙの選択</source>
        <translation>Input files</translation>
    </message>
</context>
<context>
    <name>vek::OutputListPane</name>
    <message>
        <source>リストの一括クリア</source>
        <translation>Clear the List</translation>
    </message>
    <message>
        <source>※&#x3000;不要なﾌｧｲﾙはﾁｪｯｸを外してください。</source>
        <translation>* Untick the files you do not want.</translation>
    </message>
    <message>
        <source>比較で見つかった状態ごとの行数です。「削除」の行は今はないファイルで、合計のサイズに含みません。</source>
        <translation>The rows of each state the comparison found. Removed rows are files that no longer exist; they are not in the total size.</translation>
    </message>
    <message>
        <source>相違のみ表示</source>
        <translation>Differences only</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <comment>the counts of the states</comment>
        <translation>%1   %2</translation>
    </message>
</context>
<context>
    <name>vek::WalkRulesBox</name>
    <message>
        <source>除外するﾌｧｲﾙ・ﾌｫﾙﾀﾞ：</source>
        <translation>Exclude files/folders:</translation>
    </message>
    <message>
        <source>隠しﾌｧｲﾙも追加</source>
        <translation>Add hidden files</translation>
    </message>
    <message>
        <source>別のﾌｧｲﾙｼｽﾃﾑは検索しない</source>
        <translation>Stay on one file system</translation>
    </message>
    <message>
        <source>リストに追加しないファイルとフォルダの名前を「;」で区切って指定します（* と ? が使えます）。一致したフォルダの中は検索しません。</source>
        <translation>Names of files and folders not to add to the list, separated by “;” (* and ? may be used). Matching folders are not searched.</translation>
    </message>
    <message>
        <source>「.」で始まる名前のファイル（隠しファイル）もリストに追加します。</source>
        <translation>Also adds files whose names start with “.” (hidden files) to the list.</translation>
    </message>
    <message>
        <source>追加を始めたフォルダと別のファイルシステム（別のディスク、ネットワーク上の共有など）にあるフォルダの中は検索しません。</source>
        <translation>Folders on a file system other than the starting folder&apos;s (another disk, a network share) are not searched.</translation>
    </message>
</context>
<context>
    <name>vek::WindowComparison</name>
    <message>
        <source>リストには比較の結果が表示されています。比較を終えて追加しますか？<byte value="xd"/>
「はい」: 状態が消え、今はないファイルの行（%1 件）がリストから除かれます。<byte value="xd"/>
「いいえ」: 何も追加せず、比較の結果をそのまま表示します。</source>
        <translation>The list shows the result of a comparison. End the comparison and add?<byte value="xd"/>
Yes: the states are cleared and the rows of files that no longer exist (%1) leave the list.<byte value="xd"/>
No: nothing is added; the result of the comparison stays.</translation>
    </message>
    <message>
        <source>リストと比較</source>
        <translation>Compare with List</translation>
    </message>
    <message>
        <source>比較するリスト</source>
        <translation>List to compare</translation>
    </message>
    <message>
        <source>Vekのリスト (*.json *.csv *.txt);;すべてのファイル (*)</source>
        <translation>Vek lists (*.json *.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>保存されたリストを読み込んでいます。</source>
        <translation>Reading the saved list.</translation>
    </message>
    <message>
        <source>このリストは別のフォルダから作られています。<byte value="xd"/>
リストのフォルダ: %1<byte value="xd"/>
比較するフォルダ: %2<byte value="xd"/>
このまま比較しますか？（ファイルはフォルダ内のパスで照らし合わせます）</source>
        <translation>This list was made of another folder.<byte value="xd"/>
Folder of the list: %1<byte value="xd"/>
Folder to compare: %2<byte value="xd"/>
Compare anyway? (Files are matched by their paths inside each folder.)</translation>
    </message>
    <message>
        <source>出力対象ﾌｧｲﾙﾘｽﾄの内容を比較の結果に置き換えます。</source>
        <translation>The output list is replaced by the comparison result.</translation>
    </message>
    <message>
        <source>フォルダの読み込みが中断されたため、比較は行いませんでした。</source>
        <translation>Reading the folder was interrupted, so nothing was compared.</translation>
    </message>
</context>
<context>
    <name>vek::WindowMenus</name>
    <message>
        <source>ﾌｧｲﾙ (&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>フォルダを開く (&amp;D)</source>
        <translation>Open &amp;Folder</translation>
    </message>
    <message>
        <source>終了 (&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ (&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>動作設定 (&amp;S)</source>
        <translation>&amp;Preferences...</translation>
    </message>
    <message>
        <source>ﾍｯﾀﾞｺﾒﾝﾄ編集 (&amp;E)</source>
        <translation>&amp;Header Captions...</translation>
    </message>
    <message>
        <source>日付書式設定(&amp;D)</source>
        <translation>&amp;Date Format...</translation>
    </message>
    <message>
        <source>ﾂｰﾙ (&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>ｺﾏﾝﾄﾞｼﾞｪﾈﾚｰﾀ (&amp;G)</source>
        <translation>Command Line &amp;Builder...</translation>
    </message>
    <message>
        <source>リストと比較 (&amp;C)...</source>
        <translation>&amp;Compare with List...</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ (&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾏﾆｭｱﾙ(&amp;m)</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>ｵﾝﾗｲﾝﾏﾆｭｱﾙと最新情報(&amp;W)</source>
        <translation>Online Manual and &amp;News</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報  (&amp;V)</source>
        <translation>&amp;About Vek</translation>
    </message>
    <message>
        <source>Excel ブックで出力 (&amp;B)...</source>
        <translation>Export as Excel &amp;Workbook...</translation>
    </message>
    <message>
        <source>JSON で出力 (&amp;J)...</source>
        <translation>Export as &amp;JSON...</translation>
    </message>
</context>
<context>
    <name>vek::WriterDialog</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vek::framJoho</name>
    <message>
        <source>注意（Windows・Macで困る名前）</source>
        <translation>Warning (names that cause trouble on Windows/Mac)</translation>
    </message>
    <message>
        <source>Windowsで使えない名前・予約名、260文字を超えるﾊﾟｽ、分解形(NFD)の名前、Shift_JISにない文字、大文字小文字だけ違う同名、Thumbs.dbなどの管理ﾌｧｲﾙを書き出します。</source>
        <translation>Writes out names not allowed or reserved on Windows, paths over 260 characters, decomposed (NFD) names, characters not in Shift_JIS, names differing only in case, and system files such as Thumbs.db.</translation>
    </message>
    <message>
        <source>出力したいファイルの情報を指定します。</source>
        <translation>Chooses the file information to write.</translation>
    </message>
    <message>
        <source>ﾌﾙﾊﾟｽ（ﾃﾞｨﾚｸﾄﾘ+ﾌｧｲﾙ）</source>
        <translation>Full path (folder + file)</translation>
    </message>
    <message>
        <source>file:// 形式で出力</source>
        <translation>As a file:// URL</translation>
    </message>
    <message>
        <source>ﾃﾞｨﾚｸﾄﾘ情報</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>絶対ﾊﾟｽ</source>
        <translation>Absolute path</translation>
    </message>
    <message>
        <source>絶対ﾊﾟｽ（ﾄﾞﾗｲﾌﾞ省略</source>
        <translation>Absolute path (no drive)</translation>
    </message>
    <message>
        <source>最後尾のﾌｫﾙﾀﾞ名</source>
        <translation>Last folder name</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>拡張子を付加</source>
        <translation>With extension</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾀｲﾌﾟ</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙｻｲｽﾞ</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>単位を付加</source>
        <translation>With unit</translation>
    </message>
    <message>
        <source>作成日時</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>ｱｸｾｽ日時</source>
        <translation>Accessed</translation>
    </message>
    <message>
        <source>更新日時</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>相対パス（追加したﾌｫﾙﾀﾞから）</source>
        <translation>Relative path (from the added folder)</translation>
    </message>
    <message>
        <source>追加を始めたﾌｫﾙﾀﾞから見たﾌｧｲﾙのﾊﾟｽを出力します。</source>
        <translation>Writes each file&apos;s path as seen from the folder the add started in.</translation>
    </message>
    <message>
        <source>ﾊｯｼｭ値</source>
        <translation>Hash</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの内容から計算したﾊｯｼｭ値を出力します。出力時にﾁｪｯｸされたﾌｧｲﾙをすべて読み取ります。</source>
        <translation>Writes a hash computed from each file&apos;s contents. Every ticked file is read when the list is written.</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>ﾁｪｯｸｻﾑﾌｧｲﾙも出力</source>
        <translation>Also write a checksum file</translation>
    </message>
    <message>
        <source>ﾘｽﾄと同じﾌｫﾙﾀﾞに、sha256sum -c などで検査できるﾁｪｯｸｻﾑﾌｧｲﾙを出力します（ﾊｯｼｭ値が「なし」のときは SHA-256）。</source>
        <translation>Writes a checksum file that sha256sum -c and the like can check, in the list&apos;s folder (SHA-256 when the hash is “None”).</translation>
    </message>
    <message>
        <source>出力する情報の選択</source>
        <translation>Information to write</translation>
    </message>
    <message>
        <source>※&#x3000;ﾌｧｲﾙのｿｰﾄ順序は、前画面の「出力対象ﾌｧｲﾙﾘｽﾄ」にて指定できます。</source>
        <translation>* The sort order is set in the file list of the main window.</translation>
    </message>
    <message>
        <source>JSON のリストは、上の選択にかかわらず常にすべての項目を持ちます。</source>
        <translation>A JSON list always holds every field, whatever is ticked above.</translation>
    </message>
</context>
<context>
    <name>vek::framPrefix</name>
    <message>
        <source>ﾊﾟｽの置き換え（Windowsで読むﾘｽﾄ用）</source>
        <translation>Path Replacement (for Lists Read on Windows)</translation>
    </message>
    <message>
        <source>ﾌﾙﾊﾟｽとﾃﾞｨﾚｸﾄﾘ（絶対ﾊﾟｽ）の先頭のﾌｫﾙﾀﾞを別の名前で出力します。ﾁｪｯｸｻﾑﾌｧｲﾙは変わりません。</source>
        <translation>Writes the leading folder of the full path and of the folder (absolute path) under another name. The checksum file does not change.</translation>
    </message>
    <message>
        <source>置換前</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>このﾌｫﾙﾀﾞとその下のﾌｧｲﾙだけが置き換わります（/mnt/nas/share2 は対象外）。</source>
        <translation>Only this folder and the files below it are replaced (not /mnt/nas/share2).</translation>
    </message>
    <message>
        <source>置換後</source>
        <translation>With</translation>
    </message>
    <message>
        <source>file:// 形式では \\nas\share が file://nas/share になります。</source>
        <translation>In the file:// form, \\nas\share becomes file://nas/share.</translation>
    </message>
    <message>
        <source>続くﾊﾟｽの / を \ にする</source>
        <translation>Turn the / of the rest of the path into \</translation>
    </message>
</context>
<context>
    <name>vek::framTotals</name>
    <message>
        <source>合計</source>
        <translation>Totals</translation>
    </message>
    <message>
        <source>最後に合計（件数とｻｲｽﾞ）を出力</source>
        <translation>Write the totals (count and size) at the end</translation>
    </message>
    <message>
        <source>出力したﾌｧｲﾙの件数と合計ｻｲｽﾞを最後の行に出力します。ｻｲｽﾞはﾊﾞｲﾄ数を合計してから単位に換算します。</source>
        <translation>Writes the number of files written and their total size on the last line. The sizes are summed in bytes, then shown in the unit.</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞ毎の小計も出力</source>
        <translation>Also write a subtotal for each folder</translation>
    </message>
    <message>
        <source>「ﾌｫﾙﾀﾞ毎に挿入」を選んだとき、各ﾌｫﾙﾀﾞの行の後に小計を出力します。</source>
        <translation>With &quot;At each new folder&quot; chosen, writes a subtotal after the rows of each folder.</translation>
    </message>
</context>
<context>
    <name>vek::frmCommand</name>
    <message>
        <source>出力オプション</source>
        <translation>Output Options</translation>
    </message>
    <message>
        <source>文字コード（CSV・TEXT）</source>
        <translation>Encoding (CSV, TEXT)</translation>
    </message>
    <message>
        <source>CSV・テキストファイルの文字コードを指定します（/K）。「保存された設定」のときは、CSV出力ダイアログで選んだ文字コードになります。</source>
        <translation>The text encoding of CSV and text lists (/K). With &quot;Saved setting&quot;, the encoding chosen in the CSV export dialog.</translation>
    </message>
    <message>
        <source>保存された設定</source>
        <translation>Saved setting</translation>
    </message>
    <message>
        <source>ﾊｯｼｭ値</source>
        <translation>Hash</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの内容から計算したﾊｯｼｭ値の列を出力します（/M）。「保存された設定」のときは、出力ダイアログで選んだものになります。</source>
        <translation>Adds a column of hashes computed from the contents of the files (/M). With &quot;Saved setting&quot;, the choice made in the export dialog.</translation>
    </message>
    <message>
        <source>ﾁｪｯｸｻﾑﾌｧｲﾙも出力</source>
        <translation>Also write a checksum file</translation>
    </message>
    <message>
        <source>ﾘｽﾄと同じﾌｫﾙﾀﾞに、sha256sum -c などで検査できるﾁｪｯｸｻﾑﾌｧｲﾙを出力します（/W）。ﾊｯｼｭ値を指定しないときは SHA-256 です。</source>
        <translation>Writes a checksum file beside the list that sha256sum -c and the like can verify (/W). SHA-256 when no hash is chosen.</translation>
    </message>
    <message>
        <source>パス</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>%1を選択</source>
        <translation>Choose %1</translation>
    </message>
    <message>
        <source>ｺﾏﾝﾄﾞﾗｲﾝｼﾞｪﾈﾚｰﾀ</source>
        <translation>Command Line Builder</translation>
    </message>
    <message>
        <source>コマンドラインからの起動パラメータを作成します。</source>
        <translation>Builds the arguments for a run from the command line.</translation>
    </message>
    <message>
        <source>入力フォルダ</source>
        <translation>Input folder</translation>
    </message>
    <message>
        <source>出力フォルダ</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>出力ファイルタイプ</source>
        <translation>Output file type</translation>
    </message>
    <message>
        <source>出力ファイル名</source>
        <translation>Output file name</translation>
    </message>
    <message>
        <source>日付（YYYYMMDDHHmmでフォーマットを指定)</source>
        <translation>Date (format as in YYYYMMDDHHmm)</translation>
    </message>
    <message>
        <source>ファイル名直接指定</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>入力ファイルフィルタ</source>
        <translation>Input file filter</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>ソートキー</source>
        <translation>Sort key</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>拡張子</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾊﾟｽ</source>
        <translation>File path</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾀｲﾌﾟ</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙｻｲｽﾞ</source>
        <translation>File size</translation>
    </message>
    <message>
        <source>作成日付</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>ｱｸｾｽ日付</source>
        <translation>Accessed</translation>
    </message>
    <message>
        <source>更新日付</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>ｻﾌﾞﾃﾞｨﾚｸﾄﾘの検索を行う。</source>
        <translation>Search subfolders</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>リスト作成のテスト</source>
        <translation>Test the List</translation>
    </message>
    <message>
        <source>クリップボードにコピー</source>
        <translation>Copy to Clipboard</translation>
    </message>
    <message>
        <source>テスト実行中…</source>
        <translation>Test running…</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>テストを中止</source>
        <translation>Stop the test</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>制御文字（CR、タブなど）を含むため、このコマンドは端末に貼り付けると違う意味に読まれることがあります。</source>
        <translation>This command holds control characters (CR, tabs and the like), so pasted into a terminal it may be read with another meaning.</translation>
    </message>
    <message>
        <source>UTF-8で表せない名前を含むため、このコマンドは貼り付けても同じ意味になりません。
リスト作成のテストはこのまま実行できます。</source>
        <translation>This command holds names that UTF-8 cannot show, so pasted it does not mean the same.
The test can still be run as it is.</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞを選択してください</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。</source>
        <translation>No file information can be read from the given path.</translation>
    </message>
    <message>
        <source>指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。</source>
        <translation>Only the desktop, drives and folders can be chosen.</translation>
    </message>
    <message>
        <source>指定されたパスからファイル情報を取得できません。</source>
        <translation>No file information can be read from the given path.</translation>
    </message>
    <message>
        <source>パスを変更してください。</source>
        <translation>Choose another path.</translation>
    </message>
    <message>
        <source>コマンドをクリップボードにコピーしました。</source>
        <translation>The command was copied to the clipboard.</translation>
    </message>
    <message>
        <source>リスト作成のテストを中止しました。</source>
        <translation>The test was stopped.</translation>
    </message>
    <message>
        <source>%1 にリストを出力しました。</source>
        <translation>The list was written to %1.</translation>
    </message>
    <message>
        <source>テスト完了</source>
        <translation>Test Finished</translation>
    </message>
    <message>
        <source>リスト作成のテストが終了コード %1 で終わりました。</source>
        <translation>The test ended with exit code %1.</translation>
    </message>
    <message>
        <source>リスト作成のテストが異常終了しました。</source>
        <translation>The test ended abnormally.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
リストは出力されていません。</source>
        <translation><byte value="xd"/>
No list was written.</translation>
    </message>
    <message>
        <source>テスト作成でエラーが発生しました。</source>
        <translation>The test could not be started.</translation>
    </message>
    <message>
        <source>正しいコマンドを構築してください。</source>
        <translation>Build a valid command.</translation>
    </message>
    <message>
        <source>検索オプション</source>
        <translation>Search Options</translation>
    </message>
</context>
<context>
    <name>vek::frmDateSetting</name>
    <message>
        <source>日付書式設定</source>
        <translation>Date Format</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄ、HTML、XMLに出力する日付の書式を指定します。</source>
        <translation>Sets how dates are written in text, HTML and XML lists.</translation>
    </message>
    <message>
        <source>日付の書式指定</source>
        <translation>Date format</translation>
    </message>
    <message>
        <source>書式適用前</source>
        <translation>Now, unformatted</translation>
    </message>
    <message>
        <source>書式適用後</source>
        <translation>Now, in this format</translation>
    </message>
    <message>
        <source>日付書式が不正です</source>
        <translation>The date format is not valid</translation>
    </message>
    <message>
        <source>日付書式異常</source>
        <translation>Invalid Date Format</translation>
    </message>
    <message>
        <source>日付書式が不正です、正しい書式を選択／入力してください。</source>
        <translation>The date format is not valid. Choose or type a valid format.</translation>
    </message>
</context>
<context>
    <name>vek::frmHeadComment</name>
    <message>
        <source>ﾍｯﾀﾞｺﾒﾝﾄ編集</source>
        <translation>Header Captions</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄ／CSV／HTML&#x3000;に出力される見出し行のコメントを設定します。</source>
        <translation>Sets the captions of the header row in text, CSV and HTML lists.</translation>
    </message>
    <message>
        <source>ﾌﾙﾊﾟｽ：</source>
        <translation>Full path:</translation>
    </message>
    <message>
        <source>ﾃﾞｨﾚｸﾄﾘ：</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名：</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾀｲﾌﾟ：</source>
        <translation>File type:</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙｻｲｽﾞ：</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>作成日付：</source>
        <translation>Created:</translation>
    </message>
    <message>
        <source>ｱｸｾｽ日付：</source>
        <translation>Accessed:</translation>
    </message>
    <message>
        <source>更新日付：</source>
        <translation>Modified:</translation>
    </message>
    <message>
        <source>ﾃﾞﾌｫﾙﾄに戻す</source>
        <translation>Restore Defaults</translation>
    </message>
</context>
<context>
    <name>vek::frmHeadIns</name>
    <message>
        <source>挿入する</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>挿入しない</source>
        <translation>Do not insert</translation>
    </message>
    <message>
        <source>データ行中に見出し行を挿入します。</source>
        <translation>Repeats the header row between the rows of files.</translation>
    </message>
    <message>
        <source>見出し行は先頭の１行目のみとなります。</source>
        <translation>The header row is written once, as the first line.</translation>
    </message>
    <message>
        <source>ﾌｫﾙﾀﾞ毎に挿入</source>
        <translation>At each new folder</translation>
    </message>
    <message>
        <source>指定した行数ごとに見出し行を挿入します。</source>
        <translation>Repeats the header row after the given number of rows.</translation>
    </message>
    <message>
        <source>行おきに挿入</source>
        <translation>rows per group</translation>
    </message>
    <message>
        <source>フォルダ毎にデータがまとまります。（ソート順序はフォルダ毎の方が見やすくなります）</source>
        <translation>The rows of each folder stand together (easiest to read when the list is sorted by folder).</translation>
    </message>
    <message>
        <source>行数</source>
        <translation>Number of rows</translation>
    </message>
</context>
<context>
    <name>vek::frmInfo</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>処理内容</source>
        <translation>Task</translation>
    </message>
    <message>
        <source>処理状況</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>進行状況</source>
        <translation>Progress</translation>
    </message>
</context>
<context>
    <name>vek::frmOption</name>
    <message>
        <source>ﾌｧｲﾙ名・拡張子・ﾊﾟｽの並べ替えで、数字を数値として比べる。（file2 が file10 の前）</source>
        <translation>Sort numbers in names, extensions and paths by value (file2 before file10)</translation>
    </message>
    <message>
        <source>全角の数字も同じ数として扱います。値が同じときは、先頭の0が少ない方が先です。</source>
        <translation>Full-width digits count as the same numbers. When the values are equal, the one with fewer leading zeros comes first.</translation>
    </message>
    <message>
        <source>動作設定</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>動作環境を設定します。</source>
        <translation>Sets how Vek behaves.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙﾘｽﾄに重複するﾌｧｲﾙを追加しない。 （これにﾁｪｯｸをすると、ﾘｽﾄ件数に比例して処理が重くなります。）</source>
        <translation>Do not add files already in the list (slower the longer the list).</translation>
    </message>
    <message>
        <source>テキスト／CSV／HTMLﾘｽﾄ、およびXMLﾄﾞｷｭﾒﾝﾄ作成時に、関連付けられたｱﾌﾟﾘｹｰｼｮﾝでﾘｽﾄを開く。</source>
        <translation>Open a new text, CSV, HTML or XML list in its associated application.</translation>
    </message>
    <message>
        <source>「選択中のﾌｫﾙﾀﾞ以下を全て追加」ボタンを表示しない。</source>
        <translation>Hide the “Add all in this folder and below” button.</translation>
    </message>
    <message>
        <source>HTMLのデフォルトタイトル名に、パス情報を用いる。</source>
        <translation>Use the folder path as the default HTML title.</translation>
    </message>
    <message>
        <source> フォルダドロップ時の動作 </source>
        <translation> When a folder is dropped </translation>
    </message>
    <message>
        <source>そのﾌｫﾙﾀﾞ内のﾌｧｲﾙのみを、処理対象ﾌｧｲﾙﾘｽﾄに追加する。</source>
        <translation>Add only the files in that folder to the list.</translation>
    </message>
    <message>
        <source>そのﾌｫﾙﾀﾞのｻﾌﾞﾌｫﾙﾀﾞ内のﾌｧｲﾙも検索し、処理対象ﾌｧｲﾙﾘｽﾄに追加する。</source>
        <translation>Also search its subfolders and add their files to the list.</translation>
    </message>
</context>
<context>
    <name>vek::frmOutHtml</name>
    <message>
        <source>HTMLでの出力設定</source>
        <translation>HTML Export Settings</translation>
    </message>
    <message>
        <source>見出し行の挿入</source>
        <translation>Repeat the heading row</translation>
    </message>
    <message>
        <source>（タイトル）</source>
        <translation>（タイトル）</translation>
    </message>
    <message>
        <source>出力されるHTMLのタイトルを設定します。</source>
        <translation>Sets the title of the HTML written.</translation>
    </message>
    <message>
        <source>HTMLのタイトル名</source>
        <translation>HTML title</translation>
    </message>
    <message>
        <source>HTMLのタイトルを設定します。</source>
        <translation>Sets the HTML title.</translation>
    </message>
    <message>
        <source>フォント色</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>HTMLタイトルのフォントカラーを設定します。</source>
        <translation>Sets the colour of the HTML title.</translation>
    </message>
    <message>
        <source>タイトル文字列の色を設定します。</source>
        <translation>Sets the colour of the title text.</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>HTMLの背景色を設定します。</source>
        <translation>Sets the HTML background colour.</translation>
    </message>
    <message>
        <source>HTMLの背景色を指定します。</source>
        <translation>Chooses the HTML background colour.</translation>
    </message>
    <message>
        <source>ヘッダカラー</source>
        <translation>Heading colour</translation>
    </message>
    <message>
        <source>HTMLのヘッダカラーを設定します。</source>
        <translation>Sets the HTML heading colour.</translation>
    </message>
    <message>
        <source>HTML内のヘッダ行の背景色を指定します。</source>
        <translation>Chooses the background colour of the heading row.</translation>
    </message>
    <message>
        <source>テーブルカラー A</source>
        <translation>Table colour A</translation>
    </message>
    <message>
        <source>HTMLのテーブルカラーAを設定します。</source>
        <translation>Sets the HTML table colour A.</translation>
    </message>
    <message>
        <source>HTML内のテーブル行（偶数行）の背景色を指定します。</source>
        <translation>Chooses the background colour of the even table rows.</translation>
    </message>
    <message>
        <source>テーブルカラー B</source>
        <translation>Table colour B</translation>
    </message>
    <message>
        <source>HTMLのテーブルカラーBを設定します。</source>
        <translation>Sets the HTML table colour B.</translation>
    </message>
    <message>
        <source>HTML内のテーブル行（奇数行）の背景色を指定します。</source>
        <translation>Chooses the background colour of the odd table rows.</translation>
    </message>
    <message>
        <source>ファイル名にリンクを張る</source>
        <translation>Link the file names</translation>
    </message>
    <message>
        <source>ブラウザ上から任意のファイルを開くことが出来るようになります。</source>
        <translation>Lets the files be opened from the browser.</translation>
    </message>
    <message>
        <source>HTMLファイルの作成</source>
        <translation>Create HTML File</translation>
    </message>
    <message>
        <source>HTMLリストの作成を開始します。</source>
        <translation>Starts writing the HTML list.</translation>
    </message>
    <message>
        <source>キャンセルし、前画面に戻ります。</source>
        <translation>Cancels and returns to the main window.</translation>
    </message>
    <message>
        <source>HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html</source>
        <translation>HTML documents|*.htm;*.html</translation>
    </message>
    <message>
        <source>&#x3000;%1&#x3000;</source>
        <translation> %1 </translation>
    </message>
</context>
<context>
    <name>vek::frmOutText</name>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>どのファイル名も元のバイト列のまま読み戻せる JSON のリストを書きます。ﾂｰﾙ → リストと比較 で後からフォルダと比較できます。</source>
        <translation>Writes a JSON list from which every file name reads back with its original bytes. Tools → Compare with List compares it with a folder later.</translation>
    </message>
    <message>
        <source>JSONファイルの作成</source>
        <translation>Create a JSON file</translation>
    </message>
    <message>
        <source>JSONﾌｧｲﾙ|*.json</source>
        <translation>JSON files|*.json</translation>
    </message>
    <message>
        <source>テキストファイルでの出力設定</source>
        <translation>Text Export Settings</translation>
    </message>
    <message>
        <source>空白行の挿入</source>
        <translation>Insert blank lines</translation>
    </message>
    <message>
        <source>ファイル種別</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>出力するファイルの種別を指定します。</source>
        <translation>Chooses the type of file to write.</translation>
    </message>
    <message>
        <source>CSVファイル</source>
        <translation>CSV file</translation>
    </message>
    <message>
        <source>テキストファイル</source>
        <translation>Text file</translation>
    </message>
    <message>
        <source>Excel ブック (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>CSVと同じ行と列をExcelのブックに書きます。サイズは数値、日付は日付のセルになります。</source>
        <translation>Writes the CSV&apos;s rows and columns into an Excel workbook, sizes as numbers and dates as date cells.</translation>
    </message>
    <message>
        <source>項目間のセパレータ（区切り文字）</source>
        <translation>Separator between items</translation>
    </message>
    <message>
        <source>テキストファイル出力時に、項目間に挿入する文字列を設定します。</source>
        <translation>Sets the text put between items in a text file.</translation>
    </message>
    <message>
        <source>区切り文字としてTABｺｰﾄﾞを使用する。</source>
        <translation>Use a TAB as the separator.</translation>
    </message>
    <message>
        <source>項目間の区切りとして、タブ文字列を挿入します。</source>
        <translation>Puts a tab between items.</translation>
    </message>
    <message>
        <source>改行コード</source>
        <translation>Line breaks</translation>
    </message>
    <message>
        <source>改行コードとして何を用いるかを指定します。&#x3000;意味がわからない場合は「CR+LF」をお使いください。</source>
        <translation>Chooses the line break. If unsure, use “CR+LF”.</translation>
    </message>
    <message>
        <source>CR + LF（標準）</source>
        <translation>CR + LF (standard)</translation>
    </message>
    <message>
        <source>CR（キャリッジリターン） のみ</source>
        <translation>CR (carriage return) only</translation>
    </message>
    <message>
        <source>LF（ラインフィード） のみ</source>
        <translation>LF (line feed) only</translation>
    </message>
    <message>
        <source>CRLF（0x0d 0x0a）が用いられます。&#x3000;Windows標準の改行コードです。</source>
        <translation>Uses CRLF (0x0d 0x0a), the Windows line break.</translation>
    </message>
    <message>
        <source>CR（0x0d）が用いられます。&#x3000;Macintosh標準の改行コードです。</source>
        <translation>Uses CR (0x0d), the classic Macintosh line break.</translation>
    </message>
    <message>
        <source>LF（0x0a）が用いられます。&#x3000;UNIX標準の改行コードです。</source>
        <translation>Uses LF (0x0a), the UNIX line break.</translation>
    </message>
    <message>
        <source>テキストの文字コード</source>
        <translation>Text encoding</translation>
    </message>
    <message>
        <source>CSV・テキストファイルの文字コードを指定します。&#x3000;Excelで開く場合は「UTF-8（BOM付き）」か「Shift_JIS」をお使いください。</source>
        <translation>Chooses the encoding of CSV and text files. To open them in Excel, use “UTF-8 with BOM” or “Shift_JIS”.</translation>
    </message>
    <message>
        <source>数式として扱わない（先頭に &apos; を付加）</source>
        <translation>Not as formulas (prefix &apos;)</translation>
    </message>
    <message>
        <source>「=」「+」「-」「@」などで始まる項目の先頭に「&apos;」を付け、Excelで数式として扱われないようにします。</source>
        <translation>Puts “&apos;” before items starting with “=”, “+”, “-”, “@” and the like, so that Excel does not take them as formulas.</translation>
    </message>
    <message>
        <source>CSVファイルの作成</source>
        <translation>Create CSV File</translation>
    </message>
    <message>
        <source>テキスト／CSVリストの作成を開始します。</source>
        <translation>Starts writing the text or CSV list.</translation>
    </message>
    <message>
        <source>Excelブックの作成</source>
        <translation>Create Workbook</translation>
    </message>
    <message>
        <source>テキストファイルの作成</source>
        <translation>Create Text File</translation>
    </message>
    <message>
        <source>Excelﾌﾞｯｸ|*.xlsx</source>
        <translation>Excel workbooks|*.xlsx</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ|*.txt</source>
        <translation>Text files|*.txt</translation>
    </message>
    <message>
        <source>CSVﾌｧｲﾙ|*.csv</source>
        <translation>CSV files|*.csv</translation>
    </message>
</context>
<context>
    <name>vek::frmOutXML</name>
    <message>
        <source>XMLでの出力設定</source>
        <translation>XML Export Settings</translation>
    </message>
    <message>
        <source>文字コードの指定</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <source>出力されるXMLドキュメントの文字コードを指定します。</source>
        <translation>Chooses the encoding of the XML document written.</translation>
    </message>
    <message>
        <source>UTF-8：XML推奨規格文字コード</source>
        <translation>UTF-8: the encoding XML recommends</translation>
    </message>
    <message>
        <source>Shift JIS：日本国内で標準的に用いられる文字コード</source>
        <translation>Shift JIS: the usual Japanese encoding</translation>
    </message>
    <message>
        <source>Unicode：全世界統一規格（全世界の文字を表現できる）文字コード</source>
        <translation>Unicode: every script of the world (UTF-16)</translation>
    </message>
    <message>
        <source>EUC-JP：UNIXで用いられる文字コード</source>
        <translation>EUC-JP: the Japanese encoding of UNIX</translation>
    </message>
    <message>
        <source>JIS：ISO規格に準じた文字コード</source>
        <translation>JIS: ISO-2022-JP</translation>
    </message>
    <message>
        <source>XMLドキュメント上に、改行コードを挿入するか否かを設定します。</source>
        <translation>Whether line breaks are put into the XML document.</translation>
    </message>
    <message>
        <source>改行ノードを付加する。</source>
        <translation>Add line breaks.</translation>
    </message>
    <message>
        <source>改行コード</source>
        <translation>Line breaks</translation>
    </message>
    <message>
        <source>CR + LF（標準）</source>
        <translation>CR + LF (standard)</translation>
    </message>
    <message>
        <source>CR（キャリッジリターン） のみ</source>
        <translation>CR (carriage return) only</translation>
    </message>
    <message>
        <source>LF（ラインフィード） のみ</source>
        <translation>LF (line feed) only</translation>
    </message>
    <message>
        <source>CRLF（0x0d 0x0a）が用いられます。&#x3000;Windows標準のテキスト用です。</source>
        <translation>Uses CRLF (0x0d 0x0a), for Windows text.</translation>
    </message>
    <message>
        <source>CR（0x0d）が用いられます。</source>
        <translation>Uses CR (0x0d).</translation>
    </message>
    <message>
        <source>LF（0x0a）が用いられます。&#x3000;UNIX等で参照する時にお使いください。</source>
        <translation>Uses LF (0x0a), for reading on UNIX and the like.</translation>
    </message>
    <message>
        <source>要素名の設定</source>
        <translation>Element names</translation>
    </message>
    <message>
        <source>XML出力時の、各要素名（タグ名）を設定します。</source>
        <translation>Sets the name (tag) of each element in the XML.</translation>
    </message>
    <message>
        <source>要素名をデフォルトに戻す</source>
        <translation>Reset Element Names</translation>
    </message>
    <message>
        <source>各要素名をデフォルトに戻します。</source>
        <translation>Sets every element name back to its default.</translation>
    </message>
    <message>
        <source>XMLドキュメントの作成</source>
        <translation>Create XML Document</translation>
    </message>
    <message>
        <source>XMLﾌｧｲﾙ|*.xml</source>
        <translation>XML files|*.xml</translation>
    </message>
</context>
<context>
    <name>vek::frmVersion</name>
    <message>
        <source>Qt さん - 画面と部品、ファイル情報</source>
        <translation>Qt - windows and files</translation>
    </message>
    <message>
        <source>shared-mime-info さん - 種類の説明</source>
        <translation>shared-mime-info - file types</translation>
    </message>
    <message>
        <source>GNU C Library さん - 文字コード変換</source>
        <translation>GNU C Library - text encodings</translation>
    </message>
    <message>
        <source>libxml2 さん - HTML・XML 出力の検査</source>
        <translation>libxml2 - HTML and XML checks</translation>
    </message>
    <message>
        <source>GoogleTest さん - 自動テスト</source>
        <translation>GoogleTest - automated tests</translation>
    </message>
    <message>
        <source>CMake さん - ビルドとパッケージ</source>
        <translation>CMake - building, packaging</translation>
    </message>
    <message>
        <source>GCC さん - C++ コンパイラ</source>
        <translation>GCC - the C++ compiler</translation>
    </message>
    <message>
        <source>Noto CJK さん - 日本語フォント</source>
        <translation>Noto CJK - Japanese fonts</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Vek</translation>
    </message>
    <message>
        <source>Vek&#x3000;Version %1</source>
        <translation>Vek Version %1</translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation>Update %1</translation>
    </message>
    <message>
        <source>最新版、サポート等は、</source>
        <translation>Updates and support:</translation>
    </message>
    <message>
        <source>付属のマニュアル（readme.htm）</source>
        <translation>The manual that came with Vek</translation>
    </message>
    <message>
        <source>プログラム作成  ：</source>
        <translation>Written by :</translation>
    </message>
    <message>
        <source>Vek の開発者</source>
        <translation>Vek developers</translation>
    </message>
    <message>
        <source>Special Thanks :</source>
        <translation>Special Thanks :</translation>
    </message>
    <message>
        <source>Special Thanks</source>
        <translation>Special Thanks</translation>
    </message>
</context>
</TS>
