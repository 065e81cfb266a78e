// ﾂｰﾙ → リストと比較 in the main window: reads a saved list on a thread of its own under the
// progress window, asks what the saved list calls for, walks the shown folder as an add would
// (its subfolders too when the saved list has rows in them) and shows the result with its state
// in the list. Before an add or a drop it offers to end a comparison the list still shows.
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

namespace vek {

class BackgroundAdd;
class ComparisonRun;
class OutputListPane;
class WindowDialogs;
class frmVek;
struct AddResult;

class WindowComparison : public QObject {
  Q_OBJECT
 public:
  // What only the window does for a comparison.
  struct Hooks {
    std::function<void(bool)> setBusy;                 // holds or frees the window's controls
    std::function<void(const QString&)> walkStarting;  // the folder the walk starts at
    std::function<void()> showWalked;                  // the folder boxes and the count
  };

  WindowComparison(frmVek& window, WindowDialogs& dialogs, BackgroundAdd& add, OutputListPane& pane,
                   Hooks hooks);
  ~WindowComparison() override;

  // Asks for the saved list and starts reading it; nothing while the window is busy.
  void start();
  // キャンセル while the saved list is read: the window is free at once, the read dropped.
  void cancelReading();
  // True while the folder is walked for a comparison: the add that ends is its walk.
  bool walking() const { return m_walking; }
  // The walk has ended: the comparison's result replaces the list (nothing when the walk did
  // not end).
  void finish(const AddResult& walk);
  // Before an add or a drop while the list holds a comparison's result: asks whether to end the
  // comparison (the states cleared, the rows of files that no longer exist removed); false when
  // the person keeps it, and nothing is added.
  bool endBeforeAdding();

 Q_SIGNALS:
  // The comparison ended before its walk (cancelled, refused or not wanted).
  void endedUnwalked();

 private:
  // The saved list has been read (on a thread of its own): ask, then walk.
  void savedListRead();

  frmVek& m_window;
  WindowDialogs& m_dialogs;
  BackgroundAdd& m_add;
  OutputListPane& m_pane;
  Hooks m_hooks;
  // The comparison under way: its saved list read, then its folder walked (m_walking).
  std::unique_ptr<ComparisonRun> m_run;
  int m_started = 0;           // comparisons started: a read that ended too late is dropped
  bool m_readingList = false;  // the saved list is being read; キャンセル drops the read
  bool m_walking = false;      // the folder is walked for m_run
};

}  // namespace vek
