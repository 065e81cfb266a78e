#include "core/settings/Session.h"

#include <QCoreApplication>

#include "core/settings/ManualPath.h"

namespace vek {

void Session::openManual() const {
  const QString manual = m_programFolder.isEmpty()
                             ? manualPath()
                             : manualPath(m_programFolder, QCoreApplication::applicationDirPath());
  if (!manual.isEmpty()) openWithAssociatedApp(manual);
}

}  // namespace vek
