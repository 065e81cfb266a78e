#include "batch/CommandLineRun.h"

#include <cstdio>

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <QFile>

#include "batch/BatchRun.h"
#include "batch/ConsoleInteraction.h"
#include "batch/StartMode.h"
#include "core/ProgramFolder.h"

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

}  // namespace

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
  const ExitCode code =
      startMode(table) == StartMode::Usage ? run.printUsage(output) : run.runBatch(table.tokens);
  run.saveSettings();
  return code;
}

}  // namespace vek
