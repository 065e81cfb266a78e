// The texts of the workbook writer's cells: a cell's bytes as Excel takes them, number-format
// literals, sheet references. Only the workbook writer's own files use these.
#pragma once

#include <xlsxwriter.h>

#include <QByteArray>
#include <QString>

#include "core/text/SizeText.h"

namespace vek::xlsx {

// Excel's longest hyperlink address.
constexpr qsizetype kLongestLink = 2079;
// Excel's longest sheet name, in its (UTF-16) characters.
constexpr qsizetype kSheetNameLength = 31;

// UTF-8 for the workbook's XML. Half a surrogate pair (a byte of a name that is not UTF-8)
// becomes "?", as in a UTF-8 CSV of the same list.
QByteArray cellBytes(QStringView text);

// The bytes of a text cell, cut when Excel would refuse the text: its end replaced by "…" so
// that the cell is Excel's longest (in UTF-16 characters, as Excel counts). The library counts
// the characters it is given, in which the "_x005F_" escapes count too, so a text full of them
// is cut shorter. cut tells whether it was.
QByteArray fittedCellBytes(QStringView text, bool& cut);

// A literal of a number format: each character escaped, so no character of a name or a
// pattern is read as a code.
QString formatLiteral(QStringView text);

// A sheet's name as a formula names it: quoted, its apostrophes doubled.
QString quotedSheet(const QString& name);

QString columnLetters(lxw_col_t column);

// A size cell's value in its unit's smallest step (bytes, kilobytes or tenths of a megabyte),
// so that the totals' cached values equal the sum a spreadsheet computes from the cells.
qint64 sizeSteps(double cellValue, SizeUnit unit);

}  // namespace vek::xlsx
