#include "ui/WindowMenus.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

#include "core/settings/ManualPath.h"
#include "core/settings/ProgramVersion.h"
#include "core/text/PathRules.h"
#include "ui/FilterBox.h"
#include "ui/FolderChooser.h"
#include "ui/OutputListPane.h"
#include "ui/SystemDialogs.h"
#include "ui/frmCommand.h"
#include "ui/frmDateSetting.h"
#include "ui/frmHeadComment.h"
#include "ui/frmOption.h"
#include "ui/frmVek.h"
#include "ui/frmVersion.h"

namespace vek {

WindowMenus::WindowMenus(frmVek& window, WindowDialogs& dialogs, FolderChooser& chooser,
                         FilterBox& filter, const OutputListPane& list, QString programFolder,
                         std::function<void()> compare,
                         std::function<void(ListExports::WriterKind)> exportList)
    : QObject(&window),
      m_window(window),
      m_dialogs(dialogs),
      m_filter(filter),
      m_programFolder(std::move(programFolder)) {
  auto addAction = [](QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  auto addMenu = [&window](const QString& name, const QString& caption) {
    QMenu* menu = window.menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
    return menu;
  };

  QMenu* file = addMenu(QStringLiteral("mFile"), tr("ﾌｧｲﾙ (&F)"));
  connect(addAction(file, QStringLiteral("mOpenDir"), tr("フォルダを開く (&D)")),
          &QAction::triggered, &chooser, &FolderChooser::browseForFolder);
  file->addSeparator()->setObjectName(QStringLiteral("mSepExport"));
  // The two types that have no button of their own; the CSV/text dialog opens with it chosen.
  connect(addAction(file, QStringLiteral("mOutWorkbook"), tr("Excel ブックで出力 (&B)...")),
          &QAction::triggered, this,
          [exportList] { exportList(ListExports::WriterKind::Workbook); });
  connect(addAction(file, QStringLiteral("mOutJson"), tr("JSON で出力 (&J)...")),
          &QAction::triggered, this, [exportList] { exportList(ListExports::WriterKind::Json); });
  file->addSeparator()->setObjectName(QStringLiteral("mSep1"));
  chooser.addHistoryItems(*file);
  file->addSeparator()->setObjectName(QStringLiteral("mSep2"));
  connect(addAction(file, QStringLiteral("mExit"), tr("終了 (&X)")), &QAction::triggered, &window,
          &QWidget::close);

  QMenu* option = addMenu(QStringLiteral("mOption"), tr("ｵﾌﾟｼｮﾝ (&O)"));
  connect(addAction(option, QStringLiteral("mSetting"), tr("動作設定 (&S)")), &QAction::triggered,
          this, &WindowMenus::openSettings);
  connect(addAction(option, QStringLiteral("mHeadEdit"), tr("ﾍｯﾀﾞｺﾒﾝﾄ編集 (&E)")),
          &QAction::triggered, this, [this] {
            openDialog(new frmHeadComment(m_window.settings(), m_window.session(), &m_window));
          });
  connect(addAction(option, QStringLiteral("mDateFormat"), tr("日付書式設定(&D)")),
          &QAction::triggered, this, [this] {
            openDialog(new frmDateSetting(m_window.settings(), m_window.session(),
                                          m_window.interaction(), &m_window));
          });
  QMenu* tool = addMenu(QStringLiteral("mTool"), tr("ﾂｰﾙ (&T)"));
  connect(addAction(tool, QStringLiteral("mCmdGen"), tr("ｺﾏﾝﾄﾞｼﾞｪﾈﾚｰﾀ (&G)")), &QAction::triggered,
          this, &WindowMenus::openCommandBuilder);
  connect(addAction(tool, QStringLiteral("mCompare"), tr("リストと比較 (&C)...")),
          &QAction::triggered, this, std::move(compare));
  list.addRowActions(addMenu(QStringLiteral("mList"), OutputListPane::rowMenuTitle()));
  QMenu* help = addMenu(QStringLiteral("mHelp"), tr("ﾍﾙﾌﾟ (&H)"));
  QAction* manual = addAction(help, QStringLiteral("mOnHelp"), tr("ﾏﾆｭｱﾙ(&m)"));
  manual->setShortcut(QKeySequence(Qt::Key_F1));
  manual->setShortcutContext(Qt::WindowShortcut);
  connect(manual, &QAction::triggered, this, [this] { m_window.session().openManual(); });
  connect(addAction(help, QStringLiteral("mOnlineHelp"), tr("ｵﾝﾗｲﾝﾏﾆｭｱﾙと最新情報(&W)")),
          &QAction::triggered, this, &WindowMenus::openOnlineManual);
  connect(addAction(help, QStringLiteral("mVersion"), tr("ﾊﾞｰｼﾞｮﾝ情報  (&V)")), &QAction::triggered,
          this, &WindowMenus::openAboutBox);
}

void WindowMenus::openDialog(QDialog* dialog) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->open();
}

void WindowMenus::openSettings() {
  auto* dialog = new frmOption(m_window.settings(), m_window.session(), &m_window);
  // The all-append button is greyed or enabled as soon as OK is pressed.
  connect(dialog, &frmOption::allAppendChanged, &m_window, &frmVek::applyAllAppendOption);
  // The list takes the number order at once, re-sorted when its sorting is on.
  connect(dialog, &QDialog::accepted, &m_window,
          [this] { m_window.list().setNumberOrder(m_window.settings().sort.numbers); });
  openDialog(dialog);
}

void WindowMenus::openCommandBuilder() {
  const QString folder = m_window.currentFolder();
  const WindowState& state = m_window.windowSettings();
  // The builder starts from the filter the window uses now, which stays as it is.
  const QString filter = m_filter.box()->currentText();
  auto* builder = new frmCommand(
      m_window.session(), m_dialogs, m_programFolder,
      {folder, state.saveInitialDir, folder, state.saveFileName, {}, filter}, &m_window);
  builder->setAttribute(Qt::WA_DeleteOnClose);
  // The builder read the presets again; this window's filter box takes them too.
  if (builder->loadedPresets()) m_filter.showPresets(*builder->loadedPresets(), filter);
  builder->open();
}

void WindowMenus::openAboutBox() {
  auto* about = new frmVersion(m_dialogs, {homePage(), manualUrl()}, &m_window);
  about->setAttribute(Qt::WA_DeleteOnClose);
  about->open();
}

// The home page is the online manual; a build that names none has only the local one.
void WindowMenus::openOnlineManual() {
  if (homePage().isEmpty()) {
    m_window.session().openManual();
  } else {
    m_dialogs.openUrl(QUrl(homePage()));
  }
}

QUrl WindowMenus::manualUrl() const {
  const QString manual = manualPath(m_programFolder, QCoreApplication::applicationDirPath());
  return manual.isEmpty() ? QUrl() : localFileUrl(manual);
}

}  // namespace vek
