// VEK_VERSION, VEK_RELEASE_DATE and VEK_HOME_PAGE come from CMakeLists.txt.
#include "core/settings/ProgramVersion.h"

namespace vek {

QString programVersion() {
  return QStringLiteral(VEK_VERSION);
}

QString releaseDate() {
  return QStringLiteral(VEK_RELEASE_DATE);
}

QString homePage() {
  return QStringLiteral(VEK_HOME_PAGE);
}

QString versionLine() {
  return u"vek " + programVersion() + u" (" + releaseDate() + u')';
}

}  // namespace vek
