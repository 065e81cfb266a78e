// The output list as a Qt table model: eight columns with the list's captions, the tick of each
// row in the first column, and the list's changes announced to the views. Rows appended at the
// end are announced in batches (flush), so a scan of a million files does not signal once per
// row; other changes are announced as one layout change that keeps the selection and the
// current row.
#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "core/list/FileListObserver.h"

namespace vek {

class FileList;

class FileListModel : public QAbstractTableModel, public FileListObserver {
  Q_OBJECT
 public:
  explicit FileListModel(FileList& list, QObject* parent = nullptr);
  ~FileListModel() override;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // How a tick change treats each row.
  enum class TickChange { Tick, Untick, Invert };
  // Changes the ticks of rows [first, last] of each span, told to the views as one change of
  // the first column from the lowest to the highest row: a million rows give one signal.
  // Rows outside what the views were told are left alone.
  struct RowSpan {
    int first = 0;
    int last = 0;
  };
  void changeTicks(const std::vector<RowSpan>& spans, TickChange change);
  // The same for every row.
  void changeAllTicks(TickChange change);

  // While on, only the rows a comparison found to differ are shown (not those found the
  // same): a view of the list, which keeps every row and tick. It goes off by itself when the
  // list no longer holds a comparison.
  void setDifferencesOnly(bool on);
  bool differencesOnly() const { return m_differencesOnly; }
  // The list's row shown in the view's row.
  qint64 listRow(int viewRow) const {
    return m_differencesOnly ? m_shown[std::size_t(viewRow)] : viewRow;
  }
  // Unticks every row a comparison found the same, shown or not.
  void untickSameRows();

  // Announces the rows appended since the last announcement.
  void flush();
  // While held, rows appended at the end wait for flush() instead of being announced at the
  // next turn of the event loop: during an add the window announces them a few times a
  // second, as the view lays out every row on each announcement. Releasing announces them.
  void holdAppends(bool hold);

  void rowsInserted(const std::vector<RowRange>& ranges) override;
  void rowsReordered(const std::vector<qint64>& newRowOfOldRow) override;
  void listReset() override;

 Q_SIGNALS:
  // The list has rows added, removed or reordered (after the views were told).
  void listChanged();

 private:
  void scheduleFlush();
  // The rows the filter shows, in the list's order.
  std::vector<qint64> differingRows() const;

  FileList& m_list;
  qint64 m_rows = 0;     // rows the views were told of
  qint64 m_pending = 0;  // rows appended at the end since
  bool m_flushScheduled = false;
  bool m_appendsHeld = false;
  bool m_differencesOnly = false;
  std::vector<qint64> m_shown;  // while m_differencesOnly: the list's rows shown, ascending
};

}  // namespace vek
