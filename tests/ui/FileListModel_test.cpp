// The output list's Qt model: what the views are told when rows are appended, merged into the
// sorted order, reordered or cleared, checked by Qt's own model tester; the selection follows
// its row through a sort; ticks go to the list.
#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "support/QStringPrinter.h"
#include "ui/FileListModel.h"

namespace vek::test {
namespace {

FileEntry row(const QString& fileName, qint64 size = 0) {
  FileEntry entry;
  FileEntry::splitName(fileName, entry.name, entry.extension);
  entry.folder = QStringLiteral("/d/");
  entry.size = size;
  return entry;
}

QStringList shownNames(const FileListModel& model) {
  QStringList names;
  for (int r = 0; r < model.rowCount(); ++r) {
    names.append(model.index(r, 0).data().toString() + model.index(r, 1).data().toString());
  }
  return names;
}

TEST(FileListModel, AppendsAreAnnouncedInOneBatchAtTheEnd) {
  FileList list;
  FileListModel model(list);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  list.setSortingEnabled(false);
  for (const char* name : {"c", "a", "b"}) list.append(row(QString::fromLatin1(name)));
  EXPECT_EQ(model.rowCount(), 0);  // not yet told
  model.flush();
  EXPECT_EQ(inserted.size(), 1);
  EXPECT_EQ(shownNames(model), (QStringList{u"c"_qs, u"a"_qs, u"b"_qs}));
}

TEST(FileListModel, AppendsHeldDuringAnAddWaitForTheWindowsFlush) {
  // During an add the window announces rows a few times a second: the rows of each batch
  // must not reach the view at the next turn of the event loop as well.
  FileList list;
  FileListModel model(list);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  list.setSortingEnabled(false);
  model.holdAppends(true);
  for (const char* name : {"c", "a"}) list.append(row(QString::fromLatin1(name)));
  QCoreApplication::processEvents();
  EXPECT_EQ(model.rowCount(), 0);
  model.flush();  // the window's quarter-second showing
  EXPECT_EQ(model.rowCount(), 2);
  list.append(row(u"b"_qs));
  QCoreApplication::processEvents();
  EXPECT_EQ(model.rowCount(), 2);
  model.holdAppends(false);  // the add has ended
  EXPECT_EQ(shownNames(model), (QStringList{u"c"_qs, u"a"_qs, u"b"_qs}));
  EXPECT_EQ(inserted.size(), 2);
  // Not held: announced at the next turn of the event loop.
  list.append(row(u"d"_qs));
  QCoreApplication::processEvents();
  EXPECT_EQ(model.rowCount(), 4);
}

TEST(FileListModel, SortingAndMergesKeepTheSelectedRow) {
  FileList list;
  FileListModel model(list);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  QItemSelectionModel selection(&model);
  list.setSortingEnabled(false);
  for (const char* name : {"m", "c", "x"}) list.append(row(QString::fromLatin1(name)));
  model.flush();
  selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect);  // x

  list.setSortingEnabled(true);  // sorts by name
  EXPECT_EQ(shownNames(model), (QStringList{u"c"_qs, u"m"_qs, u"x"_qs}));
  EXPECT_EQ(selection.currentIndex().row(), 2);

  // Rows merged into the sorted order, some still waiting to be announced.
  list.setSortingEnabled(false);
  list.append(row(QStringLiteral("a")));
  list.append(row(QStringLiteral("n")));
  list.setSortingEnabled(true);
  EXPECT_EQ(shownNames(model), (QStringList{u"a"_qs, u"c"_qs, u"m"_qs, u"n"_qs, u"x"_qs}));
  EXPECT_EQ(selection.currentIndex().row(), 4);
  std::vector<FileEntry> batch;
  batch.push_back(row(QStringLiteral("b")));
  batch.push_back(row(QStringLiteral("z")));
  list.appendBatch(std::move(batch));
  model.flush();
  EXPECT_EQ(shownNames(model),
            (QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"m"_qs, u"n"_qs, u"x"_qs, u"z"_qs}));
  EXPECT_EQ(selection.currentIndex().data().toString(), QStringLiteral("x"));

  list.columnClicked(ListColumn::Name);  // descending
  EXPECT_EQ(shownNames(model).front(), QStringLiteral("z"));
  EXPECT_EQ(selection.currentIndex().data().toString(), QStringLiteral("x"));

  list.clear();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_FALSE(selection.currentIndex().isValid());
}

TEST(FileListModel, TicksGoToTheListAndSizesAlignRight) {
  FileList list;
  FileListModel model(list);
  list.append(row(QStringLiteral("a.txt"), 1234));
  model.flush();
  const QModelIndex tick = model.index(0, 0);
  EXPECT_TRUE(model.flags(tick) & Qt::ItemIsUserCheckable);
  EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);
  EXPECT_TRUE(model.setData(tick, Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_FALSE(list.at(0).ticked);
  EXPECT_FALSE(model.setData(model.index(0, 2), Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_EQ(model.index(0, 4).data().toString(), QStringLiteral("1234"));
  EXPECT_TRUE(model.index(0, 4).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
  EXPECT_TRUE(model.headerData(4, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
}

}  // namespace
}  // namespace vek::test
