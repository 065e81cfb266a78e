// The HTML writer: one page with a centred title and a bordered table of the ticked rows,
// header row repeated at the insertion points, data rows in alternating colours.
//
// The page keeps the classic layout line for line (nine kinds of line, each ended by CR and
// CR LF), but everything taken from the list, the captions or the title is escaped, and file
// links are real file URLs, so hostile names show as text and every link opens its file.
#pragma once

#include <vector>

#include <QIODevice>
#include <QString>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"
#include "core/text/TextCodec.h"
#include "writers/ColumnCells.h"
#include "writers/TotalLine.h"

namespace vek {

class HtmlListWriter {
 public:
  // html gives the colours, the link choice and the insertion options; cells the column texts
  // (grouped size style); captions one per selected column, in order.
  HtmlListWriter(const HtmlSettings& html, const ColumnCells& cells, std::vector<QString> captions,
                 QString title, PathStyle pathStyle = nativePathStyle());

  // Writes the whole page for the ticked rows of list through encoder (which should write
  // unmappable characters as references). False when the device failed.
  bool write(QIODevice& device, TextEncoder& encoder, const FileList& list);

  // The header row line, without its line end.
  QString headerRow() const;
  // A totals or subtotal row in the header's colour, without its line end.
  QString totalRow(TotalKind kind, const RunningTotal& total) const;

 private:
  void appendDataRow(QString& out, const FileEntry& row, const QString& colourText) const;

  const HtmlSettings& m_html;
  const ColumnCells& m_cells;
  std::vector<QString> m_captions;
  QString m_title;
  PathStyle m_pathStyle;
  mutable QString m_scratch;
  // The URL of the last folder linked: rows of one folder follow each other.
  mutable QString m_urlFolder;
  mutable QString m_folderUrl;
};

}  // namespace vek
