// File sizes as text: bytes, kilobytes and megabytes, in the plain style (text and CSV, XML)
// or the grouped style (HTML).
#pragma once

#include <QLocale>
#include <QString>

#include "core/ColumnOptions.h"

namespace vek {

enum class SizeStyle { Plain, Grouped };

// The number text without unit. Plain bytes are a space followed by the digits.
QString sizeText(qint64 bytes, SizeUnit unit, SizeStyle style, const QLocale& locale = QLocale());
// " Byte", " KB" or " MB".
QString sizeUnitSuffix(SizeUnit unit);

}  // namespace vek
