#include "support/SlowMount.h"

#include <sys/mount.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <QDir>
#include <QFile>

namespace vek::test {

namespace {

constexpr long kFuseMagic = 0x65735546;
const QString kPython = QStringLiteral("/usr/bin/python3");

bool isFuseMount(const QString& path) {
  struct statfs info {};
  return ::statfs(QFile::encodeName(path).constData(), &info) == 0 && info.f_type == kFuseMagic;
}

// Polls condition every 10 ms for at most 10 s: the mount and the helper's start take an
// unknown time, and nothing else tells when they are done.
template <typename Condition>
bool pollFor(Condition condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

}  // namespace

SlowMount::SlowMount(const Options& options) {
  if (::geteuid() != 0) {
    m_unavailable = QStringLiteral("mounting a FUSE file system needs root");
    return;
  }
  if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
    m_unavailable = QStringLiteral("no /dev/fuse");
    m_forbidden = true;
    return;
  }
  QProcess probe;
  probe.start(kPython, {QStringLiteral("-c"), QStringLiteral("import fusepy")});
  if (!probe.waitForFinished() || probe.exitCode() != 0) {
    m_unavailable = QStringLiteral("python3-fusepy is not installed");
    return;
  }
  QDir(m_dir.path()).mkdir(QStringLiteral("mnt"));
  QStringList arguments{QStringLiteral(VEK_TEST_SUPPORT_DIR "/slow_fs.py"),
                        path(),
                        QStringLiteral("--folders"),
                        QString::number(options.folders),
                        QStringLiteral("--files"),
                        QString::number(options.files),
                        QStringLiteral("--delay"),
                        QString::number(options.delayMs),
                        QStringLiteral("--signal"),
                        m_dir.path() + QStringLiteral("/signal")};
  if (options.stuck) arguments.append(QStringLiteral("--stuck"));
  QStringList broken;
  for (int folder : options.broken) broken.append(QString::number(folder));
  arguments << QStringLiteral("--broken") << broken.join(u',');
  m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  m_process.start(kPython, arguments);
  if (!m_process.waitForStarted() ||
      !pollFor([&] { return isFuseMount(path()) || m_process.state() == QProcess::NotRunning; }) ||
      !isFuseMount(path())) {
    m_unavailable = QStringLiteral("the FUSE file system could not be mounted");
    m_process.kill();
    m_process.waitForFinished();
    return;
  }
  m_mounted = true;
}

SlowMount::~SlowMount() {
  // Killing the file system's process ends every call still waiting in it (a hung listing
  // then fails), after which the mount point is detached.
  if (m_process.state() != QProcess::NotRunning) {
    m_process.kill();
    m_process.waitForFinished();
  }
  if (m_mounted) ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

bool SlowMount::waitUntilStuck() const {
  const QString signal = m_dir.path() + QStringLiteral("/signal");
  return pollFor([&] { return QFile::exists(signal); });
}

}  // namespace vek::test
