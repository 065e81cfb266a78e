// The command-line side of start-up: the usage text and the batch run, with the settings loaded
// before and saved after, talking to the person on standard output and standard error.
#pragma once

#include "batch/CommandLine.h"
#include "batch/ExitCode.h"

namespace vek {

// Runs the usage text or the batch run for `table` (startMode Usage or Batch) on the process's
// standard streams. Needs a QCoreApplication.
ExitCode runCommandLine(const ArgumentTable& table);

}  // namespace vek
