#include "core/platform/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QCoreApplication>

#include "core/platform/FileNameBytes.h"

namespace vek {

namespace {

WholeFile refused(const QString& reason) {
  return {WholeFile::Status::Unreadable, {}, reason};
}

WholeFile refusedBy(int error) {
  return refused(QString::fromLocal8Bit(std::strerror(error)));
}

WholeFile tooLarge(qint64 limit) {
  return refused(QCoreApplication::translate(
                     "WholeFile", "ファイルが大きすぎます（設定ファイルは %1 MB までです）。")
                     .arg(limit / (1024 * 1024)));
}

WholeFile checked(const struct stat& st, qint64 limit) {
  if (!S_ISREG(st.st_mode))
    return refused(QCoreApplication::translate("WholeFile", "通常のファイルではありません。"));
  if (st.st_size > limit) return tooLarge(limit);
  return {WholeFile::Status::Read, {}, {}};
}

}  // namespace

WholeFile readWholeFile(const QString& path, qint64 limit) {
  const QByteArray name = encodeFileName(path);
  // Looked at before it is opened: opening a device or a FIFO may itself wait or act.
  struct stat st {};
  if (::stat(name.constData(), &st) != 0) {
    if (errno == ENOENT) return {};
    return refusedBy(errno);
  }
  if (WholeFile check = checked(st, limit); check.status != WholeFile::Status::Read) return check;

  // O_NONBLOCK: should a FIFO have taken the name in between, the open does not wait for a
  // writer; fstat then tells what was opened.
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return refusedBy(errno);
  WholeFile result;
  if (::fstat(fd, &st) != 0) {
    result = refusedBy(errno);
  } else if (result = checked(st, limit); result.status == WholeFile::Status::Read) {
    // One byte more than allowed is asked for, so that a file that grew is noticed.
    result.bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype used = 0;
    for (;;) {
      if (used == result.bytes.size()) {
        if (used > limit) break;
        result.bytes.resize(std::min<qsizetype>(used * 2 + 4096, qsizetype(limit) + 1));
      }
      const ssize_t got =
          ::read(fd, result.bytes.data() + used, size_t(result.bytes.size() - used));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result = refusedBy(errno);
        break;
      }
      if (got == 0) break;
      used += got;
    }
    if (result.status == WholeFile::Status::Read) {
      result.bytes.truncate(used);
      if (used > limit) result = tooLarge(limit);
    }
  }
  ::close(fd);
  return result;
}

}  // namespace vek
