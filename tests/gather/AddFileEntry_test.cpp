// The per-file step: the row it appends, the duplicate rule, and the message for a file that
// cannot be read.
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/Gatherer.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

namespace vek {
namespace {

using test::RecordingInteraction;
using test::TempTree;

struct Fixture {
  FileList list;
  RecordingInteraction interaction;
  Settings settings;
  Gatherer gatherer{list, interaction, settings};
};

TEST(AddFileEntryTest, FolderWithOrWithoutSeparatorGivesTheSameRow) {
  TempTree tree;
  const QString path = tree.file(QStringLiteral("sub/report.2024.txt"), "12345");
  Fixture f;
  ASSERT_TRUE(
      f.gatherer.addFileEntry(tree.path(QStringLiteral("sub")), QStringLiteral("report.2024.txt")));
  ASSERT_TRUE(f.gatherer.addFileEntry(tree.path(QStringLiteral("sub/")),
                                      QStringLiteral("report.2024.txt")));
  ASSERT_EQ(f.list.count(), 2);
  for (qint64 row = 0; row < 2; ++row) {
    const FileEntry& e = f.list.at(row);
    EXPECT_EQ(e.name, QStringLiteral("report.2024"));
    EXPECT_EQ(e.extension, QStringLiteral(".txt"));
    EXPECT_EQ(e.folder, tree.path(QStringLiteral("sub/")));
    EXPECT_EQ(e.fullPath(), path);
    EXPECT_EQ(e.size, 5);
    EXPECT_EQ(e.modified, DateStamp::fromDateTime(QFileInfo(path).lastModified()));
    EXPECT_TRUE(e.ticked);
  }
  EXPECT_TRUE(f.interaction.messages.empty());
}

TEST(AddFileEntryTest, NameSplitsAtTheLastDot) {
  TempTree tree;
  struct Case {
    const char* file;
    const char* name;
    const char* extension;
  };
  const Case cases[] = {{"Makefile", "Makefile", ""},
                        {".profile", "", ".profile"},
                        {"a.tar.gz", "a.tar", ".gz"},
                        {"trailing.", "trailing", "."}};
  Fixture f;
  f.list.setSortingEnabled(false);
  for (const Case& c : cases) {
    tree.file(QString::fromUtf8(c.file));
    ASSERT_TRUE(f.gatherer.addFileEntry(tree.root(), QString::fromUtf8(c.file))) << c.file;
    EXPECT_EQ(f.list.at(f.list.count() - 1).name, QString::fromUtf8(c.name));
    EXPECT_EQ(f.list.at(f.list.count() - 1).extension, QString::fromUtf8(c.extension));
  }
}

// A file directly in the root folder: the folder text is "/" alone, not "//". The real root is
// never written: the check runs where "/" is a temporary folder.
TEST(AddFileEntryTest, RootFolderTextIsTheSeparator) {
  TempTree tree;
  tree.file(QStringLiteral("in-root.txt"), "x");
  const std::optional<bool> ok = test::runWithRootAt(tree.root(), [] {
    Fixture f;
    return f.gatherer.addFileEntry(QStringLiteral("/"), QStringLiteral("in-root.txt")) &&
           f.list.at(0).folder == QStringLiteral("/") &&
           f.list.at(0).fullPath() == QStringLiteral("/in-root.txt");
  });
  // Root (as CI runs) may still be refused a mount namespace by its container.
  if (!ok) GTEST_SKIP() << "neither root nor a user namespace: no private root folder";
  EXPECT_TRUE(*ok);
}

TEST(AddFileEntryTest, OverLapDecidesWhetherASecondAddIsARow) {
  TempTree tree;
  tree.file(QStringLiteral("a.txt"));
  for (const int overLap : {0, 1}) {
    Fixture f;
    f.settings.option.overLap = overLap;
    f.gatherer.addFileEntry(tree.root(), QStringLiteral("a.txt"));
    f.gatherer.addFileEntry(tree.root() + u'/', QStringLiteral("a.txt"));
    EXPECT_EQ(f.list.count(), overLap == 1 ? 1 : 2) << "OverLap " << overLap;
    EXPECT_TRUE(f.interaction.messages.empty());
  }
}

TEST(AddFileEntryTest, AFileThatCannotBeReadIsReportedAndSkipped) {
  TempTree tree;
  tree.folder(QStringLiteral("d"));
  Fixture f;
  EXPECT_FALSE(f.gatherer.addFileEntry(tree.path(QStringLiteral("d")),
                                       QStringLiteral("gone, \"x\" <&>.txt")));
  EXPECT_EQ(f.list.count(), 0);
  ASSERT_EQ(f.interaction.messages.size(), 1u);
  const Message& m = f.interaction.messages[0];
  EXPECT_EQ(m.title, QStringLiteral("ファイル取得エラー"));
  EXPECT_EQ(m.icon, MessageIcon::Warning);
  EXPECT_EQ(m.text, QStringLiteral("以下のファイルの情報取得に失敗しました。\r\n\r\nパス：") +
                        tree.path(QStringLiteral("d/")) +
                        QStringLiteral("\r\nファイル名：gone, \"x\" <&>.txt\r\n\r\n"
                                       "このファイルはリストに追加されません。"));
}

}  // namespace
}  // namespace vek
