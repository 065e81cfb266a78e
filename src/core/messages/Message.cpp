#include "core/messages/Message.h"

#include <algorithm>
#include <limits>

namespace vek {

QString joinLines(std::initializer_list<QString> lines) {
  QString text;
  bool first = true;
  for (const QString& line : lines) {
    if (!first) text += QStringLiteral("\r\n");
    text += line;
    first = false;
  }
  return text;
}

QString messageLines(QString text) {
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

int pluralOf(qint64 count) {
  return int(std::clamp<qint64>(count, 0, std::numeric_limits<int>::max()));
}

}  // namespace vek
