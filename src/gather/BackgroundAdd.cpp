#include "gather/BackgroundAdd.h"

#include <system_error>

#include <QElapsedTimer>
#include <QEventLoop>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/messages/MessageCatalogue.h"
#include "core/platform/FileSystem.h"
#include "core/settings/RecentTexts.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"

namespace vek {

namespace {

// How long one pass over the arrived results may hold the thread before its other events get
// their turn, in ms.
constexpr qint64 kDrainSlice = 8;

// Orders found for the end of one add before its rows are sorted here: each found order is
// dropped when the list was cleared or re-sorted meanwhile.
constexpr int kMaxOrderRounds = 3;

QString nativeFolderText(const QString& folder) {
  return folderText(folder, nativePathStyle());
}

}  // namespace

BackgroundAdd::BackgroundAdd(Gatherer& gatherer, FileList& list, Interaction& interaction,
                             Settings& settings, QObject* parent)
    : QObject(parent),
      m_gatherer(gatherer),
      m_list(list),
      m_interaction(interaction),
      m_settings(settings),
      m_scan(this, [this] { drain(); }) {
  m_poll.setSingleShot(true);
  m_poll.setInterval(ScanThread::kPollInterval);
  connect(&m_poll, &QTimer::timeout, this, &BackgroundAdd::drain);
  m_runAside = [this](std::function<void()> job) {
    if (m_orderThread.joinable()) m_orderThread.join();  // done: its order came before
    try {
      m_orderThread = std::thread(std::move(job));
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  };
}

BackgroundAdd::~BackgroundAdd() {
  // Their orders would be handed to this object: the queued calls die with it.
  if (m_orderThread.joinable()) m_orderThread.join();
  if (m_mergeThread.joinable()) m_mergeThread.join();
}

void BackgroundAdd::begin(Kind kind) {
  m_kind = kind;
  m_lastKind = kind;
  m_result = {};
  m_folderCount = 0;
  m_progressShown = false;
  m_timings = {};
  m_mergedRows = m_list.count();
  m_gatherer.beginFailures();
}

void BackgroundAdd::startWalk(ScanThread::Kind kind, const QString& folderText) {
  m_walking = true;
  m_walkStarted = std::chrono::steady_clock::now();
  m_sliceEnded = m_walkStarted;
  m_sliceLeftMore = false;
  m_poll.start();
  m_scan.start(kind, folderText, m_gatherer.wildcardFilter(), m_gatherer.walkRules(),
               m_gatherer.threads(), m_gatherer.batchFiles(), m_rowChecks);
}

void BackgroundAdd::startSearch(const QString& folderText) {
  m_interaction.showProgress(MessageCatalogue::folderSearchCaption(),
                             MessageCatalogue::folderSearchInfo(), QString(), -1, 0);
  m_progressShown = true;
  startWalk(ScanThread::Kind::Subtree, folderText);
}

void BackgroundAdd::startSubtree(const QString& folder) {
  m_lastKind = Kind::Subtree;
  m_result = {};
  if (m_gatherer.filterIsEmpty()) {
    m_gatherer.reportEmptyFilter();
    m_result.outcome = AddOutcome::EmptyFilter;
    Q_EMIT finished();
    return;
  }
  const QString text = nativeFolderText(folder);
  if (!m_gatherer.confirmRootScan(text)) {
    m_result.outcome = AddOutcome::Declined;
    Q_EMIT finished();
    return;
  }
  begin(Kind::Subtree);
  m_startText = text;
  m_list.setSortingEnabled(false);
  m_interaction.clearCancelRequested();
  startSearch(text);
}

void BackgroundAdd::startCurrentFolder(const QString& folder) {
  begin(Kind::CurrentFolder);
  m_startText = nativeFolderText(folder);
  // Nothing changes until the folder's listing is known: a folder that lists nothing leaves
  // the list, its sorting and the history alone.
  startWalk(ScanThread::Kind::Folder, m_startText);
}

void BackgroundAdd::startDrop(std::vector<DroppedItem> items) {
  begin(Kind::Drop);
  m_items = std::move(items);
  m_nextItem = 0;
  m_list.setSortingEnabled(false);
  m_interaction.clearCancelRequested();
  takeNextDropItem();
}

void BackgroundAdd::takeNextDropItem() {
  bool stopped = false;
  while (m_kind == Kind::Drop && m_nextItem < m_items.size()) {
    const DroppedItem& item = m_items[m_nextItem++];
    if (item.path.isEmpty()) {
      // Nothing that the file system knows: stop here; the rows so far stay.
      if (m_progressShown) m_interaction.closeProgress();
      m_progressShown = false;
      m_list.setSortingEnabled(true);
      reportNotAnItem(m_interaction);
      end(AddOutcome::Done);
      return;
    }
    if (FileSystem::regularFileExists(item.path)) {
      QString folder, name;
      splitFilePath(item.path, folder, name);
      // A name no add would list (hidden, or left out) is not taken from a drop either.
      if (m_gatherer.walkRules().takesFile(name) && m_gatherer.addFileEntry(folder, name))
        ++m_result.added;
      if (m_gatherer.stopRequested()) {
        stopped = true;
        break;
      }
    } else if (FileSystem::folderExists(item.path)) {
      const QString text = nativeFolderText(item.path);
      if (!m_settings.option.dropFolder) {
        m_gatherer.showFolder(text);
        startWalk(ScanThread::Kind::Folder, text);
      } else {
        startSearch(text);
      }
      return;  // goes on when the walk is done
    }
    // Anything else has vanished since it was dragged, or is a special file (a pipe, a
    // device) that no add lists: skipped.
  }
  if (m_kind == Kind::Drop) end(stopped ? AddOutcome::Cancelled : AddOutcome::Done);
}

void BackgroundAdd::drain() {
  // An error box shown while a batch is applied runs its own event loop, in which the next
  // wake may arrive: the pass under way takes those results in its turn.
  if (m_draining) return;
  m_draining = true;
  using Clock = std::chrono::steady_clock;
  const Clock::time_point begun = Clock::now();
  if (m_walking) {
    if (m_sliceLeftMore) {
      m_timings.betweenSlices += begun - m_sliceEnded;
    } else {
      const Clock::time_point woken = std::max(m_scan.lastWake(), m_sliceEnded);
      m_timings.waitingForWalk += woken - m_sliceEnded;
      m_timings.wakeLatency += begun - woken;
    }
  }
  QElapsedTimer slice;
  slice.start();
  bool more = false;
  while (m_walking) {
    if (const std::optional<QString> folder = m_scan.takeSearchedFolder()) {
      m_interaction.updateProgress(MessageCatalogue::folderSearchCaption(),
                                   MessageCatalogue::folderSearchInfo(), *folder, -1);
      if (cancelledByPerson()) break;
    }
    std::optional<ScanThread::Event> event = m_scan.take();
    if (!event) break;
    handle(std::move(*event));
    if (slice.elapsed() >= kDrainSlice) {
      more = true;
      break;
    }
  }
  m_draining = false;
  const Clock::time_point applied = Clock::now();
  if (m_kind != Kind::None) {
    Q_EMIT rowsAdded();
    mergeIfDue();
  }
  m_sliceEnded = Clock::now();
  m_sliceLeftMore = more;
  m_timings.applying += m_sliceEnded - begun;
  m_timings.showing += m_sliceEnded - applied;
  ++m_timings.slices;
  // The rest waits for the next turn, after the window has painted and taken its input.
  if (more && m_walking)
    QMetaObject::invokeMethod(this, &BackgroundAdd::drain, Qt::QueuedConnection);
  else if (m_walking)
    m_poll.start();
  else
    m_poll.stop();
}

void BackgroundAdd::handle(ScanThread::Event&& event) {
  using Type = ScanThread::Event::Type;
  switch (event.type) {
    case Type::Searched:
      // Waiting for the walk until here was waiting for the search.
      m_timings.searching += std::chrono::steady_clock::now() - m_walkStarted;
      m_timings.waitingForWalk = {};
      m_folderCount = event.count;
      m_result.unreadableFolders += event.unreadable;
      for (const FolderScanner::Failure& folder : event.unreadableFolders)
        m_gatherer.reportUnreadableFolder(folder.folder, folder.reason);
      // Room for every row at once, instead of growing the list as the rows come.
      m_list.reserveFor(event.files);
      m_interaction.showProgress(
          MessageCatalogue::fileSearchCaption(), MessageCatalogue::fileSearchInfo(),
          MessageCatalogue::progressDetail(0, m_folderCount), 0, m_folderCount);
      break;
    case Type::Listed:
      for (const FolderScanner::Failure& folder : event.unreadableFolders)
        m_gatherer.reportUnreadableFolder(folder.folder, folder.reason);
      if (m_kind != Kind::CurrentFolder) break;
      if (event.count <= 0) {
        end(AddOutcome::NothingListed);
        return;
      }
      if (m_gatherer.filterIsEmpty()) {
        m_gatherer.reportEmptyFilter();
        end(AddOutcome::EmptyFilter);
        return;
      }
      m_list.setSortingEnabled(false);
      recordRecent(m_settings.history, folderWithoutSeparator(m_startText, nativePathStyle()));
      break;
    case Type::Batch: {
      if (event.batch.firstOfFolder && m_progressShown) {
        const auto k = qint64(event.batch.folder);
        m_interaction.updateProgress(MessageCatalogue::fileSearchCaption(),
                                     MessageCatalogue::fileSearchInfo(),
                                     MessageCatalogue::progressDetail(k, m_folderCount), k);
        if (cancelledByPerson()) return;
        m_gatherer.showFolder(event.folderText);
      }
      m_result.added += m_gatherer.applyBatch(std::move(event.batch));
      // The person may have stopped the add in an error box, or cancelled meanwhile.
      if (m_gatherer.stopRequested() && m_kind != Kind::None) cancel();
      break;
    }
    case Type::Done:
      walkDone(event.completed);
      break;
  }
}

void BackgroundAdd::walkDone(bool completed) {
  m_walking = false;
  m_timings.walkBlocked += m_scan.walkBlocked();
  switch (m_kind) {
    case Kind::Subtree:
      end(completed ? AddOutcome::Done : AddOutcome::Cancelled);
      break;
    case Kind::CurrentFolder:
      end(AddOutcome::Done);
      break;
    case Kind::Drop:
      if (completed)
        takeNextDropItem();
      else
        end(AddOutcome::Cancelled);
      break;
    case Kind::None:
      break;
  }
}

void BackgroundAdd::cancel() {
  if (m_kind == Kind::None) return;
  end(AddOutcome::Cancelled);
}

bool BackgroundAdd::cancelledByPerson() {
  // Only the progress window offers キャンセル: an add without it is not cut short by a
  // request left over from elsewhere.
  if (!m_progressShown || !m_interaction.cancelRequested()) return false;
  cancel();
  return true;
}

const AddResult& BackgroundAdd::wait() {
  if (running()) {
    QEventLoop loop;
    connect(this, &BackgroundAdd::finished, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return m_result;
}

void BackgroundAdd::end(AddOutcome outcome) {
  if (m_walking) {
    m_timings.walkBlocked += m_scan.walkBlocked();
    m_scan.abandon();
    m_walking = false;
  }
  m_poll.stop();
  const Kind kind = m_kind;
  m_kind = Kind::None;
  m_result.outcome = outcome;
  switch (kind) {
    case Kind::Subtree:
      m_gatherer.showFolder(m_startText);  // the folder box returns to the start folder
      m_interaction.closeProgress();
      break;
    case Kind::Drop:
      if (m_progressShown) m_interaction.closeProgress();
      break;
    case Kind::CurrentFolder:
    case Kind::None:
      break;
  }
  m_progressShown = false;
  m_gatherer.endFailures();
  m_result.unreadable = m_gatherer.unreadable();
  if (m_sortAtEnd && outcome != AddOutcome::NothingListed && outcome != AddOutcome::EmptyFilter) {
    // Sorting many rows here would hold the window still: their order is found aside and
    // finished follows once it is placed.
    m_orderRounds = 0;
    if (sortAside()) return;
    m_list.setSortingEnabled(true);
  }
  Q_EMIT finished();
}

bool BackgroundAdd::sortAside() {
  if (m_orderRounds >= kMaxOrderRounds || m_list.waitingCount() < m_rowsSortedAside ||
      m_list.waitingCount() == 0) {
    return false;
  }
  auto job = [this, rows = m_list.waitingRows()]() mutable {
    FileList::WaitingOrder order = FileList::orderOf(std::move(rows));
    QMetaObject::invokeMethod(
        this, [this, order = std::move(order)] { placeOrder(order); }, Qt::QueuedConnection);
  };
  if (!m_runAside || !m_runAside(std::move(job))) return false;
  ++m_orderRounds;
  m_ordering = true;
  return true;
}

void BackgroundAdd::placeOrder(const FileList::WaitingOrder& order) {
  if (!m_ordering) return;
  // An order found before the list was cleared or re-sorted is dropped; rows still waiting
  // then are ordered again.
  if (!m_list.mergeWaitingRows(order) && sortAside()) return;
  m_ordering = false;
  // Only rows added since the order was found, if any, are left to sort here.
  m_list.setSortingEnabled(true);
  Q_EMIT finished();
}

void BackgroundAdd::mergeIfDue() {
  // Every add ends by sorting the rows it added into the list, and placing them holds the
  // thread still for as long as that takes. During a long add the rows gathered so far are
  // merged in as soon as enough of them wait, so that no merge, and not the sort at the end,
  // has many to place; the order at the end is the same. Their order is found on another
  // thread (the walk, which shares the processors, would stretch that sort on this one), and
  // only their placing holds this one.
  if (!m_sortAtEnd || m_kind == Kind::None || m_merging || m_list.isSortingEnabled() ||
      m_list.count() - m_mergedRows < kRowsWorthAMerge) {
    return;
  }
  auto job = [this, rows = m_list.waitingRows()]() mutable {
    FileList::WaitingOrder order = FileList::orderOf(std::move(rows));
    QMetaObject::invokeMethod(
        this, [this, order = std::move(order)] { mergeOrdered(order); }, Qt::QueuedConnection);
  };
  if (m_mergeThread.joinable()) m_mergeThread.join();  // done: its order came before
  m_mergedRows = m_list.count();
  m_merging = true;
  try {
    m_mergeThread = std::thread(std::move(job));
  } catch (const std::system_error&) {
    // No thread to be had: sorted here.
    m_merging = false;
    m_list.mergeWaitingRows();
  }
}

void BackgroundAdd::mergeOrdered(const FileList::WaitingOrder& order) {
  m_merging = false;
  // An add that has ended sorts its rows itself, these among them: the order is stale then,
  // and placing it would only make the add's own order stale.
  if (m_kind == Kind::None || m_ordering || !m_list.mergeWaitingRows(order)) return;
  Q_EMIT rowsAdded();
  // Rows that came meanwhile may make the next merge due at once.
  mergeIfDue();
}

}  // namespace vek
