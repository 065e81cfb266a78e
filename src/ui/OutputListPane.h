// The output frame of the main window ("frmFileList"): the list view over the output list with
// its ticks, the header clicks that sort it, Enter and double-click that open a row, the count
// caption and リストの一括クリア.
#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;
class QTreeView;

namespace vek {

class FileList;
class FileListModel;
class Session;

class OutputListPane : public QGroupBox {
  Q_OBJECT
 public:
  OutputListPane(FileList& list, Session& session, QWidget* parent);
  ~OutputListPane() override;

  QTreeView* view() const { return m_lvWriteList; }
  QPushButton* clearButton() const { return m_cmdListClear; }
  QLabel* comment() const { return m_lblComment; }
  QLabel* totals() const { return m_lblTotals; }
  // "注意 N件": how many rows have a delivery note.
  QLabel* noted() const { return m_lblNoted; }
  FileListModel& model() const { return *m_model; }

  // "出力対象ﾌｧｲﾙﾘｽﾄ - 総ﾌｧｲﾙ数：N ﾌｧｲﾙ", also as the accessible description.
  void showCount();
  // The header's sort arrow shows the list's own sorting (after an add sorted by it).
  void showListSorting();
  // The state column (同じ/追加/削除/変更/移動/未確認), shown while the list holds a
  // comparison's result.
  void showStateColumn(bool shown);
  // "読み取れず除外 N件" (lblSkipped) beside the totals: what the last add could not read;
  // hidden for none and when the list is cleared.
  void showSkipped(qint64 count);
  QLabel* skipped() const { return m_lblSkipped; }

 Q_SIGNALS:
  // The list was emptied by リストの一括クリア.
  void cleared();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setCaption(const QString& caption);
  void clearList();
  void headerClicked(int section);
  void openSelectedRow();
  // The count and size of the ticked rows, after every change of the list: shown once the
  // event loop runs again, so that a tick costs no text formatting and many ticks one update.
  void scheduleTotals();
  void showTotals();

  FileList& m_list;
  Session& m_session;
  FileListModel* m_model;
  QTreeView* m_lvWriteList;
  QPushButton* m_cmdListClear;
  QLabel* m_lblComment;
  QLabel* m_lblTotals;
  QLabel* m_lblNoted;
  QLabel* m_lblSkipped;
  bool m_totalsPending = false;
};

}  // namespace vek
