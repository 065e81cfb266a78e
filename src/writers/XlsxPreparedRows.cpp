#include "writers/XlsxPreparedRows.h"

#include <xlsxwriter.h>

#include "core/platform/FileNameBytes.h"
#include "core/text/SizeText.h"
#include "writers/XlsxCellText.h"

namespace vek {

using namespace xlsx;

XlsxListWriter::PreparedRows XlsxListWriter::prepare(const ColumnCells& cells,
                                                     std::span<const FileEntry> rows, qint64 first,
                                                     qint64 end, qint64 written,
                                                     bool datesAsNumbers) const {
  using Kind = PreparedRows::Kind;
  PreparedRows out;
  const std::vector<ColumnId>& columns = cells.selected();
  const SizeUnit unit = m_options.optSizeType;
  QString text;
  for (qint64 index = first; index < end; ++index) {
    const FileEntry& row = rows[std::size_t(index)];
    if (!row.ticked) continue;
    out.blankBefore.push_back(m_insertion.before(written, rows, index));
    bool cut = false;
    // An empty text is no cell, as the library writes none for it.
    const auto setText = [&](PreparedRows::Cell& cell, QStringView value) {
      if (value.isEmpty()) return;
      cell.kind = Kind::Text;
      cell.text = out.add(fittedCellBytes(value, cut));
    };
    for (const ColumnId column : columns) {
      PreparedRows::Cell cell;
      switch (column) {
        case ColumnId::FileSize:
          cell.kind = Kind::Size;
          cell.number = sizeValue(row.size, unit);
          break;
        case ColumnId::CreateDate:
        case ColumnId::AccessDate:
        case ColumnId::ModifiDate: {
          const DateStamp& stamp = column == ColumnId::CreateDate   ? row.created
                                   : column == ColumnId::AccessDate ? row.accessed
                                                                    : row.modified;
          if (stamp.isNull()) break;
          if (datesAsNumbers && stamp.year() >= 1900) {
            lxw_datetime value{stamp.year(), stamp.month(),  stamp.day(),
                               stamp.hour(), stamp.minute(), double(stamp.second())};
            cell.kind = Kind::Date;
            cell.number = lxw_datetime_to_excel_datetime(&value);
          } else {
            setText(cell, m_dateFormatter.format(stamp));
          }
          break;
        }
        case ColumnId::FullPath:
          text.resize(0);
          cells.appendText(column, row, text);
          setText(cell, text);
          if (m_options.chkPathType && cell.kind == Kind::Text) {
            const auto replaced = cells.prefix().linkUrl(row.fullPath());
            const QByteArray address =
                replaced ? replaced->toUtf8()
                         : "file://" + encodeFileName(row.fullPath()).toPercentEncoding("/");
            if (address.size() <= kLongestLink) {
              cell.kind = Kind::Link;
              cell.address = out.add(address);
            }
          }
          break;
        default:
          text.resize(0);
          cells.appendText(column, row, text);
          setText(cell, text);
          break;
      }
      out.cells.push_back(cell);
    }
    if (cut) out.cutRows.push_back(index);
    ++written;
  }
  return out;
}

}  // namespace vek
