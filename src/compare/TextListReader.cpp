#include "compare/TextListReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include "compare/JsonListReader.h"
#include "compare/ListReadErrors.h"
#include "core/DateFormatter.h"
#include "core/FileNameBytes.h"
#include "core/InterfaceLanguage.h"
#include "core/ListEncoding.h"
#include "core/PathRules.h"
#include "writers/ColumnCells.h"

namespace vek {

namespace {

QString tr(const char* text) {
  // The context lupdate gives the tr() calls of TextListReader's members, so that the English
  // is found.
  return QCoreApplication::translate("vek::TextListReader", text);
}

// One line's fields, split at the separator; in a CSV list a field in double quotes may hold the
// separator, quotes (doubled) and line ends. Every field is followed by the separator, as the
// writer leaves it, so the text after the last one is empty.
struct Splitter {
  QStringView text;
  qsizetype at = 0;
  qint64 line = 1;
  QString separator;
  bool quotes = false;

  bool atEnd() const { return at >= text.size(); }

  // The fields of the next line; false at the end of a line that has no line end (a cut file).
  bool next(QStringList& fields) {
    fields.clear();
    QString field;
    bool quoted = false;
    while (at < text.size()) {
      const QChar c = text[at];
      if (quoted) {
        if (c == u'"') {
          if (at + 1 < text.size() && text[at + 1] == u'"') {
            field += u'"';
            at += 2;
            continue;
          }
          quoted = false;
          ++at;
          continue;
        }
        if (c == u'\n') ++line;
        field += c;
        ++at;
        continue;
      }
      if (c == u'\r' || c == u'\n') {
        at += (c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ? 2 : 1;
        ++line;
        fields += field;
        return true;
      }
      if (quotes && c == u'"' && field.isEmpty()) {
        quoted = true;
        ++at;
        continue;
      }
      if (!separator.isEmpty() && text.mid(at).startsWith(separator)) {
        fields += field;
        field.clear();
        at += separator.size();
        continue;
      }
      field += c;
      ++at;
    }
    fields += field;
    return false;
  }
};

// Which column each caption of the header names.
struct HeaderColumns {
  int fullPath = -1, directory = -1, fileName = -1, size = -1, created = -1, accessed = -1,
      modified = -1, type = -1, relativePath = -1, hash = -1;
  HashKind hashKind = HashKind::None;
  int known = 0;
};

// Whether a caption is a column's default in either language: a list written under the other
// language is read as well.
bool namesColumn(const QString& caption, ColumnId column) {
  const char* source = DefaultListTexts::captionSources()[std::size_t(column)];
  return caption == QString::fromUtf8(source) || caption == englishText("Settings", source);
}

HeaderColumns mapHeader(const QStringList& captions, const Settings& settings) {
  HeaderColumns columns;
  const std::pair<ColumnId, int HeaderColumns::*> named[] = {
      {ColumnId::FullPath, &HeaderColumns::fullPath},
      {ColumnId::Directory, &HeaderColumns::directory},
      {ColumnId::FileName, &HeaderColumns::fileName},
      {ColumnId::FileType, &HeaderColumns::type},
      {ColumnId::FileSize, &HeaderColumns::size},
      {ColumnId::CreateDate, &HeaderColumns::created},
      {ColumnId::AccessDate, &HeaderColumns::accessed},
      {ColumnId::ModifiDate, &HeaderColumns::modified}};
  for (int i = 0; i < captions.size(); ++i) {
    const QString& caption = captions[i];
    int* slot = nullptr;
    // The settings' own captions first: they win over a default of the other language.
    for (const auto& [column, member] : named) {
      if (!slot && caption == settings.caption(column)) slot = &(columns.*member);
    }
    for (const auto& [column, member] : named) {
      if (!slot && namesColumn(caption, column)) slot = &(columns.*member);
    }
    if (!slot && ColumnCells::isRelativePathCaption(caption)) slot = &columns.relativePath;
    if (!slot) {
      for (HashKind kind : {HashKind::Md5, HashKind::Sha1, HashKind::Sha256}) {
        if (caption == hashKindCaption(kind)) {
          slot = &columns.hash;
          columns.hashKind = kind;
        }
      }
    }
    if (slot && *slot < 0) {
      *slot = i;
      ++columns.known;
    }
  }
  return columns;
}

bool isHex(const QString& text, int length) {
  if (text.size() != length) return false;
  for (QChar c : text) {
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
  }
  return true;
}

// The size cell in bytes: digits, maybe grouped by commas, maybe followed by the unit.
std::optional<qint64> bytesOf(QString text, const QString& unitSuffix) {
  if (!unitSuffix.isEmpty() && text.endsWith(unitSuffix)) text.chop(unitSuffix.size());
  text.remove(u',');
  bool ok = false;
  const qint64 value = text.trimmed().toLongLong(&ok);
  return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}

QString decodeText(const QByteArray& bytes, const Settings& settings, bool* invalid) {
  if (const auto mark = TextCodec::byteOrderMark(bytes)) {
    return TextCodec(mark->encoding).decode(bytes.mid(mark->length), invalid);
  }
  bool notUtf8 = false;
  QString text = TextCodec("UTF-8").decode(bytes, &notUtf8);
  if (!notUtf8) {
    *invalid = false;
    return text;
  }
  return listCodec(settings.listFile.encoding).decode(bytes, invalid);
}

}  // namespace

SavedListRead TextListReader::read(const QString& path, const Settings& settings) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {std::nullopt, ListReadErrors::cannotOpen(path, file.errorString())};
  const QByteArray bytes = file.readAll();
  if (file.error() != QFile::NoError)
    return {std::nullopt, ListReadErrors::cannotOpen(path, file.errorString())};
  return readBytes(bytes, path, settings);
}

SavedListRead TextListReader::readBytes(const QByteArray& bytes, const QString& path,
                                        const Settings& settings) {
  bool invalid = false;
  const QString text = decodeText(bytes, settings, &invalid);
  if (invalid) return {std::nullopt, ListReadErrors::badEncoding(path, 1)};

  // The separator is the one whose split of the header line names the most columns: a CSV
  // list's comma, TAB, or one of the text separators the settings remember.
  const qsizetype headerEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  const QStringView headerText = QStringView(text).left(headerEnd < 0 ? text.size() : headerEnd);
  QStringList candidates{QStringLiteral(","), QStringLiteral("\t")};
  for (const QString& separator : settings.separators) {
    if (!separator.isEmpty() && !candidates.contains(separator)) candidates += separator;
  }
  Splitter best;
  HeaderColumns columns;
  for (const QString& separator : candidates) {
    Splitter splitter{headerText, 0, 1, separator, separator == u","};
    QStringList fields;
    splitter.next(fields);
    const HeaderColumns found = mapHeader(fields, settings);
    if (found.known > columns.known) {
      columns = found;
      best = Splitter{text, 0, 1, separator, separator == u","};
    }
  }
  const bool byPath = columns.fullPath >= 0;
  const bool byFolder = columns.directory >= 0 && columns.fileName >= 0 &&
                        settings.csv.columns.chkExtAdd &&
                        settings.csv.columns.optDirType != DirType::LastName;
  if (!byPath && !byFolder) return {std::nullopt, ListReadErrors::noNameColumns(path)};

  SavedList list;
  list.path = path;
  const ColumnOptions& options = settings.csv.columns;
  const PathStyle style = nativePathStyle();
  const QString unitSuffix = options.chkAddUnit ? sizeUnitSuffix(options.optSizeType) : QString();
  list.hasSizes = columns.size >= 0 && options.optSizeType == SizeUnit::Bytes;
  if (columns.size >= 0 && !list.hasSizes)
    list.notes += tr("サイズは KB・MB 単位で書かれているため比較しません。");
  const auto formatter = DateFormatter::compile(settings.option.dateFormat);
  list.hasModified = columns.modified >= 0 && formatter && formatter->isStoredForm();
  if (columns.modified >= 0 && !list.hasModified)
    list.notes += tr("更新日付は日付の書式から日時に戻せないため比較しません。");
  list.hashKind = columns.hashKind;

  QStringList fields;
  QStringList header;
  best.next(header);
  const qsizetype width = header.size();
  QString lastFolder;
  while (!best.atEnd()) {
    const qint64 line = best.line;
    const bool ended = best.next(fields);
    if (!ended) return {std::nullopt, ListReadErrors::truncated(path, line)};
    if (fields.size() == 1 && fields.front().isEmpty()) continue;  // an inserted blank line
    if (fields == header) continue;
    if (fields.size() != width) return {std::nullopt, ListReadErrors::badLine(path, line)};
    FileEntry row;
    QString fileName;
    QString folder;
    if (byPath) {
      QString full = fields[columns.fullPath];
      if (options.chkPathType && full.startsWith(u"file://")) {
        full = QUrl::fromPercentEncoding(full.mid(7).toUtf8());
      }
      const qsizetype cut = full.lastIndexOf(u'/');
      folder = full.left(cut + 1);
      fileName = full.mid(cut + 1);
    } else {
      QString directory = fields[columns.directory];
      if (options.optDirType == DirType::WithoutDrive) directory.prepend(u'/');
      folder = folderText(directory, style);
      fileName = fields[columns.fileName];
    }
    if (fileName.isEmpty() || folder.isEmpty())
      return {std::nullopt, ListReadErrors::badLine(path, line)};
    if (folder == lastFolder) folder = lastFolder;
    lastFolder = folder;
    row.folder = folder;
    FileEntry::splitName(fileName, row.name, row.extension);
    if (columns.type >= 0) row.type = fields[columns.type];
    if (list.hasSizes) {
      const auto size = bytesOf(fields[columns.size], unitSuffix);
      if (!size) return {std::nullopt, ListReadErrors::badLine(path, line)};
      row.size = *size;
    }
    if (list.hasModified) row.modified = DateStamp::fromText(fields[columns.modified]);
    if (columns.created >= 0) row.created = DateStamp::fromText(fields[columns.created]);
    if (columns.accessed >= 0) row.accessed = DateStamp::fromText(fields[columns.accessed]);
    if (list.hashKind != HashKind::None) {
      const QString& hash = fields[columns.hash];
      list.hashes.push_back(isHex(hash, hexDigestLength(list.hashKind)) ? hash.toLatin1()
                                                                        : QByteArray());
    }
    list.rows.push_back(std::move(row));
  }
  // Rows without a modified time (a date the file system did not give) leave the times out.
  for (const FileEntry& row : list.rows) {
    if (list.hasModified && row.modified.isNull()) list.hasModified = false;
  }
  return {std::move(list), std::nullopt};
}

SavedListRead readSavedList(const QString& path, const Settings& settings) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {std::nullopt, ListReadErrors::cannotOpen(path, file.errorString())};
  }
  char first = 0;
  while (file.getChar(&first) &&
         (first == ' ' || first == '\n' || first == '\r' || first == '\t')) {
  }
  file.close();
  if (first == '{') return JsonListReader::read(path);
  return TextListReader::read(path, settings);
}

}  // namespace vek
