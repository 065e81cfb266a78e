// The current-folder, subtree and drop adds: what they list, the folder table's order, unreadable
// folders, folder links, cancelling, the root question, the progress texts and the history.
#include "gather/BackgroundAdd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <set>

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/RecentTexts.h"
#include "core/settings/Settings.h"
#include "gather/GathererFixture.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/Unprivileged.h"

namespace vek {
namespace {

using test::RecordingInteraction;
using test::TempTree;

using Fixture = test::GathererFixture;
using test::kAllFiles;

std::vector<QString> tablePaths(const std::vector<vek::FolderScanner::FolderEntry>& table) {
  std::vector<QString> paths;
  for (const auto& entry : table) paths.push_back(entry.path());
  return paths;
}

TEST(GathererTest, CurrentFolderAddTakesTheMatchingFilesAndRecordsTheFolder) {
  TempTree tree;
  for (const char* name : {"a.txt", "b.log", "c.doc", "sub/d.txt"})
    tree.file(QString::fromUtf8(name));
  Fixture f(QStringLiteral("*.txt;*.log"));
  const AddResult result = f.addCurrentFolder(tree.root() + u'/');
  EXPECT_EQ(result.outcome, AddOutcome::Done);
  EXPECT_EQ(result.added, 2);
  EXPECT_EQ(f.fullPaths(), (std::set<QString>{tree.path(QStringLiteral("a.txt")),
                                              tree.path(QStringLiteral("b.log"))}));
  EXPECT_TRUE(f.list.isSortingEnabled());
  EXPECT_EQ(f.settings.history[0], tree.root());
  EXPECT_TRUE(f.settings.history[1].isEmpty());

  // A second press adds every file again (OverLap 0) and leaves the history as it is.
  f.addCurrentFolder(tree.root());
  EXPECT_EQ(f.list.count(), 4);
  EXPECT_TRUE(f.settings.history[1].isEmpty());
}

TEST(GathererTest, EmptyFilterIsReportedOnlyWhenThereAreFiles) {
  TempTree tree;
  tree.folder(QStringLiteral("empty"));
  Fixture f{QString()};
  EXPECT_EQ(f.addCurrentFolder(tree.path(QStringLiteral("empty"))).outcome,
            AddOutcome::NothingListed);
  EXPECT_TRUE(f.interaction.messages.empty());

  tree.file(QStringLiteral("a.txt"));
  for (const AddResult& result : {f.addCurrentFolder(tree.root()), f.addSubtree(tree.root())}) {
    EXPECT_EQ(result.outcome, AddOutcome::EmptyFilter);
  }
  ASSERT_EQ(f.interaction.messages.size(), 2u);
  EXPECT_EQ(f.interaction.messages[0].title, QStringLiteral("ﾌｧｲﾙ種別未選択"));
  EXPECT_EQ(f.interaction.messages[0].text, QStringLiteral("ﾌｧｲﾙの種別を指定してください。"));
  EXPECT_EQ(f.list.count(), 0);
  EXPECT_TRUE(f.settings.history[0].isEmpty());
  EXPECT_TRUE(f.interaction.progress.empty());
}

TEST(GathererTest, AVanishedFileIsReportedAndTheScanGoesOn) {
  // b.txt was listed, then went before its information was read.
  TempTree tree;
  for (const char* name : {"a.txt", "c.txt"}) tree.file(QString::fromUtf8(name));
  Fixture f(QStringLiteral("*.txt"));
  std::vector<FolderScanner::FolderEntry> table{
      {tree.root() + u'/', {u"a.txt"_qs, u"b.txt"_qs, u"c.txt"_qs}}};
  qint64 added = 0;
  FolderScanner(f.gatherer.wildcardFilter(), 1)
      .readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
        added += f.gatherer.applyBatch(std::move(batch));
        return true;
      });
  EXPECT_EQ(added, 2);
  ASSERT_EQ(f.interaction.messages.size(), 1u);
  EXPECT_TRUE(f.interaction.messages[0].text.contains(QStringLiteral("ファイル名：b.txt")));
}

TEST(GathererTest, FolderTableIsDepthFirstPreOrder) {
  TempTree tree;
  // Created out of order so that the directory's own order cannot pass the test by luck.
  tree.folder(QStringLiteral("A/C"));
  tree.folder(QStringLiteral("A/B/D"));
  tree.link(QStringLiteral("A/B/loop"), tree.path(QStringLiteral("A")));
  std::vector<vek::FolderScanner::FolderEntry> table;
  vek::FolderScanner().searchSubfolders(tree.path(QStringLiteral("A/")), table);
  EXPECT_EQ(tablePaths(table),
            (std::vector<QString>{
                tree.path(QStringLiteral("A/")), tree.path(QStringLiteral("A/B/")),
                tree.path(QStringLiteral("A/B/D/")), tree.path(QStringLiteral("A/C/"))}));
}

TEST(GathererTest, UnreadableFolderIsLeftOutWithItsSubtreeSilently) {
  TempTree tree;
  tree.file(QStringLiteral("top.txt"));
  tree.file(QStringLiteral("closed/inner/deep.txt"));
  tree.file(QStringLiteral("open/ok.txt"));
  ASSERT_EQ(::chmod(QFile::encodeName(tree.root()).constData(), 0755), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(tree.path(QStringLiteral("closed"))).constData(), 0), 0);
  const bool ok = test::runAsUnprivileged([&] {
    Fixture f;
    const AddResult result = f.addSubtree(tree.root());
    return result.outcome == AddOutcome::Done && f.interaction.messages.empty() &&
           f.fullPaths() == std::set<QString>{tree.path(QStringLiteral("top.txt")),
                                              tree.path(QStringLiteral("open/ok.txt"))};
  });
  ::chmod(QFile::encodeName(tree.path(QStringLiteral("closed"))).constData(), 0755);
  EXPECT_TRUE(ok);
}

TEST(GathererTest, CancelInTheFolderPhaseAddsNothing) {
  TempTree tree;
  tree.file(QStringLiteral("a.txt"));
  tree.file(QStringLiteral("x/b.txt"));
  tree.file(QStringLiteral("y/c.txt"));
  Fixture f;
  f.interaction.cancelAfterUpdates = 0;  // cancel at the first folder found
  EXPECT_EQ(f.addSubtree(tree.root()).outcome, AddOutcome::Cancelled);
  EXPECT_EQ(f.list.count(), 0);
  EXPECT_EQ(f.interaction.closeCount, 1);
  EXPECT_TRUE(f.list.isSortingEnabled());
}

TEST(GathererTest, CancelInTheFilePhaseKeepsTheFoldersAlreadyAdded) {
  TempTree tree;
  tree.file(QStringLiteral("a.txt"));
  tree.file(QStringLiteral("x/b.txt"));
  tree.file(QStringLiteral("y/c.txt"));
  Fixture f;
  // At the file phase's update for folder x, after the start folder's rows.
  f.interaction.cancelAtDetail = MessageCatalogue::progressDetail(1, 3);
  const AddResult result = f.addSubtree(tree.root());
  EXPECT_EQ(result.outcome, AddOutcome::Cancelled);
  EXPECT_EQ(f.fullPaths(), std::set<QString>{tree.path(QStringLiteral("a.txt"))});
}

TEST(GathererTest, ACancelledSubtreeAddDoesNotStopTheNext) {
  TempTree tree;
  tree.file(QStringLiteral("a.txt"));
  tree.file(QStringLiteral("x/b.txt"));
  Fixture f;
  f.interaction.cancelAfterUpdates = 0;
  EXPECT_EQ(f.addSubtree(tree.root()).outcome, AddOutcome::Cancelled);
  const AddResult again = f.addSubtree(tree.root());
  EXPECT_EQ(again.outcome, AddOutcome::Done);
  EXPECT_EQ(again.added, 2);
}

TEST(GathererTest, SubtreeProgressTexts) {
  TempTree tree;
  tree.file(QStringLiteral("A/B/f.txt"));
  Fixture f;
  QString shown;
  f.gatherer.setFolderShownHandler([&](const QString& folder) { shown = folder; });
  const QString root = tree.root() + u'/';
  EXPECT_EQ(f.addSubtree(tree.root()).added, 1);

  const QString folderCaption = QStringLiteral("フォルダ検索中");
  const QString folderInfo = QStringLiteral("フォルダ情報を検索／取得中です．．．");
  const QString fileCaption = QStringLiteral("ファイル検索中");
  const QString fileInfo = QStringLiteral("ファイル情報を検索／取得中です．．．");
  auto d = [](int k) { return QStringLiteral("処理件数：%1　/　総ﾌｫﾙﾀﾞ数：3件").arg(k); };
  // The folder phase shows the folder searched last whenever the window looks, so A/ may be
  // passed over; A/B/, the last, is always shown.
  std::vector<std::tuple<QString, QString, QString, qint64>> expected = {
      {folderCaption, folderInfo, QString(), -1},
      {folderCaption, folderInfo, root + QStringLiteral("A/"), -1},
      {folderCaption, folderInfo, root + QStringLiteral("A/B/"), -1},
      {fileCaption, fileInfo, d(0), 0},
      {fileCaption, fileInfo, d(0), 0},
      {fileCaption, fileInfo, d(1), 1},
      {fileCaption, fileInfo, d(2), 2},
  };
  if (f.interaction.progress.size() == expected.size() - 1) expected.erase(expected.begin() + 1);
  ASSERT_EQ(f.interaction.progress.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& p = f.interaction.progress[i];
    EXPECT_EQ(std::make_tuple(p.caption, p.info, p.detail, p.bar), expected[i]) << "step " << i;
  }
  EXPECT_EQ(f.interaction.lastBarMaximum, 3);
  EXPECT_EQ(f.interaction.closeCount, 1);
  EXPECT_FALSE(f.interaction.progressOpen);
  EXPECT_EQ(shown, tree.root());                 // back at the start folder
  EXPECT_TRUE(f.settings.history[0].isEmpty());  // the subtree add records no history
  EXPECT_EQ(MessageCatalogue::progressDetail(12, 345),
            QStringLiteral("処理件数：12　/　総ﾌｫﾙﾀﾞ数：345件"));
}

TEST(GathererTest, RootQuestionOnlyForStarFiltersAtTheRoot) {
  {
    Fixture f(QStringLiteral("*"));
    f.interaction.nextAnswer = false;
    EXPECT_EQ(f.addSubtree(QStringLiteral("/")).outcome, AddOutcome::Declined);
    ASSERT_EQ(f.interaction.questions.size(), 1u);
    EXPECT_EQ(f.interaction.questions[0].title, QStringLiteral("警告"));
    EXPECT_EQ(
        f.interaction.questions[0].text,
        QStringLiteral(
            "検索開始フォルダとしてルートを指定し、ファイル種別として「*」を使用した場合、\r\n"
            "検索終了までかなりの時間がかかることが予想されます。\r\n"
            "適切なフォルダ、ファイル種別を再選択し、実行することをおすすめします。\r\n"
            "検索を開始しますか？"));
    EXPECT_TRUE(f.interaction.progress.empty());
  }
  {
    Fixture f(QStringLiteral("*.*"));
    f.interaction.nextAnswer = false;
    f.addSubtree(QStringLiteral("/"));
    EXPECT_EQ(f.interaction.questions.size(), 1u);
  }
  // The preset line, or a folder below the root: no question. Cancel at once so the walk
  // does not cover the machine.
  for (const QString& folder : {QStringLiteral("/"), QStringLiteral("/tmp")}) {
    Fixture f(folder == QStringLiteral("/") ? kAllFiles : QStringLiteral("*"));
    f.interaction.cancelAfterUpdates = 0;
    EXPECT_EQ(f.addSubtree(folder).outcome, AddOutcome::Cancelled);
    EXPECT_TRUE(f.interaction.questions.empty());
    EXPECT_EQ(f.list.count(), 0);
  }
}

TEST(GathererTest, AwkwardNamesAreListedLikeFind) {
  TempTree tree;
  for (const char* name :
       {"with space.txt", "comma,name.csv", "quote\"s'.txt", "new\nline.txt", "<&>.html",
        "日本語ファイル.txt", "😀emoji.png", ".hidden", "noext", "several.dots.in.name.tar.gz",
        "sub dir/ネスト/深い.doc", ".hid/visible.txt", "sub dir/.dotfile", "trailing space "}) {
    tree.file(QString::fromUtf8(name), "x");
  }
  Fixture f;
  EXPECT_EQ(f.addSubtree(tree.root()).outcome, AddOutcome::Done);
  EXPECT_TRUE(f.interaction.messages.empty());

  QProcess find;
  find.start(QStringLiteral("find"),
             {tree.root(), QStringLiteral("-type"), QStringLiteral("f"), QStringLiteral("!"),
              QStringLiteral("-name"), QStringLiteral(".*"), QStringLiteral("-print0")});
  ASSERT_TRUE(find.waitForFinished());
  std::set<QString> expected;
  for (const QByteArray& path : find.readAllStandardOutput().split('\0')) {
    if (!path.isEmpty()) expected.insert(QString::fromUtf8(path));
  }
  EXPECT_EQ(expected.size(), 12u);
  EXPECT_EQ(f.fullPaths(), expected);
}

TEST(GathererTest, NamesThatAreNotUtf8AreListedAndReadBack) {
  TempTree tree;
  // Names unpacked from an archive made on Windows keep their Shift_JIS bytes: a folder
  // "日本" holding "a.txt", and a file "データ.txt" beside it.
  const QByteArray root = QFile::encodeName(tree.root());
  const QByteArray folder = root + "/\x93\xFA\x96\x7B";
  const QByteArray file = root + "/\x83\x66\x81\x5B\x83\x5E.txt";
  ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
  for (const QByteArray& path : {QByteArray(folder + "/a.txt"), file}) {
    ASSERT_EQ(::close(::open(path.constData(), O_CREAT | O_WRONLY, 0644)), 0);
  }
  Fixture f;
  EXPECT_EQ(f.addSubtree(tree.root()).added, 2);
  EXPECT_TRUE(f.interaction.messages.empty());
  ASSERT_EQ(f.list.count(), 2);
  // Each row's path names its file again, so the writers and "open" reach the same file.
  for (const FileEntry& row : f.list.rows()) {
    EXPECT_TRUE(FileSystem::fileInfo(row.fullPath())) << row.fullPath().toStdString();
  }
  // Qt cannot name these files to clean up the tree.
  ::unlink(file.constData());
  ::unlink(QByteArray(folder + "/a.txt").constData());
  ::rmdir(folder.constData());
}

TEST(GathererTest, DroppedFolderStepsShowTheFolderTheyWorkOn) {
  TempTree tree;
  tree.file(QStringLiteral("d/a.txt"));
  tree.file(QStringLiteral("d/b.doc"));
  tree.file(QStringLiteral("d/sub/c.txt"));
  Fixture f(QStringLiteral("*.txt"));
  std::vector<QString> shown;
  f.gatherer.setFolderShownHandler([&](const QString& folder) { shown.push_back(folder); });

  EXPECT_EQ(f.drop({{tree.path(QStringLiteral("d/"))}}).added, 1);
  EXPECT_EQ(shown, std::vector<QString>{tree.path(QStringLiteral("d"))});

  shown.clear();
  f.settings.option.dropFolder = 1;
  EXPECT_EQ(f.drop({{tree.path(QStringLiteral("d"))}}).added, 2);
  EXPECT_EQ(shown.back(), tree.path(QStringLiteral("d/sub")));  // the last folder processed
}

TEST(FolderHistoryTest, NewestFirstAtMostTenExactMatchKeepsItsPlace) {
  RecentTexts history;
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(recordRecent(history, QStringLiteral("/f%1").arg(i)));
  }
  EXPECT_EQ(history[0], QStringLiteral("/f9"));
  EXPECT_EQ(history[9], QStringLiteral("/f0"));

  const RecentTexts before = history;
  EXPECT_FALSE(recordRecent(history, QStringLiteral("/f3")));
  EXPECT_EQ(history, before);

  EXPECT_TRUE(recordRecent(history, QStringLiteral("/F3")));  // case differs: new
  EXPECT_EQ(history[0], QStringLiteral("/F3"));
  EXPECT_EQ(history[1], QStringLiteral("/f9"));
  EXPECT_EQ(history[9], QStringLiteral("/f1"));  // the oldest dropped off
}

TEST(GathererTest, RowsLeftOutAsListedAlreadyTakeTheirDeliveryChecksWithThem) {
  // The walk hands each row's delivery check parts beside it; skipping the rows already listed
  // must keep each part beside its own row.
  const auto row = [](const char* name) {
    FileEntry e;
    FileEntry::splitName(QString::fromLatin1(name), e.name, e.extension);
    e.folder = QStringLiteral("/d/");
    return e;
  };
  for (const bool overLap : {false, true}) {
    Fixture f;
    f.settings.option.overLap = overLap;
    f.list.notedCount();  // kept, as the window keeps it
    f.list.append(row("a.txt"));
    FolderScanner::Batch batch;
    for (const char* name : {"a.txt", "CON.txt", "b.txt", "a.txt", "q?.txt"})
      batch.entries.push_back(row(name));
    for (const FileEntry& e : batch.entries) batch.checks.push_back(rowCheck(e));
    EXPECT_EQ(f.gatherer.applyBatch(std::move(batch)), overLap ? 3 : 5);
    EXPECT_EQ(f.list.notedCount(), 2) << overLap;  // CON.txt and q?.txt
  }
}

TEST(GathererTest, RowsOfASubtreeAddKnowTheirPathBelowItsStart) {
  TempTree tree;
  for (const char* name : {"top.txt", "sub/a.txt", "sub/deeper/b c.txt"})
    tree.file(QString::fromUtf8(name));
  Fixture f;
  ASSERT_EQ(f.addSubtree(tree.root()).outcome, AddOutcome::Done);
  f.addCurrentFolder(tree.path(QStringLiteral("sub")));
  std::multiset<QString> relative;
  for (const FileEntry& row : f.list.rows()) relative.insert(row.relativePath());
  EXPECT_EQ(relative, (std::multiset<QString>{
                          QStringLiteral("top.txt"), QStringLiteral("sub/a.txt"),
                          QStringLiteral("sub/deeper/b c.txt"), QStringLiteral("a.txt")}));
}

}  // namespace
}  // namespace vek
