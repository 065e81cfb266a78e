// The output list as a person works in it all day: many rows selected by mouse and keys, Space
// from any column, the row actions of the context menu, the copy a spreadsheet pastes as cells,
// the folder opened, the status line read whole at the first width, the name column and Clear.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "WindowFixture.h"
#include "core/messages/PrintedPath.h"
#include "support/ClipboardTables.h"
#include "support/QStringPrinter.h"
#include "ui/FileListModel.h"
#include "ui/OutputListPane.h"

using namespace Qt::StringLiterals;

namespace vek::test {
namespace {

class OutputListRows : public WindowFixture {
 protected:
  // The window at its first size with the files of folder "d" listed, the list in focus.
  QTreeView* listed(const QStringList& names) {
    for (const QString& name : names) tree.file(u"d/"_s + name, "x");
    open(tree.path(u"d"_s));
    click("cmdAppend");
    window->show();
    QApplication::setActiveWindow(window.get());
    auto* view = child<QTreeView>("lvWriteList");
    view->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    return view;
  }
  void clickRow(QTreeView* view, int row, Qt::KeyboardModifiers modifiers = {}) const {
    const QModelIndex cell = window->listModel().index(row, int(ListColumn::Folder));
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(cell).center());
  }
  static void key(int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
  }
  // The context menu's action, as the person picks it.
  static void pick(QTreeView* view, const char* name) {
    for (QAction* action : view->actions()) {
      if (action->objectName() == QLatin1String(name)) {
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
        return;
      }
    }
    FAIL() << name;
  }
  QString ticks() const {
    QString marks;
    for (const FileEntry& entry : window->list().rows()) marks += entry.ticked ? u'x' : u'.';
    return marks;
  }
};

TEST_F(OutputListRows, SpaceTicksFromAnyColumnAndFollowsTheCurrentRowForTheSelection) {
  QTreeView* view = listed({u"a"_s, u"b"_s, u"c"_s, u"d"_s});
  clickRow(view, 1);  // the path column's cell
  ASSERT_EQ(view->currentIndex().column(), int(ListColumn::Folder));
  key(Qt::Key_Space);
  EXPECT_EQ(ticks(), u"x.xx"_s);
  key(Qt::Key_Space);
  EXPECT_EQ(ticks(), u"xxxx"_s);
  // Rows 0 to 2 by Shift+arrows from the first; row 2 is ticked, so all three lose the tick.
  clickRow(view, 1);
  key(Qt::Key_Space);
  clickRow(view, 0);
  key(Qt::Key_Down, Qt::ShiftModifier);
  key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(view->selectionModel()->selectedRows().size(), 3);
  key(Qt::Key_Space);
  EXPECT_EQ(ticks(), u"...x"_s);
  key(Qt::Key_Space);
  EXPECT_EQ(ticks(), u"xxxx"_s);
}

TEST_F(OutputListRows, TheContextMenuTicksUnticksAndInvertsInOneChangeEach) {
  QTreeView* view = listed({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
  QSignalSpy changes(&window->listModel(), &QAbstractItemModel::dataChanged);
  clickRow(view, 0);
  clickRow(view, 2, Qt::ControlModifier);
  clickRow(view, 3, Qt::ControlModifier);
  const struct {
    const char* action;
    const char16_t* ticks;
  } steps[] = {{"actUntickSelected", u".x..x"},  // rows 0, 2 and 3
               {"actInvertSelected", u"xxxxx"}, {"actUntickAll", u"....."},
               {"actInvertSelected", u"x.xx."}, {"actTickSelected", u"x.xx."},
               {"actTickAll", u"xxxxx"}};
  qsizetype expectedChanges = 0;
  for (const auto& step : steps) {
    pick(view, step.action);
    EXPECT_EQ(ticks(), QString::fromUtf16(step.ticks)) << step.action;
    EXPECT_EQ(changes.size(), ++expectedChanges) << step.action;  // never one per row
  }
  // Ctrl+A and the keys of the menu.
  key(Qt::Key_A, Qt::ControlModifier);
  key(Qt::Key_Minus);
  EXPECT_EQ(ticks(), u"....."_s);
  key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(ticks(), u"xxxxx"_s);
  EXPECT_EQ(child<QLabel>("lblTotals")->text(), u"ﾁｪｯｸ済み：5 ﾌｧｲﾙ　合計 5 バイト"_s);
}

TEST_F(OutputListRows, CtrlCCopiesTheRowsAsTextAndATableThatKeepAwkwardNamesInTheirCells) {
  const QStringList names = {u"tab\there.txt"_s, u"line\nend.txt"_s, u"q\"uote <&> 001"_s,
                             u"  two  spaces "_s, u"報告書001.txt"_s};
  QTreeView* view = listed(names);
  // The columns as shown: the path column moved first.
  view->header()->moveSection(int(ListColumn::Folder), 0);
  key(Qt::Key_A, Qt::ControlModifier);
  key(Qt::Key_C, Qt::ControlModifier);
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(copied->hasText() && copied->hasHtml());
  const ClipboardTables tables = readClipboardTables(copied->text(), copied->html());
  ASSERT_TRUE(tables.read) << tables.error.toStdString();
  const FileListModel& model = window->listModel();
  QList<QStringList> expected;
  QStringList header;
  for (int visual = 0; visual < view->header()->count(); ++visual) {
    const int column = view->header()->logicalIndex(visual);
    if (!view->header()->isSectionHidden(column))
      header.append(model.headerData(column, Qt::Horizontal).toString());
  }
  expected.append(header);
  for (int row = 0; row < model.rowCount(); ++row) {
    QStringList cells;
    for (int visual = 0; visual < view->header()->count(); ++visual) {
      const int column = view->header()->logicalIndex(visual);
      if (!view->header()->isSectionHidden(column))
        cells.append(model.index(row, column).data().toString());
    }
    expected.append(cells);
  }
  EXPECT_EQ(header.first(), u"ﾊﾟｽ"_s);
  EXPECT_EQ(header.size(), 9);  // the state column only after a comparison
  EXPECT_EQ(tables.tsv, expected);
  EXPECT_EQ(tables.html, expected);

  // The full paths: one a line, a line end in a name written as in every report.
  clickRow(view, 0);
  clickRow(view, 1, Qt::ShiftModifier);
  pick(view, "actCopyPaths");
  EXPECT_EQ(QApplication::clipboard()->text(),
            printedPath(window->list().at(0).fullPath()) + u'\n' +
                printedPath(window->list().at(1).fullPath()) + u'\n');
  EXPECT_EQ(QApplication::clipboard()->text().count(u'\n'), 2);
}

TEST_F(OutputListRows, OpenTheFolderGoesToTheOpenerAndClearStartsAtTheLeftEdge) {
  QStringList names;
  for (int i = 1; i <= 30; ++i) names.append(u"報告書%1.txt"_s.arg(i, 3, 10, QChar(u'0')));
  QTreeView* view = listed(names);
  clickRow(view, 4);
  pick(view, "actOpenFolder");
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].toLocalFile(), tree.path(u"d/"_s));

  // The name column shows the whole name.
  QHeaderView* header = view->header();
  const int nameWidth = header->sectionSize(int(ListColumn::Name));
  EXPECT_GE(nameWidth,
            static_cast<QAbstractItemView*>(view)->sizeHintForColumn(int(ListColumn::Name)));
  QScrollBar* sideways = view->horizontalScrollBar();
  ASSERT_GT(sideways->maximum(), 0);
  sideways->setValue(sideways->maximum());
  click("cmdListClear");
  EXPECT_EQ(sideways->value(), 0);
  EXPECT_LT(header->sectionSize(int(ListColumn::Name)), nameWidth);
}

TEST_F(OutputListRows, EveryPartOfTheStatusLineReadsWholeAtTheFirstWidth) {
  // Names a Windows or Mac recipient cannot take, a megabyte, and what could not be read.
  tree.file(u"d/big.bin"_s, QByteArray(1500000, 'x'));
  QTreeView* view = listed({u"aux.txt"_s, u"a:b.txt"_s, u"Thumbs.db"_s, u"trail."_s});
  (void)view;
  window->findChild<OutputListPane*>()->showSkipped(12);
  QCoreApplication::processEvents();
  for (const char* name : {"lblTotals", "lblNoted", "lblSkipped", "lblComment"}) {
    auto* label = child<QLabel>(name);
    ASSERT_TRUE(label->isVisible()) << name;
    EXPECT_GE(label->width(), label->sizeHint().width()) << name;
  }
  EXPECT_TRUE(child<QLabel>("lblTotals")->text().contains(u"1,500,"_s));
}

}  // namespace
}  // namespace vek::test
