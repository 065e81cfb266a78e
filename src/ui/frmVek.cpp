#include "ui/frmVek.h"

#include <QFileInfo>

namespace vek {

frmVek::frmVek(const QString& folder, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmVek"));
  // A start folder that is not an existing folder is ignored without a message.
  const bool showFolder = !folder.isEmpty() && QFileInfo(folder).isDir();
  setWindowTitle(showFolder ? QStringLiteral("Vek - ") + folder : QStringLiteral("Vek"));
  resize(5650 / 15, 4950 / 15);
}

}  // namespace vek
