#include "core/OrderedWork.h"

#include <QtGlobal>

namespace vek {

int workerThreads() {
  bool ok = false;
  const int pinned = qEnvironmentVariableIntValue("VEK_THREADS", &ok);
  if (ok && pinned > 0) return std::min(pinned, 64);
  return std::clamp(int(std::thread::hardware_concurrency()), 1, 16);
}

}  // namespace vek
