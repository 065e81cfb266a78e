// Lets GoogleTest print a QString as UTF-8 text instead of its 16-bit units.
#pragma once

#include <ostream>

#include <QString>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
