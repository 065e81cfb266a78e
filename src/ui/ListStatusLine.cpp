#include "ui/ListStatusLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

#include "core/list/FileList.h"
#include "core/list/ListTotals.h"

namespace vek {

ListStatusLine::ListStatusLine(FileList& list, QWidget& pane)
    : QObject(&pane), m_list(list), m_pane(pane) {
  m_lblTotals = new QLabel(&pane);
  m_lblTotals->setObjectName(QStringLiteral("lblTotals"));
  m_lblNoted = new QLabel(&pane);
  m_lblNoted->setObjectName(QStringLiteral("lblNoted"));
  // Shown only while some row has a note, and never what sets the window's least width.
  m_lblNoted->setMinimumWidth(1);
  m_lblNoted->hide();
  m_lblNoted->setToolTip(
      tr("Windowsや "
         "Macの相手先で困る名前のﾌｧｲﾙの数です。「注意」の列見出しをｸﾘｯｸすると先頭に集まります。"));
  m_lblSkipped = new QLabel(&pane);
  m_lblSkipped->setObjectName(QStringLiteral("lblSkipped"));
  m_lblSkipped->setMinimumWidth(1);
  m_lblSkipped->hide();
  m_lblSkipped->setToolTip(
      tr("最後の追加で読み取れなかったフォルダとファイルの数です。"
         "リストに含まれていません。"));
  m_row = new QHBoxLayout;
  m_row->addWidget(m_lblTotals);
  m_row->addWidget(m_lblNoted);
  m_row->addWidget(m_lblSkipped);
  m_row->addStretch(1);
  m_lblTotals->setMinimumWidth(1);
}

void ListStatusLine::scheduleTotals() {
  if (m_totalsPending) return;
  m_totalsPending = true;
  QMetaObject::invokeMethod(this, &ListStatusLine::showTotals, Qt::QueuedConnection);
}

void ListStatusLine::showTotals() {
  m_totalsPending = false;
  const qint64 notedCount = m_list.notedCount();
  const QString noted = tr("注意 %1件　").arg(notedCount);
  if (m_lblNoted->text() != noted) m_lblNoted->setText(noted);
  m_lblNoted->setVisible(notedCount > 0);
  fit();
}

void ListStatusLine::fit() {
  const qint64 files = m_list.tickedCount();
  const qint64 bytes = m_list.tickedBytes();
  const qint64 removed = m_list.tickedRemovedCount();
  // Removed files are gone: counted apart, after the size of the files that exist.
  const QString gone = removed > 0 ? tr("　＋削除 %1").arg(removed) : QString();
  const QString full = tickedTotalsCaption(files - removed, bytes) + gone;
  // What the line needs with the totals in full; without room, the byte count in brackets
  // goes (the whole stays in the tooltip and the accessible name).
  int needed = m_lblTotals->fontMetrics().horizontalAdvance(full) + 2 * m_lblTotals->margin() +
               m_lblTotals->contentsMargins().left() + m_lblTotals->contentsMargins().right();
  for (const QLabel* label : {m_lblNoted, m_lblSkipped}) {
    if (!label->isHidden()) needed += m_row->spacing() + label->sizeHint().width();
  }
  // Not laid out yet: in full, until the window is shown at its size.
  const QRect room = m_row->contentsRect();
  const bool fits = !m_pane.isVisible() || !room.isValid() || needed <= room.width();
  const QString text = fits ? full : tickedTotalsCaption(files - removed, bytes, false) + gone;
  if (m_lblTotals->text() != text) m_lblTotals->setText(text);
  m_lblTotals->setToolTip(text == full ? QString() : full);
  m_lblTotals->setAccessibleName(full);
}

void ListStatusLine::showSkipped(qint64 count) {
  m_lblSkipped->setText(tr("読み取れず除外 %1件　").arg(count));
  m_lblSkipped->setAccessibleName(m_lblSkipped->text());
  m_lblSkipped->setVisible(count > 0);
  fit();
}

}  // namespace vek
