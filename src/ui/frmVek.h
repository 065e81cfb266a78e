// The main window.
#pragma once

#include <QMainWindow>

namespace vek {

class frmVek : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmVek(const QString& folder = QString(), QWidget* parent = nullptr);
};

}  // namespace vek
