// A file system mounted on a folder for the length of a test, unmounted (lazily, so that a
// test that failed half-way leaves nothing mounted) when it goes out of scope. Needs root.
#pragma once

#include <QString>

namespace vek::test {

class Mount {
 public:
  // Mounts a file system of type (proc, devtmpfs, tmpfs, …) on folder.
  Mount(const QString& type, const QString& folder);
  Mount(const Mount&) = delete;
  Mount& operator=(const Mount&) = delete;
  ~Mount();

  bool mounted() const { return m_mounted; }
  // Why the mount failed (not root, no permission in this container, …).
  const QString& failure() const { return m_failure; }
  // True when root was refused the mount: a container started without the right to mount,
  // which nothing inside it can change.
  bool forbidden() const { return m_forbidden; }

 private:
  QString m_folder;
  bool m_mounted = false;
  bool m_forbidden = false;
  QString m_failure;
};

}  // namespace vek::test
