// The choice of the program folder.
#include "core/settings/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/text/PathRules.h"

namespace vek {

namespace {

// Absolute and clean, ending in exactly one "/".
QString asFolder(const QString& path) {
  return folderText(QDir::cleanPath(QDir(path).absolutePath()), PathStyle::Posix);
}

}  // namespace

ProgramFolder::Inputs ProgramFolder::environment() {
  Inputs inputs;
  inputs.vekHome = qEnvironmentVariable("VEK_HOME");
  inputs.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  inputs.homeFolder = QDir::homePath();
  inputs.executableFolder = QCoreApplication::instance()
                                ? QCoreApplication::applicationDirPath()
                                : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
  return inputs;
}

ProgramFolder::ProgramFolder(const Inputs& inputs)
    : m_home(asFolder(inputs.homeFolder.isEmpty() ? QDir::rootPath() : inputs.homeFolder)) {
  if (!inputs.vekHome.isEmpty()) {
    m_kind = Kind::Chosen;
    m_path = asFolder(inputs.vekHome);
  } else if (!inputs.executableFolder.isEmpty() &&
             QFileInfo::exists(asFolder(inputs.executableFolder) + u"Vek.ini")) {
    m_kind = Kind::Portable;
    m_path = asFolder(inputs.executableFolder);
  } else {
    m_kind = Kind::User;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    const QString config =
        !inputs.xdgConfigHome.isEmpty() && QDir::isAbsolutePath(inputs.xdgConfigHome)
            ? inputs.xdgConfigHome
            : m_home + u".config";
    m_path = asFolder(config + u"/vek");
  }
  if (!QFileInfo(m_path).isDir() && !QDir().mkpath(m_path))
    m_createError = QStringLiteral("cannot create the folder ") + m_path;
}

QString ProgramFolder::defaultWorkingFolder() const {
  return m_kind == Kind::User ? m_home : m_path;
}

QString programFolder() {
  return ProgramFolder(ProgramFolder::environment()).path();
}

QString defaultWorkingFolder() {
  return ProgramFolder(ProgramFolder::environment()).defaultWorkingFolder();
}

}  // namespace vek
