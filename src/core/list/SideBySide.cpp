// How many threads a sort uses, and the list length from which it shares the work out.
#include "core/list/SideBySide.h"

#include <atomic>

#include "core/list/RowOrder.h"

namespace vek {

namespace {

// Sorts of fewer items than this run on the calling thread alone: below it, starting threads
// costs more than they save.
constexpr std::size_t kRowsWorthSharingOut = std::size_t(1) << 16;
std::atomic<std::size_t> g_rowsWorthSharingOut{kRowsWorthSharingOut};

}  // namespace

int sortThreads(std::size_t items) {
  if (items < g_rowsWorthSharingOut.load(std::memory_order_relaxed)) return 1;
  return std::min(workerThreads(), 8);
}

void setRowsWorthSharingOut(std::size_t rows) {
  g_rowsWorthSharingOut.store(rows == 0 ? kRowsWorthSharingOut : rows, std::memory_order_relaxed);
}

}  // namespace vek
