#include "ui/DropGlue.h"

#include <algorithm>

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QWidget>

#include "core/text/PathRules.h"

namespace vek {

DropGlue::DropGlue(QWidget& window, std::function<bool()> busy,
                   std::function<bool(const QMimeData&)> take)
    : QObject(&window), m_window(window), m_busy(std::move(busy)), m_take(std::move(take)) {
  m_window.setAcceptDrops(true);
}

void DropGlue::catchDropsOn(const std::vector<QWidget*>& widgets) {
  m_catchers = widgets;
  for (QWidget* catcher : m_catchers) {
    catcher->setAcceptDrops(true);
    catcher->installEventFilter(this);
  }
}

std::vector<DroppedItem> DropGlue::itemsOf(const QMimeData& mime) {
  std::vector<DroppedItem> items;
  for (const QUrl& url : mime.urls()) items.push_back(droppedItem(url));
  return items;
}

bool DropGlue::acceptsDropAt(const QPoint& position) const {
  if (m_busy()) return false;
  const QWidget* under = m_window.childAt(position);
  return std::find(m_refusers.begin(), m_refusers.end(), under) == m_refusers.end();
}

void DropGlue::dragMove(QDropEvent& event) const {
  if (event.mimeData()->hasUrls() && acceptsDropAt(event.position().toPoint())) {
    event.acceptProposedAction();
  } else {
    event.ignore();
  }
}

void DropGlue::drop(QDropEvent& event) const {
  if (acceptsDropAt(event.position().toPoint()) && m_take(*event.mimeData())) {
    event.acceptProposedAction();
  } else {
    event.ignore();
  }
}

bool DropGlue::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
      std::find(m_catchers.begin(), m_catchers.end(), watched) != m_catchers.end()) {
    auto* drop = static_cast<QDropEvent*>(event);
    // Dropped text without files goes into a text box as the text it is.
    if (qobject_cast<QLineEdit*>(watched) && !drop->mimeData()->hasUrls()) {
      return QObject::eventFilter(watched, event);
    }
    const bool take = !m_busy() && drop->mimeData()->hasUrls();
    if (take && (type != QEvent::Drop || m_take(*drop->mimeData()))) {
      drop->acceptProposedAction();
    } else {
      drop->ignore();
    }
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vek
