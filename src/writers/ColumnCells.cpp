#include "writers/ColumnCells.h"

#include <QCoreApplication>

#include "core/settings/InterfaceLanguage.h"

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
      m_prefix(options.prefix, pathStyle),
      m_hash(options.hash),
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
  if (options.chkRelPath) columns.push_back(ColumnId::RelativePath);
  if (options.hash != HashKind::None) columns.push_back(ColumnId::Hash);
  if (options.chkDeliveryCheck) columns.push_back(ColumnId::DeliveryCheck);
  if (options.chkState) columns.push_back(ColumnId::State);
  return columns;
}

Message ColumnCells::nothingSelectedMessage() {
  return {QCoreApplication::translate("ColumnCells", "出力指定エラー"),
          QCoreApplication::translate("ColumnCells", "出力情報が指定されていません"),
          MessageIcon::Information};
}

std::optional<Message> ColumnCells::checkSelection(const ColumnOptions& options) {
  if (selectedColumns(options).empty()) return nothingSelectedMessage();
  return std::nullopt;
}

namespace {
const char* const kRelativePathSource = QT_TRANSLATE_NOOP("ColumnCells", "相対パス");
}  // namespace

QString ColumnCells::relativePathCaption() {
  return QCoreApplication::translate("ColumnCells", kRelativePathSource);
}

bool ColumnCells::isRelativePathCaption(const QString& caption) {
  return caption == QString::fromUtf8(kRelativePathSource) ||
         caption == englishText("ColumnCells", kRelativePathSource);
}

QString ColumnCells::stateCaption() {
  return QCoreApplication::translate("ColumnCells", "状態");
}

QString ColumnCells::caption(ColumnId column, const Settings& settings) {
  switch (column) {
    case ColumnId::RelativePath:
      return relativePathCaption();
    case ColumnId::Hash:
      return QCoreApplication::translate("ColumnCells", "ハッシュ値");
    case ColumnId::DeliveryCheck:
      return deliveryCheckCaption();
    case ColumnId::State:
      return stateCaption();
    default:
      return settings.caption(column);
  }
}

std::vector<QString> ColumnCells::captions(const Settings& settings) const {
  std::vector<QString> result;
  result.reserve(m_selected.size());
  for (ColumnId column : m_selected) {
    // The digest's own name says what the cells hold and how to check them.
    result.push_back(column == ColumnId::Hash ? hashKindCaption(m_hash)
                                              : caption(column, settings));
  }
  return result;
}

void ColumnCells::setHashes(std::span<const FileEntry> rows, const std::vector<FileHash>& hashes) {
  auto texts = std::make_shared<std::vector<QString>>(rows.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].ticked) continue;
    if (next < hashes.size()) (*texts)[i] = hashes[next].cellText();
    ++next;
  }
  m_hashTexts = std::move(texts);
  m_hashRows = rows.data();
}

void ColumnCells::setDeliveryProblems(std::span<const FileEntry>, DeliveryFindings problems) {
  m_problems = std::move(problems);
}

QString ColumnCells::sizeTotalText(qint64 bytes) const {
  return sizeText(bytes, m_sizeUnit, m_sizeStyle, m_locale) + m_unitSuffix;
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
    // The folder's shortened forms name no prefix: only the whole folder is replaced.
    if (m_dirType == DirType::Absolute && m_prefix.isActive()) {
      if (auto replaced = m_prefix.replaced(m_lastDirectory))
        m_lastDirectory = std::move(*replaced);
    }
    m_haveDirectory = true;
  }
  return m_lastDirectory;
}

void ColumnCells::appendText(ColumnId column, const FileEntry& row, QString& out) const {
  switch (column) {
    case ColumnId::FullPath:
      if (m_prefix.isActive()) {
        const QString path = row.fullPath();
        const auto replaced = m_pathAsAddress ? m_prefix.address(path) : m_prefix.replaced(path);
        if (replaced) {
          out += *replaced;
          return;
        }
      }
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
    case ColumnId::RelativePath:
      out += row.relativePath();
      return;
    case ColumnId::Hash:
      if (m_hashTexts && &row >= m_hashRows) {
        const auto position = std::size_t(&row - m_hashRows);
        if (position < m_hashTexts->size()) out += (*m_hashTexts)[position];
      }
      return;
    case ColumnId::DeliveryCheck:
      // Without the list's problems (a writer given rows alone), the row's own checks.
      if (m_problems) {
        out += deliveryNote(m_problems->finding(row));
      } else {
        out += deliveryNote(rowProblems(row));
      }
      return;
    case ColumnId::State:
      out += row.stateText();
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
