// How the rows of the output list are put in order: the text order, the column sorts (packed
// keys for names and extensions, a counting sort for the texts rows share, keyed sorts for sizes
// and dates, shared out over threads for long lists), moving rows into an order and merging
// sorted rows into sorted rows.
#include "core/RowOrder.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <limits>
#include <numeric>
#include <thread>
#include <unordered_map>
#include <utility>

#include "core/OrderedWork.h"
#include "core/Prefetch.h"

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
int compareTextUnits(QStringView a, QStringView b) {
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

// The value of a decimal digit (ASCII, full-width, and the other decimal digits of Unicode's
// Basic Multilingual Plane); -1 for any other unit.
inline int digitOf(char16_t c) {
  if (c < 0x80) return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
  if (c >= 0xFF10 && c <= 0xFF19) return int(c - 0xFF10);
  if (QChar::isSurrogate(c) || QChar::category(char32_t(c)) != QChar::Number_DecimalDigit)
    return -1;
  return QChar::digitValue(char32_t(c));
}

// The text as the numbers-as-numbers order reads it, as units that compare one after another:
// other characters folded as compareTextUnits folds them; each run of digits as "0" (so that
// numbers sort among the characters where the digits do), the count of its digits after the
// leading zeros, then those digits as "0" to "9". The count takes one unit below 0x8000 and two
// from there (the first with its top bit set), so counts compare as numbers and keys stay short.
// A run longer than any integer type still compares by value, and two keys compare as their
// texts do, leaving aside only leading zeros, the form of the digits and case.
template <typename Put>
void numberKey(QStringView text, Put&& put) {
  const char16_t* data = text.utf16();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    if (digitOf(data[i]) < 0) {
      put(foldUnit(data[i++]));
      continue;
    }
    while (i < n && digitOf(data[i]) == 0) ++i;
    const qsizetype first = i;
    while (i < n && digitOf(data[i]) >= 0) ++i;
    const auto digits = quint32(i - first);
    put(u'0');
    if (digits < 0x8000) {
      put(char16_t(digits));
    } else {
      put(char16_t(0x8000 | (digits >> 16)));
      put(char16_t(digits & 0xFFFF));
    }
    for (qsizetype k = first; k < i; ++k) put(char16_t(u'0' + digitOf(data[k])));
  }
}

// The key of a file name read whole, name and extension: the name's key, a unit below every
// unit a key holds once a name has ended (0: no name holds NUL, and a count of 0 only follows
// the "0" that starts a number), then the extension's key. So "img.9" < "img.10" < "img.100"
// and "v1.9" < "v1.10", while a name that is the start of another still goes first
// ("a.txt" < "a-1.txt"), as "ls -v" orders them.
template <typename Put>
void fileNameKey(QStringView name, QStringView extension, Put&& put) {
  numberKey(name, put);
  if (extension.isEmpty()) return;
  put(char16_t(0));
  numberKey(extension, put);
}

// Texts whose keys are equal, ordered as compareTextUnits orders the names, then the
// extensions.
int compareTextPairs(QStringView aName, QStringView aExtension, QStringView bName,
                     QStringView bExtension) {
  const int byName = compareTextUnits(aName, bName);
  return byName != 0 ? byName : compareTextUnits(aExtension, bExtension);
}

int compareFileNameKeys(QStringView aName, QStringView aExtension, QStringView bName,
                        QStringView bExtension) {
  if (aName.utf16() == bName.utf16() && aName.size() == bName.size() &&
      aExtension.utf16() == bExtension.utf16() && aExtension.size() == bExtension.size())
    return 0;
  thread_local std::vector<char16_t> keyA;
  thread_local std::vector<char16_t> keyB;
  keyA.clear();
  keyB.clear();
  fileNameKey(aName, aExtension, [](char16_t unit) { keyA.push_back(unit); });
  fileNameKey(bName, bExtension, [](char16_t unit) { keyB.push_back(unit); });
  const auto [atA, atB] = std::mismatch(keyA.begin(), keyA.end(), keyB.begin(), keyB.end());
  if (atA != keyA.end() && atB != keyB.end()) return *atA < *atB ? -1 : 1;
  if (atA != keyA.end()) return 1;
  if (atB != keyB.end()) return -1;
  return compareTextPairs(aName, aExtension, bName, bExtension);
}

int compareNumberKeys(QStringView a, QStringView b) {
  return compareFileNameKeys(a, {}, b, {});
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

// Sorts of fewer items than this run on the calling thread alone: below it, starting threads
// costs more than they save.
constexpr std::size_t kRowsWorthSharingOut = std::size_t(1) << 16;
std::atomic<std::size_t> g_rowsWorthSharingOut{kRowsWorthSharingOut};

// How many threads a sort of this many items uses: small sorts are not worth a thread.
int sortThreads(std::size_t items) {
  if (items < g_rowsWorthSharingOut.load(std::memory_order_relaxed)) return 1;
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
// compareTextUnits gives, ties kept in their order. Rows are sorted on their text eight units at a
// time, packed into two integers: first on the folded units, then, among texts that fold
// alike, on the units as they stand. Only rows still tied read their next eight units, so
// most texts are read once, in list order, and comparisons touch nothing else.
// Texts that are keys already (numberKey's) are not folded again: foldFirst is false for them.
// sameAsPrevious, when given, gets for each place of the order whether its text equals the
// text of the place before (as the sort compares them: folded and as they stand).
template <typename RowAt, typename TextOf>
std::vector<std::size_t> orderByText(std::size_t count, const RowAt& rowAt, bool ascending,
                                     TextOf textOf, bool foldFirst = true,
                                     std::vector<quint8>* sameAsPrevious = nullptr) {
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
  // equal units, the shorter sorts first, as compareTextUnits has it.
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
  if (sameAsPrevious) sameAsPrevious->assign(count, 0);
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
        } else if (sameAsPrevious) {  // else the same text: the rows keep their order
          std::fill(sameAsPrevious->begin() + std::ptrdiff_t(tied.first + 1),
                    sameAsPrevious->begin() + std::ptrdiff_t(tied.last), quint8(1));
        }
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
      load(items[i], 0, foldFirst);
    }
  });
  sortSideBySide(items, less);
  std::vector<Tied> tied;
  tiedRuns({0, items.size(), 0, foldFirst}, tied);
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

// The order of the rows by their own texts with digits read as numbers: each text's key
// (numberKey; fileNameKey with the tail, an extension) is made once, in one pass, on every
// thread into a buffer of its own; the keys are sorted as texts are, and rows whose keys are
// equal are then put in the order compareTextUnits gives.
template <typename RowAt, typename TextOf, typename TailOf>
std::vector<std::size_t> orderByNumbers(std::size_t count, const RowAt& rowAt, bool ascending,
                                        TextOf textOf, TailOf tailOf) {
  std::vector<QStringView> texts(count);
  std::vector<QStringView> tails(count);
  bool anyTail = false;
  std::vector<QStringView> keys(count);
  const int threads = sortThreads(count);
  std::vector<std::vector<char16_t>> buffers;
  buffers.resize(std::size_t(threads));
  runSideBySide(threads, [&](int i) {
    const std::size_t first = count * std::size_t(i) / std::size_t(threads);
    const std::size_t end = count * std::size_t(i + 1) / std::size_t(threads);
    std::vector<char16_t>& buffer = buffers[std::size_t(i)];
    buffer.clear();  // a task done again starts afresh
    // Where each key ends in the buffer: the buffer moves as it grows, so the views are made
    // once it is complete.
    std::vector<std::size_t> ends(end - first);
    for (std::size_t row = first; row < end; ++row) {
      texts[row] = textOf(rowAt(row));
      tails[row] = tailOf(rowAt(row));
      const auto units = std::size_t(texts[row].size() + tails[row].size());
      if (buffer.capacity() - buffer.size() < units * 4 + 8)
        buffer.reserve(std::max(buffer.capacity() * 2, buffer.size() + 4 * units + 4096));
      fileNameKey(texts[row], tails[row], [&buffer](char16_t unit) { buffer.push_back(unit); });
      ends[row - first] = buffer.size();
    }
    std::size_t from = 0;
    for (std::size_t row = first; row < end; ++row) {
      const std::size_t to = ends[row - first];
      keys[row] = QStringView(buffer.data() + from, qsizetype(to - from));
      from = to;
    }
  });
  std::vector<quint8> sameAsPrevious;
  std::vector<std::size_t> order = orderByText(
      count, [](std::size_t row) { return row; }, ascending,
      [&keys](std::size_t row) { return keys[row]; }, false, &sameAsPrevious);
  for (const QStringView tail : tails) anyTail = anyTail || !tail.isEmpty();
  // Rows of equal keys, in their order so far: compareTextUnits orders them, ties kept.
  const auto before = [&](std::size_t a, std::size_t b) {
    const int c = compareTextPairs(texts[a], tails[a], texts[b], tails[b]);
    return ascending ? c < 0 : c > 0;
  };
  for (std::size_t run = 0; run < order.size();) {
    std::size_t end = run + 1;
    while (end < order.size() && sameAsPrevious[end]) ++end;
    if (end - run > 64 && anyTail) {
      std::stable_sort(order.begin() + std::ptrdiff_t(run), order.begin() + std::ptrdiff_t(end),
                       before);
    } else if (end - run > 64) {
      // Many rows (an extension most files share): the packed-key sort of their texts.
      const std::vector<std::size_t> rows(order.begin() + std::ptrdiff_t(run),
                                          order.begin() + std::ptrdiff_t(end));
      const std::vector<std::size_t> within = orderByText(
          rows.size(), [&rows](std::size_t k) { return rows[k]; }, ascending,
          [&texts](std::size_t row) { return texts[row]; });
      for (std::size_t k = 0; k < within.size(); ++k) order[run + k] = rows[within[k]];
    } else {
      // Few rows (mostly two): an insertion sort, stable and without a buffer.
      for (std::size_t k = run + 1; k < end; ++k) {
        const std::size_t row = order[k];
        std::size_t at = k;
        for (; at > run && before(row, order[at - 1]); --at) order[at] = order[at - 1];
        order[at] = row;
      }
    }
    run = end;
  }
  return order;
}

// The order of the rows by a text that many rows share (folders, types): each distinct text is
// compared once, then the rows are ordered by the rank of their text. Ties keep their order.
template <typename RowAt, typename TextOf, typename Compare>
std::vector<std::size_t> orderBySharedText(std::size_t count, const RowAt& rowAt, bool ascending,
                                           TextOf textOf, Compare compare) {
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
    const int c = compare(texts[a], texts[b]);
    return ascending ? c < 0 : c > 0;
  });
  std::vector<quint32> rankOf(texts.size());
  quint32 ranks = 0;
  for (std::size_t d = 0; d < byText.size(); ++d) {
    if (d > 0 && compare(texts[byText[d - 1]], texts[byText[d]]) != 0) ++ranks;
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

int compareText(QStringView a, QStringView b) {
  return compareTextUnits(a, b);
}

int compareTextAsNumbers(QStringView a, QStringView b) {
  return compareNumberKeys(a, b);
}

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

std::vector<std::size_t> mergePositions(std::span<const FileEntry> rows,
                                        std::span<const FileEntry> sortedNew, ListColumn column,
                                        bool ascending, NumberOrder numbers) {
  const auto sortsBefore = [column, ascending, numbers](const FileEntry& a, const FileEntry& b) {
    return compareRows(a, b, column, ascending, numbers) < 0;
  };
  std::vector<std::size_t> before(sortedNew.size());
  auto from = rows.begin();
  for (std::size_t k = 0; k < sortedNew.size(); ++k) {
    // The place is at or after the previous one: look there in growing steps, then halve the
    // last step. A few rows among many cost a few comparisons each, and as many rows as the
    // list holds cost about one each instead of a whole binary search.
    auto low = from;
    auto high = from;
    for (std::ptrdiff_t step = 1; high != rows.end() && !sortsBefore(sortedNew[k], *high);
         step *= 2) {
      low = high + 1;
      high = rows.end() - low > step ? low + step : rows.end();
    }
    from = std::upper_bound(low, high, sortedNew[k], sortsBefore);
    before[k] = std::size_t(from - rows.begin());
  }
  return before;
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

void setRowsWorthSharingOut(std::size_t rows) {
  g_rowsWorthSharingOut.store(rows == 0 ? kRowsWorthSharingOut : rows, std::memory_order_relaxed);
}

}  // namespace vek
