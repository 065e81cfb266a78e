#include "ui/ListRowActions.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTreeView>

#include "core/list/FileList.h"
#include "core/messages/PrintedPath.h"
#include "core/settings/Session.h"
#include "ui/RowsClipboard.h"

namespace vek {

ListRowActions::ListRowActions(FileList& list, Session& session, FileListModel& model,
                               QTreeView& view, QObject* parent)
    : QObject(parent), m_list(list), m_session(session), m_model(model), m_view(view) {
  using Change = FileListModel::TickChange;
  m_actTickSelected =
      addAction("actTickSelected", tr("選択した行にチェック (&K)"), QKeySequence(Qt::Key_Plus));
  m_actUntickSelected = addAction("actUntickSelected", tr("選択した行のチェックを外す (&U)"),
                                  QKeySequence(Qt::Key_Minus));
  m_actInvertSelected = addAction("actInvertSelected", tr("選択した行のチェックを反転 (&I)"),
                                  QKeySequence(Qt::Key_Asterisk));
  m_actions.push_back(nullptr);
  m_actTickAll =
      addAction("actTickAll", tr("すべてチェック (&A)"), QKeySequence(Qt::CTRL | Qt::Key_Plus));
  m_actUntickAll = addAction("actUntickAll", tr("すべてのチェックを外す (&N)"),
                             QKeySequence(Qt::CTRL | Qt::Key_Minus));
  m_actions.push_back(nullptr);
  m_actDifferencesOnly = addAction("actDifferencesOnly", tr("相違のみ表示 (&D)"), {});
  m_actDifferencesOnly->setCheckable(true);
  m_actDifferencesOnly->setToolTip(differencesOnlyTip());
  m_actDifferencesOnly->setStatusTip(differencesOnlyTip());
  m_actUntickSame = addAction("actUntickSame", tr("「同じ」の行のチェックを外す (&S)"), {});
  m_actions.push_back(nullptr);
  m_actOpenFolder = addAction("actOpenFolder", tr("ファイルのあるフォルダを開く (&F)"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  m_actions.push_back(nullptr);
  m_actCopyRows = addAction("actCopyRows", tr("選択した行をコピー (&C)"), QKeySequence::Copy);
  m_actCopyPaths = addAction("actCopyPaths", tr("フルパスをコピー (&P)"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(m_actTickSelected, &QAction::triggered, this,
          [this] { changeSelectedTicks(Change::Tick); });
  connect(m_actUntickSelected, &QAction::triggered, this,
          [this] { changeSelectedTicks(Change::Untick); });
  connect(m_actInvertSelected, &QAction::triggered, this,
          [this] { changeSelectedTicks(Change::Invert); });
  connect(m_actTickAll, &QAction::triggered, this, [this] {
    m_model.flush();
    m_model.changeAllTicks(Change::Tick);
  });
  connect(m_actUntickAll, &QAction::triggered, this, [this] {
    m_model.flush();
    m_model.changeAllTicks(Change::Untick);
  });
  connect(m_actDifferencesOnly, &QAction::toggled, this,
          [this](bool on) { m_model.setDifferencesOnly(on); });
  connect(m_actUntickSame, &QAction::triggered, &m_model, &FileListModel::untickSameRows);
  connect(m_actOpenFolder, &QAction::triggered, this, &ListRowActions::openContainingFolder);
  connect(m_actCopyRows, &QAction::triggered, this, &ListRowActions::copySelectedRows);
  connect(m_actCopyPaths, &QAction::triggered, this, &ListRowActions::copyFullPaths);
  // The same actions on the rows' context menu.
  for (QAction* action : m_actions) {
    if (action) {
      m_view.addAction(action);
    } else {
      auto* separator = new QAction(this);
      separator->setSeparator(true);
      m_view.addAction(separator);
    }
  }
  m_view.setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(m_view.selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ListRowActions::update);
  connect(m_view.selectionModel(), &QItemSelectionModel::currentChanged, this,
          &ListRowActions::update);
  for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
    connect(&m_model, signal, this, &ListRowActions::update);
  connect(&m_model, &QAbstractItemModel::modelReset, this, &ListRowActions::update);
  update();
}

QString ListRowActions::differencesOnlyTip() {
  return tr(
      "「同じ」の行を隠します。出力するのは、隠れた行も含めてﾁｪｯｸした行です。"
      "相違だけを出力するときは、先に「同じ」の行のチェックを外してください。");
}

QAction* ListRowActions::addAction(const char* name, const QString& caption,
                                   const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  // Only while the list has the focus: Space, "+" and Ctrl+C belong to other controls elsewhere.
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  action->setShortcutVisibleInContextMenu(true);
  m_actions.push_back(action);
  return action;
}

QString ListRowActions::menuTitle() {
  return tr("リスト (&L)");
}

void ListRowActions::addTo(QMenu* menu) const {
  for (QAction* action : m_actions) {
    if (action)
      menu->addAction(action);
    else
      menu->addSeparator();
  }
}

void ListRowActions::update() {
  const bool rows = m_model.rowCount() > 0;
  const bool selected = rows && m_view.selectionModel()->hasSelection();
  for (QAction* action :
       {m_actTickSelected, m_actUntickSelected, m_actInvertSelected, m_actCopyRows, m_actCopyPaths})
    action->setEnabled(selected);
  m_actTickAll->setEnabled(rows);
  m_actUntickAll->setEnabled(rows);
  const bool comparison = m_list.holdsComparison();
  m_actDifferencesOnly->setEnabled(comparison);
  m_actUntickSame->setEnabled(comparison && m_list.stateCount(CompareState::Same) > 0);
  m_actOpenFolder->setEnabled(rows && m_view.currentIndex().isValid());
}

std::vector<FileListModel::RowSpan> ListRowActions::selectedSpans() const {
  std::vector<FileListModel::RowSpan> spans;
  // The selection's ranges, not one index a cell: a million selected rows are one range.
  for (const QItemSelectionRange& range : m_view.selectionModel()->selection())
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

void ListRowActions::changeSelectedTicks(FileListModel::TickChange change) {
  m_model.changeTicks(selectedSpans(), change);
}

void ListRowActions::toggleCurrentTick() {
  const QModelIndex current = m_view.currentIndex();
  if (!current.isValid()) return;
  const int row = current.row();
  const auto change = m_list.at(m_model.listRow(row)).ticked ? FileListModel::TickChange::Untick
                                                             : FileListModel::TickChange::Tick;
  if (m_view.selectionModel()->isRowSelected(row, QModelIndex()))
    m_model.changeTicks(selectedSpans(), change);
  else
    m_model.changeTicks({{row, row}}, change);
}

void ListRowActions::openContainingFolder() {
  const QModelIndex current = m_view.currentIndex();
  if (!current.isValid() || current.row() >= m_model.rowCount()) return;
  m_session.openWithAssociatedApp(m_list.at(m_model.listRow(current.row())).folder);
}

void ListRowActions::copySelectedRows() {
  const std::vector<FileListModel::RowSpan> rows = selectedSpans();
  if (rows.empty()) return;
  // The columns as the list shows them: in the header's order, the hidden ones left out.
  const QHeaderView* header = m_view.header();
  QList<CopiedColumn> columns;
  for (int visual = 0; visual < header->count(); ++visual) {
    const int column = header->logicalIndex(visual);
    if (header->isSectionHidden(column)) continue;
    columns.append({column, FileList::columns()[std::size_t(column)].alignRight});
  }
  QApplication::clipboard()->setMimeData(rowsMimeData(copyRows(m_model, columns, rows)).release());
}

void ListRowActions::copyFullPaths() {
  QString text;
  // One path a line, in the form every report shows: a name holding a line end stays one line.
  for (const FileListModel::RowSpan& span : selectedSpans()) {
    for (int row = span.first; row <= span.last; ++row) {
      text += printedPath(m_list.at(m_model.listRow(row)).fullPath());
      text += u'\n';
    }
  }
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

}  // namespace vek
