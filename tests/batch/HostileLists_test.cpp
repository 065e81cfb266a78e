// "/V" given hostile lists through the real executable: each is refused (exit 1) with a message
// naming its line or what it is, without a crash, within a bounded address space and without a
// wait (a run that does not end in time fails, it does not hang the suite). And the lists Vek
// writes itself compare back unchanged: CP932 and formula-guarded CSVs, JSON with dot-files, and
// a JSON list whose header says how its folder was walked.
#include <sys/stat.h>

#include <functional>

#include <QFile>

#include <gtest/gtest.h>

#include "support/BatchProcessFixture.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

class HostileLists : public test::BatchProcessFixture {
 protected:
  // Far below what reading the big lists whole would take, well above what vek needs.
  static constexpr quint64 kAddressSpace = 640ull << 20;

  test::VekRun compare(const QString& list) const {
    test::VekRunOptions bounded = options();
    bounded.addressSpace = kAddressSpace;
    bounded.timeoutMs = 30000;
    bounded.threads = 1;
    return test::runVek({u"/V"_s, list, u"/I"_s, source}, bounded);
  }
  // A file of `size` bytes: head, then `fill` repeated, then tail.
  QString big(const QString& name, const QByteArray& head, char fill, qint64 size,
              const QByteArray& tail = {}) const {
    const QString path = tree.path(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head);
    const QByteArray block(1 << 20, fill);
    for (qint64 left = size - head.size() - tail.size(); left > 0; left -= block.size())
      file.write(block.left(std::min<qint64>(left, block.size())));
    file.write(tail);
    return path;
  }
};

const QByteArray kJsonHead = "{\"format\":\"vek-file-list\",\"version\":1,\"rows\":[\n";
const QByteArray kCsvHead = "ディレクトリ,ファイル名,\r\n";

QByteArray jsonList(const QList<QByteArray>& rows, const QByteArray& version = "1") {
  QByteArray bytes = "{\"format\":\"vek-file-list\",\"version\":" + version + ",\"rows\":[";
  for (qsizetype i = 0; i < rows.size(); ++i) bytes += (i ? ",\n" : "\n") + rows[i];
  return bytes + "\n],\"rowCount\":" + QByteArray::number(rows.size()) + "}\n";
}

QByteArray jsonRow(const QByteArray& name, const QByteArray& more = {}) {
  return "{\"folder\":\"/x/\",\"name\":\"" + name + "\",\"extension\":\".txt\",\"size\":1" + more +
         "}";
}

TEST_F(HostileLists, EachIsRefusedWithItsLineQuicklyAndWithinBoundedMemory) {
  tree.file(u"in/a.txt"_s, "a");
  const QString in = source + u'/';
  const struct {
    const char* name;
    std::function<QString()> make;
    const char* expected;
  } cases[] = {
      {"fifo",
       [&] {
         const QString path = tree.path(u"fifo.json"_s);
         ::mkfifo(QFile::encodeName(path).constData(), 0600);
         return path;
       },
       "通常のファイルではありません: FIFO"},
      {"device", [] { return u"/dev/zero"_s; }, "通常のファイルではありません: デバイス"},
      {"folder", [&] { return tree.folder(u"folder.json"_s); },
       "通常のファイルではありません: フォルダ"},
      {"deep", [&] { return tree.file(u"deep.json"_s, "{\"format\":" + QByteArray(100000, '[')); },
       "1 行目: Vek が書いたリスト"},
      {"deep header",
       [&] {
         return tree.file(u"deeph.json"_s,
                          "{\"format\":\"vek-file-list\",\"x\":" + QByteArray(100000, '['));
       },
       "1 行目: 入れ子が深すぎます"},
      {"deep row",
       [&] {
         return tree.file(
             u"deeprow.json"_s,
             jsonList({jsonRow("a"), jsonRow("b", ",\"x\":" + QByteArray(100000, '['))}));
       },
       "3 行目: 入れ子が深すぎます"},
      {"one-line CSV", [&] { return big(u"line.csv"_s, kCsvHead, 'a', 96 << 20); },
       "2 行目: 行が長すぎます"},
      {"one-line JSON",
       [&] { return big(u"line.json"_s, kJsonHead + "{\"name\":\"", 'a', 96 << 20); },
       "2 行目: 行が長すぎます"},
      {"long field",
       [&] {
         return tree.file(u"field.csv"_s, kCsvHead + "/x/," + QByteArray(2 << 20, 'n') + ",\r\n");
       },
       "2 行目: 値が長すぎます"},
      {"version 2.0", [&] { return tree.file(u"v1.json"_s, jsonList({jsonRow("a")}, "2.0")); },
       "1 行目: 版（version）が整数の 1 ではありません"},
      {"version 1e3", [&] { return tree.file(u"v2.json"_s, jsonList({jsonRow("a")}, "1e3")); },
       "1 行目: 版（version）"},
      {"version huge",
       [&] { return tree.file(u"v3.json"_s, jsonList({jsonRow("a")}, "99999999999999999999")); },
       "1 行目: 版（version）"},
      {"two lists",
       [&] {
         return tree.file(u"two.json"_s, jsonList({jsonRow("a")}) + jsonList({jsonRow("b")}));
       },
       "4 行目: リストの終わりの後にデータがあります"},
      {"NUL in a name", [&] { return tree.file(u"nul.json"_s, jsonList({jsonRow("a\\u0000b")})); },
       "2 行目: 名前に NUL 文字があります"},
      {"NUL in nameBytes",
       [&] {
         return tree.file(u"nulb.json"_s, jsonList({jsonRow("a", ",\"nameBytes\":\"YQBi\"")}));
       },
       "2 行目: 名前に NUL 文字があります"},
      {"empty name",
       [&] {
         return tree.file(
             u"empty.json"_s,
             jsonList({"{\"folder\":\"/x/\",\"name\":\"\",\"extension\":\"\",\"size\":1}"}));
       },
       "2 行目: ファイル名が空です"},
      {"a path twice",
       [&] {
         return tree.file(u"twice.json"_s, jsonList({jsonRow("a"), jsonRow("b"), jsonRow("a")}));
       },
       "4 行目: 同じファイルがリストに二度あります"},
      {"NUL in a CSV",
       [&] { return tree.file(u"nul.csv"_s, kCsvHead + QByteArray("/x/,a\0.txt,\r\n", 13)); },
       "2 行目: UTF-8 のテキストではありません"},
      {"UTF-16 without a mark",
       [&] {
         const QString text = u"ディレクトリ,ファイル名,\r\n/x/,a.txt,\r\n"_s;
         return tree.file(u"utf16.csv"_s,
                          QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
       },
       "1 行目: UTF-8 のテキストではありません"},
      {"a row outside the folder",
       [&] {
         return tree.file(u"outside.csv"_s,
                          kCsvHead + in.toUtf8() + ",a.txt,\r\n/elsewhere/,b.txt,\r\n");
       },
       "3 行目: ほかの行と同じフォルダ"},
      {"an XML list",
       [&] { return tree.file(u"list.xml"_s, "<?xml version=\"1.0\"?>\n<list/>\n"); },
       "JSON か CSV でリストを保存して"},
      {"a workbook", [&] { return tree.file(u"list.xlsx"_s, "PK\x03\x04rest"); },
       "JSON か CSV でリストを保存して"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const test::VekRun run = compare(c.make());
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.expected))) << run.err.toStdString();
  }
}

using ListsVekWrites = test::BatchProcessFixture;

TEST_F(ListsVekWrites, EveryEncodingAndTheFormulaGuardCompareBackUnchanged) {
  for (const char* name : {"=SUM(A1).txt", "-minus.txt", "@at", "'+quoted.txt", "日本語～.txt"})
    tree.file(u"in/"_s + QString::fromUtf8(name), "x");
  writeSettings("[VekCsv]\r\nFormulaGuard=1\r\n");
  for (const char* encoding : {"CP932", "UTF8BOM", "UTF8", "SYSTEM"}) {
    SCOPED_TRACE(encoding);
    const test::VekRun made =
        run({u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"CSV"_s, u"/F"_s, u"list"_s, u"/E"_s,
             u"*"_s, u"/K"_s, QString::fromLatin1(encoding)});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const test::VekRun compared =
        run({u"/V"_s, output + u"/list.csv"_s, u"/I"_s, source, u"/E"_s, u"*"_s});
    EXPECT_EQ(compared.exitCode, 0) << compared.out.toStdString() << compared.err.toStdString();
    EXPECT_TRUE(compared.out.isEmpty()) << compared.out.toStdString();
  }
}

// A JSON list says how its folder was walked; "/V" walks the same way unless told otherwise,
// and says which it followed and where the command line differs.
TEST_F(ListsVekWrites, AJsonListsWalkIsFollowedAndAGivenSwitchWins) {
  tree.file(u"in/a.txt"_s, "a");
  tree.file(u"in/.hidden"_s, "h");
  tree.file(u"in/sub/b.txt"_s, "b");
  tree.file(u"in/skip/c.txt"_s, "c");
  const test::VekRun made =
      run({u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"JSON"_s, u"/F"_s, u"list"_s, u"/C"_s,
           u"/E"_s, u"*"_s, u"/X"_s, u"skip"_s, u"/A"_s, u"/M"_s, u"SHA256"_s});
  ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
  const QString list = output + u"/list.json"_s;
  const QByteArray json = tree.read(u"out/list.json"_s);
  EXPECT_TRUE(
      json.contains("\"walk\":{\"subfolders\":true,\"filter\":\"*\",\"exclude\":\"skip\","
                    "\"hiddenFiles\":true,\"oneFileSystem\":false}"))
      << json.left(600).toStdString();
  EXPECT_TRUE(json.contains("\"name\":\".hidden\",\"extension\":\"\""));

  const test::VekRun followed = run({u"/V"_s, list, u"/I"_s, source});
  EXPECT_EQ(followed.exitCode, 0) << followed.out.toStdString() << followed.err.toStdString();
  EXPECT_TRUE(followed.err.contains(u"保存されたリストの作り方に合わせて比較します: /C"_s))
      << followed.err.toStdString();
  for (const QString& part : {u"/X \"skip\""_s, u" /A"_s, u"/M SHA256"_s})
    EXPECT_TRUE(followed.err.contains(part)) << followed.err.toStdString();
  EXPECT_TRUE(followed.err.contains(u"ハッシュ値"_s)) << followed.err.toStdString();

  const test::VekRun given = run({u"/V"_s, list, u"/I"_s, source, u"/X"_s, u"none"_s});
  EXPECT_EQ(given.exitCode, 4) << given.err.toStdString();
  EXPECT_EQ(given.out, u"+ skip/c.txt\n"_s);
  EXPECT_TRUE(given.err.contains(
      u"/X \"none\" で比較します（保存されたリストは /X \"skip\" で作られました）。"_s))
      << given.err.toStdString();
}

}  // namespace
}  // namespace vek
