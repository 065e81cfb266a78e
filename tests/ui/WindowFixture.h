// A main window over a temporary tree: its program folder (Vek.ini, filter.txt), a data tree,
// scripted dialogs, and helpers that find controls by name.
#pragma once

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QHeaderView>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>
#include <QTreeView>

#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "support/TempTree.h"
#include "ui/frmVek.h"

namespace vek::test {

class WindowFixture : public ::testing::Test {
 protected:
  frmVek& open(const QString& startFolder = QString()) {
    tree.folder(QStringLiteral("program"));
    tree.folder(QStringLiteral("work"));
    window.reset();
    window = std::make_unique<frmVek>(frmVek::Options{tree.path(QStringLiteral("program")),
                                                      tree.path(QStringLiteral("work")),
                                                      startFolder, &dialogs});
    return *window;
  }

  template <typename T>
  T* child(const char* name) const {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // Clicks a button as a person does and, when the click started an add, waits in the event
  // loop until the window says it has ended.
  void click(const char* name) const {
    child<QPushButton>(name)->click();
    waitForAdd();
  }
  void waitForAdd() const {
    if (!window->isBusy()) return;
    QEventLoop loop;
    QObject::connect(window.get(), &frmVek::addFinished, &loop, &QEventLoop::quit);
    loop.exec();
  }
  // The dialog of type T that the window shows now, or null.
  template <typename T>
  T* shownDialog() const {
    for (T* dialog : window->findChildren<T*>())
      if (dialog->isVisible()) return dialog;
    return nullptr;
  }
  // Waits in the event loop, as the person does, until the dialog of type T has closed: an
  // export that reads digests first ends after its click has returned.
  template <typename T>
  void waitUntilClosed() const {
    while (shownDialog<T>()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // Presses the button of the dialog of type T that the window shows now.
  template <typename T>
  void clickInDialog(const char* button) const {
    T* dialog = shownDialog<T>();
    ASSERT_NE(dialog, nullptr) << button;
    auto* control = dialog->template findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(control, nullptr) << button;
    control->click();
  }

  QStringList fileBox() const {
    auto* model = qobject_cast<QStringListModel*>(child<QListView>("filGetFile")->model());
    return model ? model->stringList() : QStringList();
  }
  QStringList listedNames() const {
    QStringList names;
    for (const FileEntry& entry : window->list().rows()) names.append(entry.fileName());
    return names;
  }
  QString frameCaption(const char* name) const { return child<QGroupBox>(name)->title(); }
  void setFilter(const QString& text) const { child<QComboBox>("cmbFilter")->setEditText(text); }
  QString iniText() const {
    return QString::fromUtf8(tree.read(QStringLiteral("program/Vek.ini")));
  }

  TempTree tree;
  ScriptedDialogs dialogs;
  std::unique_ptr<frmVek> window;
};

}  // namespace vek::test
