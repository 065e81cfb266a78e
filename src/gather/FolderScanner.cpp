// The subtree walk and the per-file lookups, spread over threads but delivered in the order
// of a single thread.
#include "gather/FolderScanner.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "core/OrderedWork.h"
#include "core/PathRules.h"

namespace vek {

namespace {

FileSystem::NameFilter nameFilter(const WildcardFilter& filter) {
  return [&filter](QStringView name) { return filter.matches(name); };
}

// Reads folders ahead of the depth-first walk on helper threads. The walk submits each
// folder's subfolders as it pushes them on its stack, so the newest submission is the one
// the walk takes next; helpers take the newest first too and keep just ahead of it.
class FolderReadAhead {
 public:
  struct Slot {
    QString path;
    enum class State { Queued, Taken, Done } state = State::Queued;
    std::optional<FolderListing> listing;
  };

  FolderReadAhead(const WildcardFilter& filter, int helpers, const std::atomic<bool>& cancel)
      : m_filter(nameFilter(filter)), m_cancel(cancel) {
    for (int i = 0; i < helpers; ++i) m_helpers.emplace_back([this] { help(); });
  }
  ~FolderReadAhead() {
    {
      std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& helper : m_helpers) helper.join();
  }

  std::shared_ptr<Slot> submit(QString path) {
    auto slot = std::make_shared<Slot>();
    slot->path = std::move(path);
    if (!m_helpers.empty()) {
      {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(slot);
      }
      m_wake.notify_one();
    }
    return slot;
  }

  // The listing of a submitted folder: read here when no helper has begun it. While a helper
  // reads it, this thread reads the next folders waiting instead of idling.
  std::optional<FolderListing> take(Slot& slot) {
    std::unique_lock lock(m_mutex);
    for (;;) {
      if (slot.state == Slot::State::Queued) {
        slot.state = Slot::State::Taken;
        lock.unlock();
        return FileSystem::readFolder(slot.path, m_filter);
      }
      if (slot.state == Slot::State::Done) return std::move(slot.listing);
      std::shared_ptr<Slot> other = m_cancel.load(std::memory_order_relaxed) ? nullptr : next();
      if (!other) {
        m_done.wait(lock, [&] { return slot.state == Slot::State::Done; });
        continue;
      }
      read(*other, lock);
    }
  }

 private:
  // The newest folder still waiting, taken off the queue; nullptr when none is.
  std::shared_ptr<Slot> next() {
    while (!m_queue.empty()) {
      std::shared_ptr<Slot> slot = std::move(m_queue.back());
      m_queue.pop_back();
      if (slot->state == Slot::State::Queued) return slot;
    }
    return nullptr;
  }

  // Reads a folder taken off the queue, without the lock held, and marks it done.
  void read(Slot& slot, std::unique_lock<std::mutex>& lock) {
    slot.state = Slot::State::Taken;
    lock.unlock();
    std::optional<FolderListing> listing = FileSystem::readFolder(slot.path, m_filter);
    lock.lock();
    slot.listing = std::move(listing);
    slot.state = Slot::State::Done;
    m_done.notify_all();
  }

  void help() {
    std::unique_lock lock(m_mutex);
    for (;;) {
      m_wake.wait(lock, [&] { return m_stop || !m_queue.empty(); });
      if (m_stop) return;
      std::shared_ptr<Slot> slot = next();
      if (slot && !m_cancel.load(std::memory_order_relaxed)) read(*slot, lock);
    }
  }

  FileSystem::NameFilter m_filter;
  const std::atomic<bool>& m_cancel;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_done;
  std::vector<std::shared_ptr<Slot>> m_queue;
  bool m_stop = false;
  std::vector<std::thread> m_helpers;
};

// Consecutive files of one folder, read as one batch (a piece of the work).
struct Unit {
  std::size_t folder;
  std::size_t from;
  std::size_t to;
};

// The extensions of the last few kinds of file, so that the rows of one kind share one text
// rather than each holding a copy.
class SharedExtensions {
 public:
  QString shared(QStringView extension) {
    for (const QString& known : m_known) {
      if (known == extension) return known;
    }
    QString text = extension.toString();
    if (m_known.size() < 16) m_known.push_back(text);
    return text;
  }

 private:
  std::vector<QString> m_known;
};

// The row of a file whose information was read. The file name's own text becomes the name.
FileEntry rowOf(const QString& folderText, QString fileName, FileInfo&& info,
                SharedExtensions& extensions) {
  FileEntry entry;
  const qsizetype dot = fileName.lastIndexOf(u'.');
  if (dot >= 0) {
    entry.extension = extensions.shared(QStringView(fileName).mid(dot));
    fileName.truncate(dot);
  }
  entry.name = std::move(fileName);
  entry.folder = folderText;
  entry.type = std::move(info.type);
  entry.size = info.size;
  entry.created = info.created;
  entry.accessed = info.accessed;
  entry.modified = info.modified;
  return entry;
}

// Reads one unit's files; their names move out of the table into the rows and failures.
FolderScanner::Batch readUnit(std::vector<FolderScanner::FolderEntry>& table, const Unit& unit) {
  FolderScanner::Batch batch;
  batch.folder = unit.folder;
  batch.firstOfFolder = unit.from == 0;
  FolderScanner::FolderEntry& folder = table[unit.folder];
  if (unit.from == unit.to) return batch;
  // One open folder for all its files; when it has gone, the per-path lookups fail and each
  // file is reported.
  const std::optional<FileSystem::Folder> open = FileSystem::Folder::open(folder.path);
  SharedExtensions extensions;
  batch.entries.reserve(unit.to - unit.from);
  for (std::size_t i = unit.from; i < unit.to; ++i) {
    QString& name = folder.files[i];
    std::optional<FileInfo> info =
        open ? open->fileInfo(name) : FileSystem::fileInfo(folder.path + name);
    if (info) {
      batch.entries.push_back(rowOf(folder.path, std::move(name), std::move(*info), extensions));
    } else {
      batch.failures.push_back({folder.path, std::move(name)});
    }
  }
  return batch;
}

}  // namespace

FolderScanner::FolderScanner(WildcardFilter filter, int threads)
    : m_filter(std::move(filter)), m_threads(threads > 0 ? threads : defaultThreads()) {}

int FolderScanner::defaultThreads() {
  return workerThreads();
}

std::optional<std::vector<QString>> FolderScanner::listFiles(const QString& folderText) const {
  auto listing = FileSystem::readFolder(folderText, nameFilter(m_filter));
  if (!listing) return std::nullopt;
  return std::move(listing->files);
}

std::optional<FileEntry> FolderScanner::readEntry(const FileSystem::Folder* open,
                                                  const QString& folderText, const QString& name) {
  std::optional<FileInfo> info =
      open ? open->fileInfo(name) : FileSystem::fileInfo(folderText + name);
  if (!info) return std::nullopt;
  SharedExtensions extensions;
  return rowOf(folderText, name, std::move(*info), extensions);
}

qint64 FolderScanner::searchSubfolders(const QString& start, std::vector<FolderEntry>& table,
                                       const SearchHooks& hooks) {
  if (start.isEmpty()) return 0;
  const QChar separator = pathSeparator(nativePathStyle());
  // The first type description loads the system's MIME data, a tenth of a second or so: load
  // it while the folders are searched rather than when the first file is read.
  const std::jthread typesLoaded([] { FileSystem::typeDescription(QStringLiteral("a.txt")); });
  FolderReadAhead readAhead(m_filter, m_threads - 1, m_cancel);

  // An explicit stack instead of recursion: a deep tree cannot exhaust the call stack. Each
  // folder is stored when it is taken from the stack, its subfolders are pushed in reverse so
  // that the first one is taken next: the table comes out in depth-first pre-order.
  if (table.empty() || table.back().path != start) table.push_back({start, {}});
  std::vector<std::shared_ptr<FolderReadAhead::Slot>> pending;
  pending.push_back(readAhead.submit(start));
  bool startFolder = true;
  qint64 unreadable = 0;
  while (!pending.empty()) {
    const std::shared_ptr<FolderReadAhead::Slot> slot = std::move(pending.back());
    pending.pop_back();
    if (!startFolder) {
      table.push_back({slot->path, {}});
      if (hooks.folderStored) hooks.folderStored(slot->path);
    }
    startFolder = false;
    if (cancelRequested()) break;

    std::optional<FolderListing> listing = readAhead.take(*slot);
    if (!listing) {
      // An unreadable folder is withdrawn; its subfolders were never pushed.
      table.pop_back();
      ++unreadable;
      continue;
    }
    table.back().files = std::move(listing->files);
    for (auto it = listing->folders.rbegin(); it != listing->folders.rend(); ++it)
      pending.push_back(readAhead.submit(slot->path + *it + separator));
    if (hooks.folderListed) hooks.folderListed();
  }
  return unreadable;
}

bool FolderScanner::readFiles(std::vector<FolderEntry>& table, std::size_t firstFolder,
                              const std::function<bool(Batch&&)>& deliver) {
  // Pieces of at most one batch each, every folder at least one; then work units of
  // consecutive pieces with about one batch's worth of files, so that a tree of many small
  // folders costs one hand-over per thousand files, not one per folder.
  std::vector<Unit> pieces;
  for (std::size_t k = firstFolder; k < table.size(); ++k) {
    const std::size_t files = table[k].files.size();
    std::size_t from = 0;
    do {
      const std::size_t to = std::min(files, from + m_batchFiles);
      pieces.push_back({k, from, to});
      from = to;
    } while (from < files);
  }
  std::vector<std::pair<std::size_t, std::size_t>> units;  // pieces [first, second)
  for (std::size_t i = 0; i < pieces.size();) {
    std::size_t files = pieces[i].to - pieces[i].from;
    std::size_t end = i + 1;
    while (end < pieces.size() && end - i < 256 &&
           files + (pieces[end].to - pieces[end].from) <= m_batchFiles) {
      files += pieces[end].to - pieces[end].from;
      ++end;
    }
    units.emplace_back(i, end);
    i = end;
  }
  auto readWork = [&](std::size_t u) {
    std::vector<Batch> batches;
    for (std::size_t i = units[u].first; i < units[u].second; ++i)
      batches.push_back(readUnit(table, pieces[i]));
    return batches;
  };
  auto deliverAll = [&](std::vector<Batch>&& batches) {
    for (Batch& batch : batches) {
      if (!deliver(std::move(batch)) || cancelRequested()) return false;
    }
    return true;
  };
  return runInOrder(units.size(), m_threads, readWork, deliverAll,
                    [this] { return cancelRequested(); });
}

}  // namespace vek
