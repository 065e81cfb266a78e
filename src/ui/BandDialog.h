// The look and keys the three settings dialogs share: a white band with a one-line
// description across the top, a separator line, the fields, the buttons "OK" and "ｷｬﾝｾﾙ"; on
// the controls a dialog names, Esc cancels, Enter confirms and F1 opens the local manual (the
// key rule of KeyedDialog).
#pragma once

#include "core/settings/Session.h"
#include "ui/KeyedDialog.h"

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace vek {

class BandDialog : public KeyedDialog {
  Q_OBJECT
 public:
  BandDialog(const QString& name, const QString& caption, const QString& bandText,
             const Session& session, QWidget* parent);

  // What OK does: store the fields and close (or refuse and stay open).
  virtual void ok() = 0;

 protected:
  // The area between the separator line and the buttons.
  QVBoxLayout* fieldsLayout() const { return m_fields; }
  // The row of the buttons; OK and ｷｬﾝｾﾙ stand at its right end.
  QHBoxLayout* buttonRow() const { return m_buttons; }
  // Enter on a control with the key rule (addKeyRule) is OK.
  void enterPressed() override { ok(); }

  QPushButton* m_cmdOK;
  QPushButton* m_cmdCansel;

 private:
  QVBoxLayout* m_fields;
  QHBoxLayout* m_buttons;
};

}  // namespace vek
