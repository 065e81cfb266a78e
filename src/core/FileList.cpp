// The output list: appending, ticks, the duplicate index, the list's own sorting and the size
// sort, the count caption and the export checks. How rows are ordered is RowOrder's.
#include "core/FileList.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <unordered_map>
#include <utility>

#include <QCoreApplication>

#include "core/RowOrder.h"

using namespace Qt::StringLiterals;

namespace vek {

namespace {

// How many rows the side list of single appends may hold before it is merged into the list:
// each append moves at most this many small records, each merge moves the whole list.
constexpr std::size_t kPendingLimit = 4096;

}  // namespace

const std::vector<ListColumnInfo>& FileList::columns() {
  static const std::vector<ListColumnInfo> list = {
      {"FileList", QT_TRANSLATE_NOOP("FileList", "ﾌｧｲﾙ名"), 1200, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "拡張子"), 600, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "ﾊﾟｽ"), 2000, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "ﾌｧｲﾙﾀｲﾌﾟ"), 1000, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "ﾌｧｲﾙｻｲｽﾞ"), 800, true},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "作成日時"), 1750, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "ｱｸｾｽ日時"), 1750, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "更新日時"), 1750, false},
      {"DeliveryCheck", kDeliveryCheckCaptionSource, 2400, false},
      {"FileList", QT_TRANSLATE_NOOP("FileList", "状態"), 2700, false},
  };
  return list;
}

const FileEntry& FileList::at(qint64 row) const {
  return const_cast<FileList*>(this)->rowAt(row);
}

FileEntry& FileList::rowAt(qint64 row) {
  if (m_pending.empty()) return m_rows[std::size_t(row)];
  // The first waiting row at or after the position; the waiting rows before it are the rows
  // of the side list that stand before the position.
  const auto it = std::partition_point(m_pending.begin(), m_pending.end(), [&](const Pending& p) {
    return p.rowsBefore + (&p - m_pending.data()) < row;
  });
  const qint64 before = it - m_pending.begin();
  if (it != m_pending.end() && it->rowsBefore + before == row) return m_pendingRows[it->stored];
  return m_rows[std::size_t(row - before)];
}

const std::vector<FileEntry>& FileList::rows() const {
  mergePending();
  return m_rows;
}

void FileList::mergePending() const {
  if (m_pending.empty()) return;
  std::size_t source = m_rows.size();
  std::size_t target = m_rows.size() + m_pending.size();
  m_rows.resize(target);
  // From the end, so that every row moves once.
  for (std::size_t j = m_pending.size(); j-- > 0;) {
    const std::size_t position = std::size_t(m_pending[j].rowsBefore) + j;
    while (target > position + 1) m_rows[--target] = std::move(m_rows[--source]);
    m_rows[--target] = std::move(m_pendingRows[m_pending[j].stored]);
  }
  m_pending.clear();
  m_pendingRows.clear();
}

qint64 FileList::append(FileEntry entry) {
  if (m_indexBuilt) m_fullPaths.insert(entry.fullPath());
  if (m_checksBuilt) noteAdded(entry, rowCheck(entry));
  if (entry.ticked) addTicked(entry, 1);
  qint64 position = count();
  if (!m_sortingEnabled) {
    mergePending();
    m_rows.push_back(std::move(entry));
  } else {
    const auto sortsAfter = [this](const FileEntry& value, const FileEntry& row) {
      return compareForSorting(value, row) < 0;
    };
    const qint64 rowsBefore =
        std::upper_bound(m_rows.begin(), m_rows.end(), entry, sortsAfter) - m_rows.begin();
    const auto waiting = std::upper_bound(m_pending.begin(), m_pending.end(), entry,
                                          [&](const FileEntry& value, const Pending& p) {
                                            return sortsAfter(value, m_pendingRows[p.stored]);
                                          });
    const qint64 waitingBefore = waiting - m_pending.begin();
    position = rowsBefore + waitingBefore;
    m_pending.insert(waiting, {rowsBefore, m_pendingRows.size()});
    m_pendingRows.push_back(std::move(entry));
    if (m_pending.size() >= kPendingLimit) mergePending();
  }
  if (m_observer.to) m_observer.to->rowsInserted({{position, 1}});
  return position;
}

void FileList::leaveToTheSystem() {
  struct Left {
    std::vector<std::vector<FileEntry>> rows;
    std::vector<QSet<QString>> indexes;
  };
  static auto* const left = new Left;
  left->rows.push_back(std::move(m_rows));
  left->rows.push_back(std::move(m_pendingRows));
  left->indexes.push_back(std::move(m_fullPaths));
  m_rows = {};
  m_pendingRows = {};
  m_pending.clear();
  m_tickedCount = 0;
  m_tickedBytes = 0;
  m_fullPaths = {};
  m_indexBuilt = false;
  m_delivery.clear();
  m_sortedPrefix = 0;
  ++m_orderChanges;
  if (m_observer.to) m_observer.to->listReset();
}

void FileList::reserveFor(qint64 moreRows) {
  const std::size_t needed =
      m_rows.size() + m_pendingRows.size() + std::size_t(std::max<qint64>(moreRows, 0));
  if (needed <= m_rows.capacity()) return;
  // Growing by half at least, so that many small adds still cost a few moves of the list.
  m_rows.reserve(std::max(needed, m_rows.capacity() + m_rows.capacity() / 2));
}

void FileList::appendBatch(std::vector<FileEntry> entries) {
  appendBatch(std::move(entries), {});
}

void FileList::appendBatch(std::vector<FileEntry> entries, const std::vector<RowCheck>& checks) {
  if (entries.empty()) return;
  const bool checked = checks.size() == entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const FileEntry& entry = entries[i];
    if (m_indexBuilt) m_fullPaths.insert(entry.fullPath());
    if (m_checksBuilt) noteAdded(entry, checked ? checks[i] : rowCheck(entry));
    if (entry.ticked) addTicked(entry, 1);
  }
  mergePending();
  const std::size_t old = m_rows.size();
  const std::size_t added = entries.size();
  if (!m_sortingEnabled) {
    m_rows.insert(m_rows.end(), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
    if (m_observer.to) m_observer.to->rowsInserted({{qint64(old), qint64(added)}});
    return;
  }
  std::vector<RowRange> ranges;
  mergeSorted(std::move(entries), m_observer.to ? &ranges : nullptr);
  if (m_observer.to) m_observer.to->rowsInserted(ranges);
}

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

void FileList::setTicked(qint64 row, bool ticked) {
  if (row < 0 || row >= count()) return;
  FileEntry& entry = rowAt(row);
  if (entry.ticked == ticked) return;
  entry.ticked = ticked;
  addTicked(entry, ticked ? 1 : -1);
}

void FileList::clear() {
  m_rows.clear();
  m_rows.shrink_to_fit();
  m_pending.clear();
  m_pendingRows.clear();
  m_tickedCount = 0;
  m_tickedBytes = 0;
  m_fullPaths.clear();
  m_fullPaths.squeeze();
  m_indexBuilt = false;
  m_delivery.clear();
  m_sortedPrefix = 0;
  ++m_orderChanges;
  if (m_observer.to) m_observer.to->listReset();
}

bool FileList::isAlreadyListed(const QString& fullPath) {
  if (!m_indexBuilt) {
    m_fullPaths.reserve(qsizetype(count()));
    for (const FileEntry& row : m_rows) m_fullPaths.insert(row.fullPath());
    for (const FileEntry& row : m_pendingRows) m_fullPaths.insert(row.fullPath());
    m_indexBuilt = true;
  }
  return m_fullPaths.contains(fullPath);
}

void FileList::setSortingEnabled(bool enabled) {
  if (enabled == m_sortingEnabled) return;
  m_sortingEnabled = enabled;
  if (enabled) {
    resort();
  } else {
    mergePending();
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
  mergePending();
  // The list's own sorting would undo the size order at the next append.
  m_sortingEnabled = false;
  m_sortedPrefix = 0;
  const bool ascending = !m_bNumAsc;
  reorder(sortedOrder(m_rows, ListColumn::Size, ascending));
  m_bNumAsc = ascending;
}

void FileList::noteAdded(const FileEntry& entry, const RowCheck& check) {
  // A copied list fills its checks again when they are next asked for.
  if (!m_delivery.stale()) m_delivery.add(entry, check);
}

void FileList::buildDeliveryChecks() {
  if (m_checksBuilt && !m_delivery.stale()) return;
  m_checksBuilt = true;
  m_delivery.clear();
  m_delivery.reserve(qsizetype(count()));
  for (const FileEntry& row : m_rows) noteAdded(row, rowCheck(row));
  for (const FileEntry& row : m_pendingRows) noteAdded(row, rowCheck(row));
}

DeliveryFinding FileList::deliveryProblems(qint64 row) {
  buildDeliveryChecks();
  return m_delivery.finding(rowAt(row));
}

qint64 FileList::notedCount() {
  buildDeliveryChecks();
  return m_delivery.notedCount();
}

void FileList::sortByDeliveryCheck() {
  buildDeliveryChecks();
  mergePending();
  m_sortingEnabled = false;  // as after the size sort
  m_sortedPrefix = 0;
  m_notedFirst = !m_notedFirst;
  // Each row's kinds of problem (its name's, its folders'), then the distinct kinds ranked by
  // their notes, no note last.
  std::vector<quint32> kinds(m_rows.size());
  std::unordered_map<quint32, std::size_t> rank;
  std::vector<quint32> distinct;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const DeliveryFinding found = m_delivery.finding(m_rows[i]);
    kinds[i] = quint32(found.name) | (quint32(found.folders) << 16);
    if (rank.emplace(kinds[i], 0).second) distinct.push_back(kinds[i]);
  }
  std::sort(distinct.begin(), distinct.end(), [](quint32 a, quint32 b) {
    if ((a == 0) != (b == 0)) return b == 0;
    const int byName =
        compareText(deliveryNote(DeliveryProblems(a)), deliveryNote(DeliveryProblems(b)));
    if (byName != 0) return byName < 0;
    return compareText(deliveryNote(DeliveryProblems(a >> 16)),
                       deliveryNote(DeliveryProblems(b >> 16))) < 0;
  });
  if (!m_notedFirst) std::reverse(distinct.begin(), distinct.end());
  for (std::size_t r = 0; r < distinct.size(); ++r) rank[distinct[r]] = r;
  // A counting sort by rank keeps equal rows in their order.
  std::vector<std::size_t> next(distinct.size() + 1, 0);
  for (const quint32 kind : kinds) ++next[rank[kind] + 1];
  std::partial_sum(next.begin(), next.end(), next.begin());
  std::vector<std::size_t> order(m_rows.size());
  for (std::size_t i = 0; i < m_rows.size(); ++i) order[next[rank[kinds[i]]]++] = i;
  reorder(std::move(order));
}

void FileList::sortOwnThenBy(ListColumn column) {
  if (!isListColumn(int(column))) return;
  mergePending();
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
  mergePending();
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
  mergePending();
  WaitingRows waiting;
  waiting.first = m_sortingEnabled ? count() : std::clamp<qint64>(m_sortedPrefix, 0, count());
  waiting.rows.assign(m_rows.begin() + waiting.first, m_rows.end());
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
  mergePending();
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

QString FileList::clearedCaption() {
  return QCoreApplication::translate("FileList", "出力対象ﾌｧｲﾙﾘｽﾄ");
}

QString FileList::countCaption() const {
  return QCoreApplication::translate("FileList", "%1 - 総ﾌｧｲﾙ数：%2ﾌｧｲﾙ")
      .arg(clearedCaption(), QString::number(count()));
}

std::optional<Message> FileList::checkExportable() const {
  if (isEmpty())
    return Message{QCoreApplication::translate("FileList", "ﾌｧｲﾙがありません。"),
                   QCoreApplication::translate(
                       "FileList", "出力対象とするファイルリストが入力されていません。"),
                   MessageIcon::Warning};
  if (m_tickedCount == 0)
    return Message{
        QCoreApplication::translate("FileList", "選択されていません。"),
        QCoreApplication::translate(
            "FileList",
            "選択済みのファイルリストにおいて、一つ以上の項目にチェックを付けてください。"),
        MessageIcon::Warning};
  return std::nullopt;
}

}  // namespace vek

namespace vek {

QString ListColumnInfo::caption() const {
  return QCoreApplication::translate(captionContext, captionSource);
}

}  // namespace vek
