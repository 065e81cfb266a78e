// Running the parts of a sort side by side on threads, and the slice-and-merge sort built on it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

#include "core/platform/OrderedWork.h"

namespace vek {

// How many threads a sort of this many items uses: small sorts are not worth a thread.
int sortThreads(std::size_t items);

// Runs task(0) ... task(count - 1) side by side, task(0) on the caller's thread. A task whose
// thread could not be started, or that threw on its thread, is done again on the caller's
// thread afterwards (each task can be run again from the start).
template <typename Task>
void runSideBySide(int count, const Task& task) {
  std::vector<std::thread> others;
  std::vector<int> again;
  std::vector<char> failed(std::size_t(std::max(count, 1)), 0);
  for (int i = 1; i < count; ++i) {
    const bool started = startWorker(others, [&task, &failed, i] {
      if (!runCaught([&task, i] { task(i); })) failed[std::size_t(i)] = 1;
    });
    if (!started) again.push_back(i);
  }
  struct Join {
    std::vector<std::thread>& threads;
    ~Join() {
      for (std::thread& thread : threads) thread.join();
    }
  };
  {
    const Join join{others};
    task(0);
  }
  for (int i = 1; i < count; ++i) {
    if (failed[std::size_t(i)]) again.push_back(i);
  }
  for (const int i : again) task(i);
}

// Sorts items, which less orders totally, in equal slices side by side and merges the slices.
template <typename T, typename Less>
void sortSideBySide(std::vector<T>& items, const Less& less) {
  const int slices = sortThreads(items.size());
  if (slices == 1) {
    std::sort(items.begin(), items.end(), less);
    return;
  }
  std::vector<std::size_t> bounds;
  for (int i = 0; i <= slices; ++i) bounds.push_back(items.size() * std::size_t(i) / slices);
  const auto at = [&](std::vector<T>& v, int slice) {
    return v.begin() + std::ptrdiff_t(bounds[std::size_t(std::min(slice, slices))]);
  };
  runSideBySide(slices, [&](int i) { std::sort(at(items, i), at(items, i + 1), less); });
  std::vector<T> merged(items.size());
  for (int width = 1; width < slices; width *= 2) {
    const int pairs = (slices + 2 * width - 1) / (2 * width);
    runSideBySide(pairs, [&](int pair) {
      const int first = pair * 2 * width;
      std::merge(at(items, first), at(items, first + width), at(items, first + width),
                 at(items, first + 2 * width), at(merged, first), less);
    });
    items.swap(merged);
  }
}

}  // namespace vek
