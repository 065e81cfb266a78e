// The list file of a batch run through the real executable: protected files, folders that take
// no new file, interrupts during the write, folders deeper than a path may be long.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

#include "core/platform/FolderPath.h"
#include "support/BatchProcessFixture.h"
#include "support/DeepFolder.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

class BatchOutputFileTest : public test::BatchProcessFixture {
 protected:
  BatchOutputFileTest() { tree.file(u"in/a.txt"_s, "a"); }

  test::VekRunOptions options(bool unprivileged = false) const {
    return BatchProcessFixture::options(unprivileged, {source});
  }
};

const QStringList kListCommand{u"/I"_s, u"in"_s, u"/O"_s, u"out"_s, u"/F"_s, u"list"_s};

// A list the person made read-only stays as it is, for root too: the run says it could not be
// written and exits with 1.
TEST_F(BatchOutputFileTest, AReadOnlyListIsNotReplaced) {
  const QString path = tree.file(u"out/list.csv"_s, "kept");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
  for (const bool unprivileged : {false, true}) {
    SCOPED_TRACE(unprivileged ? "as nobody" : "as this user");
    const test::VekRun r = test::runVek(kListCommand, options(unprivileged));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(u"警告: ファイルを開くことが出来ません。\n  "_s + path + u'\n'))
        << r.err.toStdString();
    EXPECT_EQ(tree.read(u"out/list.csv"_s), "kept");
    EXPECT_EQ(entries(output), QStringList{u"list.csv"_s});
  }
}

// A folder that takes no new file holding a list its user may write: the list is written into
// the file, as writing it directly would.
TEST_F(BatchOutputFileTest, AWritableListInAClosedFolderIsWritten) {
  const QString path = tree.file(u"out/list.csv"_s, "an old list, longer than the new one\r\n");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(output).constData(), 0555), 0);
  const test::VekRun r = test::runVek(kListCommand, options(true));
  ::chmod(QFile::encodeName(output).constData(), 0755);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.err, QString());
  const QByteArray written = tree.read(u"out/list.csv"_s);
  EXPECT_FALSE(written.startsWith("an old list")) << written.constData();
  EXPECT_TRUE(written.contains("a.txt")) << written.constData();
  EXPECT_EQ(entries(output), QStringList{u"list.csv"_s});
}

// Waits until a temporary file of vek appears in the watched folder; false after 30 s.
bool waitForTemporaryFile(int watch) {
  alignas(inotify_event) char buffer[4096];
  pollfd ready{watch, POLLIN, 0};
  while (::poll(&ready, 1, 30000) == 1) {
    const ssize_t got = ::read(watch, buffer, sizeof buffer);
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && QByteArray(event->name).startsWith(".vek-")) return true;
      at += ssize_t(sizeof(inotify_event) + event->len);
    }
  }
  return false;
}

// An interrupt while a large list is being written ends the run with 128 + the signal's number
// and leaves neither a temporary file nor a changed list behind.
TEST_F(BatchOutputFileTest, AnInterruptDuringTheWriteLeavesNothingBehind) {
  // Rows long enough (every one holds a 3,000-byte folder path) that the write of the few
  // thousand lasts well after its temporary file appears.
  QStringList levels;
  for (int i = 0; i < 15; ++i) levels.append(QString(200, u'd'));
  const QString deep = tree.folder(u"many/"_s + levels.join(u'/'));
  for (int i = 0; i < 4000; ++i) {
    const QByteArray name = QFile::encodeName(deep) + "/file " + QByteArray::number(i) + ".txt";
    ::close(::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  }
  tree.file(u"out/list.xml"_s, "the old list");
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(::strsignal(signal));
    // On a busy machine the signal may come only after the list was renamed into place; such a
    // run proves nothing and is tried again.
    bool interruptedMidWrite = false;
    for (int attempt = 0; attempt < 5 && !interruptedMidWrite; ++attempt) {
      tree.file(u"out/list.xml"_s, "the old list");
      const int watch = ::inotify_init1(IN_CLOEXEC);
      ASSERT_GE(watch, 0);
      ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(output).constData(), IN_CREATE), 0);
      QProcess process;
      test::startVek(
          process,
          {u"/I"_s, u"many"_s, u"/C"_s, u"/O"_s, u"out"_s, u"/T"_s, u"XML"_s, u"/F"_s, u"list"_s},
          options());
      ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
      const bool seen = waitForTemporaryFile(watch);
      ::kill(pid_t(process.processId()), signal);
      ::close(watch);
      ASSERT_TRUE(seen);
      ASSERT_TRUE(process.waitForFinished(60000));
      EXPECT_EQ(entries(output), QStringList{u"list.xml"_s});
      const QByteArray list = tree.read(u"out/list.xml"_s);
      if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        EXPECT_TRUE(list.trimmed().endsWith("</root>")) << list.right(100).constData();
        continue;
      }
      EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
      EXPECT_EQ(process.exitCode(), 128 + signal);
      // Either the old list, untouched, or the new one complete.
      interruptedMidWrite = list == "the old list";
      if (!interruptedMidWrite) {
        EXPECT_TRUE(list.trimmed().endsWith("</root>")) << list.right(100).constData();
      }
      if (HasFailure()) return;
    }
    EXPECT_TRUE(interruptedMidWrite) << "no signal came during the write in five runs";
  }
}

// Folders whose paths are longer than a path may be (4,096 bytes) are accepted after /I and /O,
// relative or absolute: the run lists the deep folder and writes its list there.
TEST_F(BatchOutputFileTest, FoldersDeeperThanAPathMayBeLong) {
  const QString deep = test::makeDeepFolder(tree.folder(u"deep"_s));
  ASSERT_GT(QFile::encodeName(deep).size(), 4096);
  const QByteArray name(100, 'f');
  const PathParts parts{QFile::encodeName(deep), name + ".txt"};
  {
    const int dir = openFolderPath(parts.folder, O_PATH);
    ASSERT_GE(dir, 0);
    ::close(::openat(dir, parts.name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    ::close(dir);
  }
  const QString relative = deep.mid(tree.root().size() + 1);
  for (const QString& folder : {deep, relative}) {
    SCOPED_TRACE(folder.size());
    const test::VekRun r = test::runVek(
        {u"/I"_s, folder, u"/O"_s, folder, u"/T"_s, u"TEXT"_s, u"/F"_s, u"list"_s}, options());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const std::optional<QByteArray> list = test::readDeepFile(deep + u"/list.txt"_s);
    ASSERT_TRUE(list.has_value());
    EXPECT_TRUE(list->contains(parts.name)) << list->left(300).constData();
  }
  test::removeDeepTree(tree.root());
}

}  // namespace
}  // namespace vek
