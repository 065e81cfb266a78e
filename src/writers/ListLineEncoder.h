// Encodes the lines of a text list and finds the rows whose names the encoding cannot hold, so
// the person can be told which rows came out with "?" instead of a count of characters only.
// A name in decomposed form (as names made on a Mac are: "ハ" + U+309A) is composed before an
// encoding without combining marks gets it, so that "パ" is one character that Shift_JIS holds.
#pragma once

#include <map>
#include <span>
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/text/TextCodec.h"

namespace vek {

// Where one line of a text starts, and the list row it belongs to (-1: the header line).
struct LineMark {
  qsizetype start;
  qint64 row;
};

struct EncodedLines {
  QByteArray bytes;
  std::vector<qint64> replacedRows;  // rows with a "?" in their line, in order
  bool headerReplaced = false;
  qint64 lostCharacters = 0;
  // Rows holding a character the encoding writes as another one (TextCodec::bestFits), in
  // order, and those characters with what a reader gets back.
  std::vector<qint64> bestFitRows;
  std::map<char16_t, char16_t> bestFits;
};

// The character sequences of text that carry combining marks, composed (NFC); everything else
// is left as it is, so a compatibility ideograph such as U+F929 keeps its code point.
QString composeMarkedSequences(QStringView text);

// Encodes text, made of the lines that lines marks, with a new Replace-mode encoder of codec.
// Lines are encoded as a whole in the usual case; only when something was lost, or written as
// another character, is each line encoded again on its own (composed first, for an encoding other
// than UTF-8) to find its row. The codec must be available and stateless (UTF-8, CP932, EUC-JP).
EncodedLines encodeLines(const TextCodec& codec, QStringView text, std::span<const LineMark> lines);

}  // namespace vek
