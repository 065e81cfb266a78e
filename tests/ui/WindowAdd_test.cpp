// The adds of the main window, walked beside its event loop: キャンセル and the error box's
// choices end an add at once with the rows so far, a hung folder read does not hold the window,
// and the sort arrow follows the list after an add.
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>

#include "WindowFixture.h"
#include "support/MissingHere.h"
#include "support/QStringPrinter.h"
#include "support/SlowMount.h"
#include "support/Unprivileged.h"
#include "ui/FileListModel.h"
#include "ui/IncompleteNotice.h"
#include "ui/frmInfo.h"

namespace vek::test {
namespace {
using namespace Qt::StringLiterals;

class WindowAdd : public WindowFixture {
 protected:
  // Six folders d000..d005 of three files; the folders named in broken also list a file
  // whose information cannot be read. Null when no FUSE file system can be mounted here.
  std::unique_ptr<SlowMount> mountTree(std::vector<int> broken) {
    auto mount = std::make_unique<SlowMount>(
        SlowMount::Options{.folders = 6, .files = 3, .broken = std::move(broken)});
    if (!mount->unavailable().isEmpty()) {
      skipReason = mount->unavailable().toStdString();
      skipForbidden = mount->forbidden();
      return nullptr;
    }
    open(mount->path());
    return mount;
  }
  std::string skipReason;
  bool skipForbidden = false;
  void pressCancel() const {
    auto* info = window->findChild<frmInfo*>(QStringLiteral("frmInfo"));
    ASSERT_TRUE(info && info->isVisible());
    info->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
  }
  void expectIdleAt(const QString& folder, qint64 rows) const {
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(window->listModel().rowCount(), rows);
    EXPECT_FALSE(window->interaction().progressShown());
    EXPECT_TRUE(child<QPushButton>("cmdAppend")->isEnabled());
    EXPECT_EQ(window->currentFolder(), folder);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vek - ") + folder);
    EXPECT_EQ(frameCaption("frmFileList"), QStringLiteral("出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：") +
                                               QString::number(rows) + QStringLiteral("ﾌｧｲﾙ"));
  }
};

TEST_F(WindowAdd, CancelDuringASubtreeAddKeepsTheRowsAddedSoFar) {
  auto mount = mountTree({2});
  if (!mount) VEK_SKIP_OR_FAIL_IN_CI(!skipForbidden, skipReason);
  // キャンセル is pressed while the error box of the third folder is up.
  dialogs.onMessage = [&](const Message&) { pressCancel(); };
  click("cmdAllAppend");
  const qint64 rows = window->list().count();
  EXPECT_EQ(rows, 9);  // the first three folders' readable files
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ファイル取得エラー"));
  expectIdleAt(mount->path(), rows);  // back at the start folder

  // The next add is not stopped by the earlier キャンセル.
  dialogs.onMessage = nullptr;
  click("cmdAllAppend");
  EXPECT_EQ(window->list().count(), rows + 18);
}

TEST_F(WindowAdd, AnErrorBoxCanStopTheAddKeepingItsRows) {
  auto mount = mountTree({1, 3});
  if (!mount) VEK_SKIP_OR_FAIL_IN_CI(!skipForbidden, skipReason);
  dialogs.failureAnswer = FailureAnswer::StopAdd;
  click("cmdAllAppend");
  EXPECT_EQ(dialogs.messages.size(), 1u);  // the second folder's box, no other
  EXPECT_EQ(window->list().count(), 6);
  expectIdleAt(mount->path(), 6);
}

TEST_F(WindowAdd, AnErrorBoxCanSilenceTheRestWhichAreCountedOnceAtTheEnd) {
  auto mount = mountTree({0, 2, 5});
  if (!mount) VEK_SKIP_OR_FAIL_IN_CI(!skipForbidden, skipReason);
  dialogs.failureAnswer = FailureAnswer::Quiet;
  click("cmdAllAppend");
  EXPECT_EQ(window->list().count(), 18);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("ファイル取得エラー"));
  EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("ファイル取得エラー"));
  EXPECT_EQ(dialogs.messages[1].text,
            QStringLiteral("ほかに 2 件のファイルの情報取得に失敗しました。\r\n\r\n"
                           "これらのファイルはリストに追加されません。"));
  // The next add shows its boxes again.
  dialogs.failureAnswer = FailureAnswer::Continue;
  dialogs.messages.clear();
  click("cmdAllAppend");
  EXPECT_EQ(dialogs.messages.size(), 3u);
}

// A subtree add over folders that cannot be read (as nobody, so the modes count) adds what it
// can and ends naming each of them with the system's reason; the line under the list says how
// many were skipped. The notice's copy button puts the whole list on the clipboard.
TEST_F(WindowAdd, AnAddNamesWhatItCouldNotReadAndCountsItUnderTheList) {
  tree.file(QStringLiteral("t/ok.txt"), "1");
  for (int i = 0; i < 12; ++i)
    tree.file(QStringLiteral("t/closed%1/x.txt").arg(i, 2, 10, QChar(u'0')), "x");
  const QString top = tree.path(QStringLiteral("t"));
  for (int i = 0; i < 12; ++i) {
    QFile::setPermissions(top + QStringLiteral("/closed%1").arg(i, 2, 10, QChar(u'0')),
                          QFileDevice::Permissions());
  }
  openToOthers({tree.root()});
  const bool named = runAsUnprivileged([&] {
    open(top);
    click("cmdAllAppend");
    if (window->list().count() != 1 || dialogs.notices.size() != 1) return false;
    const QStringList lines = dialogs.notices[0].text.split(QStringLiteral("\r\n"));
    const QStringList copied = dialogs.wholeLists[0].split(u'\n', Qt::SkipEmptyParts);
    auto* skipped = child<QLabel>("lblSkipped");
    EXPECT_EQ(lines.size(), 2 + 10 + 1) << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.value(0),
              QStringLiteral("次の 12 件を読み取れなかったため、リストは完全ではありません:"));
    EXPECT_EQ(lines.value(2), top + QStringLiteral("/closed00/: Permission denied"));
    EXPECT_EQ(lines.value(12), QStringLiteral("ほか 2 件"));
    EXPECT_EQ(copied.size(), 12);
    EXPECT_EQ(copied.value(11), top + QStringLiteral("/closed11/: Permission denied"));
    EXPECT_TRUE(skipped->isVisibleTo(window.get()));
    EXPECT_EQ(skipped->text(), QStringLiteral("読み取れず除外 12件　"));

    // The notice as the window shows it: its copy button copies every line and stays open.
    IncompleteNotice notice(window.get(), dialogs.notices[0], dialogs.wholeLists[0]);
    notice.show();
    notice.findChild<QPushButton*>(QStringLiteral("cmdCopyList"))->click();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dialogs.wholeLists[0]);
    child<QPushButton>("cmdListClear")->click();
    EXPECT_FALSE(skipped->isVisibleTo(window.get()));
    return !::testing::Test::HasFailure();
  });
  for (int i = 0; i < 12; ++i) {
    QFile::setPermissions(top + QStringLiteral("/closed%1").arg(i, 2, 10, QChar(u'0')),
                          QFileDevice::Permissions(0x7700));
  }
  EXPECT_TRUE(named);
}

// A folder deleted after it was chosen: either add button says so, naming the folder and the
// system's reason, adds nothing and shows the nearest folder above that is there.
TEST_F(WindowAdd, AnAddOfAFolderDeletedSinceItWasChosenSaysSo) {
  for (const char* button : {"cmdAppend", "cmdAllAppend"}) {
    SCOPED_TRACE(button);
    tree.file(u"keep/gone/a.txt"_s, "a");
    const QString gone = tree.path(u"keep/gone"_s);
    open(gone);
    dialogs.messages.clear();
    ASSERT_TRUE(QDir(gone).removeRecursively());
    click(button);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              u"指定されたパスからファイル情報を取得できません。\r\nパスを確認してください。\r\n"
              "「"_s +
                  gone + u"」: No such file or directory"_s);
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(window->currentFolder(), tree.path(u"keep"_s));
    EXPECT_EQ(window->windowTitle(), u"Vek - "_s + tree.path(u"keep"_s));
  }
}

// Outside an add (an export hashing its files), what is reported waits while the progress
// window is open and then comes in one notice.
TEST_F(WindowAdd, ReportsOfAnExportComeInOneNoticeWhenItEnds) {
  open(tree.folder(QStringLiteral("e")));
  WindowInteraction& interaction = window->interaction();
  interaction.showProgress(u"ハッシュ値を計算中"_s, QString(), QString(), 0, 2);
  interaction.reportIncomplete(u"/e/a.txt"_s, u"Input/output error"_s);
  interaction.reportIncomplete(u"/e/b\nc.txt"_s, u"Permission denied"_s);
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(dialogs.notices.empty());
  interaction.closeProgress();
  while (dialogs.notices.empty() && waited.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  ASSERT_EQ(dialogs.notices.size(), 1u);
  EXPECT_EQ(dialogs.wholeLists[0],
            u"/e/a.txt: Input/output error\n/e/b\\nc.txt: Permission denied\n"_s);
}

TEST_F(WindowAdd, TheSortArrowFollowsTheListAfterAnAdd) {
  tree.file(QStringLiteral("s/b.txt"), "12");
  tree.file(QStringLiteral("s/a.txt"), "1");
  open(tree.path(QStringLiteral("s")));
  QHeaderView* header = child<QTreeView>("lvWriteList")->header();
  click("cmdAppend");
  header->sectionClicked(int(ListColumn::Size));
  EXPECT_EQ(header->sortIndicatorSection(), int(ListColumn::Size));
  // The add sorts by the list's own sorting again: by name, ascending.
  click("cmdAppend");
  EXPECT_EQ(listedNames(), (QStringList{u"a.txt"_qs, u"a.txt"_qs, u"b.txt"_qs, u"b.txt"_qs}));
  EXPECT_EQ(header->sortIndicatorSection(), int(ListColumn::Name));
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(WindowAdd, CancelAnswersWhileAFolderReadHangs) {
  SlowMount mount({.folders = 2, .files = 2, .stuck = true, .broken = {}});
  if (!mount.unavailable().isEmpty())
    VEK_SKIP_OR_FAIL_IN_CI(!mount.forbidden(), mount.unavailable().toStdString());
  open(mount.path());
  child<QPushButton>("cmdAllAppend")->click();
  // The click returned while the walk goes on: the window is in its own event loop.
  ASSERT_TRUE(window->isBusy());
  ASSERT_TRUE(mount.waitUntilStuck());
  bool answered = false;
  QTimer::singleShot(0, window.get(), [&] { answered = true; });
  while (!answered) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_TRUE(window->isBusy());  // the listing still hangs

  bool finished = false;
  QObject::connect(window.get(), &frmVek::addFinished, [&] { finished = true; });
  pressCancel();
  // Ended by the press itself, before the hung read returns: the walk is not waited for.
  EXPECT_TRUE(finished);
  expectIdleAt(mount.path(), 0);
}

}  // namespace
}  // namespace vek::test

namespace vek::test {
namespace {

class WindowClose : public WindowFixture {};

TEST_F(WindowClose, ClosingDuringAHungAddEndsItAndSavesTheSettings) {
  SlowMount mount({.folders = 1, .files = 1, .delayMs = 0, .stuck = true, .broken = {}});
  if (!mount.unavailable().isEmpty())
    VEK_SKIP_OR_FAIL_IN_CI(!mount.forbidden(), mount.unavailable().toStdString());
  open(mount.path());
  window->show();
  child<QPushButton>("cmdAllAppend")->click();
  ASSERT_TRUE(mount.waitUntilStuck());
  // The window closes although the walk still hangs; it is left behind.
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isBusy());
  EXPECT_FALSE(window->interaction().progressShown());
  EXPECT_TRUE(iniText().contains(mount.path())) << iniText().toStdString();  // the folder shown
}

}  // namespace
}  // namespace vek::test
