// The subtree walk and the per-file lookups, spread over threads but delivered in the order
// of a single thread.
#include "gather/FolderScanner.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>

#include "core/platform/OrderedWork.h"
#include "core/text/PathRules.h"
#include "gather/ReaderCount.h"

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
// its nearest kept ancestor, or by its path when none is near. More readers keep more
// descriptors. The file system of each device met is looked at once: a network one lets the
// readers grow. Thread-safe.
class FolderOpener {
 public:
  using Open = std::shared_ptr<const FileSystem::Folder>;

  // lookAtFileSystems false for folders a search has already found not to be on a pseudo
  // file system: the reads of their files.
  FolderOpener(ReaderCount& readers, bool lookAtFileSystems)
      : m_readers(readers), m_lookAtFileSystems(lookAtFileSystems) {}

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
  // of a walk to find the parents of the folders they open; four more for each reader past
  // twelve.
  static constexpr std::size_t kKept = 48;
  static constexpr std::size_t kKeptPerReader = 4;
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
    std::unique_lock lock(m_mutex);
    if (std::find(m_devices.begin(), m_devices.end(), folder->device()) == m_devices.end()) {
      m_devices.push_back(folder->device());
      lock.unlock();
      if (FileSystem::onNetworkFileSystem(node->text())) m_readers.markNetworkShare();
      lock.lock();
    }
    if (kept(node.get())) return;
    if (m_kept.size() < std::max(kKept, kKeptPerReader * std::size_t(m_readers.wanted()))) {
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
  ReaderCount& m_readers;
  const bool m_lookAtFileSystems;
  std::mutex m_mutex;
  std::vector<Kept> m_kept;
  std::vector<quint64> m_devices;  // whose file system was looked at
  std::uint64_t m_clock = 0;
};

// What one read of a folder of the walk found.
struct Reading {
  enum class Outcome { Listed, Unreadable, NotEntered } outcome = Outcome::Unreadable;
  FolderListing listing;
  int error = 0;  // errno of an unreadable folder
};

Reading unreadableReading() {
  Reading reading;
  reading.error = errno;
  return reading;
}

Reading readNode(FolderOpener& opener, const std::shared_ptr<const FolderNode>& node,
                 const ReadRules& read) {
  const FolderOpener::Open folder = opener.open(node);
  if (!folder) return unreadableReading();
  if (folder->isPseudo()) return {Reading::Outcome::NotEntered, {}};
  if (read.device && folder->device() != *read.device) return {Reading::Outcome::NotEntered, {}};
  // Patterns holding "/" look at the path below the start folder.
  QString relative;
  FileSystem::NameFilter files = read.files;
  if (read.rules && read.rules->excludesPaths()) {
    const FolderNode* start = node.get();
    while (start->parent()) start = start->parent().get();
    relative = node->text().mid(start->textLength());
    files = [&](QStringView name) {
      return read.files(name) && !read.rules->excludesPath(relative, name, false);
    };
  }
  std::optional<FolderListing> listing = folder->read(files, read.hidden);
  if (!listing) return unreadableReading();
  // The folders left out are never submitted, so never opened.
  if (read.rules && read.rules->excludesNames()) {
    std::erase_if(listing->folders, [&](const QString& name) {
      return !read.rules->entersFolder(name) || read.rules->excludesPath(relative, name, true);
    });
  }
  return {Reading::Outcome::Listed, std::move(*listing)};
}

// Reads folders ahead of the depth-first walk on helper threads. The walk submits each
// folder's subfolders as it pushes them on its stack, so the newest submission is the one
// the walk takes next; helpers take the newest first too and keep just ahead of it. The
// helpers are one fewer than the readers wanted, and more are started as that grows. Helpers
// that cannot be started, or fail, leave their folders to the walk's own thread.
class FolderReadAhead {
 public:
  struct Slot {
    std::shared_ptr<const FolderNode> node;
    enum class State { Queued, Taken, Done } state = State::Queued;
    Reading reading;
  };

  FolderReadAhead(ReadRules read, ReaderCount& readers, FolderOpener& opener,
                  const std::atomic<bool>& cancel)
      : m_read(std::move(read)),
        m_readers(readers),
        m_opener(opener),
        m_cancel(cancel),
        m_queueing(readers.most() > 1) {
    grow();
  }
  ~FolderReadAhead() {
    {
      std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_wake.notify_all();
    m_helpers.join();
  }

  // Starts helpers until as many readers as wanted read (the walk's thread among them). On
  // the walk's own thread only.
  void grow() {
    while (!m_startFailed && int(m_helpers.size()) + 1 < m_readers.wanted()) {
      if (!m_helpers.start([this] { runCaught([this] { help(); }); })) m_startFailed = true;
    }
  }

  std::shared_ptr<Slot> submit(std::shared_ptr<const FolderNode> node) {
    auto slot = std::make_shared<Slot>();
    slot->node = std::move(node);
    if (m_queueing) {
      {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(slot);
      }
      m_wake.notify_one();
    }
    return slot;
  }

  // The reading of a submitted folder: read here when no helper has begun it. While a helper
  // reads it, this thread reads the next folders waiting instead of idling. stretch measures
  // the calling thread's reads.
  Reading take(Slot& slot, ReaderCount::Stretch& stretch) {
    std::unique_lock lock(m_mutex);
    // Without helpers the folder taken is the newest submitted: off the queue with it, so
    // that the queue does not keep every folder of the walk.
    if (!m_queue.empty() && m_queue.back().get() == &slot) m_queue.pop_back();
    for (;;) {
      if (slot.state == Slot::State::Queued) {
        slot.state = Slot::State::Taken;
        lock.unlock();
        Reading reading = readNode(m_opener, slot.node, m_read);
        stretch.lap();
        return reading;
      }
      if (slot.state == Slot::State::Done) return std::move(slot.reading);
      std::shared_ptr<Slot> other = m_cancel.load(std::memory_order_relaxed) ? nullptr : next();
      if (!other) {
        const ReaderCount::Idle idle(&stretch);
        m_done.wait(lock, [&] { return slot.state != Slot::State::Taken; });
        continue;
      }
      read(*other, lock, stretch);
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
  void read(Slot& slot, std::unique_lock<std::mutex>& lock, ReaderCount::Stretch& stretch) {
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
    stretch.lap();
    lock.lock();
    slot.reading = std::move(reading);
    slot.state = Slot::State::Done;
    m_done.notify_all();
  }

  void help() {
    ReaderCount::Stretch stretch(m_readers);
    std::unique_lock lock(m_mutex);
    for (;;) {
      {
        const ReaderCount::Idle idle(&stretch);
        m_wake.wait(lock, [&] { return m_stop || !m_queue.empty(); });
      }
      if (m_stop) return;
      std::shared_ptr<Slot> slot = next();
      if (slot && !m_cancel.load(std::memory_order_relaxed)) read(*slot, lock, stretch);
    }
  }

  const ReadRules m_read;
  ReaderCount& m_readers;
  FolderOpener& m_opener;
  const std::atomic<bool>& m_cancel;
  const bool m_queueing;  // false when no helper can ever take from the queue
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_done;
  std::vector<std::shared_ptr<Slot>> m_queue;
  bool m_stop = false;
  bool m_startFailed = false;
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
// Stops early on a cancel: what it gives then is never delivered.
FolderScanner::Batch readUnit(std::vector<FolderScanner::FolderEntry>& table, const Unit& unit,
                              FolderOpener& opener, ReaderCount::Stretch& stretch,
                              const std::atomic<bool>& cancel) {
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
    // A look at the clock every few files, and at the cancel: on a slow share a file can take
    // milliseconds.
    if ((i - unit.from) % 8 == 7) {
      stretch.lap();
      if (cancel.load(std::memory_order_relaxed)) break;
    }
    QString& name = folder.files[i];
    QString reason;
    std::optional<FileInfo> info =
        open ? open->fileInfo(name, &reason) : FileSystem::fileInfo(folderText + name, &reason);
    if (info) {
      batch.entries.push_back(rowOf(folderText, std::move(name), std::move(*info), extensions));
    } else {
      batch.failures.push_back({folderText, std::move(name), std::move(reason)});
    }
  }
  return batch;
}

// The files of the first work units: few, and more with each unit up to one batch, so that
// readers added because the first reads waited find work at once instead of waiting for a
// unit of a thousand slow lookups.
constexpr std::size_t kFirstUnitFiles = 16;
// The files of a unit once the readers have grown: each is a few round trips' work, so that
// every reader has some and no slow unit holds up the batches after it for long.
constexpr std::size_t kGrownUnitFiles = 16;

// Reads the files of a table's pieces on the walk's readers and hands the batches over in the
// table's order on the calling thread. Work is taken in order from a cursor over the pieces,
// in units of whole pieces of about one batch's files, the first ones smaller; once the
// readers have grown, in units of a few files, a piece then read by several readers and
// joined again before it is handed over. The readers run at most a few units ahead of the
// hand-over, so memory stays bounded.
class FileReads {
 public:
  FileReads(std::vector<FolderScanner::FolderEntry>& table, std::vector<Unit> pieces,
            std::size_t batchFiles, qint32 rootLength, bool rowChecks, ReaderCount& readers,
            FolderOpener& opener, const std::atomic<bool>& cancel)
      : m_table(table),
        m_pieces(std::move(pieces)),
        m_batchFiles(batchFiles),
        m_rootLength(rootLength),
        m_rowChecks(rowChecks),
        m_readers(readers),
        m_opener(opener),
        m_cancel(cancel),
        m_unitFiles(std::min(batchFiles, kFirstUnitFiles)),
        m_offset(m_pieces.empty() ? 0 : m_pieces.front().from) {}
  FileReads(const FileReads&) = delete;
  FileReads& operator=(const FileReads&) = delete;

  // Hands every piece to deliver as one batch, in order; false when deliver returned false or
  // a cancel came first.
  bool run(const std::function<bool(FolderScanner::Batch&&)>& deliver) {
    // However this ends (what deliver or a read on this thread throws included), the helpers
    // are stopped and joined before the state they use goes away.
    struct Finish {
      FileReads& reads;
      ~Finish() {
        {
          std::lock_guard lock(reads.m_mutex);
          reads.m_finished = true;
        }
        reads.m_changed.notify_all();
        reads.m_helpers.join();
      }
    } finish{*this};
    ReaderCount::Stretch stretch(m_readers);
    std::optional<FolderScanner::Batch> joined;  // a piece read in several units
    std::unique_lock lock(m_mutex);
    for (;;) {
      grow(lock);
      if (cancelled()) return false;
      if (!m_results.empty() && m_results.front()) {
        std::vector<Part> parts = std::move(*m_results.front());
        m_results.pop_front();
        ++m_firstNumber;
        m_changed.notify_all();  // one more unit may begin
        lock.unlock();
        {
          // Handing over is the caller's work, which may wait for room: not reading.
          const ReaderCount::Idle idle(&stretch);
          for (Part& part : parts) {
            if (!joined) {
              joined = std::move(part.batch);
            } else {
              std::move(part.batch.entries.begin(), part.batch.entries.end(),
                        std::back_inserter(joined->entries));
              std::move(part.batch.failures.begin(), part.batch.failures.end(),
                        std::back_inserter(joined->failures));
              joined->checks.insert(joined->checks.end(), part.batch.checks.begin(),
                                    part.batch.checks.end());
            }
            if (!part.endsPiece) continue;
            if (cancelled() || !deliver(std::move(*joined)) || cancelled()) return false;
            joined.reset();
          }
        }
        lock.lock();
        continue;
      }
      if (m_results.empty() && m_givenBack.empty() && m_piece >= m_pieces.size()) return true;
      if (!step(lock, stretch)) {
        const ReaderCount::Idle idle(&stretch);
        m_changed.wait_for(lock, kPoll);
      }
    }
  }

 private:
  // A cancel sets only a flag: waits look at it this often.
  static constexpr std::chrono::milliseconds kPoll{10};

  // Files [from, to) of pieces[piece].
  struct Slice {
    std::size_t piece;
    std::size_t from;
    std::size_t to;
  };
  struct Work {
    std::size_t number = 0;  // its place in the order
    std::vector<Slice> slices;
  };
  struct Part {
    FolderScanner::Batch batch;
    bool endsPiece;
  };

  bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }

  // Starts helpers until as many readers as wanted read, this thread among them.
  void grow(std::unique_lock<std::mutex>& lock) {
    while (!m_startFailed && m_running < m_readers.wanted()) {
      lock.unlock();
      const bool started = m_helpers.start([this] { runCaught([this] { help(); }); });
      lock.lock();
      if (started) {
        ++m_running;
      } else {
        m_startFailed = true;
      }
    }
  }

  void help() {
    ReaderCount::Stretch stretch(m_readers);
    std::unique_lock lock(m_mutex);
    while (!m_finished) {
      if (!step(lock, stretch)) {
        const ReaderCount::Idle idle(&stretch);
        m_changed.wait_for(lock, kPoll);
      }
    }
  }

  // With the lock held: takes the next unit due and reads it, the lock released meanwhile;
  // false when none is due. What a read throws goes to the caller, the unit given back for
  // another reader.
  bool step(std::unique_lock<std::mutex>& lock, ReaderCount::Stretch& stretch) {
    Work work;
    if (!claim(work)) return false;
    lock.unlock();
    std::vector<Part> parts;
    try {
      parts.reserve(work.slices.size());
      for (const Slice& slice : work.slices) {
        const Unit& piece = m_pieces[slice.piece];
        Part part{
            readUnit(m_table, {piece.folder, slice.from, slice.to}, m_opener, stretch, m_cancel),
            slice.to == piece.to};
        for (FileEntry& entry : part.batch.entries) entry.rootLength = m_rootLength;
        if (m_rowChecks) {
          part.batch.checks.reserve(part.batch.entries.size());
          for (const FileEntry& entry : part.batch.entries) {
            part.batch.checks.push_back(rowCheck(entry));
          }
        }
        parts.push_back(std::move(part));
      }
    } catch (...) {
      lock.lock();
      m_givenBack.push_back(std::move(work));
      m_changed.notify_all();
      throw;
    }
    lock.lock();
    m_results[work.number - m_firstNumber] = std::move(parts);
    m_changed.notify_all();
    return true;
  }

  // With the lock held: the next unit due, from the cursor; false when none is.
  bool claim(Work& work) {
    if (m_finished || cancelled()) return false;
    if (!m_givenBack.empty()) {
      work = std::move(m_givenBack.back());
      m_givenBack.pop_back();
      return true;
    }
    if (m_piece >= m_pieces.size()) return false;
    if (m_results.size() >= 2 * std::size_t(std::max(m_running, 1))) return false;
    work.number = m_firstNumber + m_results.size();
    m_results.emplace_back();
    const bool grown = m_readers.wanted() > m_readers.base();
    const std::size_t most = grown ? std::min(m_batchFiles, kGrownUnitFiles) : m_unitFiles;
    if (!grown) m_unitFiles = std::min(m_batchFiles, m_unitFiles * 2);
    // The rest of the current piece, cut at the unit's size; then whole pieces that fit.
    std::size_t files = 0;
    for (;;) {
      const Unit& piece = m_pieces[m_piece];
      const std::size_t to = std::min(piece.to, m_offset + (most - files));
      work.slices.push_back({m_piece, m_offset, to});
      files += to - m_offset;
      m_offset = to;
      if (m_offset < piece.to) break;
      if (++m_piece >= m_pieces.size()) break;
      m_offset = m_pieces[m_piece].from;
      const Unit& next = m_pieces[m_piece];
      if (work.slices.size() >= kPiecesPerUnit || files + (next.to - next.from) > most) break;
    }
    return true;
  }

  std::vector<FolderScanner::FolderEntry>& m_table;
  const std::vector<Unit> m_pieces;
  const std::size_t m_batchFiles;
  const qint32 m_rootLength;
  const bool m_rowChecks;
  ReaderCount& m_readers;
  FolderOpener& m_opener;
  const std::atomic<bool>& m_cancel;

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::size_t m_unitFiles;  // the most files of the next unit while the readers have not grown
  std::size_t m_piece = 0;  // the cursor: the next file to take is pieces[m_piece], m_offset
  std::size_t m_offset;
  std::size_t m_firstNumber = 0;                           // the number of m_results.front()
  std::deque<std::optional<std::vector<Part>>> m_results;  // units taken, in order
  std::vector<Work> m_givenBack;  // units a failed reader began; to be read again
  int m_running = 1;              // readers: the calling thread and the helpers started
  bool m_startFailed = false;
  bool m_finished = false;
  Workers m_helpers;
};

}  // namespace

FolderScanner::FolderScanner(WildcardFilter filter, int threads, WalkRules rules)
    : m_filter(std::move(filter)), m_rules(std::move(rules)) {
  if (threads > 0) {
    m_readers = std::make_unique<ReaderCount>(threads, threads);
  } else {
    const int base = workerThreads();
    m_readers = std::make_unique<ReaderCount>(
        base, workerThreadsPinned() ? base : ReaderCount::kMostReaders);
  }
}

FolderScanner::~FolderScanner() = default;

int FolderScanner::readers() const {
  return m_readers->wanted();
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
                                                  const QString& folderText, const QString& name,
                                                  QString* reason) {
  std::optional<FileInfo> info =
      open ? open->fileInfo(name, reason) : FileSystem::fileInfo(folderText + name, reason);
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
  FolderOpener opener(*m_readers, true);
  ReadRules read{nameFilter(m_filter, m_rules), m_rules.hiddenFilesRead(), &m_rules, {}};
  if (m_rules.oneFileSystem()) {
    // The start folder's device; a start that cannot be opened is reported by its read.
    if (const FolderOpener::Open folder = opener.open(table.back().node))
      read.device = folder->device();
  }
  FolderReadAhead readAhead(std::move(read), *m_readers, opener, m_cancel);
  ReaderCount::Stretch stretch(*m_readers);

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
        const ReaderCount::Idle idle(&stretch);  // the caller's time, not reading
        hooks.folderStored(current);
      }
    }
    startFolder = false;
    if (cancelRequested()) break;

    readAhead.grow();
    Reading reading = readAhead.take(*slot, stretch);
    if (reading.outcome != Reading::Outcome::Listed) {
      // An unreadable folder is withdrawn, and a pseudo file system is not entered; their
      // subfolders were never pushed.
      table.pop_back();
      if (reading.outcome == Reading::Outcome::Unreadable) {
        ++unreadable;
        if (hooks.folderUnreadable) {
          const ReaderCount::Idle idle(&stretch);
          hooks.folderUnreadable(slot->node->text(), qt_error_string(reading.error));
        }
      }
      continue;
    }
    table.back().files = std::move(reading.listing.files);
    const std::vector<QString>& folders = reading.listing.folders;
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
      pending.push_back(readAhead.submit(std::make_shared<const FolderNode>(slot->node, *it)));
    if (hooks.folderListed) {
      const ReaderCount::Idle idle(&stretch);
      hooks.folderListed();
    }
  }
  return unreadable;
}

bool FolderScanner::readFiles(std::vector<FolderEntry>& table, std::size_t firstFolder,
                              const std::function<bool(Batch&&)>& deliver) {
  // Pieces of at most one batch each, every folder at least one: each is handed over as one
  // batch. FileReads groups them into units of work.
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
  // The folders' own devices are looked at only while the readers could still grow for a
  // network share below the start not yet met (a search by another scanner found it): one
  // fstat more a folder. Otherwise they are known, from the search, not to be on a pseudo
  // file system.
  FolderOpener opener(*m_readers,
                      m_readers->most() > m_readers->base() && !m_readers->networkShare());
  // Every row remembers the folder this add started from.
  const qint32 rootLength =
      firstFolder < table.size() ? qint32(table[firstFolder].path().size()) : -1;
  FileReads reads(table, std::move(pieces), m_batchFiles, rootLength, m_rowChecks, *m_readers,
                  opener, m_cancel);
  return reads.run(deliver);
}

}  // namespace vek
