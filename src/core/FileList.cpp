// The output list: appending, ticks, the duplicate index, the list's own sorting and the size
// sort, the count caption and the export checks.
#include "core/FileList.h"

#include <algorithm>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace vek {

namespace {

// Simple case folding of one UTF-16 unit; ASCII without a table look-up.
inline char16_t foldUnit(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
  const char32_t folded = QChar::toCaseFolded(char32_t(c));
  return folded <= 0xFFFF ? char16_t(folded) : c;
}

// Texts order case-insensitively, and texts equal but for case case-sensitively, so the order
// is total and does not depend on the rows' earlier order. One pass decides both.
int compareText(QStringView a, QStringView b) {
  const char16_t* pa = a.utf16();
  const char16_t* pb = b.utf16();
  // Folder and type texts are shared between rows: the same data is the same text.
  if (pa == pb && a.size() == b.size()) return 0;
  const qsizetype n = std::min(a.size(), b.size());
  int caseOrder = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t ca = pa[i];
    const char16_t cb = pb[i];
    if (ca == cb) continue;
    const char16_t fa = foldUnit(ca);
    const char16_t fb = foldUnit(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
    if (caseOrder == 0) caseOrder = ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return caseOrder;
}

// A text with its first eight folded units packed in order, so that most comparisons during a
// sort are decided without reading the text itself (which is where a sort's time goes).
struct TextKey {
  quint64 high;
  quint64 low;
  QStringView text;
  bool whole;  // the text has at most eight units and folding leaves them as they are
};

TextKey textKey(const QString& text) {
  const QStringView view(text);
  bool unchanged = true;
  auto pack = [&](qsizetype from) {
    quint64 packed = 0;
    for (qsizetype i = from; i < from + 4; ++i) {
      char16_t folded = 0;
      if (i < view.size()) {
        folded = foldUnit(view.utf16()[i]);
        unchanged = unchanged && folded == view.utf16()[i];
      }
      packed = packed << 16 | folded;
    }
    return packed;
  };
  const quint64 high = pack(0);
  const quint64 low = pack(4);
  return {high, low, view, unchanged && view.size() <= 8};
}

int compareTextKeys(const TextKey& a, const TextKey& b) {
  if (a.high != b.high) return a.high < b.high ? -1 : 1;
  if (a.low != b.low) return a.low < b.low ? -1 : 1;
  // Short texts with nothing to fold are equal when their packed units and lengths are.
  if (a.whole && b.whole && a.text.size() == b.text.size()) return 0;
  return compareText(a.text, b.text);
}

template <typename T>
int compareValues(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

const QString& textOf(const FileEntry& entry, int column) {
  switch (column) {
    case 0:
      return entry.name;
    case 1:
      return entry.extension;
    case 2:
      return entry.folder;
    default:
      return entry.type;
  }
}

const DateStamp& dateOf(const FileEntry& entry, int column) {
  switch (column) {
    case 5:
      return entry.created;
    case 6:
      return entry.accessed;
    default:
      return entry.modified;
  }
}

int compareColumn(const FileEntry& a, const FileEntry& b, int column) {
  if (column == FileList::kSizeColumn) return compareValues(a.size, b.size);
  if (column >= 5) return compareValues(dateOf(a, column).value(), dateOf(b, column).value());
  return compareText(textOf(a, column), textOf(b, column));
}

// Puts rows[from + k] = old rows[from + order[k].second] for every k, in place, following the
// permutation's cycles; order is used up.
template <typename Key>
void applyOrder(std::vector<FileEntry>& rows, std::size_t from,
                std::vector<std::pair<Key, std::size_t>>& order) {
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start].second == start) continue;
    FileEntry held = std::move(rows[from + start]);
    std::size_t at = start;
    for (;;) {
      const std::size_t source = order[at].second;
      order[at].second = at;  // done
      if (source == start) {
        rows[from + at] = std::move(held);
        break;
      }
      rows[from + at] = std::move(rows[from + source]);
      at = source;
    }
  }
}

// Sorts rows [from, to) by a key taken from each row. Ties keep their order, in both
// directions (the position breaks them), which is what a stable sort gives.
template <typename KeyOf, typename Compare>
void sortByKey(std::vector<FileEntry>& rows, std::size_t from, std::size_t to, bool ascending,
               KeyOf keyOf, Compare compare) {
  using Key = decltype(keyOf(rows.front()));
  std::vector<std::pair<Key, std::size_t>> order;
  order.reserve(to - from);
  for (std::size_t i = from; i < to; ++i) order.emplace_back(keyOf(rows[i]), i - from);
  std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
    const int c = compare(a.first, b.first);
    if (c != 0) return ascending ? c < 0 : c > 0;
    return a.second < b.second;
  });
  applyOrder(rows, from, order);
}

// Sorts rows [from, to) by a text that many rows share (folders, types): each distinct text is
// compared once, then the rows are ordered by the rank of their text. Ties keep their order.
template <typename TextOf>
void sortBySharedText(std::vector<FileEntry>& rows, std::size_t from, std::size_t to,
                      bool ascending, TextOf textOf) {
  struct Item {
    const char16_t* data;
    qsizetype size;
    std::size_t row;  // relative to from; later the text's rank
  };
  std::vector<Item> items;
  items.reserve(to - from);
  for (std::size_t i = from; i < to; ++i) {
    const QStringView text = textOf(rows[i]);
    items.push_back({text.utf16(), text.size(), i - from});
  }
  // Group the rows by the text's storage (the same storage is the same text).
  std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    return a.data != b.data ? std::less<>()(a.data, b.data) : a.size < b.size;
  });
  std::vector<std::pair<QStringView, std::size_t>> distinct;  // text, first item of its group
  for (std::size_t i = 0; i < items.size(); ++i)
    if (i == 0 || items[i].data != items[i - 1].data || items[i].size != items[i - 1].size)
      distinct.emplace_back(QStringView(items[i].data, items[i].size), i);
  std::sort(distinct.begin(), distinct.end(), [&](const auto& a, const auto& b) {
    const int c = compareText(a.first, b.first);
    return ascending ? c < 0 : c > 0;
  });
  // Equal texts in separate storage get the same rank.
  std::vector<std::pair<std::size_t, std::size_t>> order;  // rank, row
  order.reserve(items.size());
  std::size_t rank = 0;
  for (std::size_t d = 0; d < distinct.size(); ++d) {
    if (d > 0 && compareText(distinct[d - 1].first, distinct[d].first) != 0) ++rank;
    const Item& first = items[distinct[d].second];
    for (std::size_t i = distinct[d].second;
         i < items.size() && items[i].data == first.data && items[i].size == first.size; ++i)
      order.emplace_back(rank, items[i].row);
  }
  items = {};
  std::sort(order.begin(), order.end());
  applyOrder(rows, from, order);
}

}  // namespace

const std::vector<ListColumn>& FileList::columns() {
  static const std::vector<ListColumn> list = {
      {u"ﾌｧｲﾙ名"_s, 1200, false},   {u"拡張子"_s, 600, false},    {u"ﾊﾟｽ"_s, 2000, false},
      {u"ﾌｧｲﾙﾀｲﾌﾟ"_s, 1000, false}, {u"ﾌｧｲﾙｻｲｽﾞ"_s, 800, true},   {u"作成日時"_s, 1750, false},
      {u"ｱｸｾｽ日時"_s, 1750, false}, {u"更新日時"_s, 1750, false},
  };
  return list;
}

qint64 FileList::append(FileEntry entry) {
  if (m_indexBuilt) m_fullPaths.insert(entry.fullPath());
  if (entry.ticked) ++m_tickedCount;
  auto at = m_rows.end();
  if (m_sortingEnabled) {
    at = std::upper_bound(m_rows.begin(), m_rows.end(), entry,
                          [this](const FileEntry& value, const FileEntry& row) {
                            return compareForSorting(value, row) < 0;
                          });
  }
  at = m_rows.insert(at, std::move(entry));
  return qint64(at - m_rows.begin());
}

void FileList::setTicked(qint64 row, bool ticked) {
  if (row < 0 || row >= count()) return;
  FileEntry& entry = m_rows[std::size_t(row)];
  if (entry.ticked == ticked) return;
  entry.ticked = ticked;
  m_tickedCount += ticked ? 1 : -1;
}

void FileList::clear() {
  m_rows.clear();
  m_rows.shrink_to_fit();
  m_tickedCount = 0;
  m_fullPaths.clear();
  m_fullPaths.squeeze();
  m_indexBuilt = false;
  m_sortedPrefix = 0;
}

qint64 FileList::tickedCount() const {
  return m_tickedCount;
}

bool FileList::isAlreadyListed(const QString& fullPath) const {
  if (!m_indexBuilt) {
    m_fullPaths.reserve(qsizetype(m_rows.size()));
    for (const FileEntry& row : m_rows) m_fullPaths.insert(row.fullPath());
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
    m_sortedPrefix = count();  // the list was kept sorted until now
  }
}

void FileList::setSortColumn(int column, bool ascending) {
  if (column < 0 || column >= int(columns().size())) return;
  if (column == m_sortColumn && ascending == m_sortAscending) return;
  m_sortColumn = column;
  m_sortAscending = ascending;
  m_sortedPrefix = 0;
  if (m_sortingEnabled) resort();
}

void FileList::columnClicked(int column) {
  if (column < 0 || column >= int(columns().size())) return;
  if (column == kSizeColumn) {
    sortBySize();
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
  // The list's own sorting would undo the size order at the next append.
  m_sortingEnabled = false;
  m_sortedPrefix = 0;
  const bool ascending = !m_bNumAsc;
  sortByKey(
      m_rows, 0, m_rows.size(), ascending, [](const FileEntry& row) { return row.size; },
      compareValues<qint64>);
  m_bNumAsc = ascending;
}

void FileList::resort() {
  const qint64 sorted = std::clamp<qint64>(m_sortedPrefix, 0, count());
  m_sortedPrefix = 0;
  if (sorted == count()) return;
  sortRange(sorted, count(), m_sortColumn, m_sortAscending);
  if (sorted > 0) {
    // Stable: of equal rows, those already listed stay before the ones added since.
    std::inplace_merge(
        m_rows.begin(), m_rows.begin() + sorted, m_rows.end(),
        [this](const FileEntry& a, const FileEntry& b) { return compareForSorting(a, b) < 0; });
  }
}

void FileList::sortRange(qint64 from, qint64 to, int column, bool ascending) {
  const auto begin = std::size_t(from);
  const auto end = std::size_t(to);
  if (column == kSizeColumn) {
    sortByKey(
        m_rows, begin, end, ascending, [](const FileEntry& row) { return row.size; },
        compareValues<qint64>);
  } else if (column >= 5) {
    sortByKey(
        m_rows, begin, end, ascending,
        [column](const FileEntry& row) { return dateOf(row, column).value(); },
        compareValues<qint64>);
  } else if (column == 2 || column == 3) {
    sortBySharedText(m_rows, begin, end, ascending,
                     [column](const FileEntry& row) { return QStringView(textOf(row, column)); });
  } else {
    sortByKey(
        m_rows, begin, end, ascending,
        [column](const FileEntry& row) { return textKey(textOf(row, column)); }, compareTextKeys);
  }
}

int FileList::compareForSorting(const FileEntry& a, const FileEntry& b) const {
  const int c = compareColumn(a, b, m_sortColumn);
  return m_sortAscending ? c : -c;
}

QString FileList::clearedCaption() {
  return u"出力対象ﾌｧｲﾙﾘｽﾄ"_s;
}

QString FileList::countCaption() const {
  return clearedCaption() + u" - 総ﾌｧｲﾙ数："_s + QString::number(count()) + u"ﾌｧｲﾙ"_s;
}

std::optional<Message> FileList::checkExportable() const {
  if (isEmpty())
    return Message{u"ﾌｧｲﾙがありません。"_s, u"出力対象とするファイルリストが入力されていません。"_s,
                   MessageIcon::Warning};
  if (m_tickedCount == 0)
    return Message{
        u"選択されていません。"_s,
        u"選択済みのファイルリストにおいて、一つ以上の項目にチェックを付けてください。"_s,
        MessageIcon::Warning};
  return std::nullopt;
}

}  // namespace vek
