// Where the extra line goes: every N written rows (with or without k = 0) or at folder changes.
#include "writers/RowInsertion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace vek {
namespace {

ColumnOptions insertion(int head, int type, int interval) {
  ColumnOptions options;
  options.optHeadInsert = HeadInsert(head);
  options.optHeadInsertType = HeadInsertAt(type);
  options.valHeadInterval = interval;
  return options;
}

std::vector<FileEntry> rowsIn(std::initializer_list<QString> folders) {
  std::vector<FileEntry> rows;
  for (const QString& folder : folders) {
    FileEntry row;
    row.folder = folder;
    row.name = u"f"_s;
    rows.push_back(row);
  }
  return rows;
}

// The written counts k before which each rule inserts, over k = 0..20.
std::vector<qint64> insertionPoints(const RowInsertion& rule) {
  const std::vector<FileEntry> rows = rowsIn({u"/a/"_s});
  std::vector<qint64> points;
  for (qint64 k = 0; k <= 20; ++k) {
    if (rule.before(k, rows, 0)) points.push_back(k);
  }
  return points;
}

TEST(RowInsertion, EveryNRows) {
  EXPECT_EQ(insertionPoints(RowInsertion(insertion(0, 0, 15), true)), (std::vector<qint64>{0, 15}));
  EXPECT_EQ(insertionPoints(RowInsertion(insertion(0, 0, 15), false)), (std::vector<qint64>{15}));
  EXPECT_EQ(insertionPoints(RowInsertion(insertion(0, 0, 1), true)).size(), 21u);
  EXPECT_EQ(insertionPoints(RowInsertion(insertion(0, 0, 1), false)).size(), 20u);
  EXPECT_EQ(insertionPoints(RowInsertion(insertion(0, 0, 7), false)), (std::vector<qint64>{7, 14}));
  // Off wins over any type and interval.
  EXPECT_TRUE(insertionPoints(RowInsertion(insertion(1, 0, 1), true)).empty());
  EXPECT_TRUE(insertionPoints(RowInsertion(insertion(1, 1, 1), true)).empty());
  // A zero interval (never stored, but possible in code) behaves as the default 15.
  EXPECT_EQ(insertionPoints(RowInsertion(insertion(0, 0, 0), true)), (std::vector<qint64>{0, 15}));
}

TEST(RowInsertion, FolderChangeComparesWithTheListRowAbove) {
  const std::vector<FileEntry> rows =
      rowsIn({u"/a/"_s, u"/a/"_s, u"/b/"_s, u"/B/"_s, u"/B/"_s, u"/a/"_s});
  for (bool countFirst : {true, false}) {
    const RowInsertion rule(insertion(0, 1, 15), countFirst);
    std::vector<qint64> points;
    // The written count plays no part: pass 0 everywhere.
    for (qint64 p = 0; p < qint64(rows.size()); ++p) {
      if (rule.before(0, rows, p)) points.push_back(p);
    }
    EXPECT_EQ(points, (std::vector<qint64>{2, 3, 5}));
  }
}

}  // namespace
}  // namespace vek
