#include "ui/frmVek.h"

#include <system_error>

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

#include "core/platform/FileSystem.h"
#include "core/settings/ProgramFolder.h"
#include "core/text/PathRules.h"
#include "gather/DropIntake.h"
#include "ui/DropGlue.h"
#include "ui/FileListModel.h"
#include "ui/FilterBox.h"
#include "ui/FolderChooser.h"
#include "ui/ListExports.h"
#include "ui/MainForm.h"
#include "ui/OutputListPane.h"
#include "ui/SystemDialogs.h"
#include "ui/WalkRulesBox.h"
#include "ui/WindowComparison.h"
#include "ui/WindowMenus.h"
#include "ui/WindowPlace.h"

namespace vek {

namespace {

// How often rows gathered during an add are shown, in ms.
constexpr int kShowInterval = 250;

}  // namespace

frmVek::Options frmVek::defaultOptions(const QString& startFolder) {
  const ProgramFolder folder(ProgramFolder::environment());
  return {folder.path(), folder.defaultWorkingFolder(), startFolder, nullptr};
}

frmVek::frmVek(const Options& options, QWidget* parent)
    : QMainWindow(parent),
      m_programFolder(folderText(options.programFolder, nativePathStyle())),
      m_workingFolder(folderText(options.workingFolder, nativePathStyle())),
      m_ownDialogs(options.dialogs ? nullptr : std::make_unique<SystemDialogs>()),
      m_dialogs(options.dialogs ? *options.dialogs : *m_ownDialogs),
      m_interaction(*this, m_dialogs),
      m_store(m_programFolder + QStringLiteral("Vek.ini"), m_interaction),
      m_gatherer(m_list, m_interaction, m_settings),
      m_add(m_gatherer, m_list, m_interaction, m_settings) {
  setObjectName(QStringLiteral("frmVek"));
  setWindowTitle(QStringLiteral("Vek"));

  m_session.setProgramFolder(m_programFolder);
  // The folder boxes follow the scan only when it ends, and the captions when the window is
  // painted next: listing every folder again while the scan reads it would double its work.
  m_gatherer.setFolderShownHandler([this](const QString& folder) { m_scanFolder = folder; });

  m_form = new MainForm(*this, m_dialogs, m_interaction, m_gatherer, m_settings, m_list, m_session,
                        m_programFolder);
  m_chooser = m_form->chooser;
  m_frmFileList = m_form->frmFileList;
  m_model = &m_frmFileList->model();
  updateMinimumSize(*this);
  m_comparison = new WindowComparison(*this, m_dialogs, m_add, *m_frmFileList,
                                      {[this](bool busy) { setBusy(busy); },
                                       [this](const QString& folder) { m_scanFolder = folder; },
                                       [this] { finishOperation(true); }});
  connect(m_comparison, &WindowComparison::endedUnwalked, this, &frmVek::addFinished);
  connectControls();
  auto* exports = new ListExports(*this, m_dialogs, *m_form->cmdOutList, *m_form->cmdOutHtml,
                                  *m_form->cmdOutXML);
  new WindowMenus(
      *this, m_dialogs, *m_chooser, *m_form->filter, *m_frmFileList, m_programFolder,
      [this] { m_comparison->start(); },
      [exports](ListExports::WriterKind kind) { exports->exportList(kind); });

  // Settings first: the stored place and size, the history, the options.
  measureWindow(*this, m_window);
  m_store.load(m_settings, m_window, m_workingFolder);
  // Lists do not belong in the configuration folder: a save folder stored as that folder (by
  // earlier versions, before anything was saved) starts at the working folder instead.
  if (m_window.saveInitialDir == m_programFolder && m_workingFolder != m_programFolder)
    m_window.saveInitialDir = m_workingFolder;
  m_list.setNumberOrder(m_settings.sort.numbers);
  m_form->walkRules->showSettings();
  m_gatherer.setWalkRules(m_form->walkRules->rules());
  m_form->filter->loadPresets();
  m_form->setToolTipsAndNames();
  applyAllAppendOption();
  m_chooser->refreshHistoryMenu();
  setUpDrops();

  // The folder of "vek folder" when it is one; otherwise the folder shown last time.
  QString start;
  if (!options.startFolder.isEmpty()) {
    const QFileInfo info(QDir::current(), options.startFolder);
    if (info.isDir()) start = QDir::cleanPath(info.absoluteFilePath());
  }
  if (start.isEmpty() || !setFolderPath(start)) {
    const QString shown = folderWithoutSeparator(m_window.shownFolder, nativePathStyle());
    if (!setFolderPath(shown) && !setFolderPath(QDir::homePath())) setFolderPath(QDir::rootPath());
  }
  m_chooser->selectVolumeFor(currentFolder());
  restorePlace(*this, m_window);
  // The type descriptions are read once per program; reading them now, while the person looks
  // at the window, spares the first add the wait.
  QTimer::singleShot(0, this, [] { FileSystem::typeDescription(QStringLiteral("a.txt")); });
}

frmVek::~frmVek() {
  // A saved list still being read stops at its next block; its result is dropped.
  delete m_comparison;
  m_comparison = nullptr;
  // The list pane's model goes before the list it watches.
  delete m_frmFileList;
  m_frmFileList = nullptr;
}

const QString& frmVek::currentFolder() const {
  return m_chooser->folder();
}

QString frmVek::iniPath() const {
  return m_store.path();
}

void frmVek::connectControls() {
  connect(m_chooser, &FolderChooser::folderShown, this, [this](const QString& folder) {
    m_scanFolder = folder;
    showCaptions(folder);
  });
  connect(m_form->cmdAppend, &QPushButton::clicked, this, &frmVek::appendShownFiles);
  connect(m_form->cmdAllAppend, &QPushButton::clicked, this, &frmVek::appendSubtree);
  connect(m_model, &FileListModel::listChanged, this, [this] {
    if (m_busy && !m_list.isEmpty()) m_frmFileList->showCount();
  });
  m_interaction.setCancelHandler([this] {
    m_comparison->cancelReading();
    m_add.cancel();
  });
  connect(&m_add, &BackgroundAdd::rowsAdded, this, &frmVek::rowsArrived);
  connect(&m_add, &BackgroundAdd::finished, this, &frmVek::addEnded);
}

void frmVek::setUpDrops() {
  m_drops = new DropGlue(
      *this, [this] { return m_busy; },
      [this](const QMimeData& mime) { return dropMimeData(mime); });
  m_form->routeDrops(*m_drops);
}

// ---- Choosing the folder ----

bool frmVek::setFolderPath(const QString& folder) {
  return m_chooser->setFolderPath(folder);
}

// ---- Adds, drops and the list ----

void frmVek::setBusy(bool busy) {
  m_busy = busy;
  m_model->holdAppends(busy);
  m_sinceShown.start();
  m_form->holdControls(busy);
  menuBar()->setEnabled(!busy);
  if (busy) {
    // What the add cannot read is named once, when it ends.
    m_interaction.holdIncompleteNotice();
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
    applyAllAppendOption();
  }
}

void frmVek::applyAllAppendOption() {
  m_form->cmdAllAppend->setEnabled(!m_busy && !m_settings.option.allAppend);
}

void frmVek::rowsArrived() {
  // The list view lays out all its rows again whenever rows are announced, so during an add
  // they are announced a few times a second, not for every batch.
  if (m_busy && m_sinceShown.elapsed() < kShowInterval) return;
  m_model->flush();
  m_sinceShown.restart();
  if (m_busy) showCaptions(m_scanFolder);
}

void frmVek::addEnded() {
  if (!m_busy) return;
  setBusy(false);
  if (m_comparison->walking()) {
    m_comparison->finish(m_add.result());
    m_frmFileList->showListSorting();
    m_frmFileList->showSkipped(m_interaction.showIncompleteNotice());
    Q_EMIT addFinished();
    return;
  }
  const AddResult& result = m_add.result();
  switch (m_add.lastKind()) {
    case BackgroundAdd::Kind::CurrentFolder:
      m_chooser->refreshHistoryMenu();
      m_chooser->refreshFileBox();
      finishOperation(result.outcome == AddOutcome::Done);
      break;
    case BackgroundAdd::Kind::Subtree:
      finishOperation(result.outcome == AddOutcome::Done ||
                      result.outcome == AddOutcome::Cancelled);
      break;
    case BackgroundAdd::Kind::Drop:
      finishOperation(true);
      break;
    case BackgroundAdd::Kind::None:
      break;
  }
  m_frmFileList->showListSorting();
  m_frmFileList->showSkipped(m_interaction.showIncompleteNotice());
  Q_EMIT addFinished();
}

void frmVek::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    updateMinimumSize(*this);
  }
}

void frmVek::showCaptions(const QString& folder) {
  MainForm::setFrameCaption(m_form->frmInFile, MainForm::inFileCaption() + u'[' + folder + u']');
  setWindowTitle(QStringLiteral("Vek - ") + folder);
}

void frmVek::finishOperation(bool showCount) {
  m_model->flush();
  // The folder boxes show where the operation ended.
  const QString folder = currentFolder();
  if (m_scanFolder != folder && !setFolderPath(m_scanFolder)) setFolderPath(folder);
  showCaptions(currentFolder());  // the captions may still show a folder the scan passed
  if (showCount) m_frmFileList->showCount();
}

void frmVek::appendShownFiles() {
  if (m_busy || !m_chooser->confirmShownFolder() || !m_comparison->endBeforeAdding()) return;
  setBusy(true);
  m_add.startCurrentFolder(currentFolder());
}

void frmVek::appendSubtree() {
  if (m_busy || !m_chooser->confirmShownFolder() || !m_comparison->endBeforeAdding()) return;
  setBusy(true);
  m_add.startSubtree(currentFolder());
}

bool frmVek::dropMimeData(const QMimeData& mime) {
  if (m_busy || !mime.hasUrls()) return false;
  std::vector<DroppedItem> items = DropGlue::itemsOf(mime);
  if (items.empty() || !m_comparison->endBeforeAdding()) return false;
  setBusy(true);
  m_add.startDrop(std::move(items));
  return true;
}

// ---- Window events ----

void frmVek::closeEvent(QCloseEvent* event) {
  if (m_busy) {
    // An add is running: it ends now, as with キャンセル. A walk stuck in a folder read is
    // given a moment to end and is otherwise left behind; the process ends without it.
    m_add.cancel();
    m_add.waitForWalk(std::chrono::milliseconds(200));
  }
  rememberPlace(*this, m_window);
  m_window.shownFolder = folderText(currentFolder(), nativePathStyle());
  // The remembered output folder stays when no list was saved in this run.
  m_store.save(m_settings, m_window, m_window.saveInitialDir);
  event->accept();
}

void frmVek::dragEnterEvent(QDragEnterEvent* event) {
  m_drops->dragMove(*event);
}

void frmVek::dragMoveEvent(QDragMoveEvent* event) {
  m_drops->dragMove(*event);
}

void frmVek::dropEvent(QDropEvent* event) {
  m_drops->drop(*event);
}

}  // namespace vek
