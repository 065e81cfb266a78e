// An export from the window saved into the folder it lists: the list it replaces, and its
// checksum file, are not rows of the new list.
#include <QCheckBox>

#include "WindowFixture.h"
#include "support/QStringPrinter.h"
#include "ui/frmOutText.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

class WindowOwnOutputs : public test::WindowFixture {};

TEST_F(WindowOwnOutputs, AnExportIntoTheListedFolderLeavesItsOutputsOut) {
  tree.file(u"data/a.txt"_s, "a");
  tree.file(u"data/list.csv"_s, "an earlier export");
  tree.file(u"data/list.sha256"_s, "its checksum file");
  open(tree.path(u"data"_s));
  click("cmdAppend");
  ASSERT_EQ(window->list().count(), 3);

  dialogs.saveFiles = {tree.path(u"data/list.csv"_s)};
  click("cmdOutList");
  frmOutText* text = shownDialog<frmOutText>();
  ASSERT_NE(text, nullptr);
  auto* checksum = text->findChild<QCheckBox*>(u"chkSumFile"_s);
  ASSERT_NE(checksum, nullptr);
  if (!checksum->isChecked()) checksum->click();
  clickInDialog<frmOutText>("cmdTextCreate");
  waitUntilClosed<frmOutText>();

  const QByteArray list = tree.read(u"data/list.csv"_s);
  EXPECT_TRUE(list.contains("a.txt")) << list.toStdString();
  EXPECT_FALSE(list.contains("list.")) << list.toStdString();
  const QByteArray sums = tree.read(u"data/list.sha256"_s);
  EXPECT_TRUE(sums.endsWith("  a.txt\n")) << sums.toStdString();
  EXPECT_EQ(sums.count('\n'), 1) << sums.toStdString();
  // The window's own list still holds the rows the person added.
  EXPECT_EQ(window->list().count(), 3);
}

}  // namespace
}  // namespace vek
