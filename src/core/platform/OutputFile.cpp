// Writing one output file: staged under a temporary name or in place, then committed.
#include "core/platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "core/platform/FileNameBytes.h"
#include "core/platform/FolderPath.h"
#include "core/platform/PendingTemporaries.h"

namespace vek {

// A QFile that remembers a write that did not take all its bytes. A short write to a full disk
// sets no error, so without this a cut file could replace the target and pass for written.
class CheckedFile final : public QFile {
 public:
  bool hadShortWrite() const { return m_shortWrite; }

 protected:
  qint64 writeData(const char* data, qint64 len) override {
    const qint64 written = QFile::writeData(data, len);
    if (written != len) m_shortWrite = true;
    return written;
  }

 private:
  bool m_shortWrite = false;
};

namespace {

// The system's words for a failed write, for the person; empty where there are none beyond Qt's
// "Unknown error" (a body that gave up by itself, a short write that set no error).
QString deviceReason(const QFileDevice& file) {
  if (file.error() == QFileDevice::NoError) return {};
  const QString text = file.errorString();
  return text == QFile().errorString() ? QString() : text;
}

// The path a link leads to, followed link by link (a link to a link to a file), or the path
// itself when it is no link. Used only for the program's own settings files.
QString linkTarget(const QString& path) {
  QFileInfo info(path);
  for (int hops = 0; hops < 40 && info.isSymLink(); ++hops) info.setFile(info.symLinkTarget());
  return info.isSymLink() ? path : info.filePath();
}

// Whether the person protected the file against writing. An ordinary user asks the system (ACLs
// and all); root may write anything, so for root the mode bits decide: a file that no one may
// write was made so on purpose.
bool isProtected(int folder, const QByteArray& name, const struct stat& st) {
  if (::geteuid() == 0) return (st.st_mode & 0222) == 0;
  return ::faccessat(folder, name.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// Copies the extended attributes of the file `name` to `to`: access lists (system.posix_acl_*)
// and the person's own (user.*). False when one of those cannot be copied. The system's labels
// (security.*, trusted.*) are the new file's own where they cannot be copied.
bool copyAttributes(int folder, const QByteArray& name, int to) {
  const int from =
      ::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (from < 0) {
    // A file we may write but not read: its attributes are unknown, so it is not replaced.
    return false;
  }
  bool copied = true;
  QByteArray names;
  const ssize_t listed = ::flistxattr(from, nullptr, 0);
  if (listed > 0) {
    names.resize(listed);
    if (::flistxattr(from, names.data(), size_t(names.size())) != listed) copied = false;
  } else if (listed < 0 && errno != ENOTSUP) {
    copied = false;
  }
  for (qsizetype at = 0; copied && at < names.size();) {
    const char* attribute = names.constData() + at;
    at += qsizetype(std::strlen(attribute)) + 1;
    const bool needed = std::strncmp(attribute, "user.", 5) == 0 ||
                        std::strncmp(attribute, "system.posix_acl_", 17) == 0;
    const ssize_t size = ::fgetxattr(from, attribute, nullptr, 0);
    QByteArray value(qsizetype(std::max<ssize_t>(size, 0)), Qt::Uninitialized);
    const bool ok = size >= 0 &&
                    ::fgetxattr(from, attribute, value.data(), size_t(value.size())) == size &&
                    ::fsetxattr(to, attribute, value.constData(), size_t(value.size()), 0) == 0;
    if (!ok && needed) copied = false;
  }
  ::close(from);
  return copied;
}

// A file without a name in the temporary folder, where the content of a file written in place
// is staged: it disappears by itself when closed or when the process ends, however it ends.
int openStaging() {
  const QByteArray folder = QFile::encodeName(QDir::tempPath());
#ifdef O_TMPFILE
  const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  QByteArray pattern = folder + "/.vek-XXXXXX";
  const InterruptsHeld held;
  const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(pattern.constData());
  return named;
}

}  // namespace

OutputFile::OutputFile(const QString& path, AtLink atLink) : m_path(path), m_atLink(atLink) {}

OutputFile::~OutputFile() {
  discard();
}

bool OutputFile::fail(int error) {
  m_error = QString::fromLocal8Bit(std::strerror(error));
  m_reason = m_error;
  discard();
  return false;
}

bool OutputFile::open() {
  discard();
  m_error.clear();
  m_reason.clear();
  const QByteArray target =
      encodeFileName(m_atLink == AtLink::WriteTarget ? linkTarget(m_path) : m_path);
  if (target.isEmpty()) return fail(ENOENT);
  // Whichever way the file is written, an interrupt ends the process the same way.
  removeTemporariesOnInterrupt();
  // Every name below is relative to the open folder, so a path of any length works.
  const PathParts parts = splitPath(target);
  m_name = parts.name;
  m_folder = openFolderPath(parts.folder, O_PATH);
  if (m_folder < 0) return fail(errno);

  // What is at the name now: a folder or a protected file is refused before anything is
  // written; a regular file hands its permission bits, owner and group to its successor; a
  // link or nothing gives a new file's.
  struct stat old {};
  const bool exists = ::fstatat(m_folder, m_name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (!exists && errno != ENOENT) return fail(errno);
  if (exists && S_ISDIR(old.st_mode)) return fail(EISDIR);
  const bool regular = exists && S_ISREG(old.st_mode);
  if (regular && isProtected(m_folder, m_name, old)) return fail(EACCES);
  // A new file would leave the other names of this one with the old contents.
  if (regular && old.st_nlink > 1) return openInPlace();

  int fd = -1;
  {
    const InterruptsHeld held;
    // A short name of its own: the target's name may already be as long as a name can be.
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
      m_temporary =
          ".vek-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
      fd = ::openat(m_folder, m_temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno != EEXIST) break;
    }
    if (fd >= 0) m_slot = addPending(m_folder, m_temporary);
  }
  if (fd < 0) {
    const int error = errno;
    m_temporary.clear();
    // A folder that takes no new file may still hold a file its owner lets us write.
    if (regular && (error == EACCES || error == EPERM)) return openInPlace();
    return fail(error);
  }
  if (regular) {
    // Root gives any owner; an ordinary user at least a group of their own. A file whose owner
    // or group, access lists or other attributes cannot stay is written in place instead of
    // changing hands.
    struct stat made {};
    if ((::fstat(fd, &made) == 0 && (made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
         ::fchown(fd, old.st_uid, old.st_gid) != 0) ||
        !copyAttributes(m_folder, m_name, fd)) {
      ::close(fd);
      removeTemporary();
      return openInPlace();
    }
    // After fchown, which clears set-id bits, and the access list, whose mask it sets again.
    ::fchmod(fd, old.st_mode & 0777);
  }
  m_file = std::make_unique<CheckedFile>();
  if (!m_file->open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return fail(EIO);
  }
  return true;
}

// The content is staged in full elsewhere; the target is only touched in commit().
bool OutputFile::openInPlace() {
  m_inPlace = ::openat(m_folder, m_name.constData(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
  if (m_inPlace < 0) return fail(errno);
  struct stat st {};
  if (::fstat(m_inPlace, &st) != 0 || !S_ISREG(st.st_mode)) return fail(EINVAL);
  const int staging = openStaging();
  if (staging < 0) return fail(errno);
  m_file = std::make_unique<CheckedFile>();
  if (!m_file->open(staging, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
    ::close(staging);
    return fail(EIO);
  }
  return true;
}

QIODevice& OutputFile::device() {
  Q_ASSERT(m_file);
  return *m_file;
}

bool OutputFile::fill(const std::function<bool(QIODevice&)>& body) {
  if (!open()) return false;
  if (body(*m_file)) return true;
  const QString reason = m_file->errorString();
  m_reason = deviceReason(*m_file);
  discard();
  m_error = reason.isEmpty() ? QStringLiteral("write failed") : reason;
  return false;
}

bool OutputFile::stage() {
  if (m_staged) return true;
  if (!m_file) {
    if (m_error.isEmpty()) m_error = QStringLiteral("not open");
    return false;
  }
  // The buffer is flushed here, where a failure can be seen, before anything is renamed.
  if (!m_file->flush() || m_file->hadShortWrite()) {
    const QString reason = m_file->errorString();
    m_reason = deviceReason(*m_file);
    discard();
    m_error = reason.isEmpty() ? QStringLiteral("short write") : reason;
    return false;
  }
  if (m_inPlace >= 0) {
    // The space is reserved, so that a full disk is found while the old contents are whole.
    struct stat st {};
    if (::fstat(m_file->handle(), &st) != 0) return fail(errno);
#ifdef __linux__
    if (st.st_size > 0 && ::fallocate(m_inPlace, FALLOC_FL_KEEP_SIZE, 0, st.st_size) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS)
      return fail(errno);
#endif
  } else if (::fdatasync(m_file->handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
    // On the disk before it replaces the old file, so that a crash leaves one or the other.
    return fail(errno);
  }
  m_staged = true;
  return true;
}

bool OutputFile::commit() {
  const bool ok = stage() && replace(false);
  discard();
  return ok;
}

bool OutputFile::replace(bool keepOld) {
  if (m_inPlace >= 0) return copyInPlace();
  m_file->close();
  m_file.reset();
  const InterruptsHeld held;
  // The old file swaps places with the new one and stays under the temporary name, so that
  // undoReplace() can bring it back; discard() removes it. Where the file system cannot swap
  // (or there is no old file), a plain rename.
  if (keepOld && ::renameat2(m_folder, m_temporary.constData(), m_folder, m_name.constData(),
                             RENAME_EXCHANGE) == 0) {
    m_oldKept = true;
    return true;
  }
  struct stat st {};
  const bool created =
      ::fstatat(m_folder, m_name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
  // renameat() replaces the name itself: a link there is replaced, never followed.
  if (::renameat(m_folder, m_temporary.constData(), m_folder, m_name.constData()) != 0)
    return fail(errno);
  m_created = created;
  removePending(m_slot);
  m_slot = -1;
  m_temporary.clear();
  return true;
}

void OutputFile::undoReplace() {
  const InterruptsHeld held;
  if (m_oldKept) {
    if (::renameat(m_folder, m_temporary.constData(), m_folder, m_name.constData()) == 0) {
      removePending(m_slot);
      m_slot = -1;
      m_temporary.clear();
    }
  } else if (m_created) {
    ::unlinkat(m_folder, m_name.constData(), 0);
  }
  m_oldKept = m_created = false;
}

// Copies the staged content over the target, its space reserved by stage(); interrupts wait
// until the copy is complete.
bool OutputFile::copyInPlace() {
  const int staging = m_file->handle();
  struct stat st {};
  if (::fstat(staging, &st) != 0) return fail(errno);
  const InterruptsHeld held;
  QByteArray buffer(1 << 20, Qt::Uninitialized);
  for (off_t at = 0; at < st.st_size;) {
    const ssize_t got = ::pread(staging, buffer.data(), size_t(buffer.size()), at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return fail(got < 0 ? errno : EIO);
    for (ssize_t done = 0; done < got;) {
      const ssize_t put =
          ::pwrite(m_inPlace, buffer.constData() + done, size_t(got - done), at + done);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return fail(put < 0 ? errno : EIO);
      done += put;
    }
    at += got;
  }
  if (::ftruncate(m_inPlace, st.st_size) != 0) return fail(errno);
  if (::fdatasync(m_inPlace) != 0 && errno != EINVAL && errno != ENOTSUP) return fail(errno);
  return true;
}

void OutputFile::removeTemporary() {
  if (m_temporary.isEmpty()) return;
  const InterruptsHeld held;
  // Removed before it leaves the handler's list: an interrupt in between finds nothing left.
  ::unlinkat(m_folder, m_temporary.constData(), 0);
  removePending(m_slot);
  m_slot = -1;
  m_temporary.clear();
}

void OutputFile::closeFolder() {
  if (m_folder >= 0) ::close(m_folder);
  m_folder = -1;
}

void OutputFile::discard() {
  m_staged = m_oldKept = m_created = false;
  m_file.reset();
  removeTemporary();
  if (m_inPlace >= 0) ::close(m_inPlace);
  m_inPlace = -1;
  closeFolder();
}

QString OutputFile::errorString() const {
  return m_error;
}

bool OutputFile::writeWhole(const QString& path, const QByteArray& bytes, AtLink atLink,
                            QString* error) {
  OutputFile file(path, atLink);
  const bool ok = file.fill([&](QIODevice& device) {
    return device.write(bytes) == bytes.size();
  }) && file.commit();
  if (!ok && error) *error = file.errorString();
  return ok;
}

bool OutputFile::write(const QString& path, Interaction& interaction,
                       const std::function<bool(QIODevice&)>& body) {
  OutputFile file(path, AtLink::Replace);
  const bool ok = file.fill(body) && file.commit();
  if (!ok) interaction.showMessage(file.failureMessage());
  return ok;
}

}  // namespace vek
