// The text encodings a person may choose for CSV and text lists, the composition of decomposed
// names, the rows reported when a name had to get "?", and the formula guard.
#include <QBuffer>
#include <QProcess>

#include <gtest/gtest.h>

#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "writers/ListLineEncoder.h"
#include "writers/TextListExport.h"
#include "writers/TextListWriter.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
using test::ExampleRow;
using test::listOf;

Settings namesOnly() {
  Settings settings;
  ColumnOptions& c = settings.csv.columns;
  c.chkDir = c.chkExt = c.chkSize = c.chkMakeDate = false;
  settings.csv.crLfType = LineBreak::Lf;
  return settings;
}

struct Written {
  QByteArray bytes;
  std::vector<qint64> replacedRows;
  bool headerReplaced = false;
};

Written write(const Settings& settings, const std::vector<FileEntry>& rows, TextListChoices choices,
              bool textType = false) {
  TextListWriter writer(settings, textType, u"\t"_s, choices, PathStyle::Posix, kJapanese);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(writer.write(buffer, rows)) << writer.errorString().toStdString();
  return {buffer.data(), writer.replacedRows(), writer.headerReplaced()};
}

std::vector<FileEntry> named(const QStringList& names) {
  std::vector<FileEntry> rows;
  for (const QString& name : names) rows.push_back(ExampleRow(u"/d/"_s, name));
  return rows;
}

// What Python's cp932 codec makes of bytes (strict: it fails on what is not CP932).
QString pythonCp932Text(const QByteArray& bytes) {
  QProcess python;
  python.start(u"python3"_s, {u"-c"_s,
                              u"import sys; sys.stdout.buffer.write("
                              u"sys.stdin.buffer.read().decode('cp932').encode('utf-8'))"_s});
  python.write(bytes);
  python.closeWriteChannel();
  EXPECT_TRUE(python.waitForFinished(30000));
  EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
  return QString::fromUtf8(python.readAllStandardOutput());
}

// What Python's cp932 codec makes of text (strict: it fails on what CP932 cannot hold). Only for
// texts without the characters CP932 holds twice (髙 ① ∵ ...), where Windows and glibc pick the
// IBM code and Python the NEC one; both read back the same.
QByteArray pythonCp932(const QString& text) {
  QProcess python;
  python.start(u"python3"_s, {u"-c"_s,
                              u"import sys; sys.stdout.buffer.write("
                              u"sys.stdin.buffer.read().decode('utf-8').encode('cp932'))"_s});
  python.write(text.toUtf8());
  python.closeWriteChannel();
  EXPECT_TRUE(python.waitForFinished(30000));
  EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
  return python.readAllStandardOutput();
}

TEST(ListEncoding, KeywordsReadLikeTheOutputType) {
  const std::pair<QString, std::optional<ListEncoding>> cases[] = {
      {u"SYSTEM"_s, ListEncoding::System},
      {u"utf8"_s, ListEncoding::Utf8},
      {u"Utf8Bom"_s, ListEncoding::Utf8WithMark},
      {u"ｃｐ９３２"_s, ListEncoding::Cp932},
      {u"UTF-8"_s, std::nullopt},
      {u"SJIS"_s, std::nullopt},
      {u""_s, std::nullopt},
      {u"CP932 "_s, std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(listEncodingFromKeyword(text), expected) << text.toStdString();
  for (ListEncoding e :
       {ListEncoding::System, ListEncoding::Utf8, ListEncoding::Utf8WithMark, ListEncoding::Cp932})
    EXPECT_EQ(listEncodingFromKeyword(listEncodingKeyword(e)), e);
}

TEST(ListEncoding, EachEncodingsBytes) {
  const Settings settings = namesOnly();
  const std::vector<FileEntry> rows = named({u"髙橋①.txt"_s});
  const QByteArray utf8 = u"ファイル名,\n髙橋①.txt,\n"_s.toUtf8();
  // 髙 as Windows writes it: FB FC (Python's codec picks ED/EE codes of the NEC set instead).
  EXPECT_EQ(write(settings, rows, {ListEncoding::Cp932, false}).bytes,
            pythonCp932(u"ファイル名,\n"_s) + "\xFB\xFC" + pythonCp932(u"橋①.txt,\n"_s));
  EXPECT_EQ(write(settings, rows, {ListEncoding::Utf8, false}).bytes, utf8);
  EXPECT_EQ(write(settings, rows, {ListEncoding::Utf8WithMark, false}).bytes,
            "\xEF\xBB\xBF" + utf8);
  // The mark stands once, before the header, also in a text file with blank lines.
  Settings blank = settings;
  blank.csv.columns.optHeadInsert = HeadInsert::On;
  blank.csv.columns.valHeadInterval = 1;
  EXPECT_EQ(write(blank, named({u"a"_s, u"b"_s}), {ListEncoding::Utf8WithMark, false}, true).bytes,
            "\xEF\xBB\xBF" + u"ファイル名\t\n\na\t\n\nb\t\n"_s.toUtf8());
}

// Every name of the awkward-names set that CP932 holds reads back through Python's cp932 codec
// as it was: the Windows mapping (～ U+FF5E, ∥, －, ￠), NEC and IBM extensions, half-width
// katakana, and the bytes 0x5C and 0x7C inside a double-byte character.
TEST(ListEncoding, Cp932MatchesPythonsCodecForEveryNameItHolds) {
  const QStringList names = {u"with space.txt"_s,
                             u"comma,name.txt"_s,
                             u"quote\"name.txt"_s,
                             u"<&>.txt"_s,
                             u"日本語のファイル.txt"_s,
                             u"～波ダッシュ～.txt"_s,
                             u"∥－￠￡￢―.txt"_s,
                             u"①②⑳Ⅰ Ⅲ ㎝ ㍻ ∑ √.txt"_s,
                             u"髙﨑德.txt"_s,
                             u"ﾊﾝｶｸｶﾅ.txt"_s,
                             u"…‥.txt"_s,
                             u"tab\there.txt"_s,
                             u"new\nline.txt"_s,
                             u"表示能力.txt"_s,
                             u"ソ十申.txt"_s};
  Settings settings = namesOnly();
  settings.csv.columns.chkDir = true;
  const Written got = write(settings, named(names), {ListEncoding::Cp932, false});
  QString expected = u"ディレクトリ,ファイル名,\n"_s;
  for (const QString& name : names) {
    QString field = name;
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n'))
      field = u'"' + QString(field).replace(u"\""_s, u"\"\""_s) + u'"';
    expected += u"/d," + field + u",\n";
  }
  EXPECT_EQ(pythonCp932Text(got.bytes), expected);
  EXPECT_TRUE(got.replacedRows.empty());
}

TEST(ListEncoding, DecomposedNamesAreComposedBeforeShiftJis) {
  const QString decomposed = u"ハ\u309Aソコ\u3099ン.txt"_s;  // パソゴン made on a Mac
  const Written got = write(namesOnly(), named({decomposed}), {ListEncoding::Cp932, false});
  EXPECT_EQ(got.bytes, pythonCp932(u"ファイル名,\nパソゴン.txt,\n"_s))
      << got.bytes.toHex().toStdString();
  EXPECT_TRUE(got.replacedRows.empty());
  // UTF-8 keeps the name's own form.
  EXPECT_EQ(write(namesOnly(), named({decomposed}), {ListEncoding::Utf8, false}).bytes,
            (u"ファイル名,\n"_s + decomposed + u",\n").toUtf8());
  // Only marked sequences are composed: a compatibility ideograph keeps its code point.
  EXPECT_EQ(composeMarkedSequences(u"\uF929e\u0301ハ\u309A"_s), u"\uF929éパ"_s);
  EXPECT_EQ(composeMarkedSequences(u"\u0301x"_s), u"\u0301x"_s);
}

TEST(ListEncoding, WhatCp932CannotHoldBecomesQuestionMarksInThatCellAndTheRowIsNamed) {
  Settings settings = namesOnly();
  settings.csv.columns.chkDir = true;
  settings.csv.columns.chkExt = true;
  std::vector<FileEntry> rows = named({u"a.txt"_s, u"emoji😀.txt"_s, u"b.txt"_s, u"한국.txt"_s});
  rows[3].folder = u"/d,1/"_s;
  const Written got = write(settings, rows, {ListEncoding::Cp932, false});
  const QByteArray type = pythonCp932(u"テキスト ドキュメント"_s);
  EXPECT_EQ(got.bytes, pythonCp932(u"ディレクトリ,ファイル名,ファイルタイプ,\n"_s) + "/d,a.txt," +
                           type + ",\n/d,emoji?.txt," + type + ",\n/d,b.txt," + type +
                           ",\n\"/d,1\",??.txt," + type + ",\n");
  EXPECT_EQ(got.replacedRows, (std::vector<qint64>{1, 3}));
  EXPECT_FALSE(got.headerReplaced);

  // A caption it cannot hold is said too.
  settings.headComment[std::size_t(ColumnId::FileName)] = u"名前✓"_s;
  EXPECT_TRUE(write(settings, named({u"a"_s}), {ListEncoding::Cp932, false}).headerReplaced);
}

TEST(ListEncoding, ReplacedRowsAreReportedFirstRowInTheWindowEveryRowInABatchRun) {
  test::TempTree tree;
  const QString path = tree.path(u"list.csv"_s);
  std::vector<FileEntry> rows = named({u"😀1"_s, u"ok"_s, u"😀2"_s});
  rows.push_back(ExampleRow(u"/d/"_s, u"😀3"_s).unticked());
  const FileList list = listOf(rows);

  test::RecordingInteraction window;
  ASSERT_TRUE(createTextList(path, list, namesOnly(), window, false, u","_s,
                             {ListEncoding::Cp932, false}, ReplacedRowsReport::FirstRow));
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text,
            u"ファイルを出力しました。\r\n"_s + path +
                u"\r\nただし、文字コード Shift_JIS (CP932) で表せない文字を含む行が 2 "
                u"行あったため、その文字を「?」に置き換えて出力しました。\r\n最初の行: /d/😀1"_s);

  test::RecordingInteraction batch;
  ASSERT_TRUE(createTextList(path, list, namesOnly(), batch, false, u","_s,
                             {ListEncoding::Cp932, false}, ReplacedRowsReport::EveryRow));
  ASSERT_EQ(batch.messages.size(), 1u);
  EXPECT_TRUE(batch.messages[0].text.endsWith(u"出力しました。\r\n/d/😀1\r\n/d/😀2"_s))
      << batch.messages[0].text.toStdString();

  // UTF-8 holds them all: nothing to say.
  test::RecordingInteraction quiet;
  ASSERT_TRUE(createTextList(path, list, namesOnly(), quiet, false, u","_s,
                             {ListEncoding::Utf8WithMark, false}, ReplacedRowsReport::EveryRow));
  EXPECT_TRUE(quiet.messages.empty());
  EXPECT_TRUE(tree.read(u"list.csv"_s).startsWith("\xEF\xBB\xBF"));
}

TEST(FormulaGuard, OnlyWhenAskedAndOnlyCellsThatStartLikeAFormula) {
  Settings settings = namesOnly();
  settings.csv.columns.chkDir = true;
  settings.headComment[std::size_t(ColumnId::Directory)] = u"=見出し"_s;
  std::vector<FileEntry> rows = named({u"=SUM(A1).txt"_s, u"+1"_s, u"-x"_s, u"@me"_s, u"\tlead"_s,
                                       u"\rcr"_s, u"a=b"_s, u"'q"_s, u"=a,b"_s});
  const QByteArray off = write(settings, rows, {ListEncoding::Utf8, false}).bytes;
  EXPECT_EQ(off,
            u"=見出し,ファイル名,\n/d,=SUM(A1).txt,\n/d,+1,\n/d,-x,\n/d,@me,\n/d,\tlead,\n"
            u"/d,\"\rcr\",\n/d,a=b,\n/d,'q,\n/d,\"=a,b\",\n"_s.toUtf8());
  const QByteArray on = write(settings, rows, {ListEncoding::Utf8, true}).bytes;
  EXPECT_EQ(on,
            u"'=見出し,ファイル名,\n/d,'=SUM(A1).txt,\n/d,'+1,\n/d,'-x,\n/d,'@me,\n"
            u"/d,'\tlead,\n/d,\"'\rcr\",\n/d,a=b,\n/d,'q,\n/d,\"'=a,b\",\n"_s.toUtf8());
  // A text file too, unquoted.
  EXPECT_EQ(write(settings, named({u"=1"_s}), {ListEncoding::Utf8, true}, true).bytes,
            u"'=見出し\tファイル名\t\n/d\t'=1\t\n"_s.toUtf8());
}

}  // namespace
}  // namespace vek
