// The output list's view. Its rows are all one height and never have children, so a change of
// ticks over many rows matters only to the rows in sight: QTreeView would otherwise look at every
// row of the range for its height, children and place (a tenth of a second for a million rows).
#pragma once

#include <QTreeView>

namespace vek {

class RowsView : public QTreeView {
 public:
  using QTreeView::QTreeView;

 protected:
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) override;
};

}  // namespace vek
