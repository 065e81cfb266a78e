// Start-up: reads the arguments and chooses the window (none, or one folder), the usage text, or
// the batch run. The batch run and the usage text need no display: they run on a
// QCoreApplication, and no window class is constructed.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <QApplication>
#include <QCoreApplication>

#include "batch/CommandLine.h"
#include "batch/CommandLineRun.h"
#include "batch/ExitCode.h"
#include "batch/StartMode.h"
#include "core/platform/FileNameBytes.h"
#include "core/settings/InterfaceLanguage.h"
#include "core/settings/ProgramVersion.h"
#include "gather/ScanThread.h"
#include "ui/ProgramIcon.h"
#include "ui/QtTranslation.h"
#include "ui/frmVek.h"

namespace {

// With TZ unset glibc checks /etc/localtime again on every local-time conversion, which makes a
// scan several times slower. Naming the file once gives the same zone without the cost. An empty
// TZ (UTC) is the person's choice and stays.
void useLocalTimeZoneFile() {
  if (!qEnvironmentVariableIsSet("TZ")) {
    qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
    tzset();
  }
}

}  // namespace

int main(int argc, char** argv) {
  vek::occupyClosedStandardStreams();
  useLocalTimeZoneFile();

  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(vek::decodeFileName(argv[i]));
  const vek::ArgumentTable table = vek::argumentTable(arguments);
  const vek::LanguageInputs languageInputs = vek::LanguageInputs::environment();
  const vek::InterfaceLanguage language = vek::chooseInterfaceLanguage(languageInputs);
  // Type descriptions, month and day names follow QLocale: VEK_LANG over a locale of the other
  // language sets it too, so that they speak the interface's language.
  if (const auto locale = vek::localeToFollow(languageInputs)) QLocale::setDefault(*locale);

  switch (vek::startMode(table)) {
    case vek::StartMode::Version:
      return vek::exitStatus(vek::printVersion());
    case vek::StartMode::Usage:
    case vek::StartMode::Batch: {
      QCoreApplication app(argc, argv);
      vek::installInterfaceLanguage(language);
      return vek::exitStatus(vek::runCommandLine(table));
    }
    case vek::StartMode::Window:
    case vek::StartMode::WindowWithFolder:
      break;
  }

  // Checked before QApplication, which would abort without a display; a display that is named
  // but cannot be opened is caught while QApplication tries it.
  if (!vek::displayAvailable()) {
    vek::printNoDisplayLine();
    return vek::exitStatus(vek::ExitCode::BadCommandLine);
  }
  vek::NoDisplayGuard guard;
  QApplication app(argc, argv);
  // A platform that opened without a screen (a frame buffer that is not there) cannot show
  // the window either.
  if (!QGuiApplication::primaryScreen()) {
    guard.dropHeldMessages();
    vek::printNoDisplayLine();
    return vek::exitStatus(vek::ExitCode::BadCommandLine);
  }
  guard.release();
  // Qt's standard buttons and dialogs speak the program's language: Japanese needs Qt's own
  // translation, English is the language Qt is written in.
  vek::installInterfaceLanguage(language);
  if (language == vek::InterfaceLanguage::Japanese) vek::installQtTranslation();
  // The icon of every window, and the desktop entry (vek.desktop) the desktop matches it with.
  QApplication::setWindowIcon(vek::programIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("vek"));
  int status = 0;
  {
    vek::frmVek window(vek::frmVek::defaultOptions(table.token(1)));
    window.show();
    status = app.exec();
  }
  // A walk still hung in a folder read of a stale share, left behind when the window went,
  // would outlive the program's static objects it uses: the process ends without them.
  if (vek::ScanThread::walksLeftBehind()) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
