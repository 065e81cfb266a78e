#include "ui/OutputListPane.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/list/FileList.h"
#include "core/settings/Session.h"
#include "ui/FileListModel.h"
#include "ui/ListRowActions.h"
#include "ui/ListStatusLine.h"
#include "ui/PushButton.h"
#include "ui/RowsView.h"
#include "ui/Twips.h"

namespace vek {

OutputListPane::OutputListPane(FileList& list, Session& session, QWidget* parent)
    : QGroupBox(FileList::clearedCaption(), parent), m_list(list), m_session(session) {
  setObjectName(QStringLiteral("frmFileList"));
  m_lvWriteList = new RowsView(this);
  m_lvWriteList->setObjectName(QStringLiteral("lvWriteList"));
  m_lvWriteList->setRootIsDecorated(false);
  m_lvWriteList->setItemsExpandable(false);
  m_lvWriteList->setUniformRowHeights(true);  // what keeps a million rows fast
  m_lvWriteList->setAllColumnsShowFocus(true);
  m_lvWriteList->setSelectionMode(QAbstractItemView::ExtendedSelection);
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
  m_nameColumnDesigned = header->sectionSize(int(ListColumn::Name));
  showStateColumn(false);
  m_cmdListClear = createPushButton(QStringLiteral("cmdListClear"), tr("リストの一括クリア"), this);
  m_lblComment = new QLabel(tr("※　不要なﾌｧｲﾙはﾁｪｯｸを外してください。"), this);
  m_lblComment->setObjectName(QStringLiteral("lblComment"));
  m_status = new ListStatusLine(m_list, *this);
  m_lblStates = new QLabel(this);
  m_lblStates->setObjectName(QStringLiteral("lblStates"));
  m_lblStates->setMinimumWidth(1);
  m_lblStates->hide();
  m_lblStates->setToolTip(
      tr("比較で見つかった状態ごとの行数です。"
         "「削除」の行は今はないファイルで、合計のサイズに含みません。"));
  m_chkDifferencesOnly = new QCheckBox(tr("相違のみ表示"), this);
  m_chkDifferencesOnly->setObjectName(QStringLiteral("chkDifferencesOnly"));
  m_chkDifferencesOnly->setToolTip(ListRowActions::differencesOnlyTip());
  m_chkDifferencesOnly->hide();
  // The status of the ticked rows on a line of its own under the list, left-aligned, so that at
  // the window's first width every part reads whole; the hint and the clear button below it.
  auto* output = new QVBoxLayout(this);
  output->addWidget(m_lvWriteList, 1);
  // While a comparison is shown: its switch and the count of each state, on a line of their own.
  auto* compareRow = new QHBoxLayout;
  compareRow->addWidget(m_chkDifferencesOnly);
  compareRow->addSpacing(twipsToPixels(240, *this));
  compareRow->addWidget(m_lblStates);
  compareRow->addStretch(1);
  output->addLayout(compareRow);
  output->addLayout(m_status->row());
  auto* clearRow = new QHBoxLayout;
  clearRow->addWidget(m_lblComment);
  clearRow->addStretch(1);
  clearRow->addWidget(m_cmdListClear);
  output->addLayout(clearRow);

  setAccessibleName(FileList::clearedCaption());
  setAccessibleDescription(title());

  connect(m_cmdListClear, &QPushButton::clicked, this, &OutputListPane::clearList);
  connect(header, &QHeaderView::sectionClicked, this, &OutputListPane::headerClicked);
  connect(m_lvWriteList, &QTreeView::doubleClicked, this, [this] { openSelectedRow(); });
  m_lvWriteList->installEventFilter(this);
  // Every way the ticked rows change: a tick, an add, a clear, a sort.
  connect(m_model, &QAbstractItemModel::dataChanged, m_status, &ListStatusLine::scheduleTotals);
  connect(m_model, &QAbstractItemModel::rowsInserted, m_status, &ListStatusLine::scheduleTotals);
  connect(m_model, &QAbstractItemModel::rowsRemoved, m_status, &ListStatusLine::scheduleTotals);
  connect(m_model, &QAbstractItemModel::modelReset, m_status, &ListStatusLine::scheduleTotals);
  connect(m_model, &QAbstractItemModel::layoutChanged, m_status, &ListStatusLine::scheduleTotals);
  connect(m_model, &FileListModel::listChanged, this, &OutputListPane::scheduleNameColumnFit);
  connect(header, &QHeaderView::sectionResized, this, [this](int section) {
    if (section == int(ListColumn::Name) && !m_fittingNameColumn) m_nameColumnByHand = true;
  });
  m_rowActions = new ListRowActions(m_list, m_session, *m_model, *m_lvWriteList, this);
  QAction* differencesOnly = m_rowActions->differencesOnly();
  connect(differencesOnly, &QAction::toggled, this,
          [this] { m_chkDifferencesOnly->setChecked(m_model->differencesOnly()); });
  connect(m_chkDifferencesOnly, &QCheckBox::toggled, differencesOnly, &QAction::setChecked);
  connect(m_model, &FileListModel::listChanged, this, &OutputListPane::showComparison);
  // Rows that come while the list's own sorting is off (after a size or 注意 sort) are in no
  // order the header could show: the arrow goes rather than point at an order that is not.
  const auto orderUnknown = [this] {
    if (!m_list.isSortingEnabled())
      m_lvWriteList->header()->setSortIndicator(-1, Qt::AscendingOrder);
  };
  connect(m_model, &QAbstractItemModel::rowsInserted, this, orderUnknown);
  m_status->showTotals();
}

void OutputListPane::showComparison() {
  const bool shown = m_list.holdsComparison();
  if (shown) {
    QStringList parts;
    for (const CompareState state :
         {CompareState::Same, CompareState::Added, CompareState::Removed, CompareState::Changed,
          CompareState::Moved, CompareState::Unverified}) {
      const qint64 rows = m_list.stateCount(state);
      if (rows > 0) parts += compareStateText(state) + u' ' + QString::number(rows);
    }
    QString counts = parts.value(0);
    for (qsizetype i = 1; i < parts.size(); ++i)
      counts = tr("%1　%2", "the counts of the states").arg(counts, parts[i]);
    m_lblStates->setText(counts);
    m_lblStates->setAccessibleName(counts);
  }
  m_chkDifferencesOnly->setChecked(m_model->differencesOnly());
  m_rowActions->differencesOnly()->setChecked(m_model->differencesOnly());
  if (shown == m_comparisonShown) {
    m_status->fit();
    return;
  }
  m_comparisonShown = shown;
  m_lblStates->setVisible(shown);
  m_chkDifferencesOnly->setVisible(shown);
  showStateColumn(shown);
  m_rowActions->update();
  m_status->fit();
}

void OutputListPane::scheduleNameColumnFit() {
  if (m_nameColumnByHand || m_nameFitPending) return;
  m_nameFitPending = true;
  QMetaObject::invokeMethod(this, &OutputListPane::fitNameColumn, Qt::QueuedConnection);
}

void OutputListPane::fitNameColumn() {
  m_nameFitPending = false;
  if (m_nameColumnByHand || m_model->rowCount() == 0) return;
  QHeaderView* header = m_lvWriteList->header();
  const int column = int(ListColumn::Name);
  // Room for about forty characters, and never more than half the list's width (but never
  // narrower than the column's designed width): the other columns stay in sight.
  const int limit =
      std::max(m_nameColumnDesigned, std::min(40 * m_lvWriteList->fontMetrics().averageCharWidth(),
                                              m_lvWriteList->viewport()->width() / 2));
  const int current = header->sectionSize(column);
  if (current >= limit) return;
  // The rows in sight and a thousand more at most (the header's precision), not a million.
  const int wanted =
      std::clamp(static_cast<const QAbstractItemView*>(m_lvWriteList)->sizeHintForColumn(column),
                 m_nameColumnDesigned, limit);
  if (wanted <= current) return;
  m_fittingNameColumn = true;
  header->resizeSection(column, wanted);
  m_fittingNameColumn = false;
}

void OutputListPane::resetNameColumn() {
  m_nameColumnByHand = false;
  m_fittingNameColumn = true;
  m_lvWriteList->header()->resizeSection(int(ListColumn::Name), m_nameColumnDesigned);
  m_fittingNameColumn = false;
}

void OutputListPane::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  m_status->fit();
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
  const int column = int(ListColumn::State);
  m_lvWriteList->setColumnHidden(column, !shown);
  // The state is what a comparison is read for: the first column while it is shown, at the
  // list's left edge; its own place (the last) again after.
  QHeaderView* header = m_lvWriteList->header();
  header->moveSection(header->visualIndex(column), shown ? 0 : header->count() - 1);
  if (shown) m_lvWriteList->horizontalScrollBar()->setValue(0);
}

void OutputListPane::clearList() {
  m_list.clear();
  // An empty list starts at its left edge with the name column as designed.
  m_lvWriteList->horizontalScrollBar()->setValue(0);
  resetNameColumn();
  m_status->showSkipped(0);
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
  if (!current.isValid() || current.row() >= m_model->rowCount()) return;
  if (!m_lvWriteList->selectionModel()->isRowSelected(current.row(), QModelIndex())) return;
  const FileEntry& row = m_list.at(m_model->listRow(current.row()));
  // A removed file is gone: there is nothing to open.
  if (row.state == CompareState::Removed) return;
  m_lvWriteList->setEnabled(false);
  m_session.openWithAssociatedApp(row.fullPath());
  m_lvWriteList->setEnabled(true);
  m_lvWriteList->setFocus();
}

QString OutputListPane::rowMenuTitle() {
  return ListRowActions::menuTitle();
}

const std::vector<QAction*>& OutputListPane::rowActions() const {
  return m_rowActions->actions();
}

void OutputListPane::addRowActions(QMenu* menu) const {
  m_rowActions->addTo(menu);
}

QLabel* OutputListPane::totals() const {
  return m_status->totals();
}

QLabel* OutputListPane::noted() const {
  return m_status->noted();
}

QLabel* OutputListPane::skipped() const {
  return m_status->skipped();
}

void OutputListPane::showSkipped(qint64 count) {
  m_status->showSkipped(count);
}

bool OutputListPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_lvWriteList && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      openSelectedRow();
      return true;
    }
    // Space from any column, not only on the tick's own cell.
    const auto modifiers = static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Space && modifiers == Qt::NoModifier) {
      m_rowActions->toggleCurrentTick();
      return true;
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace vek
