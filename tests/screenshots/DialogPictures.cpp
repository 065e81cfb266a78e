#include "screenshots/DialogPictures.h"

#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "core/settings/ProgramVersion.h"
#include "core/settings/Session.h"
#include "support/ExampleRows.h"
#include "support/RecordingInteraction.h"
#include "ui/ScriptedDialogs.h"
#include "ui/frmCommand.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmOption.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"
#include "ui/frmVersion.h"
#include "writers/HtmlListExport.h"

namespace vek::screenshots {
namespace {
using namespace Qt::StringLiterals;

// The dialog by itself at the size its layout asks for.
bool saveDialog(QWidget& dialog, const QString& folder, const QString& name) {
  dialog.show();
  dialog.adjustSize();
  QCoreApplication::processEvents();
  const bool saved = savePicture(dialog.grab(), folder, name);
  dialog.hide();
  return saved;
}

// The dialog at the size it chose when shown.
bool saveShownDialog(QWidget& dialog, const QString& folder, const QString& name) {
  dialog.show();
  QCoreApplication::processEvents();
  const bool saved = savePicture(dialog.grab(), folder, name);
  dialog.hide();
  return saved;
}

}  // namespace

bool savePicture(const QPixmap& picture, const QString& folder, const QString& name) {
  const QString path = QDir(folder).filePath(name);
  const bool saved = picture.save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

bool takeDialogPictures(const QString& folder) {
  Settings settings;
  settings.csv.fileType = ListFileType::Text;
  settings.csv.columns.optHeadInsert = HeadInsert::On;
  settings.xml.crLfCheck = true;
  const FileList list = test::listOf({test::ExampleRow(u"/home/user/資料/"_s, u"a.txt"_s)});
  Session session;  // nothing is saved or opened: no dialog is confirmed
  test::RecordingInteraction interaction;
  bool ok = true;

  frmOutText text(settings, list, session, interaction);
  ok = saveDialog(text, folder, u"dialog-text.png"_s) && ok;
  frmOutHtml html(settings, list, session, interaction);
  ok = saveDialog(html, folder, u"dialog-html.png"_s) && ok;
  frmOutXML xml(settings, list, session, interaction);
  ok = saveDialog(xml, folder, u"dialog-xml.png"_s) && ok;
  frmOption option(settings, session);
  ok = saveDialog(option, folder, u"dialog-option.png"_s) && ok;
  frmHeadComment headComment(settings, session);
  ok = saveDialog(headComment, folder, u"dialog-head-comment.png"_s) && ok;
  frmDateSetting date(settings, session, interaction);
  date.setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 41, 5)); });
  ok = saveDialog(date, folder, u"dialog-date-setting.png"_s) && ok;

  QTemporaryDir program;
  test::ScriptedDialogs dialogs;
  frmCommand builder(session, dialogs, program.path(),
                     {u"/home/user/資料/議事録"_s,
                      u"/home/user/リスト/"_s,
                      u"/home/user/資料/議事録"_s,
                      QString(),
                      u"/usr/bin/vek"_s,
                      {}});
  builder.findChild<QAbstractButton*>(u"optType_2"_s)->click();
  builder.findChild<QAbstractButton*>(u"optSortKey_7"_s)->click();
  builder.findChild<QAbstractButton*>(u"chkSubDir"_s)->click();
  builder.findChild<QComboBox*>(u"cmbExclude"_s)->setCurrentIndex(1);
  // The builder sizes itself to the screen: on this one, the whole form.
  ok = saveShownDialog(builder, folder, u"dialog-command.png"_s) && ok;
  // On a laptop's 1366 x 768 screen less its panel, scrolled to the bottom of the form by Tab.
  builder.setAvailableGeometry(QRect(0, 0, 1366, 720));
  builder.show();
  QApplication::setActiveWindow(&builder);
  builder.findChild<QWidget*>(u"chkSumFile"_s)->setFocus(Qt::TabFocusReason);
  ok = saveShownDialog(builder, folder, u"dialog-command-small.png"_s) && ok;

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
  ok = savePicture(shot, folder, u"dialog-version.png"_s) && ok;
  about.hide();
  return ok;
}

bool takeHtmlPagePicture(const QString& folder) {
  QString chromium = u"/usr/bin/chromium"_s;
  if (!QFileInfo(chromium).isExecutable()) chromium = QStandardPaths::findExecutable(u"chromium"_s);
  if (chromium.isEmpty()) {
    std::printf("chromium is not installed (scripts/setup installs it)\n");
    return false;
  }
  // Names a browser would take for markup, a script tag split over a folder and its file (a
  // file name cannot hold "/"), with links and full paths.
  const QString place = u"/home/user/リスト/"_s;
  const struct {
    QString folder, name;
  } files[] = {
      {place + u"<script>alert(1)</"_s, u"script>.txt"_s},
      {place, u"<img src=x onerror=alert(1)>.txt"_s},
      {place, u"a&b.txt"_s},
      {place, u"it's.txt"_s},
      {place, u"x#y?.txt"_s},
      {place, u"100%.txt"_s},
      {place, u"\"quoted\" name.txt"_s},
      {place, u"日本語の名前.txt"_s},
  };
  std::vector<FileEntry> rows;
  for (const auto& file : files) {
    FileEntry row = test::ExampleRow(file.folder, file.name);
    row.type = u"平文テキストドキュメント"_s;
    rows.push_back(row);
  }
  Settings settings;
  settings.html.fileLink = true;
  settings.html.columns.chkPath = true;
  QTemporaryDir work;
  const QString page = work.filePath(u"page.htm"_s);
  test::RecordingInteraction said;
  if (!createHtmlList(page, test::listOf(rows), settings, said,
                      u"<script>document.title='PWNED'</script>一覧 & 'x'"_s, PathStyle::Posix)) {
    std::printf("the HTML page could not be written\n");
    return false;
  }
  const QString path = QDir(folder).filePath(u"html-hostile-names.png"_s);
  QProcess browser;
  browser.start(
      chromium,
      {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s,
       u"--disable-background-networking"_s, u"--disable-component-update"_s, u"--disable-sync"_s,
       u"--hide-scrollbars"_s, u"--user-data-dir="_s + work.filePath(u"profile"_s),
       u"--window-size=1400,520"_s, u"--virtual-time-budget=2000"_s, u"--screenshot="_s + path,
       QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded)});
  const bool finished = browser.waitForFinished(120000);
  if (!finished) browser.kill();
  const bool saved = finished && browser.exitCode() == 0 && QFileInfo::exists(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  if (!saved) std::printf("%s", browser.readAllStandardError().constData());
  return saved;
}

}  // namespace vek::screenshots
