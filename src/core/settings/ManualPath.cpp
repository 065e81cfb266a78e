// The search for the local manual.
#include "core/settings/ManualPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/settings/ProgramFolder.h"

namespace vek {

QString manualPath(const QString& programFolder, const QString& executableFolder,
                   InterfaceLanguage language) {
  QStringList folders;
  if (!programFolder.isEmpty()) folders.append(programFolder);
  if (!executableFolder.isEmpty()) {
    folders.append(executableFolder);
    folders.append(executableFolder + u"/" VEK_DATA_FROM_BIN);
  }
  QStringList candidates;
  for (const QString& folder : folders) {
    if (language == InterfaceLanguage::English) candidates.append(folder + u"/readme-en.htm");
    candidates.append(folder + u"/readme.htm");
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
