// What a batch run leaves out, through the real executable: /X names and folders (a folder
// left out is not read: an unreadable folder inside it is not counted), /A hidden files, /D one
// file system, and the window's saved choices that never reach a script.
#include <sys/stat.h>

#include <set>

#include <QFile>

#include <gtest/gtest.h>

#include "support/BatchProcessFixture.h"
#include "support/MissingHere.h"
#include "support/Mount.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;
using Names = std::set<QString>;

class BatchExcludeTest : public test::BatchProcessFixture {
 protected:
  BatchExcludeTest() {
    for (const char* name :
         {"in/main.c", "in/.env", "in/Thumbs.db", "in/.git/HEAD", "in/.git/objects/ab/cd",
          "in/node_modules/x/i.js", "in/src/.hidden/deep.c", "in/src/~$note.docx"}) {
      tree.file(QString::fromUtf8(name), "x");
    }
  }

  // The listed paths relative to the source folder, from
  // vek /I source /O output /T CSV /F name /C and the switches.
  std::set<QString> listed(const QString& name, const QStringList& switches,
                           test::VekRun* run = nullptr, bool unprivileged = false,
                           int status = 0) const {
    const test::VekRun r = test::runVek(
        QStringList{
            u"/I"_s,
            source,
            u"/O"_s,
            output,
            u"/T"_s,
            u"CSV"_s,
            u"/F"_s,
            name,
            u"/C"_s,
        } + switches,
        options(unprivileged, {output}));
    if (run) *run = r;
    EXPECT_EQ(r.exitCode, status) << r.err.toStdString();
    std::set<QString> paths;
    const QStringList lines = csvLines(output + u'/' + name + u".csv"_s);
    for (const QString& line : lines.mid(1)) {
      const QStringList cells = line.split(u',');
      if (cells.size() < 2) continue;
      QString folder = cells[0].mid(source.size());
      if (folder.startsWith(u'/')) folder = folder.mid(1) + u'/';
      paths.insert(folder + cells[1]);
    }
    return paths;
  }
};

TEST_F(BatchExcludeTest, ExcludedNamesHiddenFilesAndTheirMix) {
  EXPECT_EQ(listed(u"plain"_s, {}),
            (Names{u"Thumbs.db"_s, u"main.c"_s, u".git/HEAD"_s, u".git/objects/ab/cd"_s,
                   u"node_modules/x/i.js"_s, u"src/~$note.docx"_s, u"src/.hidden/deep.c"_s}));
  EXPECT_EQ(listed(u"x"_s, {u"/X"_s, u".git;node_modules;Thumbs.db;~$*"_s}),
            (Names{u"main.c"_s, u"src/.hidden/deep.c"_s}));
  EXPECT_EQ(listed(u"a"_s, {u"/A"_s, u"/X"_s, u"*.docx; .git ;node_modules"_s}),
            (Names{u".env"_s, u"Thumbs.db"_s, u"main.c"_s, u"src/.hidden/deep.c"_s}));
  EXPECT_EQ(listed(u"dots"_s, {u"/A"_s, u"/X"_s, u".*"_s}),
            (Names{u"Thumbs.db"_s, u"main.c"_s, u"node_modules/x/i.js"_s, u"src/~$note.docx"_s}));
}

// /X "" leaves nothing out, wherever it stands: the empty argument is its value, not dropped
// so that /X would take the next switch for its patterns, or find none at the end.
TEST_F(BatchExcludeTest, AnEmptyExcludeValueLeavesNothingOut) {
  const Names everything = {u".env"_s,
                            u"Thumbs.db"_s,
                            u"main.c"_s,
                            u".git/HEAD"_s,
                            u".git/objects/ab/cd"_s,
                            u"node_modules/x/i.js"_s,
                            u"src/~$note.docx"_s,
                            u"src/.hidden/deep.c"_s};
  EXPECT_EQ(listed(u"before"_s, {u"/X"_s, QString(), u"/A"_s}), everything);
  EXPECT_EQ(listed(u"last"_s, {u"/A"_s, u"/X"_s, QString()}), everything);
}

// The window's choices in Vek.ini are the window's: a script lists what its own line says.
TEST_F(BatchExcludeTest, TheWindowsSavedChoicesDoNotReachARun) {
  writeSettings("[VekWalk]\r\nExclude=\"*.c\"\r\nHiddenFiles=1\r\nOneFileSystem=1\r\n");
  EXPECT_EQ(listed(u"saved"_s, {u"/X"_s, u".git;node_modules"_s}),
            (Names{u"Thumbs.db"_s, u"main.c"_s, u"src/~$note.docx"_s, u"src/.hidden/deep.c"_s}));
  EXPECT_EQ(setting(u"VekWalk"_s, u"Exclude"_s), u"*.c"_s);
}

TEST_F(BatchExcludeTest, AFolderLeftOutIsNotRead) {
  const QString closed = source + u"/node_modules/closed"_s;
  tree.folder(u"in/node_modules/closed/inner"_s);
  QFile::setPermissions(source, QFileDevice::Permissions(0x7755));
  ASSERT_EQ(::chmod(QFile::encodeName(closed).constData(), 0), 0);
  test::VekRun without, with;
  listed(u"without"_s, {}, &without, true, 5);
  listed(u"with"_s, {u"/X"_s, u"node_modules"_s}, &with, true);
  ::chmod(QFile::encodeName(closed).constData(), 0755);
  EXPECT_TRUE(without.err.contains(u"\n  "_s + closed + u"/: Permission denied\n"_s))
      << without.err.toStdString();
  EXPECT_EQ(with.err, QString());
}

TEST_F(BatchExcludeTest, OneFileSystemStaysOnTheStartFoldersOne) {
  tree.folder(u"in/mounted"_s);
  const test::Mount tmpfs(u"tmpfs"_s, source + u"/mounted"_s);
  if (!tmpfs.mounted())
    VEK_SKIP_OR_FAIL_IN_CI(!tmpfs.forbidden(),
                           "no tmpfs to mount: " << tmpfs.failure().toStdString());
  tree.file(u"in/mounted/other.c"_s, "x");
  tree.file(u"in/mounted/sub/deeper.c"_s, "x");
  const QStringList excluded = {u"/X"_s, u".git;node_modules;src"_s};
  EXPECT_EQ(listed(u"all"_s, excluded),
            (Names{u"Thumbs.db"_s, u"main.c"_s, u"mounted/other.c"_s, u"mounted/sub/deeper.c"_s}));
  test::VekRun r;
  EXPECT_EQ(listed(u"one"_s, excluded + QStringList{u"/D"_s}, &r),
            (Names{u"Thumbs.db"_s, u"main.c"_s}));
  EXPECT_EQ(r.err, QString());  // not entered is not unreadable
}

}  // namespace
}  // namespace vek
