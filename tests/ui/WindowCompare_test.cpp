// ﾂｰﾙ → リストと比較 through the real window: the saved list is chosen in the file chooser, the
// shown folder walked as an add, and the list shows every file with its state.
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "WindowFixture.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "ui/FileListModel.h"
#include "writers/JsonListExport.h"

namespace vek::test {
namespace {
using namespace Qt::StringLiterals;

class WindowCompare : public WindowFixture {
 protected:
  // Lists data/ and its subfolder in the window and saves the list as JSON.
  QString savedList() {
    tree.file(u"data/same.txt"_s, "s");
    tree.file(u"data/grows.txt"_s, "1");
    tree.file(u"data/sub/gone.txt"_s, "g");
    open(tree.path(u"data"_s));
    setFilter(u"*"_s);
    click("cmdAllAppend");
    EXPECT_EQ(window->list().count(), 3);
    const QString path = tree.path(u"saved.json"_s);
    RecordingInteraction quiet;
    EXPECT_TRUE(createJsonList(path, window->list(), window->settings(), quiet, u"t"_s,
                               tree.path(u"data"_s) + u'/'));
    return path;
  }
  // The saved list, then the tree changed (one file grown, one gone, one added) and compared
  // through ﾂｰﾙ → リストと比較, the question of replacing the list answered yes.
  void compared() {
    const QString saved = savedList();
    tree.file(u"data/grows.txt"_s, "12345");
    QFile::remove(tree.path(u"data/sub/gone.txt"_s));
    tree.file(u"data/sub/added.txt"_s, "a");
    // The list sorted by size before: the arrow must not stay there.
    child<QTreeView>("lvWriteList")->header()->sectionClicked(int(ListColumn::Size));
    dialogs.openFiles = {saved};
    dialogs.messages.clear();
    dialogs.questions.clear();
    child<QAction>("mCompare")->trigger();
    waitForAdd();
    dialogs.questions.clear();
  }
  QAction* rowAction(const char* name) const {
    for (QAction* action : child<QTreeView>("lvWriteList")->actions())
      if (action->objectName() == QLatin1String(name)) return action;
    ADD_FAILURE() << name;
    return nullptr;
  }
  QString ticks() const {
    QString marks;
    for (const FileEntry& entry : window->list().rows()) marks += entry.ticked ? u'x' : u'.';
    return marks;
  }
  QStringList states() const {
    QStringList result;
    const FileListModel& model = window->listModel();
    for (int row = 0; row < model.rowCount(); ++row) {
      result += model.index(row, int(ListColumn::Name)).data().toString() +
                model.index(row, int(ListColumn::Extension)).data().toString() + u' ' +
                model.index(row, int(ListColumn::State)).data().toString();
    }
    return result;
  }
};

TEST_F(WindowCompare, TheListShowsEachFilesStateAndTheCounts) {
  const QString saved = savedList();
  auto* view = child<QTreeView>("lvWriteList");
  EXPECT_TRUE(view->isColumnHidden(int(ListColumn::State)));
  const QDateTime written = QFileInfo(tree.path(u"data/grows.txt"_s)).lastModified();
  tree.file(u"data/grows.txt"_s, "12345");
  {
    // Grown within the same second as it was listed: only its size tells.
    QFile grown(tree.path(u"data/grows.txt"_s));
    ASSERT_TRUE(grown.open(QIODevice::ReadWrite) &&
                grown.setFileTime(written, QFileDevice::FileModificationTime));
  }
  QFile::remove(tree.path(u"data/sub/gone.txt"_s));
  tree.file(u"data/sub/added.txt"_s, "a");

  dialogs.openFiles = {saved};
  dialogs.messages.clear();
  child<QAction>("mCompare")->trigger();
  waitForAdd();
  ASSERT_EQ(dialogs.questions.size(), 1u);  // the list is replaced: asked first

  EXPECT_FALSE(view->isColumnHidden(int(ListColumn::State)));
  EXPECT_EQ(view->model()->headerData(int(ListColumn::State), Qt::Horizontal).toString(),
            u"状態"_s);
  QStringList shown = states();
  shown.sort();
  EXPECT_EQ(shown, (QStringList{u"added.txt 追加"_s, u"gone.txt 削除"_s,
                                u"grows.txt 変更（サイズ 1 → 5）"_s, u"same.txt 同じ"_s}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, u"比較の結果"_s);
  // The batch run's summary (CompareProcess) under the list's path.
  EXPECT_EQ(dialogs.messages[0].text, saved +
                                          u"\r\n同じ 1　追加 1　削除 1　変更 1　移動 0　未確認 0"
                                          u"（比較した項目: 名前・サイズ・更新日付）"_s);

  // A click on the state column's header sorts by it.
  window->show();
  view->scrollTo(view->model()->index(0, int(ListColumn::State)));
  QHeaderView* header = view->header();
  const QPoint at(header->sectionViewportPosition(int(ListColumn::State)) + 5,
                  header->height() / 2);
  ASSERT_EQ(header->logicalIndexAt(at), int(ListColumn::State));
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
  // The list's one direction flips with every click: after the add's ascending name order,
  // this click sorts by state descending.
  EXPECT_EQ(states(), (QStringList{u"grows.txt 変更（サイズ 1 → 5）"_s, u"gone.txt 削除"_s,
                                   u"added.txt 追加"_s, u"same.txt 同じ"_s}));

  // Clearing the list takes the state column away with the result, to its own place.
  click("cmdListClear");
  EXPECT_TRUE(view->isColumnHidden(int(ListColumn::State)));
  EXPECT_EQ(header->visualIndex(int(ListColumn::State)), int(ListColumn::State));
}

TEST_F(WindowCompare, TheStateIsInSightAndTheDifferencesCanBeActedOn) {
  open();
  // Nothing to act on before a comparison.
  EXPECT_FALSE(rowAction("actDifferencesOnly")->isEnabled());
  EXPECT_FALSE(rowAction("actUntickSame")->isEnabled());
  compared();
  auto* view = child<QTreeView>("lvWriteList");
  window->show();
  QCoreApplication::processEvents();
  // The first column, at the list's left edge: read at the first width without scrolling.
  QHeaderView* header = view->header();
  EXPECT_EQ(header->visualIndex(int(ListColumn::State)), 0);
  EXPECT_EQ(header->sectionViewportPosition(int(ListColumn::State)), 0);
  EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
  // The arrow shows the order the rows are in.
  if (window->list().isSortingEnabled())
    EXPECT_EQ(header->sortIndicatorSection(), int(window->list().sortColumn()));
  else
    EXPECT_EQ(header->sortIndicatorSection(), -1);

  // Each state counted; the removed file, which no longer exists, apart from the size.
  QCoreApplication::processEvents();
  EXPECT_EQ(child<QLabel>("lblStates")->accessibleName(), u"同じ 1　追加 1　削除 1　変更 1"_s);
  EXPECT_TRUE(child<QLabel>("lblStates")->isVisible());
  EXPECT_EQ(window->list().tickedBytes(), 1 + 5 + 1);  // same, grows and added: not gone
  EXPECT_EQ(child<QLabel>("lblTotals")->accessibleName(),
            u"ﾁｪｯｸ済み：3 ﾌｧｲﾙ　合計 7 バイト　＋削除 1"_s);

  // Differences only, by its check box: the same row is hidden, every row keeps its tick.
  auto* onlyBox = child<QCheckBox>("chkDifferencesOnly");
  ASSERT_TRUE(onlyBox->isVisible());
  onlyBox->click();
  EXPECT_TRUE(rowAction("actDifferencesOnly")->isChecked());
  QStringList shown = states();
  shown.sort();
  EXPECT_EQ(shown, (QStringList{u"added.txt 追加"_s, u"gone.txt 削除"_s,
                                u"grows.txt 変更（サイズ 1 → 5）"_s}));
  // Space on a shown row ticks that file, not the row of the same number in the whole list.
  QApplication::setActiveWindow(window.get());
  view->setFocus(Qt::MouseFocusReason);
  const int row = int(states().indexOf(u"gone.txt 削除"_s));
  view->setCurrentIndex(view->model()->index(row, int(ListColumn::Folder)));
  QTest::keyClick(view, Qt::Key_Space);
  for (const FileEntry& entry : window->list().rows())
    EXPECT_EQ(entry.ticked, entry.fileName() != u"gone.txt"_s) << entry.fileName().toStdString();
  QCoreApplication::processEvents();
  EXPECT_EQ(child<QLabel>("lblTotals")->accessibleName(), u"ﾁｪｯｸ済み：3 ﾌｧｲﾙ　合計 7 バイト"_s);
  // A sort under the filter keeps to the shown rows.
  header->sectionClicked(int(ListColumn::Name));
  EXPECT_EQ(view->model()->rowCount(), 3);

  // Untick the same rows, from the menu, while they are hidden; then all rows again.
  rowAction("actUntickSame")->trigger();
  rowAction("actDifferencesOnly")->trigger();
  EXPECT_FALSE(onlyBox->isChecked());
  EXPECT_EQ(view->model()->rowCount(), 4);
  for (const FileEntry& entry : window->list().rows()) {
    EXPECT_EQ(entry.ticked,
              entry.state != CompareState::Same && entry.state != CompareState::Removed)
        << entry.fileName().toStdString();
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(child<QLabel>("lblTotals")->accessibleName(), u"ﾁｪｯｸ済み：2 ﾌｧｲﾙ　合計 6 バイト"_s);
}

TEST_F(WindowCompare, AnAddAfterAComparisonAsksToEndItFirst) {
  for (const bool end : {false, true}) {
    SCOPED_TRACE(end);
    QDir(tree.path(u"data"_s)).removeRecursively();
    compared();
    dialogs.yes = end;
    click("cmdAllAppend");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.contains(u"（1 件）"_s))
        << dialogs.questions[0].text.toStdString();
    auto* view = child<QTreeView>("lvWriteList");
    QStringList paths;
    qint64 withState = 0;
    for (const FileEntry& entry : window->list().rows()) {
      paths += entry.fullPath();
      withState += entry.state != CompareState::None;
    }
    paths.removeDuplicates();
    if (end) {
      // An ordinary list of what is there now, then the add's rows (the same files again, as
      // every add without the duplicate check gives): no state, no file that is gone.
      EXPECT_EQ(listedNames().size(), 6);
      EXPECT_EQ(paths.size(), 3);
      EXPECT_FALSE(paths.contains(tree.path(u"data/sub/gone.txt"_s)));
      EXPECT_EQ(withState, 0);
      EXPECT_TRUE(view->isColumnHidden(int(ListColumn::State)));
      EXPECT_FALSE(child<QCheckBox>("chkDifferencesOnly")->isVisible());
    } else {
      // A drop asks the same; the comparison stays as it was and nothing was added.
      QMimeData dropped;
      dropped.setUrls({QUrl::fromLocalFile(tree.path(u"data/same.txt"_s))});
      EXPECT_FALSE(window->dropMimeData(dropped));
      EXPECT_EQ(dialogs.questions.size(), 2u);
      EXPECT_EQ(withState, 4);
      EXPECT_EQ(paths.size(), 4);
      EXPECT_FALSE(view->isColumnHidden(int(ListColumn::State)));
    }
  }
}

TEST_F(WindowCompare, AListOfAnotherFolderIsNamedBeforeTheComparison) {
  const QString saved = savedList();
  tree.file(u"other/same.txt"_s, "s");
  for (const bool goOn : {false, true}) {
    SCOPED_TRACE(goOn);
    ASSERT_TRUE(window->setFolderPath(tree.path(u"other"_s)));
    dialogs.questions.clear();
    dialogs.yes = goOn;
    dialogs.openFiles = {saved};
    child<QAction>("mCompare")->trigger();
    waitForAdd();
    ASSERT_FALSE(dialogs.questions.empty());
    const QString asked = dialogs.questions[0].text;
    EXPECT_TRUE(asked.contains(tree.path(u"data"_s)) && asked.contains(tree.path(u"other"_s)))
        << asked.toStdString();
    EXPECT_EQ(window->list().rows().front().state != CompareState::None, goOn);
  }
}

TEST_F(WindowCompare, AListThatCannotBeReadChangesNothing) {
  savedList();
  tree.file(u"broken.json"_s, "{\"format\":\"vek-file-list\",\"version\":1,\"rows\":[\n{\"fo");
  ::mkfifo(QFile::encodeName(tree.path(u"fifo.json"_s)).constData(), 0600);
  // Read off the window's thread: a FIFO is refused, never waited for.
  for (const auto& [name, expected] :
       {std::pair(u"broken.json"_s, u"2 行目: リストが途中で切れています"_s),
        std::pair(u"fifo.json"_s, u"通常のファイルではありません: FIFO"_s)}) {
    dialogs.openFiles = {tree.path(name)};
    dialogs.messages.clear();
    child<QAction>("mCompare")->trigger();
    waitForAdd();
    EXPECT_FALSE(window->isBusy());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(expected))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(window->list().count(), 3);
    EXPECT_TRUE(dialogs.questions.empty());
  }
}

}  // namespace
}  // namespace vek::test
