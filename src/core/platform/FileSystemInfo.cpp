// File information (size, times, type) and whether a path names a file or a folder.
#include "core/platform/FileSystem.h"

#include "core/platform/FileNameBytes.h"
#include "core/platform/FolderPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace vek {

namespace {

constexpr unsigned kStatxMask = STATX_TYPE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;

void setError(QString* errorText, int error) {
  if (errorText) *errorText = qt_error_string(error);
}

DateStamp localStamp(const struct statx_timestamp& stamp) {
  return DateStamp::fromSeconds(stamp.tv_sec);
}

std::optional<FileInfo> statFile(int dirFd, const QByteArray& path, const QString& fileName,
                                 QString* errorText) {
  struct statx st {};
  if (statx(dirFd, path.constData(), AT_STATX_SYNC_AS_STAT, kStatxMask, &st) != 0) {
    setError(errorText, errno);
    return std::nullopt;
  }
  if ((st.stx_mask & STATX_TYPE) && S_ISDIR(st.stx_mode)) {
    setError(errorText, EISDIR);
    return std::nullopt;
  }
  if (!(st.stx_mask & STATX_SIZE) || !(st.stx_mask & STATX_MTIME)) {
    setError(errorText, ENODATA);
    return std::nullopt;
  }
  FileInfo info;
  info.type = FileSystem::typeDescription(fileName);
  info.size = qint64(st.stx_size);
  // Some file systems report a birth time of 0 for inodes they never stamped.
  if ((st.stx_mask & STATX_BTIME) && st.stx_btime.tv_sec != 0)
    info.created = localStamp(st.stx_btime);
  if (st.stx_mask & STATX_ATIME) info.accessed = localStamp(st.stx_atime);
  // A time outside the years 1..9999 is shown as an empty cell; the file is listed all the same.
  info.modified = localStamp(st.stx_mtime);
  return info;
}

QString lastComponent(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 ? path : path.mid(slash + 1);
}

// stat() of a path of any length (links followed).
bool statPath(const QByteArray& path, struct stat& st) {
  if (path.size() < PATH_MAX) return ::stat(path.constData(), &st) == 0;
  const PathParts parts = splitPath(path);
  const int dir = openFolderPath(parts.folder, O_PATH);
  if (dir < 0) return false;
  const bool found = fstatat(dir, parts.name.constData(), &st, 0) == 0;
  ::close(dir);
  return found;
}

}  // namespace

bool FileSystem::fileExists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat st {};
  return statPath(encodeFileName(path), st) && !S_ISDIR(st.st_mode);
}

bool FileSystem::regularFileExists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat st {};
  return statPath(encodeFileName(path), st) && S_ISREG(st.st_mode);
}

bool FileSystem::folderExists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat st {};
  return statPath(encodeFileName(path), st) && S_ISDIR(st.st_mode);
}

std::optional<FileInfo> FileSystem::fileInfo(const QString& path, QString* errorText) {
  if (path.isEmpty()) {
    setError(errorText, ENOENT);
    return std::nullopt;
  }
  const QByteArray encoded = encodeFileName(path);
  if (encoded.size() < PATH_MAX) return statFile(AT_FDCWD, encoded, lastComponent(path), errorText);
  // Too long for one call: the file relative to its folder.
  const qsizetype slash = encoded.lastIndexOf('/');
  const int dir = openFolderPath(slash <= 0 ? QByteArray("/") : encoded.left(slash), O_RDONLY);
  if (dir < 0) {
    setError(errorText, errno);
    return std::nullopt;
  }
  auto info = statFile(dir, encoded.mid(slash + 1), lastComponent(path), errorText);
  ::close(dir);
  return info;
}

std::optional<FileInfo> FileSystem::Folder::fileInfo(const QString& name,
                                                     QString* errorText) const {
  if (name.isEmpty() || name.contains(u'/')) {
    setError(errorText, EINVAL);
    return std::nullopt;
  }
  return statFile(m_fd, encodeFileName(name), name, errorText);
}

}  // namespace vek
