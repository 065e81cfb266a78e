// The folder part of the main window's input frame: the drive box (mounted volumes), the
// folder box (the folders above the current one and its subfolders), the file box (what the
// filter lists there), the folder browser, the typed path and the folder history of the File
// menu. It owns the current folder; the window hears of every change through folderShown.
#pragma once

#include <initializer_list>
#include <vector>

#include <QObject>
#include <QStringList>

class QAction;
class QComboBox;
class QListView;
class QListWidget;
class QMenu;
class QPushButton;
class QStringListModel;
class QWidget;

namespace vek {

class Gatherer;
class Interaction;
class WindowDialogs;
struct Settings;

class FolderChooser : public QObject {
  Q_OBJECT
 public:
  // The controls are made as children of frame; owner stands under the dialogs.
  FolderChooser(QWidget& frame, QWidget& owner, WindowDialogs& dialogs, Interaction& interaction,
                Gatherer& gatherer, Settings& settings);

  QComboBox* driveBox() const { return m_drvGetFile; }
  QPushButton* browseButton() const { return m_cmdBrowseForFolder; }
  QListWidget* folderBox() const { return m_dirGetFile; }
  QPushButton* typedPathButton() const { return m_cmdDirectPath; }
  QListView* fileBox() const { return m_filGetFile; }

  // The folder shown: absolute, without a trailing separator ("/" for the root).
  const QString& folder() const { return m_folder; }
  // Shows folder in the folder and file boxes; false when it cannot be read.
  bool setFolderPath(const QString& folder);
  // Lists the current folder's files again (after a change of the filter or an add).
  void refreshFileBox();
  // Selects the volume that holds path in the drive box.
  void selectVolumeFor(const QString& path);
  // True when the folder shown is still a folder. Otherwise (deleted or moved since it was
  // chosen) says so with the folder and the system's reason, and the boxes show the nearest
  // folder above it that is there.
  bool confirmShownFolder();

  // The folder browser, the typed path and the history entries, as their controls do.
  void browseForFolder();
  void typePath();
  // Adds the ten history entries to menu (hidden while empty).
  void addHistoryItems(QMenu& menu);
  void refreshHistoryMenu();

 Q_SIGNALS:
  // The boxes show folder now.
  void folderShown(const QString& folder);

 private:
  void fillFolderBox();
  void setBoxesEnabled(bool enabled);
  // A warning of the lines given, then the folder that could not be shown and the system's
  // reason (from the last setFolderPath that failed).
  void warnNotShown(std::initializer_list<QString> lines);
  // 「folder」: the system's words for error, the last line of such a warning.
  static QString problemText(const QString& folder, int error);
  void driveChosen(int index);
  void openHistory(int index);

  QWidget& m_owner;
  WindowDialogs& m_dialogs;
  Interaction& m_interaction;
  Gatherer& m_gatherer;
  Settings& m_settings;
  QString m_folder;
  QString m_problem;  // 「folder」: the system's reason, after a setFolderPath that failed
  QStringList m_volumes;
  std::vector<QAction*> m_history;

  QComboBox* m_drvGetFile;
  QPushButton* m_cmdBrowseForFolder;
  QListWidget* m_dirGetFile;
  QPushButton* m_cmdDirectPath;
  QListView* m_filGetFile;
  QStringListModel* m_fileNames;
};

}  // namespace vek
