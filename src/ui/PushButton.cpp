#include "ui/PushButton.h"

#include <QPushButton>

namespace vek {

QPushButton* createPushButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace vek
