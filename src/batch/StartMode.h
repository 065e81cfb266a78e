// What the program does with its argument table: the window, the usage text, the version, or a
// batch run.
#pragma once

#include "batch/CommandLine.h"

namespace vek {

enum class StartMode {
  Window,            // no token: the window as usual
  WindowWithFolder,  // one token: the window, showing that folder when it is one
  Usage,             // "/?" alone (also "--help" and "-h", which a Linux user types first)
  Version,           // "--version" alone
  Batch,             // two or more tokens
};

inline StartMode startMode(const ArgumentTable& table) {
  if (table.count() == 0) return StartMode::Window;
  if (table.count() >= 2) return StartMode::Batch;
  const QString& only = table.tokens.front();
  if (only == u"/?" || only == u"--help" || only == u"-h") return StartMode::Usage;
  if (only == u"--version") return StartMode::Version;
  return StartMode::WindowWithFolder;
}

}  // namespace vek
