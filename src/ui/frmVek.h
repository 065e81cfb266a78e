// The main window, composed of its parts: the form (folder chooser, filter box, walk rules,
// output-list pane and the buttons), the menus, the list's export, the comparison with a saved
// list and the drop glue. The window itself runs the adds and keeps the settings; it owns the
// list, the settings of the run and the window's Interaction, which the dialogs and parts around
// it reach through the accessors.
#pragma once

#include <memory>
#include <thread>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>

#include "core/list/FileList.h"
#include "core/settings/Session.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/WindowState.h"
#include "gather/BackgroundAdd.h"
#include "gather/Gatherer.h"
#include "ui/WindowInteraction.h"

class QMimeData;

namespace vek {

class DropGlue;
class FileListModel;
class FolderChooser;
class MainForm;
class OutputListPane;
class WindowComparison;
class WindowDialogs;

class frmVek : public QMainWindow {
  Q_OBJECT
 public:
  struct Options {
    QString programFolder;             // holds Vek.ini and filter.txt; ends in "/"
    QString workingFolder;             // where folders start and lists go when nothing was chosen
    QString startFolder;               // the folder of "vek folder"; empty for none
    WindowDialogs* dialogs = nullptr;  // the system's dialogs when null
  };
  // The program's own folders from the environment, with the system's dialogs.
  static Options defaultOptions(const QString& startFolder = QString());

  explicit frmVek(const Options& options, QWidget* parent = nullptr);
  ~frmVek() override;

  // What the dialogs around the window work on.
  Settings& settings() { return m_settings; }
  FileList& list() { return m_list; }
  Session& session() { return m_session; }
  WindowInteraction& interaction() { return m_interaction; }
  WindowState& windowSettings() { return m_window; }
  FileListModel& listModel() { return *m_model; }
  // The folder the folder box shows: absolute, without a trailing separator ("/" for the root).
  const QString& currentFolder() const;
  QString iniPath() const;

  // Shows folder in the folder and file boxes and the captions; false when it cannot be read.
  bool setFolderPath(const QString& folder);
  // Takes a drop; false when it was ignored (no files in it, or an intake is running).
  bool dropMimeData(const QMimeData& mime);
  // True while an add or a drop runs.
  bool isBusy() const { return m_busy; }
  // Where the time of the last add went (for measuring).
  const AddTimings& lastAddTimings() const { return m_add.timings(); }
  // Applies AllAppend to cmdAllAppend (the options dialog calls it after OK).
  void applyAllAppendOption();

 Q_SIGNALS:
  // An add, or the intake of a drop, has ended and the window shows its result.
  void addFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void connectControls();
  void setUpDrops();

  // Adds, drops, the list.
  void appendShownFiles();
  void appendSubtree();
  void setBusy(bool busy);
  void rowsArrived();
  void addEnded();
  void showCaptions(const QString& folder);
  void finishOperation(bool showCount);

  Settings m_settings;
  WindowState m_window;
  FileList m_list;
  Session m_session;
  QString m_programFolder;
  QString m_workingFolder;
  std::unique_ptr<WindowDialogs> m_ownDialogs;
  WindowDialogs& m_dialogs;
  WindowInteraction m_interaction;
  SettingsStore m_store;  // Vek.ini: read at start, written at close unless the read failed
  Gatherer m_gatherer;
  BackgroundAdd m_add;
  FileListModel* m_model = nullptr;
  WindowComparison* m_comparison = nullptr;  // ﾂｰﾙ → リストと比較
  QString m_scanFolder;                      // the folder an add or drop is at; shown when it ends
  bool m_busy = false;
  QElapsedTimer m_sinceShown;

  MainForm* m_form = nullptr;
  FolderChooser* m_chooser = nullptr;
  OutputListPane* m_frmFileList = nullptr;
  DropGlue* m_drops = nullptr;
};

}  // namespace vek
