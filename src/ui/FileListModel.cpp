#include "ui/FileListModel.h"

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
  return parent.isValid() ? 0 : int(std::min<qint64>(m_rows, std::numeric_limits<int>::max()));
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kShownColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_rows) return {};
  const FileEntry& entry = m_list.at(index.row());
  switch (role) {
    case Qt::DisplayRole:
      if (ListColumn(index.column()) == ListColumn::DeliveryCheck)
        return deliveryNote(m_list.deliveryProblems(index.row()));
      return entry.columnText(ListColumn(index.column()));
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
      index.row() >= m_rows) {
    return false;
  }
  m_list.setTicked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
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
    const int last = int(std::min<qint64>(span.last, m_rows - 1));
    for (int row = first; row <= last; ++row) {
      const bool was = rows[std::size_t(row)].ticked;
      const bool ticked = change == TickChange::Tick     ? true
                          : change == TickChange::Untick ? false
                                                         : !was;
      if (ticked != was) m_list.setTicked(row, ticked);
    }
    if (first <= last) {
      lowest = std::min(lowest, first);
      highest = std::max(highest, last);
    }
  }
  if (highest >= 0) Q_EMIT dataChanged(index(lowest, 0), index(highest, 0), {Qt::CheckStateRole});
}

void FileListModel::changeAllTicks(TickChange change) {
  if (m_rows > 0) changeTicks({{0, rowCount() - 1}}, change);
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
  for (const QModelIndex& index : persistent) {
    const auto old = std::size_t(index.row());
    const qint64 row = old < newRowOfOldRow.size() ? newRowOfOldRow[old] : index.row();
    moved.append(createIndex(int(row), index.column()));
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
  endResetModel();
  Q_EMIT listChanged();
}

}  // namespace vek
