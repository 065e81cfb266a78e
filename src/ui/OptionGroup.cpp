#include "ui/OptionGroup.h"

#include <algorithm>

#include <QButtonGroup>
#include <QRadioButton>

#include "ui/CaptionColour.h"

namespace vek {

QButtonGroup* createOptionGroup(QWidget* parent, const QString& name, const QStringList& captions,
                                CaptionRule rule) {
  auto* group = new QButtonGroup(parent);
  group->setObjectName(name);
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i], parent);
    button->setObjectName(name + u'_' + QString::number(i));
    group->addButton(button, i);
  }
  if (rule == CaptionRule::BlueWhenSelected) followSelectionColour(group);
  return group;
}

QRadioButton* optionButton(QButtonGroup* group, int index) {
  return static_cast<QRadioButton*>(group->button(index));
}

void selectOption(QButtonGroup* group, int index) {
  const int last = int(group->buttons().size()) - 1;
  group->button(std::clamp(index, 0, last))->setChecked(true);
}

int selectedOption(const QButtonGroup* group) {
  return std::max(group->checkedId(), 0);
}

}  // namespace vek
