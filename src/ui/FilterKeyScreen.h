// The key screen of the filter and path boxes: a character that cannot be part of a file-name
// pattern typed there (isFilterKeyAllowed) is dropped with a beep, whether it comes from a key
// or from an input method's finished text. Pasted and dropped text is not screened: it is
// taken whole, as the person chose it, since a file name may hold any of these characters.
#pragma once

#include <QObject>

class QWidget;

namespace vek {

class WindowDialogs;

class FilterKeyScreen : public QObject {
  Q_OBJECT
 public:
  FilterKeyScreen(WindowDialogs& dialogs, QObject* parent);

  // Screens what is typed into a line edit or an editable combo box. A combo box is its edit
  // field's focus proxy and hands the keys on itself, so the keys are screened where they
  // arrive, on the combo box.
  void watch(QWidget* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WindowDialogs& m_dialogs;
};

}  // namespace vek
