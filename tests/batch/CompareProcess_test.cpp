// /T JSON and /V through the real executable: the JSON of awkward names read by Python and jq
// and compared back by Vek without a difference, and the lines and exit statuses of comparisons
// of a folder changed every way, of two lists, of name-only lists and of files that are no list.
#include <fcntl.h>
#include <unistd.h>
#include <utime.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "core/platform/FileNameBytes.h"
#include "support/BatchProcessFixture.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

using CompareProcess = test::BatchProcessFixture;

// A file whose name is bytes (not necessarily UTF-8).
void rawFile(const QString& folder, const QByteArray& name, const QByteArray& content) {
  const QByteArray path = encodeFileName(folder) + '/' + name;
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << path.toStdString();
  ASSERT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
  ::close(fd);
}

struct Tool {
  int exitCode = -1;
  QByteArray out, err;
};

Tool runTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.closeWriteChannel();
  Tool result;
  if (!process.waitForFinished(60000)) return result;
  result.exitCode = process.exitCode();
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

TEST_F(CompareProcess, AwkwardNamesJsonReadsInPythonAndJqAndComparesBackUnchanged) {
  tree.folder(u"in/sub dir,1"_s);
  const QList<QByteArray> names = {"with space.txt", "comma,name.txt",  "quote\"name.txt",
                                   "new\nline.txt",  "tab\there.txt",   "<&>.txt",
                                   "日本語😀.txt",    "ctl\x01\x7f.txt", "back\\slash",
                                   "a\x83\x41.txt",  "\xff\xfe.dat",    "\xef\xbb\xbftwin"};
  for (const QByteArray& name : names) {
    rawFile(source, name, "x");
    rawFile(source + u"/sub dir,1"_s, name, "yy");
  }
  const test::VekRun made = run({u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"JSON"_s, u"/F"_s,
                                 u"list"_s, u"/C"_s, u"/E"_s, u"*"_s});
  ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
  const QString list = output + u"/list.json"_s;

  // Python rebuilds every path's bytes from the readable text or the bytes beside it.
  const QString script =
      uR"(
import base64, json, os, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
assert doc['format'] == 'vek-file-list' and doc['version'] == 1
assert doc['rowCount'] == len(doc['rows'])
def field(row, key):
    if key + 'Bytes' in row:
        return base64.b64decode(row[key + 'Bytes'])
    return row[key].encode('utf-8')
paths = sorted(field(r, 'folder') + field(r, 'name') + field(r, 'extension') for r in doc['rows'])
found = sorted(os.path.join(d, f) for d, _, fs in os.walk(os.fsencode(sys.argv[2])) for f in fs)
assert paths == found, (paths, found)
assert all(isinstance(r['size'], int) for r in doc['rows'])
print(len(paths))
)"_s;
  const Tool python = runTool(u"python3"_s, {u"-c"_s, script, list, source});
  ASSERT_EQ(python.exitCode, 0) << python.err.toStdString();
  EXPECT_EQ(python.out, QByteArray::number(2 * names.size()) + '\n');

  const Tool jq = runTool(u"jq"_s, {u"-e"_s,
                                    u".rowCount == (.rows | length) and "
                                    u"(.rows | map(.size) | add) == 36"_s,
                                    list});
  EXPECT_EQ(jq.exitCode, 0) << jq.err.toStdString() << jq.out.toStdString();

  // Vek reads its own list back: every name matches the tree byte for byte.
  const test::VekRun same = run({u"/V"_s, list, u"/I"_s, source, u"/C"_s, u"/E"_s, u"*"_s});
  EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
  EXPECT_EQ(same.out, QString());
  EXPECT_TRUE(same.err.contains(u"同じ 24　追加 0　削除 0　変更 0"_s)) << same.err.toStdString();
}

class ChangedTree : public CompareProcess {
 protected:
  // In UTC, so that the times a changed row shows are the same on every machine.
  test::VekRun run(const QStringList& arguments, bool unprivileged = false) const {
    test::VekRunOptions utc = options(unprivileged, {output});
    utc.environment = {u"TZ=UTC"_s};
    return test::runVek(arguments, utc);
  }
  void SetUp() override {
    tree.file(u"in/same.txt"_s, "same");
    tree.file(u"in/grows.txt"_s, "1");
    tree.file(u"in/touched.txt"_s, "t");
    tree.file(u"in/sub/gone.txt"_s, "g");
    tree.file(u"in/sub/new\nline.txt"_s, "n");
    // Fixed times, so that a rewrite within the same second or the next one is told apart only
    // by what the test changes.
    for (const QString& name : {u"same.txt"_s, u"grows.txt"_s, u"touched.txt"_s, u"sub/gone.txt"_s,
                                u"sub/new\nline.txt"_s})
      setTime(u"in/"_s + name, 1500000000);
    list = output + u"/before.json"_s;
    const test::VekRun made = run({u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"JSON"_s, u"/F"_s,
                                   u"before"_s, u"/C"_s, u"/E"_s, u"*"_s});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    tree.file(u"in/grows.txt"_s, "12345");
    setTime(u"in/grows.txt"_s, 1500000000);
    setTime(u"in/touched.txt"_s, 1000000000);
    QFile::remove(tree.path(u"in/sub/gone.txt"_s));
    tree.file(u"in/sub/added.txt"_s, "a");
  }
  void setTime(const QString& relative, time_t when) const {
    const QByteArray path = encodeFileName(tree.path(relative));
    struct utimbuf times = {when, when};
    ASSERT_EQ(::utime(path.constData(), &times), 0) << path.toStdString();
  }
  QString list;
};

TEST_F(ChangedTree, EachDifferenceIsOneLineAndTheStatusIsFour) {
  const test::VekRun changed = run({u"/V"_s, list, u"/I"_s, source, u"/C"_s, u"/E"_s, u"*"_s});
  EXPECT_EQ(changed.exitCode, 4) << changed.err.toStdString();
  EXPECT_EQ(changed.out,
            u"* grows.txt (size 1 → 5)\n+ sub/added.txt\n- sub/gone.txt\n"
            u"* touched.txt (modified 2017-07-14T02:40:00+00:00 → 2001-09-09T01:46:40+00:00)\n"_s);
  EXPECT_EQ(changed.err,
            u"比較の結果: 同じ 2　追加 1　削除 1　変更 2　移動 0　未確認 0"
            u"（比較した項目: 名前・サイズ・更新日付）\n"_s);
}

TEST_F(ChangedTree, TwoListsAreComparedWithEachOther) {
  const test::VekRun after = run({u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"JSON"_s, u"/F"_s,
                                  u"after"_s, u"/C"_s, u"/E"_s, u"*"_s});
  ASSERT_EQ(after.exitCode, 0);
  const test::VekRun compared = run({u"/V"_s, list, u"/V"_s, output + u"/after.json"_s});
  EXPECT_EQ(compared.exitCode, 4) << compared.err.toStdString();
  EXPECT_EQ(compared.out,
            u"* grows.txt (size 1 → 5)\n+ sub/added.txt\n- sub/gone.txt\n"
            u"* touched.txt (modified 2017-07-14T02:40:00+00:00 → 2001-09-09T01:46:40+00:00)\n"_s);
  const test::VekRun itself = run({u"/V"_s, list, u"/V"_s, list});
  EXPECT_EQ(itself.exitCode, 0);
  EXPECT_EQ(itself.out, QString());
}

TEST_F(ChangedTree, DifferencesBecomeAListWithAStateColumn) {
  const test::VekRun written =
      run({u"/V"_s, list, u"/I"_s, source, u"/C"_s, u"/E"_s, u"*"_s, u"/O"_s, output, u"/T"_s,
           u"CSV"_s, u"/F"_s, u"diff"_s, u"/S"_s, u"1"_s});
  EXPECT_EQ(written.exitCode, 4) << written.err.toStdString();
  EXPECT_EQ(written.out, QString());
  const QStringList lines = csvLines(output + u"/diff.csv"_s);
  ASSERT_EQ(lines.size(), 5) << lines.join(u'|').toStdString();
  EXPECT_TRUE(lines[0].endsWith(u",状態,"_s));
  EXPECT_TRUE(lines[1].contains(u"added.txt,"_s) && lines[1].endsWith(u",追加,"_s));
  EXPECT_TRUE(lines[2].contains(u"gone.txt,"_s) && lines[2].endsWith(u",削除,"_s));
  EXPECT_TRUE(lines[3].contains(u"grows.txt,"_s) && lines[3].endsWith(u",変更（サイズ 1 → 5）,"_s))
      << lines[3].toStdString();
  EXPECT_TRUE(lines[4].contains(u"touched.txt,"_s) &&
              lines[4].endsWith(u",変更（更新日付 2017/07/14 02:40:00 → 2001/09/09 01:46:40）,"_s))
      << lines[4].toStdString();
}

// The default CSV list has neither sizes in bytes nor modified times: names only.
TEST_F(ChangedTree, ACsvListIsComparedByItsNames) {
  const test::VekRun csv = run({u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"CSV"_s, u"/F"_s,
                                u"names"_s, u"/C"_s, u"/E"_s, u"*"_s});
  ASSERT_EQ(csv.exitCode, 0);
  tree.file(u"in/grows.txt"_s, "1234567890");
  QFile::remove(tree.path(u"in/same.txt"_s));
  const test::VekRun compared =
      run({u"/V"_s, output + u"/names.csv"_s, u"/I"_s, source, u"/C"_s, u"/E"_s, u"*"_s});
  EXPECT_EQ(compared.exitCode, 4) << compared.err.toStdString();
  EXPECT_EQ(compared.out, u"- same.txt\n"_s);
  EXPECT_TRUE(compared.err.contains(u"（比較した項目: 名前）"_s)) << compared.err.toStdString();
}

TEST_F(ChangedTree, ListsThatCannotBeReadEndWithOneAndRefusedLinesWithTwo) {
  QFile::copy(list, output + u"/cut.json"_s);
  QFile cut(output + u"/cut.json"_s);
  ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
  cut.resize(cut.size() - 20);
  cut.close();
  tree.file(u"out/foreign.json"_s, "{\"hello\": \"world\"}\n");
  tree.file(u"out/noise.csv"_s, "just,some,text,\r\n");
  const struct {
    QStringList arguments;
    int status;
    const char16_t* message;
  } cases[] = {
      {{u"/V"_s, output + u"/cut.json"_s, u"/I"_s, source}, 1, u"リストが途中で切れています"},
      {{u"/V"_s, output + u"/foreign.json"_s, u"/I"_s, source}, 1, u"1 行目: Vek が書いたリスト"},
      {{u"/V"_s, output + u"/noise.csv"_s, u"/I"_s, source}, 1, u"1 行目: 見出しに"},
      {{u"/V"_s, output + u"/missing.json"_s, u"/I"_s, source},
       1,
       u"保存されたリストを読み込めません"},
      {{u"/I"_s, source, u"/V"_s}, 2, u"比較するリストが指定されていません"},
      {{u"/V"_s, list, u"/V"_s, list, u"/I"_s, source}, 2, u"/V はリストとフォルダ"},
      {{u"/V"_s, list, u"/V"_s, list, u"/V"_s, list}, 2, u"/V はリストとフォルダ"},
      {{u"/V"_s, list}, 2, u"ファイルリスト取得対象フォルダが指定されていません"},
  };
  for (const auto& c : cases) {
    const test::VekRun r = run(c.arguments);
    EXPECT_EQ(r.exitCode, c.status) << c.arguments.join(u' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf16(c.message))) << r.err.toStdString();
    EXPECT_EQ(r.out, QString());
  }
}

// Digests on both sides: a renamed file is one moved line naming both paths, a file that
// cannot be read now is unverified (never the same), and so is everything the saved list has
// under a folder that cannot be read, which is named on standard error; the status is 5 when
// nothing else differs, 4 when something does.
TEST_F(CompareProcess, MovedAndUnverifiedFilesWithDigests) {
  tree.file(u"in/a/report.txt"_s, "the report");
  tree.file(u"in/keep.txt"_s, "kept");
  tree.file(u"in/secret.txt"_s, "secret");
  tree.file(u"in/locked/inner.txt"_s, "inner");
  const QStringList walk = {u"/I"_s, source, u"/C"_s, u"/E"_s, u"*"_s, u"/M"_s, u"SHA256"_s};
  ASSERT_EQ(
      run(QStringList{u"/O"_s, output, u"/T"_s, u"JSON"_s, u"/F"_s, u"before"_s} + walk).exitCode,
      0);
  const QStringList compare = QStringList{u"/V"_s, output + u"/before.json"_s} + walk;
  for (const QString& folder : QStringList{source, source + u"/a"_s, source + u"/locked"_s})
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
  ASSERT_EQ(::chmod(QFile::encodeName(source + u"/secret.txt"_s).constData(), 0), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(source + u"/locked"_s).constData(), 0), 0);
  const test::VekRun unread = run(compare, true);
  EXPECT_EQ(unread.exitCode, 5) << unread.err.toStdString();
  EXPECT_EQ(unread.out, u"? locked/inner.txt (unreadable)\n? secret.txt (not hashed)\n"_s);
  EXPECT_TRUE(unread.err.contains(u"\n  "_s + source + u"/locked/: Permission denied\n"_s))
      << unread.err.toStdString();
  EXPECT_TRUE(unread.err.contains(u"\n  "_s + source + u"/secret.txt: Permission denied"_s))
      << unread.err.toStdString();
  EXPECT_TRUE(unread.err.contains(u"同じ 2　追加 0　削除 0　変更 0　移動 0　未確認 2"_s));

  ::chmod(QFile::encodeName(source + u"/secret.txt"_s).constData(), 0644);
  ::chmod(QFile::encodeName(source + u"/locked"_s).constData(), 0755);
  ASSERT_TRUE(QDir(source).mkdir(u"b"_s));
  ASSERT_TRUE(QFile::rename(source + u"/a/report.txt"_s, source + u"/b/report (final).txt"_s));
  const test::VekRun moved = run(compare);
  EXPECT_EQ(moved.exitCode, 4) << moved.err.toStdString();
  EXPECT_EQ(moved.out, u"> a/report.txt → b/report (final).txt\n"_s);
  EXPECT_TRUE(moved.err.contains(u"同じ 3　追加 0　削除 0　変更 0　移動 1　未確認 0"_s))
      << moved.err.toStdString();
}

// A saved list is only read, never followed: its rows outside the folder (a crafted row naming
// /etc/hostname, a folder with "..") are removed rows, which the comparison never opens, and
// no digest of them reaches the written list or its checksum file.
TEST_F(CompareProcess, ACraftedListNeverMakesTheComparisonReadOutsideTheFolder) {
  tree.file(u"in/a.txt"_s, "ab");
  tree.file(u"secret"_s, "not to be read");
  const QStringList walk = {u"/I"_s, source, u"/C"_s, u"/E"_s, u"*"_s, u"/M"_s, u"SHA256"_s};
  ASSERT_EQ(
      run(QStringList{u"/O"_s, output, u"/T"_s, u"JSON"_s, u"/F"_s, u"made"_s} + walk).exitCode, 0);
  const QString script =
      uR"(
import json, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
row = doc['rows'][0]
doc['rows'] += [dict(row, folder='/etc/', name='hostname', extension=''),
                dict(row, folder=sys.argv[2] + '/../', name='secret', extension='')]
doc['rowCount'] = len(doc['rows'])
json.dump(doc, open(sys.argv[3], 'w', encoding='utf-8'))
)"_s;
  const QString crafted = output + u"/crafted.json"_s;
  const Tool python =
      runTool(u"python3"_s, {u"-c"_s, script, output + u"/made.json"_s, source, crafted});
  ASSERT_EQ(python.exitCode, 0) << python.err.toStdString();

  const QString trace = output + u"/trace.txt"_s;
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"VEK_HOME"_s, home);
  process.setProcessEnvironment(env);
  process.start(u"strace"_s,
                QStringList{u"-f"_s, u"-e"_s, u"trace=open,openat,openat2"_s, u"-o"_s, trace,
                            qEnvironmentVariable("VEK_EXE"), u"/V"_s, crafted} +
                    walk +
                    QStringList{u"/O"_s, output, u"/T"_s, u"CSV"_s, u"/F"_s, u"diff"_s, u"/W"_s});
  ASSERT_TRUE(process.waitForFinished(120000));
  EXPECT_EQ(process.exitCode(), 4) << process.readAllStandardError().toStdString();
  QFile traced(trace);
  ASSERT_TRUE(traced.open(QIODevice::ReadOnly));
  const QByteArray calls = traced.readAll();
  ASSERT_TRUE(calls.contains("a.txt")) << "the trace sees the files hashed";
  EXPECT_FALSE(calls.contains("hostname")) << calls.toStdString();
  EXPECT_FALSE(calls.contains("\"secret\"") || calls.contains("/secret\"")) << calls.toStdString();
  const QStringList lines = csvLines(output + u"/diff.csv"_s);
  ASSERT_EQ(lines.size(), 3) << lines.join(u'|').toStdString();
  for (const QString& line : lines.mid(1)) {
    EXPECT_TRUE(line.endsWith(u",(比較で確認できないため読み取りなし),削除,"_s))
        << line.toStdString();
  }
  QFile sums(output + u"/diff.sha256"_s);
  ASSERT_TRUE(sums.open(QIODevice::ReadOnly));
  EXPECT_EQ(sums.readAll(), QByteArray());
}

}  // namespace
}  // namespace vek
