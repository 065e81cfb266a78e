// The command builder's line read back as a batch run reads it, and compared with the form. The
// run's rules stay as they are (after /N a switch name is that switch, an empty argument is no
// token at all), so a value that looks like a switch, such as a folder "/C" proposed as the
// title, or an empty value, can make a line mean something other than what the form shows.
#pragma once

#include <QString>

#include "batch/BatchParser.h"
#include "batch/CommandForm.h"

namespace vek {

// Empty when `line` (composed from `form`) means what the form says. Otherwise what to tell the
// person, as lines joined by LF. Folders are not looked up: whether they exist is the run's to
// say. `dateNamer` names the file as the run would.
QString readBackProblem(const CommandForm& form, const QString& line, const DateNamer& dateNamer);

}  // namespace vek
