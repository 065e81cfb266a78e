#include "writers/TextListWriter.h"

#include "writers/EncodedOutput.h"

namespace vek {

namespace {

// Lines are gathered into chunks of about this many characters before they are encoded and
// written: few device writes, bounded memory.
constexpr qsizetype kChunkCharacters = 64 * 1024;

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
      m_separator(separatorFor(settings.csv, textType, separatorText)),
      m_lineEnd(lineEndFor(settings.csv.crLfType)),
      m_codec(codec) {}

QString TextListWriter::separatorFor(const CsvSettings& csv, bool textType,
                                     const QString& separatorText) {
  if (!textType) return QStringLiteral(",");
  if (csv.tabUse != 0) return QStringLiteral("\t");
  return separatorText;
}

QString TextListWriter::lineEndFor(int crLfType) {
  switch (crLfType) {
    case 1: return QStringLiteral("\r");
    case 2: return QStringLiteral("\n");
    default: return QStringLiteral("\r\n");
  }
}

// A CSV field holding the separator, a quote or a line break would split or shift the
// columns of every reader: enclose it in quotes and double its quotes. Other fields stay bare.
void TextListWriter::appendField(QString& line, qsizetype start) const {
  if (!m_quoteFields || !needsQuotes(QStringView(line).mid(start))) return;
  QString field = line.mid(start);
  field.replace(u'"', QLatin1String("\"\""));
  line.truncate(start);
  line += u'"';
  line += field;
  line += u'"';
}

bool TextListWriter::write(QIODevice& device, std::span<const FileEntry> rows) {
  m_error.clear();
  m_lost = 0;
  const auto encoder = m_codec.makeEncoder(Unmappable::Replace);
  if (!encoder) {
    m_error = QStringLiteral("The text encoding %1 is not available")
                  .arg(QString::fromLatin1(m_codec.name()));
    return false;
  }

  EncodedOutput out(device, *encoder, kChunkCharacters);
  QString& chunk = out.text();

  for (const QString& caption : m_captions) {
    const qsizetype start = chunk.size();
    chunk += caption;
    appendField(chunk, start);
    chunk += m_separator;
  }
  chunk += m_lineEnd;

  const auto& columns = m_cells.selected();
  qint64 written = 0;
  for (qint64 index = 0; index < qint64(rows.size()); ++index) {
    const FileEntry& row = rows[std::size_t(index)];
    if (!row.ticked) continue;
    if (m_insertion.before(written, rows, index)) chunk += m_lineEnd;
    for (ColumnId column : columns) {
      const qsizetype start = chunk.size();
      m_cells.appendText(column, row, chunk);
      appendField(chunk, start);
      chunk += m_separator;
    }
    chunk += m_lineEnd;
    ++written;
    // Whole lines only, so a surrogate pair never straddles two chunks.
    if (!out.flushIfLarge()) break;
  }
  if (!out.finish()) {
    m_error = out.errorString();
    return false;
  }
  m_lost = encoder->lostCharacters();
  return true;
}

}  // namespace vek
