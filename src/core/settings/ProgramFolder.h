// The program folder, where Vek.ini and filter.txt live: $VEK_HOME when set; else the
// executable's folder when a Vek.ini is already there (a portable install); else
// $XDG_CONFIG_HOME/vek (~/.config/vek), created when missing. Also the folder offered for input
// and output when nothing else was chosen.
#pragma once

#include <QString>

namespace vek {

class ProgramFolder {
 public:
  enum class Kind {
    Chosen,    // $VEK_HOME
    Portable,  // the executable's folder, which holds a Vek.ini
    User,      // the user's configuration folder
  };

  // What the choice depends on; tests fill it themselves.
  struct Inputs {
    QString vekHome;           // $VEK_HOME; empty when unset
    QString executableFolder;  // the folder of the running executable
    QString xdgConfigHome;     // $XDG_CONFIG_HOME; empty when unset
    QString homeFolder;        // the user's home folder
  };
  static Inputs environment();

  // Decides the folder and creates it when it is missing.
  explicit ProgramFolder(const Inputs& inputs);

  // Absolute, ending in "/".
  const QString& path() const { return m_path; }
  Kind kind() const { return m_kind; }
  // Empty unless the folder is missing and could not be created.
  const QString& createError() const { return m_createError; }
  QString filePath(const QString& name) const { return m_path + name; }

  // Where lists go and folders start when nothing was chosen: the program folder when the user
  // chose it ($VEK_HOME) or it is a portable install, otherwise the home folder (nobody wants
  // their lists in a configuration folder). Ends in "/".
  QString defaultWorkingFolder() const;

 private:
  QString m_path;
  QString m_home;
  Kind m_kind;
  QString m_createError;
};

// The same for the running program and its environment.
QString programFolder();
QString defaultWorkingFolder();

}  // namespace vek
