// The Text/CSV writer: the header line and one line per ticked row, every cell followed by the
// separator, blank lines at the insertion points, in the system's text encoding or the one the
// person chose.
#pragma once

#include <span>

#include <QIODevice>
#include <QLocale>
#include <QString>

#include "core/list/FileEntry.h"
#include "core/settings/Settings.h"
#include "core/text/ListEncoding.h"
#include "core/text/PathRules.h"
#include "core/text/TextCodec.h"
#include "writers/ColumnCells.h"
#include "writers/ListLineEncoder.h"
#include "writers/RowInsertion.h"
#include "writers/TotalLine.h"

namespace vek {

// What a person may choose beyond the columns: the text encoding (with or without the UTF-8
// byte-order mark) and the guard that keeps cells from being read as formulas.
struct TextListChoices {
  ListEncoding encoding = ListEncoding::System;
  bool formulaGuard = false;
};

class TextListWriter {
 public:
  // Columns, line end, TAB choice, captions and date pattern come from settings (the Csv
  // section and its neighbours); textType and separatorText are the dialog's current choices:
  // the CSV type always separates with ",", a text file with TAB when TabUse is set, else with
  // separatorText as it is (several characters, spaces or nothing at all).
  TextListWriter(const Settings& settings, bool textType, const QString& separatorText,
                 const TextCodec& codec = TextCodec::system(),
                 PathStyle pathStyle = nativePathStyle(), const QLocale& locale = QLocale());
  TextListWriter(const Settings& settings, bool textType, const QString& separatorText,
                 const TextListChoices& choices, PathStyle pathStyle = nativePathStyle(),
                 const QLocale& locale = QLocale());

  // Writes the whole list; false when the device refused bytes or the encoding is not
  // available (see errorString()).
  bool write(QIODevice& device, std::span<const FileEntry> rows);

  QString errorString() const { return m_error; }
  // Characters the encoding could not hold, written as "?".
  qint64 lostCharacters() const { return m_lost; }
  // The positions in the written span of the rows whose line holds such a "?", in order, and
  // whether the header line does.
  const std::vector<qint64>& replacedRows() const { return m_replacedRows; }
  bool headerReplaced() const { return m_headerReplaced; }
  // The positions of the rows holding characters the encoding writes as another one, in
  // order, and those characters with what a reader gets back (TextCodec::bestFits).
  const std::vector<qint64>& bestFitRows() const { return m_bestFitRows; }
  const std::map<char16_t, char16_t>& bestFits() const { return m_bestFits; }
  const TextCodec& codec() const { return m_codec; }
  // The cells the lines are made of (the hash column takes its digests here).
  ColumnCells& cells() { return m_cells; }

  // The separator the settings and choices above give.
  static QString separatorFor(const CsvSettings& csv, bool textType, const QString& separatorText);

 private:
  void appendField(QString& line, qsizetype start) const;
  // The lines of rows[first, end) with their marks; group: the rows of the folder in progress
  // written before first, for its subtotal line.
  QString makeLines(const ColumnCells& cells, std::span<const FileEntry> rows, qint64 first,
                    qint64 end, qint64 written, RunningTotal group,
                    std::vector<LineMark>& marks) const;
  void appendTotalLine(QString& text, const ColumnCells& cells, TotalKind kind,
                       const RunningTotal& total) const;

  ColumnCells m_cells;
  RowInsertion m_insertion;
  std::vector<QString> m_captions;
  bool m_quoteFields;
  bool m_formulaGuard = false;
  bool m_totals;
  bool m_subtotals;
  QByteArray m_byteOrderMark;
  QString m_separator;
  QString m_lineEnd;
  TextCodec m_codec;
  QString m_error;
  qint64 m_lost = 0;
  std::vector<qint64> m_replacedRows;
  bool m_headerReplaced = false;
  std::vector<qint64> m_bestFitRows;
  std::map<char16_t, char16_t> m_bestFits;
};

}  // namespace vek
