// How many threads read a walk's folders and files. On a local disk the reads are bound by the
// processor, and more threads than cores only add switching; over a network share every
// directory read and every file lookup waits for a round trip, and threads that wait cost
// nothing. So the count starts at the cores and, once the walk has met a network or FUSE file
// system, grows while the readers spend most of their time blocked: measured over stretches
// of reading as the wall time less the time on a processor and the time spent waiting for
// one (a busy machine is no reason to add threads). Local disks are left out because waits
// for the readers' own locks look the same from here, and more readers on a loaded machine
// would only make them longer. The count never shrinks during a walk.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace vek {

class ReaderCount {
 public:
  // The most readers a walk grows to: enough to hide a round trip of a millisecond behind the
  // work of the others, few enough not to flood a server.
  static constexpr int kMostReaders = 32;

  // What a stretch of reading took on its thread, in nanoseconds.
  struct Spent {
    std::int64_t wall = 0;
    std::int64_t running = 0;  // on a processor
    std::int64_t queued = 0;   // ready to run, waiting for a processor
  };

  // base: the readers of an ordinary walk (at least 1); most: the bound (at least base).
  ReaderCount(int base, int most);

  // The readers wanted now. Thread-safe.
  int wanted() const { return m_wanted.load(std::memory_order_relaxed); }
  // Says that the walk reads from a network file system: from now on stretches are measured
  // and the count may grow. Thread-safe.
  void markNetworkShare() { m_network.store(true, std::memory_order_relaxed); }
  bool networkShare() const { return m_network.load(std::memory_order_relaxed); }
  int base() const { return m_base; }
  int most() const { return m_most; }

  // Takes what one stretch that began when wanted() was `from` took: on a network share, when
  // the reader spent most of it blocked, the count doubles from `from` (up to the bound).
  // Stretches that began at the same count grow it once. Thread-safe.
  void add(int from, const Spent& spent);

  // The calling thread's time on a processor and waiting for one, so far (wall left 0).
  static Spent now();

  // Measures stretches of reading on one thread and gives them to a count. Time the thread
  // spends idle (waiting for work, or for another reader's result) is told with idle() and
  // left out. Reading a thread's times costs a system call, so a stretch lasts at least
  // kLeast; between reads, lap() only looks at the clock.
  class Stretch {
   public:
    explicit Stretch(ReaderCount& count) : m_count(count) { begin(); }
    ~Stretch() { end(); }
    Stretch(const Stretch&) = delete;
    Stretch& operator=(const Stretch&) = delete;

    // Called between reads: ends the stretch and begins the next when it has lasted long
    // enough.
    void lap() {
      if (std::chrono::steady_clock::now() - m_begun >= kLeast) {
        end();
        begin();
      }
    }
    // Leaves out of the stretch a time the thread spent waiting for something other than a
    // read of its own.
    void idle(std::chrono::steady_clock::duration spent) { m_idle += spent; }

   private:
    static constexpr std::chrono::milliseconds kLeast{5};
    void begin();
    void end();

    ReaderCount& m_count;
    int m_from = 0;
    bool m_measured = false;
    Spent m_start;
    std::chrono::steady_clock::time_point m_begun;
    std::chrono::steady_clock::duration m_idle{};
  };

  // Measures, with the clock only, how long the calling thread waits in one scope, and tells
  // the stretch (when there is one) that it was idle.
  class Idle {
   public:
    explicit Idle(Stretch* stretch)
        : m_stretch(stretch), m_begun(std::chrono::steady_clock::now()) {}
    ~Idle() {
      if (m_stretch) m_stretch->idle(std::chrono::steady_clock::now() - m_begun);
    }
    Idle(const Idle&) = delete;
    Idle& operator=(const Idle&) = delete;

   private:
    Stretch* m_stretch;
    std::chrono::steady_clock::time_point m_begun;
  };

 private:
  const int m_base;
  const int m_most;
  std::atomic<int> m_wanted;
  std::atomic<bool> m_network{false};
};

}  // namespace vek
