// Reads a written workbook back with a real reader (openpyxl) and compares it cell by cell with
// the CSV of the same list (tests/support/xlsx_matches_csv.py).
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

namespace vek::test {

struct XlsxReadBack {
  bool matches = false;
  QString difference;  // what differed, or the reader's error
  QJsonObject facts;   // sheets (title, rows, freeze, filter, bold), links, value types
};

XlsxReadBack compareXlsxWithCsv(const QString& xlsxPath, const QString& csvPath);

// Every sheet's cells as openpyxl reads them (tests/support/xlsx_cells.py): an array of
// {title, filter, rows: [[{v, f, fmt, bold, link}]]}, v being a formula's cached value.
QJsonArray readXlsxCells(const QString& xlsxPath);

}  // namespace vek::test
