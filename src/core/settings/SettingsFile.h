// Vek.ini: loadSettings fills Settings and the window state from the file (or creates the file
// from the defaults on first start), saveSettings writes all nine sections back. Both run
// without a screen, so the window and the batch run share them.
#pragma once

#include <QString>

#include "core/settings/Settings.h"
#include "core/settings/WindowState.h"

namespace vek {

class IniFile;

// Fills settings with the defaults and then with the file at iniPath. window's screen, design
// and minimum sizes come from the caller; its place and size, shownFolder and saveInitialDir
// are set here. fallbackFolder (ending in "/") stands in for missing folders.
// A missing file is created from the defaults with the window centred at its design size.
// False, with the reason in error, when the file exists but cannot be read (not a regular file,
// larger than a settings file can be, no permission, an I/O error: the defaults are then in
// use) or could not be created.
bool loadSettings(const QString& iniPath, Settings& settings, WindowState& window,
                  const QString& fallbackFolder, QString* error = nullptr);

// Replaces the nine sections of the file at iniPath, keeping any other section byte for byte,
// through a temporary file: on failure the old file is untouched and error says why. A file
// that exists but cannot be read is never written over (false, and error says so).
// DefaultOutDir is the folder of window.saveFileName, or fallbackFolder when no file was chosen.
// A text value the file cannot hold (a line break, or a character outside the file's encoding)
// is written empty, so its default returns at the next start; such history entries are dropped
// and the later ones move up.
bool saveSettings(const QString& iniPath, const Settings& settings, const WindowState& window,
                  const QString& fallbackFolder, QString* error = nullptr);

// The parts of the two above that do not touch the disk.
void readSettings(const IniFile& ini, Settings& settings, WindowState& window,
                  const QString& fallbackFolder);
void writeSettings(IniFile& ini, const Settings& settings, const WindowState& window,
                   const QString& fallbackFolder);

}  // namespace vek
