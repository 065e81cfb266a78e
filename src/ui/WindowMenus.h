// The main window's menu bar and what its items open: the folder browser and history, the
// settings dialogs, the command builder, the comparison with a saved list, the manuals and the
// about box. The dialogs are modal to the window without a nested event loop (open, not exec)
// and go away when closed.
#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QUrl>

#include "ui/ListExports.h"

class QDialog;

namespace vek {

class FilterBox;
class FolderChooser;
class WindowDialogs;
class frmVek;
class OutputListPane;

class WindowMenus : public QObject {
  Q_OBJECT
 public:
  // Builds the menus into window's menu bar; compare runs ﾂｰﾙ → リストと比較, exportList the
  // file menu's workbook and JSON exports; the list's row actions get a menu of their own.
  WindowMenus(frmVek& window, WindowDialogs& dialogs, FolderChooser& chooser, FilterBox& filter,
              const OutputListPane& list, QString programFolder, std::function<void()> compare,
              std::function<void(ListExports::WriterKind)> exportList);

  // Shows dialog modal over its parent window, which takes no input until it closes; open()
  // rather than exec(), so the window's own event handling goes on meanwhile. The dialog is
  // deleted when it closes.
  static void openDialog(QDialog* dialog);

 private:
  void openSettings();
  void openCommandBuilder();
  void openAboutBox();
  void openOnlineManual();
  // The local manual's address; empty when it is missing.
  QUrl manualUrl() const;

  frmVek& m_window;
  WindowDialogs& m_dialogs;
  FilterBox& m_filter;
  QString m_programFolder;
};

}  // namespace vek
