#include "batch/CommandTestRun.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <memory>
#include <vector>
#endif

#include "batch/ShellWords.h"
#include "core/messages/MessageCatalogue.h"
#include "core/platform/FileNameBytes.h"
#include "core/text/TextCodec.h"

namespace vek {

namespace {

constexpr int kStillWorkingMilliseconds = 3000;
constexpr int kStopGraceMilliseconds = 3000;

// The run's messages as it wrote them on standard error ("警告: line" and indented further
// lines), as message lines.
QString runMessages(const QString& errors) {
  QStringList lines;
  const QString title = MessageCatalogue::warningTitle() + u": ";
  for (QString line : errors.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.startsWith(title)) {
      line.remove(0, title.size());
    } else if (line.startsWith(QStringLiteral("  "))) {
      line.remove(0, 2);
    }
    lines.append(line);
  }
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  return lines.join(QStringLiteral("\r\n"));
}

// Sets the program and arguments of `process`. QProcess passes them through the locale's
// encoding, which turns a byte that is not UTF-8 (held as U+DC80..U+DCFF) into the bytes of
// U+FFFD, another path; so the child starts the program itself with the exact bytes, just
// before QProcess would.
void setExactCommand(QProcess& process, const QStringList& words) {
  process.setProgram(words.first());
  process.setArguments(words.mid(1));
#ifdef Q_OS_UNIX
  struct Exact {
    std::vector<QByteArray> bytes;
    std::vector<char*> argv;
    bool sameProgramForQt = false;
  };
  auto exact = std::make_shared<Exact>();
  for (const QString& word : words) exact->bytes.push_back(encodeFileName(word));
  for (QByteArray& word : exact->bytes) exact->argv.push_back(word.data());
  exact->argv.push_back(nullptr);
  exact->sameProgramForQt = QFile::encodeName(words.first()) == exact->bytes.front();
  // Only async-signal-safe calls in the child: the arrays are ready.
  process.setChildProcessModifier([exact] {
    ::execv(exact->argv.front(), exact->argv.data());
    // Not started: when QProcess names the same program, it fails alike and says why;
    // otherwise it would start another one.
    if (!exact->sameProgramForQt) ::_exit(127);
  });
#endif
}

}  // namespace

CommandTestRun::CommandTestRun(QObject* parent) : QObject(parent) {
  m_stillWorking.setSingleShot(true);
  m_stillWorking.setInterval(kStillWorkingMilliseconds);
  connect(&m_stillWorking, &QTimer::timeout, this, &CommandTestRun::stillWorking);
}

CommandTestRun::~CommandTestRun() {
  abandon();
}

void CommandTestRun::start(const QString& line) {
  if (m_process) return;
  // The same words a shell would make of the line, started without a shell.
  const ShellWords split = splitShellWords(line, QDir::homePath());
  if (!split.ok() || split.words.isEmpty() || split.words.first().isEmpty()) {
    failedToStart();
    return;
  }
  QStringList words = split.words;
  // A bare program name is looked up on PATH, as a shell would.
  if (!words.first().contains(u'/')) {
    words.first() = QStandardPaths::findExecutable(words.first());
    if (words.first().isEmpty()) {
      failedToStart();
      return;
    }
  }
  m_stopRequested = false;
  m_process = new QProcess(this);
  setExactCommand(*m_process, words);
  // Not a terminal: the run asks nothing (the line already asked for a scan of a whole volume).
  m_process->setStandardInputFile(QProcess::nullDevice());
  m_process->setStandardOutputFile(QProcess::nullDevice());
  connect(m_process, &QProcess::finished, this, &CommandTestRun::finished);
  connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) failedToStart();
  });
  m_process->start();
  if (m_process) m_stillWorking.start();
}

void CommandTestRun::stop() {
  if (!m_process) return;
  m_stopRequested = true;
  m_process->terminate();
  QProcess* process = m_process;
  QTimer::singleShot(kStopGraceMilliseconds, process, [process] { process->kill(); });
}

void CommandTestRun::finished(int exitCode, QProcess::ExitStatus status) {
  Outcome outcome;
  outcome.end = m_stopRequested ? End::Stopped : End::Finished;
  outcome.exitCode = exitCode;
  outcome.crashed = status != QProcess::NormalExit;
  outcome.messages = runMessages(TextCodec::system().decode(m_process->readAllStandardError()));
  release();
  Q_EMIT ended(outcome);
}

void CommandTestRun::failedToStart() {
  release();
  Outcome outcome;
  outcome.end = End::FailedToStart;
  Q_EMIT ended(outcome);
}

void CommandTestRun::release() {
  m_stillWorking.stop();
  if (!m_process) return;
  m_process->disconnect(this);
  m_process->deleteLater();
  m_process = nullptr;
}

void CommandTestRun::abandon() {
  if (!m_process) return;
  m_process->disconnect(this);
  m_process->kill();
  m_process->waitForFinished(2000);
  release();
}

}  // namespace vek
