// An option-button group as the dialogs use it: buttons with ids 0, 1, …, named after the group
// with their index (optDir_0, optDir_1, …), the group itself named after the group, so that a
// test or a screen reader finds both.
#pragma once

#include <type_traits>

#include <QStringList>

class QButtonGroup;
class QRadioButton;
class QWidget;

namespace vek {

enum class CaptionRule { BlueWhenSelected, None };

// Creates one button per caption (an empty caption gives a button without text) in a group
// owned by parent, with the caption colour rule attached unless told otherwise.
QButtonGroup* createOptionGroup(QWidget* parent, const QString& name, const QStringList& captions,
                                CaptionRule rule = CaptionRule::BlueWhenSelected);
QRadioButton* optionButton(QButtonGroup* group, int index);
// Selects the button of index, clamped into the group's range.
void selectOption(QButtonGroup* group, int index);
// The selected index, or 0 when none is selected.
int selectedOption(const QButtonGroup* group);

// The same for a setting that is an enum class whose values are the button indexes.
template <class E>
requires std::is_enum_v<E>
void selectOption(QButtonGroup* group, E choice) {
  selectOption(group, int(choice));
}
template <class E>
requires std::is_enum_v<E> E selectedOption(const QButtonGroup* group) {
  return E(selectedOption(group));
}

}  // namespace vek
