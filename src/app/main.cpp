// Chooses the batch run (two or more arguments: no window, no display needed) or the window.
#include <QApplication>

#include "ui/frmVek.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vek::frmVek window(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  window.show();
  return app.exec();
}
