#include "ui/frmVek.h"

#include <algorithm>
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

#include "core/messages/PrintedPath.h"
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
  connectControls();
  auto* exports = new ListExports(*this, m_dialogs, *m_form->cmdOutList, *m_form->cmdOutHtml,
                                  *m_form->cmdOutXML);
  new WindowMenus(
      *this, m_dialogs, *m_chooser, *m_form->filter, *m_frmFileList, m_programFolder,
      [this] { compareWithList(); },
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
  m_comparison.reset();
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
    cancelListRead();
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
  if (m_comparing) {
    finishComparison(m_add.result().outcome == AddOutcome::Done);
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

bool frmVek::endComparisonFirst() {
  if (!m_list.holdsComparison()) return true;
  m_model->flush();
  const qint64 gone =
      std::count_if(m_list.rows().begin(), m_list.rows().end(), &FileList::isFromSavedListOnly);
  // Rows of an add beside rows with a state would claim a comparison nobody made for them.
  QString text =
      tr("リストには比較の結果が表示されています。比較を終えて追加しますか？\r\n"
         "「はい」: 状態が消え、今はないファイルの行（%1 件）がリストから除かれます。\r\n"
         "「いいえ」: 何も追加せず、比較の結果をそのまま表示します。")
          .arg(gone);
  if (!m_interaction.askYesNo({tr("リストと比較"), text, MessageIcon::Question})) return false;
  m_list.endComparison();
  m_model->flush();
  m_frmFileList->showCount();
  m_frmFileList->showListSorting();
  return true;
}

void frmVek::appendShownFiles() {
  if (m_busy || !m_chooser->confirmShownFolder() || !endComparisonFirst()) return;
  setBusy(true);
  m_add.startCurrentFolder(currentFolder());
}

void frmVek::appendSubtree() {
  if (m_busy || !m_chooser->confirmShownFolder() || !endComparisonFirst()) return;
  setBusy(true);
  m_add.startSubtree(currentFolder());
}

bool frmVek::dropMimeData(const QMimeData& mime) {
  if (m_busy || !mime.hasUrls()) return false;
  std::vector<DroppedItem> items = DropGlue::itemsOf(mime);
  if (items.empty() || !endComparisonFirst()) return false;
  setBusy(true);
  m_add.startDrop(std::move(items));
  return true;
}

void frmVek::compareWithList() {
  if (m_busy) return;
  const std::optional<QString> path = m_dialogs.chooseOpenFile(
      this, tr("比較するリスト"), tr("Vekのリスト (*.json *.csv *.txt);;すべてのファイル (*)"),
      m_window.saveInitialDir);
  if (!path) return;
  // Read on a thread of its own, under the progress window: a huge list or one on a share that
  // hangs never stops the window, and キャンセル ends the wait at once (the read is dropped).
  m_comparison = std::make_unique<ComparisonRun>(m_settings, m_interaction);
  const int number = ++m_comparisons;
  m_readingList = true;
  setBusy(true);
  m_interaction.clearCancelRequested();
  m_interaction.showProgress(tr("リストと比較"), tr("保存されたリストを読み込んでいます。"), *path,
                             -1, 0);
  m_comparison->startReading({*path}, [this, number] {
    // Runs here unless the window has gone, which waits for this thread first.
    QMetaObject::invokeMethod(
        this,
        [this, number] {
          if (m_readingList && number == m_comparisons) savedListRead();
        },
        Qt::QueuedConnection);
  });
}

void frmVek::cancelListRead() {
  if (!m_readingList) return;
  m_readingList = false;
  m_comparison->cancelReading();
  m_interaction.closeProgress();
  setBusy(false);
  Q_EMIT addFinished();
}

void frmVek::savedListRead() {
  m_readingList = false;
  m_interaction.closeProgress();
  setBusy(false);
  const auto stop = [this](const std::optional<Message>& message) {
    m_comparison.reset();
    if (message) m_interaction.showMessage(*message);
    Q_EMIT addFinished();
  };
  if (const std::optional<Message> refusal = m_comparison->finishReading()) return stop(refusal);
  const QString folder = folderText(currentFolder(), nativePathStyle());
  if (const auto outside = m_comparison->anchorTo(folder)) return stop(outside);
  // A list of another folder matches its paths below that folder with those below this one:
  // rarely meant, and every file would read as removed and added.
  const QString listFolder = m_comparison->lists().front().inputFolder;
  if (!listFolder.isEmpty() && QDir::cleanPath(listFolder) != QDir::cleanPath(folder) &&
      !m_interaction.askYesNo(
          {tr("リストと比較"),
           tr("このリストは別のフォルダから作られています。\r\n"
              "リストのフォルダ: %1\r\n比較するフォルダ: %2\r\n"
              "このまま比較しますか？（ファイルはフォルダ内のパスで照らし合わせます）")
               .arg(printedPath(folderWithoutSeparator(listFolder, nativePathStyle())),
                    printedPath(currentFolder())),
           MessageIcon::Question})) {
    return stop(std::nullopt);
  }
  if (!m_list.isEmpty() &&
      !m_dialogs.askOkCancel(
          this, {tr("リストと比較"), tr("出力対象ﾌｧｲﾙﾘｽﾄの内容を比較の結果に置き換えます。"),
                 MessageIcon::Question})) {
    return stop(std::nullopt);
  }
  m_comparing = true;
  m_frmFileList->clearButton()->click();
  setBusy(true);
  m_scanFolder = currentFolder();
  if (m_comparison->walksSubfolders()) {
    m_add.startSubtree(currentFolder());
  } else {
    m_add.startCurrentFolder(currentFolder());
  }
}

void frmVek::finishComparison(bool walked) {
  m_comparing = false;
  const std::unique_ptr<ComparisonRun> run = std::move(m_comparison);
  m_model->flush();
  if (!walked) {
    // A walk that was cancelled or failed is no comparison: nothing is shown as its result.
    m_frmFileList->clearButton()->click();
    m_interaction.showMessage({tr("リストと比較"),
                               tr("フォルダの読み込みが中断されたため、比較は行いませんでした。"),
                               MessageIcon::Warning});
    return;
  }
  // No digests are compared here, so there is always a result.
  run->walked(m_add.result());
  ComparisonResult result = *run->compareWithFolder(m_list.rows(), HashKind::None, SameRows::Keep);
  m_list.clear();
  m_list.appendBatch(std::move(result.rows));
  m_model->flush();
  finishOperation(true);
  Message summary = ComparisonRun::summary(result);
  summary.text = run->lists().front().path + u"\r\n" + summary.text;
  for (const QString& note : run->notes()) summary.text += u"\r\n" + note;
  m_interaction.showMessage(summary);
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
