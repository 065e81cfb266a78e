// ﾂｰﾙ → リストと比較 through the real window: the saved list is chosen in the file chooser, the
// shown folder walked as an add, and the list shows every file with its state.
#include <sys/stat.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>

#include "WindowFixture.h"
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

  // Clearing the list takes the state column away with the result.
  click("cmdListClear");
  EXPECT_TRUE(view->isColumnHidden(int(ListColumn::State)));
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
