// Committing several output files together, one folder lock each, undone when one fails.
#include "core/platform/OutputFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

#include "core/platform/PendingTemporaries.h"

namespace vek {

namespace {

// An advisory lock on a folder (flock), held while it lives, so that two runs replacing the
// same files take turns. Nothing is left behind. Where the folder cannot be opened for reading
// or its file system has no locks (some network file systems), there is no lock and the files
// are replaced without one.
class FolderLock {
 public:
  explicit FolderLock(int folder)
      : m_fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (m_fd < 0) return;
    while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~FolderLock() {
    if (m_fd >= 0) ::close(m_fd);  // which releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int m_fd;
};

}  // namespace

std::optional<std::size_t> OutputFile::commitTogether(std::span<OutputFile* const> files) {
  const auto failedAt = [&](std::size_t at) {
    for (OutputFile* file : files) file->discard();
    return std::optional<std::size_t>(at);
  };
  for (std::size_t i = 0; i < files.size(); ++i)
    if (!files[i]->stage()) return failedAt(i);

  // Each folder once, in the order given: two runs of the same files wait in the same order.
  std::vector<std::unique_ptr<FolderLock>> locks;
  std::vector<std::pair<dev_t, ino_t>> locked;
  for (OutputFile* file : files) {
    struct stat st {};
    if (::fstat(file->m_folder, &st) != 0) continue;
    const std::pair<dev_t, ino_t> id{st.st_dev, st.st_ino};
    if (std::find(locked.begin(), locked.end(), id) != locked.end()) continue;
    locked.push_back(id);
    locks.push_back(std::make_unique<FolderLock>(file->m_folder));
  }

  // Renames first and copies into files in place last: a rename can be undone, a copy cannot.
  std::vector<std::size_t> order(files.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_partition(order.begin(), order.end(),
                        [&](std::size_t i) { return files[i]->m_inPlace < 0; });
  const InterruptsHeld held;
  for (std::size_t step = 0; step < order.size(); ++step) {
    if (files[order[step]]->replace(step + 1 < order.size())) continue;
    for (std::size_t done = 0; done < step; ++done) files[order[done]]->undoReplace();
    return failedAt(order[step]);
  }
  // The old files kept for an undo go now.
  for (OutputFile* file : files) file->discard();
  return std::nullopt;
}

}  // namespace vek
