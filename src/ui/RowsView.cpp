#include "ui/RowsView.h"

#include <algorithm>

namespace vek {

void RowsView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles) {
  constexpr int kFewRows = 256;
  if (bottomRight.row() - topLeft.row() < kFewRows || roles != QList<int>{Qt::CheckStateRole}) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    return;
  }
  const QModelIndex top = indexAt(QPoint(0, 0));
  if (!top.isValid()) return;  // no row in sight
  const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
  const int first = std::max(topLeft.row(), top.row());
  const int last =
      std::min(bottomRight.row(), bottom.isValid() ? bottom.row() : model()->rowCount() - 1);
  if (first <= last) {
    QTreeView::dataChanged(model()->index(first, topLeft.column()),
                           model()->index(last, bottomRight.column()), roles);
  }
}

}  // namespace vek
