// Comparing the rows of before and now: matched by their path below each side's folder, changed
// only in what both sides know.
#include <gtest/gtest.h>

#include "compare/ListComparison.h"
#include "compare/TextListReader.h"
#include "core/platform/FileNameBytes.h"
#include "core/settings/InterfaceLanguage.h"
#include "writers/TextListWriter.h"

#include <QBuffer>

namespace vek {
namespace {
using namespace Qt::StringLiterals;

FileEntry file(const QString& root, const QString& relative, qint64 size, int minute = 0) {
  FileEntry entry;
  const qsizetype cut = relative.lastIndexOf(u'/');
  entry.folder = root + relative.left(cut + 1);
  FileEntry::splitName(relative.mid(cut + 1), entry.name, entry.extension);
  entry.size = size;
  entry.modified = DateStamp::fromLocal(2026, 12, 8, 10, minute, 0);
  entry.rootLength = qint32(root.size());
  return entry;
}

QStringList described(const ComparisonResult& result) {
  QStringList lines;
  for (const FileEntry& row : result.rows)
    lines += compareStateText(row.state) + u' ' + comparedPath(row) + u' ' +
             compareChangesWords(row.changes);
  return lines;
}

TEST(ListComparison, EachFileIsSameAddedRemovedOrChanged) {
  // The same tree in two places: paths below each folder are what is matched.
  const std::vector<FileEntry> before = {
      file(u"/old/"_s, u"same.txt"_s, 1),     file(u"/old/"_s, u"sub/gone.txt"_s, 2),
      file(u"/old/"_s, u"sub/grew.txt"_s, 3), file(u"/old/"_s, u"touched.txt"_s, 4),
      file(u"/old/"_s, u"both.txt"_s, 5),
  };
  const std::vector<FileEntry> now = {
      file(u"/new/"_s, u"same.txt"_s, 1),       file(u"/new/"_s, u"sub/grew.txt"_s, 30),
      file(u"/new/"_s, u"touched.txt"_s, 4, 1), file(u"/new/"_s, u"both.txt"_s, 50, 2),
      file(u"/new/"_s, u"sub/new.txt"_s, 6),    file(u"/new/"_s, u"gone.txt"_s, 2),
  };
  const ComparisonResult all = compareLists({before}, {now}, SameRows::Keep);
  EXPECT_EQ(described(all),
            (QStringList{u"同じ same.txt "_s, u"変更 sub/grew.txt size"_s,
                         u"変更 touched.txt modified"_s, u"変更 both.txt size,modified"_s,
                         u"追加 sub/new.txt "_s, u"追加 gone.txt "_s, u"削除 sub/gone.txt "_s}));
  EXPECT_EQ(all.counts.same, 1);
  EXPECT_EQ(all.counts.added, 2);
  EXPECT_EQ(all.counts.removed, 1);
  EXPECT_EQ(all.counts.changed, 3);
  const ComparisonResult differences = compareLists({before}, {now}, SameRows::Leave);
  EXPECT_EQ(differences.rows.size(), 6u);
  EXPECT_EQ(differences.counts.same, 1);
}

TEST(ListComparison, OnlyWhatBothSidesKnowCounts) {
  const std::vector<FileEntry> before = {file(u"/a/"_s, u"x.txt"_s, 1, 0)};
  const std::vector<FileEntry> now = {file(u"/a/"_s, u"x.txt"_s, 2, 5)};
  const std::vector<QByteArray> oldHash = {"aa"}, newHash = {"bb"}, noHash = {QByteArray()};
  const struct {
    ComparedRows before, now;
    const char16_t* expected;
  } cases[] = {
      {{before, false, false}, {now}, u"同じ x.txt "},  // a name-only list
      {{before, true, false}, {now}, u"変更 x.txt size"},
      {{before, false, true}, {now}, u"変更 x.txt modified"},
      {{before, false, false, HashKind::Sha256, oldHash},
       {now, false, false, HashKind::Sha256, newHash},
       u"変更 x.txt hash"},
      {{before, false, false, HashKind::Sha256, oldHash},
       {now, false, false, HashKind::Md5, newHash},
       u"同じ x.txt "},  // digests of two kinds say nothing
      {{before, false, false, HashKind::Sha256, oldHash},
       {now, false, false, HashKind::Sha256, noHash},
       u"未確認 x.txt "},  // a file that could not be hashed now is never the same
      {{before, false, false, HashKind::Sha256, noHash},
       {now, false, false, HashKind::Sha256, newHash},
       u"未確認 x.txt "},  // nor one the saved list holds no digest for
      {{before, true, false, HashKind::Sha256, oldHash},
       {now, true, false, HashKind::Sha256, noHash},
       u"変更 x.txt size"},  // what was seen to differ still differs
  };
  for (const auto& c : cases) {
    EXPECT_EQ(described(compareLists(c.before, c.now, SameRows::Keep)),
              QStringList{QString::fromUtf16(c.expected)});
  }
}

// Gone and new files with the same size and digest are one moved row at the new path; files
// saved below what cannot be read now are unverified, not removed; the state column shows the
// values before and now.
TEST(ListComparison, MovedAndUnverifiedRows) {
  const std::vector<FileEntry> before = {
      file(u"/a/"_s, u"old/r.txt"_s, 3),    file(u"/a/"_s, u"twin1.txt"_s, 3),
      file(u"/a/"_s, u"locked/x.txt"_s, 1), file(u"/a/"_s, u"gone.txt"_s, 5),
      file(u"/a/"_s, u"odd.txt"_s, 2),      file(u"/a/"_s, u"grew.txt"_s, 2)};
  const std::vector<QByteArray> beforeHashes = {"d1", "d2", "d3", "d4", "d5", "d6"};
  const std::vector<FileEntry> now = {
      file(u"/b/"_s, u"new/r.txt"_s, 3), file(u"/b/"_s, u"renamed.txt"_s, 4),  // d2 at another size
      file(u"/b/"_s, u"odd.txt"_s, 2), file(u"/b/"_s, u"grew.txt"_s, 9)};
  const std::vector<QByteArray> nowHashes = {"d1", "d2", QByteArray(), "d9"};
  const std::vector<QString> unreadable = {u"locked/"_s, u"odd.txt"_s};
  const ComparisonResult result =
      compareLists({before, true, true, HashKind::Sha256, beforeHashes},
                   {now, true, true, HashKind::Sha256, nowHashes, unreadable}, SameRows::Keep);
  QStringList shown;
  for (const FileEntry& row : result.rows) shown += comparedPath(row) + u' ' + row.stateText();
  EXPECT_EQ(shown,
            (QStringList{u"new/r.txt 移動（元: old/r.txt）"_s, u"renamed.txt 追加"_s,
                         u"odd.txt 未確認（ハッシュ値を計算できません）"_s,
                         u"grew.txt 変更（サイズ 2 → 9・ハッシュ d6 → d9）"_s, u"twin1.txt 削除"_s,
                         u"locked/x.txt 未確認（読み取れません）"_s, u"gone.txt 削除"_s}));
  EXPECT_EQ(result.counts.moved, 1);
  EXPECT_EQ(result.counts.unverified, 2);
  EXPECT_EQ(result.counts.added, 1);
  EXPECT_EQ(result.counts.removed, 2);
  EXPECT_EQ(result.counts.differences(), 5);
}

TEST(ListComparison, NamesDifferingInOneByteOrCaseAreDifferentFiles) {
  const std::vector<FileEntry> before = {file(u"/a/"_s, decodeFileName("caf\xe9.txt"), 1),
                                         file(u"/a/"_s, u"Readme.TXT"_s, 1)};
  const std::vector<FileEntry> now = {file(u"/a/"_s, decodeFileName("caf\xc3\xa9.txt"), 1),
                                      file(u"/a/"_s, u"readme.txt"_s, 1)};
  const ComparisonResult result = compareLists({before}, {now}, SameRows::Keep);
  EXPECT_EQ(result.counts.added, 2);
  EXPECT_EQ(result.counts.removed, 2);
}

TEST(ListComparison, ATextListIsAnchoredAtTheFolderOrWhereItsRowsMeet) {
  SavedList list;
  list.rows = {file(u"/"_s, u"data/x/a.txt"_s, 1), file(u"/"_s, u"data/x/y/b.txt"_s, 1)};
  for (FileEntry& row : list.rows) row.rootLength = -1;
  SavedList inFolder = list;
  anchorSavedList(inFolder, u"/data/"_s);
  EXPECT_EQ(comparedPath(inFolder.rows[1]), u"x/y/b.txt"_s);
  anchorSavedList(list, u"/elsewhere/"_s);
  EXPECT_EQ(list.inputFolder, u"/data/x/"_s);
  EXPECT_EQ(comparedPath(list.rows[0]), u"a.txt"_s);
  EXPECT_EQ(comparedPath(list.rows[1]), u"y/b.txt"_s);
}

// A CSV list Vek wrote reads back by its captions, names with commas, quotes and line ends
// included; sizes in bytes and modified times in the stored pattern count.
TEST(TextListReader, ReadsACsvListVekWrote) {
  Settings settings;
  settings.csv.columns.optSizeType = SizeUnit::Bytes;
  settings.csv.columns.chkUpdateDate = true;
  settings.csv.columns.chkMakeDate = false;
  const std::vector<FileEntry> rows = {file(u"/d/"_s, u"a,b.txt"_s, 1234567, 3),
                                       file(u"/d/"_s, u"sub/q\"uote\nline.txt"_s, 5, 4),
                                       file(u"/d/"_s, u"sub/noextension"_s, 0, 5)};
  TextListWriter writer(settings, false, u","_s, TextCodec("UTF-8"));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(writer.write(buffer, rows));
  const SavedListRead read = TextListReader::readBytes(buffer.data(), u"l.csv"_s, settings);
  ASSERT_FALSE(read.error) << read.error->text.toStdString();
  const SavedList& list = *read.list;
  ASSERT_EQ(list.rows.size(), rows.size());
  EXPECT_TRUE(list.hasSizes);
  EXPECT_TRUE(list.hasModified);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(list.rows[i].fullPath(), rows[i].fullPath());
    EXPECT_EQ(list.rows[i].size, rows[i].size);
    EXPECT_EQ(list.rows[i].modified, rows[i].modified);
  }
  // Cut in the middle of its last line: refused.
  const QByteArray cut = buffer.data().chopped(3);
  const SavedListRead refused = TextListReader::readBytes(cut, u"l.csv"_s, settings);
  ASSERT_TRUE(refused.error);
  EXPECT_TRUE(refused.error->text.contains(u"5 行目: リストが途中で切れています"_s))
      << refused.error->text.toStdString();
}

// A list keeps the captions of the language it was written in: read under the other one, its
// default captions still name their columns.
TEST(TextListReader, ReadsAListWrittenInTheOtherLanguage) {
  struct Restore {
    ~Restore() { installInterfaceLanguage(InterfaceLanguage::Japanese); }
  } restore;
  const auto columns = [](Settings& settings) {
    settings.csv.columns.optSizeType = SizeUnit::Bytes;
    settings.csv.columns.chkUpdateDate = true;
    settings.csv.columns.chkRelPath = true;
  };
  const std::vector<FileEntry> rows = {file(u"/d/"_s, u"a.txt"_s, 12, 3),
                                       file(u"/d/"_s, u"sub/b.txt"_s, 5, 4)};
  for (const auto& [writtenIn, readIn] :
       {std::pair(InterfaceLanguage::English, InterfaceLanguage::Japanese),
        std::pair(InterfaceLanguage::Japanese, InterfaceLanguage::English)}) {
    SCOPED_TRACE(int(writtenIn));
    ASSERT_TRUE(installInterfaceLanguage(writtenIn));
    Settings written;
    columns(written);
    TextListWriter writer(written, false, u","_s, TextCodec("UTF-8"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writer.write(buffer, rows));
    ASSERT_TRUE(installInterfaceLanguage(readIn));
    Settings reading;
    columns(reading);
    const SavedListRead read = TextListReader::readBytes(buffer.data(), u"l.csv"_s, reading);
    ASSERT_FALSE(read.error) << read.error->text.toStdString();
    ASSERT_EQ(read.list->rows.size(), rows.size());
    EXPECT_TRUE(read.list->hasSizes);
    EXPECT_TRUE(read.list->hasModified);
    EXPECT_EQ(read.list->rows[1].fullPath(), u"/d/sub/b.txt"_s);
    EXPECT_EQ(read.list->rows[1].size, 5);
  }
}

TEST(TextListReader, KilobytesAndOtherDatePatternsLeaveANameOnlyList) {
  Settings settings;  // sizes in KB, the created date only
  const std::vector<FileEntry> rows = {file(u"/d/"_s, u"a.txt"_s, 1)};
  TextListWriter writer(settings, false, u","_s, TextCodec("UTF-8"));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(writer.write(buffer, rows));
  const SavedListRead read = TextListReader::readBytes(buffer.data(), u"l.csv"_s, settings);
  ASSERT_FALSE(read.error);
  EXPECT_FALSE(read.list->hasSizes);
  EXPECT_FALSE(read.list->hasModified);
  EXPECT_EQ(read.list->notes.size(), 1);
}

TEST(TextListReader, AListWithoutNameColumnsIsRefused) {
  const SavedListRead read =
      TextListReader::readBytes("ファイルタイプ,\r\nテキスト,\r\n", u"l.csv"_s, Settings());
  ASSERT_TRUE(read.error);
  EXPECT_TRUE(read.error->text.contains(u"1 行目"_s));
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

// Every text list Vek writes reads back, whatever /K it was written with and with the formula
// guard: the reader's own setting is the system's encoding.
TEST(TextListReader, ReadsEveryEncodingAndTheFormulaGuard) {
  const std::vector<FileEntry> rows = {
      file(u"/d/"_s, u"=SUM(A1).txt"_s, 1), file(u"/d/"_s, u"日本語～①.txt"_s, 2),
      file(u"/d/"_s, u"-minus"_s, 3), file(u"/d/"_s, u"'quoted.txt"_s, 4)};
  for (const ListEncoding encoding : {ListEncoding::System, ListEncoding::Utf8,
                                      ListEncoding::Utf8WithMark, ListEncoding::Cp932}) {
    for (const bool guard : {false, true}) {
      SCOPED_TRACE(listEncodingKeyword(encoding).toStdString() + (guard ? " guarded" : ""));
      Settings settings;
      TextListWriter writer(settings, false, u","_s, TextListChoices{encoding, guard});
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      ASSERT_TRUE(writer.write(buffer, rows));
      const SavedListRead read = TextListReader::readBytes(buffer.data(), u"l.csv"_s, Settings());
      ASSERT_FALSE(read.error) << read.error->text.toStdString();
      ASSERT_EQ(read.list->rows.size(), rows.size());
      for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(read.list->rows[i].fullPath(), rows[i].fullPath());
      EXPECT_EQ(read.list->guardedRows.size(), guard ? 2u : 0u);
    }
  }
}

// A guarded cell names the file with or without its "'", whichever the folder holds.
TEST(TextListReader, AGuardedNameMatchesTheFileWithOrWithoutTheQuote) {
  const QByteArray csv = "ディレクトリ,ファイル名,\r\n/d/,'=a.txt,\r\n/d/,'=b.txt,\r\n";
  SavedListRead read = TextListReader::readBytes(csv, u"l.csv"_s, Settings());
  ASSERT_FALSE(read.error) << read.error->text.toStdString();
  SavedList& list = *read.list;
  anchorSavedList(list, u"/d/"_s);
  const std::vector<FileEntry> now = {file(u"/d/"_s, u"=a.txt"_s, 1),
                                      file(u"/d/"_s, u"'=b.txt"_s, 1)};
  matchGuardedNames(list, now);
  EXPECT_EQ(list.rows[0].fileName(), u"=a.txt"_s);
  EXPECT_EQ(list.rows[1].fileName(), u"'=b.txt"_s);
  EXPECT_EQ(
      compareLists(ComparedRows::of(list), {now, false, false, HashKind::None, {}}, SameRows::Leave)
          .counts.differences(),
      0);
}

TEST(ListComparison, RowsThatShareNoFolderOrLeaveTheFolderAreNotMatchedByAccident) {
  // No first character in common: no common folder either.
  SavedList apart;
  apart.rows = {file(u"/data/t3/"_s, u"b.txt"_s, 1), file(u"x/"_s, u"a.txt"_s, 1)};
  EXPECT_FALSE(anchorSavedList(apart, u"/elsewhere/"_s));
  EXPECT_EQ(comparedPath(apart.rows[1]), u"x/a.txt"_s);
  // One row outside the folder the others lie in: named by its line.
  SavedList oneOut;
  oneOut.path = u"l.csv"_s;
  oneOut.rows = {file(u"/d/"_s, u"a.txt"_s, 1), file(u"/e/"_s, u"b.txt"_s, 1)};
  oneOut.rowLines = {2, 7};
  const std::optional<Message> refusal = anchorSavedList(oneOut, u"/d/"_s);
  ASSERT_TRUE(refusal);
  EXPECT_TRUE(refusal->text.contains(u"7 行目"_s)) << refusal->text.toStdString();
}

}  // namespace
}  // namespace vek
