// The output list: rows in display order, their ticks, the list's own sorting (one direction
// for every column, flipped on every click), the numeric size sort, the duplicate index, the
// count caption and the checks made before an export. One observer hears of every change.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QSet>
#include <QString>

#include "core/list/DeliveryCheck.h"
#include "core/list/FileEntry.h"
#include "core/list/FileListObserver.h"
#include "core/list/ListColumn.h"
#include "core/list/RowOrder.h"
#include "core/messages/Message.h"

namespace vek {

class FileList {
 public:
  // The list columns the window shows (the eight of the rows, then the delivery check):
  // captions, widths in twips, alignment.
  static const std::vector<ListColumnInfo>& columns();

  // One observer (a view's model); nullptr detaches. It is told of every change after it
  // happened. It belongs to this object: a copy starts without one, and assigning another
  // list to this one keeps this one's observer (and tells it nothing: do not do that to a
  // list a view shows).
  void setObserver(FileListObserver* observer) { m_observer.to = observer; }

  qint64 count() const { return qint64(m_rows.size() + m_pending.size()); }
  bool isEmpty() const { return count() == 0; }
  const FileEntry& at(qint64 row) const;
  // Every row in display order, in one array (the writers walk it). Rows appended one by one
  // may still wait in a side list: call settle() after appending and before handing the list
  // to a reader of rows().
  const std::vector<FileEntry>& rows() const;
  // Merges the rows waiting in the side list into the one array; the display order does not
  // change. Cheap when none wait.
  void settle();

  // Empties the list without freeing its rows, for a process about to end, which gives its
  // memory back at once; they stay reachable, so leak checkers do not count them as lost.
  void leaveToTheSystem();
  // Room for this many more rows, so that a large add does not move the list while it grows.
  void reserveFor(qint64 moreRows);
  // Appends a row; while the list's own sorting is on the row goes to its sorted place
  // (after the rows that sort equal to it). Returns the row's position. Cheap even on a long
  // sorted list: the row waits in a small sorted side list that is merged in now and then.
  qint64 append(FileEntry entry);
  // Appends rows in their given order; while the list's own sorting is on they are then
  // merged into the sorted order in one pass, each after the rows that sort equal to it -
  // the same order one append per row gives.
  void appendBatch(std::vector<FileEntry> entries);
  // The same with each row's delivery check parts made already (checks[i] ==
  // rowCheck(entries[i])), as the window's walk makes them; without one for every row they are
  // made here when needed.
  void appendBatch(std::vector<FileEntry> entries, const std::vector<RowCheck>& checks);
  void setTicked(qint64 row, bool ticked);  // a row outside the list is ignored
  void clear();                             // bNumAsc keeps its value
  qint64 tickedCount() const { return m_tickedCount; }
  // The total size of the ticked rows, kept as rows are ticked, added and removed: constant
  // time whatever the list's length. Rows a comparison found removed are files that no longer
  // exist: they are counted apart (tickedRemovedCount), never in the size.
  qint64 tickedBytes() const { return m_tickedBytes; }
  qint64 tickedRemovedCount() const { return m_tickedRemoved; }

  // The rows of each comparison state (None for rows of an ordinary add): constant time.
  qint64 stateCount(CompareState state) const { return m_stateCounts[std::size_t(state)]; }
  // True while some row holds what a comparison found.
  bool holdsComparison() const { return count() > stateCount(CompareState::None); }
  // Rows of the saved list that the walk did not find (removed, or unverified where the folder
  // could not be read): they stand for no file read now.
  static bool isFromSavedListOnly(const FileEntry& row);
  // Ends a comparison: the rows of files found now stay, in their order and with their ticks,
  // as rows of an ordinary list; those of the saved list only go. Returns how many went.
  qint64 endComparison();

  // True when some row's full path equals fullPath exactly (case-sensitive). Constant time:
  // the index is built on first use and kept up to date afterwards.
  bool isAlreadyListed(const QString& fullPath);

  // The list's own sorting. While it is on, the list is kept sorted by its sort column and
  // direction; switching it on again re-sorts.
  bool isSortingEnabled() const { return m_sortingEnabled; }
  void setSortingEnabled(bool enabled);
  ListColumn sortColumn() const { return m_sortColumn; }
  bool sortAscending() const { return m_sortAscending; }
  // Sets the sort column and direction without flipping (the batch run's sort); re-sorts
  // when sorting is on. Set the column before switching sorting on to sort only once.
  void setSortColumn(ListColumn column, bool ascending);
  // Whether the name, extension and folder sorts read runs of digits as numbers; re-sorts
  // when sorting is on. The size sort and rows already placed by it are not touched.
  void setNumberOrder(NumberOrder numbers);
  // While the list's own sorting is off: puts the rows added since it went off into the order
  // switching it on would give them, among the rows before them, and leaves it off. Switching
  // it on later has only the rows added after this to place. Does nothing while it is on.
  void mergeWaitingRows();
  // The same in two steps, so that the window's thread does not sort: waitingRows() copies
  // the rows waiting to be merged (cheap: their texts are shared), orderOf() finds their order
  // on any thread, and mergeWaitingRows(order) places them, rows appended meanwhile staying
  // after them, waiting. That returns false, changing nothing, when the list was merged,
  // sorted or re-sorted since the copy; rows appended or ticked since do not matter.
  struct WaitingRows {
    qint64 first = 0;  // where they begin: the rows before are in order
    std::vector<FileEntry> rows;
    quint64 orderChanges = 0;  // of the list when copied
    ListColumn column = ListColumn::Name;
    bool ascending = true;
    NumberOrder numbers = NumberOrder::AsText;
  };
  struct WaitingOrder {
    qint64 first = 0;
    std::vector<std::size_t> order;  // of the rows from first on, as sortedOrder gives it
    quint64 orderChanges = 0;
    ListColumn column = ListColumn::Name;
    bool ascending = true;
    NumberOrder numbers = NumberOrder::AsText;
  };
  WaitingRows waitingRows() const;
  // How many rows waitingRows() would copy, without copying them.
  qint64 waitingCount() const;
  static WaitingOrder orderOf(WaitingRows waiting);
  bool mergeWaitingRows(const WaitingOrder& waiting);

  // A click on a column header: the size column switches the list's sorting off and runs
  // sortBySize, the delivery check sortByDeliveryCheck; any other column switches it on with that
  // column and flips the one shared direction.
  void columnClicked(ListColumn column);
  // Stable numeric size sort, ascending unless bNumAsc; then flips bNumAsc. Ticks stay. It
  // switches the list's own sorting off, which would otherwise undo the size order.
  void sortBySize();
  // The order of switching the list's own sorting on and then sorting by column (as
  // sortBySize does for Size, as setSortColumn(column, true) does with sorting on for the
  // others), reached with one move of the rows; the list's sorting is then what those calls
  // leave. For the batch run, which sorts what it gathered by a key of its own.
  void sortOwnThenBy(ListColumn column);
  bool bNumAsc() const { return m_bNumAsc; }

  // The delivery check of a row (the 注意 column, deliveryNote of it), over its whole path with
  // the clashes among the rows of the list. The checks are kept up to date as rows come and
  // go from the first call of one of these three on; a list nobody asks pays nothing.
  DeliveryFinding deliveryProblems(qint64 row);
  // How many rows have a delivery note.
  qint64 notedCount();
  // Puts the rows with a note first, ordered by their notes, then the rest, stably; a second
  // click turns the order round. Like the size sort it switches the list's own sorting off.
  // Ticks stay.
  void sortByDeliveryCheck();
  // True when the last delivery-check sort put the rows with a note first.
  bool notedFirst() const { return m_notedFirst; }

  // "出力対象ﾌｧｲﾙﾘｽﾄ" and "出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：" + count + "ﾌｧｲﾙ".
  static QString clearedCaption();
  QString countCaption() const;

  // The message an export button shows instead of opening its dialog: no rows, or no row
  // ticked. nullopt when the export may go on.
  std::optional<Message> checkExportable() const;

 private:
  // A row appended while sorting is on and not yet merged into m_rows. Its display position
  // is rowsBefore + its index in m_pending, where rowsBefore counts the rows of m_rows that
  // sort before it or equal to it.
  struct Pending {
    qint64 rowsBefore;
    std::size_t stored;  // index into m_pendingRows
  };

  // Counts a new row in the delivery checks once they are kept.
  void noteAdded(const FileEntry& entry, const RowCheck& check);
  void buildDeliveryChecks();

  void addTicked(const FileEntry& entry, int sign) {
    m_tickedCount += sign;
    if (entry.state == CompareState::Removed)
      m_tickedRemoved += sign;
    else
      m_tickedBytes += sign * entry.size;
  }
  // Where a display position stands: in the side list (an index into m_pendingRows) or in
  // m_rows.
  struct Place {
    bool waiting = false;
    std::size_t index = 0;
  };
  Place placeOf(qint64 row) const;
  // Counts a row coming into (sign 1) the list: its tick and its state.
  void countAdded(const FileEntry& entry) {
    if (entry.ticked) addTicked(entry, 1);
    ++m_stateCounts[std::size_t(entry.state)];
  }
  void resetCounts();
  FileEntry& rowAt(qint64 row);
  // Puts the rows into the order given (new position -> old position) and tells the observer,
  // unless nothing moved.
  void reorder(std::vector<std::size_t> order);
  // Merges rows into the sorted list (each after the rows equal to it); fills ranges with
  // where they went when asked. Returns each new row's position, in the order given.
  std::vector<std::size_t> mergeSorted(std::vector<FileEntry> entries,
                                       std::vector<RowRange>* ranges);
  // Brings the list into the order of its own sorting, merging a still-sorted prefix.
  void resort();
  // Tells the observer of a merge: the rows before sorted kept their order among themselves,
  // rows sorted.. went to placed (in their order), rows from sorted + placed.size() on stayed.
  void announceMerge(std::size_t sorted, const std::vector<std::size_t>& placed);
  // Negative, zero or positive as a sorts before, with or after b under the list's own sorting.
  int compareForSorting(const FileEntry& a, const FileEntry& b) const;

  std::vector<FileEntry> m_rows;
  // The side list: sorted, each after the rows equal to it, so appends stay cheap.
  std::vector<Pending> m_pending;
  std::vector<FileEntry> m_pendingRows;
  qint64 m_tickedCount = 0;
  qint64 m_tickedBytes = 0;
  qint64 m_tickedRemoved = 0;
  std::array<qint64, 7> m_stateCounts{};  // by CompareState
  QSet<QString> m_fullPaths;
  bool m_indexBuilt = false;
  bool m_sortingEnabled = true;
  ListColumn m_sortColumn = ListColumn::Name;
  bool m_sortAscending = true;
  NumberOrder m_numbers = NumberOrder::AsText;
  bool m_bNumAsc = false;
  bool m_notedFirst = false;
  bool m_checksBuilt = false;
  DeliveryIndex m_delivery;
  // While sorting is off: how many leading rows are still in the order of the sort column and
  // direction, so that switching sorting on again only sorts the rows added since and merges.
  qint64 m_sortedPrefix = 0;
  quint64 m_orderChanges = 0;  // rows cleared, sorted or reordered: counted for merges
  struct ObserverLink {
    FileListObserver* to = nullptr;
    ObserverLink() = default;
    ObserverLink(const ObserverLink&) {}
    ObserverLink& operator=(const ObserverLink&) { return *this; }
  };
  ObserverLink m_observer;
};

}  // namespace vek
