// The cells of a block of rows made ready for the library, on any thread: texts as UTF-8 ended
// by a NUL, sizes and dates as numbers. The thread that drives the library then only hands
// them on. Only the workbook writer's own files use this.
#pragma once

#include <vector>

#include <QByteArray>

#include "writers/XlsxListWriter.h"

namespace vek {

struct XlsxListWriter::PreparedRows {
  enum class Kind : quint8 { Empty, Text, Size, Date, Link };
  struct Cell {
    Kind kind = Kind::Empty;
    qsizetype text = 0;     // Text, Link: where its bytes start in bytes
    qsizetype address = 0;  // Link: where the address starts in bytes
    double number = 0;      // Size; Date as Excel's day number
  };
  QByteArray bytes;
  std::vector<Cell> cells;        // the selected columns' cells, row after row
  std::vector<bool> blankBefore;  // per row: a blank row goes before it
  std::vector<qint64> cutRows;    // rows (of the whole list) with a cell cut to fit

  const char* at(qsizetype offset) const { return bytes.constData() + offset; }
  qsizetype add(const QByteArray& text) {
    const qsizetype offset = bytes.size();
    bytes += text;
    bytes += '\0';
    return offset;
  }
};

}  // namespace vek
