#include "support/VekProcess.h"

#include <sys/resource.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "support/Unprivileged.h"

namespace vek::test {

void startVek(QProcess& process, const QStringList& arguments, const VekRunOptions& options) {
  QString program = qEnvironmentVariable("VEK_EXE");
  QStringList programArguments = arguments;
  if (options.unprivileged) {
    // Root reads every folder; permissions only mean something to an ordinary user.
    programArguments = unprivilegedCommand(QStringList{program} + arguments);
    program = programArguments.takeFirst();
    openToOthers(options.foldersToOpen);
  }
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("VEK_HOME"), options.home);
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    env.remove(QString::fromLatin1(name));
  if (!options.pathPrefix.isEmpty())
    env.insert(QStringLiteral("PATH"),
               options.pathPrefix + u':' + env.value(QStringLiteral("PATH")));
  if (options.threads > 0)
    env.insert(QStringLiteral("VEK_THREADS"), QString::number(options.threads));
  for (const QString& entry : options.environment)
    env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
  process.setProcessEnvironment(env);
  if (!options.workingFolder.isEmpty()) process.setWorkingDirectory(options.workingFolder);
  if (const quint64 limit = options.addressSpace) {
    process.setChildProcessModifier([limit] {
      const rlimit bound{rlim_t(limit), rlim_t(limit)};
      ::setrlimit(RLIMIT_AS, &bound);
    });
  }
  process.start(program, programArguments);
  process.closeWriteChannel();
}

VekRun runVek(const QStringList& arguments, const VekRunOptions& options) {
  QProcess process;
  startVek(process, arguments, options);
  VekRun result;
  if (!process.waitForFinished(options.timeoutMs)) {
    ADD_FAILURE() << "vek did not finish: " << process.errorString().toStdString();
    process.kill();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = QString::fromUtf8(process.readAllStandardOutput());
  result.err = QString::fromUtf8(process.readAllStandardError());
  return result;
}

}  // namespace vek::test
