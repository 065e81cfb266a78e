// Pictures of the command builder and the about box for docs/, taken only when VEK_SCREENSHOTS
// names a folder (run under xvfb-run with the Noto CJK fonts). Skipped otherwise.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "core/ProgramVersion.h"
#include "core/Session.h"
#include "ui/frmCommand.h"
#include "ui/frmVersion.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

QString shotPath(const QString& name) {
  return QDir(qEnvironmentVariable("VEK_SCREENSHOTS")).filePath(name);
}

TEST(Screenshots, CommandBuilderAndAboutBox) {
  if (qEnvironmentVariableIsEmpty("VEK_SCREENSHOTS")) GTEST_SKIP() << "VEK_SCREENSHOTS not set";
  QTemporaryDir program;
  Session session;
  test::ScriptedDialogs dialogs;

  frmCommand builder(session, dialogs, program.path(),
                     {u"/home/user/資料/議事録"_s, u"/home/user/リスト/"_s,
                      u"/home/user/資料/議事録"_s, QString(), u"/usr/bin/vek"_s});
  builder.findChild<QAbstractButton*>(u"optType_2"_s)->click();
  builder.findChild<QAbstractButton*>(u"optSortKey_7"_s)->click();
  builder.findChild<QAbstractButton*>(u"chkSubDir"_s)->click();
  builder.show();
  builder.adjustSize();
  QCoreApplication::processEvents();
  EXPECT_TRUE(builder.grab().save(shotPath(u"dialog-command.png"_s)));

  // The about box as the screen shows it, for an installed program: outside the ellipse is the
  // desktop.
  frmVersion about(dialogs, {homePage(), QUrl::fromLocalFile(u"/usr/share/vek/readme.htm"_s)});
  about.show();
  QCoreApplication::processEvents();
  QPixmap shot(about.size());
  shot.fill(Qt::transparent);
  {
    QPainter painter(&shot);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(about.rect()));
    painter.setClipPath(ellipse);
    painter.drawPixmap(0, 0, about.grab());
  }
  EXPECT_TRUE(shot.save(shotPath(u"dialog-version.png"_s)));
}

}  // namespace
}  // namespace vek
