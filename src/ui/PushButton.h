// A push button as the windows make them: named for tests and screen readers, and never the
// default button, so Enter in a text box does not press it.
#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace vek {

QPushButton* createPushButton(const QString& name, const QString& caption, QWidget* parent);

}  // namespace vek
