#include "ui/OutputListPane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/list/FileList.h"
#include "core/list/ListTotals.h"
#include "core/settings/Session.h"
#include "ui/FileListModel.h"
#include "ui/PushButton.h"
#include "ui/Twips.h"

namespace vek {

OutputListPane::OutputListPane(FileList& list, Session& session, QWidget* parent)
    : QGroupBox(FileList::clearedCaption(), parent), m_list(list), m_session(session) {
  setObjectName(QStringLiteral("frmFileList"));
  m_lvWriteList = new QTreeView(this);
  m_lvWriteList->setObjectName(QStringLiteral("lvWriteList"));
  m_lvWriteList->setRootIsDecorated(false);
  m_lvWriteList->setItemsExpandable(false);
  m_lvWriteList->setUniformRowHeights(true);  // what keeps a million rows fast
  m_lvWriteList->setAllColumnsShowFocus(true);
  m_lvWriteList->setSelectionMode(QAbstractItemView::SingleSelection);
  m_lvWriteList->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_lvWriteList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_lvWriteList->setMinimumHeight(twipsToPixels(1200, *this));
  m_model = new FileListModel(m_list, this);
  m_lvWriteList->setModel(m_model);
  QHeaderView* header = m_lvWriteList->header();
  header->setSectionsClickable(true);
  // No column is sorted yet; the room for the indicator is kept from the start.
  header->setSortIndicatorShown(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);
  header->setStretchLastSection(false);
  // The stored widths, or what the caption and a typical cell need at this font.
  constexpr int kCellPaddingPixels = 12;  // the cell's own margins, both sides together
  const int dateWidth =
      m_lvWriteList->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) +
      2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + kCellPaddingPixels;
  for (int column = 0; column < kShownColumnCount; ++column) {
    int width = twipsToPixels(FileList::columns()[std::size_t(column)].widthTwips, *this);
    width = std::max(width, header->sectionSizeHint(column));
    if (ListColumn(column) >= ListColumn::Created && ListColumn(column) <= ListColumn::Modified)
      width = std::max(width, dateWidth);
    header->resizeSection(column, width);
  }
  showStateColumn(false);
  m_cmdListClear = createPushButton(QStringLiteral("cmdListClear"), tr("リストの一括クリア"), this);
  m_lblComment = new QLabel(tr("※　不要なﾌｧｲﾙはﾁｪｯｸを外してください。"), this);
  m_lblComment->setObjectName(QStringLiteral("lblComment"));
  m_lblTotals = new QLabel(this);
  m_lblTotals->setObjectName(QStringLiteral("lblTotals"));
  m_lblNoted = new QLabel(this);
  m_lblNoted->setObjectName(QStringLiteral("lblNoted"));
  // Shown only while some row has a note, and never what sets the window's least width.
  m_lblNoted->setMinimumWidth(1);
  m_lblNoted->hide();
  m_lblNoted->setToolTip(
      tr("Windowsや "
         "Macの相手先で困る名前のﾌｧｲﾙの数です。「注意」の列見出しをｸﾘｯｸすると先頭に集まります。"));
  m_lblSkipped = new QLabel(this);
  m_lblSkipped->setObjectName(QStringLiteral("lblSkipped"));
  m_lblSkipped->setMinimumWidth(1);
  m_lblSkipped->hide();
  m_lblSkipped->setToolTip(
      tr("最後の追加で読み取れなかったフォルダとファイルの数です。"
         "リストに含まれていません。"));
  auto* output = new QVBoxLayout(this);
  output->addWidget(m_lvWriteList, 1);
  auto* clearRow = new QHBoxLayout;
  clearRow->addWidget(m_lblComment);
  clearRow->addStretch(1);
  clearRow->addWidget(m_lblSkipped);
  clearRow->addWidget(m_lblNoted);
  clearRow->addWidget(m_lblTotals);
  clearRow->addSpacing(fontMetrics().horizontalAdvance(u'M'));
  clearRow->addWidget(m_cmdListClear);
  output->addLayout(clearRow);

  setAccessibleName(FileList::clearedCaption());
  setAccessibleDescription(title());

  connect(m_cmdListClear, &QPushButton::clicked, this, &OutputListPane::clearList);
  connect(header, &QHeaderView::sectionClicked, this, &OutputListPane::headerClicked);
  connect(m_lvWriteList, &QTreeView::doubleClicked, this, [this] { openSelectedRow(); });
  m_lvWriteList->installEventFilter(this);
  // Every way the ticked rows change: a tick, an add, a clear, a sort.
  connect(m_model, &QAbstractItemModel::dataChanged, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::rowsInserted, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::rowsRemoved, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::modelReset, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::layoutChanged, this, &OutputListPane::scheduleTotals);
  showTotals();
}

void OutputListPane::scheduleTotals() {
  if (m_totalsPending) return;
  m_totalsPending = true;
  QMetaObject::invokeMethod(this, &OutputListPane::showTotals, Qt::QueuedConnection);
}

void OutputListPane::showTotals() {
  m_totalsPending = false;
  const QString text = tickedTotalsCaption(m_list.tickedCount(), m_list.tickedBytes());
  if (m_lblTotals->text() != text) m_lblTotals->setText(text);
  const qint64 notedCount = m_list.notedCount();
  const QString noted = tr("注意 %1件　").arg(notedCount);
  if (m_lblNoted->text() != noted) m_lblNoted->setText(noted);
  m_lblNoted->setVisible(notedCount > 0);
}

OutputListPane::~OutputListPane() {
  // The view goes before the model it shows.
  delete m_lvWriteList;
  m_lvWriteList = nullptr;
}

void OutputListPane::setCaption(const QString& caption) {
  // The accessible name stays the fixed one; a screen reader learns the count from the
  // description.
  setTitle(caption);
  setAccessibleDescription(caption);
}

void OutputListPane::showCount() {
  setCaption(m_list.countCaption());
}

void OutputListPane::showStateColumn(bool shown) {
  m_lvWriteList->setColumnHidden(int(ListColumn::State), !shown);
}

void OutputListPane::showSkipped(qint64 count) {
  m_lblSkipped->setText(tr("読み取れず除外 %1件　").arg(count));
  m_lblSkipped->setAccessibleName(m_lblSkipped->text());
  m_lblSkipped->setVisible(count > 0);
}

void OutputListPane::clearList() {
  m_list.clear();
  showSkipped(0);
  showStateColumn(false);
  setCaption(FileList::clearedCaption());
  Q_EMIT cleared();
}

void OutputListPane::headerClicked(int section) {
  if (!isShownColumn(section)) return;
  m_model->flush();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_list.columnClicked(ListColumn(section));
  QApplication::restoreOverrideCursor();
  // The size sort leaves bNumAsc true after an ascending pass.
  const bool ascending = ListColumn(section) == ListColumn::Size ? m_list.bNumAsc()
                         : ListColumn(section) == ListColumn::DeliveryCheck
                             ? m_list.notedFirst()
                             : m_list.sortAscending();
  QHeaderView* header = m_lvWriteList->header();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(section, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void OutputListPane::showListSorting() {
  if (!m_list.isSortingEnabled()) return;
  QHeaderView* header = m_lvWriteList->header();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(int(m_list.sortColumn()),
                           m_list.sortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void OutputListPane::openSelectedRow() {
  const QModelIndex current = m_lvWriteList->currentIndex();
  if (!current.isValid() || current.row() >= m_list.count()) return;
  if (!m_lvWriteList->selectionModel()->isRowSelected(current.row(), QModelIndex())) return;
  m_lvWriteList->setEnabled(false);
  m_session.openWithAssociatedApp(m_list.at(current.row()).fullPath());
  m_lvWriteList->setEnabled(true);
  m_lvWriteList->setFocus();
}

bool OutputListPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_lvWriteList && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      openSelectedRow();
      return true;
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace vek
