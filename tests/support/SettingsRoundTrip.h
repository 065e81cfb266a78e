// A Vek.ini in a temporary folder, saved from and loaded into Settings the way the program does,
// for the tests of the sections Vek keeps of its own.
#pragma once

#include <QByteArray>
#include <QString>

#include "core/settings/Settings.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/WindowState.h"
#include "support/TempTree.h"

namespace vek::test {

class SettingsRoundTrip {
 public:
  SettingsRoundTrip() {
    m_window.screenWidth = 28800;
    m_window.screenHeight = 21600;
  }
  // Saves settings and returns the file's bytes; empty when the save failed.
  QByteArray save(const Settings& settings) {
    if (!saveSettings(path(), settings, m_window, folder())) return QByteArray();
    return m_tree.read(QStringLiteral("Vek.ini"));
  }
  bool load(Settings& settings) { return loadSettings(path(), settings, m_window, folder()); }

 private:
  QString path() const { return m_tree.path(QStringLiteral("Vek.ini")); }
  QString folder() const { return m_tree.root() + u'/'; }

  TempTree m_tree;
  WindowState m_window;
};

}  // namespace vek::test
