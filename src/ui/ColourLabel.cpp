#include "ui/ColourLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vek {

ColourLabel::ColourLabel(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  // Reachable with the keyboard too: Space or Enter opens the colour dialog.
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(fontMetrics().height() * 3, fontMetrics().height() + 8);
  setColour(0);
}

void ColourLabel::setColour(Colour colour) {
  m_colour = colour;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, toQColor(colour));
  setPalette(palette);
}

QColor ColourLabel::shownColour() const {
  return palette().color(QPalette::Window);
}

QColor ColourLabel::toQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour ColourLabel::fromQColor(const QColor& colour) {
  return Colour(colour.red() + 256 * colour.green() + 65536 * colour.blue());
}

void ColourLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    Q_EMIT clicked();
  QLabel::mouseReleaseEvent(event);
}

void ColourLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    Q_EMIT clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace vek
