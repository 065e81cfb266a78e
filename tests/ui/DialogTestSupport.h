// What the dialog tests share: finding controls by name, pressing keys, and a session whose
// save question and opener are answered and recorded by the test (no real modal loop).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include "core/Session.h"

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

// Empties an editable combo box and types text into it key by key, its window active and the
// box focused, as a person does (completion, when on, takes part).
inline void typeIntoCombo(QComboBox* combo, QWidget* window, const QString& text) {
  combo->lineEdit()->clear();
  QApplication::setActiveWindow(window);
  combo->lineEdit()->setFocus();
  typeText(combo->lineEdit(), text);
}

// The user's click: a check box changes its tick, an option button gets selected.
inline void click(QAbstractButton* button) {
  button->click();
}

// A session in window mode whose save question answers with `answerPath` (or cancels when
// it is empty) and whose opener records what it was asked to open.
struct AnsweringSession {
  AnsweringSession() {
    session.setSaveQuestion([this](const QString& filter, QString& path) {
      filters.append(filter);
      if (answerPath.isEmpty()) return true;
      path = answerPath;
      return false;
    });
    session.setOpener([this](const QString& path) { opened.append(path); });
  }

  Session session;
  QString answerPath;
  QStringList filters;
  QStringList opened;
};

}  // namespace vek::test
