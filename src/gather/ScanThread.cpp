#include "gather/ScanThread.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <QMetaObject>
#include <QObject>

namespace vek {

// Shared by the caller and the walk's thread; the last of the two to let go frees it, so an
// abandoned walk never touches freed memory.
struct ScanThread::State {
  State(const WildcardFilter& filter, const WalkRules& rules, int threads, ScanQueueLimits bound)
      : limits(bound), scanner(filter, threads, rules) {}

  std::mutex mutex;
  std::condition_variable changed;  // room in the queue, abandoned, or finished
  std::deque<Event> events;
  const ScanQueueLimits limits;
  std::size_t queuedBatches = 0;
  std::size_t queuedRows = 0;
  bool walkWaiting = false;  // for room in the queue
  QString searchedFolder;
  bool searchedFolderNew = false;
  bool wakePosted = false;
  bool abandoned = false;
  bool finished = false;
  std::chrono::nanoseconds blocked{0};  // the walk's waits for room
  std::chrono::steady_clock::time_point wokenAt;
  QObject* receiver = nullptr;
  std::function<void()> wake;
  FolderScanner scanner;

  // With mutex held: wakes the caller unless a wake is already on its way. The receiver is
  // cleared under the same lock before it can go away, and Qt drops the calls queued for a
  // receiver that is destroyed.
  void wakeLocked() {
    if (wakePosted || abandoned || !receiver) return;
    wakePosted = true;
    wokenAt = std::chrono::steady_clock::now();
    QMetaObject::invokeMethod(receiver, wake, Qt::QueuedConnection);
  }

  void push(Event&& event) {
    std::lock_guard lock(mutex);
    if (abandoned) return;
    events.push_back(std::move(event));
    wakeLocked();
  }

  bool full() const { return queuedBatches >= limits.batches || queuedRows >= limits.rows; }

  // Waits for room in the queue; false when the caller has gone.
  bool pushBatch(Event&& event) {
    std::unique_lock lock(mutex);
    if (!abandoned && full()) {
      const auto begun = std::chrono::steady_clock::now();
      walkWaiting = true;
      changed.wait(lock, [&] { return abandoned || !full(); });
      walkWaiting = false;
      blocked += std::chrono::steady_clock::now() - begun;
    }
    if (abandoned) return false;
    queuedRows += event.batch.entries.size();
    ++queuedBatches;
    events.push_back(std::move(event));
    // The caller looks at the queue often enough by itself (kPollInterval); it is woken only
    // when a good many rows wait, rather than for each batch pushed after it had emptied the
    // queue: thousands of wakes per add, each a turn of its event loop.
    if (queuedRows >= limits.rows / 8 || queuedBatches >= limits.batches / 8) wakeLocked();
    return true;
  }

  // With mutex held: a batch was taken.
  void batchTaken(std::size_t rows) {
    --queuedBatches;
    queuedRows -= rows;
    if (walkWaiting && queuedBatches <= limits.batches / 2 && queuedRows <= limits.rows / 2) {
      changed.notify_all();
    }
  }
};

namespace {

// The walks whose threads have not ended yet, of every ScanThread.
std::atomic<int> walksRunning{0};

// The walk's thread, and the readers it starts (which inherit it), give way to the caller's
// thread when both want a processor: the walk no longer waits for the window, so on a machine
// with few cores its readers would otherwise hold the window's merges and painting back (the
// longest wait of the window's event loop rose from about 40 to 60-100 ms). A little lower
// priority is enough; more would give the walk away to every other program as well.
void yieldToCaller() {
#if defined(__linux__)
  constexpr int kLower = 3;
  const auto thread = id_t(syscall(SYS_gettid));
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, thread);
  if (errno == 0) setpriority(PRIO_PROCESS, thread, std::min(nice + kLower, 19));
#endif
}

}  // namespace

ScanThread::ScanThread(QObject* receiver, std::function<void()> wake, ScanQueueLimits limits)
    : m_receiver(receiver), m_wake(std::move(wake)), m_limits(limits) {}

ScanThread::~ScanThread() {
  abandon();
  // Each walk was told to stop: it ends after the folder read under way, unless that read
  // hangs (a stale mount), which the program does not wait for.
  const auto deadline = std::chrono::steady_clock::now() + kEndWait;
  for (Walk& walk : m_walks) {
    bool ended = false;
    {
      std::unique_lock lock(walk.state->mutex);
      ended = walk.state->changed.wait_until(lock, deadline, [&] { return walk.state->finished; });
    }
    if (ended)
      walk.thread.join();
    else
      walk.thread.detach();  // counted in walksRunning until it ends
  }
}

bool ScanThread::walksLeftBehind() {
  return walksRunning.load() > 0;
}

void ScanThread::joinEnded() {
  std::erase_if(m_walks, [](Walk& walk) {
    {
      std::lock_guard lock(walk.state->mutex);
      if (!walk.state->finished) return false;
    }
    walk.thread.join();  // past its last touch of the state: returns at once
    return true;
  });
}

void ScanThread::start(Kind kind, const QString& folderText, const WildcardFilter& filter,
                       const WalkRules& rules, int threads, std::size_t batchFiles,
                       bool rowChecks) {
  abandon();
  joinEnded();
  auto state = std::make_shared<State>(filter, rules, threads, m_limits);
  state->receiver = m_receiver;
  state->wake = m_wake;
  state->scanner.setBatchFiles(batchFiles);
  state->scanner.setRowChecks(rowChecks);
  m_state = state;
  m_walks.reserve(m_walks.size() + 1);
  try {
    ++walksRunning;
    std::thread thread([state, kind, folderText]() mutable {
      {
        const std::shared_ptr<State> own = std::move(state);
        yieldToCaller();
        run(own, kind, folderText, true);
      }
      --walksRunning;  // the last touch of anything shared
    });
    m_walks.push_back({state, std::move(thread)});
  } catch (const std::system_error&) {
    --walksRunning;
    // No thread to be had (a process at its limit): the walk runs here instead, as it did
    // before it had a thread of its own; nobody takes batches meanwhile, so the queue is not
    // bounded then.
    run(state, kind, folderText, false);
  }
}

void ScanThread::run(const std::shared_ptr<State>& state, Kind kind, const QString& folderText,
                     bool bounded) {
  FolderScanner& scanner = state->scanner;
  std::vector<FolderScanner::FolderEntry> table;
  bool completed = true;
  if (kind == Kind::Subtree) {
    FolderScanner::SearchHooks hooks;
    hooks.folderStored = [&](const QString& path) {
      std::lock_guard lock(state->mutex);
      // Shown as progress: the caller's next look at the queue takes the latest.
      state->searchedFolder = path;
      state->searchedFolderNew = true;
    };
    std::vector<FolderScanner::Failure> unreadableFolders;
    hooks.folderUnreadable = [&](const QString& path, const QString& reason) {
      unreadableFolders.push_back({path, QString(), reason});
    };
    const qint64 unreadable = scanner.searchSubfolders(folderText, table, hooks);
    completed = !scanner.cancelRequested();
    Event searched;
    searched.unreadableFolders = std::move(unreadableFolders);
    searched.type = Event::Type::Searched;
    searched.count = qint64(table.size());
    searched.unreadable = unreadable;
    for (const FolderScanner::FolderEntry& folder : table) {
      searched.files += qint64(folder.files.size());
    }
    state->push(std::move(searched));
  } else {
    std::optional<std::vector<QString>> files = scanner.listFiles(folderText);
    Event listed;
    listed.type = Event::Type::Listed;
    listed.count = files ? qint64(files->size()) : -1;
    if (!files) listed.unreadableFolders.push_back({folderText, QString(), qt_error_string(errno)});
    state->push(std::move(listed));
    if (files && !files->empty()) table.push_back({folderText, std::move(*files)});
  }
  if (completed && !table.empty()) {
    completed = scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
      Event event;
      event.type = Event::Type::Batch;
      event.folderText = table[batch.folder].path();
      event.batch = std::move(batch);
      if (!bounded) {
        state->push(std::move(event));
        return true;
      }
      return state->pushBatch(std::move(event));
    });
  }
  Event done;
  done.type = Event::Type::Done;
  done.completed = completed;
  state->push(std::move(done));
  std::lock_guard lock(state->mutex);
  state->finished = true;
  state->changed.notify_all();
}

std::optional<ScanThread::Event> ScanThread::take() {
  if (!m_state) return std::nullopt;
  std::lock_guard lock(m_state->mutex);
  if (m_state->events.empty()) {
    m_state->wakePosted = false;
    return std::nullopt;
  }
  Event event = std::move(m_state->events.front());
  m_state->events.pop_front();
  if (event.type == Event::Type::Batch) m_state->batchTaken(event.batch.entries.size());
  return event;
}

std::optional<QString> ScanThread::takeSearchedFolder() {
  if (!m_state) return std::nullopt;
  std::lock_guard lock(m_state->mutex);
  if (!m_state->searchedFolderNew) return std::nullopt;
  m_state->searchedFolderNew = false;
  return m_state->searchedFolder;
}

void ScanThread::abandon() {
  if (!m_state) return;
  std::lock_guard lock(m_state->mutex);
  m_state->abandoned = true;
  m_state->receiver = nullptr;
  m_state->events.clear();
  m_state->scanner.requestCancel();
  m_state->changed.notify_all();
}

std::chrono::nanoseconds ScanThread::walkBlocked() const {
  if (!m_state) return {};
  std::lock_guard lock(m_state->mutex);
  return m_state->blocked;
}

std::chrono::steady_clock::time_point ScanThread::lastWake() const {
  if (!m_state) return {};
  std::lock_guard lock(m_state->mutex);
  return m_state->wokenAt;
}

bool ScanThread::waitFinished(std::chrono::milliseconds timeout) const {
  if (!m_state) return true;
  std::unique_lock lock(m_state->mutex);
  return m_state->changed.wait_for(lock, timeout, [&] { return m_state->finished; });
}

}  // namespace vek
