#include "ui/KeyedDialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>

#include "core/settings/Session.h"
#include "ui/FormScrollArea.h"

namespace vek {

namespace {

const char* const kEnterKeepsMeaning = "vekEnterKeepsMeaning";

}  // namespace

KeyedDialog::KeyedDialog(const Session& session, QWidget* parent)
    : QDialog(parent), m_keysSession(session) {}

void KeyedDialog::paintBand(QWidget& band) {
  band.setAutoFillBackground(true);
  QPalette white = band.palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  band.setPalette(white);
}

void KeyedDialog::addKeyRule(QWidget* control) {
  control->installEventFilter(this);
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
    combo->lineEdit()->installEventFilter(this);
}

void KeyedDialog::addKeyRuleExceptEnter(QWidget* control) {
  control->setProperty(kEnterKeepsMeaning, true);
  addKeyRule(control);
}

void KeyedDialog::openManual() const {
  m_keysSession.openManual();
}

bool KeyedDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  // A drop-down list is a window of its own, where Esc and Enter act on the list.
  if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() != this)
    return QDialog::eventFilter(watched, event);
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
      reject();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (watched->property(kEnterKeepsMeaning).toBool()) break;
      enterPressed();
      return true;
    case Qt::Key_F1:
      openManual();
      return true;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void KeyedDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    openManual();
    return;
  }
  QDialog::keyPressEvent(event);
}

void KeyedDialog::fitScreen(FormScrollArea& form) {
  form.setScrolling(false);
  layout()->activate();
  // As low as the dialog goes with the whole form in it, as wide as it asks to be.
  const QSize least = minimumSizeHint();
  QSize size(std::max(sizeHint().width(), least.width()),
             least.height() + form.wholeHeight() - form.minimumSizeHint().height());
  const int room = roomHeight();
  if (size.height() > room) {
    size.setHeight(std::max(room, least.height()));
    size.rwidth() += form.scrollBarWidth();
    form.setScrolling(true);
  }
  resize(size);
}

void KeyedDialog::growForForm(FormScrollArea& form) {
  if (!isVisible()) return;
  layout()->activate();
  const int lacking = form.wholeHeight() - form.height();
  const int room = roomHeight();
  if (lacking > 0 && height() < room) resize(width(), std::min(height() + lacking, room));
}

QRect KeyedDialog::availableArea() const {
  if (m_availableGeometry) return *m_availableGeometry;
  // The dialog opens over the window it belongs to, on that window's screen.
  const QWidget* owner = parentWidget() ? parentWidget()->window() : this;
  const QScreen* screen = owner->screen();
  return screen ? screen->availableGeometry() : QRect();
}

int KeyedDialog::roomHeight() const {
  const QRect area = availableArea();
  if (area.isEmpty()) return QWIDGETSIZE_MAX;
  // The title bar and frame: this window's, or before the window manager gave it any, those of
  // the window it belongs to.
  int frame = frameGeometry().height() - height();
  if (frame <= 0 && parentWidget()) {
    const QWidget* owner = parentWidget()->window();
    frame = owner->frameGeometry().height() - owner->height();
  }
  return area.height() - std::max(frame, 0);
}

}  // namespace vek
