// The insertion group of the text and HTML dialogs: whether extra lines (blank lines, or a
// repeated header row) go between the data rows, every N rows or at each folder change.
#pragma once

#include <QGroupBox>

#include "core/list/ColumnOptions.h"

class QButtonGroup;
class QLabel;
class QScrollBar;

namespace vek {

class frmHeadIns : public QGroupBox {
  Q_OBJECT
 public:
  static constexpr int kMinimumInterval = 1;
  static constexpr int kMaximumInterval = 100;

  // caption: "空白行の挿入" in the text dialog, "見出し行の挿入" in the HTML dialog.
  explicit frmHeadIns(const QString& caption, QWidget* parent = nullptr);

  // Sets the controls from the three insertion fields (an interval outside 1..100 is brought to
  // the nearest end), then runs the rule of the chosen insertion option.
  void load(const ColumnOptions& options);
  // Stores the three insertion fields; N is read back from the label that shows it.
  void store(ColumnOptions& options) const;
  // Whether the lines go in at each folder change (what subtotals need).
  bool insertsAtFolderChange() const;

 Q_SIGNALS:
  // The insertion or its kind was chosen anew.
  void choiceChanged();

 private:
  void applyInsertRule();
  void applyTypeColour();

  QButtonGroup* m_optHeadIns;
  QButtonGroup* m_optInsType;
  QScrollBar* m_cscHeadInterval;
  QLabel* m_lblHeadInterval;
  QLabel* m_lblHeadInteval;
};

}  // namespace vek
