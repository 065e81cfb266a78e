// The walk on its own thread and the queue between it and the window: the walk reads on while
// the window is busy elsewhere, waits when the queue holds its limit, and goes on, in order,
// once the window has taken the queue down; a walk hung in a read outlives its ScanThread only
// as a walk counted as left behind.
#include "gather/ScanThread.h"

#include <memory>

#include <QElapsedTimer>
#include <QObject>
#include <QThread>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "support/SlowMount.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using test::TempTree;

// The files of a tree of folders "d000".."dNNN", one file each, in the walk's order.
QStringList makeFolders(TempTree& tree, int folders) {
  QStringList paths;
  for (int i = 0; i < folders; ++i) {
    paths.append(tree.file(QStringLiteral("d%1/f.txt").arg(i, 3, 10, QLatin1Char('0'))));
  }
  return paths;
}

// Takes every event until the walk's end, waiting for the walk where the queue is empty; the
// full paths of the rows in the order they came.
QStringList takeAll(ScanThread& scan, bool& completed) {
  QStringList paths;
  for (;;) {
    std::optional<ScanThread::Event> event = scan.take();
    if (!event) {
      scan.waitFinished(std::chrono::milliseconds(10));
      continue;
    }
    if (event->type == ScanThread::Event::Type::Done) {
      completed = event->completed;
      return paths;
    }
    for (const FileEntry& row : event->batch.entries) paths.append(row.fullPath());
  }
}

TEST(ScanThreadTest, TheWalkReadsOnWhileTheWindowIsBusyElsewhere) {
  // A folder gives at least one batch: a tree of many small folders is many batches of few
  // rows, which the walk queues without waiting for the window to take them.
  TempTree tree;
  const QStringList expected = makeFolders(tree, 150);
  QObject receiver;
  ScanThread scan(&receiver, [] {});
  scan.start(ScanThread::Kind::Subtree, tree.root() + QLatin1Char('/'),
             WildcardFilter(QStringLiteral("*.*")), WalkRules(), 2, 1024);
  EXPECT_TRUE(scan.waitFinished(std::chrono::seconds(20)));
  EXPECT_EQ(scan.walkBlocked(), std::chrono::nanoseconds(0));
  bool completed = false;
  EXPECT_EQ(takeAll(scan, completed), expected);
  EXPECT_TRUE(completed);
}

TEST(ScanThreadTest, AFullQueueHoldsTheWalkUntilTheWindowTakesItDown) {
  TempTree tree;
  const QStringList expected = makeFolders(tree, 40);
  QObject receiver;
  for (const ScanQueueLimits limits : {ScanQueueLimits{4, 1000}, ScanQueueLimits{1000, 3}}) {
    ScanThread scan(
        &receiver, [] {}, limits);
    scan.start(ScanThread::Kind::Subtree, tree.root() + QLatin1Char('/'),
               WildcardFilter(QStringLiteral("*.*")), WalkRules(), 2, 1024);
    // Nobody takes: the walk waits with a few rows queued.
    EXPECT_FALSE(scan.waitFinished(std::chrono::milliseconds(300)));
    bool completed = false;
    EXPECT_EQ(takeAll(scan, completed), expected);
    EXPECT_TRUE(completed);
    EXPECT_TRUE(scan.waitFinished(std::chrono::seconds(20)));
    EXPECT_GT(scan.walkBlocked(), std::chrono::nanoseconds(0));
  }
}

TEST(ScanThreadTest, AWalkHungInAReadIsLeftBehindAndCountedUntilItEnds) {
  auto mount = std::make_unique<test::SlowMount>(test::SlowMount::Options{
      .folders = 1, .files = 1, .delayMs = 0, .stuck = true, .broken = {}});
  if (!mount->unavailable().isEmpty()) GTEST_SKIP() << mount->unavailable().toStdString();
  {
    QObject receiver;
    ScanThread scan(&receiver, [] {});
    scan.start(ScanThread::Kind::Subtree, mount->path() + QLatin1Char('/'),
               WildcardFilter(QStringLiteral("*.*")), WalkRules(), 1, 1024);
    ASSERT_TRUE(mount->waitUntilStuck());
  }  // gone, with the read still hung
  EXPECT_TRUE(ScanThread::walksLeftBehind());
  mount.reset();  // the hung read fails, and the walk ends
  QElapsedTimer waited;
  waited.start();
  while (ScanThread::walksLeftBehind() && waited.elapsed() < 20000) QThread::msleep(10);
  EXPECT_FALSE(ScanThread::walksLeftBehind());
}

}  // namespace
}  // namespace vek
