#include <algorithm>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "core/list/RowOrder.h"

using namespace Qt::StringLiterals;
using vek::DateStamp;
using vek::FileEntry;
using vek::ListColumn;

namespace {

// Rows with many ties in every column: texts that differ only by case, by width or after
// eight units, shared and separately stored folder texts, missing dates.
std::vector<FileEntry> tiedRows(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  const QString stems[] = {u"a"_s,
                           u"A"_s,
                           u"b"_s,
                           u"report 2024 a"_s,
                           u"Report 2024 A"_s,
                           u"report 2024 b"_s,
                           u"ｆｉｌｅ"_s,
                           u"ＦＩＬＥ"_s,
                           u"データ"_s,
                           u""_s};
  const QString shared = u"/f/"_s;
  std::vector<FileEntry> rows;
  for (std::size_t i = 0; i < count; ++i) {
    FileEntry e;
    e.name = stems[random() % std::size(stems)];
    e.extension = random() % 2 ? u".txt"_s : u".TXT"_s;
    // The same folder text in shared storage, and equal texts stored apart.
    e.folder = random() % 3 ? shared : (random() % 2 ? u"/F/"_s : QString(u"/f/"_s).append(u""));
    e.type = u"t"_s + QString::number(random() % 3);
    e.size = qint64(random() % 4);
    e.created =
        random() % 3 ? DateStamp::fromLocal(2024, 5, 1, 0, 0, int(random() % 3)) : DateStamp();
    e.accessed = DateStamp::fromLocal(2024, 5, 2, 0, 0, int(random() % 3));
    e.modified = DateStamp::fromLocal(2024, 5, 3, 0, int(random() % 3), 0);
    rows.push_back(e);
  }
  return rows;
}

// The order a stable sort by the row-by-row comparison gives.
std::vector<std::size_t> stableOrder(const std::vector<FileEntry>& rows,
                                     const std::vector<std::size_t>& taken, ListColumn column,
                                     bool ascending) {
  std::vector<std::size_t> order(taken.size());
  std::iota(order.begin(), order.end(), std::size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return vek::compareRows(rows[taken[a]], rows[taken[b]], column, ascending) < 0;
  });
  return order;
}

}  // namespace

// Every column and direction, on one thread and shared out over several, in list order and
// in an order given: exactly the stable sort by the row-by-row comparison.
TEST(RowOrder, EveryColumnSortsAsTheStableRowByRowSort) {
  const std::vector<FileEntry> rows = tiedRows(3000, 7);
  std::vector<std::size_t> inListOrder(rows.size());
  std::iota(inListOrder.begin(), inListOrder.end(), std::size_t(0));
  std::vector<std::size_t> shuffled = inListOrder;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
  struct Restore {
    ~Restore() { vek::setRowsWorthSharingOut(0); }
  } restore;
  for (const std::size_t sharingOut : {std::size_t(0), std::size_t(500)}) {
    vek::setRowsWorthSharingOut(sharingOut);
    for (int c = 0; c < vek::kListColumnCount; ++c) {
      for (const bool ascending : {true, false}) {
        const ListColumn column = ListColumn(c);
        EXPECT_EQ(vek::sortedOrder(rows, column, ascending),
                  stableOrder(rows, inListOrder, column, ascending))
            << c << ascending << sharingOut;
        EXPECT_EQ(vek::sortedOrder(rows, shuffled, column, ascending),
                  stableOrder(rows, shuffled, column, ascending))
            << c << ascending << sharingOut;
      }
    }
  }
}

TEST(RowOrder, TextOrderFoldsCaseThenTellsCaseApart) {
  struct Case {
    QString a;
    QString b;
    int sign;
  } const cases[] = {
      {u"a"_s, u"B"_s, -1},
      {u"A"_s, u"a"_s, -1},
      {u"a"_s, u"a"_s, 0},
      {u"ab"_s, u"AB"_s, 1},
      {u"Ａ"_s, u"ａ"_s, -1},
      {u"Ω"_s, u"ω"_s, -1},
      {u"longprefixA"_s, u"LONGPREFIXa"_s, 1},
      {u"abc"_s, u"ABCD"_s, -1},
      {u""_s, u"a"_s, -1},
  };
  for (const Case& c : cases) {
    const int forward = vek::compareText(c.a, c.b);
    EXPECT_EQ((forward > 0) - (forward < 0), c.sign)
        << c.a.toStdString() << " " << c.b.toStdString();
    const int back = vek::compareText(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign);
  }
}

// Sorted new rows merged into sorted rows land after the rows equal to them, as one stable
// sort of the old rows followed by the new ones would put them.
TEST(RowOrder, MergedRowsGoAfterTheRowsEqualToThem) {
  for (const bool ascending : {true, false}) {
    std::vector<FileEntry> rows = tiedRows(800, 1);
    std::vector<FileEntry> added = tiedRows(300, 2);
    for (FileEntry& e : added) e.type = u"new"_s;  // tells the merged rows apart
    for (auto* part : {&rows, &added}) {
      std::stable_sort(part->begin(), part->end(), [&](const FileEntry& a, const FileEntry& b) {
        return vek::compareRows(a, b, ListColumn::Name, ascending) < 0;
      });
    }
    std::vector<FileEntry> expected = rows;
    expected.insert(expected.end(), added.begin(), added.end());
    std::stable_sort(expected.begin(), expected.end(), [&](const FileEntry& a, const FileEntry& b) {
      return vek::compareRows(a, b, ListColumn::Name, ascending) < 0;
    });

    const std::vector<std::size_t> before =
        vek::mergePositions(rows, added, ListColumn::Name, ascending);
    vek::placeSorted(rows, added, before);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ASSERT_EQ(rows[i].type, expected[i].type) << ascending << " row " << i;
      ASSERT_EQ(rows[i].name, expected[i].name) << ascending << " row " << i;
    }
  }
}

TEST(RowOrder, ApplyingAnOrderMovesEveryRowToItsPlace) {
  std::vector<FileEntry> rows = tiedRows(500, 4);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].size = qint64(i);
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t(0));
  std::shuffle(order.begin(), order.end(), std::mt19937(9));
  // A row that stays where it is.
  std::swap(*std::find(order.begin(), order.end(), std::size_t(0)), order[0]);
  const std::vector<std::size_t> given = order;
  vek::applyOrder(rows, order);
  for (std::size_t k = 0; k < rows.size(); ++k) ASSERT_EQ(rows[k].size, qint64(given[k])) << k;
}
