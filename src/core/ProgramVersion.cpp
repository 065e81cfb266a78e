// VEK_VERSION and VEK_RELEASE_DATE come from CMakeLists.txt.
#include "core/ProgramVersion.h"

namespace vek {

QString programVersion() { return QStringLiteral(VEK_VERSION); }

QString releaseDate() { return QStringLiteral(VEK_RELEASE_DATE); }

QString versionLine() { return u"vek " + programVersion() + u" (" + releaseDate() + u')'; }

}  // namespace vek
