#include "core/WholeFile.h"

#include <cerrno>
#include <cstring>

#include <QSaveFile>

namespace vek {

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  // Unbuffered, so that a short write (full disk) shows in write()'s count: a buffered
  // QSaveFile can commit a cut file after its flush wrote only part of the buffer.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    if (error) *error = file.errorString();
    return false;
  }
  errno = 0;
  if (file.write(bytes) != bytes.size()) {
    const int code = errno;
    if (error) *error = code ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
    return false;  // the temporary file is removed, the old file stays
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace vek
