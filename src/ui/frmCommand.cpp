#include "ui/frmCommand.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

#include "batch/CommandComposer.h"
#include "batch/CommandReadBack.h"
#include "batch/OutputType.h"
#include "core/dates/DateFormatter.h"
#include "core/messages/MessageCatalogue.h"
#include "core/platform/FileNameBytes.h"
#include "core/platform/FileSystem.h"
#include "core/platform/HashKind.h"
#include "core/text/ListEncoding.h"
#include "core/text/PathRules.h"
#include "gather/FilterPresets.h"
#include "ui/FormScrollArea.h"
#include "ui/OptionGroup.h"
#include "ui/WindowDialogs.h"

namespace vek {

namespace {

const QString kDateDefault = QStringLiteral("YYYYMMDDHHmm");

// The file name a run gets for /F: the name of the file last chosen, without its extension (a
// run adds the extension of its type; keeping the old one would give "list.csv.csv").
QString lastFileName(const QString& lastOutputFile) {
  QString name = lastOutputFile.mid(lastOutputFile.lastIndexOf(u'/') + 1);
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot > 0) name.truncate(dot);
  return name.isEmpty() ? QStringLiteral("filelist") : name;
}

}  // namespace

frmCommand::frmCommand(Session& session, WindowDialogs& dialogs, const QString& programFolder,
                       const Prefill& prefill, QWidget* parent)
    : KeyedDialog(session, parent),
      m_dialogs(dialogs),
      m_programFolder(programFolder),
      m_prefill(prefill) {
  setObjectName(QStringLiteral("frmCommand"));
  setWindowTitle(tr("ｺﾏﾝﾄﾞﾗｲﾝｼﾞｪﾈﾚｰﾀ"));
  setModal(true);
  if (m_prefill.executable.isEmpty())
    m_prefill.executable = QCoreApplication::applicationFilePath();
  buildControls();

  connect(&m_testRun, &CommandTestRun::stillWorking, this, [this] {
    m_lblTestRunning->show();
    m_cmdStopTest->show();
  });
  connect(&m_testRun, &CommandTestRun::ended, this, &frmCommand::testRunOver);

  // Load: the date pattern, then the presets (the filter text becomes the first preset line).
  applyTypeRule();
  fileNameOptionChanged();
  loadFilterPresets();
  if (m_prefill.filter) m_cmbFilter->setEditText(*m_prefill.filter);

  // What the main window hands over. A start folder without its "/" is the program's or home
  // folder that the save dialog falls back on: it is shown too, as the folder a run would
  // write to, rather than an empty box that makes the run refuse /O.
  m_txtInPath->setText(m_prefill.inPath);
  QString outFolder = m_prefill.outFolder;
  if (!outFolder.endsWith(u'/') && !FileSystem::folderExists(outFolder)) outFolder.clear();
  m_txtOutPath->setText(folderText(outFolder, PathStyle::Posix));
  m_txtTitle->setText(m_prefill.title);
  recompose();
}

frmCommand::~frmCommand() {
  abandonTestRun();
}

void frmCommand::applyTypeRule() {
  const bool takesEncoding = kOutputTypes[selectedOption(m_optType)].takesEncoding;
  m_lblTextCode->setEnabled(takesEncoding);
  m_cmbTextCode->setEnabled(takesEncoding);
}

void frmCommand::loadFilterPresets() {
  m_loadedPresets = vek::loadFilterPresets(m_programFolder);
  if (!m_loadedPresets) return;  // unreadable: the box keeps what it had, as the main window's does
  m_cmbFilter->clear();
  m_cmbFilter->addItems(*m_loadedPresets);
  m_cmbFilter->setEditText(m_loadedPresets->isEmpty() ? QString() : m_loadedPresets->first());
}

void frmCommand::fileNameOptionChanged() {
  m_txtOutName->setText(m_optOutPath->checkedId() == 1 ? lastFileName(m_prefill.lastOutputFile)
                                                       : kDateDefault);
}

CommandForm frmCommand::form() const {
  CommandForm form;
  form.executable = m_prefill.executable;
  form.inPath = m_txtInPath->text();
  form.outPath = m_txtOutPath->text();
  form.type = kOutputTypes[selectedOption(m_optType)].type;
  form.dateName = m_optOutPath->checkedId() == 0;
  form.outName = m_txtOutName->text();
  form.filter = m_cmbFilter->currentText();
  form.title = m_txtTitle->text();
  const int sortButton = m_optSortKey->checkedId();
  form.sortKey = isListColumn(sortButton) ? std::optional(ListColumn(sortButton)) : std::nullopt;
  form.subfolders = m_chkSubDir->isChecked();
  if (const int encoding = m_cmbTextCode->currentData().toInt(); encoding >= 0)
    form.encoding = ListEncoding(encoding);
  form.hash = HashKind(m_cmbHash->currentData().toInt());
  form.checksumFile = m_chkSumFile->isChecked();
  form.excluded = m_walk.excluded;
  form.hiddenFiles = m_walk.hiddenFiles;
  form.oneFileSystem = m_walk.oneFileSystem;
  return form;
}

void frmCommand::recompose() {
  const CommandForm current = form();
  const QString line = composeCommand(current);
  const QDateTime now = QDateTime::currentDateTime();
  m_readBackProblem = readBackProblem(
      current, line, [now](const QString& pattern) { return formatDateTime(now, pattern); });
  m_settingLine = true;
  m_txtCommand->setPlainText(line);
  m_settingLine = false;
  m_line = CommandBoxText(line, m_txtCommand->toPlainText());
  commandChanged();
}

QString frmCommand::currentLine() const {
  return m_line.withEdit(m_txtCommand->toPlainText());
}

void frmCommand::commandChanged() {
  // A line the person edited is theirs: the run says what it makes of it.
  const bool edited = m_txtCommand->toPlainText() != m_line.shown();
  const QString line = currentLine();
  const bool pastable = !holdsRawBytes(line);
  QStringList notes;
  if (!edited && !m_readBackProblem.isEmpty()) notes.append(m_readBackProblem);
  // A terminal turns a pasted CR into LF, and a tab into completion, whatever the quoting.
  const bool controls = std::any_of(line.begin(), line.end(), [](QChar c) {
    return (c.unicode() < 0x20 && c != u'\n') || c.unicode() == 0x7F;
  });
  if (pastable && controls) {
    notes.append(
        tr("制御文字（CR、タブなど）を含むため、"
           "このコマンドは端末に貼り付けると違う意味に読まれることがあります。"));
  }
  if (!pastable) {
    notes.append(
        tr("UTF-8で表せない名前を含むため、"
           "このコマンドは貼り付けても同じ意味になりません。\n"
           "リスト作成のテストはこのまま実行できます。"));
  }
  const QString note = notes.join(u'\n');
  const bool newNote =
      !note.isEmpty() && (m_lblCommandNote->isHidden() || note != m_lblCommandNote->text());
  m_lblCommandNote->setText(note);
  m_lblCommandNote->setVisible(!note.isEmpty());
  fitNote();
  // A new note takes its height from the form; the dialog gives it back where the screen can.
  if (newNote) growForForm(*m_fields);
  m_cmdCopy->setEnabled(pastable);
  m_testOffered = edited || m_readBackProblem.isEmpty();
  m_cmdMakeTest->setEnabled(m_testOffered && !m_testRun.running());
}

void frmCommand::fitNote() {
  if (!isVisible() || m_lblCommandNote->isHidden()) return;
  // The note's height at the width it has, as its minimum: the layout takes the minimum into
  // the dialog's, where a height for a width it would not.
  layout()->activate();
  const int noteHeight = m_lblCommandNote->heightForWidth(m_lblCommandNote->width());
  if (noteHeight != m_lblCommandNote->minimumHeight()) {
    m_lblCommandNote->setMinimumHeight(noteHeight);
    layout()->activate();
  }
  const int needed = layout()->totalMinimumSize().height();
  if (needed > height()) resize(width(), needed);
}

void frmCommand::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  fitNote();
}

void frmCommand::browse(QLineEdit* box) {
  const std::optional<QString> chosen =
      m_dialogs.chooseFolder(this, tr("ﾌｫﾙﾀﾞを選択してください"), box->text());
  if (!chosen) return;
  if (chosen->isEmpty()) {
    showMessage(
        MessageCatalogue::warning({tr("指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。"),
                                   tr("指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。")}));
    return;
  }
  if (!FileSystem::folderExists(*chosen)) {
    showMessage(MessageCatalogue::warning(
        {tr("指定されたパスからファイル情報を取得できません。"), tr("パスを変更してください。")}));
    return;
  }
  box->setText(*chosen);
}

void frmCommand::copyCommand() {
  // The line as composed, not as the box gives it back; a line whose names cannot travel as
  // text is not offered (the note under the box says so).
  const QString line = currentLine();
  if (holdsRawBytes(line)) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(line);
  showMessage({QStringLiteral("Vek"), tr("コマンドをクリップボードにコピーしました。"),
               MessageIcon::Information});
}

bool frmCommand::testRunning() const {
  return m_testRun.running();
}

void frmCommand::startTestRun() {
  if (m_testRun.running() || !m_testOffered) return;
  setCursor(Qt::WaitCursor);
  m_cmdMakeTest->setEnabled(false);
  m_testRun.start(currentLine());
}

void frmCommand::stopTestRun() {
  m_testRun.stop();
}

void frmCommand::testRunOver(const CommandTestRun::Outcome& outcome) {
  endTestRun();
  switch (outcome.end) {
    case CommandTestRun::End::Stopped:
      showMessage({QStringLiteral("Vek"), tr("リスト作成のテストを中止しました。"),
                   MessageIcon::Information});
      break;
    case CommandTestRun::End::FailedToStart:
      showMessage(MessageCatalogue::warning(
          {tr("テスト作成でエラーが発生しました。"), tr("正しいコマンドを構築してください。")}));
      break;
    case CommandTestRun::End::Finished:
      if (!outcome.crashed && outcome.exitCode == 0) {
        // Notices of the run (characters the encoding could not hold) follow the success line.
        QString text = tr("%1 にリストを出力しました。").arg(m_txtOutPath->text());
        if (!outcome.messages.isEmpty()) text += QStringLiteral("\r\n\r\n") + outcome.messages;
        showMessage({tr("テスト完了"), text, MessageIcon::Information});
      } else {
        QString text = outcome.messages;
        if (text.isEmpty()) {
          text =
              outcome.crashed
                  ? tr("リスト作成のテストが異常終了しました。")
                  : tr("リスト作成のテストが終了コード %1 で終わりました。").arg(outcome.exitCode);
          text += tr("\r\nリストは出力されていません。");
        }
        showMessage(MessageCatalogue::warning(text));
      }
      break;
  }
  Q_EMIT testRunEnded();
}

void frmCommand::endTestRun() {
  m_lblTestRunning->hide();
  m_cmdStopTest->hide();
  unsetCursor();
  m_cmdMakeTest->setEnabled(m_testOffered);
}

void frmCommand::abandonTestRun() {
  if (!m_testRun.running()) return;
  m_testRun.abandon();
  endTestRun();
}

void frmCommand::showMessage(const Message& message) {
  m_dialogs.showMessage(this, message);
}

void frmCommand::showEvent(QShowEvent* event) {
  // Sized before the dialog places itself over its window, which keeps it on the screen.
  if (!event->spontaneous()) fitScreen(*m_fields);
  QDialog::showEvent(event);
  fitNote();
  growForForm(*m_fields);
}

void frmCommand::reject() {
  // Closing stops a test run still going: nobody is left to hear how it ended.
  abandonTestRun();
  QDialog::reject();
}

}  // namespace vek
