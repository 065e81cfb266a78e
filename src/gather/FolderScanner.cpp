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

FolderNode::FolderNode(QString folderText)
    : m_name(std::move(folderText)), m_textLength(m_name.size()) {}

FolderNode::FolderNode(std::shared_ptr<const FolderNode> parent, QString name)
    : m_parent(std::move(parent)),
      m_name(std::move(name)),
      m_textLength(m_parent->textLength() + m_name.size() + 1) {}

FolderNode::~FolderNode() {
  // A long chain that only this node held is let go one link at a time: freeing it
  // recursively could exhaust the stack.
  std::shared_ptr<const FolderNode> parent = std::move(m_parent);
  while (parent && parent.use_count() == 1) parent = std::move(parent->m_parent);
}

QString FolderNode::text() const {
  const QChar separator = pathSeparator(nativePathStyle());
  QString text(m_textLength, Qt::Uninitialized);
  QChar* out = text.data() + m_textLength;
  for (const FolderNode* node = this; node; node = node->m_parent.get()) {
    if (node->m_parent) *--out = separator;
    out -= node->m_name.size();
    std::copy(node->m_name.cbegin(), node->m_name.cend(), out);
  }
  return text;
}

namespace {

// The files a read takes: those the filter matches and the rules do not leave out. Hidden
// names are left out by the read itself unless the rules list them.
FileSystem::NameFilter nameFilter(const WildcardFilter& filter, const WalkRules& rules) {
  if (!rules.excludesNames()) return [&filter](QStringView name) { return filter.matches(name); };
  return
      [&filter, &rules](QStringView name) { return filter.matches(name) && !rules.excludes(name); };
}

// How the folders of a walk are read: the files taken, hidden files or not, the folders
// entered, and the device of the start folder for a walk that keeps to one file system.
struct ReadRules {
  FileSystem::NameFilter files;
  FileSystem::HiddenFiles hidden = FileSystem::HiddenFiles::Left;
  const WalkRules* rules = nullptr;
  std::optional<quint64> device;
};

// Opens the folders of a walk, each relative to its parent's open descriptor rather than by
// its path, which the system would resolve name by name every time. The descriptors of the
// folders opened last are kept, a bounded number: in a depth-first walk a folder's parent was
// nearly always opened just before it. A folder whose parent is no longer kept is opened from
// its nearest kept ancestor, or by its path when none is near. Thread-safe.
class FolderOpener {
 public:
  using Open = std::shared_ptr<const FileSystem::Folder>;

  // lookAtFileSystems false for folders a search has already found not to be on a pseudo
  // file system: the reads of their files.
  explicit FolderOpener(bool lookAtFileSystems = true) : m_lookAtFileSystems(lookAtFileSystems) {}

  // The open folder; nullptr when it (or a folder above it) cannot be opened.
  Open open(const std::shared_ptr<const FolderNode>& node) {
    std::vector<const std::shared_ptr<const FolderNode>*> chain;  // below the kept ancestor
    Open base;
    {
      std::lock_guard lock(m_mutex);
      for (const std::shared_ptr<const FolderNode>* n = &node; *n; n = &(*n)->parent()) {
        if ((base = kept(n->get()))) break;
        chain.push_back(n);
        if (chain.size() > kNear) break;
      }
    }
    if (!base && node->parent() && chain.size() > kNear) {
      // No kept ancestor nearby (a side folder met on the way back up a deep chain): the
      // system resolves the whole path faster than one call per name.
      std::optional<FileSystem::Folder> opened = FileSystem::Folder::open(node->text());
      if (!opened) return nullptr;
      base = std::make_shared<const FileSystem::Folder>(std::move(*opened));
      keep(node, base);
      return base;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      const std::shared_ptr<const FolderNode>& folder = **it;
      std::optional<FileSystem::Folder> opened;
      if (base) {
        opened = base->openSubfolder(folder->name(), m_lookAtFileSystems);
      } else if (!folder->parent()) {
        opened = FileSystem::Folder::open(folder->name());
      }
      if (!opened) return nullptr;
      base = std::make_shared<const FileSystem::Folder>(std::move(*opened));
      keep(folder, base);
    }
    return base;
  }

 private:
  // How many descriptors are kept: far below any system's limit, and enough for the threads
  // of a walk to find the parents of the folders they open.
  static constexpr std::size_t kKept = 48;
  // How far up a kept ancestor is looked for before the folder is opened by its path.
  static constexpr std::size_t kNear = 8;

  Open kept(const FolderNode* node) {
    for (Kept& k : m_kept) {
      if (k.node.get() == node) {
        k.used = ++m_clock;
        return k.folder;
      }
    }
    return nullptr;
  }

  void keep(const std::shared_ptr<const FolderNode>& node, const Open& folder) {
    std::lock_guard lock(m_mutex);
    if (kept(node.get())) return;
    if (m_kept.size() < kKept) {
      m_kept.push_back({node, folder, ++m_clock});
      return;
    }
    // The start folders stay: every other folder can be opened again from them.
    auto oldest = std::min_element(m_kept.begin(), m_kept.end(), [](const Kept& a, const Kept& b) {
      return std::pair(!a.node->parent(), a.used) < std::pair(!b.node->parent(), b.used);
    });
    *oldest = {node, folder, ++m_clock};
  }

  struct Kept {
    std::shared_ptr<const FolderNode> node;  // held, so that its address names no other folder
    Open folder;
    std::uint64_t used;
  };
  const bool m_lookAtFileSystems;
  std::mutex m_mutex;
  std::vector<Kept> m_kept;
  std::uint64_t m_clock = 0;
};

// What one read of a folder of the walk found.
struct Reading {
  enum class Outcome { Listed, Unreadable, NotEntered } outcome = Outcome::Unreadable;
  FolderListing listing;
};

Reading readNode(FolderOpener& opener, const std::shared_ptr<const FolderNode>& node,
                 const ReadRules& read) {
  const FolderOpener::Open folder = opener.open(node);
  if (!folder) return {};
  if (folder->isPseudo()) return {Reading::Outcome::NotEntered, {}};
  if (read.device && folder->device() != *read.device) return {Reading::Outcome::NotEntered, {}};
  std::optional<FolderListing> listing = folder->read(read.files, read.hidden);
  if (!listing) return {};
  // The folders left out are never submitted, so never opened.
  if (read.rules && read.rules->excludesNames()) {
    std::erase_if(listing->folders,
                  [&](const QString& name) { return !read.rules->entersFolder(name); });
  }
  return {Reading::Outcome::Listed, std::move(*listing)};
}

// Reads folders ahead of the depth-first walk on helper threads. The walk submits each
// folder's subfolders as it pushes them on its stack, so the newest submission is the one
// the walk takes next; helpers take the newest first too and keep just ahead of it. Helpers
// that cannot be started, or fail, leave their folders to the walk's own thread.
class FolderReadAhead {
 public:
  struct Slot {
    std::shared_ptr<const FolderNode> node;
    enum class State { Queued, Taken, Done } state = State::Queued;
    Reading reading;
  };

  FolderReadAhead(ReadRules read, int helpers, FolderOpener& opener,
                  const std::atomic<bool>& cancel)
      : m_read(std::move(read)), m_opener(opener), m_cancel(cancel) {
    for (int i = 0; i < helpers; ++i) {
      if (!m_helpers.start([this] { runCaught([this] { help(); }); })) break;
    }
    m_helping = m_helpers.size() > 0;
  }
  ~FolderReadAhead() {
    {
      std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_wake.notify_all();
    m_helpers.join();
  }

  std::shared_ptr<Slot> submit(std::shared_ptr<const FolderNode> node) {
    auto slot = std::make_shared<Slot>();
    slot->node = std::move(node);
    if (m_helping) {
      {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(slot);
      }
      m_wake.notify_one();
    }
    return slot;
  }

  // The reading of a submitted folder: read here when no helper has begun it. While a helper
  // reads it, this thread reads the next folders waiting instead of idling.
  Reading take(Slot& slot) {
    std::unique_lock lock(m_mutex);
    for (;;) {
      if (slot.state == Slot::State::Queued) {
        slot.state = Slot::State::Taken;
        lock.unlock();
        return readNode(m_opener, slot.node, m_read);
      }
      if (slot.state == Slot::State::Done) return std::move(slot.reading);
      std::shared_ptr<Slot> other = m_cancel.load(std::memory_order_relaxed) ? nullptr : next();
      if (!other) {
        m_done.wait(lock, [&] { return slot.state != Slot::State::Taken; });
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

  // Reads a folder taken off the queue, without the lock held, and marks it done. When the
  // read throws, the folder is put back for the walk's thread to read itself.
  void read(Slot& slot, std::unique_lock<std::mutex>& lock) {
    slot.state = Slot::State::Taken;
    lock.unlock();
    Reading reading;
    try {
      reading = readNode(m_opener, slot.node, m_read);
    } catch (...) {
      lock.lock();
      slot.state = Slot::State::Queued;
      m_done.notify_all();
      throw;
    }
    lock.lock();
    slot.reading = std::move(reading);
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

  const ReadRules m_read;
  FolderOpener& m_opener;
  const std::atomic<bool>& m_cancel;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_done;
  std::vector<std::shared_ptr<Slot>> m_queue;
  bool m_stop = false;
  bool m_helping = false;
  Workers m_helpers;
};

// The most folders one work unit reads. Folders with few or no files would otherwise join a
// unit without end: one thread would read thousands of them while the others wait, and the
// progress and the cancel, which come between units, would wait too.
constexpr std::size_t kPiecesPerUnit = 256;

// Consecutive files of one folder, read as one batch (a piece of the work).
struct Unit {
  std::size_t folder;
  std::size_t from;
  std::size_t to;
};

// The extensions of the first few kinds of file met, so that the rows of one kind share one
// text rather than each holding a copy. A folder seldom holds more kinds than this, and each
// look-up compares against every one kept.
constexpr std::size_t kSharedExtensions = 16;

class SharedExtensions {
 public:
  QString shared(QStringView extension) {
    for (const QString& known : m_known) {
      if (known == extension) return known;
    }
    QString text = extension.toString();
    if (m_known.size() < kSharedExtensions) m_known.push_back(text);
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
FolderScanner::Batch readUnit(std::vector<FolderScanner::FolderEntry>& table, const Unit& unit,
                              FolderOpener& opener) {
  FolderScanner::Batch batch;
  batch.folder = unit.folder;
  batch.firstOfFolder = unit.from == 0;
  FolderScanner::FolderEntry& folder = table[unit.folder];
  if (unit.from == unit.to) return batch;
  // The folder text is made only for folders that give rows: one text shared by the rows.
  const QString folderText = folder.path();
  // One open folder for all its files; when it has gone, the per-path lookups fail and each
  // file is reported.
  const FolderOpener::Open open = opener.open(folder.node);
  SharedExtensions extensions;
  batch.entries.reserve(unit.to - unit.from);
  for (std::size_t i = unit.from; i < unit.to; ++i) {
    QString& name = folder.files[i];
    std::optional<FileInfo> info =
        open ? open->fileInfo(name) : FileSystem::fileInfo(folderText + name);
    if (info) {
      batch.entries.push_back(rowOf(folderText, std::move(name), std::move(*info), extensions));
    } else {
      batch.failures.push_back({folderText, std::move(name)});
    }
  }
  return batch;
}

}  // namespace

FolderScanner::FolderScanner(WildcardFilter filter, int threads, WalkRules rules)
    : m_filter(std::move(filter)),
      m_rules(std::move(rules)),
      m_threads(threads > 0 ? threads : defaultThreads()) {}

int FolderScanner::defaultThreads() {
  return workerThreads();
}

std::optional<std::vector<QString>> FolderScanner::listFiles(const QString& folderText) const {
  const std::optional<FileSystem::Folder> folder = FileSystem::Folder::open(folderText);
  if (!folder) return std::nullopt;
  if (folder->isPseudo()) return std::vector<QString>();
  auto listing = folder->read(nameFilter(m_filter, m_rules), m_rules.hiddenFilesRead());
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
  Workers typesLoaded;
  typesLoaded.start(
      [] { runCaught([] { FileSystem::typeDescription(QStringLiteral("a.txt")); }); });
  if (table.empty() || table.back().path() != start) table.emplace_back(start);
  FolderOpener opener;
  ReadRules read{nameFilter(m_filter, m_rules), m_rules.hiddenFilesRead(), &m_rules, {}};
  if (m_rules.oneFileSystem()) {
    // The start folder's device; a start that cannot be opened is reported by its read.
    if (const FolderOpener::Open folder = opener.open(table.back().node))
      read.device = folder->device();
  }
  FolderReadAhead readAhead(std::move(read), m_threads - 1, opener, m_cancel);

  // An explicit stack instead of recursion: a deep tree cannot exhaust the call stack. Each
  // folder is stored when it is taken from the stack, its subfolders are pushed in reverse so
  // that the first one is taken next: the table comes out in depth-first pre-order.
  std::vector<std::shared_ptr<FolderReadAhead::Slot>> pending;
  pending.push_back(readAhead.submit(table.back().node));
  // The text of the folder stored last, for the hook: in pre-order the next folder's parent
  // is always that folder or one above it, so the text is cut back and one name appended.
  QString current = start;
  bool startFolder = true;
  qint64 unreadable = 0;
  while (!pending.empty()) {
    const std::shared_ptr<FolderReadAhead::Slot> slot = std::move(pending.back());
    pending.pop_back();
    if (!startFolder) {
      table.emplace_back(slot->node, std::vector<QString>());
      if (hooks.folderStored) {
        current.truncate(slot->node->parent()->textLength());
        current.append(slot->node->name()).append(separator);
        hooks.folderStored(current);
      }
    }
    startFolder = false;
    if (cancelRequested()) break;

    Reading reading = readAhead.take(*slot);
    if (reading.outcome != Reading::Outcome::Listed) {
      // An unreadable folder is withdrawn, and a pseudo file system is not entered; their
      // subfolders were never pushed.
      table.pop_back();
      if (reading.outcome == Reading::Outcome::Unreadable) ++unreadable;
      continue;
    }
    table.back().files = std::move(reading.listing.files);
    const std::vector<QString>& folders = reading.listing.folders;
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
      pending.push_back(readAhead.submit(std::make_shared<const FolderNode>(slot->node, *it)));
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
    while (end < pieces.size() && end - i < kPiecesPerUnit &&
           files + (pieces[end].to - pieces[end].from) <= m_batchFiles) {
      files += pieces[end].to - pieces[end].from;
      ++end;
    }
    units.emplace_back(i, end);
    i = end;
  }
  FolderOpener opener(false);
  // Every row remembers the folder this add started from.
  const qint32 rootLength =
      firstFolder < table.size() ? qint32(table[firstFolder].path().size()) : -1;
  auto readWork = [&](std::size_t u) {
    std::vector<Batch> batches;
    for (std::size_t i = units[u].first; i < units[u].second; ++i) {
      batches.push_back(readUnit(table, pieces[i], opener));
      for (FileEntry& entry : batches.back().entries) entry.rootLength = rootLength;
    }
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
