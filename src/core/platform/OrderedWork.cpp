#include "core/platform/OrderedWork.h"

#include <atomic>
#include <exception>
#include <system_error>

#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

namespace vek {

namespace {

QMutex starterMutex;
ThreadStarter& starter() {
  static ThreadStarter current;
  return current;
}
std::atomic<std::uint64_t> failures{0};
std::atomic<bool> told{false};

// One line on standard error for the first failure: the work goes on with fewer threads and
// its results are the same, so more lines would say nothing new.
void tell(const char* what, const char* why) {
  failures.fetch_add(1, std::memory_order_relaxed);
  if (told.exchange(true)) return;
  qWarning("vek: %s (%s); the work goes on with fewer threads.", what, why);
}

}  // namespace

void setThreadStarter(ThreadStarter replacement) {
  QMutexLocker lock(&starterMutex);
  starter() = std::move(replacement);
}

bool startWorker(std::vector<std::thread>& workers, std::function<void()> body) {
  try {
    ThreadStarter start;
    {
      QMutexLocker lock(&starterMutex);
      start = starter();
    }
    workers.reserve(workers.size() + 1);  // so that adding the started thread cannot fail
    workers.push_back(start ? start(std::move(body)) : std::thread(std::move(body)));
    return true;
  } catch (const std::exception& error) {
    tell("a worker thread could not be started", error.what());
  } catch (...) {
    tell("a worker thread could not be started", "unknown error");
  }
  return false;
}

bool runCaught(const std::function<void()>& body) noexcept {
  try {
    body();
    return true;
  } catch (const std::exception& error) {
    tell("a worker thread failed", error.what());
  } catch (...) {
    tell("a worker thread failed", "unknown error");
  }
  return false;
}

std::uint64_t workerFailures() {
  return failures.load(std::memory_order_relaxed);
}

namespace {

int pinnedThreads() {
  bool ok = false;
  const int pinned = qEnvironmentVariableIntValue("VEK_THREADS", &ok);
  return ok && pinned > 0 ? std::min(pinned, 64) : 0;
}

}  // namespace

int workerThreads() {
  if (const int pinned = pinnedThreads()) return pinned;
  return std::clamp(int(std::thread::hardware_concurrency()), 1, 16);
}

bool workerThreadsPinned() {
  return pinnedThreads() > 0;
}

}  // namespace vek
