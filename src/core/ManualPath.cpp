// The search for the local manual.
#include "core/ManualPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/ProgramFolder.h"

namespace vek {

QString manualPath(const QString& programFolder, const QString& executableFolder) {
  QStringList candidates;
  if (!programFolder.isEmpty()) candidates.append(programFolder + u"/readme.htm");
  if (!executableFolder.isEmpty()) {
    candidates.append(executableFolder + u"/readme.htm");
    candidates.append(executableFolder + u"/" VEK_DATA_FROM_BIN "/readme.htm");
  }
  for (const QString& candidate : candidates) {
    const QFileInfo info(candidate);
    if (info.isFile()) return QDir::cleanPath(info.absoluteFilePath());
  }
  return {};
}

QString manualPath() {
  const ProgramFolder::Inputs inputs = ProgramFolder::environment();
  return manualPath(ProgramFolder(inputs).path(), inputs.executableFolder);
}

}  // namespace vek
