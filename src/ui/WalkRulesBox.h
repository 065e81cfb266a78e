// The controls under the filter box that choose what the adds leave out and enter: the exclude
// box (";"-separated wildcard patterns, with ready-made texts) and the options for hidden files
// and one file system. They show and change Settings::walk, and tell the window the rules that
// follow from it, so that the file box and every add agree.
#pragma once

#include <QObject>

#include "gather/WalkRules.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace vek {

class WindowDialogs;
struct Settings;

class WalkRulesBox : public QObject {
  Q_OBJECT
 public:
  WalkRulesBox(QWidget& parent, WindowDialogs& dialogs, Settings& settings);

  QLabel* label() const { return m_lblExclude; }
  QComboBox* excludeBox() const { return m_cmbExclude; }
  QCheckBox* hiddenFilesBox() const { return m_chkHiddenFiles; }
  QCheckBox* oneFileSystemBox() const { return m_chkOneFileSystem; }
  // The caption, the exclude box and the two options in one row, made once.
  QHBoxLayout* row() const { return m_row; }

  // Shows what the settings hold (at start, after they were read) without telling anyone.
  void showSettings();
  void setEnabled(bool enabled);
  WalkRules rules() const;

 Q_SIGNALS:
  // The person changed a choice; the settings already hold it.
  void rulesChanged();

 private:
  void takeChoices();

  Settings& m_settings;
  QLabel* m_lblExclude;
  QComboBox* m_cmbExclude;
  QCheckBox* m_chkHiddenFiles;
  QCheckBox* m_chkOneFileSystem;
  QHBoxLayout* m_row;
};

}  // namespace vek
