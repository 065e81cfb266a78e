#include "core/Message.h"

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

}  // namespace vek
