// Threads that cannot be started, and workers that throw: the work is done all the same, in
// its order, by the threads that are left (down to the calling one), and the process goes on.
#include "core/platform/OrderedWork.h"

#include <atomic>
#include <set>
#include <stdexcept>
#include <system_error>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "support/ThreadStarters.h"

namespace vek {
namespace {

using test::FewThreads;
using test::NoThreads;

std::vector<std::size_t> runAll(std::size_t count, int threads,
                                const std::function<std::size_t(std::size_t)>& produce) {
  std::vector<std::size_t> consumed;
  const bool completed = runInOrder(
      count, threads, produce,
      [&](std::size_t result) {
        consumed.push_back(result);
        return true;
      },
      [] { return false; });
  EXPECT_TRUE(completed);
  return consumed;
}

std::vector<std::size_t> squares(std::size_t count) {
  std::vector<std::size_t> expected;
  for (std::size_t i = 0; i < count; ++i) expected.push_back(i * i);
  return expected;
}

TEST(OrderedWorkTest, ThreadsThatCannotStartLeaveTheWorkToTheOthers) {
  for (int allowed : {0, 1, 2}) {
    const FewThreads few(allowed);
    const std::uint64_t before = workerFailures();
    EXPECT_EQ(runAll(500, 4, [](std::size_t i) { return i * i; }), squares(500)) << allowed;
    EXPECT_GT(workerFailures(), before) << allowed;  // counted, and said on standard error
  }
}

TEST(OrderedWorkTest, APieceThatThrowsOnAHelperIsDoneAgainByTheCallingThread) {
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<int> thrown{0};
  const std::uint64_t before = workerFailures();
  const auto produce = [&](std::size_t i) -> std::size_t {
    if (std::this_thread::get_id() != caller) {
      ++thrown;
      throw std::runtime_error("worker failed");
    }
    return i * i;
  };
  EXPECT_EQ(runAll(300, 4, produce), squares(300));
  EXPECT_EQ(workerFailures() - before, std::uint64_t(thrown.load()));
}

TEST(OrderedWorkTest, WhatThrowsOnTheCallingThreadReachesTheCaller) {
  const std::thread::id caller = std::this_thread::get_id();
  const auto produce = [&](std::size_t i) -> std::size_t {
    if (i == 50 && std::this_thread::get_id() == caller) throw std::runtime_error("no room");
    if (i == 50) throw std::runtime_error("no room either");
    return i;
  };
  EXPECT_THROW(runAll(100, 3, produce), std::runtime_error);  // and every helper was joined
}

// Large sorts run on several threads: without any, the order is the same.
TEST(OrderedWorkTest, ALargeSortWithoutThreadsGivesTheSameOrder) {
  qputenv("VEK_THREADS", "4");
  const auto makeList = [] {
    FileList list;
    list.setSortingEnabled(false);
    std::vector<FileEntry> rows;
    for (int i = 0; i < 70000; ++i) {
      FileEntry row;
      row.name = QStringLiteral("f%1").arg((i * 7919) % 70000);
      row.folder = QStringLiteral("/d%1/").arg(i % 13);
      row.size = (i * 31) % 1000;
      rows.push_back(std::move(row));
    }
    list.appendBatch(std::move(rows));
    return list;
  };
  const auto order = [](const FileList& list) {
    QStringList names;
    for (const FileEntry& row : list.rows()) names << row.fullPath();
    return names;
  };
  FileList threaded = makeList();
  threaded.sortOwnThenBy(ListColumn::Name);
  FileList alone = makeList();
  {
    const NoThreads none;
    alone.sortOwnThenBy(ListColumn::Name);
  }
  qunsetenv("VEK_THREADS");
  EXPECT_EQ(order(alone), order(threaded));
}

}  // namespace
}  // namespace vek
