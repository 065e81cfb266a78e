// The Text/CSV writer and its create operation, byte for byte.
#include "writers/TextListWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include "core/settings/RecentTexts.h"
#include "support/ExampleRows.h"
#include "support/FailDevice.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/ScopedEnvironment.h"
#include "support/TempTree.h"
#include "writers/TextListExport.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const TextCodec kUtf8("UTF-8");

using test::ExampleRow;
using test::listOf;

// Only the file-name column: short lines that show the layout.
Settings namesOnly() {
  Settings settings;
  ColumnOptions& c = settings.csv.columns;
  c.chkDir = c.chkExt = c.chkSize = c.chkMakeDate = 0;
  return settings;
}

std::string written(const Settings& settings, const std::vector<FileEntry>& rows,
                    bool textType = false, const QString& separator = u","_s,
                    PathStyle style = PathStyle::Posix, const TextCodec& codec = kUtf8) {
  TextListWriter writer(settings, textType, separator, codec, style, kJapanese);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(writer.write(buffer, rows)) << writer.errorString().toStdString();
  return buffer.data().toStdString();
}

std::vector<FileEntry> numberedRows(int count, const QString& folder = u"/d/"_s) {
  std::vector<FileEntry> rows;
  for (int i = 1; i <= count; ++i) rows.push_back(ExampleRow(folder, QString::number(i)));
  return rows;
}

// The lines "1,\n" ... for the given numbers, each preceded by a blank line where asked.
std::string numberLines(int from, int to) {
  std::string out;
  for (int i = from; i <= to; ++i) out += std::to_string(i) + ",\n";
  return out;
}

TEST(TextListWriter, DefaultCsvExampleInBothPathStyles) {
  const std::string header = "ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,\r\n";
  EXPECT_EQ(written(Settings(), {ExampleRow(u"C:\\data\\"_s, u"a.txt"_s)}, false, u","_s,
                    PathStyle::Windows),
            header + "C:\\data,a.txt,テキスト ドキュメント,2 KB,2005/08/18 14:03:09,\r\n");
  EXPECT_EQ(written(Settings(), {ExampleRow(u"/data/"_s, u"a.txt"_s)}),
            header + "/data,a.txt,テキスト ドキュメント,2 KB,2005/08/18 14:03:09,\r\n");

  Settings bytes;
  bytes.csv.columns.optSizeType = SizeUnit::Bytes;
  EXPECT_EQ(written(bytes, {ExampleRow(u"/data/"_s, u"a.txt"_s)}),
            header + "/data,a.txt,テキスト ドキュメント, 1025 Byte,2005/08/18 14:03:09,\r\n");
}

TEST(TextListWriter, TheExampleInTheJapaneseLegacyEncoding) {
  const TextCodec cp932("CP932");
  const std::string bytes = written(Settings(), {ExampleRow(u"/data/"_s, u"a.txt"_s)}, false,
                                    u","_s, PathStyle::Posix, cp932);
  // デ, the first caption's first character, is 0x83 0x66 in Shift_JIS; no byte-order mark in
  // front.
  EXPECT_EQ(bytes.substr(0, 2), "\x83\x66");
  EXPECT_EQ(QByteArray::fromStdString(bytes),
            cp932.encode(u"ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,\r\n"
                         u"/data,a.txt,テキスト ドキュメント,2 KB,2005/08/18 14:03:09,\r\n"_s));
}

TEST(TextListWriter, TextSeparators) {
  Settings settings;
  settings.csv.crLfType = LineBreak::Lf;
  settings.csv.columns.chkSize = settings.csv.columns.chkMakeDate = 0;
  const std::vector<FileEntry> rows = {ExampleRow(u"/d/"_s, u"a.txt"_s)};
  struct Case {
    int tabUse;
    const char16_t* separator;
    const char* expected;
  };
  const Case cases[] = {
      {1, u"ignored",
       "ディレクトリ\tファイル名\tファイルタイプ\t\n/d\ta.txt\tテキスト ドキュメント\t\n"},
      {0, u"]   [",
       "ディレクトリ]   [ファイル名]   [ファイルタイプ]   [\n/d]   [a.txt]   [テキスト "
       "ドキュメント]   [\n"},
      {0, u"", "ディレクトリファイル名ファイルタイプ\n/da.txtテキスト ドキュメント\n"},
      {0, u"  ",
       "ディレクトリ  ファイル名  ファイルタイプ  \n/d  a.txt  テキスト ドキュメント  \n"},
  };
  for (const Case& c : cases) {
    settings.csv.tabUse = c.tabUse;
    EXPECT_EQ(written(settings, rows, true, QString::fromUtf16(c.separator)), c.expected);
  }
  // The CSV type ignores the separator choices.
  settings.csv.tabUse = 1;
  EXPECT_EQ(written(settings, rows, false, u"]   ["_s),
            "ディレクトリ,ファイル名,ファイルタイプ,\n/d,a.txt,テキスト ドキュメント,\n");
}

TEST(TextListWriter, LineEndsIncludingBlankLines) {
  Settings settings = namesOnly();
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.csv.columns.valHeadInterval = 1;
  const std::pair<int, std::string> cases[] = {
      {0, "ファイル名,\r\n\r\n1,\r\n\r\n2,\r\n"},
      {1, "ファイル名,\r\r1,\r\r2,\r"},
      {2, "ファイル名,\n\n1,\n\n2,\n"},
      {7, "ファイル名,\r\n\r\n1,\r\n\r\n2,\r\n"},  // unknown: the standard CR LF
  };
  for (const auto& [crLfType, expected] : cases) {
    settings.csv.crLfType = LineBreak(crLfType);
    EXPECT_EQ(written(settings, numberedRows(2)), expected) << crLfType;
  }
}

TEST(TextListWriter, IntervalInsertionCountsTheFirstRow) {
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.csv.columns.valHeadInterval = 15;
  EXPECT_EQ(written(settings, numberedRows(20)),
            "ファイル名,\n\n" + numberLines(1, 15) + "\n" + numberLines(16, 20));

  // Unticked rows are not counted: rows 2 and 4 leave the count where it was.
  settings.csv.columns.valHeadInterval = 2;
  std::vector<FileEntry> rows = numberedRows(6);
  rows[1].ticked = rows[3].ticked = false;
  EXPECT_EQ(written(settings, rows), "ファイル名,\n\n1,\n3,\n\n5,\n6,\n");

  // Insertion off: no blank line at all.
  settings.csv.columns.optHeadInsert = HeadInsert::Off;
  EXPECT_EQ(written(settings, numberedRows(3)), "ファイル名,\n" + numberLines(1, 3));
}

TEST(TextListWriter, FolderInsertionLooksAtTheListRowAbove) {
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.csv.columns.optHeadInsertType = HeadInsertAt::FolderChange;
  // 1 and 2 in /a/; unticked 3 in /b/; 4 in /a/: a blank line although the last written row
  // was in /a/ too. Unticked 5 in /c/ and 6 in /c/: no blank line although the last written
  // row was in /a/.
  std::vector<FileEntry> rows = {ExampleRow(u"/a/"_s, u"1"_s),
                                 ExampleRow(u"/a/"_s, u"2"_s),
                                 ExampleRow(u"/b/"_s, u"3"_s).withSize(0).unticked(),
                                 ExampleRow(u"/a/"_s, u"4"_s),
                                 ExampleRow(u"/c/"_s, u"5"_s).withSize(0).unticked(),
                                 ExampleRow(u"/c/"_s, u"6"_s),
                                 ExampleRow(u"/C/"_s, u"7"_s)};
  EXPECT_EQ(written(settings, rows), "ファイル名,\n1,\n2,\n\n4,\n6,\n\n7,\n");
}

TEST(TextListWriter, OnlyTickedRowsAndAnEmptyList) {
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  std::vector<FileEntry> rows = numberedRows(4);
  rows[0].ticked = rows[2].ticked = false;
  EXPECT_EQ(written(settings, rows), "ファイル名,\n2,\n4,\n");
  EXPECT_EQ(written(settings, {}), "ファイル名,\n");
}

TEST(TextListWriter, CsvQuotesFieldsThatNeedItTextDoesNot) {
  Settings settings;
  settings.csv.crLfType = LineBreak::Lf;
  ColumnOptions& c = settings.csv.columns;
  c.chkDir = c.chkSize = c.chkMakeDate = 0;
  settings.headComment[std::size_t(ColumnId::FileName)] = u"名前,拡張子"_s;
  std::vector<FileEntry> rows = {
      ExampleRow(u"/d/"_s, u"a,b.txt"_s), ExampleRow(u"/d/"_s, u"say \"hi\".txt"_s),
      ExampleRow(u"/d/"_s, u"two\nlines"_s), ExampleRow(u"/d/"_s, u"cr\rhere"_s),
      ExampleRow(u"/d/"_s, u"plain 'quote'.txt"_s)};
  rows[4].type = u"type, with comma"_s;
  EXPECT_EQ(written(settings, rows),
            "\"名前,拡張子\",ファイルタイプ,\n"
            "\"a,b.txt\",テキスト ドキュメント,\n"
            "\"say \"\"hi\"\".txt\",テキスト ドキュメント,\n"
            "\"two\nlines\",テキスト ドキュメント,\n"
            "\"cr\rhere\",テキスト ドキュメント,\n"
            "plain 'quote'.txt,\"type, with comma\",\n");
  EXPECT_EQ(written(settings, rows, true, u";"_s),
            "名前,拡張子;ファイルタイプ;\n"
            "a,b.txt;テキスト ドキュメント;\n"
            "say \"hi\".txt;テキスト ドキュメント;\n"
            "two\nlines;テキスト ドキュメント;\n"
            "cr\rhere;テキスト ドキュメント;\n"
            "plain 'quote'.txt;type, with comma;\n");
}

TEST(TextListWriter, LongListsSpanManyChunksUnchanged) {
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.csv.columns.valHeadInterval = 100;
  const int count = 30000;  // well beyond one chunk
  std::string expected = "ファイル名,\n";
  for (int from = 1; from <= count; from += 100) expected += "\n" + numberLines(from, from + 99);
  EXPECT_EQ(written(settings, numberedRows(count)), expected);
}

// Long lists are written a block of rows at a time on several threads: the count of written
// rows and the folder of the row above carry over from block to block, unticked rows too.
TEST(TextListWriter, LongListsWithUntickedRowsAndInsertionsComeOutAsOneRun) {
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.csv.columns.valHeadInterval = 8;
  std::vector<FileEntry> rows;
  for (int i = 0; i < 20000; ++i) {
    FileEntry row;
    row.name = QString::number(i);
    row.folder = u"/f%1/"_s.arg(i / 33);
    row.ticked = i % 7 != 3 && i % 4096 != 0;  // some untick the first row of a block
    rows.push_back(row);
  }
  for (int insertion : {0, 1}) {  // every eight written rows, at each change of folder
    settings.csv.columns.optHeadInsertType = HeadInsertAt(insertion);
    std::string expected = "ファイル名,\n";
    qint64 count = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (!rows[i].ticked) continue;
      if (insertion == 0 ? count % 8 == 0 : i > 0 && rows[i - 1].folder != rows[i].folder)
        expected += "\n";
      expected += rows[i].name.toStdString() + ",\n";
      ++count;
    }
    test::ScopedEnvironment environment;
    for (const char* threads : {"1", "3"}) {
      environment.set("VEK_THREADS", threads);
      EXPECT_EQ(written(settings, rows), expected) << insertion << " threads " << threads;
    }
  }
}

TEST(TextListWriter, ADeviceFailureIsReported) {
  std::vector<FileEntry> rows = numberedRows(20000);
  for (qint64 accept : {0, 100, 70000}) {
    TextListWriter writer(Settings(), false, u","_s, kUtf8, PathStyle::Posix, kJapanese);
    test::FailDevice device(accept);
    EXPECT_FALSE(writer.write(device, rows)) << accept;
    EXPECT_FALSE(writer.errorString().isEmpty());
    // Large chunks, not one write per cell or line.
    EXPECT_LE(device.writeCalls, 2) << accept;
  }
}

TEST(TextListWriter, UnmappableCharactersAreCounted) {
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  TextListWriter writer(settings, false, u","_s, TextCodec("CP932"), PathStyle::Posix, kJapanese);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  const std::vector<FileEntry> rows = {ExampleRow(u"/d/"_s, u"smile😀é"_s)};
  ASSERT_TRUE(writer.write(buffer, rows));
  EXPECT_EQ(writer.lostCharacters(), 2);
  EXPECT_TRUE(buffer.data().endsWith("\nsmile??,\n"));
}

TEST(TextListExport, WritesTheFileAndReportsNothing) {
  test::TempTree tree;
  tree.file(u"list.csv"_s, "old");
  test::RecordingInteraction interaction;
  Settings settings = namesOnly();
  settings.csv.crLfType = LineBreak::Lf;
  EXPECT_TRUE(createTextList(tree.path(u"list.csv"_s), listOf(numberedRows(2)), settings,
                             interaction, false, u","_s, kUtf8));
  EXPECT_EQ(tree.read(u"list.csv"_s), "ファイル名,\n1,\n2,\n");
  EXPECT_TRUE(interaction.messages.empty());
}

TEST(TextListExport, NothingSelectedTouchesNoFile) {
  test::TempTree tree;
  tree.file(u"list.csv"_s, "old");
  test::RecordingInteraction interaction;
  Settings settings = namesOnly();
  settings.csv.columns.chkFile = 0;
  EXPECT_FALSE(createTextList(tree.path(u"list.csv"_s), listOf(numberedRows(2)), settings,
                              interaction, true, u","_s, kUtf8));
  EXPECT_EQ(tree.read(u"list.csv"_s), "old");
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].text, u"出力情報が指定されていません"_s);
  EXPECT_FALSE(QFileInfo::exists(tree.path(u"new.csv"_s)));
}

TEST(TextListExport, AFailedWriteLeavesTheOldFile) {
  test::TempTree tree;
  tree.file(u"list.csv"_s, "old");
  const QString path = tree.path(u"list.csv"_s);
  const FileList list = listOf(numberedRows(50000));

  test::RecordingInteraction interaction;
  bool ok = false;
  {
    const test::FileSizeLimit limit(8192);
    ASSERT_TRUE(limit.isSet());
    ok = createTextList(path, list, Settings(), interaction, false, u","_s, kUtf8);
  }

  EXPECT_FALSE(ok);
  EXPECT_EQ(tree.read(u"list.csv"_s), "old");
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].title, u"警告"_s);
  EXPECT_TRUE(
      interaction.messages[0].text.startsWith(u"ファイルを開くことが出来ません。\r\n"_s + path));
}

TEST(TextListExport, ReplacedCharactersAreAnnouncedAfterWriting) {
  test::TempTree tree;
  test::RecordingInteraction interaction;
  const QString path = tree.path(u"list.txt"_s);
  EXPECT_TRUE(createTextList(path, listOf({ExampleRow(u"/d/"_s, u"😀.txt"_s)}), namesOnly(),
                             interaction, true, u"\t"_s, TextCodec("CP932")));
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(interaction.messages[0].text.contains(path));
  EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(SeparatorHistory, KnownTextsStayNewOnesGoFirst) {
  const std::array<QString, 10> defaults = Settings().separators;
  std::array<QString, 10> history = defaults;
  recordRecent(history, u"・・・"_s);  // entry 3: unchanged
  EXPECT_EQ(history, defaults);
  recordRecent(history, u","_s);
  EXPECT_EQ(history, defaults);

  recordRecent(history, u"###"_s + u" "_s);  // new: differs by a trailing space
  EXPECT_EQ(history[0], u"### "_s);
  for (std::size_t i = 1; i < 10; ++i) EXPECT_EQ(history[i], defaults[i - 1]);

  // Case matters; the empty separator is a text like any other.
  recordRecent(history, u"ABC"_s);
  recordRecent(history, u"abc"_s);
  recordRecent(history, QString());
  EXPECT_EQ(history[0], QString());
  EXPECT_EQ(history[1], u"abc"_s);
  EXPECT_EQ(history[2], u"ABC"_s);
  EXPECT_EQ(history[9], defaults[5]);
  recordRecent(history, QString());
  EXPECT_EQ(history[1], u"abc"_s);
}

}  // namespace
}  // namespace vek
