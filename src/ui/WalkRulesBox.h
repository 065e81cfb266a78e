// The controls that choose what a walk leaves out and enters: the exclude box (";"-separated
// wildcard patterns, with ready-made texts) and the options for hidden files and one file
// system. They show and change the walk settings they are given (the window's, kept in
// Vek.ini, or the command builder's own, kept nowhere) and say when a choice changed, so that
// the file box and every add agree, or the builder's line follows.
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
struct WalkSettings;

class WalkRulesBox : public QObject {
  Q_OBJECT
 public:
  WalkRulesBox(QWidget& parent, WindowDialogs& dialogs, WalkSettings& walk);

  QLabel* label() const { return m_lblExclude; }
  QComboBox* excludeBox() const { return m_cmbExclude; }
  QCheckBox* hiddenFilesBox() const { return m_chkHiddenFiles; }
  QCheckBox* oneFileSystemBox() const { return m_chkOneFileSystem; }
  // The caption, the exclude box and the two options in one row, for a layout to take (once).
  QHBoxLayout* createRow() const;

  // Shows what the settings hold (at start, after they were read) without telling anyone.
  void showSettings();
  void setEnabled(bool enabled);
  WalkRules rules() const;

 Q_SIGNALS:
  // The person changed a choice; the walk settings already hold it.
  void rulesChanged();

 private:
  void takeChoices();

  WalkSettings& m_walk;
  QLabel* m_lblExclude;
  QComboBox* m_cmbExclude;
  QCheckBox* m_chkHiddenFiles;
  QCheckBox* m_chkOneFileSystem;
};

}  // namespace vek
