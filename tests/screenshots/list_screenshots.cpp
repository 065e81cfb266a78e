// Takes the pictures of the output list at the window's first size on the screen xvfb-run gives
// (scripts/screenshots runs it at 1366x768 and 1920x1080): the status line under a list with
// names the 注意 column counts, more than a megabyte ticked and folders left out, and the rows'
// context menu over a selection, and the window after a comparison with a saved list. Writes
// list-WxH.png, list-menu-WxH.png and compare-WxH.png into the folder given.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

#include "core/settings/InterfaceLanguage.h"
#include "support/RecordingInteraction.h"
#include "ui/FileListModel.h"
#include "ui/OutputListPane.h"
#include "ui/QtTranslation.h"
#include "ui/ScriptedDialogs.h"
#include "ui/frmVek.h"
#include "writers/JsonListExport.h"

namespace {

using namespace Qt::StringLiterals;

void writeFile(const QString& path, qint64 size) {
  QDir().mkpath(path.section(u'/', 0, -2));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.resize(size);
}

void wait(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

bool saveScreen(QScreen* screen, const QString& path) {
  const bool saved = screen->grabWindow(0).save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const vek::InterfaceLanguage language =
      vek::chooseInterfaceLanguage(vek::LanguageInputs::environment());
  if (!vek::installInterfaceLanguage(language)) return 1;
  if (language == vek::InterfaceLanguage::Japanese) vek::installQtTranslation();
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"docs"_s;
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const QString size = u"%1x%2"_s.arg(screen.width()).arg(screen.height());

  // A week's reports, a few large files, and names a Windows or Mac recipient cannot take.
  QTemporaryDir home, data;
  const QString root = data.path() + u"/資料"_s;
  for (int i = 1; i <= 300; ++i)
    writeFile(root + u"/報告書%1.txt"_s.arg(i, 3, 10, QChar(u'0')), 20000 + i * 37);
  for (const char* name :
       {"aux.txt", "con.doc", "a:b.txt", "what?.txt", "Thumbs.db", "trail.", "star*.txt",
        "pipe|name.txt", "lt<gt>.txt", "q\"uote.txt", "nul.txt", "prn.csv"})
    writeFile(root + u'/' + QString::fromUtf8(name), 1200);

  vek::test::ScriptedDialogs dialogs;
  // The window as a new user first sees it: its own first size and place.
  vek::frmVek window({home.path(), data.path(), root, &dialogs});
  window.show();
  wait(300);
  QEventLoop added;
  QObject::connect(&window, &vek::frmVek::addFinished, &added, &QEventLoop::quit);
  window.findChild<QPushButton*>(u"cmdAppend"_s)->click();
  if (window.isBusy()) added.exec();
  // What an add that met unreadable folders says beside the totals.
  window.findChild<vek::OutputListPane*>()->showSkipped(3);
  auto* view = window.findChild<QTreeView*>(u"lvWriteList"_s);
  vek::FileListModel& model = window.listModel();
  for (int row : {1, 4, 13}) model.setData(model.index(row, 0), Qt::Unchecked, Qt::CheckStateRole);
  // The last of the awkward names and the first reports in sight.
  view->scrollTo(model.index(8, 0), QAbstractItemView::PositionAtTop);
  view->setFocus();
  wait(300);
  bool ok = saveScreen(window.screen(), out + u"/list-"_s + size + u".png"_s);

  // Rows 3 to 7 selected, the context menu opened on row 5.
  view->selectionModel()->select(QItemSelection(model.index(3, 0), model.index(7, 0)),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view->selectionModel()->setCurrentIndex(model.index(5, 2), QItemSelectionModel::NoUpdate);
  const QPoint at = view->visualRect(model.index(5, 2)).center();
  QTimer::singleShot(500, [&] {
    ok = saveScreen(window.screen(), out + u"/list-menu-"_s + size + u".png"_s) && ok;
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
  QApplication::sendEvent(view->viewport(), &menuEvent);

  // ﾂｰﾙ → リストと比較 a week later: the list saved as JSON, two reports grown, one gone, one
  // new; only the differences shown, the state column first.
  {
    const QString saved = data.path() + u"/先週.json"_s;
    model.changeAllTicks(vek::FileListModel::TickChange::Tick);
    vek::test::RecordingInteraction quiet;
    vek::createJsonList(saved, window.list(), window.settings(), quiet, u"資料"_s, root + u'/');
    writeFile(root + u"/報告書007.txt"_s, 31000);
    writeFile(root + u"/報告書120.txt"_s, 52000);
    QFile::remove(root + u"/報告書200.txt"_s);
    writeFile(root + u"/報告書301.txt"_s, 24000);
    dialogs.openFiles = {saved};
    window.findChild<QAction*>(u"mCompare"_s)->trigger();
    if (window.isBusy()) added.exec();
    window.findChild<QCheckBox*>(u"chkDifferencesOnly"_s)->click();
    view->setCurrentIndex(model.index(0, 0));
    view->setFocus();
    wait(300);
    ok = saveScreen(window.screen(), out + u"/compare-"_s + size + u".png"_s) && ok;
  }
  return ok ? 0 : 1;
}
