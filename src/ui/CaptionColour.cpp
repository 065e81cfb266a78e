#include "ui/CaptionColour.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPalette>
#include <QWidget>

namespace vek {

namespace {

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

void colourGroup(QButtonGroup* group) {
  for (QAbstractButton* button : group->buttons()) setCaptionBlue(button, button->isChecked());
}

}  // namespace

void setCaptionBlue(QWidget* widget, bool blue) {
  QPalette palette = widget->palette();
  for (QPalette::ColorGroup state : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(state, QPalette::WindowText, blue ? kBlue : kBlack);
    palette.setColor(state, QPalette::ButtonText, blue ? kBlue : kBlack);
  }
  widget->setPalette(palette);
}

bool isCaptionBlue(const QWidget* widget) {
  return widget->palette().color(QPalette::Active, QPalette::WindowText) == kBlue;
}

void followCheckColour(QAbstractButton* checkBox) {
  setCaptionBlue(checkBox, checkBox->isChecked());
  QObject::connect(checkBox, &QAbstractButton::toggled, checkBox,
                   [checkBox](bool checked) { setCaptionBlue(checkBox, checked); });
}

void followSelectionColour(QButtonGroup* group) {
  colourGroup(group);
  QObject::connect(group, &QButtonGroup::idToggled, group, [group] { colourGroup(group); });
}

}  // namespace vek
