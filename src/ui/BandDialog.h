// The look and keys the three settings dialogs share: a white band with a one-line
// description across the top, a separator line, the fields, the buttons "OK" and "ｷｬﾝｾﾙ"; on
// the controls a dialog names, Esc cancels, Enter confirms and F1 opens the local manual.
#pragma once

#include <QDialog>

#include "core/settings/Session.h"

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace vek {

class BandDialog : public QDialog {
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
  // Esc, Enter and F1 act as described above while control (or, for an editable box, its
  // editor) has the focus.
  void addKeyRule(QWidget* control);
  // A control on which Enter keeps its own meaning although Esc and F1 follow the rule.
  void addKeyRuleExceptEnter(QWidget* control);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

  QPushButton* m_cmdOK;
  QPushButton* m_cmdCansel;
  const Session& m_session;

 private:
  void openManual() const;

  QVBoxLayout* m_fields;
  QHBoxLayout* m_buttons;
};

}  // namespace vek
