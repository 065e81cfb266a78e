// The output list: appending, ticks, the duplicate index, the list's own sorting and the size
// sort, the count caption and the export checks.
#include "core/FileList.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>
#include <numeric>
#include <thread>
#include <unordered_map>
#include <utility>

#include "core/OrderedWork.h"
#include "core/Prefetch.h"

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

int compareColumn(const FileEntry& a, const FileEntry& b, ListColumn column) {
  if (column == ListColumn::Size) return compareValues(a.size, b.size);
  if (isDateColumn(column))
    return compareValues(dateOf(a, column).value(), dateOf(b, column).value());
  return compareText(textOf(a, column), textOf(b, column));
}

// Puts rows[k] = old rows[order[k]] for every k, in place, one cycle of the permutation at a
// time; order is used up. The positions of a cycle are listed first, from the order (a
// sixteenth of the rows' size), so that the rows, large and scattered, can be fetched ahead of
// their move instead of one cache miss after another.
void applyOrder(std::vector<FileEntry>& rows, std::vector<std::size_t>& order) {
  constexpr std::size_t kAhead = 16;
  std::vector<std::size_t> cycle;
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    cycle.clear();
    std::size_t at = start;
    do {
      cycle.push_back(at);
      const std::size_t source = order[at];
      order[at] = at;  // done
      at = source;
    } while (at != start);
    FileEntry held = std::move(rows[cycle.front()]);
    const std::size_t last = cycle.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
      if (i + 1 + kAhead <= last) {
        const char* ahead = reinterpret_cast<const char*>(&rows[cycle[i + 1 + kAhead]]);
        for (std::size_t line = 0; line < sizeof(FileEntry); line += 64)
          prefetchForWrite(ahead + line);
      }
      rows[cycle[i]] = std::move(rows[cycle[i + 1]]);
    }
    rows[cycle[last]] = std::move(held);
  }
}

// How many threads a sort of this many items uses: small sorts are not worth a thread.
int sortThreads(std::size_t items) {
  if (items < (std::size_t(1) << 16)) return 1;
  return std::min(workerThreads(), 8);
}

// Runs task(0) ... task(count - 1) side by side, task(0) on the caller's thread. A task whose
// thread could not be started, or that threw on its thread, is done again on the caller's
// thread afterwards (each task can be run again from the start).
template <typename Task>
void runSideBySide(int count, const Task& task) {
  std::vector<std::thread> others;
  std::vector<int> again;
  std::vector<char> failed(std::size_t(std::max(count, 1)), 0);
  for (int i = 1; i < count; ++i) {
    const bool started = startWorker(others, [&task, &failed, i] {
      if (!runCaught([&task, i] { task(i); })) failed[std::size_t(i)] = 1;
    });
    if (!started) again.push_back(i);
  }
  struct Join {
    std::vector<std::thread>& threads;
    ~Join() {
      for (std::thread& thread : threads) thread.join();
    }
  };
  {
    const Join join{others};
    task(0);
  }
  for (int i = 1; i < count; ++i) {
    if (failed[std::size_t(i)]) again.push_back(i);
  }
  for (const int i : again) task(i);
}

// Sorts items, which less orders totally, in equal slices side by side and merges the slices.
template <typename T, typename Less>
void sortSideBySide(std::vector<T>& items, const Less& less) {
  const int slices = sortThreads(items.size());
  if (slices == 1) {
    std::sort(items.begin(), items.end(), less);
    return;
  }
  std::vector<std::size_t> bounds;
  for (int i = 0; i <= slices; ++i) bounds.push_back(items.size() * std::size_t(i) / slices);
  const auto at = [&](std::vector<T>& v, int slice) {
    return v.begin() + std::ptrdiff_t(bounds[std::size_t(std::min(slice, slices))]);
  };
  runSideBySide(slices, [&](int i) { std::sort(at(items, i), at(items, i + 1), less); });
  std::vector<T> merged(items.size());
  for (int width = 1; width < slices; width *= 2) {
    const int pairs = (slices + 2 * width - 1) / (2 * width);
    runSideBySide(pairs, [&](int pair) {
      const int first = pair * 2 * width;
      std::merge(at(items, first), at(items, first + width), at(items, first + width),
                 at(items, first + 2 * width), at(merged, first), less);
    });
    items.swap(merged);
  }
}

// The sorts below order the rows rowAt(0) ... rowAt(count - 1) and give positions in that
// sequence: rows [from, to) of the list, or the list as another order has it.

// The order of the rows by a key taken from each. Ties keep their order, in both directions
// (the position breaks them), which is what a stable sort gives.
template <typename RowAt, typename KeyOf, typename Compare>
std::vector<std::size_t> orderByKey(std::size_t count, const RowAt& rowAt, bool ascending,
                                    KeyOf keyOf, Compare compare) {
  using Key = decltype(keyOf(rowAt(0)));
  std::vector<std::pair<Key, std::size_t>> keyed;
  keyed.reserve(count);
  for (std::size_t i = 0; i < count; ++i) keyed.emplace_back(keyOf(rowAt(i)), i);
  sortSideBySide(keyed, [&](const auto& a, const auto& b) {
    const int c = compare(a.first, b.first);
    if (c != 0) return ascending ? c < 0 : c > 0;
    return a.second < b.second;
  });
  std::vector<std::size_t> order;
  order.reserve(keyed.size());
  for (const auto& item : keyed) order.push_back(item.second);
  return order;
}

// The order of the rows by a text of their own (names, extensions): the order
// compareText gives, ties kept in their order. Rows are sorted on their text eight units at a
// time, packed into two integers: first on the folded units, then, among texts that fold
// alike, on the units as they stand. Only rows still tied read their next eight units, so
// most texts are read once, in list order, and comparisons touch nothing else.
template <typename RowAt, typename TextOf>
std::vector<std::size_t> orderByText(std::size_t count, const RowAt& rowAt, bool ascending,
                                     TextOf textOf) {
  constexpr qsizetype kUnits = 8;
  struct Item {
    quint64 high;
    quint64 low;
    quint32 row;
    quint8 units;      // how many of the eight units the text has (fewer where it ends)
    bool foldChanged;  // folding changed a unit of the text read so far
  };
  // Ranges of items equal in every unit read so far, and where their texts are read next.
  struct Tied {
    std::size_t first;
    std::size_t last;
    qsizetype at;
    bool folded;
  };
  if (count > std::numeric_limits<quint32>::max()) std::abort();  // far beyond memory

  // The texts by row, gathered once in list order: reading a tied row's text later costs one
  // look-up rather than two dependent ones (the row, then its text).
  std::vector<QStringView> texts(count);
  // Units [at, at + 8) of the text, folded or as they stand, zero beyond its end.
  const auto load = [&](Item& item, qsizetype at, bool fold) {
    const QStringView text = texts[item.row];
    const char16_t* data = text.utf16();
    const qsizetype end = std::min(text.size(), at + kUnits);
    quint64 packed[2] = {0, 0};
    for (qsizetype i = at; i < end; ++i) {
      char16_t unit = data[i];
      if (fold) {
        const char16_t folded = foldUnit(unit);
        item.foldChanged = item.foldChanged || folded != unit;
        unit = folded;
      }
      packed[(i - at) / 4] |= quint64(unit) << (16 * (3 - (i - at) % 4));
    }
    item.high = packed[0];
    item.low = packed[1];
    item.units = quint8(std::max<qsizetype>(end - at, 0));
  };
  // A text that ends inside the eight units has zeros after its end: of two such texts with
  // equal units, the shorter sorts first, as compareText has it.
  const auto keyEqual = [](const Item& a, const Item& b) {
    return a.high == b.high && a.low == b.low && a.units == b.units;
  };
  const auto keyLess = [](const Item& a, const Item& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return a.units < b.units;
  };
  const auto less = [&](const Item& a, const Item& b) {
    if (!keyEqual(a, b)) return ascending ? keyLess(a, b) : keyLess(b, a);
    return a.row < b.row;
  };
  std::vector<Item> items(count);
  // The runs of equal items in a sorted range that need more of their texts read.
  const auto tiedRuns = [&](const Tied& range, std::vector<Tied>& into) {
    const auto end = items.begin() + std::ptrdiff_t(range.last);
    for (auto run = items.begin() + std::ptrdiff_t(range.first); run != end;) {
      auto runEnd = run + 1;
      bool foldChanged = run->foldChanged;
      while (runEnd != end && keyEqual(*run, *runEnd)) foldChanged |= (runEnd++)->foldChanged;
      const Tied tied{std::size_t(run - items.begin()), std::size_t(runEnd - items.begin()),
                      range.at + kUnits, range.folded};
      if (runEnd - run > 1) {
        if (run->units == kUnits) {
          into.push_back(tied);  // longer than what was read: the next eight units
        } else if (range.folded && foldChanged) {
          // Equal once folded, and of one length: the units as they stand decide.
          into.push_back({tied.first, tied.last, 0, false});
        }  // else the same text: the rows keep their order
      }
      run = runEnd;
    }
  };
  // Reads each tied range further, sorts it and goes on with what is still tied.
  const auto settle = [&](std::vector<Tied> work) {
    constexpr std::ptrdiff_t kAhead = 16;
    while (!work.empty()) {
      const Tied range = work.back();
      work.pop_back();
      const auto begin = items.begin() + std::ptrdiff_t(range.first);
      const auto end = items.begin() + std::ptrdiff_t(range.last);
      // The tied rows lie scattered: fetch their texts ahead of reading them.
      for (auto it = begin; it != end; ++it) {
        if (end - it > 2 * kAhead) {
          prefetchForRead(&texts[(it + 2 * kAhead)->row]);
          prefetchForRead(texts[(it + kAhead)->row].utf16() + range.at);
        }
        load(*it, range.at, range.folded);
      }
      std::sort(begin, end, less);
      tiedRuns(range, work);
    }
  };

  const int threads = sortThreads(items.size());
  runSideBySide(threads, [&](int slice) {
    const std::size_t end = count * std::size_t(slice + 1) / std::size_t(threads);
    for (std::size_t i = count * std::size_t(slice) / std::size_t(threads); i < end; ++i) {
      texts[i] = textOf(rowAt(i));
      items[i].row = quint32(i);
      items[i].foldChanged = false;
      load(items[i], 0, true);
    }
  });
  sortSideBySide(items, less);
  std::vector<Tied> tied;
  tiedRuns({0, items.size(), 0, true}, tied);
  // The tied ranges are independent: share them out in slices of about equal size.
  std::vector<std::vector<Tied>> shares;
  shares.resize(std::size_t(threads));
  std::size_t tiedItems = 0;
  for (const Tied& range : tied) tiedItems += range.last - range.first;
  std::size_t counted = 0;
  for (const Tied& range : tied) {
    shares[std::min(std::size_t(threads - 1), counted * std::size_t(threads) / (tiedItems + 1))]
        .push_back(range);
    counted += range.last - range.first;
  }
  runSideBySide(threads, [&](int i) { settle(shares[std::size_t(i)]); });

  std::vector<std::size_t> order(items.size());
  for (std::size_t k = 0; k < items.size(); ++k) order[k] = items[k].row;
  return order;
}

// The order of the rows by a text that many rows share (folders, types): each distinct text is
// compared once, then the rows are ordered by the rank of their text. Ties keep their order.
template <typename RowAt, typename TextOf>
std::vector<std::size_t> orderBySharedText(std::size_t count, const RowAt& rowAt, bool ascending,
                                           TextOf textOf) {
  if (count > std::numeric_limits<quint32>::max()) std::abort();  // far beyond memory
  // Each text's storage gets a number when first met (the same storage is the same text).
  struct Storage {
    const char16_t* data;
    qsizetype size;
    bool operator==(const Storage&) const = default;
  };
  struct StorageHash {
    std::size_t operator()(const Storage& s) const noexcept {
      return std::hash<const void*>()(s.data) ^ std::size_t(s.size);
    }
  };
  std::unordered_map<Storage, quint32, StorageHash> numbers;
  std::vector<QStringView> texts;
  std::vector<quint32> numberOf(count);
  Storage last{nullptr, -1};
  quint32 lastNumber = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const QStringView text = textOf(rowAt(i));
    const Storage storage{text.utf16(), text.size()};
    if (!(storage == last)) {  // neighbouring rows mostly share their folder
      const auto [at, added] = numbers.try_emplace(storage, quint32(texts.size()));
      if (added) texts.push_back(text);
      last = storage;
      lastNumber = at->second;
    }
    numberOf[i] = lastNumber;
  }
  // The distinct texts in order; equal texts in separate storage get the same rank.
  std::vector<quint32> byText(texts.size());
  std::iota(byText.begin(), byText.end(), quint32(0));
  std::sort(byText.begin(), byText.end(), [&](quint32 a, quint32 b) {
    const int c = compareText(texts[a], texts[b]);
    return ascending ? c < 0 : c > 0;
  });
  std::vector<quint32> rankOf(texts.size());
  quint32 ranks = 0;
  for (std::size_t d = 0; d < byText.size(); ++d) {
    if (d > 0 && compareText(texts[byText[d - 1]], texts[byText[d]]) != 0) ++ranks;
    rankOf[byText[d]] = ranks;
  }
  // The rows by rank, each rank's rows in their order: a counting sort.
  std::vector<std::size_t> next(std::size_t(ranks) + 2, 0);
  for (std::size_t i = 0; i < count; ++i) ++next[rankOf[numberOf[i]] + 1];
  std::partial_sum(next.begin(), next.end(), next.begin());
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[next[rankOf[numberOf[i]]]++] = i;
  return order;
}

// The order of the rows by a column and direction, stable.
template <typename RowAt>
std::vector<std::size_t> orderOf(std::size_t count, const RowAt& rowAt, ListColumn column,
                                 bool ascending) {
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
    case ListColumn::Folder:
    case ListColumn::Type:
      return orderBySharedText(count, rowAt, ascending, [column](const FileEntry& row) {
        return QStringView(textOf(row, column));
      });
    case ListColumn::Name:
    case ListColumn::Extension:
      break;
  }
  return orderByText(count, rowAt, ascending,
                     [column](const FileEntry& row) { return QStringView(textOf(row, column)); });
}

// Merges sorted new rows into sorted rows without comparing again: before[k] is how many of
// the old rows stand before newRows[k] (non-decreasing). From the end, so every row moves once.
void placeSorted(std::vector<FileEntry>& rows, std::vector<FileEntry>& newRows,
                 const std::vector<std::size_t>& before) {
  std::size_t source = rows.size();
  std::size_t target = rows.size() + newRows.size();
  rows.resize(target);
  for (std::size_t k = newRows.size(); k-- > 0;) {
    const std::size_t position = before[k] + k;
    while (target > position + 1) rows[--target] = std::move(rows[--source]);
    rows[--target] = std::move(newRows[k]);
  }
}

// How many rows the side list of single appends may hold before it is merged into the list:
// each append moves at most this many small records, each merge moves the whole list.
constexpr std::size_t kPendingLimit = 4096;

}  // namespace

const std::vector<ListColumnInfo>& FileList::columns() {
  static const std::vector<ListColumnInfo> list = {
      {u"ﾌｧｲﾙ名"_s, 1200, false},   {u"拡張子"_s, 600, false},    {u"ﾊﾟｽ"_s, 2000, false},
      {u"ﾌｧｲﾙﾀｲﾌﾟ"_s, 1000, false}, {u"ﾌｧｲﾙｻｲｽﾞ"_s, 800, true},   {u"作成日時"_s, 1750, false},
      {u"ｱｸｾｽ日時"_s, 1750, false}, {u"更新日時"_s, 1750, false},
  };
  return list;
}

const FileEntry& FileList::at(qint64 row) const {
  return const_cast<FileList*>(this)->rowAt(row);
}

FileEntry& FileList::rowAt(qint64 row) {
  if (m_pending.empty()) return m_rows[std::size_t(row)];
  // The first waiting row at or after the position; the waiting rows before it are the rows
  // of the side list that stand before the position.
  const auto it = std::partition_point(m_pending.begin(), m_pending.end(), [&](const Pending& p) {
    return p.rowsBefore + (&p - m_pending.data()) < row;
  });
  const qint64 before = it - m_pending.begin();
  if (it != m_pending.end() && it->rowsBefore + before == row) return m_pendingRows[it->stored];
  return m_rows[std::size_t(row - before)];
}

const std::vector<FileEntry>& FileList::rows() const {
  mergePending();
  return m_rows;
}

void FileList::mergePending() const {
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
  if (entry.ticked) addTicked(entry, 1);
  qint64 position = count();
  if (!m_sortingEnabled) {
    mergePending();
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
    if (m_pending.size() >= kPendingLimit) mergePending();
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
  m_tickedCount = 0;
  m_tickedBytes = 0;
  m_fullPaths = {};
  m_indexBuilt = false;
  m_sortedPrefix = 0;
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
  if (entries.empty()) return;
  for (const FileEntry& entry : entries) {
    if (m_indexBuilt) m_fullPaths.insert(entry.fullPath());
    if (entry.ticked) addTicked(entry, 1);
  }
  mergePending();
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

std::vector<std::size_t> FileList::mergeSorted(std::vector<FileEntry> entries,
                                               std::vector<RowRange>* ranges) {
  // Sort the new rows among themselves (stable), then find each one's place after the rows
  // equal to it, searching on from the previous one's place: a small batch merged into a long
  // list costs a few comparisons per new row and one move per row behind it.
  const std::size_t old = m_rows.size();
  m_rows.insert(m_rows.end(), std::make_move_iterator(entries.begin()),
                std::make_move_iterator(entries.end()));
  const std::vector<std::size_t> order =
      sortedOrder(qint64(old), count(), m_sortColumn, m_sortAscending);
  std::vector<FileEntry> sorted;
  sorted.reserve(order.size());
  for (std::size_t i : order) sorted.push_back(std::move(m_rows[old + i]));
  m_rows.resize(old);
  const auto sortsBefore = [this](const FileEntry& a, const FileEntry& b) {
    return compareForSorting(a, b) < 0;
  };
  std::vector<std::size_t> before(sorted.size());
  auto from = m_rows.begin();
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    // The place is at or after the previous one: look there in growing steps, then halve the
    // last step. A few rows among many cost a few comparisons each, and as many rows as the
    // list holds cost about one each instead of a whole binary search.
    auto low = from;
    auto high = from;
    for (std::ptrdiff_t step = 1; high != m_rows.end() && !sortsBefore(sorted[k], *high);
         step *= 2) {
      low = high + 1;
      high = m_rows.end() - low > step ? low + step : m_rows.end();
    }
    from = std::upper_bound(low, high, sorted[k], sortsBefore);
    before[k] = std::size_t(from - m_rows.begin());
    if (ranges) {
      const auto position = qint64(before[k] + k);
      if (!ranges->empty() && ranges->back().first + ranges->back().count == position) {
        ++ranges->back().count;
      } else {
        ranges->push_back({position, 1});
      }
    }
  }
  placeSorted(m_rows, sorted, before);
  std::vector<std::size_t> placed(order.size());
  for (std::size_t k = 0; k < order.size(); ++k) placed[order[k]] = before[k] + k;
  return placed;  // the new position of each new row, in the order they were given
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
  m_tickedCount = 0;
  m_tickedBytes = 0;
  m_fullPaths.clear();
  m_fullPaths.squeeze();
  m_indexBuilt = false;
  m_sortedPrefix = 0;
  if (m_observer.to) m_observer.to->listReset();
}

bool FileList::isAlreadyListed(const QString& fullPath) const {
  if (!m_indexBuilt) {
    m_fullPaths.reserve(qsizetype(count()));
    for (const FileEntry& row : m_rows) m_fullPaths.insert(row.fullPath());
    for (const FileEntry& row : m_pendingRows) m_fullPaths.insert(row.fullPath());
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
    mergePending();
    m_sortedPrefix = count();  // the list was kept sorted until now
  }
}

void FileList::setSortColumn(ListColumn column, bool ascending) {
  if (!isListColumn(int(column))) return;
  if (column == m_sortColumn && ascending == m_sortAscending) return;
  m_sortColumn = column;
  m_sortAscending = ascending;
  m_sortedPrefix = 0;
  if (m_sortingEnabled) resort();
}

void FileList::columnClicked(ListColumn column) {
  if (!isListColumn(int(column))) return;
  if (column == ListColumn::Size) {
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
  mergePending();
  // The list's own sorting would undo the size order at the next append.
  m_sortingEnabled = false;
  m_sortedPrefix = 0;
  const bool ascending = !m_bNumAsc;
  reorder(sortedOrder(0, count(), ListColumn::Size, ascending));
  m_bNumAsc = ascending;
}

void FileList::sortOwnThenBy(ListColumn column) {
  if (!isListColumn(int(column))) return;
  mergePending();
  std::vector<std::size_t> own = sortedOrder(0, count(), m_sortColumn, m_sortAscending);
  const bool bySize = column == ListColumn::Size;
  const bool ascending = bySize ? !m_bNumAsc : true;
  const bool sameAsOwn = !bySize && column == m_sortColumn && m_sortAscending;
  if (bySize) {
    m_bNumAsc = ascending;
  } else {
    m_sortColumn = column;
    m_sortAscending = true;
  }
  m_sortingEnabled = !bySize;  // the list's own sorting would undo the size order
  m_sortedPrefix = 0;
  if (sameAsOwn) {
    reorder(std::move(own));
    return;
  }
  // Sorted by column with the rows taken in their own order, so that ties keep that order.
  const std::vector<std::size_t> within = orderOf(
      own.size(), [&](std::size_t i) -> const FileEntry& { return m_rows[own[i]]; }, column,
      ascending);
  std::vector<std::size_t> order(within.size());
  for (std::size_t k = 0; k < within.size(); ++k) order[k] = own[within[k]];
  reorder(std::move(order));
}

void FileList::resort() {
  mergePending();
  const qint64 sorted = std::clamp<qint64>(m_sortedPrefix, 0, count());
  m_sortedPrefix = 0;
  if (sorted == count()) return;
  if (sorted == 0) {
    reorder(sortedOrder(0, count(), m_sortColumn, m_sortAscending));
    return;
  }
  // Stable: of equal rows, those already listed stay before the ones added since, which are
  // merged in like a batch.
  std::vector<FileEntry> tail(std::make_move_iterator(m_rows.begin() + sorted),
                              std::make_move_iterator(m_rows.end()));
  m_rows.resize(std::size_t(sorted));
  const std::vector<std::size_t> placed = mergeSorted(std::move(tail), nullptr);
  if (!m_observer.to) return;
  std::vector<qint64> newRowOfOldRow(m_rows.size());
  std::vector<bool> taken(m_rows.size());
  bool moved = false;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const std::size_t oldRow = std::size_t(sorted) + i;
    newRowOfOldRow[oldRow] = qint64(placed[i]);
    taken[placed[i]] = true;
    moved = moved || placed[i] != oldRow;
  }
  // The rows listed before keep their order in the free places.
  std::size_t next = 0;
  for (std::size_t i = 0; i < std::size_t(sorted); ++i) {
    while (taken[next]) ++next;
    newRowOfOldRow[i] = qint64(next++);
  }
  if (moved) m_observer.to->rowsReordered(newRowOfOldRow);
}

void FileList::reorder(std::vector<std::size_t> order) {
  bool moved = false;
  for (std::size_t k = 0; k < order.size() && !moved; ++k) moved = order[k] != k;
  if (!moved) return;
  std::vector<qint64> newRowOfOldRow;
  if (m_observer.to) {
    newRowOfOldRow.resize(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) newRowOfOldRow[order[k]] = qint64(k);
  }
  applyOrder(m_rows, order);
  if (m_observer.to) m_observer.to->rowsReordered(newRowOfOldRow);
}

std::vector<std::size_t> FileList::sortedOrder(qint64 from, qint64 to, ListColumn column,
                                               bool ascending) const {
  return orderOf(
      std::size_t(to - from),
      [this, from](std::size_t i) -> const FileEntry& { return m_rows[std::size_t(from) + i]; },
      column, ascending);
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
