// File sizes as text: bytes, kilobytes and megabytes, in the plain style (text and CSV, XML)
// or the grouped style (HTML).
#pragma once

#include <QLocale>
#include <QString>

#include "core/list/ColumnOptions.h"

namespace vek {

enum class SizeStyle { Plain, Grouped };

// The number text without unit. Plain bytes are a space followed by the digits. Kilobytes are
// (n + 511) / 1024 rounded half away from zero, megabytes the same over 1048576 to one decimal;
// the arithmetic is exact for every 64-bit count. The group separator and decimal point are the
// locale's; digits are always ASCII. A negative count (never a real size) is shown as 0.
QString sizeText(qint64 bytes, SizeUnit unit, SizeStyle style, const QLocale& locale = QLocale());
// The number sizeText shows in the plain style, as a number (a workbook's size cell).
double sizeValue(qint64 bytes, SizeUnit unit);
// " Byte", " KB" or " MB".
QString sizeUnitSuffix(SizeUnit unit);

}  // namespace vek
