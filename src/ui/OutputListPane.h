// The output frame of the main window ("frmFileList"): the list view over the output list with
// its ticks, the header clicks that sort it, Enter and double-click that open a row, the count
// caption and リストの一括クリア; many rows selected at once, Space and the row actions (tick,
// untick, invert, open the folder, copy: ListRowActions) on the rows' context menu and for the
// window's menu; the status line of the ticked rows (ListStatusLine); while the list holds a
// comparison's result, its state column, state counts and differences-only switch.
#pragma once

#include <vector>

#include <QGroupBox>

#include "ui/FileListModel.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace vek {

class FileList;
class FileListModel;
class ListRowActions;
class ListStatusLine;
class Session;

class OutputListPane : public QGroupBox {
  Q_OBJECT
 public:
  OutputListPane(FileList& list, Session& session, QWidget* parent);
  ~OutputListPane() override;

  QTreeView* view() const { return m_lvWriteList; }
  QPushButton* clearButton() const { return m_cmdListClear; }
  QLabel* comment() const { return m_lblComment; }
  QLabel* totals() const;
  // "注意 N件": how many rows have a delivery note.
  QLabel* noted() const;
  FileListModel& model() const { return *m_model; }

  // The row actions, in menu order (null for a separator), each with an object name and its
  // shortcut; they act while the list has the focus, or from a menu.
  const std::vector<QAction*>& rowActions() const;
  // Adds the row actions to a menu, such as one of the window's menu bar titled rowMenuTitle().
  void addRowActions(QMenu* menu) const;
  static QString rowMenuTitle();

  // "出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：N ﾌｧｲﾙ", also as the accessible description.
  void showCount();
  // The header's sort arrow shows the list's own sorting (after an add sorted by it).
  void showListSorting();
  // "読み取れず除外 N件" (lblSkipped) beside the totals: what the last add could not read;
  // hidden for none and when the list is cleared.
  void showSkipped(qint64 count);
  QLabel* skipped() const;

 Q_SIGNALS:
  // The list was emptied by リストの一括クリア.
  void cleared();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // While the list holds a comparison's result: the state column first, the count of each
  // state on the status line, the differences-only switch and its row actions.
  void showComparison();
  void showStateColumn(bool shown);
  // The name column as wide as its texts need, up to a limit, until the person sizes it.
  void scheduleNameColumnFit();
  void fitNameColumn();
  void resetNameColumn();
  void setCaption(const QString& caption);
  void clearList();
  void headerClicked(int section);
  void openSelectedRow();

  FileList& m_list;
  Session& m_session;
  FileListModel* m_model;
  QTreeView* m_lvWriteList;
  QPushButton* m_cmdListClear;
  QLabel* m_lblComment;
  ListStatusLine* m_status;
  QLabel* m_lblStates = nullptr;  // "同じ N　追加 N　…" while a comparison is shown
  QCheckBox* m_chkDifferencesOnly = nullptr;
  ListRowActions* m_rowActions = nullptr;
  int m_nameColumnDesigned = 0;
  bool m_nameColumnByHand = false;
  bool m_fittingNameColumn = false;
  bool m_nameFitPending = false;
  bool m_comparisonShown = false;
};

}  // namespace vek
