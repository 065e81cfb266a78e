#include "support/Mount.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>

namespace vek::test {

Mount::Mount(const QString& type, const QString& folder) : m_folder(folder) {
  if (::geteuid() != 0) {
    m_failure = QStringLiteral("mounting needs root");
    return;
  }
  const QByteArray kind = type.toUtf8();
  if (::mount(kind.constData(), QFile::encodeName(folder).constData(), kind.constData(), 0,
              nullptr) != 0) {
    m_forbidden = errno == EPERM || errno == EACCES;
    m_failure = QStringLiteral("mount -t ") + type + QStringLiteral(": ") +
                QString::fromLocal8Bit(std::strerror(errno));
    return;
  }
  m_mounted = true;
}

Mount::~Mount() {
  if (m_mounted) ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

}  // namespace vek::test
