// The shared output file: complete files replace the target, every failure leaves it untouched.
#include "core/OutputFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "support/FileSizeLimit.h"
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
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void expectFailureMessage(const test::RecordingInteraction& interaction, const QString& path) {
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].title, u"警告"_s);
  EXPECT_EQ(interaction.messages[0].text, kFailureText.arg(path));
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
  } cases[] = {{4096, 100, 1000}, {1024, 100, 30}, {1, 100, 1}, {4096, 100, 41},
               {4096, 100000, 1}};
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
  } cases[] = {{"private.csv", 0600}, {"shared.csv", 0664}, {"readonly.csv", 0444},
               {"script.csv", 0750}};
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

}  // namespace
}  // namespace vek
