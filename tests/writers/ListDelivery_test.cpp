// What an export adds around a list: the rows naming its own outputs left out, and the files
// that got no digest reported one by one, with a notice that says where they are missing.
#include "writers/ListDelivery.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

FileEntry rowOf(const QString& path) {
  FileEntry e;
  const QFileInfo info(path);
  e.folder = path.left(path.lastIndexOf(u'/') + 1);
  FileEntry::splitName(info.fileName(), e.name, e.extension);
  e.size = info.size();
  return e;
}

QStringList tickedNames(const FileList& list) {
  QStringList names;
  for (const FileEntry& row : list.rows())
    if (row.ticked) names += row.fullPath().mid(row.folder.lastIndexOf(u"/out/"));
  names.sort();
  return names;
}

TEST(ListDelivery, TheRowsOfItsOwnOutputsAreNotListed) {
  test::TempTree tree;
  const QString out = tree.folder(u"out"_s);
  tree.link(u"same"_s, out);
  FileList list;
  for (const QString& name :
       {u"out/list.csv"_s, u"out/list.sha256"_s, u"out/.vek-1x2y.tmp"_s, u"out/.vek-note.txt"_s,
        u"out/list.md5"_s, u"out/sub/list.csv"_s, u"out/a.txt"_s})
    list.append(rowOf(tree.file(name, "x")));
  list.settle();
  struct Case {
    QString listPath;
    bool checksumFile;
    HashKind hash;
    QStringList listed;
  } const cases[] = {
      {out + u"/list.csv"_s,
       true,
       HashKind::None,
       {u"/out/.vek-note.txt"_s, u"/out/a.txt"_s, u"/out/list.md5"_s, u"/out/sub/list.csv"_s}},
      // Without a checksum file this run writes none: an old one is a file like any other.
      {out + u"/list.csv"_s,
       false,
       HashKind::None,
       {u"/out/.vek-note.txt"_s, u"/out/a.txt"_s, u"/out/list.md5"_s, u"/out/list.sha256"_s,
        u"/out/sub/list.csv"_s}},
      // The same folder by another name.
      {tree.path(u"same/list.csv"_s),
       true,
       HashKind::Md5,
       {u"/out/.vek-note.txt"_s, u"/out/a.txt"_s, u"/out/list.sha256"_s, u"/out/sub/list.csv"_s}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.listPath.toStdString());
    ColumnOptions columns;
    columns.checksumFile = c.checksumFile;
    columns.hash = c.hash;
    const ListDelivery delivery(list, c.listPath, columns);
    EXPECT_EQ(tickedNames(delivery.list()), c.listed);
  }
  // Nothing of its own among the rows: the list itself, not a copy.
  ColumnOptions columns;
  const ListDelivery elsewhere(list, tree.path(u"other.csv"_s), columns);
  EXPECT_EQ(&elsewhere.list(), &list);
}

class IncompleteRecorder : public test::RecordingInteraction {
 public:
  void reportIncomplete(const QString& path, const QString& reason) override {
    incomplete.push_back(path + u" | "_s + reason);
  }
  QStringList incomplete;
};

// A file that changed after it was listed gets no digest: it is reported as left out, and the
// notice names only the outputs there are (the hash column, the checksum file).
TEST(ListDelivery, FilesWithoutADigestAreReportedAsIncomplete) {
  struct Case {
    HashKind hash;
    bool checksumFile;
    QString where;
  } const cases[] = {
      {HashKind::Sha256, true,
       u"一覧のハッシュ値の欄にその理由を記し、チェックサムファイルには含めていません。"_s},
      {HashKind::Sha256, false, u"一覧のハッシュ値の欄にその理由を記しました。"_s},
      {HashKind::None, true, u"チェックサムファイルには含めていません。"_s},
  };
  for (const Case& c : cases) {
    test::TempTree tree;
    FileList list;
    list.append(rowOf(tree.file(u"in/a.txt"_s, "abc")));
    const QString changed = tree.file(u"in/b.txt"_s, "abc");
    list.append(rowOf(changed));
    list.settle();
    tree.file(u"in/b.txt"_s, "abcd");
    ColumnOptions columns;
    columns.hash = c.hash;
    columns.checksumFile = c.checksumFile;
    const QString listPath = tree.path(u"list.csv"_s);
    ListDelivery delivery(list, listPath, columns);
    IncompleteRecorder interaction;
    ASSERT_TRUE(delivery.prepare(interaction));
    ASSERT_TRUE(delivery.write(listPath, interaction,
                               [](QIODevice& device) { return device.write("rows") == 4; }));
    delivery.reportMissing(interaction);
    EXPECT_EQ(interaction.incomplete,
              QStringList{changed + u" | リストに加えたあとか読み取り中に変更されました"_s});
    ASSERT_EQ(interaction.messages.size(), 1u);
    EXPECT_EQ(interaction.messages[0].text,
              u"1 個のファイルはハッシュ値を計算できませんでした。\r\n"_s + c.where + u"\r\n"_s +
                  changed + u"：リストに加えたあとか読み取り中に変更されました"_s);
  }
}

}  // namespace
}  // namespace vek
