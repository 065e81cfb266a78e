// The reads of a subtree's folders: what a read takes and enters, and the helpers that read
// folders ahead of the depth-first walk.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "core/platform/FileSystem.h"
#include "core/platform/OrderedWork.h"
#include "gather/FolderNode.h"
#include "gather/FolderOpener.h"
#include "gather/ReaderCount.h"
#include "gather/WalkRules.h"
#include "gather/WildcardFilter.h"

namespace vek {

// The files a read takes: those the filter matches and the rules do not leave out. Hidden
// names are left out by the read itself unless the rules list them.
FileSystem::NameFilter nameFilter(const WildcardFilter& filter, const WalkRules& rules);

// How the folders of a walk are read: the files taken, hidden files or not, the folders
// entered, and the device of the start folder for a walk that keeps to one file system.
struct ReadRules {
  FileSystem::NameFilter files;
  FileSystem::HiddenFiles hidden = FileSystem::HiddenFiles::Left;
  const WalkRules* rules = nullptr;
  std::optional<quint64> device;
};

// What one read of a folder of the walk found.
struct Reading {
  enum class Outcome { Listed, Unreadable, NotEntered } outcome = Outcome::Unreadable;
  FolderListing listing;
  int error = 0;  // errno of an unreadable folder
};

// Opens and reads one folder of the walk as the rules say.
Reading readNode(FolderOpener& opener, const std::shared_ptr<const FolderNode>& node,
                 const ReadRules& read);

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

}  // namespace vek
