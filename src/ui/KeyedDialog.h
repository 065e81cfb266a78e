// What Vek's own dialogs share beyond QDialog: on the controls a dialog names, Esc cancels,
// Enter does the dialog's main act and F1 opens the local manual; and a dialog whose form may
// be taller than the screen fits itself to the screen it opens on, the form scrolling.
#pragma once

#include <optional>

#include <QDialog>
#include <QRect>

namespace vek {

class FormScrollArea;
class Session;

class KeyedDialog : public QDialog {
  Q_OBJECT
 public:
  // F1 opens the manual through the session's opener.
  KeyedDialog(const Session& session, QWidget* parent);

  // The part of the screen the dialog fits in when shown: by default the available geometry
  // (less the panels) of the screen it opens on.
  void setAvailableGeometry(const QRect& area) { m_availableGeometry = area; }

 protected:
  // The white band with black text that a dialog's description stands on, across its top.
  static void paintBand(QWidget& band);

  // What Enter does on a control that follows the key rule.
  virtual void enterPressed() = 0;

  // Esc, Enter and F1 act as described above while control (or, for an editable box, its
  // editor) has the focus.
  void addKeyRule(QWidget* control);
  // A control on which Enter keeps its own meaning although Esc and F1 follow the rule.
  void addKeyRuleExceptEnter(QWidget* control);
  void openManual() const;

  // The whole form where the screen has room for it; otherwise as high as the screen allows,
  // with the form scrolling. For a dialog about to be shown.
  void fitScreen(FormScrollArea& form);
  // Makes the dialog taller by what its form lacks (after another part took some of its
  // height), as far as the screen has room.
  void growForForm(FormScrollArea& form);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QRect availableArea() const;
  // The height the screen has for the dialog without its title bar and frame.
  int roomHeight() const;

  const Session& m_keysSession;
  std::optional<QRect> m_availableGeometry;
};

}  // namespace vek
