// The workbook writer, read back with openpyxl and compared cell by cell with the CSV of the
// same list.
#include "writers/XlsxListWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "core/platform/OutputFile.h"
#include "support/ExampleRows.h"
#include "support/FailDevice.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/ThreadStarters.h"
#include "support/XlsxReadBack.h"
#include "writers/TextListWriter.h"
#include "writers/WorkbookReadBack.h"
#include "writers/XlsxListExport.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
using test::ExampleRow;

struct Pair {
  test::XlsxReadBack readBack;
  int sheets = 0;
};

// Writes rows as a workbook and as the UTF-8 CSV of the same settings, and compares them.
Pair writeBoth(test::TempTree& tree, const Settings& settings, const std::vector<FileEntry>& rows,
               const QString& title = u"一覧"_s, qint64 sheetRows = 0, qint64 sheetLinks = 0) {
  Pair result;
  XlsxListWriter xlsx(settings, title, PathStyle::Posix, kJapanese);
  if (sheetRows > 0) xlsx.setSheetRows(sheetRows);
  if (sheetLinks > 0) xlsx.setSheetLinks(sheetLinks);
  QFile book(tree.path(u"list.xlsx"_s));
  EXPECT_TRUE(book.open(QIODevice::WriteOnly));
  EXPECT_TRUE(xlsx.write(book, rows)) << xlsx.errorString().toStdString();
  book.close();
  result.sheets = xlsx.sheetCount();

  TextListWriter csv(settings, false, u","_s, TextListChoices{ListEncoding::Utf8, false},
                     PathStyle::Posix, kJapanese);
  QFile text(tree.path(u"list.csv"_s));
  EXPECT_TRUE(text.open(QIODevice::WriteOnly));
  EXPECT_TRUE(csv.write(text, rows));
  text.close();
  result.readBack = test::compareXlsxWithCsv(book.fileName(), text.fileName());
  return result;
}

Settings everyColumn() {
  Settings settings;
  ColumnOptions& c = settings.csv.columns;
  c.chkPath = c.chkAccessDate = c.chkUpdateDate = true;
  return settings;
}

std::vector<FileEntry> awkwardRows() {
  const QStringList names = {u"with space.txt"_s,
                             u"comma,name.txt"_s,
                             u"quote\"name.txt"_s,
                             u"new\nline.txt"_s,
                             u"<&>.txt"_s,
                             u"日本語のファイル.txt"_s,
                             u"emoji😀.txt"_s,
                             u"noextension"_s,
                             u"=SUM(A1:A2)"_s,
                             u"00123"_s,
                             u"1-2"_s,
                             u"+81 3.txt"_s,
                             u"@home"_s,
                             u"tab\there.txt"_s,
                             u"ctrl\x01\x1F.txt"_s,
                             u"bad\xDC82\xDCA0.txt"_s,
                             u"ﾊﾝｶｸ①.txt"_s,
                             u"_x0041_.txt"_s,
                             u"2024/01/02"_s,
                             u"TRUE"_s,
                             u"3.14"_s,
                             u"1E5"_s};
  std::vector<FileEntry> rows;
  for (const QString& name : names) {
    FileEntry row = ExampleRow(u"/data/sub dir,1/"_s, name).withModifiedDate();
    row.size = rows.size() * 700;
    rows.push_back(row);
  }
  rows[2].accessed = DateStamp::fromLocal(1899, 12, 31, 23, 59, 59);  // before Excel's dates
  rows[3].ticked = false;
  return rows;
}

TEST(XlsxListWriter, AwkwardNamesReadBackAsTheCsvShowsThem) {
  test::TempTree tree;
  for (const int sizeType : {0, 1, 2}) {
    Settings settings = everyColumn();
    settings.csv.columns.optSizeType = SizeUnit(sizeType);
    settings.csv.columns.chkAddUnit = sizeType != 1;
    const Pair pair = writeBoth(tree, settings, awkwardRows());
    ASSERT_TRUE(pair.readBack.matches) << pair.readBack.difference.toStdString();
    const QJsonObject sheet = pair.readBack.facts[u"sheets"_s].toArray()[0].toObject();
    EXPECT_EQ(sheet[u"title"_s].toString(), u"一覧"_s);
    EXPECT_EQ(sheet[u"freeze"_s].toString(), u"A2"_s);
    EXPECT_EQ(sheet[u"filter"_s].toString(), u"A1:H22"_s);
    EXPECT_TRUE(sheet[u"bold"_s].toBool());
    // Sizes are numbers and dates date-times, not text.
    const QJsonObject types = pair.readBack.facts[u"types"_s].toObject();
    EXPECT_EQ(types[u"int"_s].toInt() + types[u"float"_s].toInt(), 21) << sizeType;
    EXPECT_EQ(types[u"datetime"_s].toInt(), 2 * 21);
  }
}

TEST(XlsxListWriter, FileAddressesAreLinksUpToTheSheetsLimit) {
  test::TempTree tree;
  Settings settings;
  ColumnOptions& c = settings.csv.columns;
  c.chkPath = c.chkPathType = true;
  c.chkDir = c.chkFile = c.chkExt = c.chkSize = c.chkMakeDate = false;
  const std::vector<FileEntry> rows = {ExampleRow(u"/d/"_s, u"a b#%.txt"_s),
                                       ExampleRow(u"/d/"_s, u"日本.txt"_s),
                                       ExampleRow(u"/d/"_s, u"c.txt"_s)};
  const Pair pair = writeBoth(tree, settings, rows, u"t"_s, 0, 2);
  ASSERT_TRUE(pair.readBack.matches) << pair.readBack.difference.toStdString();
  const QJsonObject links = pair.readBack.facts[u"links"_s].toObject();
  EXPECT_EQ(links.size(), 2);
  EXPECT_EQ(links[u"file:///d/a b#%.txt"_s].toString(), u"file:///d/a%20b%23%25.txt"_s);
  EXPECT_EQ(links[u"file:///d/日本.txt"_s].toString(), u"file:///d/%E6%97%A5%E6%9C%AC.txt"_s);
}

TEST(XlsxListWriter, RowsBeyondASheetGoOnTheNextWithTheHeaderRepeated) {
  test::TempTree tree;
  Settings settings;
  settings.csv.columns.optHeadInsert = HeadInsert::On;  // blank rows count as rows of the sheet
  settings.csv.columns.valHeadInterval = 4;
  std::vector<FileEntry> rows;
  for (int i = 0; i < 11; ++i) rows.push_back(ExampleRow(u"/d/"_s, QString::number(i)));
  const Pair pair = writeBoth(tree, settings, rows, u"/d/b[1]:*?"_s, 5);
  ASSERT_TRUE(pair.readBack.matches) << pair.readBack.difference.toStdString();
  EXPECT_EQ(pair.sheets, 3);
  const QJsonArray sheets = pair.readBack.facts[u"sheets"_s].toArray();
  ASSERT_EQ(sheets.size(), 3);
  // 14 rows in all (11 and 3 blank ones): 5, 5 and 4.
  EXPECT_EQ(sheets[0].toObject()[u"rows"_s].toInt(), 5);
  EXPECT_EQ(sheets[2].toObject()[u"rows"_s].toInt(), 4);
  EXPECT_EQ(sheets[0].toObject()[u"title"_s].toString(), u"b_1____"_s);
  EXPECT_EQ(sheets[1].toObject()[u"title"_s].toString(), u"b_1____ (2)"_s);
  EXPECT_EQ(sheets[2].toObject()[u"freeze"_s].toString(), u"A2"_s);
}

// The cells are made a block of rows at a time beside the thread that writes them: blank rows,
// unticked rows, links and sheet ends fall on and across the blocks' edges as in the CSV.
TEST(XlsxListWriter, ManyRowsMadeInBlocksReadBackAsTheCsv) {
  test::TempTree tree;
  Settings settings = everyColumn();
  ColumnOptions& c = settings.csv.columns;
  c.chkPathType = true;
  c.optHeadInsert = HeadInsert::On;
  c.valHeadInterval = 7;
  std::vector<FileEntry> rows;
  for (int i = 0; i < 10000; ++i) {
    ExampleRow row(u"/d/"_s + QString::number(i / 300) + u"/"_s, QString::number(i) + u".txt"_s);
    row.withSize(qint64(i) * 4099).withModifiedDate();
    if (i % 13 == 5) row.unticked();
    rows.push_back(row);
  }
  const Pair pair = writeBoth(tree, settings, rows, u"t"_s, 4000);
  ASSERT_TRUE(pair.readBack.matches) << pair.readBack.difference.toStdString();
  // 9231 ticked rows and a blank one before every seventh: 10550 rows on 3 sheets.
  ASSERT_EQ(pair.sheets, 3);
  const QJsonArray sheets = pair.readBack.facts[u"sheets"_s].toArray();
  EXPECT_EQ(sheets[0].toObject()[u"rows"_s].toInt(), 4000);
  EXPECT_EQ(sheets[2].toObject()[u"rows"_s].toInt(), 2550);
  EXPECT_EQ(pair.readBack.facts[u"links"_s].toObject().size(), 9231);
}

// The cells are made in blocks on the machine's cores beside the library: the sheet is the same
// byte for byte however many threads there were.
TEST(XlsxListWriter, TheSheetIsTheSameWhateverThreadsThereAre) {
  std::vector<FileEntry> rows;
  for (int i = 0; i < 6000; ++i)
    rows.push_back(ExampleRow(u"/d/"_s + QString::number(i / 50) + u"/"_s, QString::number(i)));
  const auto bytes = [&] {
    XlsxListWriter writer(everyColumn(), u"t"_s, PathStyle::Posix, kJapanese);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writer.write(buffer, rows)) << writer.errorString().toStdString();
    return buffer.data();
  };
  // The sheet's part as stored: from its name in its header to the next part's name (the
  // properties part holds the time of writing, the sheet nothing of the kind).
  const auto sheet = [](const QByteArray& book) {
    const qsizetype start = book.indexOf("xl/worksheets/sheet1.xml");
    const qsizetype end = book.indexOf("xl/workbook.xml", start);
    EXPECT_TRUE(start > 0 && end > start);
    return book.mid(start, end - start);
  };
  const QByteArray several = sheet(bytes());
  ASSERT_GT(several.size(), 20000);  // two blocks of rows
  test::NoThreads noThreads;
  EXPECT_EQ(sheet(bytes()), several);
}

TEST(XlsxListWriter, SheetNamesExcelAccepts) {
  const std::pair<QString, QString> cases[] = {
      {u"/home/user/写真/"_s, u"写真"_s},
      {u"/"_s, u"_"_s},
      {u"C:\\data\\"_s, u"data"_s},
      {u"c:/data/2024"_s, u"2024"_s},
      {u"\\\\server\\share\\"_s, u"share"_s},
      // A title that is no absolute path is a name: its slashes are kept as "_".
      {u"Sales 1/2"_s, u"Sales 1_2"_s},
      {u"a\\b/c"_s, u"a_b_c"_s},
      {u"2024/01/ 報告"_s, u"2024_01_ 報告"_s},
      {u"報告書 [2024]: 第1版?"_s, u"報告書 _2024__ 第1版_"_s},
      {u"'quoted'"_s, u"quoted"_s},
      {u""_s, u"リスト"_s},
      {u"history"_s, u"リスト"_s},
      {u"0123456789012345678901234567890123"_s, u"0123456789012345678901234567890"_s},
      {u"012345678901234567890123456789😀"_s, u"012345678901234567890123456789"_s},
  };
  for (const auto& [title, expected] : cases)
    EXPECT_EQ(XlsxListWriter::sheetName(title), expected) << title.toStdString();
}

TEST(XlsxListWriter, DatePatternsExcelCanShowAndThoseItCannot) {
  const std::pair<QString, QString> cases[] = {
      {u"YYYY/MM/DD HH:MM:SS"_s, uR"(yyyy\/mm\/dd\ hh\:mm\:ss)"_s},
      {u"YYYY年M月D日"_s, uR"(yyyy\年m\月d\日)"_s},
      {u"HH:MM"_s, uR"(hh\:mm)"_s},
      {u"YY-MM"_s, uR"(yy\-mm)"_s},
      {u"MM:SS"_s, u""_s},  // a month Excel would read as minutes
      {u"GGE年"_s, u""_s},  // era
      {u"YYYY/MM/DD AMPM"_s, u""_s},
  };
  for (const auto& [pattern, expected] : cases) {
    const auto formatter = DateFormatter::compile(pattern, kJapanese);
    ASSERT_TRUE(formatter) << pattern.toStdString();
    EXPECT_EQ(XlsxListWriter::dateNumberFormat(*formatter), expected) << pattern.toStdString();
  }
}

TEST(XlsxListWriter, DatesExcelCannotFormatAreTextAsInTheCsv) {
  test::TempTree tree;
  Settings settings = everyColumn();
  settings.option.dateFormat = u"GGE年M月D日"_s;
  const Pair pair = writeBoth(tree, settings, awkwardRows());
  ASSERT_TRUE(pair.readBack.matches) << pair.readBack.difference.toStdString();
  EXPECT_EQ(pair.readBack.facts[u"types"_s].toObject()[u"datetime"_s].toInt(), 0);
}

TEST(XlsxListWriter, AFullDiskIsAFailureAndTheOldFileStays) {
  std::vector<FileEntry> rows;
  for (int i = 0; i < 2000; ++i) rows.push_back(ExampleRow(u"/d/"_s, QString::number(i)));
  XlsxListWriter writer(Settings(), u"t"_s, PathStyle::Posix, kJapanese);
  test::FailDevice device(1000);
  EXPECT_FALSE(writer.write(device, rows));
  EXPECT_EQ(writer.errorString(), u"No space left on device"_s);

  // Through the create operation: the old file is kept and the person warned.
  test::TempTree tree;
  tree.file(u"list.xlsx"_s, "old");
  test::RecordingInteraction interaction;
  Settings nothing;
  ColumnOptions& none = nothing.csv.columns;
  none.chkPath = none.chkDir = none.chkFile = none.chkExt = none.chkSize = none.chkMakeDate = false;
  EXPECT_FALSE(
      createXlsxList(tree.path(u"list.xlsx"_s), test::listOf(rows), nothing, interaction, u"t"_s));
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].text, u"出力情報が指定されていません"_s);
  EXPECT_EQ(tree.read(u"list.xlsx"_s), "old");
}

// The library writes the sheet into temporary files without looking at what its writes
// return: a folder that cannot take them (a full disk) must fail the workbook, never give one
// with the sheet cut off. Those files go beside the list. Too small for the zip, the library
// says so itself; big enough for the zip but not for the rows, the read-back finds the sheet
// cut. Either way the old list stays, the reason follows the warning, and nothing is left.
TEST(XlsxListWriter, TemporaryFilesThatCannotGrowNeverGiveACutSheet) {
  std::vector<FileEntry> rows;
  for (int i = 0; i < 12000; ++i)
    rows.push_back(ExampleRow(u"/d/"_s + QString::number(i / 100) + u"/"_s,
                              u"報告書 "_s + QString::number(i) + u".txt"_s)
                       .withSize(qint64(i) * 977)
                       .withModifiedDate());
  const struct {
    rlim_t limit;
    QString reason;  // how the reason begins; empty: written
  } cases[] = {
      {4 * 1024, QString::fromUtf8(lxw_strerror(LXW_ERROR_ZIP_FILE_OPERATION))},
      {512 * 1024, u"書き込んだブックのシート「t」が途中で切れています（12001 行のうち "_s},
      {64 * 1024 * 1024, u""_s},
  };
  for (const auto& c : cases) {
    test::TempTree tree;
    tree.file(u"list.xlsx"_s, "old");
    test::RecordingInteraction interaction;
    bool written = false;
    {
      test::FileSizeLimit full(c.limit);
      ASSERT_TRUE(full.isSet());
      written = createXlsxList(tree.path(u"list.xlsx"_s), test::listOf(rows), Settings(),
                               interaction, u"t"_s);
    }
    EXPECT_EQ(QDir(tree.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"list.xlsx"_s})
        << c.limit;
    if (!c.reason.isEmpty()) {
      EXPECT_FALSE(written) << c.limit;
      EXPECT_EQ(tree.read(u"list.xlsx"_s), "old");
      ASSERT_EQ(interaction.messages.size(), 1u) << c.limit;
      const QString warning = OutputFile::cannotWriteMessage(tree.path(u"list.xlsx"_s)).text;
      const QString text = interaction.messages[0].text;
      EXPECT_TRUE(text.startsWith(warning + u"\r\n"_s + c.reason)) << text.toStdString();
      continue;
    }
    ASSERT_TRUE(written);
    TextListWriter csv(Settings(), false, u","_s, TextListChoices{ListEncoding::Utf8, false},
                       PathStyle::Posix, kJapanese);
    QFile text(tree.path(u"list.csv"_s));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    ASSERT_TRUE(csv.write(text, rows));
    text.close();
    const auto readBack = test::compareXlsxWithCsv(tree.path(u"list.xlsx"_s), text.fileName());
    EXPECT_TRUE(readBack.matches) << readBack.difference.toStdString();
  }
}

// The read-back finds each way a workbook can fall short of what was written into it.
TEST(XlsxListWriter, TheReadBackFindsEveryShortfall) {
  test::TempTree tree;
  XlsxListWriter writer(Settings(), u"t"_s, PathStyle::Posix, kJapanese);
  writer.setSheetRows(3);
  std::vector<FileEntry> rows;
  for (int i = 0; i < 5; ++i) rows.push_back(ExampleRow(u"/d/"_s, QString::number(i)));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(writer.write(buffer, rows)) << writer.errorString().toStdString();
  const QByteArray book = buffer.data();
  tree.file(u"whole.xlsx"_s, book);
  QByteArray damaged = book;  // a byte of the first sheet's deflated rows
  const qsizetype sheet = damaged.indexOf("xl/worksheets/sheet1.xml") + 100;
  damaged[sheet] = char(damaged[sheet] ^ 0x55);
  tree.file(u"damaged.xlsx"_s, damaged);
  tree.file(u"cut.xlsx"_s, book.left(book.size() / 2));

  const std::vector<WrittenSheet> asWritten = {{u"t"_s, 4}, {u"t (2)"_s, 3}};
  const struct {
    QString file;
    std::vector<WrittenSheet> sheets;
    QString reason;
  } cases[] = {
      {u"whole.xlsx"_s, asWritten, u""_s},
      {u"whole.xlsx"_s,
       {{u"t"_s, 5}, {u"t (2)"_s, 3}},
       u"書き込んだブックのシート「t」が途中で切れています（5 行のうち 4 行）。"_s},
      {u"whole.xlsx"_s,
       {{u"t"_s, 4}, {u"t (2)"_s, 3}, {u"t (3)"_s, 1}},
       u"書き込んだブックにシート「t (3)」（xl/worksheets/sheet3.xml）がありません。"_s},
      {u"damaged.xlsx"_s, asWritten,
       u"書き込んだブックの部分 xl/worksheets/sheet1.xml が壊れています。"_s},
      {u"cut.xlsx"_s, asWritten, u"書き込んだブックを読み直せません（zip として開けません）。"_s},
  };
  for (const auto& c : cases) {
    const QString reason = readBackWorkbook(tree.path(c.file), c.sheets);
    EXPECT_TRUE(c.reason.isEmpty() ? reason.isEmpty() : reason.startsWith(c.reason))
        << c.file.toStdString() << ": " << reason.toStdString() << " / " << c.reason.toStdString();
  }
}

// Interaction that also records the rows reported incomplete.
struct IncompleteRecorder : test::RecordingInteraction {
  void reportIncomplete(const QString& path, const QString& reason) override {
    incomplete.emplace_back(path, reason);
  }
  std::vector<std::pair<QString, QString>> incomplete;
};

// A cell longer than Excel takes (a folder path of 35,161 characters) is cut to Excel's longest,
// ending in "…", and its row reported: the workbook is written, never lost. A surrogate pair is
// never halved, and a text whose "_x0041_" sequences the writer escapes is cut shorter, so the
// library takes it. A title holding a slash names the sheet whole.
TEST(XlsxListWriter, ALongCellIsCutAndReportedAndASlashedTitleStaysWhole) {
  test::TempTree tree;
  const auto longFolder = [](const QString& piece) -> QString {
    QString folder = u"/"_s;
    while (folder.size() < 35161) folder += piece;
    return folder.left(35160) + u'/';
  };
  const std::vector<FileEntry> rows = {
      ExampleRow(u"/d/"_s, u"short.txt"_s),
      ExampleRow(longFolder(u"フォルダ 0123456789/"_s), u"a.txt"_s),
      ExampleRow(longFolder(u"😀"_s), u"b.txt"_s),
      ExampleRow(longFolder(u"_x0041_"_s), u"c.txt"_s),
  };
  Settings settings;
  settings.csv.columns.chkPath = true;
  settings.csv.columns.chkDir = false;
  IncompleteRecorder interaction;
  ASSERT_TRUE(createXlsxList(tree.path(u"list.xlsx"_s), test::listOf(rows), settings, interaction,
                             u"Sales 1/2"_s));
  EXPECT_TRUE(interaction.messages.empty());
  ASSERT_EQ(interaction.incomplete.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(interaction.incomplete[i].first, rows[i + 1].fullPath());
    EXPECT_EQ(interaction.incomplete[i].second, cellCutReason());
  }
  const QJsonArray sheets = test::readXlsxCells(tree.path(u"list.xlsx"_s));
  ASSERT_EQ(sheets.size(), 1);
  EXPECT_EQ(sheets[0].toObject()[u"title"_s].toString(), u"Sales 1_2"_s);
  const QJsonArray table = sheets[0].toObject()[u"rows"_s].toArray();
  ASSERT_EQ(table.size(), 5);
  EXPECT_EQ(table[1].toArray()[0].toObject()[u"v"_s].toString(), u"/d/short.txt"_s);
  const QString japanese = table[2].toArray()[0].toObject()[u"v"_s].toString();
  EXPECT_EQ(japanese.size(), 32767);
  EXPECT_EQ(japanese, rows[1].fullPath().left(32766) + u'…');
  const QString emoji = table[3].toArray()[0].toObject()[u"v"_s].toString();
  EXPECT_EQ(emoji, rows[2].fullPath().left(32765) + u'…');  // the pair at the end goes whole
  // As stored, each "_" of "_x0041_" escaped as "_x005F_", within the library's limit.
  const QString escaped = table[4].toArray()[0].toObject()[u"v"_s].toString();
  EXPECT_LE(escaped.size(), 32767);
  EXPECT_TRUE(escaped.endsWith(u'…'));
  EXPECT_TRUE(
      rows[3].fullPath().startsWith(QString(escaped).replace(u"_x005F_"_s, u"_"_s).chopped(1)));
}

TEST(XlsxListWriter, TheSplitIsAnnounced) {
  EXPECT_EQ(
      sheetsSplitMessage(u"/o/l.xlsx"_s, 2).text,
      u"ファイルを出力しました。\r\n/o/l.xlsx\r\nただし、行数が Excel の 1 シートの上限"
      u"（1,048,576 行）を超えたため、2 枚のシートに分けて出力しました（各シートの先頭行は見出し行です）。"_s);
}

}  // namespace
}  // namespace vek
