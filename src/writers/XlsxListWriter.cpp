#include "writers/XlsxListWriter.h"

#include <optional>

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/platform/OrderedWork.h"
#include "core/platform/OutputFile.h"
#include "core/text/SizeText.h"
#include "writers/TotalLine.h"
#include "writers/WorkbookReadBack.h"
#include "writers/XlsxCellText.h"
#include "writers/XlsxPreparedRows.h"

namespace vek {

namespace {

// Rows whose cells are made together, off the thread that drives the library.
constexpr std::size_t kBlockRows = 4096;

QString lxwError(lxw_error error) {
  return QString::fromUtf8(lxw_strerror(error));
}

}  // namespace

using namespace xlsx;

XlsxListWriter::XlsxListWriter(const Settings& settings, const QString& title, PathStyle pathStyle,
                               const QLocale& locale)
    : m_cells(settings.csv.columns, SizeStyle::Plain, ColumnCells::dateFormatter(settings, locale),
              pathStyle, locale),
      m_insertion(settings.csv.columns, /*countFirstRow=*/true),
      m_captions(m_cells.captions(settings)),
      m_options(settings.csv.columns),
      m_dateFormatter(ColumnCells::dateFormatter(settings, locale)),
      m_pathStyle(pathStyle),
      m_locale(locale),
      m_title(title) {}

struct XlsxListWriter::Sheet {
  lxw_worksheet* worksheet = nullptr;
  lxw_row_t row = 0;        // the next row to write
  lxw_row_t filterEnd = 1;  // the row after the last one the auto-filter takes
  bool filtered = false;
  qint64 links = 0;
};

bool XlsxListWriter::write(QIODevice& device, std::span<const FileEntry> rows) {
  m_error.clear();
  m_sheetCount = 0;
  m_cutRows.clear();
  // The library writes the whole sheet's XML into its temporary files, twice: they go beside
  // the list, on its disk, rather than into a temporary folder that may be small.
  std::optional<QTemporaryDir> folder;
  if (!m_scratchFolder.isEmpty())
    folder.emplace(QDir(m_scratchFolder).filePath(QStringLiteral(".vek-XXXXXX")));
  if (!folder || !folder->isValid()) folder.emplace();
  if (!folder->isValid()) {
    m_error = folder->errorString();
    return false;
  }
  // An interrupt during the write leaves nothing of it behind (the library's temporary files
  // have no names).
  const OutputFile::ScratchFolder scratch(folder->path(), {QStringLiteral("list.xlsx")});
  const QString workbookName = folder->filePath(QStringLiteral("list.xlsx"));
  const QByteArray workbookPath = QFile::encodeName(workbookName);
  const QByteArray temporaryFolder = QFile::encodeName(folder->path());
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = const_cast<char*>(temporaryFolder.constData());
  options.use_zip64 = LXW_TRUE;  // a list of millions of rows may pass 4 GB uncompressed
  lxw_workbook* workbook = workbook_new_opt(workbookPath.constData(), &options);
  if (!workbook) {
    m_error = lxwError(LXW_ERROR_MEMORY_MALLOC_FAILED);
    return false;
  }
  lxw_error error = LXW_NO_ERROR;
  const auto check = [&](lxw_error result) {
    if (result != LXW_NO_ERROR && error == LXW_NO_ERROR) error = result;
    return error == LXW_NO_ERROR;
  };

  lxw_format* headerFormat = workbook_add_format(workbook);
  format_set_bold(headerFormat);
  lxw_format* sizeFormat = workbook_add_format(workbook);
  format_set_num_format(sizeFormat, sizeNumberFormat(m_options).toUtf8().constData());
  const QString dateFormatText = dateNumberFormat(m_dateFormatter);
  lxw_format* dateFormat = nullptr;
  if (!dateFormatText.isEmpty()) {
    dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, dateFormatText.toUtf8().constData());
  }

  const std::vector<ColumnId>& columns = m_cells.selected();
  const auto lastColumn = lxw_col_t(columns.size() - 1);
  const QString baseName = sheetName(m_title);
  Sheet sheet;
  std::vector<QString> sheetNames;
  // What each sheet holds, for the read-back: the rows the library writes (those with a cell).
  std::vector<WrittenSheet> written;

  // In constant-memory mode the filter must be set while its last row is the row in progress.
  const auto applyFilter = [&] {
    if (!sheet.worksheet || sheet.filtered) return;
    sheet.filtered = true;
    if (sheet.filterEnd > 1)
      check(worksheet_autofilter(sheet.worksheet, 0, 0, sheet.filterEnd - 1, lastColumn));
  };
  const auto endSheet = [&] { applyFilter(); };
  const auto startSheet = [&] {
    endSheet();
    ++m_sheetCount;
    QString name = baseName;
    if (m_sheetCount > 1) {
      const QString suffix = QStringLiteral(" (%1)").arg(m_sheetCount);
      name = sheetName(baseName.left(kSheetNameLength - suffix.size()) + suffix);
    }
    sheet = Sheet{};
    sheetNames.push_back(name);
    written.push_back({name, 1});  // the header
    sheet.worksheet = workbook_add_worksheet(workbook, name.toUtf8().constData());
    if (!sheet.worksheet) return check(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
    worksheet_freeze_panes(sheet.worksheet, 1, 0);
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const ColumnId column = columns[c];
      const double width = column == ColumnId::FullPath || column == ColumnId::Directory ? 50
                           : column == ColumnId::FileName                                ? 30
                           : column == ColumnId::FileSize                                ? 14
                                                                                         : 20;
      check(worksheet_set_column(sheet.worksheet, lxw_col_t(c), lxw_col_t(c), width, nullptr));
      bool captionCut = false;  // a caption of the person's own, cut as any cell
      check(worksheet_write_string(sheet.worksheet, 0, lxw_col_t(c),
                                   fittedCellBytes(m_captions[c], captionCut).constData(),
                                   headerFormat));
    }
    sheet.row = 1;
    return error == LXW_NO_ERROR;
  };
  // A row of the sheet, blank or not: a full sheet goes on to the next one.
  const auto nextRow = [&]() -> bool {
    if (qint64(sheet.row) > m_sheetRows && !startSheet()) return false;
    return true;
  };

  // Totals: rows on the sheets they cover, summed by SUBTOTAL, which leaves out the subtotal
  // cells within its ranges (and, like Excel's own subtotals, rows an auto-filter hides).
  struct Span {
    int sheet;
    lxw_row_t first, last;
  };
  struct Total {
    std::vector<Span> spans;
    qint64 files = 0, steps = 0;
  };
  Total total, group;
  const SizeUnit unit = m_options.optSizeType;
  const bool totals = m_options.totals;
  const bool subtotals = m_options.writesSubtotals();
  const TotalLineShape shape = totalLineShape(columns);
  lxw_format* countFormat = nullptr;
  lxw_format* totalSizeFormat = nullptr;
  if (totals || subtotals) {
    countFormat = workbook_add_format(workbook);
    format_set_bold(countFormat);
    // The count reads as in the text list ("12 件") and stays a number.
    const QString pattern = totalCountPattern();
    const qsizetype at = pattern.indexOf(u"%1");
    const QString format =
        at < 0 ? QStringLiteral("0")
               : formatLiteral(pattern.left(at)) + u'0' + formatLiteral(pattern.mid(at + 2));
    format_set_num_format(countFormat, format.toUtf8().constData());
    totalSizeFormat = workbook_add_format(workbook);
    format_set_bold(totalSizeFormat);
    format_set_num_format(totalSizeFormat, sizeNumberFormat(m_options).toUtf8().constData());
  }
  // The row about to be written on the sheet, whose cells are rowCells, joins t.
  const auto count = [&](Total& t, const PreparedRows::Cell* rowCells) {
    ++t.files;
    if (shape.size >= 0) t.steps += sizeSteps(rowCells[shape.size].number, unit);
    const int index = m_sheetCount - 1;
    if (!t.spans.empty() && t.spans.back().sheet == index)
      t.spans.back().last = sheet.row;
    else
      t.spans.push_back({index, sheet.row, sheet.row});
  };
  // SUBTOTAL takes at most 254 ranges: longer lists of sheets are added up in parts.
  const auto formula = [&](int function, const std::vector<Span>& spans) {
    const QString letters = columnLetters(lxw_col_t(shape.size));
    QStringList parts, refs;
    for (const Span& span : spans) {
      refs += quotedSheet(sheetNames[std::size_t(span.sheet)]) + u'!' + letters +
              QString::number(span.first + 1) + u':' + letters + QString::number(span.last + 1);
      if (refs.size() == 250) {
        parts += QStringLiteral("SUBTOTAL(%1,%2)").arg(function).arg(refs.join(u','));
        refs.clear();
      }
    }
    if (!refs.isEmpty() || parts.isEmpty())
      parts += QStringLiteral("SUBTOTAL(%1,%2)").arg(function).arg(refs.join(u','));
    return (u'=' + parts.join(u'+')).toUtf8();
  };
  const auto totalRow = [&](TotalKind kind, const Total& t) {
    if (!nextRow()) return false;
    // The totals row stays out of the filter's range, so sorting leaves it at the end.
    if (kind == TotalKind::Total) applyFilter();
    lxw_worksheet* ws = sheet.worksheet;
    const double sizeValue = unit == SizeUnit::Megabytes ? double(t.steps) / 10 : double(t.steps);
    if (shape.caption >= 0 || shape.count >= 0 || shape.size >= 0) ++written.back().rows;
    if (shape.caption >= 0) {
      QString caption = totalCaption(kind);
      if (shape.count == shape.caption) caption += u' ' + totalCountText(t.files);
      check(worksheet_write_string(ws, sheet.row, lxw_col_t(shape.caption),
                                   cellBytes(caption).constData(), headerFormat));
    }
    if (shape.count >= 0 && shape.count != shape.caption) {
      const auto col = lxw_col_t(shape.count);
      if (shape.size >= 0 && !t.spans.empty())
        check(worksheet_write_formula_num(ws, sheet.row, col, formula(2, t.spans).constData(),
                                          countFormat, double(t.files)));
      else
        check(worksheet_write_number(ws, sheet.row, col, double(t.files), countFormat));
    }
    if (shape.size >= 0) {
      const auto col = lxw_col_t(shape.size);
      if (!t.spans.empty())
        check(worksheet_write_formula_num(ws, sheet.row, col, formula(9, t.spans).constData(),
                                          totalSizeFormat, sizeValue));
      else
        check(worksheet_write_number(ws, sheet.row, col, 0, totalSizeFormat));
    }
    ++sheet.row;
    return error == LXW_NO_ERROR;
  };

  // The library writes on this thread, one cell after the other, while the cells of the next
  // blocks are made on the others (the library takes most of the time). Each block knows how
  // many ticked rows stand before it, for the blank rows.
  const std::size_t blocks = (rows.size() + kBlockRows - 1) / kBlockRows;
  std::vector<qint64> writtenBefore(blocks);
  qint64 ticked = 0;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    if (index % kBlockRows == 0) writtenBefore[index / kBlockRows] = ticked;
    ticked += rows[index].ticked ? 1 : 0;
  }
  const auto prepareBlock = [&](std::size_t block) {
    const ColumnCells cells = m_cells;  // its own: the cells remember the last folder
    const auto first = qint64(block * kBlockRows);
    const auto end = qint64(std::min(rows.size(), (block + 1) * kBlockRows));
    return prepare(cells, rows, first, end, writtenBefore[block], dateFormat != nullptr);
  };
  const auto writeBlock = [&](PreparedRows&& block) {
    using Kind = PreparedRows::Kind;
    const PreparedRows::Cell* cell = block.cells.data();
    for (const bool blankBefore : block.blankBefore) {
      if (blankBefore) {
        // The folder above ends: its subtotal goes before the blank row.
        if (subtotals && group.files > 0) {
          if (!totalRow(TotalKind::Subtotal, group)) return false;
          sheet.filterEnd = sheet.row;
        }
        group = {};
        if (!nextRow()) return false;
        ++sheet.row;  // a blank row, as the CSV's blank line
      }
      if (!nextRow()) return false;
      if (totals) count(total, cell);
      if (subtotals) count(group, cell);
      lxw_worksheet* ws = sheet.worksheet;
      bool anyCell = false;
      for (std::size_t c = 0; c < columns.size(); ++c, ++cell) {
        const auto col = lxw_col_t(c);
        anyCell = anyCell || cell->kind != Kind::Empty;
        switch (cell->kind) {
          case Kind::Empty:
            break;
          case Kind::Size:
            check(worksheet_write_number(ws, sheet.row, col, cell->number, sizeFormat));
            break;
          case Kind::Date:
            check(worksheet_write_number(ws, sheet.row, col, cell->number, dateFormat));
            break;
          case Kind::Link:
            if (sheet.links < m_sheetLinks) {
              ++sheet.links;
              check(worksheet_write_url_opt(ws, sheet.row, col, block.at(cell->address), nullptr,
                                            block.at(cell->text), nullptr));
              break;
            }
            [[fallthrough]];
          case Kind::Text:
            check(worksheet_write_string(ws, sheet.row, col, block.at(cell->text), nullptr));
            break;
        }
      }
      if (anyCell) ++written.back().rows;
      ++sheet.row;
      sheet.filterEnd = sheet.row;
      if (error != LXW_NO_ERROR) return false;
    }
    m_cutRows.insert(m_cutRows.end(), block.cutRows.begin(), block.cutRows.end());
    return true;
  };

  if (startSheet())
    runInOrder(blocks, workerThreads(), prepareBlock, writeBlock, [] { return false; });
  if (subtotals && group.files > 0 && error == LXW_NO_ERROR && totalRow(TotalKind::Subtotal, group))
    sheet.filterEnd = sheet.row;
  if (totals && error == LXW_NO_ERROR) totalRow(TotalKind::Total, total);
  endSheet();
  const lxw_error closed = workbook_close(workbook);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR) {
    m_error = lxwError(error);
    return false;
  }
  // The library looks at none of its writes into its temporary files: only reading the
  // workbook back shows a sheet cut off there.
  m_error = readBackWorkbook(workbookName, written);
  if (!m_error.isEmpty()) return false;

  QFile file(workbookName);
  if (!file.open(QIODevice::ReadOnly)) {
    m_error = file.errorString();
    return false;
  }
  QByteArray buffer(1 << 20, Qt::Uninitialized);
  for (;;) {
    const qint64 n = file.read(buffer.data(), buffer.size());
    if (n < 0) {
      m_error = file.errorString();
      return false;
    }
    if (n == 0) return true;
    // A device may take part of the bytes and refuse the rest only at the next write, which
    // then says why.
    for (qint64 done = 0; done < n;) {
      const qint64 taken = device.write(buffer.constData() + done, n - done);
      if (taken <= 0) {
        m_error = device.errorString();
        if (m_error.isEmpty()) m_error = QStringLiteral("The device took no more data");
        return false;
      }
      done += taken;
    }
  }
}

}  // namespace vek
