#include "gather/ReaderCount.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace vek {

namespace {

// A stretch shorter than this says too little: one page fault or one lock taken by another
// thread can fill it.
constexpr std::int64_t kShortest = 2'000'000;

// The thread's scheduler statistics ("time on a processor, time waiting for one, slices", in
// nanoseconds), kept open for the thread's life so that each reading is one pread.
class SchedulerStatistics {
 public:
  SchedulerStatistics() : m_fd(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}
  ~SchedulerStatistics() {
    if (m_fd >= 0) ::close(m_fd);
  }
  SchedulerStatistics(const SchedulerStatistics&) = delete;
  SchedulerStatistics& operator=(const SchedulerStatistics&) = delete;

  bool read(ReaderCount::Spent& spent) const {
    if (m_fd < 0) return false;
    char text[96];
    const ssize_t length = ::pread(m_fd, text, sizeof text - 1, 0);
    if (length <= 0) return false;
    text[length] = '\0';
    long long running = 0;
    long long queued = 0;
    if (std::sscanf(text, "%lld %lld", &running, &queued) != 2) return false;
    spent.running = running;
    spent.queued = queued;
    return true;
  }

 private:
  int m_fd;
};

std::int64_t nanoseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count();
}

}  // namespace

ReaderCount::ReaderCount(int base, int most)
    : m_base(std::max(base, 1)), m_most(std::max(most, m_base)), m_wanted(m_base) {}

void ReaderCount::add(int from, const Spent& spent) {
  if (!networkShare() || spent.wall < kShortest) return;
  const std::int64_t blocked = spent.wall - spent.running - spent.queued;
  if (2 * blocked <= spent.wall) return;
  const int grown = std::min(m_most, std::max(from, 1) * 2);
  int expected = from;
  if (grown > from) m_wanted.compare_exchange_strong(expected, grown, std::memory_order_relaxed);
}

ReaderCount::Spent ReaderCount::now() {
  Spent spent;
  // Without the scheduler's statistics (a kernel built without them), the thread's processor
  // time alone: a busy machine then looks like waiting, and adds a few readers too many.
  thread_local const SchedulerStatistics statistics;
  if (statistics.read(spent)) return spent;
  timespec cpu{};
  if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu) == 0)
    spent.running = std::int64_t(cpu.tv_sec) * 1'000'000'000 + cpu.tv_nsec;
  return spent;
}

void ReaderCount::Stretch::begin() {
  m_begun = std::chrono::steady_clock::now();
  m_idle = {};
  m_from = m_count.wanted();
  // Away from network shares, and once the count is at its bound, nothing is measured: no
  // system calls.
  m_measured = m_count.networkShare() && m_from < m_count.most();
  if (m_measured) m_start = now();
}

void ReaderCount::Stretch::end() {
  if (!m_measured) return;
  const Spent stop = now();
  Spent spent;
  spent.wall = nanoseconds(std::chrono::steady_clock::now() - m_begun - m_idle);
  spent.running = stop.running - m_start.running;
  spent.queued = stop.queued - m_start.queued;
  m_count.add(m_from, spent);
  m_measured = false;
}

}  // namespace vek
