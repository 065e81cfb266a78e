#include "ui/ProgramIcon.h"

namespace vek {

QIcon programIcon() {
  QIcon icon;
  for (const char* size : {"32", "64", "256"}) {
    icon.addFile(QStringLiteral(":/icons/vek-") + QLatin1String(size) + QStringLiteral(".png"));
  }
  return icon;
}

}  // namespace vek
