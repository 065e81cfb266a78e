// Thread starters for tests: while one of these lives, starting a worker thread fails (all of
// them, or all after the first few) as it does when the system is out of threads or memory.
#pragma once

#include <atomic>
#include <memory>
#include <system_error>

#include "core/platform/OrderedWork.h"

namespace vek::test {

class FewThreads {
 public:
  // Starts only the first `allowed` threads asked for.
  explicit FewThreads(int allowed) {
    setThreadStarter([left = std::make_shared<std::atomic<int>>(allowed)](
                         std::function<void()> body) -> std::thread {
      if (left->fetch_sub(1) <= 0)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      return std::thread(std::move(body));
    });
  }
  FewThreads(const FewThreads&) = delete;
  FewThreads& operator=(const FewThreads&) = delete;
  ~FewThreads() { setThreadStarter({}); }
};

class NoThreads : public FewThreads {
 public:
  NoThreads() : FewThreads(0) {}
};

}  // namespace vek::test
