// The caption colour rule of the writer dialogs: a ticked check box or a selected option button
// shows its caption in blue, every other one in black. A disabled control keeps the toolkit's
// grey, so the colour is set for the active and inactive states only.
#pragma once

class QAbstractButton;
class QButtonGroup;
class QWidget;

namespace vek {

void setCaptionBlue(QWidget* widget, bool blue);
bool isCaptionBlue(const QWidget* widget);

// A check box's caption follows its tick from now on (and is set once at once).
void followCheckColour(QAbstractButton* checkBox);
// The selected button of the group blue, the others black; set once and on every change.
void followSelectionColour(QButtonGroup* group);

}  // namespace vek
