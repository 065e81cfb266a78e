// The progress window of the long adds: caption, info text on a white band, a bar that can be
// hidden, the detail text and キャンセル. Owned by the main window (an add) or by an export
// dialog (its digests), and centred over its owner, which takes no input meanwhile.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vek {

class frmInfo : public QDialog {
  Q_OBJECT
 public:
  explicit frmInfo(QWidget* owner);

  // bar == -1 hides the bar; otherwise it shows value bar of maximum barMaximum (a maximum
  // of 0 or less keeps the last one).
  void setProgress(const QString& caption, const QString& info, const QString& detail, qint64 bar,
                   qint64 barMaximum = 0);
  // Empties the texts and hides the bar.
  void clear();
  // Puts the window in the middle of its owner.
  void centreOverOwner();

 Q_SIGNALS:
  void cancelClicked();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;  // Esc is キャンセル too

 private:
  QLabel* m_info;
  QProgressBar* m_bar;
  QPlainTextEdit* m_status;
  QPushButton* m_cancel;
  qint64 m_barMaximum = 0;
};

}  // namespace vek
