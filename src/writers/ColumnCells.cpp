#include "writers/ColumnCells.h"

namespace vek {

ColumnCells::ColumnCells(const ColumnOptions& options, SizeStyle sizeStyle,
                         DateFormatter dateFormatter, PathStyle pathStyle, const QLocale& locale)
    : m_selected(selectedColumns(options)),
      m_sizeStyle(sizeStyle),
      m_sizeUnit(options.optSizeType),
      m_dirType(options.optDirType),
      m_pathStyle(pathStyle),
      m_pathAsAddress(options.chkPathType),
      // The extension option only counts while the file-name column is written.
      m_nameWithExtension(options.chkFile && options.chkExtAdd),
      m_unitSuffix(options.chkAddUnit ? sizeUnitSuffix(m_sizeUnit) : QString()),
      m_dateFormatter(std::move(dateFormatter)),
      m_locale(locale) {}

std::vector<ColumnId> ColumnCells::selectedColumns(const ColumnOptions& options) {
  const bool boxes[kColumnCount] = {
      options.chkPath, options.chkDir,      options.chkFile,       options.chkExt,
      options.chkSize, options.chkMakeDate, options.chkAccessDate, options.chkUpdateDate};
  std::vector<ColumnId> columns;
  for (int i = 0; i < kColumnCount; ++i) {
    if (boxes[i]) columns.push_back(ColumnId(i));
  }
  return columns;
}

Message ColumnCells::nothingSelectedMessage() {
  return {QStringLiteral("出力指定エラー"), QStringLiteral("出力情報が指定されていません"),
          MessageIcon::Information};
}

std::optional<Message> ColumnCells::checkSelection(const ColumnOptions& options) {
  if (selectedColumns(options).empty()) return nothingSelectedMessage();
  return std::nullopt;
}

std::vector<QString> ColumnCells::captions(const Settings& settings) const {
  std::vector<QString> result;
  result.reserve(m_selected.size());
  for (ColumnId column : m_selected) result.push_back(caption(column, settings));
  return result;
}

DateFormatter ColumnCells::dateFormatter(const Settings& settings, const QLocale& locale) {
  if (auto compiled = DateFormatter::compile(settings.option.dateFormat, locale)) {
    return std::move(*compiled);
  }
  return *DateFormatter::compile(OptionSettings().dateFormat, locale);
}

const QString& ColumnCells::directory(const QString& folder) const {
  // Same shared text (the usual case) or an equal one: reuse the last result.
  if (!m_haveDirectory || !(folder.isSharedWith(m_lastFolder) || folder == m_lastFolder)) {
    m_lastFolder = folder;
    m_lastDirectory = directoryText(folder, m_dirType, m_pathStyle);
    m_haveDirectory = true;
  }
  return m_lastDirectory;
}

void ColumnCells::appendText(ColumnId column, const FileEntry& row, QString& out) const {
  switch (column) {
    case ColumnId::FullPath:
      if (m_pathAsAddress) {
        out += fileAddress(row.fullPath(), m_pathStyle);
      } else {
        out += row.folder;
        out += row.name;
        out += row.extension;
      }
      return;
    case ColumnId::Directory:
      out += directory(row.folder);
      return;
    case ColumnId::FileName:
      out += row.name;
      if (m_nameWithExtension) out += row.extension;
      return;
    case ColumnId::FileType:
      out += row.type;
      return;
    case ColumnId::FileSize:
      out += sizeText(row.size, m_sizeUnit, m_sizeStyle, m_locale);
      out += m_unitSuffix;
      return;
    case ColumnId::CreateDate:
      if (!row.created.isNull()) out += m_dateFormatter.format(row.created);
      return;
    case ColumnId::AccessDate:
      if (!row.accessed.isNull()) out += m_dateFormatter.format(row.accessed);
      return;
    case ColumnId::ModifiDate:
      if (!row.modified.isNull()) out += m_dateFormatter.format(row.modified);
      return;
  }
}

QString ColumnCells::text(ColumnId column, const FileEntry& row) const {
  switch (column) {
    // Whole stored texts: hand back the shared text without copying characters.
    case ColumnId::Directory:
      return directory(row.folder);
    case ColumnId::FileType:
      return row.type;
    default: {
      QString out;
      appendText(column, row, out);
      return out;
    }
  }
}

}  // namespace vek
