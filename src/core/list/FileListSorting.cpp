// The output list's orders: its own sorting, the size sort, sorting by one column after
// another, merging waiting rows, and telling the observer how rows moved.
#include <algorithm>
#include <iterator>
#include <utility>

#include "core/list/FileList.h"
#include "core/list/RowOrder.h"

namespace vek {

std::vector<std::size_t> FileList::mergeSorted(std::vector<FileEntry> entries,
                                               std::vector<RowRange>* ranges) {
  // Sort the new rows among themselves (stable), then find each one's place after the rows
  // equal to it, searching on from the previous one's place: a small batch merged into a long
  // list costs a few comparisons per new row and one move per row behind it.
  const std::size_t old = m_rows.size();
  m_rows.insert(m_rows.end(), std::make_move_iterator(entries.begin()),
                std::make_move_iterator(entries.end()));
  const std::vector<std::size_t> order =
      sortedOrder(std::span(m_rows).subspan(old), m_sortColumn, m_sortAscending, m_numbers);
  std::vector<FileEntry> sorted;
  sorted.reserve(order.size());
  for (std::size_t i : order) sorted.push_back(std::move(m_rows[old + i]));
  m_rows.resize(old);
  const std::vector<std::size_t> before =
      mergePositions(m_rows, sorted, m_sortColumn, m_sortAscending, m_numbers);
  if (ranges) {
    for (std::size_t k = 0; k < before.size(); ++k) {
      const auto position = qint64(before[k] + k);
      if (!ranges->empty() && ranges->back().first + ranges->back().count == position) {
        ++ranges->back().count;
      } else {
        ranges->push_back({position, 1});
      }
    }
  }
  placeSorted(m_rows, sorted, before);
  std::vector<std::size_t> placed(order.size());
  for (std::size_t k = 0; k < order.size(); ++k) placed[order[k]] = before[k] + k;
  return placed;  // the new position of each new row, in the order they were given
}
void FileList::setSortingEnabled(bool enabled) {
  if (enabled == m_sortingEnabled) return;
  m_sortingEnabled = enabled;
  if (enabled) {
    resort();
  } else {
    settle();
    m_sortedPrefix = count();  // the list was kept sorted until now
  }
}

void FileList::setSortColumn(ListColumn column, bool ascending) {
  if (!isListColumn(int(column))) return;
  if (column == m_sortColumn && ascending == m_sortAscending) return;
  m_sortColumn = column;
  m_sortAscending = ascending;
  m_sortedPrefix = 0;
  if (m_sortingEnabled) resort();
}

void FileList::setNumberOrder(NumberOrder numbers) {
  if (numbers == m_numbers) return;
  m_numbers = numbers;
  m_sortedPrefix = 0;
  if (m_sortingEnabled) resort();
}

void FileList::mergeWaitingRows() {
  if (m_sortingEnabled) return;
  resort();
  m_sortedPrefix = count();
}

void FileList::columnClicked(ListColumn column) {
  if (!isShownColumn(int(column))) return;
  if (column == ListColumn::Size) {
    sortBySize();
    return;
  }
  if (column == ListColumn::DeliveryCheck) {
    sortByDeliveryCheck();
    return;
  }
  // Switching sorting on, setting the column and flipping the direction end in one sort by
  // the new column and direction.
  m_sortingEnabled = true;
  m_sortColumn = column;
  m_sortAscending = !m_sortAscending;
  m_sortedPrefix = 0;
  resort();
}

void FileList::sortBySize() {
  settle();
  // The list's own sorting would undo the size order at the next append.
  m_sortingEnabled = false;
  m_sortedPrefix = 0;
  const bool ascending = !m_bNumAsc;
  reorder(sortedOrder(m_rows, ListColumn::Size, ascending));
  m_bNumAsc = ascending;
}
void FileList::sortOwnThenBy(ListColumn column) {
  if (!isListColumn(int(column))) return;
  settle();
  std::vector<std::size_t> own = sortedOrder(m_rows, m_sortColumn, m_sortAscending, m_numbers);
  const bool bySize = column == ListColumn::Size;
  const bool ascending = bySize ? !m_bNumAsc : true;
  const bool sameAsOwn = !bySize && column == m_sortColumn && m_sortAscending;
  if (bySize) {
    m_bNumAsc = ascending;
  } else {
    m_sortColumn = column;
    m_sortAscending = true;
  }
  m_sortingEnabled = !bySize;  // the list's own sorting would undo the size order
  m_sortedPrefix = 0;
  if (sameAsOwn) {
    reorder(std::move(own));
    return;
  }
  // Sorted by column with the rows taken in their own order, so that ties keep that order.
  const std::vector<std::size_t> within = sortedOrder(m_rows, own, column, ascending, m_numbers);
  std::vector<std::size_t> order(within.size());
  for (std::size_t k = 0; k < within.size(); ++k) order[k] = own[within[k]];
  reorder(std::move(order));
}

void FileList::resort() {
  settle();
  ++m_orderChanges;
  const qint64 sorted = std::clamp<qint64>(m_sortedPrefix, 0, count());
  m_sortedPrefix = 0;
  if (sorted == count()) return;
  if (sorted == 0) {
    reorder(sortedOrder(m_rows, m_sortColumn, m_sortAscending, m_numbers));
    return;
  }
  // Stable: of equal rows, those already listed stay before the ones added since, which are
  // merged in like a batch.
  std::vector<FileEntry> tail(std::make_move_iterator(m_rows.begin() + sorted),
                              std::make_move_iterator(m_rows.end()));
  m_rows.resize(std::size_t(sorted));
  const std::vector<std::size_t> placed = mergeSorted(std::move(tail), nullptr);
  announceMerge(std::size_t(sorted), placed);
}

void FileList::announceMerge(std::size_t sorted, const std::vector<std::size_t>& placed) {
  if (!m_observer.to) return;
  std::vector<qint64> newRowOfOldRow(m_rows.size());
  std::vector<bool> taken(sorted + placed.size());
  bool moved = false;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const std::size_t oldRow = sorted + i;
    newRowOfOldRow[oldRow] = qint64(placed[i]);
    taken[placed[i]] = true;
    moved = moved || placed[i] != oldRow;
  }
  // The rows listed before keep their order in the free places.
  std::size_t next = 0;
  for (std::size_t i = 0; i < sorted; ++i) {
    while (taken[next]) ++next;
    newRowOfOldRow[i] = qint64(next++);
  }
  for (std::size_t i = sorted + placed.size(); i < m_rows.size(); ++i) {
    newRowOfOldRow[i] = qint64(i);
  }
  if (moved) m_observer.to->rowsReordered(newRowOfOldRow);
}

FileList::WaitingRows FileList::waitingRows() const {
  WaitingRows waiting;
  // While sorting is on no row waits; while it is off the side list is empty (an append
  // merges it first), so m_rows holds every row.
  if (m_sortingEnabled) {
    waiting.first = count();
  } else {
    waiting.first = std::clamp<qint64>(m_sortedPrefix, 0, count());
    waiting.rows.assign(m_rows.begin() + waiting.first, m_rows.end());
  }
  waiting.column = m_sortColumn;
  waiting.ascending = m_sortAscending;
  waiting.numbers = m_numbers;
  waiting.orderChanges = m_orderChanges;
  return waiting;
}

qint64 FileList::waitingCount() const {
  return m_sortingEnabled ? 0 : count() - std::clamp<qint64>(m_sortedPrefix, 0, count());
}

FileList::WaitingOrder FileList::orderOf(WaitingRows waiting) {
  WaitingOrder order;
  order.first = waiting.first;
  order.order = sortedOrder(waiting.rows, waiting.column, waiting.ascending, waiting.numbers);
  order.column = waiting.column;
  order.ascending = waiting.ascending;
  order.numbers = waiting.numbers;
  order.orderChanges = waiting.orderChanges;
  return order;
}

bool FileList::mergeWaitingRows(const WaitingOrder& waiting) {
  settle();
  const std::size_t n = waiting.order.size();
  if (m_sortingEnabled || waiting.orderChanges != m_orderChanges ||
      waiting.first != m_sortedPrefix || waiting.column != m_sortColumn ||
      waiting.ascending != m_sortAscending || waiting.numbers != m_numbers || waiting.first < 0 ||
      std::size_t(waiting.first) + n > m_rows.size()) {
    return false;
  }
  const auto first = std::size_t(waiting.first);
  // The rows that came after the copy wait on, after the merged ones.
  std::vector<FileEntry> later(std::make_move_iterator(m_rows.begin() + qsizetype(first + n)),
                               std::make_move_iterator(m_rows.end()));
  std::vector<FileEntry> sorted;
  sorted.reserve(n);
  for (std::size_t i : waiting.order) sorted.push_back(std::move(m_rows[first + i]));
  m_rows.resize(first);
  const std::vector<std::size_t> before =
      mergePositions(m_rows, sorted, m_sortColumn, m_sortAscending, m_numbers);
  placeSorted(m_rows, sorted, before);
  m_rows.insert(m_rows.end(), std::make_move_iterator(later.begin()),
                std::make_move_iterator(later.end()));
  m_sortedPrefix = qint64(first + n);
  ++m_orderChanges;
  std::vector<std::size_t> placed(n);
  for (std::size_t k = 0; k < n; ++k) placed[waiting.order[k]] = before[k] + k;
  announceMerge(first, placed);
  return true;
}

void FileList::reorder(std::vector<std::size_t> order) {
  ++m_orderChanges;
  bool moved = false;
  for (std::size_t k = 0; k < order.size() && !moved; ++k) moved = order[k] != k;
  if (!moved) return;
  std::vector<qint64> newRowOfOldRow;
  if (m_observer.to) {
    newRowOfOldRow.resize(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) newRowOfOldRow[order[k]] = qint64(k);
  }
  applyOrder(m_rows, order);
  if (m_observer.to) m_observer.to->rowsReordered(newRowOfOldRow);
}

int FileList::compareForSorting(const FileEntry& a, const FileEntry& b) const {
  return compareRows(a, b, m_sortColumn, m_sortAscending, m_numbers);
}
}  // namespace vek
