// Drops on the main window: files, folders with and without their subfolders, items without a
// local path, drops during an intake, and which controls take a drop.
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTimer>

#include <set>

#include "DialogTestSupport.h"
#include "WindowFixture.h"
#include "batch/BatchRun.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "ui/frmInfo.h"

namespace vek::test {
namespace {

class Drops : public WindowFixture {
 protected:
  void SetUp() override {
    tree.file(QStringLiteral("in/a.txt"));
    tree.file(QStringLiteral("in/b.log"));
    tree.file(QStringLiteral("in/sub/c.txt"));
    tree.file(QStringLiteral("in/sub/deep/d.txt"));
    tree.file(QStringLiteral("other/e.txt"));
    tree.file(QStringLiteral("in/.hidden"));
    open(tree.path(QStringLiteral("other")));
  }
  static std::unique_ptr<QMimeData> urls(const QList<QUrl>& list) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
  }
  // Drops data on the window and waits until its intake has ended.
  bool drop(const QMimeData& data) const {
    const bool taken = window->dropMimeData(data);
    waitForAdd();
    return taken;
  }
  QUrl local(const char* relative) const {
    return QUrl::fromLocalFile(tree.path(QString::fromLatin1(relative)));
  }
};

TEST_F(Drops, FilesAreAddedInTheOrderDropped) {
  window->list().setSortingEnabled(false);
  EXPECT_TRUE(drop(*urls({local("in/b.log"), local("in/sub/c.txt"), local("in/vanished.txt"),
                          local("in/.hidden"), local("in/a.txt")})));
  // The list's own sorting is on again afterwards: by name.
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_qs, u"b.log"_qs, u"c.txt"_qs}));
  EXPECT_EQ(frameCaption("frmFileList"), QStringLiteral("出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：3ﾌｧｲﾙ"));
  EXPECT_TRUE(dialogs.messages.empty());  // the vanished and the hidden file: skipped silently
}

TEST_F(Drops, AFolderAddsItsFilesOrItsWholeTreeAsDropFolderSays) {
  setFilter(QStringLiteral("*.txt"));
  drop(*urls({local("in")}));
  EXPECT_EQ(listedNames(), QStringList{u"a.txt"_qs});
  EXPECT_EQ(window->currentFolder(), tree.path(QStringLiteral("in")));  // the folder dropped
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Vek - ") + tree.path(QStringLiteral("in")));

  window->list().clear();
  window->settings().option.dropFolder = 1;
  bool progressSeen = false;
  QTimer watcher;
  watcher.setInterval(0);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (window->interaction().progressShown()) progressSeen = true;
  });
  watcher.start();
  drop(*urls({local("in")}));
  EXPECT_TRUE(progressSeen);
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_qs, u"c.txt"_qs, u"d.txt"_qs}));
  EXPECT_FALSE(window->interaction().progressShown());
  // After the intake the boxes show the last folder processed.
  EXPECT_EQ(window->currentFolder(), tree.path(QStringLiteral("in/sub/deep")));
}

// One walk feeds every add: the batch run, the window's subtree add and a folder dropped with
// its subfolders list the same rows from a tree of awkward names.
TEST_F(Drops, TheBatchRunAndTheWindowsAddsGiveTheSameRows) {
  for (const char* name :
       {"with space.txt", "comma,name.csv", "quote\"s'.txt", "new\nline.txt", "<&>.html",
        "日本語ファイル.txt", "😀emoji.png", ".hidden", "noext", "several.dots.in.name.tar.gz",
        "sub dir/ネスト/深い.doc", ".hid/visible.txt", "sub dir/.dotfile", "trailing space "}) {
    tree.file(u"awkward/"_qs + QString::fromUtf8(name), "x");
  }
  const QString start = tree.path(QStringLiteral("awkward"));
  const auto rowsOf = [](const FileList& list) {
    std::multiset<QString> rows;
    for (const FileEntry& row : list.rows())
      rows.insert(row.fullPath() + u'|' + row.relativePath() + u'|' + QString::number(row.size));
    return rows;
  };
  RecordingInteraction person;
  BatchRun run(tree.path(QStringLiteral("program")), tree.path(QStringLiteral("work/")), person);
  run.loadSettings();
  run.loadPresets();
  ASSERT_EQ(run.runBatch({u"/I"_qs, start, u"/C"_qs, u"/E"_qs, u"*.*"_qs, u"/O"_qs,
                          tree.path(QStringLiteral("work"))}),
            ExitCode::Success);
  const std::multiset<QString> batch = rowsOf(run.list());
  EXPECT_EQ(batch.size(), 12u);

  open(start);
  setFilter(QStringLiteral("*.*"));
  click("cmdAllAppend");
  EXPECT_EQ(rowsOf(window->list()), batch);
  window->list().clear();
  window->settings().option.dropFolder = 1;
  drop(*urls({QUrl::fromLocalFile(start)}));
  EXPECT_EQ(rowsOf(window->list()), batch);
}

TEST_F(Drops, AnItemWithoutALocalPathStopsTheIntakeWithItsMessage) {
  drop(
      *urls({local("in/a.txt"), QUrl(QStringLiteral("https://example.org/x")), local("in/b.log")}));
  EXPECT_EQ(listedNames(), QStringList{u"a.txt"_qs});  // added before the error: kept
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ｱｲﾃﾑ種別ｴﾗｰ"));
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(dialogs.messages[0].text,
            QStringLiteral("処理対象外のｱｲﾃﾑがﾄﾞﾛｯﾌﾟされました。\r\n"
                           "ﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟが可能なのは、ﾌｧｲﾙ及びﾌｫﾙﾀﾞのみとなっています。"));
  EXPECT_FALSE(window->isBusy());
  // Text without addresses is no drop at all.
  QMimeData text;
  text.setText(QStringLiteral("a.txt"));
  EXPECT_FALSE(window->dropMimeData(text));
}

// An address of another machine, or one that a NUL would cut to another file's name, names
// no file here: the intake stops with the item message, as for any item without a local path.
TEST_F(Drops, AddressesOfOtherHostsAndCutNamesAreNotFilesHere) {
  const QByteArray file =
      QUrl::fromLocalFile(tree.path(QStringLiteral("in/a.txt"))).path(QUrl::FullyEncoded).toUtf8();
  const QByteArray refusedUrls[] = {QByteArray("file://otherhost") + file,
                                    QByteArray("file://") + file + "%00.bak"};
  for (const QByteArray& refused : refusedUrls) {
    window->list().clear();
    dialogs.messages.clear();
    window->dropMimeData(*urls({local("in/b.log"), QUrl::fromEncoded(refused)}));
    EXPECT_EQ(listedNames(), QStringList{u"b.log"_qs}) << refused.constData();
    ASSERT_EQ(dialogs.messages.size(), 1u) << refused.constData();
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ｱｲﾃﾑ種別ｴﾗｰ"));
  }
}

TEST_F(Drops, ASecondDropDuringAnIntakeIsIgnored) {
  window->settings().option.dropFolder = 1;
  auto second = urls({local("other/e.txt")});
  EXPECT_TRUE(window->dropMimeData(*urls({local("in")})));
  ASSERT_TRUE(window->isBusy());  // the subtree is walked beside the window
  EXPECT_FALSE(window->dropMimeData(*second));
  waitForAdd();
  EXPECT_FALSE(listedNames().contains(QStringLiteral("e.txt")));
  EXPECT_TRUE(drop(*urls({local("other/e.txt")})));  // taken once the first is done
  EXPECT_TRUE(listedNames().contains(QStringLiteral("e.txt")));
}

TEST_F(Drops, ButtonsOfTheFolderChoiceAndXmlExportTakeNoDrop) {
  window->show();  // laid out, so that each point belongs to one control
  auto data = urls({local("in/a.txt")});
  const struct {
    const char* name;
    bool accepts;
  } controls[] = {{"cmdAppend", true},           {"cmdOutList", true},     {"cmdListClear", true},
                  {"cmdOutXML", false},          {"cmdDirectPath", false}, {"cmdEditFilter", false},
                  {"cmdBrowseForFolder", false}, {"cmdReadFilter", false}};
  for (const auto& control : controls) {
    QWidget* widget = child<QWidget>(control.name);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    EXPECT_EQ(enter.isAccepted(), control.accepts) << control.name;
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
  }
  // The drops on the three accepting buttons added the file three times; pressing none of them.
  EXPECT_EQ(window->list().count(), 3);
  EXPECT_TRUE(dialogs.filters.empty());
}

// The exclude box and the hidden-file option hold for drops as for the adds: a dropped file or
// folder inside the tree is taken only when an add would take it.
TEST_F(Drops, TheExcludeBoxAndTheHiddenFileOptionHoldForDrops) {
  typeIntoCombo(child<QComboBox>("cmbExclude"), QStringLiteral("*.log;deep"));
  window->settings().option.dropFolder = 1;
  drop(*urls({local("in/b.log"), local("in/.hidden"), local("in")}));
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_qs, u"c.txt"_qs}));

  window->list().clear();
  clickToFocus(child<QCheckBox>("chkHiddenFiles"));
  EXPECT_TRUE(child<QCheckBox>("chkHiddenFiles")->isChecked());
  drop(*urls({local("in/b.log"), local("in/.hidden")}));
  EXPECT_EQ(listedNames(), QStringList{u".hidden"_qs});
}

}  // namespace
}  // namespace vek::test
