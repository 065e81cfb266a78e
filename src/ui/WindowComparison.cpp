#include "ui/WindowComparison.h"

#include <algorithm>

#include <QDir>
#include <QPushButton>

#include "compare/ComparisonRun.h"
#include "core/messages/PrintedPath.h"
#include "core/text/PathRules.h"
#include "gather/BackgroundAdd.h"
#include "ui/FileListModel.h"
#include "ui/OutputListPane.h"
#include "ui/WindowDialogs.h"
#include "ui/frmVek.h"

namespace vek {

WindowComparison::WindowComparison(frmVek& window, WindowDialogs& dialogs, BackgroundAdd& add,
                                   OutputListPane& pane, Hooks hooks)
    : QObject(&window),
      m_window(window),
      m_dialogs(dialogs),
      m_add(add),
      m_pane(pane),
      m_hooks(std::move(hooks)) {}

WindowComparison::~WindowComparison() {
  // A saved list still being read stops at its next block; its result is dropped.
  m_run.reset();
}

bool WindowComparison::endBeforeAdding() {
  FileList& list = m_window.list();
  if (!list.holdsComparison()) return true;
  FileListModel& model = m_window.listModel();
  model.flush();
  const qint64 gone =
      std::count_if(list.rows().begin(), list.rows().end(), &FileList::isFromSavedListOnly);
  // Rows of an add beside rows with a state would claim a comparison nobody made for them.
  QString text =
      tr("リストには比較の結果が表示されています。比較を終えて追加しますか？\r\n"
         "「はい」: 状態が消え、今はないファイルの行（%1 件）がリストから除かれます。\r\n"
         "「いいえ」: 何も追加せず、比較の結果をそのまま表示します。")
          .arg(gone);
  if (!m_window.interaction().askYesNo({tr("リストと比較"), text, MessageIcon::Question}))
    return false;
  list.endComparison();
  model.flush();
  m_pane.showCount();
  m_pane.showListSorting();
  return true;
}

void WindowComparison::start() {
  if (m_window.isBusy()) return;
  const std::optional<QString> path = m_dialogs.chooseOpenFile(
      &m_window, tr("比較するリスト"), tr("Vekのリスト (*.json *.csv *.txt);;すべてのファイル (*)"),
      m_window.windowSettings().saveInitialDir);
  if (!path) return;
  // Read on a thread of its own, under the progress window: a huge list or one on a share that
  // hangs never stops the window, and キャンセル ends the wait at once (the read is dropped).
  WindowInteraction& interaction = m_window.interaction();
  m_run = std::make_unique<ComparisonRun>(m_window.settings(), interaction);
  const int number = ++m_started;
  m_readingList = true;
  m_hooks.setBusy(true);
  interaction.clearCancelRequested();
  interaction.showProgress(tr("リストと比較"), tr("保存されたリストを読み込んでいます。"), *path,
                           -1, 0);
  m_run->startReading({*path}, [this, number] {
    // Runs here unless the window has gone, which waits for this thread first.
    QMetaObject::invokeMethod(
        this,
        [this, number] {
          if (m_readingList && number == m_started) savedListRead();
        },
        Qt::QueuedConnection);
  });
}

void WindowComparison::cancelReading() {
  if (!m_readingList) return;
  m_readingList = false;
  m_run->cancelReading();
  m_window.interaction().closeProgress();
  m_hooks.setBusy(false);
  Q_EMIT endedUnwalked();
}

void WindowComparison::savedListRead() {
  WindowInteraction& interaction = m_window.interaction();
  m_readingList = false;
  interaction.closeProgress();
  m_hooks.setBusy(false);
  const auto stop = [this, &interaction](const std::optional<Message>& message) {
    m_run.reset();
    if (message) interaction.showMessage(*message);
    Q_EMIT endedUnwalked();
  };
  if (const std::optional<Message> refusal = m_run->finishReading()) return stop(refusal);
  const QString folder = folderText(m_window.currentFolder(), nativePathStyle());
  if (const auto outside = m_run->anchorTo(folder)) return stop(outside);
  // A list of another folder matches its paths below that folder with those below this one:
  // rarely meant, and every file would read as removed and added.
  const QString listFolder = m_run->lists().front().inputFolder;
  if (!listFolder.isEmpty() && QDir::cleanPath(listFolder) != QDir::cleanPath(folder) &&
      !interaction.askYesNo(
          {tr("リストと比較"),
           tr("このリストは別のフォルダから作られています。\r\n"
              "リストのフォルダ: %1\r\n比較するフォルダ: %2\r\n"
              "このまま比較しますか？（ファイルはフォルダ内のパスで照らし合わせます）")
               .arg(printedPath(folderWithoutSeparator(listFolder, nativePathStyle())),
                    printedPath(m_window.currentFolder())),
           MessageIcon::Question})) {
    return stop(std::nullopt);
  }
  if (!m_window.list().isEmpty() &&
      !m_dialogs.askOkCancel(
          &m_window, {tr("リストと比較"), tr("出力対象ﾌｧｲﾙﾘｽﾄの内容を比較の結果に置き換えます。"),
                      MessageIcon::Question})) {
    return stop(std::nullopt);
  }
  m_walking = true;
  m_pane.clearButton()->click();
  m_hooks.setBusy(true);
  m_hooks.walkStarting(m_window.currentFolder());
  if (m_run->walksSubfolders()) {
    m_add.startSubtree(m_window.currentFolder());
  } else {
    m_add.startCurrentFolder(m_window.currentFolder());
  }
}

void WindowComparison::finish(const AddResult& walk) {
  m_walking = false;
  const std::unique_ptr<ComparisonRun> run = std::move(m_run);
  FileList& list = m_window.list();
  FileListModel& model = m_window.listModel();
  model.flush();
  if (walk.outcome != AddOutcome::Done) {
    // A walk that was cancelled or failed is no comparison: nothing is shown as its result.
    m_pane.clearButton()->click();
    m_window.interaction().showMessage(
        {tr("リストと比較"), tr("フォルダの読み込みが中断されたため、比較は行いませんでした。"),
         MessageIcon::Warning});
    return;
  }
  // No digests are compared here, so there is always a result.
  run->walked(walk);
  ComparisonResult result = *run->compareWithFolder(list.rows(), HashKind::None, SameRows::Keep);
  list.clear();
  list.appendBatch(std::move(result.rows));
  model.flush();
  m_hooks.showWalked();
  Message summary = ComparisonRun::summary(result);
  summary.text = run->lists().front().path + u"\r\n" + summary.text;
  for (const QString& note : run->notes()) summary.text += u"\r\n" + note;
  m_window.interaction().showMessage(summary);
}

}  // namespace vek
