#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/list/RowOrder.h"

using namespace Qt::StringLiterals;
using vek::DateStamp;
using vek::FileEntry;
using vek::FileList;
using vek::ListColumn;
using vek::MessageIcon;

namespace {

FileEntry entry(const QString& fileName, qint64 size = 0, const QString& type = u"テキスト"_s,
                const QString& folder = u"/data/"_s) {
  FileEntry e;
  FileEntry::splitName(fileName, e.name, e.extension);
  e.folder = folder;
  e.type = type;
  e.size = size;
  return e;
}

// The file names of the rows in list order, rows still waiting to be settled among them.
QStringList order(const FileList& list) {
  QStringList names;
  for (qint64 i = 0; i < list.count(); ++i) names << list.at(i).fileName();
  return names;
}

QStringList names(std::initializer_list<const char16_t*> list) {
  QStringList result;
  for (const char16_t* s : list) result << QString::fromUtf16(s);
  return result;
}

}  // namespace

// The captions a person sees are checked on the window's header; here the rules the view
// relies on: one entry per column, each with a caption and a width, numbers aligned right.
TEST(FileList, EveryColumnHasACaptionAWidthAndOnlyTheSizeAlignsRight) {
  ASSERT_EQ(FileList::columns().size(), std::size_t(vek::kShownColumnCount));
  QSet<QString> captions;
  for (int c = 0; c < vek::kShownColumnCount; ++c) {
    const vek::ListColumnInfo& column = FileList::columns()[std::size_t(c)];
    EXPECT_FALSE(column.caption().isEmpty()) << c;
    captions.insert(column.caption());
    EXPECT_GT(column.widthTwips, 0) << c;
    EXPECT_EQ(column.alignRight, ListColumn(c) == ListColumn::Size) << c;
  }
  EXPECT_EQ(captions.size(), vek::kShownColumnCount);
}

TEST(FileList, TextOrderIsCaseInsensitiveThenCaseSensitive) {
  FileList list;  // sorting starts on, by name, ascending
  for (const char16_t* n :
       {u"b.txt", u"B.txt", u"a2.txt", u"A.txt", u"a.txt", u"c.txt", u".rc", u"Ａ1", u"ａ0", u"Ω",
        u"ω", u"longprefixB", u"LONGPREFIXa", u"longprefix", u"LongPrefixA"})
    list.append(entry(QString::fromUtf16(n)));
  EXPECT_EQ(order(list), names({u".rc", u"A.txt", u"a.txt", u"a2.txt", u"B.txt", u"b.txt", u"c.txt",
                                u"longprefix", u"LONGPREFIXa", u"LongPrefixA", u"longprefixB", u"Ω",
                                u"ω", u"ａ0", u"Ａ1"}));
}

// One direction for every column, flipped by every click except on the size column.
TEST(FileList, ColumnClicksShareOneDirection) {
  FileList list;
  list.append(entry(u"b.txt"_s, 0, u"Beta"_s));
  list.append(entry(u"c.txt"_s, 0, u"Alpha"_s));
  list.append(entry(u"a.txt"_s, 0, u"Gamma"_s));
  ASSERT_EQ(order(list), names({u"a.txt", u"b.txt", u"c.txt"}));

  struct Step {
    ListColumn column;
    bool ascendingAfter;
    QStringList expected;
  } const steps[] = {
      {ListColumn::Type, false, names({u"a.txt", u"b.txt", u"c.txt"})},  // Gamma Beta Alpha
      {ListColumn::Type, true, names({u"c.txt", u"b.txt", u"a.txt"})},   // again: ascending
      {ListColumn::Name, false, names({u"c.txt", u"b.txt", u"a.txt"})},
      {ListColumn::Type, true, names({u"c.txt", u"b.txt", u"a.txt"})},  // opposite to the name
      {ListColumn::Size, true, names({u"c.txt", u"b.txt", u"a.txt"})},  // leaves the direction
      {ListColumn::Name, false, names({u"c.txt", u"b.txt", u"a.txt"})},
  };
  for (const Step& step : steps) {
    list.columnClicked(step.column);
    EXPECT_EQ(list.sortAscending(), step.ascendingAfter) << int(step.column);
    EXPECT_EQ(order(list), step.expected) << int(step.column);
  }
}

TEST(FileList, SortsAreStableAndKeepTheEarlierOrderOfEqualRows) {
  FileList list;
  list.append(entry(u"d.txt"_s, 0, u"T1"_s));
  list.append(entry(u"b.txt"_s, 0, u"t1"_s));  // same type but for case: after "T1"
  list.append(entry(u"c.txt"_s, 0, u"T1"_s));
  list.append(entry(u"a.txt"_s, 0, u"T0"_s));
  ASSERT_EQ(order(list), names({u"a.txt", u"b.txt", u"c.txt", u"d.txt"}));
  list.columnClicked(ListColumn::Type);  // descending by type; equal types keep the name order
  EXPECT_EQ(order(list), names({u"b.txt", u"c.txt", u"d.txt", u"a.txt"}));
  list.columnClicked(ListColumn::Type);
  EXPECT_EQ(order(list), names({u"a.txt", u"c.txt", u"d.txt", u"b.txt"}));
}

TEST(FileList, DatesOrderChronologicallyWithAMissingDateFirst) {
  FileList list;
  const DateStamp dates[] = {DateStamp::fromLocal(2024, 1, 2, 3, 4, 5), DateStamp(),
                             DateStamp::fromLocal(1999, 12, 31, 23, 59, 59),
                             DateStamp::fromLocal(2024, 1, 2, 3, 4, 6)};
  for (int i = 0; i < 4; ++i) {
    FileEntry e = entry(QString::number(i));
    e.created = e.accessed = e.modified = dates[i];
    list.append(e);
  }
  for (ListColumn column : {ListColumn::Created, ListColumn::Accessed, ListColumn::Modified}) {
    list.setSortColumn(ListColumn::Name, true);
    list.setSortColumn(column, true);
    EXPECT_EQ(order(list), names({u"1", u"2", u"0", u"3"})) << int(column);
    list.setSortColumn(column, false);
    EXPECT_EQ(order(list), names({u"3", u"0", u"2", u"1"})) << int(column);
  }
}

TEST(FileList, SizeSortIsNumericStableAndAlternates) {
  FileList list;
  list.setSortingEnabled(false);
  const std::pair<const char16_t*, qint64> rows[] = {{u"ten", 10},   {u"nine", 9},
                                                     {u"zero", 0},   {u"hundred", 100},
                                                     {u"nine-b", 9}, {u"huge", 5'000'000'000},
                                                     {u"zero-b", 0}};
  for (const auto& [name, size] : rows) list.append(entry(QString::fromUtf16(name), size));
  ASSERT_FALSE(list.bNumAsc());

  list.columnClicked(ListColumn::Size);  // the first size sort is ascending
  EXPECT_EQ(order(list),
            names({u"zero", u"zero-b", u"nine", u"nine-b", u"ten", u"hundred", u"huge"}));
  EXPECT_TRUE(list.bNumAsc());
  EXPECT_FALSE(list.isSortingEnabled());

  list.columnClicked(ListColumn::Size);  // equal sizes keep their order descending too
  EXPECT_EQ(order(list),
            names({u"huge", u"hundred", u"ten", u"nine", u"nine-b", u"zero", u"zero-b"}));
  EXPECT_FALSE(list.bNumAsc());

  list.clear();  // keeps the direction flag
  list.append(entry(u"x"_s, 1));
  list.sortBySize();
  EXPECT_TRUE(list.bNumAsc());
  list.clear();
  EXPECT_TRUE(list.bNumAsc());
}

TEST(FileList, NoSortChangesTheTicks) {
  FileList list;
  for (int i = 0; i < 20; ++i) {
    FileEntry e = entry(u"f%1.%2"_s.arg((i * 7) % 20).arg(i % 3), (i * 13) % 5,
                        i % 2 ? u"A"_s : u"B"_s, u"/d%1/"_s.arg(i % 4));
    e.created = DateStamp::fromLocal(2020, 1, 1 + i % 5, 0, 0, i);
    list.append(e);
  }
  QStringList unticked;
  for (qint64 row = 0; row < list.count(); row += 3) {
    list.setTicked(row, false);
    unticked << list.at(row).fullPath();
  }
  const qint64 ticked = list.tickedCount();
  ASSERT_EQ(ticked, list.count() - unticked.size());

  auto untickedNow = [&] {
    QStringList paths;
    for (const FileEntry& row : list.rows())
      if (!row.ticked) paths << row.fullPath();
    paths.sort();
    return paths;
  };
  unticked.sort();
  for (int column : {0, 1, 2, 3, 4, 5, 6, 7, 4, 4}) {
    list.columnClicked(ListColumn(column));
    EXPECT_EQ(untickedNow(), unticked) << column;
    EXPECT_EQ(list.tickedCount(), ticked) << column;
  }
  list.setSortColumn(ListColumn::Folder, true);
  EXPECT_EQ(untickedNow(), unticked);
}

TEST(FileList, TickCountFollowsTicksAndIgnoresRowsOutsideTheList) {
  FileList list;
  list.append(entry(u"a"_s));
  FileEntry unticked = entry(u"b"_s);
  unticked.ticked = false;
  list.append(unticked);
  EXPECT_EQ(list.tickedCount(), 1);
  list.setTicked(0, false);
  list.setTicked(0, false);
  EXPECT_EQ(list.tickedCount(), 0);
  list.setTicked(-1, true);
  list.setTicked(2, true);
  EXPECT_EQ(list.tickedCount(), 0);
  list.setTicked(1, true);
  EXPECT_EQ(list.tickedCount(), 1);
}

TEST(FileList, DuplicateTestIsExactAndFollowsAppendAndClear) {
  FileList list;
  EXPECT_FALSE(list.isAlreadyListed(u"/data/a.txt"_s));  // builds the index on an empty list
  list.append(entry(u"a.txt"_s));
  list.append(entry(u"README"_s, 0, {}, u"/data/sub/"_s));
  list.append(entry(u".profile"_s, 0, {}, u"/home/ユーザー/"_s));

  struct Case {
    QString path;
    bool listed;
  } const cases[] = {
      {u"/data/a.txt"_s, true},        {u"/data/A.txt"_s, false},
      {u"/Data/a.txt"_s, false},       {u"/data/sub/README"_s, true},
      {u"/data/sub/README."_s, false}, {u"/home/ユーザー/.profile"_s, true},
      {u"/data/a.txt/"_s, false},      {QString(), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(list.isAlreadyListed(c.path), c.listed) << c.path.toStdString();

  list.columnClicked(ListColumn::Name);  // sorting does not disturb the index
  list.append(entry(u"new.txt"_s));
  EXPECT_TRUE(list.isAlreadyListed(u"/data/new.txt"_s));
  EXPECT_TRUE(list.isAlreadyListed(u"/data/a.txt"_s));

  list.clear();
  EXPECT_FALSE(list.isAlreadyListed(u"/data/a.txt"_s));
  list.append(entry(u"a.txt"_s));
  EXPECT_TRUE(list.isAlreadyListed(u"/data/a.txt"_s));
}

TEST(FileList, ClearEmptiesTheListOnly) {
  FileList list;
  list.append(entry(u"a"_s, 3));
  list.columnClicked(ListColumn::Folder);
  list.clear();
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.tickedCount(), 0);
  EXPECT_EQ(list.sortColumn(), ListColumn::Folder);
  EXPECT_FALSE(list.sortAscending());
  EXPECT_EQ(list.countCaption(), u"出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：0ﾌｧｲﾙ"_s);
}

TEST(FileList, CaptionsAndExportChecks) {
  FileList list;
  EXPECT_EQ(FileList::clearedCaption(), u"出力対象ﾌｧｲﾙﾘｽﾄ"_s);

  auto message = list.checkExportable();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->title, u"ﾌｧｲﾙがありません。"_s);
  EXPECT_EQ(message->text, u"出力対象とするファイルリストが入力されていません。"_s);
  EXPECT_EQ(message->icon, MessageIcon::Warning);

  for (int i = 0; i < 12; ++i) list.append(entry(QString::number(i)));
  for (qint64 row = 0; row < list.count(); ++row) list.setTicked(row, false);
  message = list.checkExportable();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->title, u"選択されていません。"_s);
  EXPECT_EQ(message->text,
            u"選択済みのファイルリストにおいて、一つ以上の項目にチェックを付けてください。"_s);
  EXPECT_EQ(message->icon, MessageIcon::Warning);

  list.setTicked(11, true);
  EXPECT_FALSE(list.checkExportable());
  EXPECT_EQ(list.countCaption(), u"出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：12ﾌｧｲﾙ"_s);
}

TEST(FileList, AppendWhileSortingIsOnInsertsAfterEqualRows) {
  FileList list;
  list.columnClicked(ListColumn::Type);  // by type, descending
  struct Step {
    const char16_t* name;
    const char16_t* type;
    qint64 position;
  } const steps[] = {
      {u"1", u"B", 0}, {u"2", u"D", 0}, {u"3", u"B", 2},
      {u"4", u"a", 3}, {u"5", u"c", 1}, {u"6", u"D", 1},
  };
  for (const Step& s : steps)
    EXPECT_EQ(list.append(entry(QString::fromUtf16(s.name), 0, QString::fromUtf16(s.type))),
              s.position)
        << QString::fromUtf16(s.name).toStdString();
  EXPECT_EQ(order(list), names({u"2", u"6", u"5", u"1", u"3", u"4"}));

  list.setSortingEnabled(false);  // while off, rows go to the end
  EXPECT_EQ(list.append(entry(u"7"_s, 0, u"Z"_s)), 6);
}

// Switching sorting on after an add merges the rows added since; the result must be the one a
// stable sort of the whole list gives, for every column and direction.
TEST(FileList, SwitchingSortingOnAgainEqualsAFullStableSort) {
  std::mt19937 random(7);
  // Folder texts both shared between rows and held separately with the same content.
  const QString folders[] = {u"/f1/"_s, u"/F1/"_s, u"/f2/"_s, u"/データ/"_s, QString()};
  auto randomEntry = [&] {
    const QString types[] = {u"A"_s, u"a"_s, u"B"_s, u"テキスト"_s};
    const QString stems[] = {u"n"_s, u"LongName_"_s, u"longname_"_s, u"ｆｉｌｅ"_s};
    FileEntry e = entry(u"%1%2.%3"_s.arg(stems[random() % 4]).arg(random() % 40).arg(random() % 3),
                        qint64(random() % 6), types[random() % 4], folders[random() % 5]);
    if (random() % 2) e.folder = QString(e.folder.constData(), e.folder.size());  // own copy
    e.ticked = random() % 2;
    e.created = random() % 4 ? DateStamp::fromLocal(2020, 1, 1, 0, 0, random() % 30) : DateStamp();
    e.accessed = e.modified = e.created;
    return e;
  };
  auto key = [](const FileEntry& e) {
    QStringList k;
    for (int column = 0; column < 8; ++column) k << e.columnText(ListColumn(column));
    k << QString::number(e.ticked);
    return k;
  };
  // The second round has the window's merge during a long add, which leaves sorting off,
  // among the added rows; the third the same merge with its order found from a copy while
  // more rows came; the end must be the same.
  for (int round = 0; round < 24; ++round) {
    const int c = round % 8;
    const bool mergeMidway = round >= 8;
    const bool orderedElsewhere = round >= 16;
    const ListColumn column = ListColumn(c);
    for (bool ascending : {true, false}) {
      FileList list;
      list.setSortColumn(column, ascending);
      for (int i = 0; i < 60; ++i) list.append(randomEntry());
      list.setSortingEnabled(false);
      std::vector<FileEntry> added;
      for (int i = 0; i < 45; ++i) added.push_back(randomEntry());
      for (int i = 0; i < 45; ++i) {
        if (mergeMidway && i == 20) {
          if (orderedElsewhere) {
            FileList::WaitingOrder order = FileList::orderOf(list.waitingRows());
            for (; i < 25; ++i) list.append(added[std::size_t(i)]);
            const std::vector<FileEntry> later(list.rows().end() - 5, list.rows().end());
            ASSERT_TRUE(list.mergeWaitingRows(order));
            // The rows that came meanwhile wait at the end, as they came.
            for (std::size_t k = 0; k < later.size(); ++k)
              ASSERT_EQ(key(list.rows()[list.rows().size() - 5 + k]), key(later[k]));
            ASSERT_FALSE(list.mergeWaitingRows(order));  // used up: the list moved on
            list.mergeWaitingRows();                     // the rows that came meanwhile
          } else {
            list.mergeWaitingRows();
          }
          ASSERT_FALSE(list.isSortingEnabled());
          for (qint64 r = 1; r < list.count(); ++r)
            ASSERT_LE(vek::compareRows(list.at(r - 1), list.at(r), column, ascending), 0) << r;
        }
        list.append(added[std::size_t(i)]);
      }

      // Ties kept in the order the rows came in, which any order the list showed so far keeps.
      std::vector<FileEntry> expected = list.rows();
      std::stable_sort(
          expected.begin(), expected.end(), [&](const FileEntry& a, const FileEntry& b) {
            auto less = [&](const FileEntry& x, const FileEntry& y) {
              if (column == ListColumn::Size) return x.size < y.size;
              if (c >= 5) return x.columnText(column) < y.columnText(column);
              const int folded =
                  QString::compare(x.columnText(column), y.columnText(column), Qt::CaseInsensitive);
              return folded != 0 ? folded < 0 : x.columnText(column) < y.columnText(column);
            };
            return ascending ? less(a, b) : less(b, a);
          });

      list.setSortingEnabled(true);
      ASSERT_EQ(list.count(), qint64(expected.size()));
      for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(key(list.rows()[i]), key(expected[i])) << c << ascending << mergeMidway << i;
    }
  }
}

// The batch run: gather with sorting off, then sort by one key without flipping.
TEST(FileList, AnOrderFoundBeforeTheListChangedIsNotApplied) {
  // The order of waiting rows is found on another thread while the list may change; applied
  // to other rows it would put them in a wrong order.
  const std::vector<std::function<void(FileList&)>> changes = {
      [](FileList& list) {  // cleared, and as many rows come again
        list.clear();
        for (const char16_t* name : {u"x", u"y", u"z", u"w"})
          list.append(entry(QString::fromUtf16(name)));
      },
      [](FileList& list) { list.columnClicked(ListColumn::Size); },
      [](FileList& list) { list.setSortingEnabled(true); },
      [](FileList& list) { list.mergeWaitingRows(); },
      [](FileList& list) { list.setSortColumn(ListColumn::Extension, true); },
  };
  for (std::size_t k = 0; k < changes.size(); ++k) {
    FileList list;
    list.setSortingEnabled(false);
    for (const char16_t* name : {u"d", u"b", u"c", u"a"})
      list.append(entry(QString::fromUtf16(name)));
    const FileList::WaitingOrder waiting = FileList::orderOf(list.waitingRows());
    changes[k](list);
    const QStringList before = order(list);
    EXPECT_FALSE(list.mergeWaitingRows(waiting)) << k;
    EXPECT_EQ(order(list), before) << k;
  }
}

TEST(FileList, BatchSortByColumnKeepsTheDirection) {
  FileList list;
  list.setSortingEnabled(false);
  list.append(entry(u"b.txt"_s, 0, {}, u"/z/"_s));
  list.append(entry(u"c.txt"_s, 0, {}, u"/a/"_s));
  list.append(entry(u"a.txt"_s, 0, {}, u"/z/"_s));
  list.setSortingEnabled(true);
  list.setSortColumn(ListColumn::Folder, true);
  EXPECT_TRUE(list.sortAscending());
  EXPECT_EQ(order(list), names({u"c.txt", u"a.txt", u"b.txt"}));
}

TEST(FileList, HoldsMoreRowsThanSixteenBitsCount) {
  FileList list;
  list.setSortingEnabled(false);
  const qint64 n = 40'000;
  for (qint64 i = 0; i < n; ++i) list.append(entry(u"f%1"_s.arg(i), n - i));
  list.setTicked(n - 1, false);
  list.sortBySize();
  EXPECT_EQ(list.at(0).fileName(), u"f%1"_s.arg(n - 1));
  EXPECT_FALSE(list.at(0).ticked);
  EXPECT_EQ(list.at(n - 1).size, n);
  EXPECT_TRUE(list.isAlreadyListed(u"/data/f39999"_s));
  EXPECT_EQ(list.tickedCount(), n - 1);
  EXPECT_EQ(list.countCaption(), u"出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：40000ﾌｧｲﾙ"_s);
}

// Long lists are sorted on several threads and texts are compared eight units at a time: the
// order must still be the plain one (case-insensitive, then case-sensitive, then the earlier
// row first) for texts that share long beginnings, differ only in case, end where another goes
// on with a NUL, or hold Japanese, full-width letters and surrogate halves.
TEST(FileList, LongListsSortByTextExactlyAsTheRowByRowComparison) {
  std::mt19937 random(11);
  const char16_t alphabet[] = {u'a',
                               u'A',
                               u'b',
                               u'B',
                               u'_',
                               u'\0',
                               u'é',
                               u'É',
                               u'ﾃ',
                               u'デ',
                               u'ｆ',
                               u'Ｆ',
                               u'0',
                               u'9',
                               char16_t(0xD83D),
                               char16_t(0xDE00)};
  auto randomText = [&](int maxLength) {
    QString text;
    const int length = int(random() % std::uint32_t(maxLength + 1));
    for (int i = 0; i < length; ++i) text += QChar(alphabet[random() % std::size(alphabet)]);
    return text;
  };
  std::vector<QString> beginnings;
  for (int i = 0; i < 24; ++i) beginnings.push_back(randomText(i));
  auto folded = [](const QString& text) {
    std::u16string result;
    for (QChar c : text) {
      const char32_t f = QChar::toCaseFolded(char32_t(c.unicode()));
      result += f <= 0xFFFF ? char16_t(f) : char16_t(c.unicode());
    }
    return result;
  };

  // Few rows, with the sort made to share its work out as it does for long lists.
  const int rows = 5'000;
  vek::setRowsWorthSharingOut(1'000);
  struct Restore {
    ~Restore() { vek::setRowsWorthSharingOut(0); }
  } restore;
  std::vector<FileEntry> entries;
  for (int i = 0; i < rows; ++i) {
    FileEntry e;
    e.name = beginnings[random() % beginnings.size()] + randomText(int(random() % 12));
    e.extension = u"."_s + randomText(10);
    e.folder = u"/d/"_s;
    e.size = i;  // tells the rows apart
    entries.push_back(e);
  }
  for (ListColumn column : {ListColumn::Name, ListColumn::Extension}) {
    for (bool ascending : {true, false}) {
      FileList list;
      list.setSortingEnabled(false);
      list.appendBatch(entries);
      list.setSortColumn(column, ascending);
      list.setSortingEnabled(true);

      struct Keyed {
        std::u16string folded;
        std::u16string text;
        qint64 row;
      };
      std::vector<Keyed> expected;
      for (const FileEntry& e : entries) {
        const QString& text = column == ListColumn::Name ? e.name : e.extension;
        expected.push_back({folded(text),
                            std::u16string(QStringView(text).utf16(), std::size_t(text.size())),
                            e.size});
      }
      std::stable_sort(expected.begin(), expected.end(), [&](const Keyed& a, const Keyed& b) {
        return ascending ? std::tie(a.folded, a.text) < std::tie(b.folded, b.text)
                         : std::tie(b.folded, b.text) < std::tie(a.folded, a.text);
      });
      ASSERT_EQ(list.count(), rows);
      for (int i = 0; i < rows; ++i)
        ASSERT_EQ(list.at(i).size, expected[std::size_t(i)].row)
            << int(column) << ascending << " row " << i;
    }
  }
}

// The batch run sorts what it gathered in one pass: the order, and the sorting left on or off,
// of switching the list's sorting on and then sorting by the key, for every key.
TEST(FileList, OwnSortingThenAKeyInOnePassEqualsTheTwoSorts) {
  std::mt19937 random(5);
  const QString stems[] = {u"a"_s, u"A"_s, u"b"_s, u"Report 1"_s, u"report 1"_s, u"ｆｉｌｅ"_s};
  const QString folders[] = {u"/f/"_s, u"/F/"_s, u"/g/"_s, u"/データ/"_s};
  const QString types[] = {u"テキスト"_s, u"PNG 画像"_s, u"png 画像"_s};
  std::vector<FileEntry> rows;
  for (int i = 0; i < 3000; ++i) {
    FileEntry e = entry(stems[random() % 6] + u".t"_s + QString::number(random() % 3),
                        qint64(random() % 5), types[random() % 3], folders[random() % 4]);
    e.created =
        random() % 3 ? DateStamp::fromLocal(2024, 5, 1, 0, 0, int(random() % 4)) : DateStamp();
    e.accessed = DateStamp::fromLocal(2024, 5, 2, 0, 0, int(random() % 4));
    e.modified = DateStamp::fromLocal(2024, 5, 3, 0, int(random() % 4), 0);
    e.ticked = random() % 2;
    e.type += QString::number(i);  // every row told apart by its type text
    rows.push_back(e);
  }
  for (int c = 0; c < 8; ++c) {
    const ListColumn column = ListColumn(c);
    FileList twice;
    twice.setSortingEnabled(false);
    twice.appendBatch(rows);
    twice.setSortingEnabled(true);
    if (column == ListColumn::Size) {
      twice.setSortingEnabled(false);
      twice.sortBySize();
    } else {
      twice.setSortColumn(column, true);
    }
    FileList once;
    once.setSortingEnabled(false);
    once.appendBatch(rows);
    once.sortOwnThenBy(column);

    ASSERT_EQ(once.count(), twice.count());
    for (qint64 i = 0; i < once.count(); ++i) {
      ASSERT_EQ(once.at(i).type, twice.at(i).type) << c << " row " << i;
      ASSERT_EQ(once.at(i).ticked, twice.at(i).ticked);
    }
    EXPECT_EQ(once.isSortingEnabled(), twice.isSortingEnabled()) << c;
    EXPECT_EQ(once.sortColumn(), twice.sortColumn()) << c;
    EXPECT_EQ(once.sortAscending(), twice.sortAscending()) << c;
    EXPECT_EQ(once.tickedCount(), twice.tickedCount());
    EXPECT_EQ(once.bNumAsc(), twice.bNumAsc());
  }
}
