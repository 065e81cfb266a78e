// The main window's tool and help menus open the command builder and the about box.
#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "WindowFixture.h"
#include "core/settings/ProgramVersion.h"
#include "support/QStringPrinter.h"
#include "ui/frmCommand.h"
#include "ui/frmVersion.h"

namespace vek::test {
namespace {
using namespace Qt::StringLiterals;

using WindowTools = WindowFixture;

TEST_F(WindowTools, CommandBuilderOpensOnTheWindowsFolderAndFilterWithFreshPresets) {
  const QString data = tree.folder(u"data"_s);
  open(data);
  window->windowSettings().saveInitialDir = tree.path(u"work/"_s);
  tree.file(u"program/filter.txt"_s, "*.jpg;  (画像)\r\n*.txt\r\n");
  tree.file(u"program/readme.htm"_s, "<html></html>");
  setFilter(u"*.txt;*.log;　（テキスト）"_s);

  child<QAction>("mCmdGen")->trigger();
  auto* builder = window->findChild<frmCommand*>();
  ASSERT_NE(builder, nullptr);
  EXPECT_TRUE(builder->isVisible());
  EXPECT_TRUE(builder->isModal());
  EXPECT_EQ(builder->findChild<QLineEdit*>(u"txtInPath"_s)->text(), data);
  EXPECT_EQ(builder->findChild<QLineEdit*>(u"txtOutPath"_s)->text(), tree.path(u"work/"_s));
  EXPECT_EQ(builder->findChild<QLineEdit*>(u"txtTitle"_s)->text(), data);
  // Both filter boxes hold the presets read again, and show the filter the window used; the
  // command takes it as its patterns do (a description after a full-width space stays).
  EXPECT_EQ(builder->findChild<QComboBox*>(u"cmbFilter"_s)->currentText(),
            u"*.txt;*.log;　（テキスト）"_s);
  EXPECT_EQ(child<QComboBox>("cmbFilter")->count(), 2);
  EXPECT_EQ(child<QComboBox>("cmbFilter")->currentText(), u"*.txt;*.log;　（テキスト）"_s);
  EXPECT_TRUE(builder->findChild<QPlainTextEdit*>(u"txtCommand"_s)
                  ->toPlainText()
                  .contains(u" /E \"*.txt;*.log;　（テキスト）\" /N "_s));

  // F1 opens the manual through the desktop's "open".
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QCoreApplication::sendEvent(builder->findChild<QLineEdit*>(u"txtTitle"_s), &f1);
  ASSERT_EQ(dialogs.opened.size(), 1u);
  EXPECT_EQ(dialogs.opened[0].toLocalFile(), tree.path(u"program/readme.htm"_s));

  builder->findChild<QPushButton*>(u"cmdOk"_s)->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window->findChild<frmCommand*>(), nullptr);
}

// The build names no home page unless it is asked to: the local manual stands in for it.
TEST_F(WindowTools, OnlineManualAndAboutBoxOpenTheHomePageOrElseTheLocalManual) {
  tree.file(u"program/readme.htm"_s);
  open();
  const QUrl expected = homePage().isEmpty()
                            ? QUrl::fromLocalFile(tree.path(u"program/readme.htm"_s))
                            : QUrl(homePage());
  child<QAction>("mOnlineHelp")->trigger();
  child<QAction>("mVersion")->trigger();
  auto* about = window->findChild<frmVersion*>();
  ASSERT_NE(about, nullptr);
  auto* link = about->findChild<QLabel*>(u"lblHomePage"_s);
  QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(4, link->height() / 2));
  EXPECT_EQ(dialogs.opened, (std::vector<QUrl>{expected, expected}));
  about->findChild<QPushButton*>(u"cmdOK"_s)->click();
}

TEST_F(WindowTools, AboutBoxOpensFromTheHelpMenu) {
  open();
  child<QAction>("mVersion")->trigger();
  auto* about = window->findChild<frmVersion*>();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_TRUE(about->isModal());
  about->findChild<QPushButton*>(u"cmdOK"_s)->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window->findChild<frmVersion*>(), nullptr);
}

}  // namespace
}  // namespace vek::test
