// The number at the start of a text, as the settings file and the "/S" switch read numbers: that
// of its longest leading part that forms a decimal number (blanks, an optional sign, digits with
// an optional fraction and exponent), whatever follows it; 0 when the text does not start with
// one. The decimal point is always ".", whatever the locale.
#pragma once

#include <optional>

#include <QStringView>

namespace vek {

// The value; ±infinity when it is too large for a double.
double leadingNumber(QStringView text);

// The value rounded to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4);
// nullopt when that does not fit an int.
std::optional<int> leadingInteger(QStringView text);

}  // namespace vek
