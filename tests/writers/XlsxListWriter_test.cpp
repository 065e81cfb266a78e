// The workbook writer, read back with openpyxl and compared cell by cell with the CSV of the
// same list.
#include "writers/XlsxListWriter.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "support/ExampleRows.h"
#include "support/FailDevice.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/ThreadStarters.h"
#include "support/XlsxReadBack.h"
#include "writers/TextListWriter.h"
#include "writers/WorkbookCompression.h"
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
  const Pair pair = writeBoth(tree, settings, rows, u"a/b[1]:*?"_s, 5);
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

// libxlsxwriter deflates at zlib's default level, which took half of a long list's write; the
// parts of Vek's workbooks are deflated at the fastest level instead.
TEST(XlsxListWriter, EveryPartIsDeflatedAtTheFastestLevel) {
  test::TempTree tree;
  const Pair pair = writeBoth(tree, Settings(), {ExampleRow(u"/d/"_s, u"a.txt"_s)});
  ASSERT_TRUE(pair.readBack.matches) << pair.readBack.difference.toStdString();
  const QJsonObject levels = pair.readBack.facts[u"levels"_s].toObject();
  EXPECT_TRUE(levels.contains(u"xl/worksheets/sheet1.xml"_s));
  for (auto part = levels.begin(); part != levels.end(); ++part)
    EXPECT_EQ(part.value().toInt(), 3) << part.key().toStdString();  // "super fast"
}

// The sheet is deflated in pieces on the machine's cores and the cells are made beside the
// library: the sheet is the same byte for byte however many threads there were.
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
  ASSERT_GT(several.size(), 40000);  // many pieces of 256 KB before deflating
  test::NoThreads noThreads;
  EXPECT_EQ(sheet(bytes()), several);
}

// The lower level and the deflated temporary files are Vek's workbook writes' own: the
// library used outside them keeps its default level and its own temporary files. Minizip
// marks the level in each part's local header, the first at offset 6.
TEST(XlsxListWriter, OtherWorkbooksKeepTheLibrarysLevel) {
  test::TempTree tree;
  const QByteArray path = QFile::encodeName(tree.path(u"plain.xlsx"_s));
  EXPECT_FALSE(FastWorkbookCompression::active());
  // Its temporary files are real files, as the library makes them.
  FILE* temporary = lxw_tmpfile(nullptr);
  ASSERT_NE(temporary, nullptr);
  EXPECT_GE(fileno(temporary), 0);
  std::fclose(temporary);
  lxw_workbook* workbook = workbook_new(path.constData());
  ASSERT_NE(workbook, nullptr);
  worksheet_write_string(workbook_add_worksheet(workbook, nullptr), 0, 0, "a", nullptr);
  ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);
  const QByteArray bytes = tree.read(u"plain.xlsx"_s);
  ASSERT_GT(bytes.size(), 8);
  ASSERT_TRUE(bytes.startsWith("PK\x03\x04"));
  EXPECT_EQ((quint8(bytes[6]) >> 1) & 3, 0);
}

TEST(XlsxListWriter, SheetNamesExcelAccepts) {
  const std::pair<QString, QString> cases[] = {
      {u"/home/user/写真/"_s, u"写真"_s},
      {u"/"_s, u"_"_s},
      {u"C:\\data\\"_s, u"data"_s},
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
// return: a temporary folder that cannot take them (a full disk) must fail the workbook, never
// give one with the sheet cut off. The sheet's rows are kept deflated there, so a folder that
// takes the deflated rows takes the workbook; a failed workbook leaves nothing behind that
// would touch the next one.
TEST(XlsxListWriter, TemporaryFilesThatCannotGrowNeverGiveACutSheet) {
  std::vector<FileEntry> rows;
  for (int i = 0; i < 12000; ++i)
    rows.push_back(ExampleRow(u"/d/"_s + QString::number(i / 100) + u"/"_s,
                              u"報告書 "_s + QString::number(i) + u".txt"_s)
                       .withSize(qint64(i) * 977)
                       .withModifiedDate());
  for (const rlim_t limit : {rlim_t(16 * 1024), rlim_t(1024 * 1024)}) {
    test::TempTree tree;
    XlsxListWriter xlsx(Settings(), u"t"_s, PathStyle::Posix, kJapanese);
    QBuffer book;
    book.open(QIODevice::WriteOnly);
    bool written = false;
    {
      test::FileSizeLimit full(limit);
      ASSERT_TRUE(full.isSet());
      written = xlsx.write(book, rows);
    }
    // About 3.6 MB of rows as the library prints them, about 0.3 MB deflated.
    EXPECT_EQ(written, limit > 512 * 1024) << limit;
    if (!written) {
      EXPECT_EQ(xlsx.errorString(), u"File too large"_s) << limit;
      continue;
    }
    tree.file(u"list.xlsx"_s, book.data());
    TextListWriter csv(Settings(), false, u","_s, TextListChoices{ListEncoding::Utf8, false},
                       PathStyle::Posix, kJapanese);
    QFile text(tree.path(u"list.csv"_s));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    ASSERT_TRUE(csv.write(text, rows));
    text.close();
    const auto readBack = test::compareXlsxWithCsv(tree.path(u"list.xlsx"_s), text.fileName());
    EXPECT_TRUE(readBack.matches) << limit << ": " << readBack.difference.toStdString();
  }
}

TEST(XlsxListWriter, TheSplitIsAnnounced) {
  EXPECT_EQ(
      sheetsSplitMessage(u"/o/l.xlsx"_s, 2).text,
      u"ファイルを出力しました。\r\n/o/l.xlsx\r\nただし、行数が Excel の 1 シートの上限"
      u"（1,048,576 行）を超えたため、2 枚のシートに分けて出力しました（各シートの先頭行は見出し行です）。"_s);
}

}  // namespace
}  // namespace vek
