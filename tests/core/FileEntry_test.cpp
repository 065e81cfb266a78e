#include <gtest/gtest.h>

#include "core/list/FileEntry.h"

using namespace Qt::StringLiterals;
using vek::DateStamp;
using vek::FileEntry;

TEST(FileEntry, SplitsAtTheLastDot) {
  struct Case {
    QString fileName, name, extension;
  } const cases[] = {
      {u"archive.tar.gz"_s, u"archive.tar"_s, u".gz"_s},
      {u"README"_s, u"README"_s, QString()},
      {u".profile"_s, QString(), u".profile"_s},
      {u"trailing."_s, u"trailing"_s, u"."_s},
      {u"報告書 2024.docx"_s, u"報告書 2024"_s, u".docx"_s},
      {u"a,b \"c\".😀"_s, u"a,b \"c\""_s, u".😀"_s},
      {QString(), QString(), QString()},
  };
  for (const Case& c : cases) {
    QString name = u"old"_s, extension = u"old"_s;
    FileEntry::splitName(c.fileName, name, extension);
    EXPECT_EQ(name, c.name) << c.fileName.toStdString();
    EXPECT_EQ(extension, c.extension) << c.fileName.toStdString();
    EXPECT_EQ(name + extension, c.fileName);
  }
}

TEST(FileEntry, ColumnTextsAreTheListTexts) {
  FileEntry e;
  e.name = u"archive.tar"_s;
  e.extension = u".gz"_s;
  e.folder = u"/data/"_s;
  e.type = u"Gzip アーカイブ"_s;
  e.size = 5'000'000'000;  // beyond 32 bits
  e.created = DateStamp::fromLocal(2005, 8, 18, 14, 3, 9);
  e.modified = DateStamp::fromLocal(2024, 12, 31, 23, 59, 59);
  const QString expected[] = {u"archive.tar"_s, u".gz"_s,
                              u"/data/"_s,      u"Gzip アーカイブ"_s,
                              u"5000000000"_s,  u"2005/08/18 14:03:09"_s,
                              QString(),        u"2024/12/31 23:59:59"_s};
  for (int column = 0; column < 8; ++column)
    EXPECT_EQ(e.columnText(vek::ListColumn(column)), expected[column]) << column;
  EXPECT_EQ(e.fullPath(), u"/data/archive.tar.gz"_s);
  EXPECT_EQ(e.fileName(), u"archive.tar.gz"_s);
}

TEST(FileEntry, RelativePathStartsBelowTheFolderOfTheAdd) {
  struct Case {
    QString folder;
    qint32 rootLength;
    QString expected;
  } const cases[] = {
      {u"/data/delivery/sub/deeper/"_s, 15, u"sub/deeper/a.txt"_s},  // a subtree add
      {u"/data/delivery/"_s, 15, u"a.txt"_s},                        // its start folder
      {u"/data/delivery/"_s, -1, u"a.txt"_s},                        // a current-folder add
      {u"/"_s, 1, u"a.txt"_s},                                       // the root
      {u"/x/"_s, 99, u"a.txt"_s},  // nonsense is read as its own folder
  };
  for (const Case& c : cases) {
    FileEntry e;
    e.folder = c.folder;
    e.name = u"a"_s;
    e.extension = u".txt"_s;
    e.rootLength = c.rootLength;
    EXPECT_EQ(e.relativePath(), c.expected) << c.folder.toStdString();
  }
}
