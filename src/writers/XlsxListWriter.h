// The Excel workbook (.xlsx) writer: the rows and columns the CSV of the same list holds (the
// Csv column options, the header captions, the inserted blank rows), as typed cells — names,
// folders and types as text, sizes as numbers in the chosen unit, dates as date-time cells —
// with a bold, frozen header row and an auto-filter. Written by libxlsxwriter in its
// constant-memory mode, so a list of millions of rows needs no more memory than a few rows, and
// read back before it is handed on, so that a sheet cut off in the library's temporary files is
// a failure, never a workbook.
#pragma once

#include <span>
#include <vector>

#include <QIODevice>
#include <QLocale>
#include <QString>

#include "core/list/FileEntry.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"
#include "writers/ColumnCells.h"
#include "writers/RowInsertion.h"

namespace vek {

class XlsxListWriter {
 public:
  // Rows a sheet holds below its header: Excel's 1,048,576 rows less the header row.
  static constexpr qint64 kSheetRows = 1048575;
  // Hyperlinks Excel takes on one sheet; the cells after them hold their address as text.
  static constexpr qint64 kSheetLinks = 65530;
  // Excel's longest cell text, in its (UTF-16) characters: longer texts are cut to it.
  static constexpr qsizetype kCellLength = 32767;

  // title names the sheet (the /N title or the folder), made legal for Excel.
  XlsxListWriter(const Settings& settings, const QString& title,
                 PathStyle pathStyle = nativePathStyle(), const QLocale& locale = QLocale());

  // The folder in which the workbook and the library's temporary files are made, in a folder of
  // their own (the list's folder, so they take the list's disk); the system's temporary folder
  // when none is set or that one takes no new folder.
  void setScratchFolder(const QString& folder) { m_scratchFolder = folder; }

  // Writes the whole workbook, reads it back and hands its bytes to device; false when it could
  // not be made, was not whole when read back, or the device refused bytes (see errorString()).
  bool write(QIODevice& device, std::span<const FileEntry> rows);
  // Why the last write failed, for the person: the library's own words, what the read-back
  // found, or the system's.
  QString errorString() const { return m_error; }
  // The rows (indexes into the rows written) of which a cell was longer than Excel takes and
  // was cut to kCellLength characters, ending in "…", in the last write.
  const std::vector<qint64>& cutRows() const { return m_cutRows; }
  // The cells of the text columns (the hash column takes its digests here).
  ColumnCells& cells() { return m_cells; }

  // How many sheets the last write made: more than one when the rows did not fit on one.
  int sheetCount() const { return m_sheetCount; }
  // For tests: fewer rows per sheet than Excel's limit, so a split needs no million rows.
  void setSheetRows(qint64 rows) { m_sheetRows = rows; }
  void setSheetLinks(qint64 links) { m_sheetLinks = links; }

  // A sheet name Excel accepts: at most 31 characters, each of []:*?/\ (and control
  // characters) replaced by "_", no apostrophe at either end, never empty. An absolute folder
  // path (the listed folder) names its last folder; any other title is a name, never cut at a
  // slash it holds.
  static QString sheetName(const QString& title);
  // The number format that shows a date as pattern does; empty when Excel cannot express it
  // (era names, week numbers, a 12-hour clock, ...), and the dates are then written as text.
  static QString dateNumberFormat(const DateFormatter& formatter);
  // The number format that shows a size in the chosen unit, with the unit when it is added.
  static QString sizeNumberFormat(const ColumnOptions& options);

 private:
  struct Sheet;
  struct PreparedRows;

  // The cells of rows[first, end), `written` ticked rows standing before them.
  PreparedRows prepare(const ColumnCells& cells, std::span<const FileEntry> rows, qint64 first,
                       qint64 end, qint64 written, bool datesAsNumbers) const;

  ColumnCells m_cells;
  RowInsertion m_insertion;
  std::vector<QString> m_captions;
  ColumnOptions m_options;
  DateFormatter m_dateFormatter;
  PathStyle m_pathStyle;
  QLocale m_locale;
  QString m_title;
  QString m_scratchFolder;
  qint64 m_sheetRows = kSheetRows;
  qint64 m_sheetLinks = kSheetLinks;
  int m_sheetCount = 0;
  QString m_error;
  std::vector<qint64> m_cutRows;
};

}  // namespace vek
