// A Vek.ini in a temporary folder, saved from and loaded into Settings the way the program does,
// for the tests of the sections Vek keeps of its own; and the same in memory, for a file made
// line by line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/WindowState.h"
#include "support/TempTree.h"

namespace vek::test {

class SettingsRoundTrip {
 public:
  SettingsRoundTrip() : m_window(window()) {}
  // Saves settings and returns the file's bytes; empty when the save failed.
  QByteArray save(const Settings& settings) {
    if (!saveSettings(path(), settings, m_window, folder())) return QByteArray();
    return m_tree.read(QStringLiteral("Vek.ini"));
  }
  bool load(Settings& settings) { return loadSettings(path(), settings, m_window, folder()); }

  // Writes settings into ini as a save does.
  static void write(IniFile& ini, const Settings& settings) {
    writeSettings(ini, settings, window(), QStringLiteral("/"));
  }
  // What a start reads from ini into settings.
  static Settings read(const IniFile& ini, Settings settings = Settings()) {
    WindowState shown = window();
    readSettings(ini, settings, shown, QStringLiteral("/"));
    return settings;
  }
  // What a start reads from a file of one section of these lines.
  static Settings readSection(const QString& section, const QStringList& lines) {
    IniFile ini;
    ini.updateSection(section, lines);
    return read(ini);
  }

 private:
  // 1920 x 1440 pixels at 15 twips per pixel.
  static WindowState window() {
    WindowState w;
    w.screenWidth = 28800;
    w.screenHeight = 21600;
    return w;
  }
  QString path() const { return m_tree.path(QStringLiteral("Vek.ini")); }
  QString folder() const { return m_tree.root() + u'/'; }

  TempTree m_tree;
  WindowState m_window;
};

}  // namespace vek::test
