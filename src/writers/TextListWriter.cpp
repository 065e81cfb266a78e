#include "writers/TextListWriter.h"

#include "core/platform/OrderedWork.h"
#include "writers/EncodedOutput.h"
#include "writers/FormulaGuard.h"

namespace vek {

namespace {

// Lines are gathered into chunks of about this many characters before they are encoded and
// written: few device writes, bounded memory.
constexpr qsizetype kChunkCharacters = 64 * 1024;
// Rows whose lines are made together, on one thread.
constexpr std::size_t kBlockRows = 4096;

bool needsQuotes(QStringView field) {
  for (QChar c : field) {
    if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') return true;
  }
  return false;
}

}  // namespace

TextListWriter::TextListWriter(const Settings& settings, bool textType,
                               const QString& separatorText, const TextCodec& codec,
                               PathStyle pathStyle, const QLocale& locale)
    : m_cells(settings.csv.columns, SizeStyle::Plain, ColumnCells::dateFormatter(settings, locale),
              pathStyle, locale),
      m_insertion(settings.csv.columns, /*countFirstRow=*/true),
      m_captions(m_cells.captions(settings)),
      m_quoteFields(!textType),
      m_totals(settings.csv.columns.totals),
      m_subtotals(settings.csv.columns.writesSubtotals()),
      m_separator(separatorFor(settings.csv, textType, separatorText)),
      m_lineEnd(lineBreakText(settings.csv.crLfType)),
      m_codec(codec) {}

TextListWriter::TextListWriter(const Settings& settings, bool textType,
                               const QString& separatorText, const TextListChoices& choices,
                               PathStyle pathStyle, const QLocale& locale)
    : TextListWriter(settings, textType, separatorText, listCodec(choices.encoding), pathStyle,
                     locale) {
  m_formulaGuard = choices.formulaGuard;
  m_byteOrderMark = listByteOrderMark(choices.encoding);
}

QString TextListWriter::separatorFor(const CsvSettings& csv, bool textType,
                                     const QString& separatorText) {
  if (!textType) return QStringLiteral(",");
  if (csv.tabUse) return QStringLiteral("\t");
  return separatorText;
}

// A CSV field holding the separator, a quote or a line break would split or shift the
// columns of every reader: enclose it in quotes and double its quotes. Other fields stay bare.
void TextListWriter::appendField(QString& line, qsizetype start) const {
  if (m_formulaGuard) guardFormula(line, start);
  if (!m_quoteFields || !needsQuotes(QStringView(line).mid(start))) return;
  QString field = line.mid(start);
  field.replace(u'"', QLatin1String("\"\""));
  line.truncate(start);
  line += u'"';
  line += field;
  line += u'"';
}

void TextListWriter::appendTotalLine(QString& text, const ColumnCells& cells, TotalKind kind,
                                     const RunningTotal& total) const {
  for (const QString& cell : totalLineCells(cells, kind, total)) {
    const qsizetype start = text.size();
    text += cell;
    appendField(text, start);
    text += m_separator;
  }
  text += m_lineEnd;
}

QString TextListWriter::makeLines(const ColumnCells& cells, std::span<const FileEntry> rows,
                                  qint64 first, qint64 end, qint64 written, RunningTotal group,
                                  std::vector<LineMark>& marks) const {
  QString text;
  for (qint64 index = first; index < end; ++index) {
    const FileEntry& row = rows[std::size_t(index)];
    if (!row.ticked) continue;
    if (m_insertion.before(written, rows, index)) {
      // The folder before this row ends: its subtotal goes above the blank line.
      if (m_subtotals && group.files > 0) {
        appendTotalLine(text, cells, TotalKind::Subtotal, group);
        group = {};
      }
      marks.push_back({text.size(), index});
      text += m_lineEnd;
    } else {
      marks.push_back({text.size(), index});
    }
    if (m_subtotals) group.add(row);
    for (ColumnId column : cells.selected()) {
      const qsizetype start = text.size();
      cells.appendText(column, row, text);
      appendField(text, start);
      text += m_separator;
    }
    text += m_lineEnd;
    ++written;
  }
  return text;
}

bool TextListWriter::write(QIODevice& device, std::span<const FileEntry> rows) {
  m_error.clear();
  m_lost = 0;
  m_replacedRows.clear();
  m_headerReplaced = false;
  m_bestFitRows.clear();
  m_bestFits.clear();
  const auto encoder = m_codec.makeEncoder(Unmappable::Replace);
  if (!encoder) {
    m_error = QStringLiteral("The text encoding %1 is not available")
                  .arg(QString::fromLatin1(m_codec.name()));
    return false;
  }

  // The lines go out as bytes: each block of rows is encoded where it was made, and the
  // encoder only gets the mark and the end.
  EncodedOutput out(device, *encoder, kChunkCharacters);
  QString header;
  for (const QString& caption : m_captions) {
    const qsizetype start = header.size();
    header += caption;
    appendField(header, start);
    header += m_separator;
  }
  header += m_lineEnd;
  const LineMark headerMark{0, -1};
  EncodedLines headerBytes = encodeLines(m_codec, header, std::span(&headerMark, 1));
  m_headerReplaced = headerBytes.headerReplaced;
  m_lost += headerBytes.lostCharacters;
  out.writeBytes(m_byteOrderMark + headerBytes.bytes);

  // The lines are made and encoded a block of rows at a time, blocks side by side on the
  // machine's cores, and written in order. Each block knows how many ticked rows stand before
  // it.
  const std::size_t blocks = (rows.size() + kBlockRows - 1) / kBlockRows;
  // With subtotals, each block also knows the written rows of the folder it starts in.
  std::vector<qint64> writtenBefore(blocks);
  std::vector<RunningTotal> groupBefore(m_subtotals ? blocks : 0);
  qint64 ticked = 0;
  RunningTotal total, group;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    if (index % kBlockRows == 0) {
      writtenBefore[index / kBlockRows] = ticked;
      if (m_subtotals) groupBefore[index / kBlockRows] = group;
    }
    const FileEntry& row = rows[index];
    if (!row.ticked) continue;
    if (m_subtotals && m_insertion.before(ticked, rows, qint64(index))) group = {};
    ++ticked;
    if (m_totals) total.add(row);
    if (m_subtotals) group.add(row);
  }
  const auto lines = [&](std::size_t block) {
    const ColumnCells cells = m_cells;  // its own: the cells remember the last folder
    std::vector<LineMark> marks;
    const auto first = qint64(block * kBlockRows);
    const auto end = qint64(std::min(rows.size(), (block + 1) * kBlockRows));
    const QString text = makeLines(cells, rows, first, end, writtenBefore[block],
                                   m_subtotals ? groupBefore[block] : RunningTotal{}, marks);
    return encodeLines(m_codec, text, marks);
  };
  QByteArray pending;
  const auto put = [&](EncodedLines&& encoded) {
    m_lost += encoded.lostCharacters;
    m_replacedRows.insert(m_replacedRows.end(), encoded.replacedRows.begin(),
                          encoded.replacedRows.end());
    m_bestFitRows.insert(m_bestFitRows.end(), encoded.bestFitRows.begin(),
                         encoded.bestFitRows.end());
    m_bestFits.insert(encoded.bestFits.begin(), encoded.bestFits.end());
    pending += encoded.bytes;
    if (pending.size() < 4 * kChunkCharacters) return !out.failed();
    const bool ok = out.writeBytes(pending);
    pending.resize(0);
    return ok;
  };
  runInOrder(blocks, workerThreads(), lines, put, [] { return false; });
  if ((m_subtotals && group.files > 0) || m_totals) {
    QString text;
    if (m_subtotals && group.files > 0) appendTotalLine(text, m_cells, TotalKind::Subtotal, group);
    if (m_totals) appendTotalLine(text, m_cells, TotalKind::Total, total);
    const LineMark mark{0, -1};
    put(encodeLines(m_codec, text, std::span(&mark, 1)));
  }
  if (!out.writeBytes(pending) || !out.finish()) {
    m_error = out.errorString();
    return false;
  }
  return true;
}

}  // namespace vek
