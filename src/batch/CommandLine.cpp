#include "batch/CommandLine.h"

namespace vek {

namespace {
bool isBlank(QChar c) {
  return c == u' ' || c == u'\t';
}
}  // namespace

ArgumentTable splitCommandLine(QStringView text, int maximum) {
  ArgumentTable table;
  bool inToken = false;
  bool inQuotes = false;
  auto current = [&]() -> QString& {
    return table.tokens.isEmpty() ? table.entry0 : table.tokens.last();
  };
  for (const QChar c : text) {
    if (c == u'"') {
      inQuotes = !inQuotes;
    } else if (isBlank(c) && !inQuotes) {
      inToken = false;
    } else if (isBlank(c)) {
      current().append(c);
    } else {
      if (!inToken) {
        if (table.tokens.size() >= maximum) break;
        table.tokens.append(QString());
        inToken = true;
      }
      current().append(c);
    }
  }
  return table;
}

QString joinArguments(const QStringList& arguments) {
  QString text;
  for (const QString& argument : arguments) {
    if (!text.isEmpty()) text += u' ';
    const bool quote = argument.isEmpty() || argument.contains(u' ') || argument.contains(u'\t');
    if (quote) {
      text += u'"' + argument + u'"';
    } else {
      text += argument;
    }
  }
  return text;
}

ArgumentTable argumentTable(const QStringList& arguments, int maximum) {
  ArgumentTable table;
  for (const QString& argument : arguments) {
    // /X always takes the next argument, and "" there means "leave nothing out": dropped, it
    // would make /X take the next switch for its patterns.
    if (argument.isEmpty() && (table.tokens.isEmpty() || table.tokens.last() != u"/X")) continue;
    if (table.tokens.size() >= maximum) break;
    table.tokens.append(argument);
  }
  return table;
}

}  // namespace vek
