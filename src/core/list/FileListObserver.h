// What a view of the output list is told after the list changed: rows inserted (where), rows
// reordered (with the permutation), or everything replaced. Every event arrives after the
// change, on the thread that changed the list, so a Qt model can announce it in one step and
// remap its persistent indexes (the selection, the current row) instead of resetting.
#pragma once

#include <vector>

#include <QtGlobal>

namespace vek {

// Rows [first, first + count) in the list's new numbering.
struct RowRange {
  qint64 first = 0;
  qint64 count = 0;
  friend bool operator==(const RowRange&, const RowRange&) = default;
};

class FileListObserver {
 public:
  virtual ~FileListObserver() = default;

  // New rows now stand at these ranges: ascending, neither overlapping nor touching. An append
  // with the list's sorting off gives one range at the end; a merge into the sorted order may
  // give many. Rows outside the ranges kept their relative order.
  virtual void rowsInserted(const std::vector<RowRange>& ranges) = 0;
  // The same rows in a new order: the row that stood at old position i now stands at
  // newRowOfOldRow[i]. Not sent when a sort left every row in place.
  virtual void rowsReordered(const std::vector<qint64>& newRowOfOldRow) = 0;
  // Anything else (the list was cleared): forget every row and read the list again.
  virtual void listReset() = 0;
};

}  // namespace vek
