// Drops on the main window: most controls pass a drop on to the window; the filter's text box
// and the three lists would take it as their own, so their drops are caught on the way; a few
// buttons take none. What a drop holds goes to the window's intake as local paths.
#pragma once

#include <functional>
#include <vector>

#include <QObject>

#include "gather/DropIntake.h"

class QDropEvent;
class QMimeData;
class QWidget;

namespace vek {

class DropGlue : public QObject {
  Q_OBJECT
 public:
  // busy: whether an intake runs (no drop is taken then); take: the window's intake, false
  // when it ignored the drop.
  DropGlue(QWidget& window, std::function<bool()> busy, std::function<bool(const QMimeData&)> take);

  // Drops on these widgets are taken by the window instead of by them.
  void catchDropsOn(const std::vector<QWidget*>& widgets);
  // These widgets take no drop at all.
  void refuseDropsOn(const std::vector<QWidget*>& widgets) { m_refusers = widgets; }

  // The window's own drag and drop events.
  void dragMove(QDropEvent& event) const;
  void drop(QDropEvent& event) const;

  // The dropped items as local paths (an item without one as an empty path).
  static std::vector<DroppedItem> itemsOf(const QMimeData& mime);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool acceptsDropAt(const QPoint& position) const;

  QWidget& m_window;
  std::function<bool()> m_busy;
  std::function<bool(const QMimeData&)> m_take;
  std::vector<QWidget*> m_catchers;
  std::vector<QWidget*> m_refusers;
};

}  // namespace vek
