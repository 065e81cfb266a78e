// What the Main section of Vek.ini holds besides Settings: the main window's place and size,
// the folder it shows and the shared save dialog's folder and chosen file. The window and the
// batch run both fill it, so both load and save the same file.
#pragma once

#include <QString>

namespace vek {

struct WindowState {
  // Twips. Fractions are possible (a centred window), and are written with a decimal point.
  double top = 0;
  double left = 0;
  double width = 0;
  double height = 0;
  // The screen's size in twips; a batch run with no screen uses a stand-in size.
  double screenWidth = 0;
  double screenHeight = 0;
  // The window's design size, used on first start.
  double designWidth = 5650;
  double designHeight = 4950;
  // The smallest size the window takes; a stored size below it, or one larger than the screen,
  // is replaced by it.
  double minimumWidth = 5650;
  double minimumHeight = 4950;

  QString shownFolder;     // DefaultInDir as read (after its fallback) and the folder shown at exit
  QString saveInitialDir;  // the save dialog's initial folder, ends in the separator
  QString saveFileName;    // the file chosen in the save dialog during this run; empty if none
};

}  // namespace vek
