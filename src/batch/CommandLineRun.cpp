#include "batch/CommandLineRun.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QFile>

#include "batch/BatchRun.h"
#include "batch/ConsoleInteraction.h"
#include "batch/StartMode.h"
#include "core/messages/Message.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramVersion.h"
#include "core/text/TextCodec.h"

namespace vek {

namespace {

#ifdef Q_OS_WIN
bool isTerminal(FILE* stream) {
  return _isatty(_fileno(stream)) != 0;
}
int terminalColumns() {
  return 80;
}
#else
bool isTerminal(FILE* stream) {
  return isatty(fileno(stream)) == 1;
}
int terminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}
#endif

// Standard output is buffered: a full disk or a closed stream shows only when the buffer is
// flushed, which must happen before the exit status is chosen, not at exit.
bool flushStandardOutput(QString* reason) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  const int error = errno ? errno : EIO;
  *reason = QString::fromLocal8Bit(std::strerror(error));
  return false;
}

Message cannotWriteOutput(const QString& reason) {
  return MessageCatalogue::warning(
      {QCoreApplication::translate("CommandLineRun", "標準出力に書き込めませんでした。"), reason});
}

}  // namespace

ExitCode printVersion() {
  const QByteArray line = TextCodec::system().encode(QString(versionLine() + u'\n'));
  std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
  QString reason;
  if (flushStandardOutput(&reason)) return ExitCode::Success;
  const QByteArray text =
      TextCodec::system().encode(ConsoleInteraction::formatMessage(cannotWriteOutput(reason)));
  std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
  return ExitCode::WriteFailed;
}

void occupyClosedStandardStreams() {
#ifndef Q_OS_WIN
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = ::open("/dev/null", O_RDONLY);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
#endif
}

bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

void printNoDisplayLine() {
  const QByteArray line = noDisplayLine();
  std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
  std::fflush(stderr);
}

QByteArray noDisplayLine() {
  return QByteArrayLiteral(
      "vek: no display: the window needs a graphical session (DISPLAY or WAYLAND_DISPLAY is not "
      "set or cannot be opened); the command-line form is vek /I path /O path /T type /F "
      "filename (vek /? lists every switch)\n");
}

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray file, function, category;
  int line;
  QString text;
};

QtMessageHandler g_previousHandler = nullptr;
// The platform plugin may log from a thread of its own.
std::mutex g_heldMutex;
std::vector<HeldMessage> g_heldMessages;

void releaseHeldMessages() {
  std::vector<HeldMessage> held;
  {
    const std::lock_guard lock(g_heldMutex);
    held.swap(g_heldMessages);
  }
  // A field Qt left null stays null.
  const auto text = [](const QByteArray& bytes) {
    return bytes.isNull() ? nullptr : bytes.constData();
  };
  for (const HeldMessage& message : held) {
    const QMessageLogContext context(text(message.file), message.line, text(message.function),
                                     text(message.category));
    g_previousHandler(message.type, context, message.text);
  }
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    const std::lock_guard lock(g_heldMutex);
    g_heldMessages.push_back(
        {type, context.file, context.function, context.category, context.line, text});
    return;
  }
  // While the application is made, a fatal error is the display's: none of the platforms Qt
  // tried could be opened ("no Qt platform plugin could be initialized"), or the one it opened
  // found no device ("Could not find DRM device!").
  printNoDisplayLine();
  // Nothing was loaded or changed yet; the half-made application must not be torn down.
  std::_Exit(exitStatus(ExitCode::BadCommandLine));
}

}  // namespace

NoDisplayGuard::NoDisplayGuard() {
  g_previousHandler = qInstallMessageHandler(holdMessage);
}

void NoDisplayGuard::release() {
  if (!m_active) return;
  m_active = false;
  qInstallMessageHandler(g_previousHandler);
  releaseHeldMessages();
}

void NoDisplayGuard::dropHeldMessages() {
  const std::lock_guard lock(g_heldMutex);
  g_heldMessages.clear();
}

ExitCode runCommandLine(const ArgumentTable& table) {
  QFile output, errors, input;
  output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
  errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
  input.open(stdin, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
  ConsoleInteraction console(errors, isTerminal(stderr), input, isTerminal(stdin),
                             terminalColumns());

  const ProgramFolder folder(ProgramFolder::environment());
  BatchRun run(folder.path(), folder.defaultWorkingFolder(), console);
  run.loadSettings();
  run.loadPresets();
  ExitCode code;
  if (startMode(table) == StartMode::Usage) {
    code = run.printUsage(output);
    QString reason;
    if (!flushStandardOutput(&reason) || code != ExitCode::Success) {
      console.showMessage(cannotWriteOutput(reason.isEmpty() ? output.errorString() : reason));
      code = ExitCode::WriteFailed;
    }
  } else {
    code = run.runBatch(table.tokens);
    // A list that was written (or a comparison that found nothing different) but leaves out
    // what could not be read or hashed says so, naming each one; a failure or a difference
    // keeps its own status.
    console.writeIncompleteReport();
    if (code == ExitCode::Success && !console.incomplete().empty()) code = ExitCode::Incomplete;
  }
  run.saveSettings();
  run.leaveListToTheSystem();  // the process ends next
  return code;
}

}  // namespace vek
