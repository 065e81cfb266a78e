// The batch run's walk of a tree, through the real executable: the same bytes whatever the
// number of threads, folders deeper than the system's path limit, and what could not be read
// named with exit status 5.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "support/BatchProcessFixture.h"
#include "support/MissingHere.h"
#include "support/Mount.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

using RunResult = test::VekRun;

class BatchWalkTest : public test::BatchProcessFixture {
 protected:
  // vek /I source /O output /T CSV /F name /C, with threads threads (0: the default), as the
  // unprivileged user "nobody" when asked and this process is root.
  RunResult run(const QString& name, int threads = 0, bool unprivileged = false) const {
    test::VekRunOptions walk = options(unprivileged, {output});
    walk.threads = threads;
    return test::runVek(
        {u"/I"_s, source, u"/O"_s, output, u"/T"_s, u"CSV"_s, u"/F"_s, name, u"/C"_s}, walk);
  }

  QByteArray outputBytes(const QString& name) const {
    QFile file(output + u'/' + name + u".csv"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
};

TEST_F(BatchWalkTest, TheOutputIsTheSameForAnyNumberOfThreads) {
  // Wide and deep, with folders of more files than one batch, sorted by folder (the default).
  for (int a = 0; a < 12; ++a) {
    for (int b = 0; b < 4; ++b) {
      const QString folder = u"in/d%1/e%2/"_s.arg(a).arg(b);
      for (int f = 0; f < 15; ++f)
        tree.file(folder + u"f%1.%2"_s.arg(f).arg(f % 3 ? u"txt"_s : u"png"_s), "x");
    }
  }
  tree.folder(u"in/big"_s);
  for (int f = 0; f < 1100; ++f) {
    const int fd = ::open(QFile::encodeName(u"%1/big/g%2.dat"_s.arg(source).arg(f)).constData(),
                          O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  ASSERT_EQ(run(u"one"_s, 1).exitCode, 0);
  const QByteArray expected = outputBytes(u"one"_s);
  EXPECT_EQ(expected.count('\n'), 1 + 12 * 4 * 15 + 1100);
  for (int threads : {2, 8}) {
    const QString name = u"t%1"_s.arg(threads);
    ASSERT_EQ(run(name, threads).exitCode, 0);
    EXPECT_TRUE(outputBytes(name) == expected) << threads;
  }
}

// Thirty nested folders of 200-byte names: their paths pass the system's 4,096-byte limit, and
// every file is still listed, as find lists it.
TEST_F(BatchWalkTest, FoldersDeeperThanThePathLimitAreListed) {
  const QByteArray part = QByteArray(200, 'd');
  int dir = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(dir, 0);
  for (int depth = 0; depth < 30; ++depth) {
    ASSERT_EQ(::mkdirat(dir, part.constData(), 0755), 0);
    const int next = ::openat(dir, part.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(dir);
    ASSERT_GE(next, 0);
    dir = next;
    const int fd = ::openat(dir, QByteArray("file%1.txt").replace("%1", QByteArray::number(depth)),
                            O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  ::close(dir);

  const RunResult r = run(u"deep"_s);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, QString());
  const QByteArray csv = outputBytes(u"deep"_s);
  EXPECT_EQ(csv.count('\n'), 31);  // the header and thirty files
  // QTemporaryDir cannot remove what lies past the limit; rm works relative to each folder.
  QProcess::execute(u"rm"_s, {u"-rf"_s, source + u'/' + QString::fromLatin1(part)});
  for (int depth = 0; depth < 30; ++depth)
    EXPECT_TRUE(csv.contains(QByteArray("file%1.txt").replace("%1", QByteArray::number(depth))))
        << depth;
}

// What cannot be read is left out of the list, and the run names each folder and file with the
// system's reason, one a line with its path escaped, and ends with 5: the list is incomplete.
TEST_F(BatchWalkTest, WhatCannotBeReadIsNamedAndTheStatusIsFive) {
  tree.file(u"in/top.txt"_s, "x");
  tree.file(u"in/closed/inner.txt"_s, "x");
  tree.file(u"in/also closed/x/deep.txt"_s, "x");
  tree.file(u"in/odd\nname/y.txt"_s, "x");
  tree.file(u"in/no search/z.txt"_s, "x");
  tree.file(u"in/open/ok.txt"_s, "x");
  QFile::setPermissions(source, QFileDevice::Permissions(0x7755));
  QFile::setPermissions(source + u"/open"_s, QFileDevice::Permissions(0x7755));
  const struct {
    QString folder;
    mode_t mode;
  } closed[] = {{u"/closed"_s, 0},
                {u"/also closed"_s, 0},
                {u"/odd\nname"_s, 0},
                {u"/no search"_s, 0444}};  // listed, but its files' information is refused
  for (const auto& c : closed)
    ASSERT_EQ(::chmod(QFile::encodeName(source + c.folder).constData(), c.mode), 0);

  const RunResult r = run(u"partly"_s, 0, true);
  for (const auto& c : closed) ::chmod(QFile::encodeName(source + c.folder).constData(), 0755);
  EXPECT_EQ(r.exitCode, 5);
  EXPECT_EQ(r.err,
            u"警告: 次の 4 件を読み取れなかったため、リストは完全ではありません:\n"_s
            u"  "_s +
                source +
                u"/also closed/: Permission denied\n"_s
                u"  "_s +
                source +
                u"/closed/: Permission denied\n"_s
                u"  "_s +
                source +
                u"/odd\\nname/: Permission denied\n"_s
                u"  "_s +
                source + u"/no search/z.txt: Permission denied\n"_s);
  const QByteArray csv = outputBytes(u"partly"_s);
  EXPECT_EQ(csv.count('\n'), 3) << csv.toStdString();
}

// proc mounted inside the tree: the run lists nothing under it and says nothing about it.
TEST_F(BatchWalkTest, APseudoFileSystemInTheTreeIsNotEntered) {
  tree.file(u"in/a.txt"_s, "x");
  tree.folder(u"in/kernel"_s);
  const test::Mount proc(u"proc"_s, source + u"/kernel"_s);
  if (!proc.mounted()) VEK_SKIP_OR_FAIL_IN_CI(!proc.forbidden(), proc.failure().toStdString());
  const RunResult r = run(u"pseudo"_s);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, QString());
  const QByteArray csv = outputBytes(u"pseudo"_s);
  EXPECT_EQ(csv.count('\n'), 2) << csv.left(2000).toStdString();  // the header and a.txt
  EXPECT_FALSE(csv.contains("/kernel"));
}

}  // namespace
}  // namespace vek
