// The row actions of the output list (tick, untick, invert, the differences-only switch, open
// the folder, copy), on the rows' context menu and for a menu of the window: each with an object
// name and a shortcut that acts while the list has the focus; and Space, which ticks the rows.
#pragma once

#include <vector>

#include <QObject>

#include "ui/FileListModel.h"

class QAction;
class QKeySequence;
class QMenu;
class QTreeView;

namespace vek {

class FileList;
class Session;

class ListRowActions : public QObject {
  Q_OBJECT
 public:
  ListRowActions(FileList& list, Session& session, FileListModel& model, QTreeView& view,
                 QObject* parent);

  // In menu order, null for a separator.
  const std::vector<QAction*>& actions() const { return m_actions; }
  // Adds the actions to a menu, such as one of the window's menu bar titled menuTitle().
  void addTo(QMenu* menu) const;
  static QString menuTitle();
  // What the differences-only switch does, for the switch beside the list as well.
  static QString differencesOnlyTip();
  QAction* differencesOnly() const { return m_actDifferencesOnly; }

  // Enables each action for the rows, the selection and the comparison the list now has.
  void update();
  // Space: the current row takes the tick it did not have, and so do the other selected rows
  // when it is one of them.
  void toggleCurrentTick();

 private:
  QAction* addAction(const char* name, const QString& caption, const QKeySequence& shortcut);
  // The selected rows as ascending spans that do not overlap.
  std::vector<FileListModel::RowSpan> selectedSpans() const;
  void changeSelectedTicks(FileListModel::TickChange change);
  void openContainingFolder();
  void copySelectedRows();
  void copyFullPaths();

  FileList& m_list;
  Session& m_session;
  FileListModel& m_model;
  QTreeView& m_view;
  std::vector<QAction*> m_actions;
  QAction* m_actTickSelected = nullptr;
  QAction* m_actUntickSelected = nullptr;
  QAction* m_actInvertSelected = nullptr;
  QAction* m_actTickAll = nullptr;
  QAction* m_actUntickAll = nullptr;
  QAction* m_actDifferencesOnly = nullptr;
  QAction* m_actUntickSame = nullptr;
  QAction* m_actOpenFolder = nullptr;
  QAction* m_actCopyRows = nullptr;
  QAction* m_actCopyPaths = nullptr;
};

}  // namespace vek
