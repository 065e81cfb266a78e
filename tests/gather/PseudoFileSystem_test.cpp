// No walk enters a pseudo file system (proc, devtmpfs, …), wherever it is mounted: told by
// the file system's type, not by its path. A tmpfs is an ordinary file system and is walked.
#include <set>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/Gatherer.h"
#include "gather/GathererFixture.h"
#include "support/MissingHere.h"
#include "support/Mount.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using test::Mount;
using test::TempTree;

// The filter that takes every name: nothing under a pseudo file system may slip through.
struct Fixture : test::GathererFixture {
  Fixture() : GathererFixture(QStringLiteral("*")) {}
};

class PseudoFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.file(QStringLiteral("a.txt"));
    tree.file(QStringLiteral("sub/b.txt"));
    for (const char* folder : {"sub/proc", "dev", "tmp"}) tree.folder(QString::fromLatin1(folder));
    proc = std::make_unique<Mount>(QStringLiteral("proc"), tree.path(QStringLiteral("sub/proc")));
    if (!proc->mounted()) VEK_SKIP_OR_FAIL_IN_CI(!proc->forbidden(), proc->failure().toStdString());
    dev = std::make_unique<Mount>(QStringLiteral("devtmpfs"), tree.path(QStringLiteral("dev")));
    if (!dev->mounted()) VEK_SKIP_OR_FAIL_IN_CI(!dev->forbidden(), dev->failure().toStdString());
    tmp = std::make_unique<Mount>(QStringLiteral("tmpfs"), tree.path(QStringLiteral("tmp")));
    if (!tmp->mounted()) VEK_SKIP_OR_FAIL_IN_CI(!tmp->forbidden(), tmp->failure().toStdString());
    tree.file(QStringLiteral("tmp/c.txt"));
  }

  TempTree tree;
  std::unique_ptr<Mount> proc, dev, tmp;  // unmounted before the tree is removed
};

TEST_F(PseudoFileSystemTest, ASubtreeAddNeverEntersThemAndReportsNothing) {
  Fixture f;
  const AddResult result = f.addSubtree(tree.root());
  EXPECT_EQ(result.outcome, AddOutcome::Done);
  EXPECT_EQ(result.unreadableFolders, 0);
  EXPECT_EQ(f.fullPaths(), (std::set<QString>{tree.path(QStringLiteral("a.txt")),
                                              tree.path(QStringLiteral("sub/b.txt")),
                                              tree.path(QStringLiteral("tmp/c.txt"))}));
  EXPECT_TRUE(f.interaction.messages.empty());
  // Nor are they searched: the progress display never named a folder inside one.
  for (const auto& shown : f.interaction.progress) {
    for (const char* mounted : {"sub/proc/", "dev/"}) {
      const QString inside = tree.path(QString::fromLatin1(mounted));
      EXPECT_FALSE(shown.detail.startsWith(inside) && shown.detail.size() > inside.size())
          << shown.detail.toStdString();
    }
  }
}

// A start folder on a pseudo file system gives an empty result, as a folder without files
// does: the rule is the same whichever way a walk reaches the folder, and the file box shows
// what the adds would take.
TEST_F(PseudoFileSystemTest, AStartFolderOnOneListsNothing) {
  for (const char* start : {"sub/proc", "sub/proc/self", "dev"}) {
    Fixture f;
    const QString folder = tree.path(QString::fromLatin1(start));
    const auto files = f.gatherer.listFiles(folder);
    ASSERT_TRUE(files.has_value()) << start;
    EXPECT_TRUE(files->empty()) << start;
    EXPECT_EQ(f.addCurrentFolder(folder).outcome, AddOutcome::NothingListed) << start;
    const AddResult result = f.addSubtree(folder);
    EXPECT_EQ(result.outcome, AddOutcome::Done) << start;
    EXPECT_EQ(result.added, 0) << start;
    EXPECT_EQ(result.unreadableFolders, 0) << start;
    EXPECT_EQ(f.drop({{folder}}).added, 0) << start;
    EXPECT_TRUE(f.interaction.messages.empty()) << start;
  }
}

}  // namespace
}  // namespace vek
