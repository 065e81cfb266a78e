// The command builder: composes a batch command line from a form, copies it to the clipboard
// and test-runs it as a separate process, waiting for that run without freezing the dialog and
// reporting what really happened.
#pragma once

#include <optional>

#include "batch/CommandForm.h"
#include "batch/CommandTestRun.h"
#include "core/messages/Message.h"
#include "core/settings/WalkSettings.h"
#include "ui/CommandBoxText.h"
#include "ui/KeyedDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vek {

class FormScrollArea;
class Session;
class WalkRulesBox;
class WindowDialogs;

class frmCommand : public KeyedDialog {
  Q_OBJECT
 public:
  // What the main window hands over when it opens the dialog.
  struct Prefill {
    QString inPath;                 // the main window's current folder
    QString outFolder;              // the save dialog's start folder (the remembered output folder)
    QString title;                  // the main window's current folder
    QString lastOutputFile;         // the file last chosen in the save dialog; empty when none
    QString executable;             // empty: the running program
    std::optional<QString> filter;  // the main window's filter text; nullopt: the first preset
  };
  // Messages, the folder browser and the beep go through dialogs; F1 opens the manual through
  // the session's opener.
  frmCommand(Session& session, WindowDialogs& dialogs, const QString& programFolder,
             const Prefill& prefill, QWidget* parent = nullptr);
  ~frmCommand() override;

  // How long a test run goes before the dialog shows that it is working and can be stopped.
  void setStillWorkingDelay(int milliseconds) { m_testRun.setStillWorkingDelay(milliseconds); }

  CommandForm form() const;
  bool testRunning() const;
  // The presets the dialog read from filter.txt when it opened (the first is the current
  // filter), for the main window's filter box, which takes them too; nullopt when the file
  // could not be read.
  const std::optional<QStringList>& loadedPresets() const { return m_loadedPresets; }

 Q_SIGNALS:
  // A test run has ended and its message was shown.
  void testRunEnded();

 protected:
  // Enter on any control but the command box starts the test run.
  void enterPressed() override { startTestRun(); }
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;

 private:
  // The parts of the form (frmCommandForm.cpp).
  void buildControls();
  QWidget* buildFields();
  QLayout* buildCommandBox();
  void connectControls();
  void loadFilterPresets();
  void fileNameOptionChanged();
  // The text encoding is for CSV and TEXT lists only: its choice is open for those types.
  void applyTypeRule();
  void recompose();
  // What the line now is (the composed one, or the person's edit of it), whether it may be
  // copied and test-run, and the note under the box that says why not.
  void commandChanged();
  QString currentLine() const;
  // Gives the note under the command box the height it takes wrapped at its width, which the
  // layout does not count by itself.
  void fitNote();
  void browse(QLineEdit* box);
  void copyCommand();
  void startTestRun();
  void stopTestRun();
  // Tells how the test run ended.
  void testRunOver(const CommandTestRun::Outcome& outcome);
  // The dialog as it is with no test run.
  void endTestRun();
  // Ends a test run at once, unheard: the dialog is closing.
  void abandonTestRun();

  void showMessage(const Message& message);

  WindowDialogs& m_dialogs;
  QString m_programFolder;
  Prefill m_prefill;
  std::optional<QStringList> m_loadedPresets;

  QLineEdit* m_txtInPath;
  QPushButton* m_cmdInPath;
  QLineEdit* m_txtOutPath;
  QPushButton* m_cmdOutPath;
  QButtonGroup* m_optType;
  QButtonGroup* m_optOutPath;
  QLineEdit* m_txtOutName;
  QComboBox* m_cmbFilter;
  QLineEdit* m_txtTitle;
  QButtonGroup* m_optSortKey;
  QCheckBox* m_chkSubDir;
  FormScrollArea* m_fields;
  // The run's walk: the exclude box, hidden files, one file system. Its choices are the
  // dialog's own, kept nowhere: a run never takes the window's.
  WalkSettings m_walk;
  WalkRulesBox* m_walkRules;
  QLabel* m_lblTextCode;
  QComboBox* m_cmbTextCode;
  QComboBox* m_cmbHash;
  QCheckBox* m_chkSumFile;
  QPlainTextEdit* m_txtCommand;
  QLabel* m_lblCommandNote;
  QPushButton* m_cmdMakeTest;
  QPushButton* m_cmdCopy;
  QPushButton* m_cmdOk;
  QLabel* m_lblTestRunning;
  QPushButton* m_cmdStopTest;

  // The line as composed, beside the box that shows it changed.
  CommandBoxText m_line;
  // Why the composed line does not mean what the form says; empty when it does.
  QString m_readBackProblem;
  bool m_settingLine = false;
  bool m_testOffered = true;

  CommandTestRun m_testRun;
};

}  // namespace vek
