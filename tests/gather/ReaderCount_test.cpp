// When the walk adds readers: only on a network share, for stretches spent mostly blocked,
// never for a busy processor, once per doubling, never past the bound. Then a walk over a slow FUSE
// share, where the readers may grow, gives the rows of the single reader and of the same tree on
// disk.
#include "gather/ReaderCount.h"

#include <gtest/gtest.h>

#include "core/platform/OrderedWork.h"
#include "gather/FolderScanner.h"
#include "support/MissingHere.h"
#include "support/QStringPrinter.h"
#include "support/SlowMount.h"
#include "support/TempTree.h"

namespace vek {
namespace {

constexpr std::int64_t kMs = 1'000'000;

TEST(ReaderCountTest, GrowsOnlyWhileTheReadsMostlyWait) {
  struct Case {
    const char* what;
    bool network;
    int base, most, from;
    ReaderCount::Spent spent;
    int wanted;
  };
  const Case cases[] = {
      {"not on a network share: stays", false, 2, 32, 2, {10 * kMs, 1 * kMs, 0}, 2},
      {"blocked nine tenths: doubles", true, 2, 32, 2, {10 * kMs, 1 * kMs, 0}, 4},
      {"on the processor: stays", true, 2, 32, 2, {10 * kMs, 9 * kMs, 0}, 2},
      {"half blocked is not most: stays", true, 2, 32, 2, {10 * kMs, 5 * kMs, 0}, 2},
      {"waiting for a busy processor is not waiting for the share",
       true,
       2,
       32,
       2,
       {10 * kMs, 3 * kMs, 6 * kMs},
       2},
      {"too short to tell", true, 2, 32, 2, {1 * kMs, 0, 0}, 2},
      {"up to the bound only", true, 2, 3, 2, {10 * kMs, 0, 0}, 3},
      {"a fixed count never grows", true, 4, 4, 4, {10 * kMs, 0, 0}, 4},
      {"one reader becomes two", true, 1, 32, 1, {10 * kMs, 0, 0}, 2},
  };
  for (const Case& c : cases) {
    ReaderCount count(c.base, c.most);
    if (c.network) count.markNetworkShare();
    count.add(c.from, c.spent);
    EXPECT_EQ(count.wanted(), c.wanted) << c.what;
  }
}

TEST(ReaderCountTest, StretchesThatBeganAtTheSameCountGrowItOnce) {
  ReaderCount count(2, 32);
  count.markNetworkShare();
  const ReaderCount::Spent blocked{10 * kMs, 0, 0};
  count.add(2, blocked);
  count.add(2, blocked);  // another reader's stretch, begun before the first doubling
  EXPECT_EQ(count.wanted(), 4);
  count.add(4, blocked);
  EXPECT_EQ(count.wanted(), 8);
}

TEST(ReaderCountTest, TheThreadTimesCountTimeOnTheProcessor) {
  const ReaderCount::Spent before = ReaderCount::now();
  volatile std::uint64_t sum = 0;
  for (std::uint64_t i = 0; i < 20'000'000; ++i) sum = sum + i;
  const ReaderCount::Spent after = ReaderCount::now();
  EXPECT_GT(after.running, before.running);
  EXPECT_GE(after.queued, before.queued);
}

QString rowText(const FileEntry& row, qsizetype rootLength) {
  return row.fullPath().mid(rootLength) + u'|' + QString::number(row.size);
}

struct Walked {
  QStringList rows;      // path below the start, size
  QStringList fullRows;  // every column
  QStringList failures;  // path below the start
  int readers = 0;
};

Walked walk(const QString& start, int threads) {
  Walked walked;
  FolderScanner scanner(WildcardFilter(QStringLiteral("*.*")), threads);
  scanner.setBatchFiles(50);  // several batches in a folder, units cut inside them
  std::vector<FolderScanner::FolderEntry> table;
  EXPECT_EQ(scanner.searchSubfolders(start, table), 0);
  const bool completed = scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
    for (const FileEntry& row : batch.entries) {
      walked.rows << rowText(row, start.size());
      QStringList columns;
      for (int column = 0; column < kListColumnCount; ++column)
        columns << row.columnText(ListColumn(column));
      walked.fullRows << columns.join(u'|');
    }
    for (const FolderScanner::Failure& failure : batch.failures)
      walked.failures << QString(failure.folder + failure.name).mid(start.size());
    return true;
  });
  EXPECT_TRUE(completed);
  walked.readers = scanner.readers();
  return walked;
}

// Folders d000.. of files f00.txt.. on a share that delays every call by a millisecond, one
// folder also listing a file whose information cannot be read.
TEST(ReaderCountTest, AWalkOverASlowShareKeepsTheRowsAndTheirOrderWhateverItsReaders) {
  constexpr int kFolders = 10;
  constexpr int kFiles = 60;
  test::SlowMount mount(
      {.folders = kFolders, .files = kFiles, .delayMs = 1, .stuck = false, .broken = {4}});
  if (!mount.unavailable().isEmpty())
    VEK_SKIP_OR_FAIL_IN_CI(!mount.forbidden(), mount.unavailable().toStdString());
  const QString start = mount.path() + u'/';
  EXPECT_TRUE(FileSystem::onNetworkFileSystem(start));

  const Walked grown = walk(start, 0);
  const Walked alone = walk(start, 1);
  EXPECT_EQ(alone.readers, 1);
  // How far the readers grow depends on how long the share keeps them waiting (the growth
  // itself is the table test's); that they never shrink nor pass the bound does not.
  EXPECT_GE(grown.readers, workerThreads());
  EXPECT_LE(grown.readers, std::max(workerThreads(), ReaderCount::kMostReaders));
  EXPECT_EQ(grown.fullRows, alone.fullRows);
  EXPECT_EQ(grown.failures, QStringList{QStringLiteral("d004/x.txt")});
  EXPECT_EQ(alone.failures, grown.failures);

  // The same tree on a local disk, walked by the ordinary count.
  test::TempTree local;
  for (int folder = 0; folder < kFolders; ++folder) {
    for (int file = 0; file < kFiles; ++file) {
      local.file(QStringLiteral("d%1/f%2.txt")
                     .arg(folder, 3, 10, QChar(u'0'))
                     .arg(file, 2, 10, QChar(u'0')),
                 "0123456789");
    }
  }
  EXPECT_FALSE(FileSystem::onNetworkFileSystem(local.root()));
  const Walked onDisk = walk(local.root() + u'/', 0);
  EXPECT_EQ(onDisk.readers, workerThreads());
  ASSERT_EQ(onDisk.rows.size(), kFolders * kFiles);
  EXPECT_EQ(grown.rows, onDisk.rows);
}

}  // namespace
}  // namespace vek
