// The delivery check's column in every writer: exact bytes, the notes of names that differ
// only in case among all the rows of the list (ticked or not), and the column off by default.
#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/XlsxReadBack.h"
#include "writers/HtmlListExport.h"
#include "writers/TextListExport.h"
#include "writers/XlsxListExport.h"
#include "writers/XmlListExport.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;
using test::RecordingInteraction;
using test::TempTree;

ColumnOptions namesAndChecks() {
  ColumnOptions c;
  c.chkDir = false;
  c.chkExt = false;
  c.chkSize = false;
  c.chkMakeDate = false;
  c.chkDeliveryCheck = true;
  return c;
}

struct Checked {
  TempTree tree;
  FileList list;
  Checked() {
    list.setSortingEnabled(false);
    add(u"/d/"_s, u"plain.txt"_s);
    add(u"/d/"_s, u"Report.txt"_s);
    add(u"/d/"_s, u"con.txt"_s);
    add(u"/d/"_s, u"a:b."_s);
    add(u"/d/"_s, u"report.TXT"_s, false);  // unticked, still a second spelling
  }
  void add(const QString& folder, const QString& fileName, bool ticked = true) {
    FileEntry e;
    e.folder = folder;
    FileEntry::splitName(fileName, e.name, e.extension);
    e.ticked = ticked;
    list.append(e);
    list.settle();
  }
};

TEST(DeliveryCheckColumn, CsvCells) {
  Checked c;
  Settings settings;
  settings.csv.columns = namesAndChecks();
  RecordingInteraction said;
  ASSERT_TRUE(createTextList(c.tree.path(u"list.csv"_s), c.list, settings, said, false, QString()));
  EXPECT_EQ(QString::fromUtf8(c.tree.read(u"list.csv"_s)),
            u"ファイル名,注意,\r\n"
            u"plain.txt,,\r\n"
            u"Report.txt,大文字小文字違いの同名,\r\n"
            u"con.txt,Windowsの予約名,\r\n"
            u"a:b.,Windowsで使えない文字、末尾が点か空白,\r\n"_s);
}

TEST(DeliveryCheckColumn, XmlElementWithItsName) {
  Checked c;
  Settings settings;
  settings.xml.columns = namesAndChecks();
  RecordingInteraction said;
  ASSERT_TRUE(createXmlList(c.tree.path(u"list.xml"_s), c.list, settings, said, PathStyle::Posix));
  EXPECT_EQ(QString::fromUtf8(c.tree.read(u"list.xml"_s)),
            u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<root>"
            u"<fileinfo Index=\"1\"><name>plain.txt</name><check></check><date></date></fileinfo>"
            u"<fileinfo Index=\"2\"><name>Report.txt</name><check>大文字小文字違いの同名</check>"
            u"<date></date></fileinfo>"
            u"<fileinfo Index=\"3\"><name>con.txt</name><check>Windowsの予約名</check>"
            u"<date></date></fileinfo>"
            u"<fileinfo Index=\"4\"><name>a:b.</name>"
            u"<check>Windowsで使えない文字、末尾が点か空白</check><date></date></fileinfo>"
            u"</root>\r\n"_s);
  settings.elementNames.deliveryCheck = u"caution"_s;
  ASSERT_TRUE(createXmlList(c.tree.path(u"list.xml"_s), c.list, settings, said, PathStyle::Posix));
  EXPECT_TRUE(c.tree.read(u"list.xml"_s).contains("<caution>"));
}

TEST(DeliveryCheckColumn, HtmlCaptionAndCells) {
  Checked c;
  Settings settings;
  settings.html.columns = namesAndChecks();
  RecordingInteraction said;
  ASSERT_TRUE(createHtmlList(c.tree.path(u"list.html"_s), c.list, settings, said, u"t"_s,
                             PathStyle::Posix));
  const QString page = QString::fromUtf8(c.tree.read(u"list.html"_s));
  EXPECT_TRUE(page.contains(u">注意</"_s)) << page.toStdString();
  EXPECT_TRUE(page.contains(u">Windowsの予約名</"_s)) << page.toStdString();
}

TEST(DeliveryCheckColumn, WorkbookCellsEqualTheCsvs) {
  Checked c;
  Settings settings;
  settings.csv.columns = namesAndChecks();
  RecordingInteraction said;
  ASSERT_TRUE(createTextList(c.tree.path(u"list.csv"_s), c.list, settings, said, false, QString(),
                             TextListChoices{ListEncoding::Utf8, false},
                             ReplacedRowsReport::EveryRow));
  ASSERT_TRUE(createXlsxList(c.tree.path(u"book.xlsx"_s), c.list, settings, said, u"t"_s));
  const test::XlsxReadBack back =
      test::compareXlsxWithCsv(c.tree.path(u"book.xlsx"_s), c.tree.path(u"list.csv"_s));
  EXPECT_TRUE(back.matches) << back.difference.toStdString();
}

}  // namespace
}  // namespace vek
