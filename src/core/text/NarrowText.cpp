#include "core/text/NarrowText.h"

namespace vek {

QString upperNarrow(const QString& text) {
  QString narrow = text;
  for (QChar& c : narrow) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) {
      c = QChar(char16_t(u - 0xFEE0));
    } else if (u == 0x3000) {
      c = QChar(u' ');
    }
  }
  return narrow.toUpper();
}

}  // namespace vek
