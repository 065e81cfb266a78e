// The shared output file: complete files replace the target, every failure leaves it untouched.
#include "core/platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "support/DeepFolder.h"
#include "support/FileSizeLimit.h"
#include "support/MissingHere.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QString kFailureText =
    u"ファイルを開くことが出来ません。\r\n%1\r\n他の処理によってロックされていないか、"
    u"ハードディスクがいっぱいでないかを確認してください。\r\nファイルは出力されませんでした。"_s;

auto writing(const QByteArray& bytes) {
  return [bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); };
}

// Names in the folder, so a test sees a temporary file left behind.
QStringList entriesOf(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot);
}

void expectFailureMessage(const test::RecordingInteraction& interaction, const QString& path) {
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].title, u"警告"_s);
  // The lines of the warning, then the system's reason where the system gave one (a short
  // write to a full disk sets none).
  const QString& text = interaction.messages[0].text;
  const QString lines = kFailureText.arg(path);
  EXPECT_TRUE(text == lines || (text.startsWith(lines + u"\r\n原因: "_s) &&
                                text.size() > lines.size() + 6 && !text.contains(u"Unknown"_s)))
      << text.toStdString();
  EXPECT_EQ(interaction.messages[0].icon, MessageIcon::Warning);
}

// After a failed write over list.csv: its old contents as they were, no temporary file left
// beside it, and the one warning naming it.
void expectOldFileKept(const test::TempTree& tree, const test::RecordingInteraction& interaction,
                       const QString& path) {
  EXPECT_EQ(tree.read(u"list.csv"_s), "old contents");
  EXPECT_EQ(entriesOf(tree.root()), QStringList{u"list.csv"_s});
  expectFailureMessage(interaction, path);
}

TEST(OutputFile, WritesANewFileAndReplacesAnOldOne) {
  test::TempTree tree;
  test::RecordingInteraction interaction;
  const QString path = tree.path(u"list.csv"_s);
  ASSERT_TRUE(OutputFile::write(path, interaction, writing("first\r\n")));
  EXPECT_EQ(tree.read(u"list.csv"_s), "first\r\n");
  ASSERT_TRUE(OutputFile::write(path, interaction, writing("second")));
  EXPECT_EQ(tree.read(u"list.csv"_s), "second");
  EXPECT_TRUE(interaction.messages.empty());
  EXPECT_EQ(entriesOf(tree.root()), QStringList{u"list.csv"_s});
  // A list is an ordinary document: readable by others as the umask allows, not private.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const auto permissions = QFile(path).permissions();
  EXPECT_TRUE(permissions & QFileDevice::ReadOwner);
  EXPECT_EQ(bool(permissions & QFileDevice::ReadOther), !(mask & S_IROTH));
}

TEST(OutputFile, AFailedBodyLeavesTheOldFileUntouched) {
  test::TempTree tree;
  tree.file(u"list.csv"_s, "old contents");
  test::RecordingInteraction interaction;
  const QString path = tree.path(u"list.csv"_s);
  const bool ok = OutputFile::write(path, interaction, [](QIODevice& device) {
    device.write("half a list");
    return false;
  });
  EXPECT_FALSE(ok);
  expectOldFileKept(tree, interaction, path);
}

TEST(OutputFile, FilesThatCannotBeCreated) {
  test::TempTree tree;
  tree.folder(u"folder"_s);
  const QString missing = tree.path(u"no such folder/list.csv"_s);
  const QString isFolder = tree.path(u"folder"_s);
  for (const QString& path : {missing, isFolder}) {
    SCOPED_TRACE(path.toStdString());
    test::RecordingInteraction interaction;
    bool bodyRan = false;
    EXPECT_FALSE(OutputFile::write(path, interaction, [&](QIODevice&) { return bodyRan = true; }));
    EXPECT_FALSE(bodyRan);
    expectFailureMessage(interaction, path);
  }
  EXPECT_TRUE(QFileInfo(isFolder).isDir());
}

TEST(OutputFile, AReadOnlyFolderIsRefused) {
  test::TempTree tree;
  const QString folder = tree.folder(u"locked"_s);
  tree.file(u"locked/list.csv"_s, "old");
  test::openToOthers({tree.root()});
  ::chmod(QFile::encodeName(folder).constData(), 0555);
  const bool refused = test::runAsUnprivileged([&] {
    test::RecordingInteraction interaction;
    return !OutputFile::write(folder + u"/list.csv"_s, interaction, writing("new")) &&
           interaction.messages.size() == 1;
  });
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_TRUE(refused);
  EXPECT_EQ(tree.read(u"locked/list.csv"_s), "old");
  EXPECT_EQ(entriesOf(folder), QStringList{u"list.csv"_s});
}

// A full disk, made real for any user: the file-size limit makes write() fail with EFBIG.
// Sizes on both sides of a write buffer: a small file may reach the disk only when it is
// committed, a large one while the body still writes, one large block in a single short write;
// none may pass for written, whether or not the body looks at what write() returned.
TEST(OutputFile, AWriteFailureOnDiskLeavesTheOldFileUntouched) {
  const struct {
    qint64 limit;
    int blockSize;
    int blocks;
  } cases[] = {{4096, 100, 1000}, {1024, 100, 30}, {1, 100, 1}, {4096, 100, 41}, {4096, 100000, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.limit << " bytes, " << c.blocks << " x " << c.blockSize);
    test::TempTree tree;
    tree.file(u"list.csv"_s, "old contents");
    const QString path = tree.path(u"list.csv"_s);

    test::RecordingInteraction interaction;
    bool ok = false;
    {
      const test::FileSizeLimit limit(rlim_t(c.limit));
      ASSERT_TRUE(limit.isSet());
      // The body may or may not see the failure; commit must.
      ok = OutputFile::write(path, interaction, [&](QIODevice& device) {
        const QByteArray block(c.blockSize, 'x');
        for (int i = 0; i < c.blocks; ++i) device.write(block);
        return true;
      });
    }

    EXPECT_FALSE(ok);
    expectOldFileKept(tree, interaction, path);
  }
}

TEST(OutputFile, DiscardedWithoutCommitLeavesNothing) {
  test::TempTree tree;
  {
    OutputFile file(tree.path(u"list.txt"_s));
    ASSERT_TRUE(file.open());
    file.device().write("abc");
  }
  EXPECT_TRUE(entriesOf(tree.root()).isEmpty());
}

TEST(OutputFile, NoticesAfterReplacedCharacters) {
  const struct {
    Message message;
    QString text;
  } cases[] = {
      {OutputFile::replacedCharactersMessage(u"/tmp/l.txt"_s, "CP932", 3),
       u"ファイルを出力しました。\r\n/tmp/l.txt\r\nただし、文字コード CP932 で表せない文字が 3 "
       u"文字あったため、「?」に置き換えて出力しました。"_s},
      {OutputFile::unrepresentableCharactersMessage(u"/tmp/l.xml"_s, 2),
       u"ファイルを出力しました。\r\n/tmp/l.xml\r\nただし、ファイル内に書けない文字（制御文字など）"
       u"が 2 文字あったため、「\uFFFD」（U+FFFD）に置き換えて出力しました。"_s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.message.title, u"文字の置き換え"_s);
    EXPECT_EQ(c.message.text, c.text);
    EXPECT_EQ(c.message.icon, MessageIcon::Information);
  }
}

TEST(OutputFile, ReplacingKeepsTheFilesPermissionBits) {
  test::TempTree tree;
  const struct {
    const char* name;
    mode_t mode;
  } cases[] = {
      {"private.csv", 0600}, {"shared.csv", 0664}, {"public.csv", 0644}, {"script.csv", 0750}};
  for (const auto& c : cases) {
    const QString path = tree.file(QString::fromUtf8(c.name), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.mode), 0);
    test::RecordingInteraction interaction;
    ASSERT_TRUE(OutputFile::write(path, interaction, writing("new"))) << c.name;
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.mode) << c.name;
    EXPECT_EQ(tree.read(QString::fromUtf8(c.name)), "new");
  }
}

// A link at the output name, as another user could plant in a shared folder, is replaced by the
// list: what it points at is never written, also when it points nowhere yet.
TEST(OutputFile, ALinkAtTheNameIsReplacedNotFollowed) {
  test::TempTree tree;
  const QString victim = tree.file(u"elsewhere/victim"_s, "precious");
  const QString link = tree.link(u"out/list.csv"_s, victim);
  const QString dangling = tree.link(u"out/new.csv"_s, tree.path(u"elsewhere/created"_s));
  for (const QString& path : {link, dangling}) {
    test::RecordingInteraction interaction;
    ASSERT_TRUE(OutputFile::write(path, interaction, writing("list"))) << path.toStdString();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(QFileInfo(path).isFile());
  }
  EXPECT_EQ(tree.read(u"out/list.csv"_s), "list");
  EXPECT_EQ(tree.read(u"out/new.csv"_s), "list");
  EXPECT_EQ(tree.read(u"elsewhere/victim"_s), "precious");
  EXPECT_FALSE(QFile::exists(tree.path(u"elsewhere/created"_s)));
  EXPECT_EQ(entriesOf(tree.path(u"elsewhere"_s)), QStringList{u"victim"_s});
}

// A settings file the person linked to elsewhere (dotfiles kept in one folder) stays a link: its
// target is replaced whole.
TEST(OutputFile, ASettingsFileIsWrittenThroughItsLink) {
  test::TempTree tree;
  const QString kept = tree.file(u"dotfiles/Vek.ini"_s, "old");
  const QString link = tree.link(u"config/Vek.ini"_s, kept);
  QString error;
  ASSERT_TRUE(OutputFile::writeWhole(link, "new", OutputFile::AtLink::WriteTarget, &error))
      << error.toStdString();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(tree.read(u"dotfiles/Vek.ini"_s), "new");
  EXPECT_EQ(entriesOf(tree.path(u"dotfiles"_s)), QStringList{u"Vek.ini"_s});
}

// A file the person made read-only is not replaced: the write fails as writing into it would,
// with the message. Root, whom the system lets write anything, goes by the mode bits: a file no
// one may write is left alone.
TEST(OutputFile, AProtectedFileIsNotReplaced) {
  for (const mode_t mode : {0444, 0400, 0555}) {
    SCOPED_TRACE(mode);
    test::TempTree tree;
    const QString path = tree.file(u"list.csv"_s, "old contents");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    test::RecordingInteraction interaction;
    EXPECT_FALSE(OutputFile::write(path, interaction, writing("new")));
    expectOldFileKept(tree, interaction, path);
    // The same as its owner, an ordinary user, in a folder open to all.
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    test::openToOthers({tree.root()});
    EXPECT_TRUE(test::runAsUnprivileged(
        [&] { return !OutputFile::writeWhole(path, "new", OutputFile::AtLink::Replace); }));
    EXPECT_EQ(tree.read(u"list.csv"_s), "old contents");
    EXPECT_EQ(entriesOf(tree.root()), QStringList{u"list.csv"_s});
  }
}

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  uid_t owner = 0;
  gid_t group = 0;
  mode_t mode = 0;
  nlink_t links = 0;
};

FileIdentity identityOf(const QString& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
  return {st.st_dev, st.st_ino, st.st_uid, st.st_gid, st.st_mode & 07777, st.st_nlink};
}

// The person's own attributes and access lists stay with a replaced list.
TEST(OutputFile, AReplacedFileKeepsItsExtendedAttributes) {
  test::TempTree tree;
  const QString path = tree.file(u"list.csv"_s, "old");
  const QByteArray encoded = QFile::encodeName(path);
  if (::setxattr(encoded.constData(), "user.vek.note", "kept", 4, 0) != 0)
    VEK_SKIP_WHERE_MISSING("this file system keeps no user attributes");
  ASSERT_TRUE(OutputFile::writeWhole(path, "new", OutputFile::AtLink::Replace));
  EXPECT_EQ(tree.read(u"list.csv"_s), "new");
  char value[16] = {};
  EXPECT_EQ(::getxattr(encoded.constData(), "user.vek.note", value, sizeof value), 4);
  EXPECT_STREQ(value, "kept");
  EXPECT_EQ(entriesOf(tree.root()), QStringList{u"list.csv"_s});
}

// Files replaced together: when the last cannot take its place, the ones replaced before it get
// their old contents back (or go again where there was none), and nothing else is left behind.
TEST(OutputFile, FilesReplacedTogetherAreAllNewOrAllOld) {
  for (const bool firstExisted : {true, false}) {
    SCOPED_TRACE(firstExisted);
    test::TempTree tree;
    if (firstExisted) tree.file(u"list.csv"_s, "old list");
    const QString listPath = tree.path(u"list.csv"_s), sumsPath = tree.path(u"list.sha256"_s);
    OutputFile list(listPath), sums(sumsPath);
    ASSERT_TRUE(list.fill(writing("new list")));
    ASSERT_TRUE(sums.fill(writing("new sums")));
    // The checksum file's name is taken by a folder after both were staged: its rename fails.
    tree.file(u"list.sha256/inside"_s, "x");
    OutputFile* files[] = {&list, &sums};
    EXPECT_EQ(OutputFile::commitTogether(files), std::optional<std::size_t>(1));
    EXPECT_FALSE(sums.errorString().isEmpty());
    EXPECT_EQ(entriesOf(tree.root()), firstExisted ? (QStringList{u"list.csv"_s, u"list.sha256"_s})
                                                   : QStringList{u"list.sha256"_s});
    if (firstExisted) {
      EXPECT_EQ(tree.read(u"list.csv"_s), "old list");
    }
  }

  // Both replaced: each keeps its permission bits; the old files kept meanwhile are gone.
  test::TempTree tree;
  const QString listPath = tree.file(u"list.csv"_s, "old list");
  const QString sumsPath = tree.file(u"list.sha256"_s, "old sums");
  ASSERT_EQ(::chmod(QFile::encodeName(listPath).constData(), 0640), 0);
  OutputFile list(listPath), sums(sumsPath);
  ASSERT_TRUE(list.fill(writing("new list")));
  ASSERT_TRUE(sums.fill(writing("new sums")));
  OutputFile* files[] = {&list, &sums};
  EXPECT_EQ(OutputFile::commitTogether(files), std::nullopt);
  EXPECT_EQ(tree.read(u"list.csv"_s), "new list");
  EXPECT_EQ(tree.read(u"list.sha256"_s), "new sums");
  EXPECT_EQ(identityOf(listPath).mode, 0640u);
  EXPECT_EQ(entriesOf(tree.root()), (QStringList{u"list.csv"_s, u"list.sha256"_s}));

  // One that cannot be staged: none is replaced.
  const test::FileSizeLimit limit(4);
  ASSERT_TRUE(limit.isSet());
  ASSERT_TRUE(list.fill(writing("ok")));
  ASSERT_TRUE(sums.fill(writing("too long for the disk")));
  EXPECT_EQ(OutputFile::commitTogether(files), std::optional<std::size_t>(1));
  EXPECT_EQ(tree.read(u"list.csv"_s), "new list");
  EXPECT_EQ(tree.read(u"list.sha256"_s), "new sums");
  EXPECT_EQ(entriesOf(tree.root()), (QStringList{u"list.csv"_s, u"list.sha256"_s}));
}

// A folder that takes no new file but holds a file that may be written: the file is written in
// place, as writing into it directly would; a failed write leaves its old contents.
TEST(OutputFile, AWritableFileInAClosedFolderIsWrittenInPlace) {
  test::TempTree tree;
  const QString folder = tree.folder(u"closed"_s);
  const QString path = tree.file(u"closed/list.csv"_s, "old contents, longer than the new");
  const QByteArray encoded = QFile::encodeName(path);
  ASSERT_EQ(::chown(encoded.constData(), 65534, 65534), 0);
  ASSERT_EQ(::chmod(encoded.constData(), 0640), 0);
  test::openToOthers({tree.root()});
  ::chmod(QFile::encodeName(folder).constData(), 0555);
  const FileIdentity before = identityOf(path);
  const bool failedBodyKeptTheFile = test::runAsUnprivileged([&] {
    test::RecordingInteraction interaction;
    return !OutputFile::write(path, interaction, [](QIODevice& device) {
      device.write("half");
      return false;
    }) && interaction.messages.size() == 1;
  });
  EXPECT_TRUE(failedBodyKeptTheFile);
  EXPECT_EQ(tree.read(u"closed/list.csv"_s), "old contents, longer than the new");
  QString error;
  const bool written = test::runAsUnprivileged(
      [&] { return OutputFile::writeWhole(path, "new", OutputFile::AtLink::Replace, &error); });
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_TRUE(written);
  EXPECT_EQ(tree.read(u"closed/list.csv"_s), "new");
  const FileIdentity after = identityOf(path);
  EXPECT_EQ(after.inode, before.inode);
  EXPECT_EQ(after.mode, 0640u);
  EXPECT_EQ(entriesOf(folder), QStringList{u"list.csv"_s});
}

// Root replacing another user's list keeps its owner and group; a list with a second name (a
// hard link) stays one file, so both names show the new list.
TEST(OutputFile, AReplacedFileKeepsItsOwnerAndItsOtherNames) {
  if (::geteuid() != 0) VEK_SKIP_WHERE_MISSING("giving a file to another user needs root");
  test::TempTree tree;
  const QString owned = tree.file(u"owned.csv"_s, "old");
  ASSERT_EQ(::chown(QFile::encodeName(owned).constData(), 65534, 65533), 0);
  ASSERT_TRUE(OutputFile::writeWhole(owned, "new", OutputFile::AtLink::Replace));
  EXPECT_EQ(tree.read(u"owned.csv"_s), "new");
  EXPECT_EQ(identityOf(owned).owner, 65534u);
  EXPECT_EQ(identityOf(owned).group, 65533u);

  const QString linked = tree.file(u"linked.csv"_s, "old contents");
  const QString other = tree.path(u"other name.csv"_s);
  ASSERT_EQ(::link(QFile::encodeName(linked).constData(), QFile::encodeName(other).constData()), 0);
  ASSERT_TRUE(OutputFile::writeWhole(linked, "new", OutputFile::AtLink::Replace));
  EXPECT_EQ(tree.read(u"linked.csv"_s), "new");
  EXPECT_EQ(tree.read(u"other name.csv"_s), "new");
  EXPECT_EQ(identityOf(linked).inode, identityOf(other).inode);
  EXPECT_EQ(identityOf(linked).links, 2u);
  // A full disk while the list is staged: both names keep the old list.
  {
    const test::FileSizeLimit limit(2);
    ASSERT_TRUE(limit.isSet());
    EXPECT_FALSE(OutputFile::writeWhole(linked, "a longer list", OutputFile::AtLink::Replace));
  }
  EXPECT_EQ(tree.read(u"other name.csv"_s), "new");
  EXPECT_EQ(entriesOf(tree.root()),
            (QStringList{u"linked.csv"_s, u"other name.csv"_s, u"owned.csv"_s}));
}

// A folder whose path is longer than a path may be (4,096 bytes) still takes a list.
TEST(OutputFile, AFolderDeeperThanAPathMayBeLong) {
  test::TempTree tree;
  const QString deep = test::makeDeepFolder(tree.root());
  ASSERT_GT(QFile::encodeName(deep).size(), 4096);
  const QString path = deep + u"/list.csv"_s;
  QString error;
  EXPECT_TRUE(OutputFile::writeWhole(path, "first", OutputFile::AtLink::Replace, &error))
      << error.toStdString();
  EXPECT_TRUE(OutputFile::writeWhole(path, "second", OutputFile::AtLink::Replace, &error))
      << error.toStdString();
  EXPECT_EQ(test::readDeepFile(path), QByteArray("second"));
  test::removeDeepTree(tree.root());
}

}  // namespace
}  // namespace vek
