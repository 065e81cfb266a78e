// A message for the person: title, text (lines joined by CR LF) and icon.
#pragma once

#include <QString>

namespace vek {

enum class MessageIcon { None, Information, Warning, Critical, Question };

struct Message {
  QString title;
  QString text;
  MessageIcon icon = MessageIcon::Warning;
};

// Joins message lines the way every message of the program does: CR LF between lines.
QString joinLines(std::initializer_list<QString> lines);
// A message written as one text with LF between its lines (so that a translator sees it
// whole), its lines joined as joinLines joins them.
QString messageLines(QString text);
// The n by which a translation chooses its singular or plural form for a count: counts are
// 64-bit, n is an int (any count beyond takes the plural).
int pluralOf(qint64 count);

}  // namespace vek
