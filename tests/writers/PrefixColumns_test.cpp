// The prefix replacement in every writer: the path and folder columns, file addresses and
// links read as the Windows share, rows outside the prefix as they are, and the checksum file
// with the real relative paths, so it still verifies.
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

struct Share {
  TempTree tree;
  QString share;
  FileList list;
  Share() {
    share = tree.folder(u"share"_s);
    tree.folder(u"share2"_s);
    tree.file(u"share/d/a b.txt"_s, "hello");
    tree.file(u"share2/c.txt"_s, "other");
    list.setSortingEnabled(false);
    add(share + u"/d/"_s, u"a b.txt"_s, share.size() + 1);
    // Beside the share: not replaced.
    add(tree.root() + u"/share2/"_s, u"c.txt"_s, tree.root().size() + 8);
  }
  void add(const QString& folder, const QString& name, qsizetype rootLength) {
    FileEntry e;
    e.folder = folder;
    FileEntry::splitName(name, e.name, e.extension);
    e.rootLength = qint32(rootLength);
    e.size = QFileInfo(folder + name).size();
    e.ticked = true;
    list.append(e);
    list.settle();
  }
  ColumnOptions columns(bool address) const {
    ColumnOptions c;
    c.chkPath = true;
    c.chkPathType = address;
    c.chkFile = c.chkExt = c.chkSize = c.chkMakeDate = false;
    c.prefix = {share, u"\\\\nas\\share"_s, true};
    return c;
  }
};

TEST(PrefixColumns, CsvFoldersAndPathsReplacedChecksumFileKept) {
  Share s;
  Settings settings;
  settings.csv.columns = s.columns(false);
  settings.csv.columns.checksumFile = true;
  settings.csv.crLfType = LineBreak::Lf;
  RecordingInteraction said;
  ASSERT_TRUE(createTextList(s.tree.path(u"list.csv"_s), s.list, settings, said, false, {}));
  const QString other = s.tree.root() + u"/share2"_s;
  EXPECT_EQ(QString::fromUtf8(s.tree.read(u"list.csv"_s)),
            u"フルパス,ディレクトリ,\n"
            "\\\\nas\\share\\d\\a b.txt,\\\\nas\\share\\d,\n"_s +
                other + u"/c.txt,"_s + other + u",\n"_s);
  // The checksum file names the files as they are below the input folder.
  const QByteArray sums = s.tree.read(u"list.sha256"_s);
  EXPECT_TRUE(sums.contains("  share/d/a b.txt\n") && sums.endsWith("  share2/c.txt\n") &&
              !sums.contains("nas"))
      << sums.toStdString();

  // The address form: the share as a host, "/" between names whatever the "/ → \" choice.
  settings.csv.columns = s.columns(true);
  ASSERT_TRUE(createTextList(s.tree.path(u"list.csv"_s), s.list, settings, said, false, {}));
  EXPECT_TRUE(QString::fromUtf8(s.tree.read(u"list.csv"_s))
                  .contains(u"\nfile://nas/share/d/a b.txt,\\\\nas\\share\\d,\n"_s));
  // Shortened folder forms are left as they are.
  settings.csv.columns.optDirType = DirType::LastName;
  ASSERT_TRUE(createTextList(s.tree.path(u"list.csv"_s), s.list, settings, said, false, {}));
  EXPECT_TRUE(
      QString::fromUtf8(s.tree.read(u"list.csv"_s)).contains(u"file://nas/share/d/a b.txt,d,\n"_s));
}

TEST(PrefixColumns, HtmlLinksXmlAndWorkbookLinks) {
  Share s;
  Settings settings;
  settings.html.columns = s.columns(false);
  settings.html.columns.chkFile = true;
  settings.html.fileLink = true;
  RecordingInteraction said;
  ASSERT_TRUE(createHtmlList(s.tree.path(u"list.html"_s), s.list, settings, said, u"t"_s,
                             PathStyle::Posix));
  const QString page = QString::fromUtf8(s.tree.read(u"list.html"_s));
  EXPECT_TRUE(page.contains(u"<A HREF='file://nas/share/d/a%20b.txt'>a b.txt</A>"_s))
      << page.toStdString();
  EXPECT_TRUE(page.contains(u">\\\\nas\\share\\d</TD>"_s)) << page.toStdString();

  settings.xml.columns = s.columns(true);
  ASSERT_TRUE(createXmlList(s.tree.path(u"list.xml"_s), s.list, settings, said, PathStyle::Posix));
  EXPECT_TRUE(s.tree.read(u"list.xml"_s)
                  .contains("<fullpath>file://nas/share/d/a b.txt</fullpath>"
                            "<path>\\\\nas\\share\\d</path>"));

  settings.csv.columns = s.columns(true);
  ASSERT_TRUE(createXlsxList(s.tree.path(u"list.xlsx"_s), s.list, settings, said, u"t"_s));
  const QJsonArray sheets = test::readXlsxCells(s.tree.path(u"list.xlsx"_s));
  ASSERT_EQ(sheets.size(), 1);
  const QJsonObject cell = sheets[0][u"rows"_s][1][0].toObject();
  EXPECT_EQ(cell[u"v"_s].toString(), u"file://nas/share/d/a b.txt"_s);
  EXPECT_EQ(cell[u"link"_s].toString(), u"file://nas/share/d/a%20b.txt"_s);
  EXPECT_EQ(sheets[0][u"rows"_s][1][1][u"v"_s].toString(), u"\\\\nas\\share\\d"_s);
}

}  // namespace
}  // namespace vek
