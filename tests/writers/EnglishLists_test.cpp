// A list written with the interface in English: its default captions, the totals line, the
// cells that say why a file has no digest, the delivery notes and the comparison states are
// English; the same list in Japanese keeps the texts it always had.
#include <QCryptographicHash>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/settings/InterfaceLanguage.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "writers/ColumnCells.h"
#include "writers/TextListExport.h"
#include "writers/XlsxListWriter.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

// Name, relative path, SHA-256, the delivery check, the state and a totals line.
struct ListOfThree {
  test::TempTree tree;
  QString in;
  FileList list;
  ListOfThree() {
    in = tree.folder(u"in"_s) + u'/';
    tree.file(u"in/a.txt"_s, "hello");
    tree.file(u"in/CON.txt"_s, "reserved");
    list.setSortingEnabled(false);
    add(u"a.txt"_s, CompareState::Same, 0);
    add(u"CON.txt"_s, CompareState::Changed, kSizeChanged | kModifiedChanged);
    add(u"gone.txt"_s, CompareState::Added, 0);  // vanished since it was added: no digest
  }
  void add(const QString& fileName, CompareState state, quint8 changes) {
    FileEntry e;
    e.folder = in;
    FileEntry::splitName(fileName, e.name, e.extension);
    e.rootLength = qint32(in.size());
    e.size = QFileInfo(in + fileName).size();
    e.state = state;
    e.changes = changes;
    list.append(e);
    list.settle();
  }
  QByteArray csv() {
    Settings settings;
    ColumnOptions& c = settings.csv.columns;
    c.chkDir = c.chkExt = c.chkSize = c.chkMakeDate = false;
    c.chkRelPath = c.chkDeliveryCheck = c.chkState = c.totals = true;
    c.hash = HashKind::Sha256;
    test::RecordingInteraction said;
    EXPECT_TRUE(createTextList(tree.path(u"list.csv"_s), list, settings, said, false, QString()));
    return tree.read(u"list.csv"_s);
  }
};

const QByteArray kHelloSha256 = "2cf24dba5fb0a30e26e83b2ac5b9e29e1b161e5c1fa7425e73043362938b9824";

class EnglishLists : public ::testing::Test {
 protected:
  ~EnglishLists() override { installInterfaceLanguage(InterfaceLanguage::Japanese); }
};

TEST_F(EnglishLists, CaptionsCellsAndTotalsAreEnglish) {
  ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English));
  ListOfThree three;
  const QByteArray sha = QCryptographicHash::hash("reserved", QCryptographicHash::Sha256).toHex();
  EXPECT_EQ(three.csv(),
            "File name,Relative path,SHA-256,Warning,State,\r\n"
            "a.txt,a.txt," +
                kHelloSha256 +
                ",,Same,\r\n"
                "CON.txt,CON.txt," +
                sha +
                ",Name reserved by Windows,"
                "\"Changed (size, modified)\",\r\n"
                "gone.txt,gone.txt,(no hash: unreadable),,Added,\r\n"
                "Total,3 files,,,,\r\n");
  EXPECT_EQ(XlsxListWriter::sheetName(QString()), u"List"_s);
  EXPECT_EQ(ColumnCells::nothingSelectedMessage().text, u"No columns are chosen for the output."_s);
}

TEST_F(EnglishLists, JapaneseKeepsItsTexts) {
  ListOfThree three;
  const QByteArray sha = QCryptographicHash::hash("reserved", QCryptographicHash::Sha256).toHex();
  EXPECT_EQ(three.csv(),
            "ファイル名,相対パス,SHA-256,注意,状態,\r\n"
            "a.txt,a.txt," +
                kHelloSha256 +
                ",,同じ,\r\n"
                "CON.txt,CON.txt," +
                sha +
                ",Windowsの予約名,変更（サイズ・更新日付）,\r\n"
                "gone.txt,gone.txt,(読み取れないためハッシュなし),,追加,\r\n"
                "合計,3 件,,,,\r\n");
  EXPECT_EQ(XlsxListWriter::sheetName(QString()), u"リスト"_s);
}

}  // namespace
}  // namespace vek
