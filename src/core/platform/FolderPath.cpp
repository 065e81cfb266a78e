#include "core/platform/FolderPath.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace vek {

int openFolderPath(const QByteArray& path, int flags) {
  const int openFlags = flags | O_DIRECTORY | O_CLOEXEC;
  const int fd = ::open(path.constData(), openFlags);
  if (fd >= 0 || errno != ENAMETOOLONG) return fd;
  qsizetype at = 0;
  // Every folder on the way is only passed through; the last one is opened as asked.
  int dir = ::open(path.startsWith('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
  while (dir >= 0) {
    while (at < path.size() && path[at] == '/') ++at;
    if (at >= path.size()) {
      // The last piece ended the path: reopen it with the caller's flags.
      const int last = ::openat(dir, ".", openFlags);
      const int error = errno;
      ::close(dir);
      errno = error;
      return last;
    }
    qsizetype end = path.size();
    if (end - at >= PATH_MAX) {
      // The longest run of whole names below the limit.
      end = path.lastIndexOf('/', at + PATH_MAX - 1);
      if (end <= at) {
        ::close(dir);
        errno = ENAMETOOLONG;
        return -1;
      }
    }
    const int next =
        ::openat(dir, path.mid(at, end - at).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int error = errno;
    ::close(dir);
    errno = error;
    dir = next;
    at = end;
  }
  return -1;
}

PathParts splitPath(const QByteArray& path) {
  qsizetype end = path.size();
  while (end > 1 && path[end - 1] == '/') --end;
  const QByteArray trimmed = path.first(end);
  if (trimmed == "/") return {QByteArrayLiteral("/"), QByteArrayLiteral(".")};
  const qsizetype slash = trimmed.lastIndexOf('/');
  if (slash < 0) return {QByteArrayLiteral("."), trimmed};
  return {slash == 0 ? QByteArrayLiteral("/") : trimmed.first(slash), trimmed.mid(slash + 1)};
}

}  // namespace vek
