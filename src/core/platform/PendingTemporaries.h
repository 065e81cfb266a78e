// The temporary files an interrupt removes, and holding interrupts back while they change.
#pragma once

#include <QByteArray>

#include <signal.h>

namespace vek {

// Installs, once, the handler that removes every registered temporary file and ends the process
// on an interrupt that still has its default action.
void removeTemporariesOnInterrupt();

// Registers a file (or, with AT_REMOVEDIR, a folder) to be removed on an interrupt; the slot it
// takes, or -1 when the name is too long or every slot is taken.
int addPending(int folder, const QByteArray& name, int flags = 0);

// Forgets a slot from addPending(); -1 is ignored.
void removePending(int slot);

// Holds the interrupts back on this thread while a temporary file and its entry are made or
// undone together, and while a file is overwritten in place, which must not stop half-way.
class InterruptsHeld {
 public:
  InterruptsHeld();
  ~InterruptsHeld();
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;

 private:
  sigset_t m_before;
};

}  // namespace vek
