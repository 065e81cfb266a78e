// The totals the writers add after the rows (and, with the insertion at each folder change,
// after each folder's rows): how many rows were written and their size.
//
// A totals line has one cell per written column, so that a spreadsheet reading the list keeps
// its columns: "合計" (or "小計") in the first column other than the size, "N 件" in the next
// one, both in one cell when there is only one, the size in the size column, the rest empty.
#pragma once

#include <algorithm>
#include <limits>
#include <vector>

#include <QString>

#include "core/list/FileEntry.h"
#include "writers/ColumnCells.h"

namespace vek {

enum class TotalKind { Subtotal, Total };

// The count and exact byte sum of written rows.
struct RunningTotal {
  qint64 files = 0;
  qint64 bytes = 0;
  void add(const FileEntry& row) {
    ++files;
    // Whole bytes, no floating point; a sum past the 64-bit range (8 EiB) stays at its top.
    const qint64 size = std::max<qint64>(row.size, 0);
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    bytes = size > top - bytes ? top : bytes + size;
  }
};

// Where the parts of a totals line stand, as positions among the selected columns; -1 when
// a part has no column. count equals caption when both share one cell.
struct TotalLineShape {
  int caption = -1;
  int count = -1;
  int size = -1;
};
TotalLineShape totalLineShape(const std::vector<ColumnId>& selected);

// "合計" or "小計".
QString totalCaption(TotalKind kind);
// "12 件", and its pattern "%1 件".
QString totalCountText(qint64 files);
QString totalCountPattern();

// The texts of the cells of a totals line, one per selected column of cells.
std::vector<QString> totalLineCells(const ColumnCells& cells, TotalKind kind,
                                    const RunningTotal& total);

}  // namespace vek
