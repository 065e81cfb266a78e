// The prefix replacement group of the writer dialogs: for lists read on Windows, a leading
// folder of the path and folder columns written as another (a share's name), optionally with
// "\" between the names after it.
#pragma once

#include <QGroupBox>

#include "core/list/ColumnOptions.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace vek {

class framPrefix : public QGroupBox {
  Q_OBJECT
 public:
  explicit framPrefix(QWidget* parent = nullptr);

  void load(const ColumnOptions& options);
  void store(ColumnOptions& options) const;

 private:
  // The replacement and its "\" choice mean something only once a prefix is given.
  void applyFromRule();

  QLineEdit* m_txtPrefixFrom;
  QLabel* m_lblPrefixTo;
  QLineEdit* m_txtPrefixTo;
  QCheckBox* m_chkPrefixBackslash;
};

}  // namespace vek
