// A FUSE file system (tests/support/slow_fs.py) mounted in a temporary folder for the length of
// a test or benchmark: folders of small files, every call delayed, and on request a folder whose
// listing never returns, as on a stale network mount. Needs root, /dev/fuse and python3-fusepy;
// unavailable() says which is missing.
#pragma once

#include <vector>

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vek::test {

class SlowMount {
 public:
  struct Options {
    int folders = 3;
    int files = 2;
    double delayMs = 0;
    bool stuck = false;  // adds the folder "zz_stuck", after the others
    // Folders (by number) that also list "x.txt", whose information cannot be read.
    std::vector<int> broken;
  };
  explicit SlowMount(const Options& options);
  ~SlowMount();
  SlowMount(const SlowMount&) = delete;
  SlowMount& operator=(const SlowMount&) = delete;

  // Empty when mounted; otherwise why it is not.
  const QString& unavailable() const { return m_unavailable; }
  // True when the container gives no FUSE device, which nothing inside it can change.
  bool forbidden() const { return m_forbidden; }
  // The mount point, without a trailing separator.
  QString path() const { return m_dir.path() + QStringLiteral("/mnt"); }
  // Waits until a listing of zz_stuck has begun; false when none did within 10 s.
  bool waitUntilStuck() const;

 private:
  QTemporaryDir m_dir;
  QProcess m_process;
  QString m_unavailable;
  bool m_forbidden = false;
  bool m_mounted = false;
};

}  // namespace vek::test
