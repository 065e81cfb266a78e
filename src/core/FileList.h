// The output list: rows in display order, their ticks, the list's own sorting (one direction
// for every column, flipped on every click), the numeric size sort, the duplicate index, the
// count caption and the checks made before an export.
#pragma once

#include <optional>
#include <vector>

#include <QSet>
#include <QString>

#include "core/FileEntry.h"
#include "core/Message.h"

namespace vek {

struct ListColumn {
  QString caption;
  int widthTwips;
  bool alignRight;
};

class FileList {
 public:
  static constexpr int kSizeColumn = 4;  // 0-based index of the size column

  // The eight list columns: captions, widths in twips, alignment.
  static const std::vector<ListColumn>& columns();

  qint64 count() const { return qint64(m_rows.size()); }
  bool isEmpty() const { return m_rows.empty(); }
  const FileEntry& at(qint64 row) const { return m_rows[std::size_t(row)]; }
  const std::vector<FileEntry>& rows() const { return m_rows; }

  // Appends a row; while the list's own sorting is on the row goes to its sorted place
  // (after the rows that sort equal to it). Returns the row's position.
  qint64 append(FileEntry entry);
  void setTicked(qint64 row, bool ticked);  // a row outside the list is ignored
  void clear();                             // bNumAsc keeps its value
  qint64 tickedCount() const;

  // True when some row's full path equals fullPath exactly (case-sensitive). Constant time:
  // the index is built on first use and kept up to date afterwards.
  bool isAlreadyListed(const QString& fullPath) const;

  // The list's own sorting. While it is on, the list is kept sorted by its sort column and
  // direction; switching it on again re-sorts.
  bool isSortingEnabled() const { return m_sortingEnabled; }
  void setSortingEnabled(bool enabled);
  int sortColumn() const { return m_sortColumn; }
  bool sortAscending() const { return m_sortAscending; }
  // Sets the sort column and direction without flipping (the batch run's sort); re-sorts
  // when sorting is on. Set the column before switching sorting on to sort only once.
  void setSortColumn(int column, bool ascending);

  // A click on a column header: the size column switches the list's sorting off and runs
  // sortBySize; any other column switches it on with that column and flips the one shared
  // direction.
  void columnClicked(int column);
  // Stable numeric size sort, ascending unless bNumAsc; then flips bNumAsc. Ticks stay. It
  // switches the list's own sorting off, which would otherwise undo the size order.
  void sortBySize();
  bool bNumAsc() const { return m_bNumAsc; }

  // "出力対象ﾌｧｲﾙﾘｽﾄ" and "出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：" + count + "ﾌｧｲﾙ".
  static QString clearedCaption();
  QString countCaption() const;

  // The message an export button shows instead of opening its dialog: no rows, or no row
  // ticked. nullopt when the export may go on.
  std::optional<Message> checkExportable() const;

 private:
  // Sorts rows [from, to) stably by column: texts case-insensitively, then case-sensitively;
  // the size numerically; dates by value, a missing date first.
  void sortRange(qint64 from, qint64 to, int column, bool ascending);
  // Brings the list into the order of its own sorting, merging a still-sorted prefix.
  void resort();
  // Negative, zero or positive as a sorts before, with or after b under the list's own sorting.
  int compareForSorting(const FileEntry& a, const FileEntry& b) const;

  std::vector<FileEntry> m_rows;
  qint64 m_tickedCount = 0;
  mutable QSet<QString> m_fullPaths;
  mutable bool m_indexBuilt = false;
  bool m_sortingEnabled = true;
  int m_sortColumn = 0;
  bool m_sortAscending = true;
  bool m_bNumAsc = false;
  // While sorting is off: how many leading rows are still in the order of the sort column and
  // direction, so that switching sorting on again only sorts the rows added since and merges.
  qint64 m_sortedPrefix = 0;
};

}  // namespace vek
