// The relative-path and digest columns and the checksum file in every writer, exported from
// real files: exact bytes, a cancel that keeps the old list, and the notice about files that
// got no digest.
#include <QFile>
#include <QFileInfo>

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

const QByteArray kHelloSha256 = "2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824";
const QByteArray kAwkwardSha256 =
    "8ee41686ee634498f333dd8f953f4b42d8af7222d99465fc91903aed73bcac05";

ColumnOptions namesWithDelivery(HashKind hash, bool checksumFile = false) {
  ColumnOptions c;
  c.chkDir = 0;
  c.chkExt = 0;
  c.chkSize = 0;
  c.chkMakeDate = 0;
  c.chkRelPath = true;
  c.hash = hash;
  c.checksumFile = checksumFile;
  return c;
}

struct Delivery {
  TempTree tree;
  QString in;
  FileList list;
  Delivery() {
    in = tree.folder(u"in"_s) + u'/';
    tree.file(u"in/a.txt"_s, "hello");
    tree.file(u"in/sub/x, \"y\".txt"_s, "awkward");
    list.setSortingEnabled(false);
    add(in, u"a.txt"_s);
    add(in + u"sub/"_s, u"x, \"y\".txt"_s);
    add(in + u"sub/"_s, u"gone.txt"_s);  // vanished since it was added
  }
  void add(const QString& folder, const QString& fileName, bool ticked = true) {
    FileEntry e;
    e.folder = folder;
    FileEntry::splitName(fileName, e.name, e.extension);
    e.rootLength = qint32(in.size());
    e.size = QFileInfo(folder + fileName).size();
    e.ticked = ticked;
    list.append(e);
    list.settle();
  }
};

TEST(DeliveryColumns, CsvCellsChecksumFileAndTheNotice) {
  Delivery d;
  d.add(d.in, u"unticked.txt"_s, false);
  Settings settings;
  settings.csv.columns = namesWithDelivery(HashKind::Sha256, true);
  RecordingInteraction said;
  const QString path = d.tree.path(u"list.csv"_s);
  ASSERT_TRUE(createTextList(path, d.list, settings, said, false, QString()));
  EXPECT_EQ(d.tree.read(u"list.csv"_s),
            "\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab\xe5\x90\x8d,"  // ファイル名
            "\xe7\x9b\xb8\xe5\xaf\xbe\xe3\x83\x91\xe3\x82\xb9,SHA-256,\r\n"  // 相対パス
            "a.txt,a.txt," +
                kHelloSha256 +
                ",\r\n"
                "\"x, \"\"y\"\".txt\",\"sub/x, \"\"y\"\".txt\"," +
                kAwkwardSha256 +
                ",\r\n"
                "gone.txt,sub/gone.txt," +
                u"(読み取れないためハッシュなし)"_s.toUtf8() + ",\r\n");
  EXPECT_EQ(d.tree.read(u"list.sha256"_s),
            kHelloSha256 + "  a.txt\n" + kAwkwardSha256 + "  sub/x, \"y\".txt\n");
  ASSERT_EQ(said.messages.size(), 1u);
  EXPECT_TRUE(
      said.messages[0].text.startsWith(u"1 個のファイルはハッシュ値を計算できませんでした。"_s));
  EXPECT_TRUE(said.messages[0].text.contains(d.in + u"sub/gone.txt：読み取れません"_s));
}

TEST(DeliveryColumns, XmlElementsWithTheirNames) {
  Delivery d;
  Settings settings;
  settings.xml.columns = namesWithDelivery(HashKind::Md5);
  settings.elementNames.hash = u"md5"_s;
  RecordingInteraction said;
  ASSERT_TRUE(createXmlList(d.tree.path(u"list.xml"_s), d.list, settings, said, PathStyle::Posix));
  EXPECT_EQ(d.tree.read(u"list.xml"_s),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<root>"
            "<fileinfo Index=\"1\"><name>a.txt</name><relpath>a.txt</relpath>"
            "<md5>5d41402abc4b2a76b9719d911017c592</md5><date></date></fileinfo>"
            "<fileinfo Index=\"2\"><name>x, \"y\".txt</name><relpath>sub/x, \"y\".txt</relpath>"
            "<md5>a6e57e953d1b184fd389c1363b700441</md5><date></date></fileinfo>"
            "<fileinfo Index=\"3\"><name>gone.txt</name><relpath>sub/gone.txt</relpath><md5>" +
                u"(読み取れないためハッシュなし)"_s.toUtf8() +
                "</md5><date></date></fileinfo></root>\r\n");
  EXPECT_FALSE(QFile::exists(d.tree.path(u"list.md5"_s)));
  // A bad element name stops the export before any file is read or written.
  settings.elementNames.hash = u"1bad"_s;
  EXPECT_FALSE(
      createXmlList(d.tree.path(u"other.xml"_s), d.list, settings, said, PathStyle::Posix));
  EXPECT_FALSE(QFile::exists(d.tree.path(u"other.xml"_s)));
}

TEST(DeliveryColumns, HtmlCellsAndCaptions) {
  Delivery d;
  Settings settings;
  settings.html.columns = namesWithDelivery(HashKind::Sha1);
  RecordingInteraction said;
  ASSERT_TRUE(createHtmlList(d.tree.path(u"list.html"_s), d.list, settings, said, u"t"_s,
                             PathStyle::Posix));
  const QString page = QString::fromUtf8(d.tree.read(u"list.html"_s));
  EXPECT_TRUE(page.contains(u">相対パス</"_s)) << page.toStdString();
  EXPECT_TRUE(page.contains(u">SHA-1</"_s)) << page.toStdString();
  EXPECT_TRUE(page.contains(u">sub/x, &quot;y&quot;.txt</"_s)) << page.toStdString();
  EXPECT_TRUE(page.contains(u">aaf4c61ddcc5e8a2dabede0f3b482cd9aea9434d</"_s))
      << page.toStdString();
}

TEST(DeliveryColumns, CancelKeepsTheOldListAndWritesNoChecksumFile) {
  TempTree tree;
  const QString big = tree.file(u"big.bin"_s, QByteArray(8 * 1024 * 1024, 'b'));
  FileList list;
  list.setSortingEnabled(false);
  for (int i = 0; i < 500; ++i) {
    FileEntry e;
    e.folder = tree.root() + u'/';
    e.name = u"big"_s;
    e.extension = u".bin"_s;
    e.size = 8 * 1024 * 1024;
    list.append(e);
  }
  list.settle();
  tree.file(u"list.csv"_s, "the old list");
  Settings settings;
  settings.csv.columns.hash = HashKind::Sha256;
  settings.csv.columns.checksumFile = true;
  RecordingInteraction said;
  said.cancelAfterUpdates = 0;
  EXPECT_FALSE(createTextList(tree.path(u"list.csv"_s), list, settings, said, false, QString()));
  EXPECT_EQ(tree.read(u"list.csv"_s), "the old list");
  EXPECT_FALSE(QFile::exists(tree.path(u"list.sha256"_s)));
  EXPECT_TRUE(said.messages.empty());  // the person asked for it: no error box
  EXPECT_FALSE(said.progressOpen);
}

// The workbook holds the same relative-path and digest cells as the CSV of the same list (read
// back by openpyxl), with its checksum file beside it.
TEST(DeliveryColumns, WorkbookCellsEqualTheCsvs) {
  Delivery d;
  Settings settings;
  settings.csv.columns = namesWithDelivery(HashKind::Sha256, true);
  RecordingInteraction said;
  ASSERT_TRUE(createTextList(d.tree.path(u"list.csv"_s), d.list, settings, said, false, QString(),
                             TextListChoices{ListEncoding::Utf8, false},
                             ReplacedRowsReport::EveryRow));
  ASSERT_TRUE(createXlsxList(d.tree.path(u"book.xlsx"_s), d.list, settings, said, u"t"_s));
  const test::XlsxReadBack back =
      test::compareXlsxWithCsv(d.tree.path(u"book.xlsx"_s), d.tree.path(u"list.csv"_s));
  EXPECT_TRUE(back.matches) << back.difference.toStdString();
  EXPECT_EQ(d.tree.read(u"book.sha256"_s), d.tree.read(u"list.sha256"_s));
  EXPECT_TRUE(d.tree.read(u"list.csv"_s).contains(kHelloSha256));
}

}  // namespace
}  // namespace vek
