#include "ui/FilterKeyScreen.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "gather/FilterPresets.h"
#include "ui/WindowDialogs.h"

namespace vek {

namespace {

// The typed text without its refused characters. They are all ASCII, so a surrogate half is
// never one of them and the text can be read unit by unit.
QString allowedPart(const QString& typed) {
  QString kept;
  kept.reserve(typed.size());
  for (const QChar c : typed) {
    if (isFilterKeyAllowed(c.unicode())) kept += c;
  }
  return kept;
}

}  // namespace

FilterKeyScreen::FilterKeyScreen(WindowDialogs& dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs) {}

void FilterKeyScreen::watch(QWidget* box) {
  box->installEventFilter(this);
  // Keys that reach the edit field itself are screened there too.
  if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit()) {
    combo->lineEdit()->installEventFilter(this);
  }
}

bool FilterKeyScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Ctrl and Ctrl+Shift make shortcuts (Ctrl+V pastes), not text, as the edit field decides.
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
      return false;
    }
    const QString kept = allowedPart(key->text());
    if (kept.size() == key->text().size()) return false;
    m_dialogs.beep();
    // Keys pressed in quick succession may arrive as one event: the others still go in.
    if (!kept.isEmpty()) {
      QKeyEvent rest(QEvent::KeyPress, key->key(), key->modifiers(), kept, key->isAutoRepeat(),
                     key->count());
      QCoreApplication::sendEvent(watched, &rest);
    }
    return true;
  }
  if (event->type() == QEvent::InputMethod) {
    auto* input = static_cast<QInputMethodEvent*>(event);
    const QString kept = allowedPart(input->commitString());
    if (kept.size() == input->commitString().size()) return false;
    m_dialogs.beep();
    QInputMethodEvent rest(input->preeditString(), input->attributes());
    rest.setCommitString(kept, input->replacementStart(), input->replacementLength());
    QCoreApplication::sendEvent(watched, &rest);
    return true;
  }
  return false;
}

}  // namespace vek
