#include "writers/TextListWriter.h"

#include "core/OrderedWork.h"
#include "writers/EncodedOutput.h"

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
      m_separator(separatorFor(settings.csv, textType, separatorText)),
      m_lineEnd(lineEndFor(settings.csv.crLfType)),
      m_codec(codec) {}

QString TextListWriter::separatorFor(const CsvSettings& csv, bool textType,
                                     const QString& separatorText) {
  if (!textType) return QStringLiteral(",");
  if (csv.tabUse) return QStringLiteral("\t");
  return separatorText;
}

QString TextListWriter::lineEndFor(LineBreak crLfType) {
  switch (crLfType) {
    case LineBreak::Cr:
      return QStringLiteral("\r");
    case LineBreak::Lf:
      return QStringLiteral("\n");
    case LineBreak::CrLf:
      break;
  }
  return QStringLiteral("\r\n");
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

  // The lines are made a block of rows at a time, blocks side by side on the machine's cores,
  // and written in order. Each block knows how many ticked rows stand before it.
  const std::size_t blocks = (rows.size() + kBlockRows - 1) / kBlockRows;
  std::vector<qint64> writtenBefore(blocks);
  qint64 ticked = 0;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    if (index % kBlockRows == 0) writtenBefore[index / kBlockRows] = ticked;
    ticked += rows[index].ticked ? 1 : 0;
  }
  const auto lines = [&](std::size_t block) {
    const ColumnCells cells = m_cells;  // its own: the cells remember the last folder
    QString text;
    qint64 written = writtenBefore[block];
    const auto end = qint64(std::min(rows.size(), (block + 1) * kBlockRows));
    for (auto index = qint64(block * kBlockRows); index < end; ++index) {
      const FileEntry& row = rows[std::size_t(index)];
      if (!row.ticked) continue;
      if (m_insertion.before(written, rows, index)) text += m_lineEnd;
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
  };
  // Whole lines only, so a surrogate pair never straddles two chunks.
  const auto put = [&](QString&& text) {
    chunk += text;
    return out.flushIfLarge();
  };
  runInOrder(blocks, workerThreads(), lines, put, [] { return false; });
  if (!out.finish()) {
    m_error = out.errorString();
    return false;
  }
  m_lost = encoder->lostCharacters();
  return true;
}

}  // namespace vek
