// Moving rows into an order, and merging sorted new rows into sorted rows.
#include <algorithm>
#include <utility>

#include "core/list/Prefetch.h"
#include "core/list/RowOrder.h"

namespace vek {

// Puts rows[k] = old rows[order[k]] for every k, in place, one cycle of the permutation at a
// time; order is used up. The positions of a cycle are listed first, from the order (a
// sixteenth of the rows' size), so that the rows, large and scattered, can be fetched ahead of
// their move instead of one cache miss after another.
void applyOrder(std::vector<FileEntry>& rows, std::vector<std::size_t>& order) {
  constexpr std::size_t kAhead = 16;
  std::vector<std::size_t> cycle;
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    cycle.clear();
    std::size_t at = start;
    do {
      cycle.push_back(at);
      const std::size_t source = order[at];
      order[at] = at;  // done
      at = source;
    } while (at != start);
    FileEntry held = std::move(rows[cycle.front()]);
    const std::size_t last = cycle.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
      if (i + 1 + kAhead <= last) {
        const char* ahead = reinterpret_cast<const char*>(&rows[cycle[i + 1 + kAhead]]);
        for (std::size_t line = 0; line < sizeof(FileEntry); line += 64)
          prefetchForWrite(ahead + line);
      }
      rows[cycle[i]] = std::move(rows[cycle[i + 1]]);
    }
    rows[cycle[last]] = std::move(held);
  }
}

std::vector<std::size_t> mergePositions(std::span<const FileEntry> rows,
                                        std::span<const FileEntry> sortedNew, ListColumn column,
                                        bool ascending, NumberOrder numbers) {
  const auto sortsBefore = [column, ascending, numbers](const FileEntry& a, const FileEntry& b) {
    return compareRows(a, b, column, ascending, numbers) < 0;
  };
  std::vector<std::size_t> before(sortedNew.size());
  auto from = rows.begin();
  for (std::size_t k = 0; k < sortedNew.size(); ++k) {
    // The place is at or after the previous one: look there in growing steps, then halve the
    // last step. A few rows among many cost a few comparisons each, and as many rows as the
    // list holds cost about one each instead of a whole binary search.
    auto low = from;
    auto high = from;
    for (std::ptrdiff_t step = 1; high != rows.end() && !sortsBefore(sortedNew[k], *high);
         step *= 2) {
      low = high + 1;
      high = rows.end() - low > step ? low + step : rows.end();
    }
    from = std::upper_bound(low, high, sortedNew[k], sortsBefore);
    before[k] = std::size_t(from - rows.begin());
  }
  return before;
}

// Merges sorted new rows into sorted rows without comparing again: before[k] is how many of
// the old rows stand before newRows[k] (non-decreasing). From the end, so every row moves once.
void placeSorted(std::vector<FileEntry>& rows, std::vector<FileEntry>& newRows,
                 const std::vector<std::size_t>& before) {
  std::size_t source = rows.size();
  std::size_t target = rows.size() + newRows.size();
  rows.resize(target);
  for (std::size_t k = newRows.size(); k-- > 0;) {
    const std::size_t position = before[k] + k;
    while (target > position + 1) rows[--target] = std::move(rows[--source]);
    rows[--target] = std::move(newRows[k]);
  }
}

}  // namespace vek
