#include "support/Unprivileged.h"

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>

namespace vek::test {

namespace {

constexpr uid_t kNobody = 65534;

// The child's status: 0 check passed, 1 check failed, 2 could not set up.
std::optional<bool> statusOf(pid_t child) {
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return false;
  if (WEXITSTATUS(status) == 2) return std::nullopt;
  return WEXITSTATUS(status) == 0;
}

bool writeText(const char* path, const QByteArray& text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
  ::close(fd);
  return ok;
}

}  // namespace

bool runAsUnprivileged(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) {
    const bool dropped = ::setgroups(0, nullptr) == 0 &&
                         ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                         ::setresuid(kNobody, kNobody, kNobody) == 0;
    ::_exit(!dropped ? 2 : check() ? 0 : 1);
  }
  return statusOf(child).value_or(false);
}

QStringList unprivilegedCommand(const QStringList& command) {
  if (::geteuid() != 0) return command;
  return QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                     QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")} +
         command;
}

void openToOthers(const QStringList& folders) {
  for (const QString& folder : folders) ::chmod(QFile::encodeName(folder).constData(), 0777);
}

std::optional<bool> runWithRootAt(const QString& folder, const std::function<bool()>& check) {
  const QByteArray path = QFile::encodeName(folder);
  const uid_t uid = ::geteuid();
  const gid_t gid = ::getegid();
  const pid_t child = ::fork();
  if (child == 0) {
    if (uid != 0) {
      // An ordinary user may chroot inside a user namespace of its own, where it is root.
      if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) ::_exit(2);
      writeText("/proc/self/setgroups", "deny");
      if (!writeText("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
          !writeText("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
        ::_exit(2);
    }
    if (::chroot(path.constData()) != 0 || ::chdir("/") != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  return statusOf(child);
}

}  // namespace vek::test
