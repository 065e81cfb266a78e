#include "ui/FormScrollArea.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace vek {

namespace {
// Lines of the form a dialog keeps when a person makes it as low as it goes.
constexpr int kMinimumLines = 6;
// Lines shown above and below a control that takes the focus.
constexpr int kContextLines = 2;
}  // namespace

FormScrollArea::FormScrollArea(QWidget* form, QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidgetResizable(true);
  // The form's controls take the Tab stops; the area itself is no stop of its own.
  setFocusPolicy(Qt::NoFocus);
  setWidget(form);
  // The focus reaches a control by Tab, Shift+Tab, a click or an accelerator: every way shows it.
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { showFocused(now); });
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this,
          [this] { setScrolling(scrolls()); });
  watchChoices();
}

QSize FormScrollArea::sizeHint() const {
  const int frame = 2 * frameWidth();
  return {widget()->sizeHint().width() + frame, wholeHeight()};
}

QSize FormScrollArea::minimumSizeHint() const {
  const int frame = 2 * frameWidth();
  // A form that scrolls keeps its right edge beside the bar.
  const int width =
      widget()->minimumSizeHint().width() + frame + (m_scrolling ? scrollBarWidth() : 0);
  return {width, std::min(wholeHeight(), fontMetrics().height() * kMinimumLines + frame)};
}

int FormScrollArea::wholeHeight() const {
  return widget()->minimumSizeHint().height() + 2 * frameWidth();
}

int FormScrollArea::scrollBarWidth() const {
  return verticalScrollBar()->sizeHint().width();
}

void FormScrollArea::setScrolling(bool scrolling) {
  if (scrolling == m_scrolling) return;
  m_scrolling = scrolling;
  updateGeometry();
}

bool FormScrollArea::scrolls() const {
  return verticalScrollBar()->maximum() > verticalScrollBar()->minimum();
}

void FormScrollArea::watchChoices() {
  for (QWidget* choice : widget()->findChildren<QWidget*>()) {
    if (qobject_cast<QComboBox*>(choice) || qobject_cast<QAbstractSpinBox*>(choice) ||
        qobject_cast<QAbstractSlider*>(choice)) {
      choice->installEventFilter(this);
      // Nor does the wheel give it the focus on its way past.
      QList<QWidget*> parts = choice->findChildren<QWidget*>();
      parts.append(choice);
      for (QWidget* part : parts) {
        if (part->focusPolicy() == Qt::WheelFocus) part->setFocusPolicy(Qt::StrongFocus);
      }
    }
  }
}

bool FormScrollArea::eventFilter(QObject* watched, QEvent* event) {
  // A choice turns with the wheel only when the person went to it; a form that is scrolled
  // through with the wheel would otherwise change what the pointer passes over.
  if (event->type() == QEvent::Wheel && scrolls()) {
    // The area watches its own scroll bars too.
    auto* choice = qobject_cast<QWidget*>(watched);
    if (choice && widget()->isAncestorOf(choice) && !choice->hasFocus()) {
      QCoreApplication::sendEvent(verticalScrollBar(), event);
      return true;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

void FormScrollArea::showFocused(QWidget* focused) {
  if (!focused || !widget()->isAncestorOf(focused)) return;
  // The whole control and two lines around it (its frame's caption), not only its text
  // cursor, which is what ensureWidgetVisible() shows of a box one types in.
  const QRect control(focused->mapTo(widget(), QPoint()), focused->size());
  ensureVisible(control.center().x(), control.center().y(), control.width() / 2,
                control.height() / 2 + fontMetrics().height() * kContextLines);
}

}  // namespace vek
