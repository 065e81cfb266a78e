#include "ui/OutputListPane.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/list/FileList.h"
#include "core/list/ListTotals.h"
#include "core/messages/PrintedPath.h"
#include "core/settings/Session.h"
#include "ui/FileListModel.h"
#include "ui/PushButton.h"
#include "ui/RowsClipboard.h"
#include "ui/Twips.h"

namespace vek {

namespace {

// The list's view. Its rows are all one height and never have children, so a change of ticks
// over many rows matters only to the rows in sight: QTreeView would otherwise look at every row
// of the range for its height, children and place (a tenth of a second for a million rows).
class RowsView : public QTreeView {
 public:
  using QTreeView::QTreeView;

 protected:
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) override {
    constexpr int kFewRows = 256;
    if (bottomRight.row() - topLeft.row() < kFewRows || roles != QList<int>{Qt::CheckStateRole}) {
      QTreeView::dataChanged(topLeft, bottomRight, roles);
      return;
    }
    const QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid()) return;  // no row in sight
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    const int first = std::max(topLeft.row(), top.row());
    const int last =
        std::min(bottomRight.row(), bottom.isValid() ? bottom.row() : model()->rowCount() - 1);
    if (first <= last) {
      QTreeView::dataChanged(model()->index(first, topLeft.column()),
                             model()->index(last, bottomRight.column()), roles);
    }
  }
};

}  // namespace

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
  m_lblStates = new QLabel(this);
  m_lblStates->setObjectName(QStringLiteral("lblStates"));
  m_lblStates->setMinimumWidth(1);
  m_lblStates->hide();
  m_lblStates->setToolTip(
      tr("比較で見つかった状態ごとの行数です。"
         "「削除」の行は今はないファイルで、合計のサイズに含みません。"));
  m_chkDifferencesOnly = new QCheckBox(tr("相違のみ表示"), this);
  m_chkDifferencesOnly->setObjectName(QStringLiteral("chkDifferencesOnly"));
  m_chkDifferencesOnly->setToolTip(differencesOnlyTip());
  m_chkDifferencesOnly->hide();
  m_lblSkipped->setToolTip(
      tr("最後の追加で読み取れなかったフォルダとファイルの数です。"
         "リストに含まれていません。"));
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
  m_statusRow = new QHBoxLayout;
  m_statusRow->addWidget(m_lblTotals);
  m_statusRow->addWidget(m_lblNoted);
  m_statusRow->addWidget(m_lblSkipped);
  m_statusRow->addStretch(1);
  output->addLayout(m_statusRow);
  m_lblTotals->setMinimumWidth(1);
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
  connect(m_model, &QAbstractItemModel::dataChanged, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::rowsInserted, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::rowsRemoved, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::modelReset, this, &OutputListPane::scheduleTotals);
  connect(m_model, &QAbstractItemModel::layoutChanged, this, &OutputListPane::scheduleTotals);
  connect(m_model, &FileListModel::listChanged, this, &OutputListPane::scheduleNameColumnFit);
  connect(header, &QHeaderView::sectionResized, this, [this](int section) {
    if (section == int(ListColumn::Name) && !m_fittingNameColumn) m_nameColumnByHand = true;
  });
  createRowActions();
  connect(m_chkDifferencesOnly, &QCheckBox::toggled, m_actDifferencesOnly, &QAction::setChecked);
  connect(m_model, &FileListModel::listChanged, this, &OutputListPane::showComparison);
  // Rows that come while the list's own sorting is off (after a size or 注意 sort) are in no
  // order the header could show: the arrow goes rather than point at an order that is not.
  const auto orderUnknown = [this] {
    if (!m_list.isSortingEnabled())
      m_lvWriteList->header()->setSortIndicator(-1, Qt::AscendingOrder);
  };
  connect(m_model, &QAbstractItemModel::rowsInserted, this, orderUnknown);
  showTotals();
}

QString OutputListPane::differencesOnlyTip() {
  return tr(
      "「同じ」の行を隠します。出力するのは、隠れた行も含めてﾁｪｯｸした行です。"
      "相違だけを出力するときは、先に「同じ」の行のチェックを外してください。");
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
  m_actDifferencesOnly->setChecked(m_model->differencesOnly());
  if (shown == m_comparisonShown) {
    fitStatusLine();
    return;
  }
  m_comparisonShown = shown;
  m_lblStates->setVisible(shown);
  m_chkDifferencesOnly->setVisible(shown);
  showStateColumn(shown);
  updateRowActions();
  fitStatusLine();
}

void OutputListPane::createRowActions() {
  using Change = FileListModel::TickChange;
  m_actTickSelected =
      addRowAction("actTickSelected", tr("選択した行にチェック (&K)"), QKeySequence(Qt::Key_Plus));
  m_actUntickSelected = addRowAction("actUntickSelected", tr("選択した行のチェックを外す (&U)"),
                                     QKeySequence(Qt::Key_Minus));
  m_actInvertSelected = addRowAction("actInvertSelected", tr("選択した行のチェックを反転 (&I)"),
                                     QKeySequence(Qt::Key_Asterisk));
  m_rowActions.push_back(nullptr);
  m_actTickAll =
      addRowAction("actTickAll", tr("すべてチェック (&A)"), QKeySequence(Qt::CTRL | Qt::Key_Plus));
  m_actUntickAll = addRowAction("actUntickAll", tr("すべてのチェックを外す (&N)"),
                                QKeySequence(Qt::CTRL | Qt::Key_Minus));
  m_rowActions.push_back(nullptr);
  m_actDifferencesOnly = addRowAction("actDifferencesOnly", tr("相違のみ表示 (&D)"), {});
  m_actDifferencesOnly->setCheckable(true);
  m_actDifferencesOnly->setToolTip(differencesOnlyTip());
  m_actDifferencesOnly->setStatusTip(differencesOnlyTip());
  m_actUntickSame = addRowAction("actUntickSame", tr("「同じ」の行のチェックを外す (&S)"), {});
  m_rowActions.push_back(nullptr);
  m_actOpenFolder = addRowAction("actOpenFolder", tr("ファイルのあるフォルダを開く (&F)"),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  m_rowActions.push_back(nullptr);
  m_actCopyRows = addRowAction("actCopyRows", tr("選択した行をコピー (&C)"), QKeySequence::Copy);
  m_actCopyPaths = addRowAction("actCopyPaths", tr("フルパスをコピー (&P)"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(m_actTickSelected, &QAction::triggered, this,
          [this] { changeSelectedTicks(Change::Tick); });
  connect(m_actUntickSelected, &QAction::triggered, this,
          [this] { changeSelectedTicks(Change::Untick); });
  connect(m_actInvertSelected, &QAction::triggered, this,
          [this] { changeSelectedTicks(Change::Invert); });
  connect(m_actTickAll, &QAction::triggered, this, [this] {
    m_model->flush();
    m_model->changeAllTicks(Change::Tick);
  });
  connect(m_actUntickAll, &QAction::triggered, this, [this] {
    m_model->flush();
    m_model->changeAllTicks(Change::Untick);
  });
  connect(m_actDifferencesOnly, &QAction::toggled, this, [this](bool on) {
    m_model->setDifferencesOnly(on);
    m_chkDifferencesOnly->setChecked(m_model->differencesOnly());
  });
  connect(m_actUntickSame, &QAction::triggered, m_model, &FileListModel::untickSameRows);
  connect(m_actOpenFolder, &QAction::triggered, this, &OutputListPane::openContainingFolder);
  connect(m_actCopyRows, &QAction::triggered, this, &OutputListPane::copySelectedRows);
  connect(m_actCopyPaths, &QAction::triggered, this, &OutputListPane::copyFullPaths);
  // The same actions on the rows' context menu.
  for (QAction* action : m_rowActions) {
    if (action) {
      m_lvWriteList->addAction(action);
    } else {
      auto* separator = new QAction(this);
      separator->setSeparator(true);
      m_lvWriteList->addAction(separator);
    }
  }
  m_lvWriteList->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(m_lvWriteList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &OutputListPane::updateRowActions);
  connect(m_lvWriteList->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &OutputListPane::updateRowActions);
  for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
    connect(m_model, signal, this, &OutputListPane::updateRowActions);
  connect(m_model, &QAbstractItemModel::modelReset, this, &OutputListPane::updateRowActions);
  updateRowActions();
}

QAction* OutputListPane::addRowAction(const char* name, const QString& caption,
                                      const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  // Only while the list has the focus: Space, "+" and Ctrl+C belong to other controls elsewhere.
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  action->setShortcutVisibleInContextMenu(true);
  m_rowActions.push_back(action);
  return action;
}

QString OutputListPane::rowMenuTitle() {
  return tr("リスト (&L)");
}

void OutputListPane::addRowActions(QMenu* menu) const {
  for (QAction* action : m_rowActions) {
    if (action)
      menu->addAction(action);
    else
      menu->addSeparator();
  }
}

void OutputListPane::updateRowActions() {
  const bool rows = m_model->rowCount() > 0;
  const bool selected = rows && m_lvWriteList->selectionModel()->hasSelection();
  for (QAction* action :
       {m_actTickSelected, m_actUntickSelected, m_actInvertSelected, m_actCopyRows, m_actCopyPaths})
    action->setEnabled(selected);
  m_actTickAll->setEnabled(rows);
  m_actUntickAll->setEnabled(rows);
  const bool comparison = m_list.holdsComparison();
  m_actDifferencesOnly->setEnabled(comparison);
  m_actUntickSame->setEnabled(comparison && m_list.stateCount(CompareState::Same) > 0);
  m_actOpenFolder->setEnabled(rows && m_lvWriteList->currentIndex().isValid());
}

std::vector<FileListModel::RowSpan> OutputListPane::selectedSpans() const {
  std::vector<FileListModel::RowSpan> spans;
  // The selection's ranges, not one index a cell: a million selected rows are one range.
  for (const QItemSelectionRange& range : m_lvWriteList->selectionModel()->selection())
    spans.push_back({range.top(), range.bottom()});
  std::sort(spans.begin(), spans.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<FileListModel::RowSpan> merged;
  for (const FileListModel::RowSpan& span : spans) {
    if (!merged.empty() && span.first <= merged.back().last + 1)
      merged.back().last = std::max(merged.back().last, span.last);
    else
      merged.push_back(span);
  }
  return merged;
}

void OutputListPane::changeSelectedTicks(FileListModel::TickChange change) {
  m_model->changeTicks(selectedSpans(), change);
}

void OutputListPane::toggleCurrentTick() {
  const QModelIndex current = m_lvWriteList->currentIndex();
  if (!current.isValid()) return;
  const int row = current.row();
  const auto change = m_list.at(m_model->listRow(row)).ticked ? FileListModel::TickChange::Untick
                                                              : FileListModel::TickChange::Tick;
  if (m_lvWriteList->selectionModel()->isRowSelected(row, QModelIndex()))
    m_model->changeTicks(selectedSpans(), change);
  else
    m_model->changeTicks({{row, row}}, change);
}

void OutputListPane::openContainingFolder() {
  const QModelIndex current = m_lvWriteList->currentIndex();
  if (!current.isValid() || current.row() >= m_model->rowCount()) return;
  m_session.openWithAssociatedApp(m_list.at(m_model->listRow(current.row())).folder);
}

void OutputListPane::copySelectedRows() {
  const std::vector<FileListModel::RowSpan> rows = selectedSpans();
  if (rows.empty()) return;
  // The columns as the list shows them: in the header's order, the hidden ones left out.
  const QHeaderView* header = m_lvWriteList->header();
  QList<CopiedColumn> columns;
  for (int visual = 0; visual < header->count(); ++visual) {
    const int column = header->logicalIndex(visual);
    if (header->isSectionHidden(column)) continue;
    columns.append({column, FileList::columns()[std::size_t(column)].alignRight});
  }
  QApplication::clipboard()->setMimeData(rowsMimeData(copyRows(*m_model, columns, rows)).release());
}

void OutputListPane::copyFullPaths() {
  QString text;
  // One path a line, in the form every report shows: a name holding a line end stays one line.
  for (const FileListModel::RowSpan& span : selectedSpans()) {
    for (int row = span.first; row <= span.last; ++row) {
      text += printedPath(m_list.at(m_model->listRow(row)).fullPath());
      text += u'\n';
    }
  }
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
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

void OutputListPane::scheduleTotals() {
  if (m_totalsPending) return;
  m_totalsPending = true;
  QMetaObject::invokeMethod(this, &OutputListPane::showTotals, Qt::QueuedConnection);
}

void OutputListPane::showTotals() {
  m_totalsPending = false;
  const qint64 notedCount = m_list.notedCount();
  const QString noted = tr("注意 %1件　").arg(notedCount);
  if (m_lblNoted->text() != noted) m_lblNoted->setText(noted);
  m_lblNoted->setVisible(notedCount > 0);
  fitStatusLine();
}

void OutputListPane::fitStatusLine() {
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
    if (!label->isHidden()) needed += m_statusRow->spacing() + label->sizeHint().width();
  }
  // Not laid out yet: in full, until the window is shown at its size.
  const QRect room = m_statusRow->contentsRect();
  const bool fits = !isVisible() || !room.isValid() || needed <= room.width();
  const QString text = fits ? full : tickedTotalsCaption(files - removed, bytes, false) + gone;
  if (m_lblTotals->text() != text) m_lblTotals->setText(text);
  m_lblTotals->setToolTip(text == full ? QString() : full);
  m_lblTotals->setAccessibleName(full);
}

void OutputListPane::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  fitStatusLine();
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

void OutputListPane::showSkipped(qint64 count) {
  m_lblSkipped->setText(tr("読み取れず除外 %1件　").arg(count));
  m_lblSkipped->setAccessibleName(m_lblSkipped->text());
  m_lblSkipped->setVisible(count > 0);
  fitStatusLine();
}

void OutputListPane::clearList() {
  m_list.clear();
  // An empty list starts at its left edge with the name column as designed.
  m_lvWriteList->horizontalScrollBar()->setValue(0);
  resetNameColumn();
  showSkipped(0);
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
      toggleCurrentTick();
      return true;
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace vek
