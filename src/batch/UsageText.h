// The usage text of the command line ("vek /?").
#pragma once

#include <QString>
#include <QStringList>

namespace vek {

// The 22 lines, without line ends.
const QStringList& usageLines();
// The lines of Vek's own switches, printed after the 22 and one empty line.
const QStringList& ownSwitchLines();
// The lines each followed by `lineEnd`. The console prints them with LF, the line end of a
// POSIX terminal; a message box would use CR LF like every other message.
QString usageText(QStringView lineEnd = u"\n");

}  // namespace vek
