// The notice at the end of an add or an export that could not read or hash everything: the
// first ten paths with the system's reasons, how many more, and 一覧をコピー (cmdCopyList), which
// puts the whole list on the clipboard, one path a line, without closing the notice.
#pragma once

#include <QDialog>
#include <QString>

#include "core/messages/Message.h"

class QLabel;
class QPushButton;

namespace vek {

class IncompleteNotice : public QDialog {
  Q_OBJECT
 public:
  IncompleteNotice(QWidget* owner, const Message& notice, QString wholeList);

  QPushButton* copyButton() const { return m_copy; }

 private:
  void copyList();

  QString m_wholeList;
  QPushButton* m_copy;
  QLabel* m_copied;
};

}  // namespace vek
