// The running totals of the ticked rows and how they read.
#include "core/list/ListTotals.h"

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "support/QStringPrinter.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;

FileEntry sized(const QString& name, qint64 size, bool ticked = true) {
  FileEntry e;
  e.folder = u"/d/"_s;
  e.name = name;
  e.size = size;
  e.ticked = ticked;
  return e;
}

TEST(ListTotals, KeptThroughTicksAddsSortsAndClear) {
  FileList list;
  list.append(sized(u"a"_s, 5'000'000'000));  // beyond 32 bits
  list.append(sized(u"b"_s, 7, false));
  list.appendBatch({sized(u"c"_s, 100), sized(u"d"_s, 20)});
  EXPECT_EQ(list.tickedCount(), 3);
  EXPECT_EQ(list.tickedBytes(), 5'000'000'120);
  list.setTicked(0, false);
  list.setTicked(0, false);  // no change, nothing counted twice
  EXPECT_EQ(list.tickedBytes(), 120);
  list.columnClicked(ListColumn::Size);
  list.columnClicked(ListColumn::Name);
  EXPECT_EQ(list.tickedCount(), 2);
  EXPECT_EQ(list.tickedBytes(), 120);
  qint64 sum = 0;
  for (const FileEntry& row : list.rows()) sum += row.ticked ? row.size : 0;
  EXPECT_EQ(sum, list.tickedBytes());
  list.clear();
  EXPECT_EQ(list.tickedCount(), 0);
  EXPECT_EQ(list.tickedBytes(), 0);
}

TEST(ListTotals, Captions) {
  struct Case {
    qint64 files, bytes;
    QString text;
  } const cases[] = {
      {0, 0, u"ﾁｪｯｸ済み：0 ﾌｧｲﾙ　合計 0 バイト"_s},
      {1, 1023, u"ﾁｪｯｸ済み：1 ﾌｧｲﾙ　合計 1,023 バイト"_s},
      {2, 1024, u"ﾁｪｯｸ済み：2 ﾌｧｲﾙ　合計 1.0 KB（1,024 バイト）"_s},
      {1234567, 5'000'000'000, u"ﾁｪｯｸ済み：1,234,567 ﾌｧｲﾙ　合計 4.7 GB（5,000,000,000 バイト）"_s},
      {3, 3LL << 40, u"ﾁｪｯｸ済み：3 ﾌｧｲﾙ　合計 3.0 TB（3,298,534,883,328 バイト）"_s},
  };
  for (const Case& c : cases) EXPECT_EQ(tickedTotalsCaption(c.files, c.bytes), c.text);
}

}  // namespace
}  // namespace vek
