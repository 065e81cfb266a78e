// The usage text of the command line ("vek /?").
#pragma once

#include <QString>
#include <QStringList>

namespace vek {

// The 22 lines, without line ends.
const QStringList& usageLines();
// The lines that describe the switches Vek added to those 22; the usage text puts them after
// the 22 lines and one empty line, so that the 22 stay as scripts and people know them.
const QStringList& addedUsageLines();
// The 22 lines, an empty line and the added lines, each followed by `lineEnd`. The console prints
// them with LF, the line end of a POSIX terminal; a message box would use CR LF like every other
// message.
QString usageText(QStringView lineEnd = u"\n");

}  // namespace vek
