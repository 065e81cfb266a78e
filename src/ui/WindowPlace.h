// The main window's place and size in twips, as Vek.ini keeps them: the screen and the sizes
// the stored ones are checked against, the place restored at start (never on no screen) and
// the place remembered at close.
#pragma once

#include <QSize>

class QWidget;

namespace vek {

struct WindowState;

// Before the settings are read: the screen's size, the smallest size and the size of a first
// start (firstWindowSize on the main screen's available area) in state.
void measureWindow(const QWidget& window, WindowState& state);
// The size, in pixels, of the window on a first start on a screen whose available area (without
// panels) is area: about half its width and most of its height, at least the window's natural
// size, while leaving room for the title bar and borders the window manager adds; never below
// smallest.
QSize firstWindowSize(const QSize& area, const QSize& natural, const QSize& smallest);
// The smallest size the window takes: the designed one, unless its controls need more at the
// current font.
void updateMinimumSize(QWidget& window);
// Moves and sizes window as state says; a place on no screen (a screen taken away since the
// last run) becomes the middle of the main screen.
void restorePlace(QWidget& window, const WindowState& state);
// The window's normal place and size (also when it is minimized or maximized) into state.
void rememberPlace(const QWidget& window, WindowState& state);

}  // namespace vek
