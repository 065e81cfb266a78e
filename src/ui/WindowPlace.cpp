#include "ui/WindowPlace.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "core/settings/WindowState.h"
#include "ui/Twips.h"

namespace vek {

namespace {

// The smallest window, in twips.
constexpr double kMinimumWidth = 5650;
constexpr double kMinimumHeight = 4950;
// The first window: the designed client area of 5625 x 6555 twips, at least the smallest size.
constexpr double kDesignWidth = 5650;
constexpr double kDesignHeight = 6555;

}  // namespace

QSize firstWindowSize(const QSize& area, const QSize& natural, const QSize& smallest) {
  // A title bar and the borders, which the window's own size leaves out.
  constexpr int kFrameWidth = 16;
  constexpr int kFrameHeight = 48;
  const int width =
      std::min(std::max(natural.width(), area.width() * 55 / 100), area.width() - kFrameWidth);
  const int height =
      std::min(std::max(natural.height(), area.height() * 85 / 100), area.height() - kFrameHeight);
  return QSize(width, height).expandedTo(smallest);
}

void measureWindow(const QWidget& window, WindowState& state) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen ? screen->availableVirtualGeometry() : QRect(0, 0, 1920, 1080);
  state.screenWidth = pixelsToTwips(desktop.right() + 1, window);
  state.screenHeight = pixelsToTwips(desktop.bottom() + 1, window);
  state.minimumWidth = kMinimumWidth;
  state.minimumHeight = kMinimumHeight;
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
  const QSize first = firstWindowSize(area.size(), window.sizeHint(), window.minimumSizeHint());
  state.designWidth = std::max(kDesignWidth, pixelsToTwips(first.width(), window));
  state.designHeight = std::max(kDesignHeight, pixelsToTwips(first.height(), window));
}

void updateMinimumSize(QWidget& window) {
  // Squeezed below their own smallest sizes the controls would be drawn over each other.
  const QSize designed(twipsToPixels(kMinimumWidth, window), twipsToPixels(kMinimumHeight, window));
  window.setMinimumSize(designed.expandedTo(window.minimumSizeHint()));
}

void restorePlace(QWidget& window, const WindowState& state) {
  QSize size(twipsToPixels(state.width, window), twipsToPixels(state.height, window));
  window.resize(size.expandedTo(window.minimumSizeHint()));
  QPoint place(twipsToPixels(state.left, window), twipsToPixels(state.top, window));
  // The middle of the title bar, where the person takes hold of the window, must be on a screen.
  constexpr int kTitleBarMiddle = 20;  // pixels below the window's top
  if (!QGuiApplication::screenAt(place + QPoint(window.width() / 2, kTitleBarMiddle))) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      place = area.topLeft() + QPoint(std::max(0, (area.width() - window.width()) / 2),
                                      std::max(0, (area.height() - window.height()) / 2));
    }
  }
  window.move(place);
}

void rememberPlace(const QWidget& window, WindowState& state) {
  const bool normal = !(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
  const QRect place = normal ? QRect(window.pos(), window.size()) : window.normalGeometry();
  state.left = pixelsToTwips(place.left(), window);
  state.top = pixelsToTwips(place.top(), window);
  state.width = pixelsToTwips(place.width(), window);
  state.height = pixelsToTwips(place.height(), window);
}

}  // namespace vek
