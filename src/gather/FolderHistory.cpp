#include "gather/FolderHistory.h"

#include <algorithm>

namespace vek {

bool recordFolderHistory(FolderHistory& history, const QString& folder) {
  if (folder.isEmpty()) return false;
  if (std::find(history.begin(), history.end(), folder) != history.end()) return false;
  std::move_backward(history.begin(), history.end() - 1, history.end());
  history.front() = folder;
  return true;
}

}  // namespace vek
