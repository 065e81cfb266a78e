// The about box: a fixed-size window cut to an ellipse, moved by dragging any point of its
// surface that is not a control; the program's version and release date (the same values as
// `vek --version`), where to find it (its home page, or the local manual when the build names
// none), and the open projects it stands on.
#pragma once

#include <functional>

#include <QDialog>
#include <QPoint>
#include <QUrl>

class QLabel;
class QListWidget;
class QPushButton;

namespace vek {

class WindowDialogs;

class frmVersion : public QDialog {
  Q_OBJECT
 public:
  // Where the box sends the person for news and support: the home page when the build names
  // one, else the local manual (empty when it is missing too).
  struct Places {
    QString homePage;
    QUrl manual;
  };

  frmVersion(WindowDialogs& dialogs, const Places& places, QWidget* parent = nullptr);

  // Starts the system's move of the window under the mouse; false when the platform cannot, and
  // the window then follows the mouse itself. Tests watch the start.
  void setMoveStarter(std::function<bool()> starter) { m_startMove = std::move(starter); }

  // The eight credit lines, in their order.
  static QStringList credits();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openHomePage();

  WindowDialogs& m_dialogs;
  // The home page, or the local manual in its stead; empty when there is neither.
  QUrl m_homePage;
  std::function<bool()> m_startMove;
  QLabel* m_label2;
  QListWidget* m_lstSpecialThanks;
  QPushButton* m_cmdOK;
  bool m_dragging = false;
  QPoint m_dragOffset;
};

}  // namespace vek
