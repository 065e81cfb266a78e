// What the dialog tests share: finding controls by name, pressing keys, and a session whose
// save question and opener are answered and recorded by the test (no real modal loop).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "core/settings/Session.h"

namespace vek::test {

// The named child of the given type; fails the test when there is none.
template <class T>
T* child(const QObject* parent, const QString& name) {
  T* found = parent->findChild<T*>(name);
  EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
  return found;
}

inline void pressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

// Typing text key by key, as a person does (completion and the like take part).
inline void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

// Gives a control the keyboard focus as a person does, by a click on it in its active window:
// the click lands on whatever part of the control lies under the point (the edit field of an
// editable combo box), by default its middle.
inline void clickToFocus(QWidget* control, QPoint at = QPoint()) {
  QWidget* window = control->window();
  if (!window->isVisible()) window->show();
  QApplication::setActiveWindow(window);
  if (at.isNull()) at = control->rect().center();
  QWidget* target = control->childAt(at);
  if (!target) target = control;
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(control, at));
}

// Types text key by key into whatever has the keyboard focus, as a keyboard does.
// Characters beyond ASCII come as keys without a key code, as a keyboard layout gives them.
inline void typeIntoFocus(const QString& text) {
  for (const QChar c : text) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr) << "nothing has the keyboard focus";
    if (c.unicode() < 0x80) {
      QTest::keyClick(focused, char(c.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, focused, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Presses a key on whatever has the keyboard focus, as a keyboard does.
inline void pressKeyInFocus(Qt::Key key) {
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr) << "nothing has the keyboard focus";
  QTest::keyClick(focused, key);
}

// Empties an editable combo box and types text into it key by key after a click on it, as a
// person does (completion, when on, takes part).
inline void typeIntoCombo(QComboBox* combo, const QString& text) {
  combo->lineEdit()->clear();
  clickToFocus(combo);
  typeIntoFocus(text);
}

// The user's click: a check box changes its tick, an option button gets selected.
inline void click(QAbstractButton* button) {
  button->click();
}

// A session in window mode whose save question answers with `answerPath` (or cancels when
// it is empty) and whose opener records what it was asked to open.
struct AnsweringSession {
  AnsweringSession() {
    session.setSaveQuestion([this](const QString& filter) -> std::optional<QString> {
      filters.append(filter);
      if (answerPath.isEmpty()) return std::nullopt;
      return answerPath;
    });
    session.setOpener([this](const QString& path) { opened.append(path); });
  }

  Session session;
  QString answerPath;
  QStringList filters;
  QStringList opened;
};

}  // namespace vek::test
