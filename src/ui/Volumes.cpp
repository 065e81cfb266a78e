#include "ui/Volumes.h"

#include <algorithm>

#include <QStorageInfo>

namespace vek {

namespace {

// File systems of the kernel and the session that hold no files of the person's.
bool isPseudoFileSystem(const QByteArray& type) {
  static const QList<QByteArray> pseudo = {
      "autofs",  "binfmt_misc", "bpf",      "cgroup",      "cgroup2",        "configfs",
      "debugfs", "devpts",      "devtmpfs", "efivarfs",    "fusectl",        "hugetlbfs",
      "mqueue",  "nsfs",        "proc",     "pstore",      "securityfs",     "sysfs",
      "tracefs", "rpc_pipefs",  "squashfs", "fuse.portal", "fuse.gvfsd-fuse"};
  return pseudo.contains(type);
}

bool isSystemMountPoint(const QString& root) {
  for (const char* prefix : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"}) {
    const QString p = QString::fromLatin1(prefix);
    if (root == p || root.startsWith(p + u'/')) return true;
  }
  return false;
}

}  // namespace

QStringList mountedVolumeRoots() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    if (root != QStringLiteral("/") &&
        (isPseudoFileSystem(volume.fileSystemType()) || isSystemMountPoint(root))) {
      continue;
    }
    if (!roots.contains(root)) roots.append(root);
  }
  if (!roots.contains(QStringLiteral("/"))) roots.append(QStringLiteral("/"));
  std::sort(roots.begin(), roots.end());  // "/" sorts first
  return roots;
}

QString volumeHolding(const QString& path, const QStringList& roots) {
  QString best;
  for (const QString& root : roots) {
    const bool holds = root == QStringLiteral("/") ? path.startsWith(u'/')
                                                   : path == root || path.startsWith(root + u'/');
    if (holds && root.size() > best.size()) best = root;
  }
  return best;
}

}  // namespace vek
