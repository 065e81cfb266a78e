// A label that shows one of the HTML page's colours as its background and is clicked to change
// it. It keeps the stored integer (red + 256 × green + 65536 × blue) as it is until the person
// picks another colour, so a value the colour dialog could not give is not rewritten.
#pragma once

#include <QLabel>

#include "core/settings/Settings.h"

namespace vek {

class ColourLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ColourLabel(const QString& name, QWidget* parent = nullptr);

  Colour colour() const { return m_colour; }
  void setColour(Colour colour);
  // The colour as the screen shows it.
  QColor shownColour() const;

  static QColor toQColor(Colour colour);
  static Colour fromQColor(const QColor& colour);

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Colour m_colour = 0;
};

}  // namespace vek
