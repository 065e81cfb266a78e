// The list tells its observer of every change, and rows appended in batches or one at a time
// end where a full stable sort puts them.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "core/list/FileList.h"

using namespace Qt::StringLiterals;
using vek::DateStamp;
using vek::FileEntry;
using vek::FileList;
using vek::FileListObserver;
using vek::ListColumn;
using vek::RowRange;

namespace {

// What identifies a row in these tests: every column's text and the tick.
QString rowKey(const FileEntry& e) {
  QStringList k;
  for (int column = 0; column < vek::kListColumnCount; ++column)
    k << e.columnText(ListColumn(column));
  k << (e.ticked ? u"✓"_s : u"-"_s);
  return k.join(u'|');
}

QStringList keysOf(const FileList& list) {
  QStringList keys;
  for (qint64 row = 0; row < list.count(); ++row) keys << rowKey(list.at(row));
  return keys;
}

// A view's copy of the list, kept up to date from the events alone, as a model does.
class MirrorObserver : public FileListObserver {
 public:
  explicit MirrorObserver(const FileList& list) : m_list(list), m_rows(keysOf(list)) {}

  void rowsInserted(const std::vector<RowRange>& ranges) override {
    ++inserts;
    ASSERT_FALSE(ranges.empty());
    QStringList next;
    qsizetype old = 0;
    qint64 row = 0;
    for (const RowRange& range : ranges) {
      ASSERT_GT(range.count, 0);
      ASSERT_GE(range.first, row);  // ascending, not overlapping
      if (row > 0) {
        ASSERT_GT(range.first, row) << "ranges touch";
      }
      for (; row < range.first; ++row) next << m_rows.value(old++);
      for (; row < range.first + range.count; ++row) next << rowKey(m_list.at(row));
    }
    while (old < m_rows.size()) next << m_rows.value(old++);
    m_rows = next;
  }
  void rowsReordered(const std::vector<qint64>& newRowOfOldRow) override {
    ++reorders;
    ASSERT_EQ(qsizetype(newRowOfOldRow.size()), m_rows.size());
    QStringList next(m_rows.size());
    std::vector<bool> taken(newRowOfOldRow.size());
    for (std::size_t old = 0; old < newRowOfOldRow.size(); ++old) {
      const qint64 row = newRowOfOldRow[old];
      ASSERT_TRUE(row >= 0 && row < m_rows.size() && !taken[std::size_t(row)])
          << "not a permutation";
      taken[std::size_t(row)] = true;
      next[row] = m_rows[qsizetype(old)];
    }
    bool moved = false;
    for (std::size_t old = 0; old < newRowOfOldRow.size(); ++old)
      moved = moved || newRowOfOldRow[old] != qint64(old);
    EXPECT_TRUE(moved) << "a reorder that moved nothing was sent";
    m_rows = next;
  }
  void listReset() override {
    ++resets;
    m_rows = keysOf(m_list);
  }

  // Ticks are not announced (the model changes them itself), so they are refreshed here.
  void tick(qint64 row, bool ticked) {
    m_rows[row] = rowKey(m_list.at(row));
    (void)ticked;
  }

  const QStringList& rows() const { return m_rows; }
  int inserts = 0;
  int reorders = 0;
  int resets = 0;

 private:
  const FileList& m_list;
  QStringList m_rows;
};

class RandomRows {
 public:
  explicit RandomRows(unsigned seed) : m_random(seed) {}

  FileEntry next() {
    static const QString folders[] = {u"/f1/"_s, u"/F1/"_s, u"/f2/"_s, u"/データ/"_s};
    static const QString types[] = {u"A"_s, u"a"_s, u"B"_s, u"テキスト"_s};
    static const QString stems[] = {u"n"_s, u"LongName_"_s, u"longname_"_s, u"ｆｉｌｅ"_s};
    FileEntry e;
    FileEntry::splitName(u"%1%2.%3"_s.arg(stems[pick(4)]).arg(pick(30)).arg(pick(3)), e.name,
                         e.extension);
    e.folder = folders[pick(4)];
    if (pick(2)) e.folder = QString(e.folder.constData(), e.folder.size());  // own copy
    e.type = types[pick(4)];
    e.size = qint64(pick(6));
    e.ticked = pick(3) != 0;
    e.created = pick(4) ? DateStamp::fromLocal(2020, 1, 1, 0, 0, int(pick(30))) : DateStamp();
    e.accessed = e.modified = e.created;
    return e;
  }
  std::vector<FileEntry> batch(std::size_t n) {
    std::vector<FileEntry> rows;
    for (std::size_t i = 0; i < n; ++i) rows.push_back(next());
    return rows;
  }
  unsigned pick(unsigned n) { return m_random() % n; }

 private:
  std::mt19937 m_random;
};

// A full stable sort of rows by the list's rules, computed the plain way.
void stableSort(std::vector<FileEntry>& rows, ListColumn column, bool ascending) {
  auto less = [column](const FileEntry& x, const FileEntry& y) {
    if (column == ListColumn::Size) return x.size < y.size;
    const QString a = x.columnText(column);
    const QString b = y.columnText(column);
    if (int(column) >= int(ListColumn::Created)) return a < b;
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const FileEntry& a, const FileEntry& b) {
    return ascending ? less(a, b) : less(b, a);
  });
}

QStringList keysOf(const std::vector<FileEntry>& rows) {
  QStringList keys;
  for (const FileEntry& e : rows) keys << rowKey(e);
  return keys;
}

}  // namespace

// Every operation, chosen at random, keeps a copy built from the events alone equal to the
// list; reorders are checked by applying them.
TEST(FileListObserver, EventsKeepAViewsCopyOfTheListExact) {
  RandomRows random(11);
  FileList list;
  MirrorObserver mirror(list);
  list.setObserver(&mirror);
  for (int step = 0; step < 400; ++step) {
    const unsigned op = random.pick(10);
    switch (op) {
      case 0:
      case 1:
        list.append(random.next());
        break;
      case 2:
      case 3:
        list.appendBatch(random.batch(random.pick(12)));
        break;
      case 4:
        list.setSortingEnabled(random.pick(2) == 0);
        break;
      case 5:
        list.columnClicked(ListColumn(random.pick(8)));
        break;
      case 6:
        list.setSortColumn(ListColumn(random.pick(8)), random.pick(2) == 0);
        break;
      case 7:
        list.sortBySize();
        break;
      case 8:
        if (list.count() > 0) {
          const qint64 row = qint64(random.pick(unsigned(list.count())));
          list.setTicked(row, random.pick(2) == 0);
          mirror.tick(row, list.at(row).ticked);
        }
        break;
      case 9:
        if (random.pick(8) == 0) list.clear();
        break;
    }
    ASSERT_EQ(mirror.rows(), keysOf(list)) << "step " << step << " operation " << op;
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(mirror.inserts, 50);
  EXPECT_GT(mirror.reorders, 20);
  EXPECT_GT(mirror.resets, 0);
}

TEST(FileListObserver, EachOperationSendsItsOwnEvent) {
  RandomRows random(3);
  FileList list;
  MirrorObserver mirror(list);
  list.setObserver(&mirror);

  struct Counts {
    int inserts, reorders, resets;
  };
  auto expectCounts = [&](Counts c, const char* what) {
    EXPECT_EQ(mirror.inserts, c.inserts) << what;
    EXPECT_EQ(mirror.reorders, c.reorders) << what;
    EXPECT_EQ(mirror.resets, c.resets) << what;
  };
  list.append(random.next());
  list.appendBatch(random.batch(20));
  list.appendBatch({});  // nothing appended, nothing said
  expectCounts({2, 0, 0}, "appends");

  list.setSortingEnabled(false);
  list.setSortingEnabled(true);                // still sorted: no reorder
  list.setSortColumn(ListColumn::Name, true);  // unchanged
  expectCounts({2, 0, 0}, "no move");

  list.columnClicked(ListColumn::Name);  // descending: rows move
  list.sortBySize();
  expectCounts({2, 2, 0}, "sorts");

  list.setTicked(0, false);  // ticks are not events
  list.clear();
  expectCounts({2, 2, 1}, "clear");
  EXPECT_EQ(mirror.rows(), keysOf(list));

  FileList copy = list;  // a copy does not report to the original's observer
  copy.appendBatch(random.batch(8));
  copy.columnClicked(ListColumn::Name);
  copy.clear();
  expectCounts({2, 2, 1}, "copy");

  list.setObserver(nullptr);
  list.append(random.next());
  expectCounts({2, 2, 1}, "detached");
}

TEST(FileListObserver, AppendsWithSortingOffGiveOneRangeAtTheEnd) {
  RandomRows random(5);
  FileList list;
  list.setSortingEnabled(false);
  list.appendBatch(random.batch(3));
  struct Last : FileListObserver {
    std::vector<RowRange> ranges;
    void rowsInserted(const std::vector<RowRange>& r) override { ranges = r; }
    void rowsReordered(const std::vector<qint64>&) override {}
    void listReset() override {}
  } last;
  list.setObserver(&last);
  list.appendBatch(random.batch(4));
  EXPECT_EQ(last.ranges, (std::vector<RowRange>{{3, 4}}));
  list.append(random.next());
  EXPECT_EQ(last.ranges, (std::vector<RowRange>{{7, 1}}));
}

// Batches merged into the sorted order, and single appends (which wait in a side list before
// they are merged), give exactly a stable sort of all rows in the order they were added.
TEST(FileListObserver, AppendsEqualAFullStableSort) {
  RandomRows random(23);
  for (int c = 0; c < vek::kListColumnCount; ++c) {
    const ListColumn column = ListColumn(c);
    for (bool ascending : {true, false}) {
      FileList batched;
      FileList single;
      batched.setSortColumn(column, ascending);
      single.setSortColumn(column, ascending);
      std::vector<FileEntry> added;
      for (int round = 0; round < 6; ++round) {
        std::vector<FileEntry> rows = random.batch(random.pick(40));
        added.insert(added.end(), rows.begin(), rows.end());
        for (const FileEntry& row : rows) single.append(row);
        batched.appendBatch(std::move(rows));
      }
      std::vector<FileEntry> expected = added;
      stableSort(expected, column, ascending);
      ASSERT_EQ(keysOf(batched), keysOf(expected)) << c << ascending;
      ASSERT_EQ(keysOf(single), keysOf(expected)) << c << ascending;
      single.settle();
      EXPECT_EQ(keysOf(single.rows()), keysOf(expected)) << c << ascending;
    }
  }
}

// Enough single appends that the side list is merged in several times, with ticks changed and
// rows read between them.
TEST(FileListObserver, ManySingleAppendsStaySortedAndKeepTheirTicks) {
  RandomRows random(31);
  FileList list;
  list.setSortColumn(ListColumn::Type, false);
  std::vector<FileEntry> added;
  for (int i = 0; i < 9000; ++i) {
    FileEntry row = random.next();
    const qint64 at = list.append(row);
    ASSERT_EQ(rowKey(list.at(at)), rowKey(row)) << i;
    if (i % 97 == 0) {  // untick the row just added, through its position
      list.setTicked(at, false);
      row.ticked = false;
    }
    added.push_back(row);
    if (i % 1000 == 0) {
      EXPECT_TRUE(list.isAlreadyListed(row.fullPath()));
    }
  }
  std::vector<FileEntry> expected = added;
  stableSort(expected, ListColumn::Type, false);
  EXPECT_EQ(keysOf(list), keysOf(expected));
  qint64 ticked = 0;
  for (const FileEntry& row : added) ticked += row.ticked;
  EXPECT_EQ(list.tickedCount(), ticked);
}
