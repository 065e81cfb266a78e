// The command-line side of start-up: the usage text and the batch run, with the settings loaded
// before and saved after, talking to the person on standard output and standard error.
#pragma once

#include "batch/CommandLine.h"
#include "batch/ExitCode.h"

namespace vek {

// Runs the usage text or the batch run for `table` (startMode Usage or Batch) on the process's
// standard streams. Needs a QCoreApplication.
ExitCode runCommandLine(const ArgumentTable& table);

// Prints the version line ("vek 1.0.0 (YYYY/MM/DD)") on standard output. Needs no application
// object.
ExitCode printVersion();

// Standard input, output and error that were closed when the program started are taken by a
// read-only /dev/null, so that no file the program opens later lands on them (the usage text
// would go into Vek.ini) and a write to a closed standard output fails as it should.
void occupyClosedStandardStreams();

// Whether the window can be shown: a platform plugin chosen by QT_QPA_PLATFORM, or an X11 or
// Wayland display. False means QApplication would abort.
bool displayAvailable();
// The one line printed instead of Qt's abort when there is no display.
QByteArray noDisplayLine();
// Writes it to standard error.
void printNoDisplayLine();

// While it lives (around the construction of the QApplication), Qt's messages are held back.
// When Qt finds no platform it can open (an X server that does not answer, a WAYLAND_DISPLAY
// that leads nowhere, an unknown QT_QPA_PLATFORM, a platform without its device) it would print
// its diagnosis and abort; instead noDisplayLine() is printed and the process exits with 2, as
// when no display is named at all. Otherwise the held messages go out when it ends, as Qt would
// have printed them.
class NoDisplayGuard {
 public:
  NoDisplayGuard();
  ~NoDisplayGuard() { release(); }
  // Qt's own handling again, and the held messages out.
  void release();
  // The held messages are dropped (the caller reports that there is no display).
  void dropHeldMessages();
  NoDisplayGuard(const NoDisplayGuard&) = delete;
  NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;

 private:
  bool m_active = true;
};

}  // namespace vek
