// What the walks leave out and enter: names and folders that match the exclude patterns (a
// folder left out is never opened), hidden files listed on request, and a walk kept to the
// file system it started on. The add, the file box and a drop all follow the same rules.
#include "gather/WalkRules.h"

#include <sys/stat.h>

#include <set>

#include <QFile>

#include <gtest/gtest.h>

#include "gather/DropIntake.h"
#include "gather/FolderScanner.h"
#include "gather/GathererFixture.h"
#include "support/MissingHere.h"
#include "support/Mount.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;
using test::GathererFixture;
using test::TempTree;

TEST(WalkRules, NamesTakenAndFoldersEntered) {
  const QString projects = excludePresets()[0];
  const QString litter = excludePresets()[1];
  const struct {
    QString excluded;
    bool hidden;
    const char16_t* name;
    bool file;    // takesFile
    bool folder;  // entersFolder
  } cases[] = {
      // Nothing left out: hidden files stay out, every folder is entered.
      {QString(), false, u"a.txt", true, true},
      {QString(), false, u".env", false, true},
      {QString(), true, u".env", true, true},
      {u" ; ;"_s, false, u"a.txt", true, true},
      {projects, false, u".git", false, false},
      {projects, false, u"node_modules", false, false},
      {projects, false, u"__pycache__", false, false},
      {projects, false, u".github", false, true},
      {projects, false, u"git", true, true},
      {litter, false, u"Thumbs.db", false, false},
      {litter, false, u"THUMBS.DB", false, false},  // letters without regard to case
      {litter, true, u".DS_Store", false, false},
      {litter, true, u"._写真.jpg", false, false},
      {litter, true, u".bashrc", true, true},
      {litter, false, u"~$見積書.xlsx", false, false},
      {litter, false, u"見積書~$.xlsx", true, true},
      {litter, false, u"desktop.ini.bak", true, true},
      // ".*" leaves every hidden name out, files and folders, whatever the option.
      {u".*"_s, true, u".env", false, false},
      {u".*"_s, false, u".git", false, false},
      {u".*"_s, false, u"a.txt", true, true},
      {u"*.log;build"_s, false, u"make.LOG", false, false},
      {u"*.log;build"_s, false, u"build", false, false},
      {u"*.log;build"_s, false, u"builds", true, true},
  };
  for (const auto& c : cases) {
    const WalkRules rules(c.excluded, c.hidden, false);
    const QString name = QString::fromUtf16(c.name);
    EXPECT_EQ(rules.takesFile(name), c.file)
        << c.excluded.toStdString() << " " << name.toStdString();
    EXPECT_EQ(rules.entersFolder(name), c.folder)
        << c.excluded.toStdString() << " " << name.toStdString();
  }
  EXPECT_FALSE(WalkRules().excludesNames());
  EXPECT_FALSE(WalkRules(u" ;"_s, false, false).excludesNames());
}

// A project tree: what a plain add lists, and what each choice changes.
struct Project {
  TempTree tree;
  Project() {
    for (const char* name : {"main.cpp", ".env", "Thumbs.db", "src/.gitignore", "src/lib.cpp",
                             ".git/HEAD", ".git/objects/ab/cdef", "node_modules/x/index.js",
                             "docs/.hidden/page.html", "docs/~$draft.docx"}) {
      tree.file(QString::fromUtf8(name), "x");
    }
  }
  std::set<QString> subtree(const WalkRules& rules, AddResult* result = nullptr) {
    GathererFixture f;
    f.gatherer.setWalkRules(rules);
    const AddResult added = f.addSubtree(tree.root());
    if (result) *result = added;
    std::set<QString> relative;
    for (const QString& path : f.fullPaths()) relative.insert(path.mid(tree.root().size() + 1));
    return relative;
  }
};

TEST(WalkRules, TheSubtreeAddLeavesOutWhatTheRulesSay) {
  Project p;
  using Names = std::set<QString>;
  EXPECT_EQ(p.subtree(WalkRules()),
            (Names{u"main.cpp"_s, u"Thumbs.db"_s, u"src/lib.cpp"_s, u".git/HEAD"_s,
                   u".git/objects/ab/cdef"_s, u"node_modules/x/index.js"_s,
                   u"docs/.hidden/page.html"_s, u"docs/~$draft.docx"_s}));
  EXPECT_EQ(p.subtree(WalkRules(excludePresets()[2], false, false)),
            (Names{u"main.cpp"_s, u"src/lib.cpp"_s, u"docs/.hidden/page.html"_s}));
  EXPECT_EQ(p.subtree(WalkRules(QString(), true, false)),
            (Names{u"main.cpp"_s, u".env"_s, u"Thumbs.db"_s, u"src/.gitignore"_s, u"src/lib.cpp"_s,
                   u".git/HEAD"_s, u".git/objects/ab/cdef"_s, u"node_modules/x/index.js"_s,
                   u"docs/.hidden/page.html"_s, u"docs/~$draft.docx"_s}));
  EXPECT_EQ(p.subtree(WalkRules(u".*;node_modules"_s, true, false)),
            (Names{u"main.cpp"_s, u"Thumbs.db"_s, u"src/lib.cpp"_s, u"docs/~$draft.docx"_s}));
}

// Patterns holding "/" match the path below the start folder; a trailing "/" matches folders
// only. What each leaves out of the project tree (and of a tree with the same names deeper).
TEST(WalkRules, PathPatternsMatchBelowTheStartFolder) {
  Project p;
  for (const char* name : {"build/cache/o.bin", "build/out.txt", "app/build/cache/o.bin",
                           "app/node_modules/y.js", "cache", "src/cache/c.txt"}) {
    p.tree.file(QString::fromUtf8(name), "x");
  }
  const std::set<QString> all = p.subtree(WalkRules());
  const struct {
    const char16_t* excluded;
    std::set<QString> leftOut;
  } cases[] = {
      {u"build/cache", {u"build/cache/o.bin"_s}},
      {u"/build/cache/", {u"build/cache/o.bin"_s}},
      {u"./BUILD/Cache", {u"build/cache/o.bin"_s}},  // letters without regard to case
      {u"*/node_modules", {u"app/node_modules/y.js"_s}},
      {u"*node_modules", {u"node_modules/x/index.js"_s, u"app/node_modules/y.js"_s}},
      {u"*/build/cache", {u"app/build/cache/o.bin"_s}},
      {u"node_modules/x", {u"node_modules/x/index.js"_s}},
      {u"src/lib.cpp", {u"src/lib.cpp"_s}},
      {u"src/*.cpp", {u"src/lib.cpp"_s}},
      {u"*/lib.cpp/", {}},  // a folder pattern: the file stays
      {u"cache/", {u"build/cache/o.bin"_s, u"app/build/cache/o.bin"_s, u"src/cache/c.txt"_s}},
      {u"cache",
       {u"cache"_s, u"build/cache/o.bin"_s, u"app/build/cache/o.bin"_s, u"src/cache/c.txt"_s}},
      {u"build/cache; docs/",
       {u"build/cache/o.bin"_s, u"docs/~$draft.docx"_s, u"docs/.hidden/page.html"_s}},
      {u"cache/x", {}},
  };
  for (const auto& c : cases) {
    std::set<QString> expected = all;
    for (const QString& gone : c.leftOut) EXPECT_EQ(expected.erase(gone), 1u) << gone.toStdString();
    const QString excluded = QString::fromUtf16(c.excluded);
    EXPECT_EQ(p.subtree(WalkRules(excluded, false, false)), expected) << excluded.toStdString();
  }
}

TEST(WalkRules, TheFileBoxAndTheFolderAddShowWhatTheRulesTake) {
  Project p;
  GathererFixture f;
  f.gatherer.setWalkRules(WalkRules(u"thumbs.db"_s, true, false));
  EXPECT_EQ(f.gatherer.listFiles(p.tree.root()), (std::vector<QString>{u".env"_s, u"main.cpp"_s}));
  EXPECT_EQ(f.addCurrentFolder(p.tree.root()).added, 2);
  EXPECT_EQ(f.fullPaths(), (std::set<QString>{p.tree.path(u".env"_s), p.tree.path(u"main.cpp"_s)}));
}

TEST(WalkRules, DropsFollowTheRules) {
  Project p;
  GathererFixture f;
  f.gatherer.setWalkRules(WalkRules(excludePresets()[2], false, false));
  f.settings.option.dropFolder = true;
  const std::vector<DroppedItem> items = {
      {p.tree.path(u"Thumbs.db"_s)}, {p.tree.path(u"main.cpp"_s)}, {p.tree.path(u"docs"_s)}};
  EXPECT_EQ(f.drop(items).outcome, AddOutcome::Done);
  EXPECT_EQ(f.fullPaths(), (std::set<QString>{p.tree.path(u"main.cpp"_s),
                                              p.tree.path(u"docs/.hidden/page.html"_s)}));
}

// The folder left out is never opened: a folder inside it that nobody may read would
// otherwise be counted as unreadable.
TEST(WalkRules, AFolderLeftOutIsNeverRead) {
  TempTree tree;
  tree.file(u"keep.txt"_s);
  tree.file(u"node_modules/closed/inner.js"_s);
  tree.file(u"open/node_modules/closed/inner.js"_s);
  const QStringList closed = {tree.path(u"node_modules/closed"_s),
                              tree.path(u"open/node_modules/closed"_s)};
  test::openToOthers({tree.root()});
  for (const QString& folder : closed) ASSERT_EQ(::chmod(QFile::encodeName(folder), 0), 0);
  qint64 unreadableWithout = -1;
  qint64 unreadableWith = -1;
  const bool ran = test::runAsUnprivileged([&] {
    for (const bool excluded : {false, true}) {
      std::vector<FolderScanner::FolderEntry> table;
      FolderScanner scanner(WildcardFilter(test::kAllFiles), 2,
                            WalkRules(excluded ? u"node_modules"_s : QString(), false, false));
      const qint64 unreadable = scanner.searchSubfolders(tree.root() + u'/', table);
      for (const auto& folder : table) {
        if (excluded && folder.path().contains(u"node_modules"_s)) return false;
      }
      (excluded ? unreadableWith : unreadableWithout) = unreadable;
      if (unreadable != (excluded ? 0 : 2)) return false;
    }
    return true;
  });
  for (const QString& folder : closed) ::chmod(QFile::encodeName(folder), 0755);
  EXPECT_TRUE(ran) << unreadableWithout << " " << unreadableWith;
}

TEST(WalkRules, OneFileSystemDoesNotEnterAnotherOne) {
  TempTree tree;
  tree.file(u"here.txt"_s);
  tree.file(u"sub/also here.txt"_s);
  tree.folder(u"sub/mounted"_s);
  test::Mount mount(u"tmpfs"_s, tree.path(u"sub/mounted"_s));
  if (!mount.mounted())
    VEK_SKIP_OR_FAIL_IN_CI(!mount.forbidden(),
                           "no tmpfs to mount: " << mount.failure().toStdString());
  tree.file(u"sub/mounted/there.txt"_s);
  tree.file(u"sub/mounted/deeper/there too.txt"_s);

  std::set<QString> everything;
  std::set<QString> oneFileSystem;
  for (const bool keep : {false, true}) {
    GathererFixture f;
    f.gatherer.setWalkRules(WalkRules(QString(), false, keep));
    const AddResult result = f.addSubtree(tree.root());
    EXPECT_EQ(result.unreadableFolders, 0);
    (keep ? oneFileSystem : everything) = f.fullPaths();
  }
  EXPECT_EQ(everything,
            (std::set<QString>{tree.path(u"here.txt"_s), tree.path(u"sub/also here.txt"_s),
                               tree.path(u"sub/mounted/there.txt"_s),
                               tree.path(u"sub/mounted/deeper/there too.txt"_s)}));
  EXPECT_EQ(oneFileSystem,
            (std::set<QString>{tree.path(u"here.txt"_s), tree.path(u"sub/also here.txt"_s)}));

  // Started inside the other file system, the walk keeps to that one.
  GathererFixture inside;
  inside.gatherer.setWalkRules(WalkRules(QString(), false, true));
  inside.addSubtree(tree.path(u"sub/mounted"_s));
  EXPECT_EQ(inside.fullPaths(),
            (std::set<QString>{tree.path(u"sub/mounted/there.txt"_s),
                               tree.path(u"sub/mounted/deeper/there too.txt"_s)}));
}

}  // namespace
}  // namespace vek
