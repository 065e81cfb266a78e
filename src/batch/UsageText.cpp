#include "batch/UsageText.h"

#include <QCoreApplication>

namespace vek {

const QStringList& usageLines() {
  static const QStringList lines = {
      QCoreApplication::translate("UsageText", "Vekのコマンド一覧"),
      QString(),
      QStringLiteral("Vek /I path /O path /T type /F filename [/C] [/S number] [/E extension] "
                     "[/N title]"),
      QString(),
      QStringLiteral("/I path"),
      QCoreApplication::translate(
          "UsageText", "　　pathで指定されたパスをファイルリスト取得対象フォルダとします。"),
      QStringLiteral("/O path"),
      QCoreApplication::translate("UsageText",
                                  "　　pathで指定されたパスをリスト出力先のフォルダとします。"),
      QStringLiteral("/T type"),
      QCoreApplication::translate(
          "UsageText",
          "　　出力ファイルタイプを指定します、typeには「CSV、TEXT、HTML、XML」のうち、"
          "どれか一つを指定します。"),
      QStringLiteral("/F filename"),
      QCoreApplication::translate(
          "UsageText", "　　filenameには拡張子を含まない任意の出力ファイル名を指定します。"),
      QStringLiteral("/F DATE YYYYMMDDHHmm"),
      QCoreApplication::translate(
          "UsageText",
          "　　出力ファイル名にシステム日付を用います、第二引数は「DATE」固定、"
          "第三引数は日付のフォーマットを指定します。"),
      QStringLiteral("/C"),
      QCoreApplication::translate("UsageText",
                                  "　　/Iで指定されたフォルダ内のサブフォルダを検索対象とします。"),
      QStringLiteral("/S number"),
      QCoreApplication::translate(
          "UsageText",
          "　　リスト出力時のソート順序を指定。（1：ﾌｧｲﾙ名　2：拡張子　3：ﾌｧｲﾙﾊﾟｽ　"
          "4：ﾌｧｲﾙﾀｲﾌﾟ　5：ﾌｧｲﾙｻｲｽﾞ　6：作成日付　7：ｱｸｾｽ日付　8：更新日付）"),
      QStringLiteral("/E extension"),
      QCoreApplication::translate(
          "UsageText",
          "　　extensionにはリスト出力対象とするファイル名のフィルタを指定します"
          "（*.dat;*.txt等）"),
      QStringLiteral("/N title"),
      QCoreApplication::translate("UsageText", "　　titleにはリスト出力時のタイトルを指定します。"),
  };
  return lines;
}

const QStringList& addedUsageLines() {
  static const QStringList lines = {
      QStringLiteral("/T XLSX"),
      QCoreApplication::translate(
          "UsageText",
          "　　Excel ブック（.xlsx）を出力します、列はCSV・テキストの出力設定に従います。"),
      QStringLiteral("/K code"),
      QCoreApplication::translate(
          "UsageText",
          "　　CSV・テキストの文字コードを指定します、codeには「SYSTEM、UTF8、UTF8BOM、CP932」"
          "のうち、どれか一つを指定します。"),
      QStringLiteral("/M type"),
      QCoreApplication::translate(
          "UsageText",
          "　　ハッシュ値の列を出力します、typeには「MD5、SHA1、SHA256」のうち、"
          "どれか一つを指定します。"),
      QStringLiteral("/W"),
      QCoreApplication::translate(
          "UsageText",
          "　　リストの横にチェックサムファイル（sha256sum -c などで検査できる形式、"
          "パスは/Iのフォルダからの相対パス）を出力します。/Mがなければ SHA256 を用います。"),
      QCoreApplication::translate("UsageText", "/T JSON"),
      QCoreApplication::translate(
          "UsageText",
          "　　JSON のリスト（.json、UTF-8）を出力します、どのファイル名も元のバイト列のまま"
          "読み戻せます。"),
      QCoreApplication::translate("UsageText", "/V list"),
      QCoreApplication::translate(
          "UsageText",
          "　　保存されたリスト（JSON・CSV・テキスト）と/Iのフォルダを比較し、違いを「+ 追加」"
          "「- 削除」「* 変更」の行で出力します。/V を二つ指定すると二つのリストを比較します。"),
      QCoreApplication::translate(
          "UsageText",
          "　　/O・/T・/F があれば違いを状態の列のあるリストとして出力します。終了コードは同じなら"
          " 0、違いがあれば 4 です。"),
      QCoreApplication::translate("UsageText", "/X patterns"),
      QCoreApplication::translate(
          "UsageText",
          "　　patternsに一致する名前のファイルをリストに出力せず、その名前のフォルダの中は"
          "検索しません（.git;node_modules;Thumbs.db等、/Eと同じ書き方）。"),
      QCoreApplication::translate("UsageText", "/A"),
      QCoreApplication::translate("UsageText",
                                  "　　「.」で始まる名前のファイル（隠しファイル）も出力します。"),
      QCoreApplication::translate("UsageText", "/D"),
      QCoreApplication::translate(
          "UsageText", "　　/Iのフォルダと別のファイルシステムにあるフォルダの中は検索しません。"),
  };
  return lines;
}

QString usageText(QStringView lineEnd) {
  QString text;
  for (const QString& line : usageLines()) text += line + lineEnd;
  text += lineEnd;
  for (const QString& line : addedUsageLines()) text += line + lineEnd;
  return text;
}

}  // namespace vek
