#include "writers/XlsxListWriter.h"

#include <cmath>
#include <optional>

#include <xlsxwriter.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "core/platform/FileNameBytes.h"
#include "core/platform/OrderedWork.h"
#include "core/platform/OutputFile.h"
#include "core/text/SizeText.h"
#include "writers/TotalLine.h"
#include "writers/WorkbookReadBack.h"

namespace vek {

namespace {

// Rows whose cells are made together, off the thread that drives the library.
constexpr std::size_t kBlockRows = 4096;
// Excel's longest hyperlink address.
constexpr qsizetype kLongestLink = 2079;
// Excel's longest sheet name, in its (UTF-16) characters.
constexpr qsizetype kSheetNameLength = 31;

bool isHex(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Excel reads "_xHHHH_" in a string as the character HHHH (the library writes control
// characters so); a name that holds such text itself gets its "_" written as "_x005F_".
QString escapeUnderscoreCodes(QStringView text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && isHex(text[i + 2]) &&
        isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]) && text[i + 6] == u'_') {
      out += u"_x005F_";
      continue;
    }
    out += text[i];
  }
  return out;
}

// UTF-8 for the workbook's XML. Half a surrogate pair (a byte of a name that is not UTF-8)
// becomes "?", as in a UTF-8 CSV of the same list.
QByteArray cellBytes(QStringView text);

QByteArray cellBytesOf(QStringView text) {
  bool lone = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (!c.isSurrogate()) continue;
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    lone = true;
    break;
  }
  if (!lone) return text.toUtf8();
  QString fixed;
  fixed.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      fixed += c;
      fixed += text[++i];
    } else {
      fixed += c.isSurrogate() ? QChar(u'?') : c;
    }
  }
  return fixed.toUtf8();
}

QByteArray cellBytes(QStringView text) {
  if (!text.contains(u"_x")) return cellBytesOf(text);
  return cellBytesOf(escapeUnderscoreCodes(text));
}

// Characters as libxlsxwriter counts them (a surrogate pair is one).
qsizetype codePoints(QStringView text) {
  qsizetype pairs = 0;
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
      ++pairs;
      ++i;
    }
  }
  return text.size() - pairs;
}

// The bytes of a text cell, cut when Excel would refuse the text: its end replaced by "…" so
// that the cell is Excel's longest (in UTF-16 characters, as Excel counts). The library counts
// the characters it is given, in which the "_x005F_" escapes count too, so a text full of them
// is cut shorter. cut tells whether it was.
QByteArray fittedCellBytes(QStringView text, bool& cut) {
  constexpr qsizetype longest = XlsxListWriter::kCellLength;
  if (text.size() <= longest) {
    if (!text.contains(u"_x")) return cellBytesOf(text);
    const QString escaped = escapeUnderscoreCodes(text);
    if (codePoints(escaped) <= longest) return cellBytesOf(escaped);
  }
  cut = true;
  qsizetype keep = std::min(text.size() - 1, longest - 1);
  for (;;) {
    if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;  // a pair stays whole or goes
    const QString escaped = escapeUnderscoreCodes(QString(text.left(keep) + u'…'));
    const qsizetype over = codePoints(escaped) - longest;
    if (over <= 0) return cellBytesOf(escaped);
    keep -= over;
  }
}

// A literal of a number format: each character escaped, so no character of a name or a
// pattern is read as a code.
QString formatLiteral(QStringView text) {
  QString out;
  for (QChar c : text) {
    out += u'\\';
    out += c;
  }
  return out;
}

// A sheet's name as a formula names it: quoted, its apostrophes doubled.
QString quotedSheet(const QString& name) {
  return u'\'' + QString(name).replace(u'\'', QLatin1String("''")) + u'\'';
}

QString columnLetters(lxw_col_t column) {
  QString letters;
  for (qint64 n = qint64(column) + 1; n > 0; n = (n - 1) / 26)
    letters.prepend(QChar(char16_t(u'A' + (n - 1) % 26)));
  return letters;
}

// A size cell's value in its unit's smallest step (bytes, kilobytes or tenths of a megabyte),
// so that the totals' cached values equal the sum a spreadsheet computes from the cells.
qint64 sizeSteps(double cellValue, SizeUnit unit) {
  return unit == SizeUnit::Megabytes ? qint64(std::llround(cellValue * 10)) : qint64(cellValue);
}

QString lxwError(lxw_error error) {
  return QString::fromUtf8(lxw_strerror(error));
}

}  // namespace

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

QString XlsxListWriter::sheetName(const QString& title) {
  QString name = title;
  // The listed folder names the sheet by its last folder (the root by its separator). Only an
  // absolute path is one: a title such as "Sales 1/2" is a name and keeps its every part.
  const bool drive = name.size() >= 3 && name[0].isLetter() && name[1] == u':' &&
                     (name[2] == u'\\' || name[2] == u'/');
  if (name.startsWith(u'/') || name.startsWith(u"\\\\") || drive) {
    while (name.size() > 1 && (name.endsWith(u'/') || name.endsWith(u'\\'))) name.chop(1);
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (cut >= 0 && name.size() > 1) name = name.mid(cut + 1);
  }
  for (QChar& c : name) {
    if (QStringView(u"[]:*?/\\").contains(c) || c.unicode() < 0x20) c = u'_';
  }
  // Lone surrogates (bytes of a name that is not UTF-8) cannot be written.
  QString legal;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar c = name[i];
    if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
      legal += c;
      legal += name[++i];
    } else {
      legal += c.isSurrogate() ? QChar(u'_') : c;
    }
  }
  if (legal.size() > kSheetNameLength) {
    legal.truncate(kSheetNameLength);
    if (legal.back().isHighSurrogate()) legal.chop(1);
  }
  while (legal.startsWith(u'\'')) legal.remove(0, 1);
  while (legal.endsWith(u'\'')) legal.chop(1);
  if (legal.trimmed().isEmpty() || legal.compare(u"History", Qt::CaseInsensitive) == 0)
    return QCoreApplication::translate("XlsxListWriter", "リスト");
  return legal;
}

QString XlsxListWriter::dateNumberFormat(const DateFormatter& formatter) {
  using Kind = DateFormatter::Kind;
  if (formatter.twelveHour()) return {};
  const auto& tokens = formatter.tokens();
  // Excel reads "m" as minutes right after an hour code or right before a seconds code, as
  // months elsewhere: a pattern where that would read a month as minutes (or the reverse) is
  // written as text.
  const auto neighbour = [&](std::size_t i, int step) -> std::optional<Kind> {
    for (auto j = qint64(i) + step; j >= 0 && j < qint64(tokens.size()); j += step)
      if (tokens[std::size_t(j)].kind != Kind::Literal) return tokens[std::size_t(j)].kind;
    return std::nullopt;
  };
  const auto isHour = [](std::optional<Kind> k) { return k == Kind::Hour || k == Kind::Hour2; };
  const auto isSecond = [](std::optional<Kind> k) {
    return k == Kind::Second || k == Kind::Second2;
  };
  QString format;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const DateFormatter::Token& token = tokens[i];
    const bool readAsMinute = isHour(neighbour(i, -1)) || isSecond(neighbour(i, +1));
    switch (token.kind) {
      case Kind::Literal:
        format += formatLiteral(token.text);
        break;
      case Kind::Year4:
        format += u"yyyy";
        break;
      case Kind::Year2:
        format += u"yy";
        break;
      case Kind::Month:
      case Kind::Month2:
        if (readAsMinute) return {};
        format += token.kind == Kind::Month ? u"m" : u"mm";
        break;
      case Kind::Day:
        format += u"d";
        break;
      case Kind::Day2:
        format += u"dd";
        break;
      case Kind::Hour:
        format += u"h";
        break;
      case Kind::Hour2:
        format += u"hh";
        break;
      case Kind::Minute:
      case Kind::Minute2:
        if (!readAsMinute) return {};
        format += token.kind == Kind::Minute ? u"m" : u"mm";
        break;
      case Kind::Second:
        format += u"s";
        break;
      case Kind::Second2:
        format += u"ss";
        break;
      default:
        return {};
    }
  }
  return format;
}

QString XlsxListWriter::sizeNumberFormat(const ColumnOptions& options) {
  const SizeUnit unit = options.optSizeType;
  QString format = unit == SizeUnit::Megabytes ? QStringLiteral("0.0") : QStringLiteral("0");
  if (options.chkAddUnit) format += formatLiteral(sizeUnitSuffix(unit));
  return format;
}

struct XlsxListWriter::Sheet {
  lxw_worksheet* worksheet = nullptr;
  lxw_row_t row = 0;        // the next row to write
  lxw_row_t filterEnd = 1;  // the row after the last one the auto-filter takes
  bool filtered = false;
  qint64 links = 0;
};

// The cells of a block of rows made ready for the library, on any thread: texts as UTF-8 ended
// by a NUL, sizes and dates as numbers. The thread that drives the library then only hands
// them on.
struct XlsxListWriter::PreparedRows {
  enum class Kind : quint8 { Empty, Text, Size, Date, Link };
  struct Cell {
    Kind kind = Kind::Empty;
    qsizetype text = 0;     // Text, Link: where its bytes start in bytes
    qsizetype address = 0;  // Link: where the address starts in bytes
    double number = 0;      // Size; Date as Excel's day number
  };
  QByteArray bytes;
  std::vector<Cell> cells;        // the selected columns' cells, row after row
  std::vector<bool> blankBefore;  // per row: a blank row goes before it
  std::vector<qint64> cutRows;    // rows (of the whole list) with a cell cut to fit

  const char* at(qsizetype offset) const { return bytes.constData() + offset; }
  qsizetype add(const QByteArray& text) {
    const qsizetype offset = bytes.size();
    bytes += text;
    bytes += '\0';
    return offset;
  }
};

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
