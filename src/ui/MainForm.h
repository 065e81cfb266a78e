// The controls of the main window and their layout: the input frame (folder chooser, filter
// box, walk rules), the add buttons, the output-list pane and the export buttons, with their
// tool tips and the names screen readers give them. The window connects them to its work.
#pragma once

#include <QObject>
#include <QString>

class QGroupBox;
class QMainWindow;
class QPushButton;
class QWidget;

namespace vek {

class DropGlue;
class FileList;
class FilterBox;
class FolderChooser;
class Gatherer;
class OutputListPane;
class Session;
class WalkRulesBox;
class WindowDialogs;
class WindowInteraction;
struct Settings;

class MainForm : public QObject {
  Q_OBJECT
 public:
  // Made as the central widget of window; programFolder (ending in "/") holds filter.txt.
  MainForm(QMainWindow& window, WindowDialogs& dialogs, WindowInteraction& interaction,
           Gatherer& gatherer, Settings& settings, FileList& list, Session& session,
           const QString& programFolder);

  // After the settings are read: the tool tips, and the names and descriptions screen readers
  // announce.
  void setToolTipsAndNames();
  // Holds every control still while an add or a comparison runs (the menu bar aside), or lets
  // them go.
  void holdControls(bool held);
  // Which controls take a drop for the list (the text boxes, folder and file boxes and the
  // list) and which take none at all (a drop on a button does not press it).
  void routeDrops(DropGlue& drops) const;
  // The frame's caption, also its accessible description: the accessible name stays the fixed
  // one, and a screen reader learns the folder and the count from the description.
  static void setFrameCaption(QGroupBox* frame, const QString& caption);
  static QString inFileCaption();

  QGroupBox* frmInFile = nullptr;
  FolderChooser* chooser = nullptr;
  FilterBox* filter = nullptr;
  WalkRulesBox* walkRules = nullptr;  // the exclude box, hidden files, one file system
  QPushButton* cmdAllAppend = nullptr;
  QPushButton* cmdAppend = nullptr;
  OutputListPane* frmFileList = nullptr;
  QPushButton* cmdOutList = nullptr;
  QPushButton* cmdOutHtml = nullptr;
  QPushButton* cmdOutXML = nullptr;
};

}  // namespace vek
