#include "ui/frmVek.h"

namespace vek {

frmVek::frmVek(const QString& folder, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmVek"));
  setWindowTitle(folder.isEmpty() ? QStringLiteral("Vek") : QStringLiteral("Vek - ") + folder);
  resize(5650 / 15, 4950 / 15);
}

}  // namespace vek
