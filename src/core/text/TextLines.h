// Splitting text into lines as every file the program reads ends them: CR LF, LF or CR. A last
// line without an end still counts; an empty text has no lines. Works on text (QStringView) and
// on bytes (QByteArrayView) alike, so a file can be split before it is decoded.
#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

namespace vek {

inline char16_t lineCode(QChar c) {
  return c.unicode();
}
inline char16_t lineCode(char c) {
  return char16_t(uchar(c));
}

// Calls lineFound(line, lineWithEnd) for every line, in order: the line without its end, and the
// same with its end (what the file holds).
template <class View, class LineFound>
void forEachLine(View text, LineFound&& lineFound) {
  qsizetype start = 0;
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = lineCode(text[i]);
    if (c != u'\n' && c != u'\r') continue;
    const qsizetype end = i;
    if (c == u'\r' && i + 1 < size && lineCode(text[i + 1]) == u'\n') ++i;
    lineFound(text.sliced(start, end - start), text.sliced(start, i + 1 - start));
    start = i + 1;
  }
  if (start < size) lineFound(text.sliced(start), text.sliced(start));
}

inline QStringList splitLines(QStringView text) {
  QStringList lines;
  forEachLine(text, [&lines](QStringView line, QStringView) { lines.append(line.toString()); });
  return lines;
}

}  // namespace vek
