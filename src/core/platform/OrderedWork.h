// Pieces of work done side by side on several threads and taken up in their order on the
// calling thread: the folder reads of an add, the lines of a written list.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace vek {

// How many threads work side by side: as many as the machine has cores, or the count in
// VEK_THREADS (the tests compare runs with different counts).
int workerThreads();
// True when VEK_THREADS pins the count: work that would otherwise add threads keeps to it.
bool workerThreadsPinned();

// How a worker thread is started; the default starts a std::thread. Tests put in one that
// fails, as the system does when it is out of threads or memory.
using ThreadStarter = std::function<std::thread(std::function<void()> body)>;
// Replaces the starter for the whole process; an empty one puts the default back.
void setThreadStarter(ThreadStarter starter);

// Starts body on a new thread and adds it to workers. When the system cannot start one, says
// so on standard error (once per process) and returns false: the caller goes on with the
// threads it has, down to its own.
bool startWorker(std::vector<std::thread>& workers, std::function<void()> body);

// Runs the body of a worker thread. What it throws would end the whole process: it is caught
// and said on standard error instead (once per process), and false comes back so the caller
// can give the work to another thread.
bool runCaught(const std::function<void()>& body) noexcept;

// How many worker threads could not be started or threw, since the process began.
std::uint64_t workerFailures();

// Worker threads, joined when this goes out of scope however the scope is left (a thread
// still joinable at its destruction would end the process).
class Workers {
 public:
  Workers() = default;
  Workers(const Workers&) = delete;
  Workers& operator=(const Workers&) = delete;
  ~Workers() { join(); }
  // False when the thread could not be started (said once on standard error).
  bool start(std::function<void()> body) { return startWorker(m_threads, std::move(body)); }
  std::size_t size() const { return m_threads.size(); }
  void join() {
    for (std::thread& thread : m_threads) thread.join();
    m_threads.clear();
  }

 private:
  std::vector<std::thread> m_threads;
};

// Runs produce(0) ... produce(count - 1) on up to `threads` threads, the calling thread among
// them, and hands each result to consume on the calling thread, in index order. Work runs at
// most a few pieces ahead of consume, so memory stays bounded. Stops when consume returns
// false or stop() turns true (looked at between pieces and while waiting); returns whether
// every piece was consumed.
template <typename Produce, typename Consume, typename Stop>
bool runInOrder(std::size_t count, int threads, const Produce& produce, const Consume& consume,
                const Stop& stop) {
  using Result = std::invoke_result_t<const Produce&, std::size_t>;
  if (threads <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      if (stop()) return false;
      if (!consume(produce(i))) return false;
    }
    return !stop();
  }

  // A stop request sets only a flag somewhere: waits look at it this often.
  constexpr std::chrono::milliseconds kPoll(10);
  const std::size_t ahead = std::size_t(threads) * 2;
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::optional<Result>> done(count);
  std::size_t next = 0;                // the next piece nobody has begun
  std::size_t consumed = 0;            // pieces handed to consume
  std::vector<std::size_t> givenBack;  // pieces a failed helper began; to be done again
  bool finished = false;
  // Begins the next piece when one is due; false when none is. What produce throws goes to
  // the caller with the piece given back, so another thread can do it.
  const auto claim = [&](std::unique_lock<std::mutex>& lock) {
    std::size_t mine;
    if (finished || stop()) return false;
    if (!givenBack.empty()) {
      mine = givenBack.back();
      givenBack.pop_back();
    } else {
      if (next >= count || next >= consumed + ahead) return false;
      mine = next++;
    }
    lock.unlock();
    std::optional<Result> result;
    try {
      result.emplace(produce(mine));
    } catch (...) {
      lock.lock();
      givenBack.push_back(mine);
      changed.notify_all();
      throw;
    }
    lock.lock();
    done[mine] = std::move(result);
    changed.notify_all();
    return true;
  };
  std::vector<std::thread> helpers;
  // However this call ends (an exception of the calling thread's own piece or of consume
  // included), the helpers are stopped and joined before their state goes away.
  struct Join {
    std::mutex& mutex;
    std::condition_variable& changed;
    bool& finished;
    std::vector<std::thread>& helpers;
    ~Join() {
      {
        std::lock_guard lock(mutex);
        finished = true;
      }
      changed.notify_all();
      for (std::thread& helper : helpers) helper.join();
    }
  } join{mutex, changed, finished, helpers};
  for (int i = 1; i < threads; ++i) {
    const bool started = startWorker(helpers, [&] {
      runCaught([&] {
        std::unique_lock lock(mutex);
        while (!finished) {
          if (!claim(lock)) changed.wait_for(lock, kPoll);
        }
      });
    });
    if (!started) break;
  }

  bool completed = true;
  {
    std::unique_lock lock(mutex);
    for (; consumed < count; ++consumed) {
      // The calling thread works too whenever it would otherwise wait.
      while (!done[consumed] && !stop()) {
        if (!claim(lock)) changed.wait_for(lock, kPoll);
      }
      if (!done[consumed]) {
        completed = false;
        break;
      }
      Result result = std::move(*done[consumed]);
      done[consumed].reset();
      changed.notify_all();  // one more piece may begin
      lock.unlock();
      const bool goOn = consume(std::move(result)) && !stop();
      lock.lock();
      if (!goOn) {
        completed = false;
        break;
      }
    }
  }
  return completed;
}

}  // namespace vek
