// Totals and subtotal lines in every writer: exact bytes, the shape of the line for any choice
// of columns, subtotals that stay right across the blocks the text writer makes in parallel,
// and the workbook's formulas read back with their cached values.
#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"
#include "support/XlsxReadBack.h"
#include "writers/HtmlListWriter.h"
#include "writers/TextListWriter.h"
#include "writers/TotalLine.h"
#include "writers/XlsxListWriter.h"
#include "writers/XmlListWriter.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const TextCodec kUtf8("UTF-8");
using test::ExampleRow;
using test::listOf;

// Folder, name and size (in KB with the unit); totals on; subtotals at each folder change.
ColumnOptions folderNameSize(bool subtotals) {
  ColumnOptions c;
  c.chkExt = c.chkMakeDate = false;
  c.totals = true;
  c.subtotals = subtotals;
  if (subtotals) {
    c.optHeadInsert = HeadInsert::On;
    c.optHeadInsertType = HeadInsertAt::FolderChange;
  }
  return c;
}

// Two folders: 1025 + 1 bytes in /d/a (and an unticked row), 2048 bytes in /d/b. The rows'
// cells round up to 2 KB + 1 KB; the folder's exact 1026 bytes are 2 KB.
std::vector<FileEntry> twoFolders() {
  return {ExampleRow(u"/d/a/"_s, u"x.txt"_s).withSize(1025),
          ExampleRow(u"/d/a/"_s, u"skip.txt"_s).withSize(999999).unticked(),
          ExampleRow(u"/d/a/"_s, u"y.txt"_s).withSize(1),
          ExampleRow(u"/d/b/"_s, u"z.txt"_s).withSize(2048)};
}

std::string csv(const ColumnOptions& columns, const std::vector<FileEntry>& rows,
                bool textType = false, const QString& separator = u","_s) {
  Settings settings;
  settings.csv.columns = columns;
  settings.csv.crLfType = LineBreak::Lf;
  TextListWriter writer(settings, textType, separator, kUtf8, PathStyle::Posix, kJapanese);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(writer.write(buffer, rows)) << writer.errorString().toStdString();
  return buffer.data().toStdString();
}

TEST(Totals, CsvTotalsAndSubtotalsExactBytes) {
  EXPECT_EQ(csv(folderNameSize(true), twoFolders()),
            "ディレクトリ,ファイル名,ファイルサイズ,\n"
            "/d/a,x.txt,2 KB,\n"
            "/d/a,y.txt,1 KB,\n"
            "小計,2 件,2 KB,\n"
            "\n"
            "/d/b,z.txt,2 KB,\n"
            "小計,1 件,2 KB,\n"
            "合計,3 件,4 KB,\n");
  // Without the insertion at folder changes there is nothing to subtotal.
  ColumnOptions everyN = folderNameSize(true);
  everyN.optHeadInsertType = HeadInsertAt::EveryInterval;
  everyN.valHeadInterval = 100;
  EXPECT_EQ(csv(everyN, twoFolders()),
            "ディレクトリ,ファイル名,ファイルサイズ,\n\n"
            "/d/a,x.txt,2 KB,\n/d/a,y.txt,1 KB,\n/d/b,z.txt,2 KB,\n"
            "合計,3 件,4 KB,\n");
}

TEST(Totals, LineShapeForEveryChoiceOfColumns) {
  struct Case {
    const char* what;
    void (*choose)(ColumnOptions&);
    const char* line;
  };
  const Case cases[] = {
      {"name and size: caption and count share the cell",
       [](ColumnOptions& c) { c.chkDir = false; }, "合計 3 件,4 KB,\n"},
      {"size first", [](ColumnOptions& c) { c.chkDir = c.chkFile = false, c.chkPath = true; },
       "合計 3 件,4 KB,\n"},
      {"size alone", [](ColumnOptions& c) { c.chkDir = c.chkFile = false; }, "4 KB,\n"},
      {"no size", [](ColumnOptions& c) { c.chkSize = false; }, "合計,3 件,\n"},
      {"bytes without unit",
       [](ColumnOptions& c) {
         c.optSizeType = SizeUnit::Bytes;
         c.chkAddUnit = false;
       },
       "合計,3 件, 3074,\n"},
      {"megabytes", [](ColumnOptions& c) { c.optSizeType = SizeUnit::Megabytes; },
       "合計,3 件,0.0 MB,\n"},
      {"type column stays empty", [](ColumnOptions& c) { c.chkExt = true; }, "合計,3 件,,4 KB,\n"},
  };
  for (const Case& c : cases) {
    ColumnOptions columns = folderNameSize(false);
    c.choose(columns);
    const std::string out = csv(columns, twoFolders());
    EXPECT_TRUE(out.ends_with(std::string("\n") + c.line)) << c.what << "\n" << out;
  }
  // A text file separates the totals as it separates the rows, unquoted.
  ColumnOptions columns = folderNameSize(false);
  EXPECT_TRUE(csv(columns, twoFolders(), true, u" | "_s).ends_with("\n合計 | 3 件 | 4 KB | \n"));
}

TEST(Totals, CsvTotalOfNothingAndOfHugeSizes) {
  // No ticked row: the totals still say so.
  EXPECT_EQ(csv(folderNameSize(true), {ExampleRow(u"/d/"_s, u"a"_s).unticked()}),
            "ディレクトリ,ファイル名,ファイルサイズ,\n合計,0 件,0 KB,\n");
  // Sizes are summed as whole bytes: no float rounding near the top of the 64-bit range.
  ColumnOptions bytes = folderNameSize(false);
  bytes.optSizeType = SizeUnit::Bytes;
  const qint64 big = qint64(1) << 62;
  EXPECT_TRUE(csv(bytes, {ExampleRow(u"/d/"_s, u"a"_s).withSize(big),
                          ExampleRow(u"/d/"_s, u"b"_s).withSize(big - 1)})
                  .ends_with("合計,2 件, 9223372036854775807 Byte,\n"));
}

TEST(Totals, SubtotalsAcrossTheWritersBlocks) {
  // The text writer makes its lines in blocks of rows on several threads: a folder that runs
  // over a block's end is still subtotalled whole.
  std::vector<FileEntry> rows;
  for (int folder = 0; folder < 4; ++folder) {
    for (int i = 0; i < 3001; ++i) {
      ExampleRow row(u"/f"_s + QString::number(folder) + u'/', QString::number(i));
      row.withSize(1);
      if (i == 1500) row.unticked();
      rows.push_back(row);
    }
  }
  ColumnOptions columns = folderNameSize(true);
  columns.chkDir = false;
  columns.optSizeType = SizeUnit::Bytes;
  const std::string out = csv(columns, rows);
  std::string subtotals;
  for (std::size_t at = 0; (at = out.find("小計", at)) != std::string::npos; ++at)
    subtotals += out.substr(at, out.find('\n', at) - at + 1);
  EXPECT_EQ(subtotals,
            "小計 3000 件, 3000 Byte,\n小計 3000 件, 3000 Byte,\n"
            "小計 3000 件, 3000 Byte,\n小計 3000 件, 3000 Byte,\n");
  EXPECT_TRUE(out.ends_with("小計 3000 件, 3000 Byte,\n合計 12000 件, 12000 Byte,\n"));
}

TEST(Totals, HtmlTotalsRowInTheFooterAndSubtotalRows) {
  Settings settings;
  settings.html.columns = folderNameSize(true);
  const ColumnCells cells(settings.html.columns, SizeStyle::Grouped,
                          ColumnCells::dateFormatter(settings), PathStyle::Posix, kJapanese);
  HtmlListWriter writer(settings.html, cells, cells.captions(settings), u"t"_s, PathStyle::Posix);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  auto encoder = kUtf8.makeEncoder(Unmappable::DecimalReference);
  ASSERT_TRUE(writer.write(buffer, *encoder, listOf(twoFolders())));
  const QByteArray page = buffer.data();
  const QByteArray head = "<TD bgcolor = #BBBBFF>";
  const QByteArray header = "<TR>" + head + "ディレクトリ</TD>" + head + "ファイル名</TD>" + head +
                            "ファイルサイズ</TD></TR>\r\r\n";
  const QByteArray rowA = "<TD bgcolor = #FFFFCE>";
  const QByteArray rowB = "<TD bgcolor = #FFCECE>";
  EXPECT_TRUE(page.contains(
      QByteArray("<TABLE BORDER=1>\r\r\n" + header +                                          //
                 "<TR>" + rowA + "/d/a</TD>" + rowA + "x.txt</TD>" + rowA.chopped(1) +        //
                 " align=right>2 KB</TD></TR>\r\r\n" +                                        //
                 "<TR>" + rowB + "/d/a</TD>" + rowB + "y.txt</TD>" + rowB.chopped(1) +        //
                 " align=right>1 KB</TD></TR>\r\r\n" +                                        //
                 "<TR>" + head + "小計</TD>" + head + "2 件</TD>" + head.chopped(1) +         //
                 " align=right>2 KB</TD></TR>\r\r\n" + header +                               //
                 "<TR>" + rowA + "/d/b</TD>" + rowA + "z.txt</TD>" + rowA.chopped(1) +        //
                 " align=right>2 KB</TD></TR>\r\r\n" +                                        //
                 "<TR>" + head + "小計</TD>" + head + "1 件</TD>" + head.chopped(1) +         //
                 " align=right>2 KB</TD></TR>\r\r\n" +                                        //
                 "<TFOOT><TR>" + head + "合計</TD>" + head + "3 件</TD>" + head.chopped(1) +  //
                 " align=right>4 KB</TD></TR></TFOOT>\r\r\n</TABLE>\r\r\n")))
      << page.toStdString();
}

TEST(Totals, XmlTotalsElementAfterTheFiles) {
  Settings settings;
  settings.xml.columns = folderNameSize(false);
  settings.xml.columns.chkDir = false;
  const ColumnCells cells(settings.xml.columns, SizeStyle::Plain,
                          ColumnCells::dateFormatter(settings), PathStyle::Posix, kJapanese);
  for (const bool withSize : {true, false}) {
    ColumnOptions columns = settings.xml.columns;
    columns.chkSize = withSize;
    const ColumnCells cells(columns, SizeStyle::Plain, ColumnCells::dateFormatter(settings),
                            PathStyle::Posix, kJapanese);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    XmlListWriter writer(buffer, XmlCharset::Utf8, u"\n"_s, settings.elementNames);
    ASSERT_TRUE(writer.writeList(listOf(twoFolders()), cells, true));
    const QByteArray size = withSize ? "<size>4 KB</size>\n" : "";
    EXPECT_TRUE(buffer.data().endsWith(
        QByteArray("</fileinfo>\n<totals>\n<count>3</count>\n" + size + "</totals>\n</root>\n")))
        << buffer.data().toStdString();
  }
}

TEST(Totals, WorkbookFormulasWithCachedValuesOverSplitSheets) {
  test::TempTree tree;
  Settings settings;
  settings.csv.columns = folderNameSize(true);
  std::vector<FileEntry> rows = twoFolders();
  rows.push_back(ExampleRow(u"/d/b/"_s, u"w.txt"_s).withSize(10));
  XlsxListWriter writer(settings, u"Its"_s, PathStyle::Posix, kJapanese);
  writer.setSheetRows(4);  // folder b runs over onto the second sheet
  QFile book(tree.path(u"list.xlsx"_s));
  ASSERT_TRUE(book.open(QIODevice::WriteOnly));
  ASSERT_TRUE(writer.write(book, rows)) << writer.errorString().toStdString();
  book.close();
  ASSERT_EQ(writer.sheetCount(), 2);
  const QJsonArray sheets = test::readXlsxCells(book.fileName());
  ASSERT_EQ(sheets.size(), 2);
  auto cell = [&](int sheet, int row, int column) {
    return sheets[sheet][u"rows"_s][row][column].toObject();
  };
  // Sheet 1: header, x, y, subtotal of a, blank; sheet 2: header, z, w, subtotal, total.
  EXPECT_EQ(cell(0, 3, 0)[u"v"_s].toString(), u"小計"_s);
  EXPECT_EQ(cell(0, 3, 1)[u"f"_s].toString(), u"=SUBTOTAL(2,'Its'!C2:C3)"_s);
  EXPECT_EQ(cell(0, 3, 1)[u"v"_s].toInt(), 2);
  EXPECT_EQ(cell(0, 3, 1)[u"fmt"_s].toString(), u"0\\ \\件"_s);
  EXPECT_EQ(cell(0, 3, 2)[u"f"_s].toString(), u"=SUBTOTAL(9,'Its'!C2:C3)"_s);
  // The cached value is what the cells add up to (2 KB + 1 KB), as a reader recalculates it.
  EXPECT_EQ(cell(0, 3, 2)[u"v"_s].toInt(), 3);
  EXPECT_TRUE(cell(0, 3, 2)[u"bold"_s].toBool());
  EXPECT_EQ(cell(1, 1, 1)[u"v"_s].toString(), u"z.txt"_s);
  EXPECT_EQ(cell(1, 3, 2)[u"f"_s].toString(), u"=SUBTOTAL(9,'Its (2)'!C2:C3)"_s);
  EXPECT_EQ(cell(1, 3, 2)[u"v"_s].toInt(), 3);
  EXPECT_EQ(cell(1, 4, 0)[u"v"_s].toString(), u"合計"_s);
  EXPECT_EQ(cell(1, 4, 1)[u"f"_s].toString(), u"=SUBTOTAL(2,'Its'!C2:C3,'Its (2)'!C2:C3)"_s);
  EXPECT_EQ(cell(1, 4, 1)[u"v"_s].toInt(), 4);
  EXPECT_EQ(cell(1, 4, 2)[u"f"_s].toString(), u"=SUBTOTAL(9,'Its'!C2:C3,'Its (2)'!C2:C3)"_s);
  EXPECT_EQ(cell(1, 4, 2)[u"v"_s].toInt(), 6);
  // The auto-filter takes the rows and subtotals, not the totals row.
  EXPECT_EQ(sheets[1][u"filter"_s].toString(), u"A1:C4"_s);
}

}  // namespace
}  // namespace vek
