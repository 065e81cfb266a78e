// Reading what a person typed the way they meant it, whether in full-width or ASCII letters.
#pragma once

#include <QString>

namespace vek {

// Upper case and narrow: full-width ASCII (U+FF01..U+FF5E) and the ideographic space become
// their ASCII forms, so "ｃｓｖ" reads as "CSV".
QString upperNarrow(const QString& text);

}  // namespace vek
