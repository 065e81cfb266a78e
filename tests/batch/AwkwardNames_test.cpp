// A whole-tree CSV listing through the real executable, over a tree of awkward names, an
// unreadable folder and a folder link that makes a loop: the listed set must be exactly what
// `find -type f` sees without hidden names, and the CSV must read back with Python's csv module.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "support/BatchProcessFixture.h"
#include "support/Unprivileged.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

struct CommandResult {
  int exitCode = -1;
  QByteArray out, err;
};

CommandResult runCommand(const QStringList& command, const QProcessEnvironment& env) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(command.front(), command.mid(1));
  process.closeWriteChannel();
  CommandResult result;
  if (!process.waitForFinished(120000)) {
    process.kill();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

// Paths as NUL-separated bytes, sorted, so that names holding a newline compare exactly.
QList<QByteArray> sortedPaths(const QByteArray& nulSeparated) {
  QList<QByteArray> paths = nulSeparated.split('\0');
  paths.removeAll(QByteArray());
  std::sort(paths.begin(), paths.end());
  return paths;
}

using AwkwardNames = test::BatchProcessFixture;

TEST_F(AwkwardNames, WholeTreeCsvListsWhatFindSeesAndReadsBackWithPython) {
  const QStringList names = {
      u"with space.txt"_s, u"comma,name.txt"_s,        u"quote\"name.txt"_s, u"new\nline.txt"_s,
      u"<&>.txt"_s,        u"日本語のファイル.txt"_s,  u"emoji😀.txt"_s,      u".hidden"_s,
      u"noextension"_s,    u"many.dots.in.name.txt"_s, u"it's.csv"_s,        u"tab\there.txt"_s,
  };
  for (const QString& name : names) tree.file(u"in/"_s + name, "x");
  for (const QString& name : names) tree.file(u"in/sub dir,1/"_s + name, "yy");
  tree.file(u"in/.hidden folder/visible.txt"_s, "z");
  tree.file(u"in/closed/secret.txt"_s, "s");
  tree.file(u"in/closed/deeper/secret2.txt"_s, "s");
  tree.link(u"in/sub dir,1/loop"_s, tree.path(u"in"_s));
  ASSERT_TRUE(QFile::setPermissions(tree.path(u"in/closed"_s), QFileDevice::Permissions()));
  const QString out = output;
  test::openToOthers({tree.root(), out, home});

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"VEK_HOME"_s, home);
  env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
  env.remove(u"DISPLAY"_s);
  env.remove(u"QT_QPA_PLATFORM"_s);

  const CommandResult find =
      runCommand(test::unprivilegedCommand({u"find"_s, tree.path(u"in"_s), u"-type"_s, u"f"_s,
                                            u"!"_s, u"-name"_s, u".*"_s, u"-print0"_s}),
                 env);
  const QList<QByteArray> expected = sortedPaths(find.out);
  ASSERT_EQ(expected.size(), 2 * 11 + 1)
      << find.err.toStdString();  // hidden names and closed/ left out

  test::VekRunOptions asNobody = options(true, {out});
  asNobody.environment = {u"LC_ALL=C.UTF-8"_s};
  const test::VekRun vek = test::runVek(
      {u"/I"_s, source, u"/O"_s, out, u"/T"_s, u"CSV"_s, u"/F"_s, u"list"_s, u"/C"_s}, asNobody);
  // The unreadable folder is left out, named, and the list said to be incomplete.
  ASSERT_EQ(vek.exitCode, 5) << vek.err.toStdString();
  EXPECT_EQ(vek.err, u"警告: 次の 1 件を読み取れなかったため、リストは完全ではありません:\n  "_s +
                         source + u"/closed/: Permission denied\n"_s);

  // Folder column + "/" + name column gives the full path of each data row.
  const QString script =
      uR"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f))
assert rows[0] == ['ディレクトリ', 'ファイル名', 'ファイルタイプ', 'ファイルサイズ', '作成日付', ''], rows[0]
for row in rows[1:]:
    assert len(row) == 6 and row[5] == '', row
    sys.stdout.buffer.write((row[0] + '/' + row[1]).encode('utf-8') + b'\0')
)"_s;
  const CommandResult python =
      runCommand({u"python3"_s, u"-c"_s, script, out + u"/list.csv"_s}, env);
  ASSERT_EQ(python.exitCode, 0) << python.err.toStdString();
  EXPECT_EQ(sortedPaths(python.out), expected);
  QFile::setPermissions(tree.path(u"in/closed"_s), QFileDevice::Permissions(0x7700));
}

// A folder whose name is not UTF-8 (Shift_JIS bytes, as unpacked from a Windows archive), given
// on the command line: the run lists it and the CSV names it with the same bytes.
TEST_F(AwkwardNames, SourceFolderNamedInAnotherEncodingIsListed) {
  const QString out = output;
  const QString script =
      uR"(
import os, shutil, subprocess, sys
root, vek, out = os.fsencode(sys.argv[1]), sys.argv[2], sys.argv[3]
folder = os.path.join(root, b'\x82\xa0dir')
os.mkdir(folder)
open(os.path.join(folder, b'a\x83\x41.txt'), 'wb').close()
try:
    run = subprocess.run([vek, '/I', folder, '/O', out, '/T', 'CSV', '/F', 'list'], capture_output=True)
finally:
    shutil.rmtree(folder)  # Qt cannot remove a name it cannot decode
sys.stderr.buffer.write(run.stderr)
if run.returncode != 0:
    sys.exit('vek exited with %d' % run.returncode)
data = open(os.path.join(out, 'list.csv'), 'rb').read()
sys.stdout.buffer.write(data.split(b'\r\n')[1])
)"_s;
  QProcess python;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"VEK_HOME"_s, home);
  env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
  python.setProcessEnvironment(env);
  python.start(u"python3"_s, {u"-c"_s, script, tree.root(), qEnvironmentVariable("VEK_EXE"), out});
  ASSERT_TRUE(python.waitForFinished(60000));
  ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
  // Each byte that is not UTF-8 is written as "?" in a UTF-8 file, but the folder was read and
  // its file listed.
  const QByteArray row = python.readAllStandardOutput();
  const QByteArray start = QFile::encodeName(tree.root()) + QByteArray("/??dir,a?A.txt,");
  EXPECT_TRUE(row.startsWith(start)) << row.toStdString();
}

}  // namespace
}  // namespace vek
