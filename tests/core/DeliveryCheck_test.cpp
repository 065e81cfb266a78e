// The delivery check: each rule at its edges, the notes, and names that differ only in case.
#include <gtest/gtest.h>

#include "core/DeliveryCheck.h"
#include "core/FileList.h"

using namespace Qt::StringLiterals;
using vek::DeliveryProblems;
using vek::FileEntry;

namespace {

FileEntry row(const QString& folder, const QString& fileName, qint32 rootLength = -1) {
  FileEntry e;
  FileEntry::splitName(fileName, e.name, e.extension);
  e.folder = folder;
  e.rootLength = rootLength;
  return e;
}

}  // namespace

TEST(DeliveryCheck, NamesWindowsOrAMacCannotTake) {
  struct Case {
    QString name;
    DeliveryProblems problems;
  } const cases[] = {
      {u"report.txt"_s, 0},
      {u"議事録 2024年.docx"_s, 0},
      {u".hidden"_s, 0},
      {u"a<b"_s, vek::ForbiddenCharacter},
      {u"a>b"_s, vek::ForbiddenCharacter},
      {u"a:b"_s, vek::ForbiddenCharacter},
      {u"say \"hi\""_s, vek::ForbiddenCharacter},
      {u"a|b"_s, vek::ForbiddenCharacter},
      {u"why?"_s, vek::ForbiddenCharacter},
      {u"*.txt"_s, vek::ForbiddenCharacter},
      {u"back\\slash"_s, vek::ForbiddenCharacter},
      {u"tab\there"_s, vek::ForbiddenCharacter},
      {u"line\nbreak"_s, vek::ForbiddenCharacter},
      {u"\x1f"_s, vek::ForbiddenCharacter},
      {u"del\x7f"_s, 0},  // Windows takes DEL
      {u"end."_s, vek::TrailingDotOrSpace},
      {u"end "_s, vek::TrailingDotOrSpace},
      {u"end. "_s, vek::TrailingDotOrSpace},
      {u"CON"_s, vek::ReservedName},
      {u"con.txt"_s, vek::ReservedName},
      {u"CON .txt"_s, vek::ReservedName},
      {u"Con.tar.gz"_s, vek::ReservedName},
      {u"nul"_s, vek::ReservedName},
      {u"PRN.log"_s, vek::ReservedName},
      {u"aux"_s, vek::ReservedName},
      {u"COM1"_s, vek::ReservedName},
      {u"com9.txt"_s, vek::ReservedName},
      {u"COM¹"_s, vek::ReservedName | vek::NotInWindows31J},
      {u"LPT9"_s, vek::ReservedName},
      {u"COM10"_s, 0},
      {u"COM0"_s, 0},
      {u"LPT10.txt"_s, 0},
      {u"CONSOLE"_s, 0},
      {u"icon.txt"_s, 0},
      {u" CON"_s, 0},
      {u"CON."_s, vek::ReservedName | vek::TrailingDotOrSpace},
      {u"Thumbs.db"_s, vek::HelperFile},
      {u"thumbs.DB"_s, vek::HelperFile},
      {u"desktop.ini"_s, vek::HelperFile},
      {u"Desktop.ini"_s, vek::HelperFile},
      {u".DS_Store"_s, vek::HelperFile},
      {u"._photo.jpg"_s, vek::HelperFile},
      {u"~$見積書.xlsx"_s, vek::HelperFile},
      {u"~report.txt"_s, 0},
      {u"_.txt"_s, 0},
      {u"が.txt"_s, 0},
      {u"か\u3099.txt"_s, vek::Decomposed},  // が written decomposed, as a Mac does
      {u"Cafe\u0301"_s, vek::Decomposed | vek::NotInWindows31J},  // é: not in CP932 either
      {u"ハ\u309Aン.txt"_s, vek::Decomposed},
      {u"x\u0301"_s, vek::NotInWindows31J},  // nothing to compose it with
      {u"①～∥.txt"_s, 0},                    // Windows-31J's own characters
      {u"😀.png"_s, vek::NotInWindows31J},
      {u"한국어"_s, vek::NotInWindows31J},
      {u"\u1112\u1161\u11ab"_s, vek::Decomposed | vek::NotInWindows31J},
      {u"bad\xdc80"_s, vek::NotInWindows31J},  // a byte that was not UTF-8
      {u"é"_s, vek::NotInWindows31J},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vek::nameProblems(c.name), c.problems) << c.name.toStdString();
  }
}

// 259, 260 and 261 units below the add's folder, counted as Windows counts: a character
// beyond the plane is two units; the add's own folder does not count.
TEST(DeliveryCheck, PathsLongerThanWindowsTakes) {
  const QString root = u"/home/taro/納品/"_s;
  const auto relativeOf = [&](qsizetype units) {
    const QString folder = root + u"sub/"_s;
    return row(folder, QString(units - 8, u'x') + u".txt"_s, qint32(root.size()));
  };
  EXPECT_EQ(vek::rowProblems(relativeOf(259)), 0);
  EXPECT_EQ(vek::rowProblems(relativeOf(260)), 0);
  EXPECT_EQ(vek::rowProblems(relativeOf(261)), vek::LongPath);
  // A file of its own folder (a drop, a current-folder add): its name alone.
  EXPECT_EQ(vek::rowProblems(row(root, QString(256, u'a') + u".txt"_s)), 0);
  EXPECT_EQ(vek::rowProblems(row(root, QString(257, u'a') + u".txt"_s)), vek::LongPath);
  QString pairs;
  for (int i = 0; i < 130; ++i) pairs += u"😀"_s;
  EXPECT_EQ(vek::rowProblems(row(root, pairs)), vek::NotInWindows31J);
  EXPECT_EQ(vek::rowProblems(row(root, pairs + u"a"_s)), vek::NotInWindows31J | vek::LongPath);
}

TEST(DeliveryCheck, NotesAreJoinedInOneOrder) {
  EXPECT_EQ(vek::deliveryNote(0), QString());
  EXPECT_EQ(vek::deliveryNote(vek::ReservedName), u"Windowsの予約名"_s);
  EXPECT_EQ(vek::deliveryNote(vek::CaseClash | vek::ForbiddenCharacter),
            u"Windowsで使えない文字、大文字小文字違いの同名"_s);
  EXPECT_EQ(vek::deliveryNote(vek::HelperFile), u"OS・Officeの管理ファイル"_s);
}

TEST(DeliveryCheck, NamesOfOneFolderThatDifferOnlyInCase) {
  const std::vector<FileEntry> rows = {
      row(u"/a/"_s, u"Report.txt"_s), row(u"/a/"_s, u"report.TXT"_s),
      row(u"/b/"_s, u"report.txt"_s),                                 // another folder
      row(u"/a/"_s, u"notes.txt"_s),  row(u"/a/"_s, u"notes.txt"_s),  // the same file twice
      row(u"/a/"_s, u"ΑΒΓ"_s),        row(u"/a/"_s, u"αβγ"_s),
      row(u"/A/"_s, u"x"_s),          row(u"/a/"_s, u"X"_s),  // folders differ in case
  };
  const std::vector<DeliveryProblems> problems = vek::deliveryProblems(rows);
  const std::vector<DeliveryProblems> expected = {vek::CaseClash, vek::CaseClash, 0, 0, 0,
                                                  vek::CaseClash, vek::CaseClash, 0, 0};
  EXPECT_EQ(problems, expected);

  vek::CaseClashIndex index;
  EXPECT_FALSE(index.add(rows[0]));
  EXPECT_FALSE(index.clashes(rows[0]));
  EXPECT_FALSE(index.add(rows[0]));  // again: the same name
  EXPECT_TRUE(index.add(rows[1]));   // the group clashes from now on
  EXPECT_TRUE(index.clashes(rows[0]));
  EXPECT_FALSE(index.add(rows[1]));
  index.clear();
  EXPECT_FALSE(index.clashes(rows[0]));
}

// Names folded on the fast ASCII path and through full case folding meet in one group, and a
// folder's names are found again when its rows come back after another folder's, or after a
// look-up of a folder not yet seen.
TEST(DeliveryCheck, CaseClashesAcrossFoldingPathsAndReturningFolders) {
  const QString longName(300, u'a');
  struct Case {
    QString first;
    QString second;
    bool clash;
  } const cases[] = {
      {u"Kelvin.txt"_s, u"\u212Aelvin.txt"_s, true},  // KELVIN SIGN folds to k
      {u"S.txt"_s, u"\u017F.txt"_s, true},            // LONG S folds to s
      {u"a.TXT"_s, u"A.txt"_s, true},
      {longName, longName.toUpper(), true},  // longer than the stack buffer
      {longName + u"b"_s, longName + u"c"_s, false},
      {u"\u00C9t\u00E9.txt"_s, u"\u00C9T\u00C9.TXT"_s, true},
      {u"a1.txt"_s, u"a01.txt"_s, false},
  };
  for (const Case& c : cases) {
    vek::CaseClashIndex index;
    EXPECT_FALSE(index.clashes(row(u"/a/"_s, c.first)));  // before the folder has a table
    EXPECT_FALSE(index.add(row(u"/a/"_s, c.first)));
    EXPECT_FALSE(index.add(row(u"/b/"_s, c.second)));  // another folder: no clash
    EXPECT_FALSE(index.add(row(u"/c/"_s, u"other"_s)));
    EXPECT_EQ(index.add(row(u"/a/"_s, c.second)), c.clash) << c.second.toStdString();
    EXPECT_EQ(index.clashes(row(u"/a/"_s, c.first)), c.clash);
    EXPECT_FALSE(index.clashes(row(u"/b/"_s, c.second)));
  }
}

// The list keeps the count of rows with a note as rows arrive (one by one, in batches, while
// sorted) and forgets it on clear; the delivery-check sort puts the noted rows first.
TEST(DeliveryCheck, TheListCountsAndSortsNotedRows) {
  vek::FileList list;
  list.append(row(u"/a/"_s, u"b.txt"_s));
  list.append(row(u"/a/"_s, u"Thumbs.db"_s));
  EXPECT_EQ(list.notedCount(), 1);
  list.append(row(u"/a/"_s, u"B.txt"_s));  // b.txt gets a note too
  EXPECT_EQ(list.notedCount(), 3);
  list.append(row(u"/a/"_s, u"b.txt"_s));  // the same name again: a row of a clashing group
  EXPECT_EQ(list.notedCount(), 4);
  list.appendBatch({row(u"/a/"_s, u"thumbs.db"_s), row(u"/a/"_s, u"z.txt"_s)});
  EXPECT_EQ(list.notedCount(), 5);  // Thumbs.db and thumbs.db also clash: still one row each
  qint64 counted = 0;
  for (qint64 i = 0; i < list.count(); ++i) counted += list.deliveryProblems(i) != 0;
  EXPECT_EQ(counted, list.notedCount());

  list.setTicked(0, false);
  list.columnClicked(vek::ListColumn::DeliveryCheck);
  EXPECT_TRUE(list.notedFirst());
  EXPECT_FALSE(list.isSortingEnabled());
  QStringList names;
  for (qint64 i = 0; i < list.count(); ++i) names << list.at(i).fileName();
  EXPECT_EQ(names.last(), u"z.txt"_s);
  // Ordered by the notes: a note before a longer one it begins.
  EXPECT_EQ(vek::deliveryNote(list.deliveryProblems(0)), u"大文字小文字違いの同名"_s)
      << names.join(u' ').toStdString();
  EXPECT_EQ(vek::deliveryNote(list.deliveryProblems(4)),
            u"大文字小文字違いの同名、OS・Officeの管理ファイル"_s);
  EXPECT_EQ(list.tickedCount(), 5);
  list.columnClicked(vek::ListColumn::DeliveryCheck);
  EXPECT_FALSE(list.notedFirst());
  EXPECT_EQ(list.at(0).fileName(), u"z.txt"_s);
  list.clear();
  EXPECT_EQ(list.notedCount(), 0);
  list.append(row(u"/a/"_s, u"B.txt"_s));
  EXPECT_EQ(list.notedCount(), 0);
}
