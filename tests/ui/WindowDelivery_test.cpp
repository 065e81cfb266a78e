// The window's part of a delivery list: the totals of the ticked rows under the list, and an
// export with a digest column and a checksum file under the export dialog's progress window, whose
// キャンセル leaves the old list as it was.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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

TEST_F(WindowDelivery, DigestsAreReadUnderTheDialogsProgressWindowAndCancelKeepsTheOldList) {
  for (int i = 0; i < 6; ++i) tree.file(u"big/f%1.bin"_s.arg(i), QByteArray(1024 * 1024, 'a'));
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
  auto* create = text->findChild<QPushButton*>(u"cmdTextCreate"_s);

  // The click returns at once: the files are read beside the window's own event loop, whose
  // queued calls alone bring the digests. Meanwhile the progress window is the dialog's,
  // over it and modal to it, its キャンセル in reach.
  create->click();
  ASSERT_TRUE(text->readingDigests());
  frmInfo* info = text->progressWindow();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->parentWidget(), text);
  EXPECT_TRUE(info->isVisible());
  EXPECT_EQ(info->windowModality(), Qt::WindowModal);
  EXPECT_FALSE(create->isEnabled());
  info->findChild<QPushButton*>(u"cmdCancel"_s)->click();
  EXPECT_FALSE(text->readingDigests());
  EXPECT_FALSE(info->isVisible());
  EXPECT_TRUE(create->isEnabled());
  QCoreApplication::processEvents();
  EXPECT_EQ(tree.read(u"out/list.csv"_s), "the old list");
  EXPECT_FALSE(QFile::exists(tree.path(u"out/list.sha256"_s)));
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(shownDialog<frmOutText>(), text);

  // Created again without cancelling: the list with its digests and the checksum file.
  dialogs.saveFiles = {tree.path(u"out/list.csv"_s)};
  create->click();
  waitUntilClosed<frmOutText>();
  const QByteArray list = tree.read(u"out/list.csv"_s);
  EXPECT_TRUE(list.startsWith(
      u"ディレクトリ,ファイル名,ファイルタイプ,ファイルサイズ,作成日付,SHA-256,\r\n"_s.toUtf8()))
      << list.left(200).toStdString();
  EXPECT_EQ(list.count("9bc1b2a288b26af7257a36277ae3816a7d4f16e89c1e7e77d0a5c48bad62b360"), 6);
  EXPECT_EQ(tree.read(u"out/list.sha256"_s).count('\n'), 6);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace vek
