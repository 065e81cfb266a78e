// The window's part of a delivery list: the totals of the ticked rows under the list, and an
// export with a digest column and a checksum file under the progress window, whose キャンセル
// leaves the old list as it was.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QTreeView>

#include "DialogTestSupport.h"
#include "WindowFixture.h"
#include "support/QStringPrinter.h"
#include "ui/FileListModel.h"
#include "ui/frmInfo.h"
#include "ui/frmOutText.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

class WindowDelivery : public test::WindowFixture {
 protected:
  // The label as the person sees it once the window has handled what happened.
  QString totals() const {
    QCoreApplication::processEvents();
    return child<QLabel>("lblTotals")->text();
  }
};

TEST_F(WindowDelivery, TotalsFollowTicksAddsSortsAndClear) {
  tree.file(u"d/a.txt"_s, QByteArray(1000, 'a'));
  tree.file(u"d/b.txt"_s, QByteArray(2000, 'b'));
  tree.file(u"d/c.txt"_s, QByteArray(3000, 'c'));
  open(tree.path(u"d"_s));
  EXPECT_EQ(totals(), u"ﾁｪｯｸ済み：0 ﾌｧｲﾙ　合計 0 バイト"_s);
  click("cmdAppend");
  EXPECT_EQ(totals(), u"ﾁｪｯｸ済み：3 ﾌｧｲﾙ　合計 5.9 KB（6,000 バイト）"_s);

  // Space on the current row unticks it, as in any list with check boxes.
  auto* view = child<QTreeView>("lvWriteList");
  window->show();
  QApplication::setActiveWindow(window.get());
  view->setFocus(Qt::MouseFocusReason);
  view->setCurrentIndex(window->listModel().index(1, 0));  // b.txt
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  ASSERT_FALSE(window->list().at(1).ticked);
  EXPECT_EQ(totals(), u"ﾁｪｯｸ済み：2 ﾌｧｲﾙ　合計 3.9 KB（4,000 バイト）"_s);

  // A sort moves rows, not ticks; a second add adds to the totals.
  Q_EMIT view->header()->sectionClicked(int(ListColumn::Size));
  EXPECT_EQ(totals(), u"ﾁｪｯｸ済み：2 ﾌｧｲﾙ　合計 3.9 KB（4,000 バイト）"_s);
  click("cmdAppend");
  EXPECT_EQ(totals(), u"ﾁｪｯｸ済み：5 ﾌｧｲﾙ　合計 9.8 KB（10,000 バイト）"_s);
  click("cmdListClear");
  EXPECT_EQ(totals(), u"ﾁｪｯｸ済み：0 ﾌｧｲﾙ　合計 0 バイト"_s);
}

TEST_F(WindowDelivery, DigestsAreReadUnderTheProgressWindowAndCancelKeepsTheOldList) {
  // Enough to read for a while: the same large file under many names would be cached, so
  // a few large files.
  for (int i = 0; i < 6; ++i)
    tree.file(u"big/f%1.bin"_s.arg(i), QByteArray(64 * 1024 * 1024, char('a' + i)));
  tree.file(u"out/list.csv"_s, "the old list");
  open(tree.path(u"big"_s));
  click("cmdAppend");
  ASSERT_EQ(window->list().count(), 6);

  dialogs.saveFiles = {tree.path(u"out/list.csv"_s)};
  click("cmdOutList");
  frmOutText* text = shownDialog<frmOutText>();
  ASSERT_NE(text, nullptr);
  auto* hash = text->findChild<QComboBox*>(u"cmbHash"_s);
  ASSERT_NE(hash, nullptr);
  hash->setCurrentIndex(hash->findText(u"SHA-256"_s));
  text->findChild<QCheckBox*>(u"chkSumFile"_s)->click();

  // The person presses キャンセル as soon as the progress window shows.
  bool progressSeen = false;
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    for (frmInfo* info : window->findChildren<frmInfo*>()) {
      if (!info->isVisible()) continue;
      progressSeen = true;
      EXPECT_TRUE(info->findChild<QLabel*>(u"lblInfo"_s) != nullptr);
      info->findChild<QPushButton*>(u"cmdCancel"_s)->click();
      cancel.stop();
    }
  });
  cancel.start(5);
  clickInDialog<frmOutText>("cmdTextCreate");
  cancel.stop();
  EXPECT_TRUE(progressSeen);
  EXPECT_EQ(tree.read(u"out/list.csv"_s), "the old list");
  EXPECT_FALSE(QFile::exists(tree.path(u"out/list.sha256"_s)));
  EXPECT_TRUE(dialogs.messages.empty());
  // The dialog stays open with its choices, the window answers again.
  ASSERT_NE(shownDialog<frmOutText>(), nullptr);
  for (frmInfo* info : window->findChildren<frmInfo*>()) EXPECT_FALSE(info->isVisible());

  // Created again without cancelling: the list with its digests and the checksum file.
  dialogs.saveFiles = {tree.path(u"out/list.csv"_s)};
  clickInDialog<frmOutText>("cmdTextCreate");
  ASSERT_EQ(shownDialog<frmOutText>(), nullptr);
  const QByteArray list = tree.read(u"out/list.csv"_s);
  EXPECT_TRUE(list.startsWith(
      u"ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,SHA-256,\r\n"_s.toUtf8()))
      << list.left(200).toStdString();
  EXPECT_EQ(tree.read(u"out/list.sha256"_s).count('\n'), 6);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace vek
