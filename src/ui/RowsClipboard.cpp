#include "ui/RowsClipboard.h"

#include <QAbstractItemModel>
#include <QMimeData>

#include "writers/HtmlText.h"

namespace vek {

namespace {

// A value as one field of tab-separated text in the quoting spreadsheets read on a paste: a
// value holding a tab, a line end or a double quote goes in double quotes, its quotes doubled.
void appendTsvField(QString& out, const QString& value) {
  bool quote = false;
  for (const QChar c : value) {
    const char16_t u = c.unicode();
    if (u == u'\t' || u == u'\n' || u == u'\r' || u == u'"') {
      quote = true;
      break;
    }
  }
  if (!quote) {
    out += value;
    return;
  }
  out += u'"';
  for (const QChar c : value) {
    if (c == u'"') out += u'"';
    out += c;
  }
  out += u'"';
}

// A value as the text of a table cell: markup characters escaped; a line end as a break that a
// spreadsheet keeps inside the cell; runs of spaces kept, as HTML would fold them into one.
void appendHtmlText(QString& out, const QString& value) {
  const QStringView text(value);
  const qsizetype size = text.size();
  qsizetype plain = 0;  // where the text not yet written starts
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n' && c != u' ') continue;
    qsizetype end = i + 1;
    if (c == u' ') {
      while (end < size && text[end] == u' ') ++end;
      if (end - i == 1 && i > 0 && end < size) continue;  // one space between words stays
    } else if (c == u'\r' && end < size && text[end] == u'\n') {
      ++end;
    }
    appendHtmlEscaped(out, text.mid(plain, i - plain));
    if (c == u' ') {
      out += u"<span style=\"mso-spacerun:yes\">";
      out += QString(end - i, u' ');
      out += u"</span>";
    } else {
      out += u"<br style=\"mso-data-placement:same-cell\">";
    }
    plain = end;
    i = end - 1;
  }
  appendHtmlEscaped(out, text.mid(plain));
}

}  // namespace

CopiedRows copyRows(const QAbstractItemModel& model, const QList<CopiedColumn>& columns,
                    const std::vector<FileListModel::RowSpan>& rows) {
  CopiedRows copied;
  qsizetype rowCount = 0;
  for (const FileListModel::RowSpan& span : rows) rowCount += span.last - span.first + 1;
  copied.tsv.reserve((rowCount + 1) * columns.size() * 24);
  copied.html.reserve((rowCount + 1) * columns.size() * 40);
  // Values stay as they are in the cells ("white-space:pre"); a text column is text to a
  // spreadsheet ("mso-number-format"), not a number or a date it guesses.
  copied.html +=
      u"<html><head><meta charset=\"utf-8\"><style>td,th{white-space:pre}"
      u" .t{mso-number-format:\"\\@\"}</style></head><body><table>\n<tr>";
  for (qsizetype i = 0; i < columns.size(); ++i) {
    const QString caption = model.headerData(columns[i].column, Qt::Horizontal).toString();
    if (i > 0) copied.tsv += u'\t';
    appendTsvField(copied.tsv, caption);
    copied.html += u"<th>";
    appendHtmlText(copied.html, caption);
    copied.html += u"</th>";
  }
  copied.tsv += u'\n';
  copied.html += u"</tr>\n";
  for (const FileListModel::RowSpan& span : rows) {
    for (int row = span.first; row <= span.last; ++row) {
      copied.html += u"<tr>";
      for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString value = model.index(row, columns[i].column).data().toString();
        if (i > 0) copied.tsv += u'\t';
        appendTsvField(copied.tsv, value);
        copied.html += columns[i].numeric ? u"<td>" : u"<td class=\"t\">";
        appendHtmlText(copied.html, value);
        copied.html += u"</td>";
      }
      copied.tsv += u'\n';
      copied.html += u"</tr>\n";
    }
  }
  copied.html += u"</table></body></html>\n";
  return copied;
}

std::unique_ptr<QMimeData> rowsMimeData(const CopiedRows& rows) {
  auto mime = std::make_unique<QMimeData>();
  mime->setText(rows.tsv);
  mime->setHtml(rows.html);
  return mime;
}

}  // namespace vek
