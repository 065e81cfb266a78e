#include "writers/SeparatorHistory.h"

#include <algorithm>

namespace vek {

void updateSeparatorHistory(std::array<QString, 10>& history, const QString& separator) {
  if (std::find(history.begin(), history.end(), separator) != history.end()) return;
  std::move_backward(history.begin(), history.end() - 1, history.end());
  history[0] = separator;
}

}  // namespace vek
