// Excel reads a cell that begins with "=", "+", "-" or "@" (and, after its own trimming, a tab
// or CR) as a formula: a file named "=HYPERLINK(...)" would run as one when the list is opened.
// With the guard on, such a cell gets a leading "'", which Excel takes as "this is text".
#pragma once

#include <QString>

namespace vek {

inline bool startsLikeFormula(QStringView cell) {
  if (cell.isEmpty()) return false;
  switch (cell.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
      return true;
    default:
      return false;
  }
}

// Puts "'" before the cell text that starts at `start` of line when it starts like a formula.
inline void guardFormula(QString& line, qsizetype start) {
  if (startsLikeFormula(QStringView(line).sliced(start))) line.insert(start, u'\'');
}

}  // namespace vek
