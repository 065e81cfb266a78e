#include "support/DeepFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <gtest/gtest.h>

#include "core/platform/FolderPath.h"

namespace vek::test {

QString makeDeepFolder(const QString& base, qsizetype minimumLength) {
  const QByteArray name(200, 'd');
  QByteArray path = QFile::encodeName(base);
  int dir = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  EXPECT_GE(dir, 0) << path.constData();
  while (dir >= 0 && path.size() <= minimumLength) {
    EXPECT_EQ(::mkdirat(dir, name.constData(), 0755), 0);
    const int next = ::openat(dir, name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    ::close(dir);
    dir = next;
    path += '/' + name;
  }
  if (dir >= 0) ::close(dir);
  return QFile::decodeName(path);
}

std::optional<QByteArray> readDeepFile(const QString& path) {
  const PathParts parts = splitPath(QFile::encodeName(path));
  const int dir = openFolderPath(parts.folder, O_PATH);
  if (dir < 0) return std::nullopt;
  const int fd = ::openat(dir, parts.name.constData(), O_RDONLY | O_CLOEXEC);
  ::close(dir);
  if (fd < 0) return std::nullopt;
  QByteArray bytes;
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
  ::close(fd);
  return bytes;
}

namespace {

// Empties the open folder dir, depth first, one level at a time.
void removeBelow(int dir) {
  DIR* listing = ::fdopendir(::dup(dir));
  if (!listing) return;
  while (const dirent* entry = ::readdir(listing)) {
    const QByteArray name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (::unlinkat(dir, name.constData(), 0) == 0) continue;
    const int child =
        ::openat(dir, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (child < 0) continue;
    removeBelow(child);
    ::close(child);
    ::unlinkat(dir, name.constData(), AT_REMOVEDIR);
  }
  ::closedir(listing);
}

}  // namespace

void removeDeepTree(const QString& base) {
  const int dir = ::open(QFile::encodeName(base).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  removeBelow(dir);
  ::close(dir);
}

}  // namespace vek::test
