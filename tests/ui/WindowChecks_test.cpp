// The window's delivery check: the 注意 column, the count of noted rows beside the totals,
// and a click on the column's header that brings the noted rows to the top.
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTreeView>

#include "WindowFixture.h"
#include "support/QStringPrinter.h"
#include "ui/FileListModel.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

class WindowChecks : public test::WindowFixture {
 protected:
  QString cell(int row, ListColumn column) const {
    return window->listModel().index(row, int(column)).data().toString();
  }
};

TEST_F(WindowChecks, NotesCountAndTheirSort) {
  tree.file(u"d/a.txt"_s, "a");
  tree.file(u"d/Report.txt"_s, "r");
  tree.file(u"d/report.TXT"_s, "r");
  tree.file(u"d/con.txt"_s, "c");
  tree.file(u"d/z.txt"_s, "z");
  open(tree.path(u"d"_s));
  window->show();
  auto* noted = child<QLabel>("lblNoted");
  QCoreApplication::processEvents();
  EXPECT_FALSE(noted->isVisible());
  click("cmdAppend");
  QCoreApplication::processEvents();
  EXPECT_TRUE(noted->isVisible());
  EXPECT_EQ(noted->text(), u"注意 3件　"_s);
  auto* view = child<QTreeView>("lvWriteList");
  EXPECT_EQ(window->listModel().headerData(int(ListColumn::DeliveryCheck), Qt::Horizontal),
            u"注意"_s);
  EXPECT_EQ(cell(0, ListColumn::Name), u"a"_s);
  EXPECT_EQ(cell(0, ListColumn::DeliveryCheck), QString());

  // A click on the header, where a person clicks.
  QHeaderView* header = view->header();
  const int section = int(ListColumn::DeliveryCheck);
  view->scrollTo(window->listModel().index(0, section));
  const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                  header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
  QStringList order;
  for (int row = 0; row < 5; ++row) order << cell(row, ListColumn::DeliveryCheck);
  EXPECT_EQ(order, (QStringList{u"Windowsの予約名"_s, u"大文字小文字違いの同名"_s,
                                u"大文字小文字違いの同名"_s, QString(), QString()}));
  EXPECT_EQ(header->sortIndicatorSection(), section);
  click("cmdListClear");
  QCoreApplication::processEvents();
  EXPECT_FALSE(noted->isVisible());
}

}  // namespace
}  // namespace vek
