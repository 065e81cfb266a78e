// The stable sorts of rows by a key, by their own texts (packed eight units at a time, digits
// read as numbers or not) and by texts many rows share; the positions they give are stable.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numeric>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QStringView>

#include "core/list/Prefetch.h"
#include "core/list/SideBySide.h"
#include "core/list/TextOrder.h"

namespace vek {

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

}  // namespace vek
