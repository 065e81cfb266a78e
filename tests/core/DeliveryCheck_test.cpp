// The delivery check: each rule at its edges, the notes, the clashes among siblings and every
// folder level of a path.
#include <gtest/gtest.h>

#include "core/list/DeliveryCheck.h"
#include "core/list/FileList.h"

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
      {u"CONIN$"_s, vek::ReservedName},
      {u"conout$.txt"_s, vek::ReservedName},
      {u"CONOUT$ .log"_s, vek::ReservedName},
      {u"CONIN$$"_s, 0},
      {u"CONOUT"_s, 0},
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

// The notes of rows checked together, as the writers' column shows them.
std::vector<QString> notesOf(const std::vector<FileEntry>& rows) {
  const vek::DeliveryFindings findings = vek::deliveryProblems(rows);
  std::vector<QString> notes;
  for (const FileEntry& r : rows) notes.push_back(vek::deliveryNote(findings->finding(r)));
  return notes;
}

TEST(DeliveryCheck, NamesOfOneFolderThatDifferOnlyInCase) {
  const std::vector<FileEntry> rows = {
      row(u"/a/"_s, u"Report.txt"_s), row(u"/a/"_s, u"report.TXT"_s),
      row(u"/b/"_s, u"report.txt"_s),                                 // another folder
      row(u"/a/"_s, u"notes.txt"_s),  row(u"/a/"_s, u"notes.txt"_s),  // the same file twice
      row(u"/a/"_s, u"ΑΒΓ"_s),        row(u"/a/"_s, u"αβγ"_s),
      row(u"/A/"_s, u"x"_s),          row(u"/a/"_s, u"X"_s),  // folders of no add's tree
  };
  const QString clash = u"大文字小文字違いの同名"_s;
  const std::vector<QString> expected = {clash, clash, {}, {}, {}, clash, clash, {}, {}};
  EXPECT_EQ(notesOf(rows), expected);
}

// Names folded on the fast ASCII path and through full case folding meet in one group, and a
// folder's names are found again when its rows come back after another folder's.
TEST(DeliveryCheck, ClashesAcrossFoldingPathsAndReturningFolders) {
  const QString longName(300, u'a');
  struct Case {
    QString first;
    QString second;
    DeliveryProblems clash;
  } const cases[] = {
      {u"S.txt"_s, u"\u017F.txt"_s, vek::CaseClash},  // LONG S folds to s
      {u"a.TXT"_s, u"A.txt"_s, vek::CaseClash},
      {longName, longName.toUpper(), vek::CaseClash},  // longer than the stack buffer
      {longName + u"b"_s, longName + u"c"_s, 0},
      {u"\u00C9t\u00E9.txt"_s, u"\u00C9T\u00C9.TXT"_s, vek::CaseClash},
      {u"a1.txt"_s, u"a01.txt"_s, 0},
      {u"パ.txt"_s, u"ハ\u309A.txt"_s, vek::FormClash},         // composed beside decomposed
      {u"Kelvin.txt"_s, u"\u212Aelvin.txt"_s, vek::FormClash},  // KELVIN SIGN composes to K
      {u"\u6717.txt"_s, u"\uF929.txt"_s, vek::FormClash},       // a CJK compatibility ideograph
      {u"パ.txt"_s, u"ハ\u309A.TXT"_s, vek::CaseClash},         // another case: a case clash
  };
  for (const Case& c : cases) {
    vek::DeliveryIndex index;
    const DeliveryProblems clashes = vek::CaseClash | vek::FormClash;
    // Before the folder is known.
    EXPECT_EQ(index.finding(row(u"/a/"_s, c.first)).name & clashes, 0);
    index.add(row(u"/a/"_s, c.first));
    index.add(row(u"/b/"_s, c.second));  // another folder: no clash
    index.add(row(u"/c/"_s, u"other"_s));
    index.add(row(u"/a/"_s, c.second));
    EXPECT_EQ(index.finding(row(u"/a/"_s, c.first)).name & clashes, c.clash)
        << c.second.toStdString();
    EXPECT_EQ(index.finding(row(u"/a/"_s, c.second)).name & clashes, c.clash);
    EXPECT_EQ(index.finding(row(u"/b/"_s, c.second)).name & clashes, 0);
    qint64 noted = 0;
    for (const FileEntry& r : {row(u"/a/"_s, c.first), row(u"/b/"_s, c.second),
                               row(u"/c/"_s, u"other"_s), row(u"/a/"_s, c.second)})
      noted += index.finding(r).noted();
    EXPECT_EQ(index.notedCount(), noted);
    index.clear();
    EXPECT_EQ(index.finding(row(u"/a/"_s, c.first)).name & clashes, 0);
  }
}

// Every folder level below the add's folder: the rules of a name, clashes among siblings in
// case and in composed form, and the note naming the level at fault.
TEST(DeliveryCheck, EveryFolderLevelOfThePath) {
  const QString top = u"/home/taro/納品/"_s;
  const qint32 length = qint32(top.size());
  const auto below = [&](const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return row(top + path.left(slash + 1), path.mid(slash + 1), length);
  };
  const QString nfc = u"パ"_s;
  const QString nfd = u"ハ\u309A"_s;
  struct Case {
    QString path;
    QString note;
  } const cases[] = {
      {u"CON/x.txt"_s, u"Windowsの予約名（フォルダ「CON」）"_s},
      {u"dir./y.txt"_s, u"末尾が点か空白（フォルダ「dir.」）"_s},
      {u"sp /z.txt"_s, u"末尾が点か空白（フォルダ「sp 」）"_s},
      {u"Docs/a.txt"_s, u"大文字小文字違いの同名（フォルダ「Docs」）"_s},
      {u"docs/a.txt"_s, u"大文字小文字違いの同名（フォルダ「docs」）"_s},
      {u"Docs/deep/er/b.txt"_s, u"大文字小文字違いの同名（フォルダ「Docs」）"_s},
      {u"nf/"_s + nfc + u".txt"_s, u"NFC/NFD違いの同名"_s},
      {u"nf/"_s + nfd + u".txt"_s, u"分解形(NFD)の名前、NFC/NFD違いの同名"_s},
      {nfc + u"/x.txt"_s, u"NFC/NFD違いの同名（フォルダ「"_s + nfc + u"」）"_s},
      {nfd + u"/x.txt"_s, u"分解形(NFD)の名前・NFC/NFD違いの同名（フォルダ「"_s + nfd + u"」）"_s},
      {u"CONIN$"_s, u"Windowsの予約名"_s},
      {u"ok/conout$.log"_s, u"Windowsの予約名"_s},
      {u"a:b/c.txt"_s, u"Windowsで使えない文字（フォルダ「a:b」）"_s},
      {u"CON./x"_s, u"Windowsの予約名・末尾が点か空白（フォルダ「CON.」）"_s},
      {u"aux/dir./Thumbs.db"_s,
       u"OS・Officeの管理ファイル、Windowsの予約名（フォルダ「aux」）、末尾が点か空白（フォルダ「dir.」）"_s},
      {u"Thumbs.db/x.txt"_s, QString()},  // a folder is no helper file
      {u"ok/sub/fine.txt"_s, QString()},
      {u"Ok2/x.txt"_s, QString()},
      {u"ok2./x.txt"_s, u"末尾が点か空白（フォルダ「ok2.」）"_s},  // no case clash with Ok2
  };
  std::vector<FileEntry> rows;
  for (const Case& c : cases) rows.push_back(below(c.path));
  // The folders above the add's own are not the recipient's: no note for them.
  rows.push_back(row(u"/CON/dir./"_s, u"x.txt"_s, 10));
  rows.push_back(row(u"/tmp/CON/"_s, u"x.txt"_s));  // a file of its own folder
  const std::vector<QString> notes = notesOf(rows);
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(notes[i], cases[i].note) << cases[i].path.toStdString();
  EXPECT_EQ(notes[std::size(cases)], QString());
  EXPECT_EQ(notes[std::size(cases) + 1], QString());

  // The count of noted rows as they come, in several orders (clashes that appear late reach
  // the rows below the clashing folder), against the rows checked afresh.
  const std::size_t n = rows.size();
  std::vector<std::vector<std::size_t>> orders(3);
  for (std::size_t i = 0; i < n; ++i) {
    orders[0].push_back(i);
    orders[1].push_back(n - 1 - i);
    orders[2].push_back((i * 7) % n);  // n is not a multiple of 7
  }
  for (const auto& order : orders) {
    vek::FileList list;
    list.notedCount();  // keep the checks from the first row on
    std::vector<FileEntry> added;
    for (const std::size_t i : order) {
      list.append(rows[i]);
      added.push_back(rows[i]);
      qint64 noted = 0;
      for (const QString& note : notesOf(added)) noted += !note.isEmpty();
      ASSERT_EQ(list.notedCount(), noted) << added.size();
    }
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
  for (qint64 i = 0; i < list.count(); ++i) counted += list.deliveryProblems(i).noted();
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
