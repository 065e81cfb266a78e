// Takes every picture kept in docs/ on a real X server (scripts/screenshots runs it under
// xvfb-run): each dialog by itself, an HTML list in a browser, the main window with a filled,
// sorted, partly unticked list, the writers' save dialog with Qt's texts, and the progress
// window during a subtree add. The interface speaks the language VEK_LANG or the locale
// chooses, as the program's does.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include "core/messages/MessageCatalogue.h"
#include "core/settings/InterfaceLanguage.h"
#include "gather/Gatherer.h"
#include "support/RecordingInteraction.h"
#include "ui/FileListModel.h"
#include "ui/IncompleteNotice.h"
#include "ui/QtTranslation.h"
#include "ui/ScriptedDialogs.h"
#include "ui/SystemDialogs.h"
#include "ui/WindowInteraction.h"
#include "ui/frmInfo.h"
#include "ui/frmVek.h"
#include "writers/JsonListExport.h"

#include "screenshots/DialogPictures.h"

namespace {

using namespace Qt::StringLiterals;

void writeFile(const QString& path, qint64 size) {
  QDir().mkpath(path.section(u'/', 0, -2));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(size, 'x'));
}

void wait(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

bool save(const QWidget& window, const QString& path) {
  // The screen around the window, as a person sees it (the progress window included).
  const QRect area = window.frameGeometry().adjusted(-8, -8, 8, 8);
  const QPixmap shot =
      window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  const bool saved = shot.save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

// Clicks an add button and waits until the add has ended.
void clickAndWait(vek::frmVek& window, const QString& button) {
  QEventLoop loop;
  QObject::connect(&window, &vek::frmVek::addFinished, &loop, &QEventLoop::quit);
  window.findChild<QPushButton*>(button)->click();
  if (window.isBusy()) loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The language the program would choose here (VEK_LANG, the locale), installed as it does.
  const vek::InterfaceLanguage language =
      vek::chooseInterfaceLanguage(vek::LanguageInputs::environment());
  if (!vek::installInterfaceLanguage(language)) {
    std::printf("the English translation is not built into the program\n");
    return 1;
  }
  if (language == vek::InterfaceLanguage::Japanese && !vek::installQtTranslation()) {
    std::printf("Qt's Japanese translation is missing (qt6-translations-l10n)\n");
    return 1;
  }
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"docs"_s;
  const bool dialogsTaken =
      vek::screenshots::takeDialogPictures(out) && vek::screenshots::takeHtmlPagePicture(out);
  QTemporaryDir home, data;
  const QString root = data.path() + u"/資料"_s;
  const struct {
    const char* name;
    qint64 size;
  } files[] = {{"議事録 2024-05.txt", 18432},
               {"見積書_最終版.pdf", 245760},
               {"写真/運動会 001.jpg", 3145728},
               {"写真/運動会 002.jpg", 2883584},
               {"写真/集合写真.png", 1048576},
               {"音楽/テーマ曲.mp3", 5242880},
               {"report.html", 9216},
               {"backup.tar.gz", 73400320},
               {"README", 1200},
               {"src/main.cpp", 2345},
               {"src/vek.h", 812},
               {"表計算/売上集計.csv", 40960},
               // Two that the 注意 column names, as a real shared folder holds them, and version
               // control that the exclude box leaves out.
               {"写真/Thumbs.db", 4096},
               {"~$見積書_最終版.xlsx", 165},
               {"src/.git/HEAD", 41}};
  for (const auto& file : files) writeFile(root + u'/' + QString::fromUtf8(file.name), file.size);

  vek::test::ScriptedDialogs dialogs;
  vek::frmVek window({home.path(), data.path(), root, &dialogs});
  window.resize(820, 640);
  window.move(40, 40);
  window.show();
  wait(300);

  // A filled list without version control, sorted by size, two rows unticked, one selected.
  window.findChild<QComboBox*>(u"cmbExclude"_s)->setCurrentIndex(1);
  clickAndWait(window, u"cmdAllAppend"_s);
  auto* view = window.findChild<QTreeView*>(u"lvWriteList"_s);
  Q_EMIT view->header()->sectionClicked(int(vek::ListColumn::Size));
  vek::FileListModel& model = window.listModel();
  for (int row : {1, 4}) model.setData(model.index(row, 0), Qt::Unchecked, Qt::CheckStateRole);
  view->setCurrentIndex(model.index(2, 0));
  view->setFocus();
  wait(300);
  bool ok = save(window, out + u"/main-window.png"_s) && dialogsTaken;

  // ﾂｰﾙ → リストと比較 after a week of changes: the list saved as JSON, one file grown, one
  // removed, one added, then compared with the folder.
  {
    const QString saved = data.path() + u"/先週.json"_s;
    for (int row = 0; row < model.rowCount(); ++row)
      model.setData(model.index(row, 0), Qt::Checked, Qt::CheckStateRole);
    vek::test::RecordingInteraction quiet;
    vek::createJsonList(saved, window.list(), window.settings(), quiet, u"資料"_s, root + u'/');
    writeFile(root + u"/見積書_最終版.pdf"_s, 262144);
    QFile::remove(root + u"/写真/運動会 002.jpg"_s);
    writeFile(root + u"/写真/運動会 003.jpg"_s, 2621440);
    dialogs.openFiles = {saved};
    QEventLoop loop;
    QObject::connect(&window, &vek::frmVek::addFinished, &loop, &QEventLoop::quit);
    window.findChild<QAction*>(u"mCompare"_s)->trigger();
    if (window.isBusy()) loop.exec();
    Q_EMIT view->header()->sectionClicked(int(vek::ListColumn::State));
    wait(300);
    ok = save(window, out + u"/compare-window.png"_s) && ok;
  }

  // The notice at the end of an add that could not read everything: twelve folders and files,
  // ten named, the rest counted.
  {
    std::vector<vek::WindowInteraction::Incomplete> items;
    // A shared folder as a delivery clerk would meet it; the reasons are the system's own.
    const QString share = u"/srv/共有/納品 2024-12"_s;
    const QString denied = QString::fromLocal8Bit(std::strerror(EACCES));
    for (int i = 1; i <= 9; ++i)
      items.push_back({share + u"/写真/2024年 運動会/カメラ%1/"_s.arg(i), denied});
    items.push_back({share + u"/表計算/売上集計（確定版）.xlsx"_s, denied});
    items.push_back({share + u"/音楽/テーマ曲.mp3"_s, QString::fromLocal8Bit(std::strerror(EIO))});
    items.push_back({share + u"/src/.cache/"_s, denied});
    vek::IncompleteNotice notice(&window, vek::WindowInteraction::incompleteNotice(items),
                                 vek::WindowInteraction::incompleteList(items));
    notice.show();
    notice.findChild<QPushButton*>(u"cmdCopyList"_s)->click();
    wait(300);
    const QString path = out + u"/incomplete-notice.png"_s;
    const bool saved = notice.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    ok = saved && ok;
    notice.hide();
  }

  // The save dialog of the CSV writer, as the program shows it on a desktop without a dialog of
  // its own (Qt's).
  {
    const std::unique_ptr<QFileDialog> saveDialog =
        vek::SystemDialogs::saveDialog(&window, u"CSVﾌｧｲﾙ|*.csv"_s, root + u"/表計算"_s);
    saveDialog->resize(640, 420);
    saveDialog->show();
    wait(500);
    const QString path = out + u"/dialog-save.png"_s;
    const bool saved = saveDialog->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    ok = saved && ok;
    saveDialog->hide();
  }

  // The typed-path prompt as パスを入力指定 asks it (its texts taken from the window's question).
  window.findChild<QPushButton*>(u"cmdDirectPath"_s)->click();
  if (!dialogs.prompts.empty()) {
    const std::unique_ptr<QInputDialog> prompt =
        vek::SystemDialogs::textDialog(&window, dialogs.titles.back(), dialogs.prompts.back());
    prompt->show();
    wait(300);
    const QString path = out + u"/dialog-typed-path.png"_s;
    const bool saved = prompt->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    ok = saved && ok;
    prompt->hide();
  }

  // The progress window in the file phase of a subtree add, at folder 120 of 200: shown through
  // the window's own progress display, as the add shows it, so the picture does not depend on
  // how fast the add runs.
  const QString big = data.path() + u"/大きなフォルダ"_s;
  for (int f = 0; f < 200; ++f) writeFile(big + QString::asprintf("/part%03d/file.txt", f), 10);
  window.findChild<QPushButton*>(u"cmdListClear"_s)->click();
  window.setFolderPath(big);
  window.interaction().showProgress(vek::MessageCatalogue::fileSearchCaption(),
                                    vek::MessageCatalogue::fileSearchInfo(),
                                    vek::MessageCatalogue::progressDetail(120, 200), 120, 200);
  wait(300);
  const bool shot = save(window, out + u"/progress-window.png"_s);
  window.interaction().closeProgress();
  return ok && shot ? 0 : 1;
}
