// The main window's place and size in twips, as Vek.ini keeps them: the screen and the sizes
// the stored ones are checked against, the place restored at start (never on no screen) and
// the place remembered at close.
#pragma once

class QWidget;

namespace vek {

struct WindowState;

// Before the settings are read: the screen's size, the smallest size and the design size (at
// least the window's natural one) in state.
void measureWindow(const QWidget& window, WindowState& state);
// The smallest size the window takes: the designed one, unless its controls need more at the
// current font.
void updateMinimumSize(QWidget& window);
// Moves and sizes window as state says; a place on no screen (a screen taken away since the
// last run) becomes the middle of the main screen.
void restorePlace(QWidget& window, const WindowState& state);
// The window's normal place and size (also when it is minimized or maximized) into state.
void rememberPlace(const QWidget& window, WindowState& state);

}  // namespace vek
