// Permission tests as an ordinary user. Root reads and writes every file whatever its mode, so
// a test of what a mode refuses runs its check as the user "nobody" when the suite runs as root
// (as CI does) instead of skipping.
#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

namespace vek::test {

// Runs check in a child process as nobody (uid and gid 65534, no groups) when this process is
// root, in this process otherwise. True when check returned true. The child sees the files the
// parent made; the folders it must reach have to be open to others (openToOthers).
bool runAsUnprivileged(const std::function<bool()>& check);

// The command (program first) so that it runs as nobody when this process is root: setpriv
// puts itself in front.
QStringList unprivilegedCommand(const QStringList& command);

// Gives every user search, read and write rights on these folders (a QTemporaryDir is made
// for its owner only).
void openToOthers(const QStringList& folders);

// Runs check in a child process whose root folder "/" is `folder`: chroot as root, or inside a
// new user and mount namespace otherwise. nullopt when the system allows neither.
std::optional<bool> runWithRootAt(const QString& folder, const std::function<bool()>& check);

}  // namespace vek::test
