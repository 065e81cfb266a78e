// The output list's rows: appending (the side list of waiting sorted appends), ticks, the
// duplicate index, the count caption and the export checks.
#include "core/list/FileList.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QCoreApplication>

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

FileList::Place FileList::placeOf(qint64 row) const {
  if (m_pending.empty()) return {false, std::size_t(row)};
  // The first waiting row at or after the position; the waiting rows before it are the rows
  // of the side list that stand before the position.
  const auto it = std::partition_point(m_pending.begin(), m_pending.end(), [&](const Pending& p) {
    return p.rowsBefore + (&p - m_pending.data()) < row;
  });
  const qint64 before = it - m_pending.begin();
  if (it != m_pending.end() && it->rowsBefore + before == row) return {true, it->stored};
  return {false, std::size_t(row - before)};
}

const FileEntry& FileList::at(qint64 row) const {
  const Place place = placeOf(row);
  return place.waiting ? m_pendingRows[place.index] : m_rows[place.index];
}

FileEntry& FileList::rowAt(qint64 row) {
  const Place place = placeOf(row);
  return place.waiting ? m_pendingRows[place.index] : m_rows[place.index];
}

const std::vector<FileEntry>& FileList::rows() const {
  Q_ASSERT_X(m_pending.empty(), "FileList::rows", "settle() the list before reading its rows");
  return m_rows;
}

void FileList::settle() {
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
  countAdded(entry);
  qint64 position = count();
  if (!m_sortingEnabled) {
    settle();
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
    if (m_pending.size() >= kPendingLimit) settle();
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
  resetCounts();
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
    countAdded(entry);
  }
  settle();
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
  resetCounts();
  m_fullPaths.clear();
  m_fullPaths.squeeze();
  m_indexBuilt = false;
  m_delivery.clear();
  m_sortedPrefix = 0;
  ++m_orderChanges;
  if (m_observer.to) m_observer.to->listReset();
}

void FileList::resetCounts() {
  m_tickedCount = 0;
  m_tickedBytes = 0;
  m_tickedRemoved = 0;
  m_stateCounts.fill(0);
}

bool FileList::isFromSavedListOnly(const FileEntry& row) {
  return row.state == CompareState::Removed ||
         (row.state == CompareState::Unverified && row.detail &&
          row.detail->reason == UnverifiedReason::NotRead);
}

qint64 FileList::endComparison() {
  std::vector<FileEntry> kept;
  kept.reserve(rows().size());
  for (const FileEntry& row : m_rows) {
    if (isFromSavedListOnly(row)) continue;
    FileEntry plain = row;
    plain.state = CompareState::None;
    plain.changes = 0;
    plain.detail.reset();
    kept.push_back(std::move(plain));
  }
  const qint64 gone = count() - qint64(kept.size());
  clear();
  appendBatch(std::move(kept));
  return gone;
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
