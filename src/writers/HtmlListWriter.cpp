#include "writers/HtmlListWriter.h"

#include "writers/EncodedOutput.h"

#include "writers/HtmlText.h"
#include "writers/RowInsertion.h"

namespace vek {

namespace {

// Every line ends in CR followed by CR LF.
constexpr QStringView kLineEnd = u"\r\r\n";
constexpr qsizetype kFlushChars = 32 * 1024;

}  // namespace

HtmlListWriter::HtmlListWriter(const HtmlSettings& html, const ColumnCells& cells,
                               std::vector<QString> captions, QString title, PathStyle pathStyle)
    : m_html(html),
      m_cells(cells),
      m_captions(std::move(captions)),
      m_title(std::move(title)),
      m_pathStyle(pathStyle) {}

QString HtmlListWriter::headerRow() const {
  const QString colour = htmlColourText(m_html.headColor);
  QString line = QStringLiteral("<TR>");
  for (const QString& caption : m_captions) {
    line += u"<TD bgcolor = " % colour % u'>';
    appendHtmlEscaped(line, caption);
    line += u"</TD>";
  }
  line += u"</TR>";
  return line;
}

QString HtmlListWriter::totalRow(TotalKind kind, const RunningTotal& total) const {
  const QString colour = htmlColourText(m_html.headColor);
  const std::vector<QString> texts = totalLineCells(m_cells, kind, total);
  QString line = QStringLiteral("<TR>");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    line += u"<TD bgcolor = " % colour;
    if (m_cells.selected()[i] == ColumnId::FileSize) line += u" align=right";
    line += u'>';
    appendHtmlEscaped(line, texts[i]);
    line += u"</TD>";
  }
  line += u"</TR>";
  return line;
}

void HtmlListWriter::appendDataRow(QString& out, const FileEntry& row,
                                   const QString& colourText) const {
  out += u"<TR>";
  for (ColumnId column : m_cells.selected()) {
    out += u"<TD bgcolor = " % colourText;
    if (column == ColumnId::FileSize) out += u" align=right";
    out += u'>';
    m_scratch.resize(0);
    m_cells.appendText(column, row, m_scratch);
    if (column == ColumnId::FileName && m_html.fileLink) {
      if (m_folderUrl.isNull() || row.folder != m_urlFolder) {
        m_urlFolder = row.folder;
        // A replaced prefix links where the list will be read.
        const auto replaced = m_cells.prefix().linkUrl(row.folder);
        m_folderUrl = replaced ? *replaced : fileUrl(row.folder, m_pathStyle);
      }
      out += u"<A HREF='" % m_folderUrl;
      appendUrlEncoded(out, row.name);
      appendUrlEncoded(out, row.extension);
      out += u"'>";
      appendHtmlEscaped(out, m_scratch);
      out += u"</A>";
    } else {
      appendHtmlEscaped(out, m_scratch);
    }
    out += u"</TD>";
  }
  out += u"</TR>";
}

bool HtmlListWriter::write(QIODevice& device, TextEncoder& encoder, const FileList& list) {
  EncodedOutput out(device, encoder, kFlushChars);
  QString& pending = out.text();

  const QString header = headerRow();
  pending += u"<HTML><BODY BGCOLOR='" % htmlColourText(m_html.backColor) % u"'><CENTER>" % kLineEnd;
  pending += u"<FONT COLOR='" % htmlColourText(m_html.stringColor) % u"'>" % kLineEnd;
  pending += u"<TITLE>";
  appendHtmlEscaped(pending, m_title);
  pending += u"</TITLE>" % kLineEnd % u"<H1>";
  appendHtmlEscaped(pending, m_title);
  pending += u"</H1><BR>" % kLineEnd;
  pending += u"<TABLE BORDER=1>" % kLineEnd;
  pending += header % kLineEnd;

  const QString colourA = htmlColourText(m_html.tableColorA);
  const QString colourB = htmlColourText(m_html.tableColorB);
  const RowInsertion insertion(m_html.columns, false);
  const std::span<const FileEntry> rows(list.rows());
  const bool subtotals = m_html.columns.writesSubtotals();
  RunningTotal total, group;
  qint64 written = 0;
  bool nextIsB = true;
  for (qint64 p = 0; p < qint64(rows.size()); ++p) {
    const FileEntry& row = rows[std::size_t(p)];
    if (!row.ticked) continue;
    const QString& colour = nextIsB ? colourB : colourA;
    nextIsB = !nextIsB;
    if (insertion.before(written, rows, p)) {
      // The folder above ends: its subtotal goes before the repeated header.
      if (subtotals && group.files > 0) pending += totalRow(TotalKind::Subtotal, group) % kLineEnd;
      group = {};
      pending += header % kLineEnd;
    }
    appendDataRow(pending, row, colour);
    pending += kLineEnd;
    ++written;
    total.add(row);
    group.add(row);
    if (!out.flushIfLarge()) return false;
  }
  if (subtotals && group.files > 0) pending += totalRow(TotalKind::Subtotal, group) % kLineEnd;
  if (m_html.columns.totals)
    pending += u"<TFOOT>" % totalRow(TotalKind::Total, total) % u"</TFOOT>" % kLineEnd;

  pending += u"</TABLE>" % kLineEnd;
  pending += u"</CENTER></BODY></HTML>" % kLineEnd;
  return out.finish();
}

}  // namespace vek
