// The main window, composed of its parts: the folder chooser (drive, folder and file boxes,
// browser, typed path, history), the output-list pane and the drop glue. The window itself
// holds the filter box, the two adds, the export buttons, the menus and the settings; it owns
// the list, the settings of the run and the window's Interaction, which the dialogs around it
// reach through the accessors.
#pragma once

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include "compare/SavedList.h"
#include "core/FileList.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/WindowState.h"
#include "gather/BackgroundAdd.h"
#include "gather/Gatherer.h"
#include "ui/WindowInteraction.h"

class QAction;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QListView;
class QListWidget;
class QMimeData;
class QPushButton;
class QStringListModel;
class QTreeView;

namespace vek {

class DropGlue;
class FileListModel;
class FolderChooser;
class OutputListPane;
class WalkRulesBox;
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

  enum class WriterKind { Text, Html, Xml };

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
  void buildControls();
  void buildMenus();
  void setToolTipsAndNames();
  void setUpDrops();
  void restorePlace();
  void loadPresets();
  void showPresets(const QStringList& presets);

  // Adds, drops, the list.
  void appendShownFiles();
  void appendSubtree();
  void setBusy(bool busy);
  void rowsArrived();
  void addEnded();
  void showCaptions(const QString& folder);
  void setFrameCaption(QGroupBox* frame, const QString& caption);
  void updateMinimumSize();
  void finishOperation(bool showCount);
  void exportList(WriterKind kind);
  void openWriterDialog(WriterKind kind);
  // Shows a dialog modal over the window; it is deleted when it closes.
  void openDialog(QDialog* dialog);
  std::optional<QString> askSaveFile(const QString& filter);
  void openPath(const QString& path);
  void editPresets();
  // The local manual's address; empty when it is missing.
  QUrl manualUrl() const;
  void openManual();
  void openOnlineManual();
  void openCommandBuilder();
  void openAboutBox();
  // ﾂｰﾙ → リストと比較: reads a saved list, walks the shown folder as an add would (its
  // subfolders too when the saved list has rows in them) and shows the result with its state.
  void compareWithList();
  // The saved list has been read (on a thread of its own): ask, then walk.
  void savedListRead(SavedListRead read);
  // キャンセル while the saved list is read: the window is free at once.
  void cancelListRead();
  void finishComparison(bool walked);

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

  std::optional<SavedList> m_comparing;  // the saved list while its folder is walked
  // The saved list being read: raised by キャンセル (the read's result is then dropped).
  std::shared_ptr<std::atomic<bool>> m_listReadCancel;
  QString m_scanFolder;  // the folder an add or drop is at; shown when it ends
  bool m_busy = false;
  QElapsedTimer m_sinceShown;

  FolderChooser* m_chooser = nullptr;
  DropGlue* m_drops = nullptr;
  QGroupBox* m_frmInFile = nullptr;
  QComboBox* m_drvGetFile = nullptr;
  QPushButton* m_cmdBrowseForFolder = nullptr;
  QListWidget* m_dirGetFile = nullptr;
  QListView* m_filGetFile = nullptr;
  QStringListModel* m_fileNames = nullptr;
  QPushButton* m_cmdDirectPath = nullptr;
  QLabel* m_lblFilter = nullptr;
  QComboBox* m_cmbFilter = nullptr;
  QPushButton* m_cmdEditFilter = nullptr;
  QPushButton* m_cmdReadFilter = nullptr;
  WalkRulesBox* m_walkRules = nullptr;  // the exclude box, hidden files, one file system
  QPushButton* m_cmdAllAppend = nullptr;
  QPushButton* m_cmdAppend = nullptr;
  OutputListPane* m_frmFileList = nullptr;
  QTreeView* m_lvWriteList = nullptr;
  QPushButton* m_cmdListClear = nullptr;
  QLabel* m_lblComment = nullptr;
  QPushButton* m_cmdOutList = nullptr;
  QPushButton* m_cmdOutHtml = nullptr;
  QPushButton* m_cmdOutXML = nullptr;
};

}  // namespace vek
