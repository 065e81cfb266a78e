// How the rows of the output list are put in order: the text order of the list, the stable
// sorts by a column and direction, moving rows into an order, and merging sorted rows into
// sorted rows. Long lists are sorted on several threads; the order never depends on how many.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include <QStringView>

#include "core/list/FileEntry.h"
#include "core/list/ListColumn.h"

namespace vek {

// How the name, extension and folder sorts read the digits in a text: as characters (the
// list's order unless a person asks otherwise), or each run of digits as the number it writes,
// so that "file2" comes before "file10". The type column always reads them as characters.
enum class NumberOrder { AsText, AsNumbers };

// Negative, zero or positive as a sorts before, with or after b. Texts order
// case-insensitively (simple case folding), and texts equal but for case case-sensitively, so
// the order is total and does not depend on the rows' earlier order.
int compareText(QStringView a, QStringView b);
// The same with each run of decimal digits (ASCII, full-width and the other decimal digits of
// Unicode) read as its value, however long; texts that are equal so read (a01 and a1, ２ and 2,
// or case) are then ordered as compareText orders them, so this order is total as well.
int compareTextAsNumbers(QStringView a, QStringView b);

// The same for two rows by a column: the size and the dates as numbers (a missing date
// first), the other columns as texts; descending turns the order round.
int compareRows(const FileEntry& a, const FileEntry& b, ListColumn column, bool ascending,
                NumberOrder numbers = NumberOrder::AsText);

// The stable order of the rows by the column and direction: order[k] is the index of the row
// that goes k-th. Rows that compare equal keep their order, in both directions.
std::vector<std::size_t> sortedOrder(std::span<const FileEntry> rows, ListColumn column,
                                     bool ascending, NumberOrder numbers = NumberOrder::AsText);
// The same for the rows rows[taken[0]], rows[taken[1]], ... in that order: the values are
// indexes into taken, and ties keep the order taken gives them.
std::vector<std::size_t> sortedOrder(std::span<const FileEntry> rows,
                                     const std::vector<std::size_t>& taken, ListColumn column,
                                     bool ascending, NumberOrder numbers = NumberOrder::AsText);

// Puts rows[k] = old rows[order[k]] for every k, in place; order (a permutation) is used up.
void applyOrder(std::vector<FileEntry>& rows, std::vector<std::size_t>& order);

// Where sorted new rows go among sorted rows: before[k] is how many of rows stand before
// sortedNew[k], which goes after the rows equal to it (non-decreasing in k).
std::vector<std::size_t> mergePositions(std::span<const FileEntry> rows,
                                        std::span<const FileEntry> sortedNew, ListColumn column,
                                        bool ascending, NumberOrder numbers = NumberOrder::AsText);
// Merges newRows into rows at the places mergePositions gave, moving every row once; newRows
// is left with moved-from rows.
void placeSorted(std::vector<FileEntry>& rows, std::vector<FileEntry>& newRows,
                 const std::vector<std::size_t>& before);

// Sorts of fewer rows than this run on the calling thread alone (65,536 unless set; 0 sets
// that again). The tests lower it to run the shared-out sort on a short list.
void setRowsWorthSharingOut(std::size_t rows);

}  // namespace vek
