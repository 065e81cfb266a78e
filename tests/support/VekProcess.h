// Runs the built vek executable (VEK_EXE) the way a shell script would: no display, a program
// folder of its own, nothing on standard input.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vek::test {

struct VekRun {
  int exitCode = -1;  // -1 when it crashed or did not finish
  QString out, err;
};

struct VekRunOptions {
  QString home;           // VEK_HOME, the program folder
  QString workingFolder;  // empty: this process's own
  // As the user "nobody" when this process is root; these folders are then opened to others.
  bool unprivileged = false;
  QStringList foldersToOpen;
  QString pathPrefix;  // put before PATH
  int threads = 0;     // VEK_THREADS; 0 leaves the machine's default
  // NAME=value entries set last (a display, for instance).
  QStringList environment;
  // The child's address space in bytes (RLIMIT_AS); 0 leaves it as it is.
  quint64 addressSpace = 0;
  // How long runVek waits before it kills the child and fails the test.
  int timeoutMs = 120000;
};

VekRun runVek(const QStringList& arguments, const VekRunOptions& options);

// Starts vek as runVek does and returns at once, for a test that acts on the running process.
void startVek(QProcess& process, const QStringList& arguments, const VekRunOptions& options);

}  // namespace vek::test
