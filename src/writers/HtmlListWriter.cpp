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

QString HtmlListWriter::dataRow(const FileEntry& row, const QString& colourText) const {
  QString line;
  appendDataRow(line, row, colourText);
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
        m_folderUrl = fileUrl(row.folder, m_pathStyle);
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
  qint64 written = 0;
  bool nextIsB = true;
  for (qint64 p = 0; p < qint64(rows.size()); ++p) {
    const FileEntry& row = rows[std::size_t(p)];
    if (!row.ticked) continue;
    const QString& colour = nextIsB ? colourB : colourA;
    nextIsB = !nextIsB;
    if (insertion.before(written, rows, p)) pending += header % kLineEnd;
    appendDataRow(pending, row, colour);
    pending += kLineEnd;
    ++written;
    if (!out.flushIfLarge()) return false;
  }

  pending += u"</TABLE>" % kLineEnd;
  pending += u"</CENTER></BODY></HTML>" % kLineEnd;
  return out.finish();
}

}  // namespace vek
