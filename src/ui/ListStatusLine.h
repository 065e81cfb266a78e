// The status line under the output list: the count and size of the ticked rows (shorter when the
// line has no room for them in full), "注意 N件" for the rows with a delivery note and
// "読み取れず除外 N件" for what the last add could not read.
#pragma once

#include <QObject>

class QHBoxLayout;
class QLabel;
class QWidget;

namespace vek {

class FileList;

class ListStatusLine : public QObject {
  Q_OBJECT
 public:
  // The labels are pane's children, laid out in row().
  ListStatusLine(FileList& list, QWidget& pane);

  QHBoxLayout* row() const { return m_row; }
  QLabel* totals() const { return m_lblTotals; }
  QLabel* noted() const { return m_lblNoted; }
  QLabel* skipped() const { return m_lblSkipped; }

  // The count and size of the ticked rows, after every change of the list: shown once the
  // event loop runs again, so that a tick costs no text formatting and many ticks one update.
  void scheduleTotals();
  void showTotals();
  // "読み取れず除外 N件"; hidden for none.
  void showSkipped(qint64 count);
  // The totals in full, or shorter when the line has no room for every part.
  void fit();

 private:
  FileList& m_list;
  QWidget& m_pane;
  QLabel* m_lblTotals;
  QLabel* m_lblNoted;
  QLabel* m_lblSkipped;
  QHBoxLayout* m_row;
  bool m_totalsPending = false;
};

}  // namespace vek
