// Reading folders: their files and subfolders, and the kinds of file system they are on.
#include "core/platform/FileSystem.h"

#include "core/platform/FileNameBytes.h"
#include "core/platform/FolderPath.h"

#include <algorithm>
#include <vector>

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

namespace vek {

namespace {

int openFolder(const QByteArray& path) {
  return openFolderPath(path, O_RDONLY);
}

bool statFollow(int dirFd, const char* name, struct stat& st) {
  return fstatat(dirFd, name, &st, 0) == 0;
}

}  // namespace

std::optional<QStringList> FileSystem::subfolders(const QString& path) {
  // A filter that refuses every file keeps the read from looking at file links.
  const auto listing = readFolder(path, [](QStringView) { return false; });
  if (!listing) return std::nullopt;
  QStringList names;
  names.reserve(qsizetype(listing->folders.size()));
  for (const QString& name : listing->folders) names.append(name);
  return names;
}

std::optional<FolderListing> FileSystem::readFolder(const QString& path,
                                                    const NameFilter& fileFilter) {
  const auto folder = Folder::open(path);
  if (!folder) return std::nullopt;
  return folder->read(fileFilter);
}

bool FileSystem::isPseudoFileSystemType(qint64 type) {
  // The f_type magic numbers of <linux/magic.h>, spelled out so that the list is the same on
  // every system that builds this. devtmpfs has no number of its own (see isDeviceFileSystem).
  static constexpr qint64 kPseudo[] = {
      0x9fa0,      // proc
      0x62656572,  // sysfs
      0x1cd1,      // devpts
      0x27e0eb,    // cgroup
      0x63677270,  // cgroup2
      0x64626720,  // debugfs
      0x74726163,  // tracefs
      0x73636673,  // securityfs
      0x6165676c,  // pstore
      0xcafe4a11,  // bpf
      0x62656570,  // configfs
      0x65735543,  // fusectl
      0x19800202,  // mqueue
      0x958458f6,  // hugetlbfs
      0x42494e4d,  // binfmt_misc
      0x0187,      // autofs
      0xf97cff8c,  // selinuxfs
      0x43415d53,  // smackfs
      0xde5e81e4,  // efivarfs
      0x6e736673,  // nsfs
  };
  return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo);
}

bool FileSystem::onNetworkFileSystem(const QString& path) {
  struct statfs fs {};
  if (::statfs(encodeFileName(path).constData(), &fs) != 0) return false;
  // The f_type magic numbers of <linux/magic.h> and of the file systems' own sources.
  static constexpr qint64 kNetwork[] = {
      0x6969,      // nfs
      0x517b,      // smb
      0xff534d42,  // cifs
      0xfe534d42,  // smb2
      0x65735546,  // fuse (sshfs, rclone, gvfs, virtiofs, …)
      0x00c36400,  // ceph
      0x5346414f,  // afs
      0x6b414653,  // kafs
      0x01021997,  // 9p
      0x73757245,  // coda
      0x564c,      // ncp
      0x0bd00bd0,  // lustre
      0x47504653,  // gpfs
      0x20030528,  // orangefs
      0x7461636f,  // ocfs2
      0x01161970,  // gfs2
  };
  const auto type = qint64(fs.f_type);
  return std::find(std::begin(kNetwork), std::end(kNetwork), type) != std::end(kNetwork);
}

void FileSystem::sortNames(std::vector<QString>& names) {
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
}

namespace {

// devtmpfs reports the type of tmpfs (or ramfs), on which it is built: whether a device of
// that type is the kernel's device folder is told by the system's own table of mounts. Each
// device is looked up once.
bool isDeviceFileSystem(dev_t device) {
  static QMutex mutex;
  static std::vector<std::pair<dev_t, bool>> known;
  QMutexLocker lock(&mutex);
  for (const auto& [seen, answer] : known) {
    if (seen == device) return answer;
  }
  bool found = false;
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (table.open(QIODevice::ReadOnly)) {
    // "id parent major:minor root mount-point options [optional fields] - type source ..."
    const QByteArray wanted =
        QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    for (const QByteArray& line : table.readAll().split('\n')) {
      const QList<QByteArray> fields = line.split(' ');
      if (fields.size() < 3 || fields[2] != wanted) continue;
      const qsizetype dash = fields.indexOf("-");
      if (dash > 0 && dash + 1 < fields.size() && fields[dash + 1] == "devtmpfs") found = true;
    }
  }
  known.emplace_back(device, found);
  return found;
}

// Closes a descriptor after a failure without losing the failure's errno, which the caller
// reports as the reason.
void closeKeepingError(int fd) {
  const int error = errno;
  ::close(fd);
  errno = error;
}

bool onPseudoFileSystem(int fd, dev_t device) {
  constexpr qint64 kTmpfs = 0x01021994;
  constexpr qint64 kRamfs = 0x858458f6;
  struct statfs fs {};
  if (fstatfs(fd, &fs) != 0) return false;
  const auto type = qint64(fs.f_type);
  if (type == kTmpfs || type == kRamfs) return isDeviceFileSystem(device);
  return FileSystem::isPseudoFileSystemType(type);
}

}  // namespace

std::optional<FileSystem::Folder> FileSystem::Folder::open(const QString& path) {
  if (path.isEmpty()) {
    errno = ENOENT;
    return std::nullopt;
  }
  const int fd = openFolder(encodeFileName(path));
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    closeKeepingError(fd);
    return std::nullopt;
  }
  return Folder(fd, quint64(st.st_dev), onPseudoFileSystem(fd, st.st_dev));
}

std::optional<FileSystem::Folder> FileSystem::Folder::openSubfolder(const QString& name,
                                                                    bool lookAtFileSystem) const {
  if (name.isEmpty() || name.contains(u'/')) {
    errno = EINVAL;
    return std::nullopt;
  }
  // O_NOFOLLOW: a link to a folder is never entered, even when it replaced the folder since
  // the listing was taken.
  const int fd = ::openat(m_fd, encodeFileName(name).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  if (!lookAtFileSystem) return Folder(fd, m_device, m_pseudo);
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    closeKeepingError(fd);
    return std::nullopt;
  }
  const bool pseudo =
      m_pseudo || (quint64(st.st_dev) != m_device && onPseudoFileSystem(fd, st.st_dev));
  return Folder(fd, quint64(st.st_dev), pseudo);
}

FileSystem::Folder::Folder(Folder&& other) noexcept
    : m_pseudo(other.m_pseudo), m_fd(other.m_fd), m_device(other.m_device) {
  other.m_fd = -1;
}

FileSystem::Folder& FileSystem::Folder::operator=(Folder&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.m_fd;
    m_device = other.m_device;
    m_pseudo = other.m_pseudo;
    other.m_fd = -1;
  }
  return *this;
}

FileSystem::Folder::~Folder() {
  if (m_fd >= 0) ::close(m_fd);
}

std::optional<FolderListing> FileSystem::Folder::read(const NameFilter& fileFilter,
                                                      HiddenFiles hiddenFiles) const {
  // The directory stream takes its own descriptor so this one stays usable for the *at calls.
  const int readFd = ::dup(m_fd);
  if (readFd < 0) return std::nullopt;  // errno says why
  ::lseek(readFd, 0, SEEK_SET);
  DIR* dir = ::fdopendir(readFd);
  if (!dir) {
    closeKeepingError(readFd);
    return std::nullopt;
  }

  FolderListing listing;
  bool failed = false;
  for (;;) {
    errno = 0;
    const struct dirent* entry = ::readdir(dir);
    if (!entry) {
      failed = errno != 0;
      break;
    }
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    const bool leftOut = name[0] == '.' && hiddenFiles == HiddenFiles::Left;

    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st {};
      if (fstatat(m_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(st.st_mode)   ? DT_DIR
             : S_ISREG(st.st_mode) ? DT_REG
             : S_ISLNK(st.st_mode) ? DT_LNK
                                   : DT_UNKNOWN;
    }
    if (type == DT_DIR) {
      listing.folders.push_back(decodeFileName(name));
      continue;
    }
    if (leftOut || (type != DT_REG && type != DT_LNK)) continue;

    QString decoded = decodeFileName(name);
    if (fileFilter && !fileFilter(decoded)) continue;
    if (type == DT_LNK) {
      // A link counts as a file only when it leads to one.
      struct stat target {};
      if (!statFollow(m_fd, name, target) || !S_ISREG(target.st_mode)) continue;
    }
    listing.files.push_back(std::move(decoded));
  }
  const int error = errno;
  ::closedir(dir);
  if (failed) {
    errno = error;
    return std::nullopt;
  }
  FileSystem::sortNames(listing.files);
  FileSystem::sortNames(listing.folders);
  return listing;
}

}  // namespace vek
