// The registry of temporary files that an interrupt removes before the process ends.
#include "core/platform/PendingTemporaries.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <iterator>
#include <mutex>

#include <QFile>

#include "core/platform/OutputFile.h"

namespace vek {

namespace {

// The temporary files an interrupt removes. The handler may run at any moment and on any
// thread, so an entry is a folder descriptor and a name in fixed storage, published by its
// state once complete: nothing the handler reads is allocated or freed.
struct PendingTemporary {
  std::atomic<int> state{0};  // kFree, kFilling, kActive
  int folder = -1;
  int flags = 0;  // AT_REMOVEDIR for a folder, removed after the files
  char name[64] = {};
};
constexpr int kFree = 0, kFilling = 1, kActive = 2;
PendingTemporary g_pending[16];

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

void removeTemporariesAndExit(int signal) {
  for (const int flags : {0, AT_REMOVEDIR})
    for (PendingTemporary& entry : g_pending)
      if (entry.state.load(std::memory_order_acquire) == kActive && entry.flags == flags)
        ::unlinkat(entry.folder, entry.name, flags);
  ::_exit(128 + signal);
}

}  // namespace

// Installed once, for the interrupts that still have their default action: a SIGHUP ignored
// under nohup stays ignored.
void removeTemporariesOnInterrupt() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const int signal : kInterrupts) {
      struct sigaction current {};
      if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
          current.sa_handler != SIG_DFL)
        continue;
      struct sigaction action {};
      action.sa_handler = removeTemporariesAndExit;
      sigemptyset(&action.sa_mask);
      for (const int other : kInterrupts) sigaddset(&action.sa_mask, other);
      ::sigaction(signal, &action, nullptr);
    }
  });
}

InterruptsHeld::InterruptsHeld() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kInterrupts) sigaddset(&set, signal);
  pthread_sigmask(SIG_BLOCK, &set, &m_before);
}

InterruptsHeld::~InterruptsHeld() {
  pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}

int addPending(int folder, const QByteArray& name, int flags) {
  if (size_t(name.size()) >= sizeof(PendingTemporary::name)) return -1;
  for (int i = 0; i < int(std::size(g_pending)); ++i) {
    int expected = kFree;
    if (!g_pending[i].state.compare_exchange_strong(expected, kFilling)) continue;
    g_pending[i].folder = folder;
    g_pending[i].flags = flags;
    std::memcpy(g_pending[i].name, name.constData(), size_t(name.size()) + 1);
    g_pending[i].state.store(kActive, std::memory_order_release);
    return i;
  }
  return -1;
}

void removePending(int slot) {
  if (slot >= 0) g_pending[slot].state.store(kFree, std::memory_order_release);
}

OutputFile::ScratchFolder::ScratchFolder(const QString& path, const QStringList& names) {
  const QByteArray encoded = QFile::encodeName(path);
  const qsizetype slash = encoded.lastIndexOf('/');
  if (slash < 0) return;
  const InterruptsHeld held;
  removeTemporariesOnInterrupt();
  m_parent = ::open(slash == 0 ? "/" : encoded.left(slash).constData(), O_PATH | O_CLOEXEC);
  m_folder = ::open(encoded.constData(), O_PATH | O_CLOEXEC);
  if (m_parent < 0 || m_folder < 0) return;
  for (const QString& name : names)
    m_slots.push_back(addPending(m_folder, QFile::encodeName(name)));
  m_slots.push_back(addPending(m_parent, encoded.mid(slash + 1), AT_REMOVEDIR));
}

OutputFile::ScratchFolder::~ScratchFolder() {
  const InterruptsHeld held;
  for (const int slot : m_slots) removePending(slot);
  if (m_folder >= 0) ::close(m_folder);
  if (m_parent >= 0) ::close(m_parent);
}

}  // namespace vek
