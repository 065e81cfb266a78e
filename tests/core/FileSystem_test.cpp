// File-system services: file information, links, hidden names, the one-pass folder read and
// the type descriptions.
#include "core/platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QProcess>

#include <gtest/gtest.h>

#include "core/platform/FileNameBytes.h"
#include "support/MissingHere.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using test::TempTree;

std::vector<QString> names(std::initializer_list<const char*> list) {
  std::vector<QString> out;
  for (const char* name : list) out.push_back(QString::fromUtf8(name));
  return out;
}

TEST(FileSystemTest, FileInfoGivesSizeAndLocalTimes) {
  TempTree tree;
  const QString path = tree.file(QStringLiteral("a.txt"), QByteArray(1234, 'x'));
  const auto info = FileSystem::fileInfo(path);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->size, 1234);
  EXPECT_EQ(info->modified, DateStamp::fromDateTime(QFileInfo(path).lastModified()));
  EXPECT_FALSE(info->accessed.isNull());

  // The same through an open folder.
  const auto folder = FileSystem::Folder::open(tree.root());
  ASSERT_TRUE(folder);
  const auto relative = folder->fileInfo(QStringLiteral("a.txt"));
  ASSERT_TRUE(relative);
  EXPECT_EQ(relative->size, 1234);
  EXPECT_EQ(relative->modified, info->modified);
}

TEST(FileSystemTest, FileInfoFailsForWhatIsNotAReadableFile) {
  TempTree tree;
  tree.folder(QStringLiteral("sub"));
  tree.link(QStringLiteral("dangling"), tree.path(QStringLiteral("gone")));
  for (const QString& path :
       {tree.path(QStringLiteral("missing")), tree.path(QStringLiteral("sub")),
        tree.path(QStringLiteral("dangling")), QString()}) {
    QString error;
    EXPECT_FALSE(FileSystem::fileInfo(path, &error)) << path.toStdString();
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(FileSystemTest, ExistenceTests) {
  TempTree tree;
  const QString file = tree.file(QStringLiteral("f"));
  const QString folder = tree.folder(QStringLiteral("d"));
  EXPECT_TRUE(FileSystem::fileExists(file));
  EXPECT_FALSE(FileSystem::fileExists(folder));
  EXPECT_TRUE(FileSystem::folderExists(folder));
  EXPECT_FALSE(FileSystem::folderExists(file));
  EXPECT_FALSE(FileSystem::folderExists(QString()));
  EXPECT_FALSE(FileSystem::folderExists(tree.path(QStringLiteral("nothing"))));
}

// Thirty nested folders of 200-byte names: paths past the system's 4,096-byte limit are tested
// as any other (a deep file dropped on the window is such a path).
TEST(FileSystemTest, ExistenceTestsOfPathsPastTheSystemLimit) {
  TempTree tree;
  const QByteArray part(200, 'd');
  QString folder = tree.root();
  int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (int depth = 0; depth < 30; ++depth) {
    ASSERT_EQ(::mkdirat(dir, part.constData(), 0755), 0);
    const int next = ::openat(dir, part.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(dir);
    dir = next;
    folder += u'/' + QString::fromLatin1(part);
  }
  ::close(::openat(dir, "f.txt", O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
  ::mkfifoat(dir, "pipe", 0600);
  ::close(dir);
  const QString file = folder + QStringLiteral("/f.txt");
  ASSERT_GT(file.size(), 6000);
  EXPECT_TRUE(FileSystem::fileExists(file));
  EXPECT_TRUE(FileSystem::regularFileExists(file));
  EXPECT_FALSE(FileSystem::folderExists(file));
  EXPECT_TRUE(FileSystem::folderExists(folder));
  EXPECT_TRUE(FileSystem::folderExists(folder + u'/'));
  EXPECT_FALSE(FileSystem::fileExists(folder));
  EXPECT_TRUE(FileSystem::fileExists(folder + QStringLiteral("/pipe")));
  EXPECT_FALSE(FileSystem::regularFileExists(folder + QStringLiteral("/pipe")));
  EXPECT_FALSE(FileSystem::fileExists(folder + QStringLiteral("/missing")));
  EXPECT_TRUE(FileSystem::fileInfo(file).has_value());
  // QTemporaryDir cannot remove what lies past the limit; rm works relative to each folder.
  QProcess::execute(QStringLiteral("rm"),
                    {QStringLiteral("-rf"), tree.path(QString::fromLatin1(part))});
}

TEST(FileSystemTest, ReadFolderSortsHidesAndDoesNotFollowFolderLinks) {
  TempTree tree;
  tree.file(QStringLiteral("b.txt"));
  tree.file(QStringLiteral("A.txt"));
  tree.file(QStringLiteral("a.log"));
  tree.file(QStringLiteral(".hidden"));
  tree.file(QStringLiteral(".secret/inner.txt"));
  tree.folder(QStringLiteral("Sub"));
  tree.link(QStringLiteral("toFile.txt"), tree.path(QStringLiteral("b.txt")));
  tree.link(QStringLiteral("toFolder"), tree.path(QStringLiteral("Sub")));
  tree.link(QStringLiteral("dangling.txt"), tree.path(QStringLiteral("nowhere")));

  const auto all = FileSystem::readFolder(tree.root());
  ASSERT_TRUE(all);
  EXPECT_EQ(all->files, names({"a.log", "A.txt", "b.txt", "toFile.txt"}));
  EXPECT_EQ(all->folders, names({".secret", "Sub"}));

  const auto txt =
      FileSystem::readFolder(tree.root(), [](QStringView name) { return name.endsWith(u".txt"); });
  ASSERT_TRUE(txt);
  EXPECT_EQ(txt->files, names({"A.txt", "b.txt", "toFile.txt"}));

  const auto sub = FileSystem::subfolders(tree.root());
  ASSERT_TRUE(sub);
  EXPECT_EQ(*sub, (QStringList{QStringLiteral(".secret"), QStringLiteral("Sub")}));
  EXPECT_FALSE(FileSystem::readFolder(tree.path(QStringLiteral("none"))));

  // A link to a file is listed with its target's information.
  const auto linked = FileSystem::fileInfo(tree.path(QStringLiteral("toFile.txt")));
  ASSERT_TRUE(linked);
  EXPECT_EQ(linked->size, 0);
}

TEST(FileSystemTest, NamesThatAreNotUtf8ComeBackToTheSameBytes) {
  TempTree tree;
  const QByteArray root = QFile::encodeName(tree.root()) + '/';
  // Bytes that strict UTF-8 refuses next to ones it takes: each name must still open.
  const QByteArray names[] = {
      "caf\xE9.txt",                   // Latin-1
      "\x83\x66\x81\x5B",              // Shift_JIS
      "\xC0\x80overlong",              // an overlong NUL
      "\xED\xA0\x80half",              // an encoded surrogate
      "\xF4\x90\x80\x80-big",          // above U+10FFFF
      "cut\xE3\x81",                   // a sequence cut off at the end
      "\xE3\x81\x82\xFF\xE3\x81\x84",  // valid, invalid, valid
  };
  for (const QByteArray& name : names)
    ASSERT_EQ(::close(::open(QByteArray(root + name).constData(), O_CREAT | O_WRONLY, 0644)), 0);

  const auto listing = FileSystem::readFolder(tree.root());
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->files.size(), std::size(names));  // no two names fell together
  const auto folder = FileSystem::Folder::open(tree.root());
  ASSERT_TRUE(folder);
  for (const QString& name : listing->files) {
    EXPECT_TRUE(FileSystem::fileInfo(tree.root() + u'/' + name)) << name.toStdString();
    EXPECT_TRUE(folder->fileInfo(name)) << name.toStdString();
    EXPECT_EQ(::unlink(vek::encodeFileName(QString(tree.root() + u'/' + name)).constData()), 0)
        << name.toStdString();
  }
  // Valid parts read as text.
  EXPECT_TRUE(std::any_of(listing->files.begin(), listing->files.end(), [](const QString& n) {
    return n.startsWith(u"caf") && n.endsWith(u".txt");
  }));
}

TEST(FileSystemTest, TypeDescriptionsFollowTheMimeDatabaseByName) {
  if (QMimeDatabase().mimeTypeForName(QStringLiteral("text/x-cmake")).comment().isEmpty()) {
    VEK_SKIP_WHERE_MISSING("no MIME data installed");
  }
  // Asking in this order fills the cache with ".txt" first: names that a start-anchored glob
  // decides must still get their own answer, and case-sensitive globs (*.C) theirs.
  const QStringList names = {
      QStringLiteral("a.txt"),       QStringLiteral("CMakeLists.txt"), QStringLiteral("x.c"),
      QStringLiteral("y.C"),         QStringLiteral("Makefile"),       QStringLiteral("README.md"),
      QStringLiteral("Makefile.am"), QStringLiteral("ChangeLog"),      QStringLiteral("b.tar.gz"),
      QStringLiteral("c.PNG"),       QStringLiteral("INSTALL"),        QStringLiteral("core")};
  const QMimeDatabase database;
  // The interface is Japanese here (nothing installed English): the descriptions are those Qt
  // gives under a Japanese locale, whatever the locale of the test.
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  struct Restore {
    QLocale locale;
    ~Restore() { QLocale::setDefault(locale); }
  } restore{before};
  for (const QString& name : names) {
    const QString expected =
        database.mimeTypeForFile(name, QMimeDatabase::MatchExtension).comment().trimmed();
    EXPECT_EQ(FileSystem::typeDescription(name), expected) << name.toStdString();
    EXPECT_EQ(FileSystem::typeDescription(name), expected) << "cached " << name.toStdString();
  }
  EXPECT_NE(FileSystem::typeDescription(QStringLiteral("a.txt")),
            FileSystem::typeDescription(QStringLiteral("CMakeLists.txt")));
}

}  // namespace
}  // namespace vek
