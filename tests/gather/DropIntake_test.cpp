// Dropped addresses and what a drop adds, through the window's add: only this machine's files,
// no name cut short, and no special file (a pipe or a device) as a row.
#include "gather/DropIntake.h"

#include <sys/stat.h>

#include <QUrl>

#include <set>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/Gatherer.h"
#include "gather/GathererFixture.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using test::GathererFixture;
using test::TempTree;

TEST(DropIntakeTest, OnlyAddressesOfThisMachineGiveALocalPath) {
  struct Case {
    const char* url;
    QString path;  // empty: no local path
  };
  const Case cases[] = {
      {"file:///tmp/a.txt", QStringLiteral("/tmp/a.txt")},
      {"file://localhost/tmp/a.txt", QStringLiteral("/tmp/a.txt")},
      {"file://LocalHost/tmp/a.txt", QStringLiteral("/tmp/a.txt")},
      {"file:///tmp/my%20files/%E6%97%A5.txt", QStringLiteral("/tmp/my files/日.txt")},
      {"file:///tmp/%25%3F%23", QStringLiteral("/tmp/%?#")},
      // A name that is not UTF-8 keeps its byte.
      {"file:///tmp/x%FF", QStringLiteral("/tmp/x") + QChar(0xDCFF)},
      {"file://otherhost/tmp/a.txt", QString()},
      {"file://192.168.1.5/share/a.txt", QString()},
      // A NUL would cut the name: "/tmp/a" is not what was dropped.
      {"file:///tmp/a%00.txt", QString()},
      {"file:///tmp/%00", QString()},
      {"https://example.org/a.txt", QString()},
      {"smb://server/share/a.txt", QString()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(droppedItem(QUrl::fromEncoded(c.url)).path, c.path) << c.url;
  }
}

TEST(DropIntakeTest, RefusedAddressesStopTheIntakeWithTheItemMessage) {
  TempTree tree;
  const QString file = tree.file(QStringLiteral("a.txt"));
  const QString later = tree.file(QStringLiteral("b.txt"));
  for (const char* refused : {"file://otherhost", "file://localhost"}) {
    GathererFixture f(QStringLiteral("*.*"));
    const QByteArray url = QByteArray(refused) + file.toUtf8() +
                           (QByteArray(refused) == "file://localhost" ? "%00.bak" : "");
    f.drop({droppedItem(QUrl::fromLocalFile(file)), droppedItem(QUrl::fromEncoded(url)),
            droppedItem(QUrl::fromLocalFile(later))});
    EXPECT_EQ(f.list.count(), 1) << url.constData();  // the file dropped before stays
    ASSERT_EQ(f.interaction.messages.size(), 1u);
    EXPECT_EQ(f.interaction.messages[0].title, QStringLiteral("ｱｲﾃﾑ種別ｴﾗｰ"));
  }
}

TEST(DropIntakeTest, SpecialFilesAreSkippedSilentlyLikeTheWalkDoes) {
  TempTree tree;
  const QString file = tree.file(QStringLiteral("a.txt"));
  const QString fifo = tree.path(QStringLiteral("pipe"));
  ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
  GathererFixture f(QStringLiteral("*.*"));
  const AddResult result =
      f.drop({{fifo}, {QStringLiteral("/dev/zero")}, {file}, {QStringLiteral("/dev/null")}});
  EXPECT_EQ(result.outcome, AddOutcome::Done);
  ASSERT_EQ(f.list.count(), 1);
  EXPECT_EQ(f.list.rows()[0].fullPath(), file);
  EXPECT_TRUE(f.interaction.messages.empty());
}

// Each row knows its path inside the folder its add started from: a dropped file's is its
// own name, a folder dropped with its subfolders starts at that folder.
TEST(DropIntakeTest, RowsRememberTheFolderTheirAddStartedFrom) {
  TempTree tree;
  const QString loose = tree.file(QStringLiteral("loose/a.txt"));
  tree.file(QStringLiteral("tree/b.txt"));
  tree.file(QStringLiteral("tree/sub/deeper/c.txt"));
  for (int dropFolder : {0, 1}) {
    GathererFixture f(QStringLiteral("*.*"));
    f.settings.option.dropFolder = dropFolder;
    EXPECT_EQ(f.drop({{loose}, {tree.path(QStringLiteral("tree"))}}).outcome, AddOutcome::Done);
    std::set<QString> relative;
    for (const FileEntry& row : f.list.rows()) relative.insert(row.relativePath());
    if (dropFolder == 0) {
      EXPECT_EQ(relative, (std::set<QString>{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    } else {
      EXPECT_EQ(relative, (std::set<QString>{QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                             QStringLiteral("sub/deeper/c.txt")}));
    }
  }
}

}  // namespace
}  // namespace vek
