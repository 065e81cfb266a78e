// The totals group of the writer dialogs: a totals line after the rows and, where the dialog
// inserts lines at each folder change, a subtotal line per folder.
#pragma once

#include <QGroupBox>

#include "core/list/ColumnOptions.h"

class QCheckBox;

namespace vek {

class framTotals : public QGroupBox {
  Q_OBJECT
 public:
  // withSubtotals: whether the writer can insert lines at folder changes (not XML).
  explicit framTotals(bool withSubtotals, QWidget* parent = nullptr);

  void load(const ColumnOptions& options);
  void store(ColumnOptions& options) const;
  // Subtotals need the insertion at each folder change: without it their box is disabled.
  void setSubtotalsAvailable(bool available);

 private:
  QCheckBox* m_chkTotals;
  QCheckBox* m_chkSubtotals = nullptr;
};

}  // namespace vek
