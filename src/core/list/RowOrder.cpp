// The column orders of the rows: comparing two rows by a column, and the stable sort of the
// rows by a column and direction, each column by the sort that suits its values.
#include "core/list/RowOrder.h"

#include "core/list/TextOrder.h"
#include "core/list/TextSorts.h"

namespace vek {

namespace {

template <typename T>
int compareValues(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

const QString& textOf(const FileEntry& entry, ListColumn column) {
  switch (column) {
    case ListColumn::Name:
      return entry.name;
    case ListColumn::Extension:
      return entry.extension;
    case ListColumn::Folder:
      return entry.folder;
    default:
      return entry.type;
  }
}

bool isDateColumn(ListColumn column) {
  return column == ListColumn::Created || column == ListColumn::Accessed ||
         column == ListColumn::Modified;
}

const DateStamp& dateOf(const FileEntry& entry, ListColumn column) {
  switch (column) {
    case ListColumn::Created:
      return entry.created;
    case ListColumn::Accessed:
      return entry.accessed;
    default:
      return entry.modified;
  }
}

// Whether the column's texts are read with their digits as numbers under the given order.
bool readsNumbers(ListColumn column, NumberOrder numbers) {
  return numbers == NumberOrder::AsNumbers &&
         (column == ListColumn::Name || column == ListColumn::Extension ||
          column == ListColumn::Folder);
}

int compareColumn(const FileEntry& a, const FileEntry& b, ListColumn column, NumberOrder numbers) {
  if (column == ListColumn::Size) return compareValues(a.size, b.size);
  if (column == ListColumn::State) return compareValues(int(a.state), int(b.state));
  if (isDateColumn(column))
    return compareValues(dateOf(a, column).value(), dateOf(b, column).value());
  // The natural order of names reads the whole file name, extension included.
  if (readsNumbers(column, numbers) && column == ListColumn::Name)
    return compareFileNameKeys(a.name, a.extension, b.name, b.extension);
  if (readsNumbers(column, numbers)) return compareNumberKeys(textOf(a, column), textOf(b, column));
  return compareTextUnits(textOf(a, column), textOf(b, column));
}

// The order of the rows by a column and direction, stable.
template <typename RowAt>
std::vector<std::size_t> orderOf(std::size_t count, const RowAt& rowAt, ListColumn column,
                                 bool ascending, NumberOrder numbers) {
  const auto text = [column](const FileEntry& row) { return QStringView(textOf(row, column)); };
  switch (column) {
    case ListColumn::Size:
      return orderByKey(
          count, rowAt, ascending, [](const FileEntry& row) { return row.size; },
          compareValues<qint64>);
    case ListColumn::Created:
    case ListColumn::Accessed:
    case ListColumn::Modified:
      return orderByKey(
          count, rowAt, ascending,
          [column](const FileEntry& row) { return dateOf(row, column).value(); },
          compareValues<qint64>);
    case ListColumn::State:
      return orderByKey(
          count, rowAt, ascending, [](const FileEntry& row) { return qint64(row.state); },
          compareValues<qint64>);
    case ListColumn::Folder:
    case ListColumn::Type:
      if (readsNumbers(column, numbers))
        return orderBySharedText(count, rowAt, ascending, text, compareNumberKeys);
      return orderBySharedText(count, rowAt, ascending, text, compareTextUnits);
    case ListColumn::Name:
    case ListColumn::Extension:
    case ListColumn::DeliveryCheck:  // the list's own sort: it needs the whole list
      break;
  }
  if (readsNumbers(column, numbers) && column == ListColumn::Name)
    return orderByNumbers(count, rowAt, ascending, text,
                          [](const FileEntry& row) { return QStringView(row.extension); });
  if (readsNumbers(column, numbers))
    return orderByNumbers(count, rowAt, ascending, text,
                          [](const FileEntry&) { return QStringView(); });
  return orderByText(count, rowAt, ascending, text);
}

}  // namespace

int compareRows(const FileEntry& a, const FileEntry& b, ListColumn column, bool ascending,
                NumberOrder numbers) {
  const int c = compareColumn(a, b, column, numbers);
  return ascending ? c : -c;
}

std::vector<std::size_t> sortedOrder(std::span<const FileEntry> rows, ListColumn column,
                                     bool ascending, NumberOrder numbers) {
  return orderOf(
      rows.size(), [rows](std::size_t i) -> const FileEntry& { return rows[i]; }, column, ascending,
      numbers);
}

std::vector<std::size_t> sortedOrder(std::span<const FileEntry> rows,
                                     const std::vector<std::size_t>& taken, ListColumn column,
                                     bool ascending, NumberOrder numbers) {
  return orderOf(
      taken.size(), [rows, &taken](std::size_t i) -> const FileEntry& { return rows[taken[i]]; },
      column, ascending, numbers);
}

}  // namespace vek
