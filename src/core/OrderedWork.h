// Pieces of work done side by side on several threads and taken up in their order on the
// calling thread: the folder reads of an add, the lines of a written list.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
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
  std::size_t next = 0;      // the next piece nobody has begun
  std::size_t consumed = 0;  // pieces handed to consume
  bool finished = false;
  // Begins the next piece when one is due; false when none is.
  const auto claim = [&](std::unique_lock<std::mutex>& lock) {
    if (finished || next >= count || next >= consumed + ahead || stop()) return false;
    const std::size_t mine = next++;
    lock.unlock();
    Result result = produce(mine);
    lock.lock();
    done[mine].emplace(std::move(result));
    changed.notify_all();
    return true;
  };
  std::vector<std::thread> helpers;
  for (int i = 1; i < threads; ++i) {
    helpers.emplace_back([&] {
      std::unique_lock lock(mutex);
      while (!finished) {
        if (!claim(lock)) changed.wait_for(lock, kPoll);
      }
    });
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
    finished = true;
  }
  changed.notify_all();
  for (std::thread& helper : helpers) helper.join();
  return completed;
}

}  // namespace vek
