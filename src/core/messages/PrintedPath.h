// A path as people and scripts read it in a report, one path a line: a name holding a line end
// stays one entry and can be found again. Control characters are written as \n, \t, \r or \xHH,
// bytes that are not valid UTF-8 (kept as U+DC80..U+DCFF) as \xHH, and a backslash as \\; every
// other character stays as it is. Standard error and the window's notices use the same form.
#pragma once

#include <QString>

namespace vek {

QString printedPath(QStringView path);

}  // namespace vek
