#include "ui/FileListModel.h"

#include <QPalette>
#include <QTimer>

#include "core/list/FileList.h"

namespace vek {

FileListModel::FileListModel(FileList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_rows(list.count()) {
  m_list.setObserver(this);
}

FileListModel::~FileListModel() {
  m_list.setObserver(nullptr);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  // Views count rows in int; a list beyond that shows its first 2^31 - 1 rows.
  if (parent.isValid()) return 0;
  if (m_differencesOnly) return int(m_shown.size());
  return int(std::min<qint64>(m_rows, std::numeric_limits<int>::max()));
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kShownColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const qint64 row = listRow(index.row());
  const FileEntry& entry = m_list.at(row);
  switch (role) {
    case Qt::DisplayRole:
      if (ListColumn(index.column()) == ListColumn::DeliveryCheck)
        return deliveryNote(m_list.deliveryProblems(row));
      return entry.columnText(ListColumn(index.column()));
    case Qt::ToolTipRole:
      // A changed file's values before and now read whole, whatever the column's width.
      if (ListColumn(index.column()) == ListColumn::State)
        return entry.columnText(ListColumn::State);
      return {};
    case Qt::ForegroundRole:
      // A removed file no longer exists: its row reads as one apart.
      if (entry.state == CompareState::Removed) return QPalette().brush(QPalette::PlaceholderText);
      return {};
    case Qt::CheckStateRole:
      if (index.column() == 0) return entry.ticked ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::TextAlignmentRole:
      return FileList::columns()[std::size_t(index.column())].alignRight
                 ? int(Qt::AlignRight | Qt::AlignVCenter)
                 : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 ||
      index.row() >= rowCount()) {
    return false;
  }
  m_list.setTicked(listRow(index.row()), value.value<Qt::CheckState>() == Qt::Checked);
  Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

void FileListModel::changeTicks(const std::vector<RowSpan>& spans, TickChange change) {
  // Every row in one array first, read directly; only the rows that change go through the list.
  const std::vector<FileEntry>& rows = m_list.rows();
  int lowest = std::numeric_limits<int>::max();
  int highest = -1;
  for (const RowSpan& span : spans) {
    const int first = std::max(span.first, 0);
    const int last = std::min(span.last, rowCount() - 1);
    for (int row = first; row <= last; ++row) {
      const qint64 at = listRow(row);
      const bool was = rows[std::size_t(at)].ticked;
      const bool ticked = change == TickChange::Tick     ? true
                          : change == TickChange::Untick ? false
                                                         : !was;
      if (ticked != was) m_list.setTicked(at, ticked);
    }
    if (first <= last) {
      lowest = std::min(lowest, first);
      highest = std::max(highest, last);
    }
  }
  if (highest >= 0) Q_EMIT dataChanged(index(lowest, 0), index(highest, 0), {Qt::CheckStateRole});
}

void FileListModel::changeAllTicks(TickChange change) {
  if (rowCount() > 0) changeTicks({{0, rowCount() - 1}}, change);
}

void FileListModel::untickSameRows() {
  flush();
  const std::vector<FileEntry>& rows = m_list.rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].state == CompareState::Same && rows[row].ticked)
      m_list.setTicked(qint64(row), false);
  }
  if (rowCount() > 0)
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

std::vector<qint64> FileListModel::differingRows() const {
  std::vector<qint64> shown;
  const std::vector<FileEntry>& rows = m_list.rows();
  shown.reserve(rows.size() - std::size_t(m_list.stateCount(CompareState::Same)));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].state != CompareState::Same) shown.push_back(qint64(row));
  }
  return shown;
}

void FileListModel::setDifferencesOnly(bool on) {
  on = on && m_list.holdsComparison();
  if (on == m_differencesOnly) return;
  flush();
  beginResetModel();
  m_differencesOnly = on;
  m_shown = on ? differingRows() : std::vector<qint64>();
  endResetModel();
  Q_EMIT listChanged();
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == 0) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kShownColumnCount) return {};
  const ListColumnInfo& column = FileList::columns()[std::size_t(section)];
  if (role == Qt::DisplayRole) return column.caption();
  if (role == Qt::TextAlignmentRole) {
    return column.alignRight ? int(Qt::AlignRight | Qt::AlignVCenter)
                             : int(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}

void FileListModel::flush() {
  m_flushScheduled = false;
  if (m_pending == 0) return;
  beginInsertRows(QModelIndex(), int(m_rows), int(m_rows + m_pending - 1));
  m_rows += m_pending;
  m_pending = 0;
  endInsertRows();
  Q_EMIT listChanged();
}

void FileListModel::holdAppends(bool hold) {
  m_appendsHeld = hold;
  if (!hold) flush();
}

void FileListModel::scheduleFlush() {
  if (m_flushScheduled || m_appendsHeld) return;
  m_flushScheduled = true;
  QTimer::singleShot(0, this, &FileListModel::flush);
}

void FileListModel::rowsInserted(const std::vector<RowRange>& ranges) {
  if (ranges.empty()) return;
  if (m_differencesOnly) {
    // The window ends a comparison before it adds; should rows come anyway, the view starts
    // over with all of them.
    listReset();
    return;
  }
  // Rows appended at the end wait for the next flush.
  if (ranges.size() == 1 && ranges.front().first == m_rows + m_pending) {
    m_pending += ranges.front().count;
    scheduleFlush();
    return;
  }
  if (ranges.size() == 1 && m_pending == 0) {
    const RowRange& range = ranges.front();
    beginInsertRows(QModelIndex(), int(range.first), int(range.first + range.count - 1));
    m_rows += range.count;
    endInsertRows();
    Q_EMIT listChanged();
    return;
  }
  // Rows in several places (a merge into the sorted order), or rows that were still waiting:
  // the rows the views know keep their order, each moved down by the new rows before it.
  Q_EMIT layoutAboutToBeChanged();
  const QModelIndexList persistent = persistentIndexList();
  QModelIndexList moved;
  moved.reserve(persistent.size());
  for (const QModelIndex& index : persistent) {
    qint64 row = index.row();
    for (const RowRange& range : ranges) {
      if (range.first > row) break;
      row += range.count;
    }
    moved.append(createIndex(int(row), index.column()));
  }
  changePersistentIndexList(persistent, moved);
  m_rows = m_list.count();
  m_pending = 0;
  Q_EMIT layoutChanged();
  Q_EMIT listChanged();
}

void FileListModel::rowsReordered(const std::vector<qint64>& newRowOfOldRow) {
  Q_EMIT layoutAboutToBeChanged();
  const QModelIndexList persistent = persistentIndexList();
  QModelIndexList moved;
  moved.reserve(persistent.size());
  // Under the filter a view row is a list row before and after: old view row -> old list row
  // -> new list row -> new view row.
  std::vector<qint64> shownBefore;
  std::vector<int> viewRowOf;
  if (m_differencesOnly) {
    shownBefore = std::move(m_shown);
    m_shown = differingRows();
    viewRowOf.assign(std::size_t(m_list.count()), -1);
    for (std::size_t i = 0; i < m_shown.size(); ++i) viewRowOf[std::size_t(m_shown[i])] = int(i);
  }
  for (const QModelIndex& index : persistent) {
    auto old = std::size_t(index.row());
    if (m_differencesOnly) old = old < shownBefore.size() ? std::size_t(shownBefore[old]) : old;
    qint64 row = old < newRowOfOldRow.size() ? newRowOfOldRow[old] : qint64(old);
    if (m_differencesOnly) row = row < qint64(viewRowOf.size()) ? viewRowOf[std::size_t(row)] : -1;
    moved.append(row < 0 ? QModelIndex() : createIndex(int(row), index.column()));
  }
  changePersistentIndexList(persistent, moved);
  m_rows = m_list.count();
  m_pending = 0;
  Q_EMIT layoutChanged();
  Q_EMIT listChanged();
}

void FileListModel::listReset() {
  beginResetModel();
  m_rows = m_list.count();
  m_pending = 0;
  m_differencesOnly = m_differencesOnly && m_list.holdsComparison();
  m_shown = m_differencesOnly ? differingRows() : std::vector<qint64>();
  endResetModel();
  Q_EMIT listChanged();
}

}  // namespace vek
