// The about box: its outline, its move by the surface, and the version it shows.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "support/QStringPrinter.h"
#include "ui/frmVersion.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

void press(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent event(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

class AboutBoxTest : public ::testing::Test {
 protected:
  AboutBoxTest()
      : about(dialogs, {u"https://vek.example/"_s, QUrl(u"file:///usr/share/vek/readme.htm"_s)}) {
    about.setMoveStarter([this] {
      ++moves;
      return true;
    });
    about.show();
  }
  QLabel* label(const char* name) {
    auto* found = about.findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  test::ScriptedDialogs dialogs;
  frmVersion about;
  int moves = 0;
};

TEST_F(AboutBoxTest, IsAFixedEllipse) {
  EXPECT_EQ(about.mask(), QRegion(about.rect(), QRegion::Ellipse));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  EXPECT_EQ(about.windowTitle(), QString(19, u' ') + u"バージョン情報"_s);
}

TEST_F(AboutBoxTest, APressOnTheSurfaceMovesTheWindowAndOneOnAControlDoesNot) {
  for (const char* surface : {"Label7", "Label8", "Label3", "Label10", "Label1"}) {
    press(label(surface));
  }
  press(&about);
  EXPECT_EQ(moves, 6);
  press(about.findChild<QListWidget*>(u"lstSpecialThanks"_s)->viewport());
  press(label("Label2"));
  EXPECT_EQ(moves, 6);
}

TEST_F(AboutBoxTest, FollowsTheMouseItselfWhereTheSystemCannotMoveIt) {
  about.setMoveStarter([] { return false; });
  about.move(100, 100);
  const QPoint start = about.frameGeometry().topLeft();
  const QPointF at(20, 40);
  const QPointF global = about.mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&about, &press);
  QMouseEvent move(QEvent::MouseMove, at + QPointF(30, 12), global + QPointF(30, 12), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&about, &move);
  EXPECT_EQ(about.frameGeometry().topLeft(), start + QPoint(30, 12));
}

TEST_F(AboutBoxTest, ShowsTheVersionThatTheProgramPrints) {
  const QString version = label("Label1")->text();
  const QString update = label("Label9")->text();
  ASSERT_TRUE(version.startsWith(u"Vek　Version "_s)) << version.toStdString();
  ASSERT_TRUE(update.startsWith(u"Update "_s)) << update.toStdString();
  EXPECT_TRUE(QRegularExpression(u"^Update \\d{4}/\\d{2}/\\d{2}$"_s).match(update).hasMatch());
  for (const char* bold : {"Label1", "Label9", "Label6"}) EXPECT_TRUE(label(bold)->font().bold());

  QProcess vek;
  vek.start(qEnvironmentVariable("VEK_EXE"), {u"--version"_s});
  ASSERT_TRUE(vek.waitForFinished(30000));
  EXPECT_EQ(QString::fromUtf8(vek.readAllStandardOutput()),
            u"vek "_s + version.mid(12) + u" ("_s + update.mid(7) + u")\n"_s);
}

TEST_F(AboutBoxTest, CreditsTheOpenProjectsAndCloses) {
  auto* credits = about.findChild<QListWidget*>(u"lstSpecialThanks"_s);
  ASSERT_EQ(credits->count(), 8);
  for (int i = 0; i < credits->count(); ++i) {
    EXPECT_TRUE(credits->item(i)->text().contains(u" さん - "_s)) << i;
  }
  EXPECT_EQ(label("Label2")->text(), u"Vek の開発者"_s);

  about.findChild<QPushButton*>(u"cmdOK"_s)->click();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

// The address and the author's name open the home page; a build that names none shows and
// opens the manual that came with the program, and with no manual either nothing is offered.
TEST(AboutBox, OpensTheHomePageOrElseTheLocalManual) {
  const QUrl manual(u"file:///usr/share/vek/readme.htm"_s);
  const struct {
    const char16_t* homePage;
    QUrl manual;
    const char16_t* shown;
    QUrl opened;
  } cases[] = {
      {u"https://vek.example/", manual, u"vek.example/", QUrl(u"https://vek.example/"_s)},
      {u"http://vek.example/a?b=1&c=2", QUrl(), u"vek.example/a?b=1&c=2",
       QUrl(u"http://vek.example/a?b=1&c=2"_s)},
      {u"https://vek.example/a/very/long/path/to/the/projects/own/pages/index.html", QUrl(),
       u"vek.example/a/very/long/path/to/the/projects/own/pages/index.html",
       QUrl(u"https://vek.example/a/very/long/path/to/the/projects/own/pages/index.html"_s)},
      {u"", manual, u"付属のマニュアル（readme.htm）", manual},
      {u"", QUrl(), u"付属のマニュアル（readme.htm）", QUrl()},
  };
  for (const auto& c : cases) {
    const QString homePage = QString::fromUtf16(c.homePage);
    test::ScriptedDialogs dialogs;
    frmVersion about(dialogs, {homePage, c.manual});
    about.show();
    auto* link = about.findChild<QLabel*>(u"lblHomePage"_s);
    EXPECT_EQ(link->accessibleName(), QString::fromUtf16(c.shown)) << homePage.toStdString();
    // Shown whole, or shortened in its middle to fit.
    QTextDocument shown;
    shown.setHtml(link->text());
    const QString text = shown.toPlainText();
    const QString whole = QString::fromUtf16(c.shown);
    EXPECT_LE(link->fontMetrics().horizontalAdvance(text), link->width()) << text.toStdString();
    if (text != whole) {
      const QStringList ends = text.split(u'…');
      ASSERT_EQ(ends.size(), 2) << text.toStdString();
      EXPECT_TRUE(whole.startsWith(ends[0]) && whole.endsWith(ends[1])) << text.toStdString();
    }
    press(about.findChild<QLabel*>(u"Label2"_s));
    if (c.opened.isEmpty()) {
      EXPECT_FALSE(link->text().contains(u"<a "_s)) << homePage.toStdString();
      EXPECT_TRUE(dialogs.opened.empty()) << homePage.toStdString();
    } else {
      QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(4, link->height() / 2));
      EXPECT_EQ(dialogs.opened, (std::vector<QUrl>{c.opened, c.opened})) << homePage.toStdString();
    }
  }
}

}  // namespace
}  // namespace vek
