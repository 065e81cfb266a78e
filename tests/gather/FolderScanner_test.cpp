// The scanner apart from the list: the same folder table and rows on a worker thread as the
// add with one reader, and a cancel from another thread that stops a large folder part-way.
#include "gather/FolderScanner.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/BackgroundAdd.h"
#include "gather/Gatherer.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "support/ThreadStarters.h"

namespace vek {
namespace {

using test::RecordingInteraction;
using test::TempTree;

const QString kAllFiles = QStringLiteral("*.*;　（全てのファイル）");

QString rowKey(const FileEntry& e) {
  QStringList k;
  for (int column = 0; column < kListColumnCount; ++column) k << e.columnText(ListColumn(column));
  return k.join(u'|');
}

// count empty files named f000000... in folder, made without Qt for speed.
void makeFiles(const QString& folder, int count) {
  const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(dir, 0);
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%06d.txt", i);
    const int fd = ::openat(dir, name, O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  ::close(dir);
}

TEST(FolderScannerTest, AWorkerThreadGivesTheTableAndRowsOfTheSingleThreadedAdd) {
  TempTree tree;
  for (const char* name :
       {"with space.txt", "comma,name.csv", "quote\"s'.txt", "new\nline.txt", "<&>.html",
        "日本語ファイル.txt", "😀emoji.png", ".hidden", "noext", "several.dots.in.name.tar.gz",
        "sub dir/ネスト/深い.doc", ".hid/visible.txt", "sub dir/.dotfile", "trailing space ",
        "b/1.txt", "b/a/2.txt", "B/3.txt", "a/empty/", "a/x/y/z/4.txt"}) {
    const QString relative = QString::fromUtf8(name);
    if (relative.endsWith(u'/')) {
      tree.folder(relative);
    } else {
      tree.file(relative, "x");
    }
  }
  // Enough files in one folder for several batches.
  constexpr std::size_t kBatch = 16;
  tree.folder(QStringLiteral("many"));
  makeFiles(tree.path(QStringLiteral("many")), int(kBatch) * 2 + 5);

  // The add, one thread, sorting off so that the rows stay in walk order.
  FileList list;
  RecordingInteraction interaction;
  Settings settings;
  Gatherer gatherer(list, interaction, settings);
  gatherer.setFilter(kAllFiles);
  gatherer.setThreads(1);
  gatherer.setBatchFiles(kBatch);
  std::vector<FolderScanner::FolderEntry> expectedTable;
  FolderScanner(WildcardFilter(kAllFiles), 1).searchSubfolders(tree.root() + u'/', expectedTable);
  BackgroundAdd add(gatherer, list, interaction, settings);
  add.setSortAtEnd(false);
  add.startSubtree(tree.root());
  ASSERT_EQ(add.wait().outcome, AddOutcome::Done);
  QStringList expectedRows;
  for (const FileEntry& row : list.rows()) expectedRows << rowKey(row);
  ASSERT_GT(expectedRows.size(), 2 * qsizetype(kBatch));

  for (int threads : {1, 3}) {
    std::vector<FolderScanner::FolderEntry> table;
    std::vector<FolderScanner::FolderEntry> searched;
    QStringList rows;
    std::size_t failures = 0;
    std::thread worker([&] {
      FolderScanner scanner(WildcardFilter(kAllFiles), threads);
      scanner.setBatchFiles(kBatch + 1);
      scanner.searchSubfolders(tree.root() + u'/', table);
      searched = table;  // the file names move on into the rows
      scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
        for (const FileEntry& row : batch.entries) rows << rowKey(row);
        failures += batch.failures.size();
        return true;
      });
    });
    worker.join();
    ASSERT_EQ(searched.size(), expectedTable.size()) << threads;
    for (std::size_t i = 0; i < searched.size(); ++i) {
      EXPECT_EQ(searched[i].path(), expectedTable[i].path()) << threads << " " << i;
      EXPECT_EQ(searched[i].files, expectedTable[i].files) << threads << " " << i;
    }
    EXPECT_EQ(rows, expectedRows) << threads;
    EXPECT_EQ(failures, 0u);
  }
}

// What the scanner found, and the rows, in the order given.
struct Walked {
  std::vector<QString> folders;
  QStringList rows;
  qint64 unreadable = 0;
  std::size_t failures = 0;
};

Walked walk(const QString& start, int threads) {
  Walked walked;
  FolderScanner scanner(WildcardFilter(kAllFiles), threads);
  std::vector<FolderScanner::FolderEntry> table;
  walked.unreadable = scanner.searchSubfolders(start, table);
  for (const auto& entry : table) walked.folders.push_back(entry.path());
  scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
    for (const FileEntry& row : batch.entries) walked.rows << row.fullPath();
    walked.failures += batch.failures.size();
    return true;
  });
  return walked;
}

// Folders nested one in another count levels deep under parent; a file in every step-th.
// Made relative to each folder's descriptor: the deep paths pass the system's limit.
QStringList makeChain(const QString& parent, int levels, int step) {
  QStringList files;
  int dir = ::open(QFile::encodeName(parent).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  QString path = parent + u'/';
  for (int level = 0; level <= levels; ++level) {
    if (level % step == 0) {
      ::close(::openat(dir, "f.txt", O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
      files << path + QStringLiteral("f.txt");
    }
    if (level == levels) break;
    ::mkdirat(dir, "d", 0755);
    const int next = ::openat(dir, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(dir);
    dir = next;
    path += QStringLiteral("d/");
  }
  ::close(dir);
  return files;
}

void removeChain(const QString& parent) {
  // Past the path limit only rm, which works relative to each folder, can remove it.
  QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), parent});
}

TEST(FolderScannerTest, WithoutHelperThreadsTheWalkGivesTheSameTableAndRows) {
  TempTree tree;
  for (int a = 0; a < 6; ++a) {
    for (int b = 0; b < 5; ++b) tree.file(QStringLiteral("d%1/e%2/f.txt").arg(a).arg(b), "x");
  }
  const Walked alone = walk(tree.root(), 1);
  ASSERT_EQ(alone.rows.size(), 30);
  for (int allowed : {0, 1}) {
    const test::FewThreads few(allowed);
    const Walked walked = walk(tree.root(), 4);
    EXPECT_EQ(walked.folders, alone.folders) << allowed;
    EXPECT_EQ(walked.rows, alone.rows) << allowed;
  }
}

// 2,100 levels (paths of 4,200 characters and more, past the system's limit): every file's row has
// its whole path, and the walk keeps only a few folders open at a time.
TEST(FolderScannerTest, AVeryDeepChainIsWalkedWithFewOpenFolders) {
  TempTree tree;
  const QStringList files = makeChain(tree.root(), 2100, 300);
  ASSERT_EQ(files.size(), 8);
  std::size_t mostOpen = 0;
  int folders = 0;
  FolderScanner::SearchHooks hooks;
  hooks.folderStored = [&](const QString& path) {
    if (++folders % 100 == 0) {
      mostOpen = std::max<std::size_t>(mostOpen, QDir(QStringLiteral("/proc/self/fd")).count());
    }
    EXPECT_TRUE(path.endsWith(QStringLiteral("/d/")));
  };
  for (int threads : {1, 4}) {
    FolderScanner scanner(WildcardFilter(kAllFiles), threads);
    std::vector<FolderScanner::FolderEntry> table;
    EXPECT_EQ(scanner.searchSubfolders(tree.root() + u'/', table, hooks), 0);
    ASSERT_EQ(table.size(), 2101u);
    EXPECT_EQ(table.back().path().size(), tree.root().size() + 1 + 2100 * 2);
    QStringList rows;
    scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
      EXPECT_TRUE(batch.failures.empty());
      for (const FileEntry& row : batch.entries) rows << row.fullPath();
      return true;
    });
    EXPECT_EQ(rows, files) << threads;
  }
  EXPECT_LT(mostOpen, 100u);
  removeChain(tree.path(QStringLiteral("d")));
}

// A comb: a chain with a side folder at every level, each side folder holding a file. The
// walk goes down the chain first and comes back up to the side folders, whose parents it no
// longer keeps open: each is opened again, from a kept ancestor or by its path.
TEST(FolderScannerTest, SideFoldersMetOnTheWayBackUpAreRead) {
  TempTree tree;
  QStringList expected;
  QString path = tree.root() + u'/';
  QString relative;
  for (int level = 0; level < 150; ++level) {
    expected << path + QStringLiteral("side/s.txt");
    tree.file(relative + QStringLiteral("side/s.txt"));
    relative += QStringLiteral("d/");
    path += QStringLiteral("d/");
  }
  tree.folder(relative);
  // Pre-order, names sorted: d before side, so the side files come bottom first.
  std::reverse(expected.begin(), expected.end());
  for (int threads : {1, 3}) {
    const Walked walked = walk(tree.root() + u'/', threads);
    EXPECT_EQ(walked.rows, expected) << threads;
    EXPECT_EQ(walked.unreadable, 0);
    EXPECT_EQ(walked.failures, 0u);
  }
}

// The window's thread asks to stop while a worker reads a folder of 100,000 files: the worker
// stops at its next batch, and the batches it handed over before stay whole. (Only the first
// batch's files exist on disk: the others must never be delivered.)
TEST(FolderScannerTest, ACancelFromAnotherThreadStopsALargeFolderPartWay) {
  TempTree tree;
  const QString folder = tree.root() + u'/';
  constexpr int kFiles = 100'000;
  makeFiles(folder, 100);
  std::vector<FolderScanner::FolderEntry> table{{folder, {}}};
  for (int i = 0; i < kFiles; ++i)
    table[0].files.push_back(QStringLiteral("f%1.txt").arg(i, 6, 10, QChar(u'0')));

  for (int threads : {1, 2}) {
    FolderScanner scanner(WildcardFilter(QStringLiteral("*.txt")), threads);
    scanner.setBatchFiles(100);
    std::mutex mutex;
    std::condition_variable changed;
    bool firstBatch = false;
    bool cancelSent = false;
    std::vector<FileEntry> kept;
    std::size_t failures = 0;
    int batches = 0;
    bool completed = true;
    std::vector<FolderScanner::FolderEntry> read = table;  // its names move into the rows
    std::thread worker([&] {
      completed = scanner.readFiles(read, 0, [&](FolderScanner::Batch&& batch) {
        ++batches;
        kept.insert(kept.end(), batch.entries.begin(), batch.entries.end());
        failures += batch.failures.size();
        std::unique_lock lock(mutex);
        firstBatch = true;
        changed.notify_all();
        changed.wait(lock, [&] { return cancelSent; });
        return true;
      });
    });
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return firstBatch; });
      scanner.requestCancel();
      cancelSent = true;
      changed.notify_all();
    }
    worker.join();

    EXPECT_FALSE(completed) << threads;
    EXPECT_EQ(batches, 1) << threads;
    EXPECT_EQ(failures, 0u) << threads;
    ASSERT_EQ(kept.size(), 100u) << threads;
    EXPECT_EQ(kept.front().fileName(), QStringLiteral("f000000.txt"));
    EXPECT_EQ(kept.back().fileName(),
              QStringLiteral("f%1.txt").arg(kept.size() - 1, 6, 10, QChar(u'0')));
  }
}

}  // namespace
}  // namespace vek
