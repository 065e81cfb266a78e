#include "core/settings/RecentTexts.h"

#include <algorithm>

namespace vek {

bool recordRecent(RecentTexts& recent, const QString& text) {
  if (std::find(recent.begin(), recent.end(), text) != recent.end()) return false;
  std::move_backward(recent.begin(), recent.end() - 1, recent.end());
  recent.front() = text;
  return true;
}

}  // namespace vek
