// The one keeper of Vek.ini for a run, shared by the window and the batch run: where the file
// is, what its read at start came to, and whether it may be written at the end. A file that
// exists but could not be read is never written over (writing would replace the person's
// history and options, and other programs' sections, with the defaults of this run), and each
// failure is told to the person once, through the Interaction.
#pragma once

#include <QString>

#include "core/settings/Settings.h"
#include "core/settings/WindowState.h"

namespace vek {

class Interaction;

class SettingsStore {
 public:
  enum class Outcome {
    NotLoaded,   // load has not run yet
    Read,        // the file was read
    Created,     // there was none: it was written with the defaults
    NotCreated,  // there was none, and it could not be written
    NotRead,     // it exists but could not be read (defaults in use)
  };

  SettingsStore(QString iniPath, Interaction& interaction);

  const QString& path() const { return m_path; }
  Outcome outcome() const { return m_outcome; }
  // True once the file was read or created: the end of the run may write it.
  bool mayWrite() const { return m_outcome == Outcome::Read || m_outcome == Outcome::Created; }

  // Fills settings and window as loadSettings does; a failure is reported. False when the
  // defaults are in use because the file could not be read or created.
  bool load(Settings& settings, WindowState& window, const QString& fallbackFolder);
  // Writes settings and window back as saveSettings does. Refused, without a second word, when
  // the load failed; a failure to write is reported. False when nothing was written.
  bool save(const Settings& settings, const WindowState& window, const QString& fallbackFolder);

 private:
  void report(const QString& error);

  QString m_path;
  Interaction& m_interaction;
  Outcome m_outcome = Outcome::NotLoaded;
  bool m_reported = false;
};

}  // namespace vek
