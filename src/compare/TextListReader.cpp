#include "compare/TextListReader.h"

#include <algorithm>

#include <QCoreApplication>
#include <QSet>
#include <QUrl>

#include "compare/JsonListReader.h"
#include "compare/ListComparison.h"
#include "compare/ListInput.h"
#include "compare/ListReadErrors.h"
#include "compare/RowPathSet.h"
#include "core/dates/DateFormatter.h"
#include "core/messages/PrintedPath.h"
#include "core/platform/FileNameBytes.h"
#include "core/settings/InterfaceLanguage.h"
#include "core/text/ListEncoding.h"
#include "core/text/PathRules.h"
#include "writers/ColumnCells.h"
#include "writers/FormulaGuard.h"

namespace vek {

namespace {

// The fields of one record, split at the separator and fed a line at a time; in a CSV list a
// field in double quotes may hold the separator, quotes (doubled) and line ends. Every field is
// followed by the separator, as the writer leaves it, so the text after the last one is empty.
struct Splitter {
  Splitter() = default;
  Splitter(QString separatorText, bool quoting)
      : separator(std::move(separatorText)), quotes(quoting) {}

  QString separator;
  bool quotes = false;

  QStringList fields;
  QString field;
  bool quoted = false;
  bool fieldTooLong = false;

  void start() {
    fields.clear();
    field.clear();
    quoted = false;
  }
  // Takes one line's text, its line end included; true when the record is complete (a line end
  // outside quotes). A line without a line end leaves its record open.
  bool feed(QStringView text) {
    qsizetype at = 0;
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
        // A quoted field's line end is kept as it was written, CR LF included.
        qsizetype run = text.indexOf(u'"', at);
        if (run < 0) run = text.size();
        field += text.sliced(at, run - at);
        at = run;
        continue;
      }
      if (c == u'\n' || (c == u'\r' && at + 2 == text.size() && text[at + 1] == u'\n')) {
        endField();
        return true;
      }
      if (quotes && c == u'"' && field.isEmpty()) {
        quoted = true;
        ++at;
        continue;
      }
      if (!separator.isEmpty() && text.sliced(at).startsWith(separator)) {
        endField();
        at += separator.size();
        continue;
      }
      const qsizetype run = nextSpecial(text, at, separator.isEmpty() ? u'\n' : separator[0]);
      field += text.sliced(at, std::max<qsizetype>(run - at, 1));
      at = std::max(run, at + 1);
    }
    return false;
  }
  // What is left when the text ends without a line end.
  void finish() { endField(); }

 private:
  // The next place from `from` that may end a plain run of characters.
  qsizetype nextSpecial(QStringView text, qsizetype from, QChar stop) const {
    qsizetype at = from;
    while (at < text.size()) {
      const QChar c = text[at];
      if (c == stop || c == u'"' || c == u'\n' || c == u'\r') break;
      ++at;
    }
    return at;
  }
  void endField() {
    if (field.size() > ListLimits::kFieldBytes / 3 &&
        QStringView(field).toUtf8().size() > ListLimits::kFieldBytes)
      fieldTooLong = true;
    fields += field;
    field.clear();
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

// The encodings a text list may be in, in the order they are tried: UTF-8 (what most lists are
// in), the one the settings write, CP932 (what "/K CP932" writes), the system's. A list is read
// in the first one that decodes every line.
std::vector<TextCodec> candidateCodecs(const Settings& settings) {
  std::vector<TextCodec> codecs{TextCodec("UTF-8")};
  for (const TextCodec& codec :
       {listCodec(settings.listFile.encoding), TextCodec("CP932"), TextCodec::system()}) {
    const bool tried = std::any_of(codecs.begin(), codecs.end(), [&](const TextCodec& known) {
      return known.name() == codec.name() || (known.isUtf8() && codec.isUtf8());
    });
    if (!tried && codec.isAvailable()) codecs.push_back(codec);
  }
  return codecs;
}

// The formula guard's "'" before a cell that would start like a formula; the cell without it.
bool takeFormulaGuard(QString& cell) {
  if (cell.size() < 2 || cell.front() != u'\'' || !startsLikeFormula(QStringView(cell).sliced(1)))
    return false;
  cell.remove(0, 1);
  return true;
}

QString withoutLineEnd(QString text) {
  if (text.endsWith(u'\n')) text.chop(1);
  if (text.endsWith(u'\r')) text.chop(1);
  return text;
}

struct Attempt {
  SavedListRead read;
  bool wrongEncoding = false;
  qint64 line = 0;  // where the encoding did not fit
};

Attempt readWith(ListInput& input, const TextCodec& codec, const QString& path,
                 const Settings& settings) {
  const auto fail = [](Message message) { return Attempt{{std::nullopt, std::move(message)}}; };
  const auto wrongEncoding = [](qint64 line) { return Attempt{{}, true, line}; };
  QByteArray bytes;
  bool invalid = false;
  const bool hasHeader = input.readLine(bytes);
  if (const auto fault = input.faultMessage(path, 1)) return fail(*fault);
  const QString headerText = withoutLineEnd(codec.decode(bytes, &invalid));
  if (invalid) return wrongEncoding(1);

  // The separator is the one whose split of the header line names the most columns: a CSV
  // list's comma, TAB, or one of the text separators the settings remember.
  QStringList candidates{QStringLiteral(","), QStringLiteral("\t")};
  for (const QString& separator : settings.separators) {
    if (!separator.isEmpty() && !candidates.contains(separator)) candidates += separator;
  }
  Splitter best;
  HeaderColumns columns;
  QStringList header;
  for (const QString& separator : candidates) {
    Splitter splitter{separator, separator == u","};
    splitter.start();
    splitter.feed(headerText);
    splitter.finish();
    const HeaderColumns found = mapHeader(splitter.fields, settings);
    if (found.known > columns.known) {
      columns = found;
      header = splitter.fields;
      best = Splitter{separator, separator == u","};
    }
  }
  const bool byPath = columns.fullPath >= 0;
  const bool byFolder = columns.directory >= 0 && columns.fileName >= 0 &&
                        settings.csv.columns.chkExtAdd &&
                        settings.csv.columns.optDirType != DirType::LastName;
  if (!hasHeader || (!byPath && !byFolder)) return fail(ListReadErrors::noNameColumns(path));

  SavedList list;
  list.path = path;
  const ColumnOptions& options = settings.csv.columns;
  const PathStyle style = nativePathStyle();
  const QString unitSuffix = options.chkAddUnit ? sizeUnitSuffix(options.optSizeType) : QString();
  list.hasSizes = columns.size >= 0 && options.optSizeType == SizeUnit::Bytes;
  if (columns.size >= 0 && !list.hasSizes)
    list.notes += QCoreApplication::translate(
        "TextListReader", "サイズは KB・MB 単位で書かれているため比較しません。");
  const auto formatter = DateFormatter::compile(settings.option.dateFormat);
  list.hasModified = columns.modified >= 0 && formatter && formatter->isStoredForm();
  if (columns.modified >= 0 && !list.hasModified)
    list.notes += QCoreApplication::translate(
        "TextListReader", "更新日付は日付の書式から日時に戻せないため比較しません。");
  list.hashKind = columns.hashKind;

  const qsizetype width = header.size();
  QString lastFolder;
  RowPathSet paths;
  for (;;) {
    // One record: a line, or more while a quoted field holds line ends.
    const qint64 line = input.line();
    best.start();
    qint64 recordBytes = 0;
    bool any = false;
    bool complete = false;
    while (!complete && input.readLine(bytes)) {
      any = true;
      recordBytes += bytes.size();
      if (recordBytes > ListLimits::kLineBytes)
        return fail(ListReadErrors::lineTooLong(path, line));
      const QString text = codec.decode(bytes, &invalid);
      if (invalid) return wrongEncoding(input.line() - (bytes.endsWith('\n') ? 1 : 0));
      complete = best.feed(text);
      if (best.fieldTooLong) return fail(ListReadErrors::fieldTooLong(path, line));
    }
    if (const auto fault = input.faultMessage(path, line)) return fail(*fault);
    if (!any) break;
    if (!complete) return fail(ListReadErrors::truncated(path, line));
    const QStringList& fields = best.fields;
    if (fields.size() == 1 && fields.front().isEmpty()) continue;  // an inserted blank line
    if (fields == header) continue;
    if (fields.size() != width) return fail(ListReadErrors::badLine(path, line));
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
      takeFormulaGuard(directory);
      if (options.optDirType == DirType::WithoutDrive) directory.prepend(u'/');
      folder = folderText(directory, style);
      fileName = fields[columns.fileName];
    }
    const bool guarded = takeFormulaGuard(fileName);
    if (fileName.isEmpty()) return fail(ListReadErrors::emptyName(path, line));
    if (folder.isEmpty()) return fail(ListReadErrors::badLine(path, line));
    if (fileName.contains(QChar::Null) || folder.contains(QChar::Null))
      return fail(ListReadErrors::nulInName(path, line));
    if (folder == lastFolder) folder = lastFolder;
    lastFolder = folder;
    row.folder = folder;
    FileEntry::splitName(fileName, row.name, row.extension);
    if (columns.type >= 0) row.type = fields[columns.type];
    if (list.hasSizes) {
      const auto size = bytesOf(fields[columns.size], unitSuffix);
      if (!size) return fail(ListReadErrors::badLine(path, line));
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
    if (!paths.insert(list.rows, list.rows.size() - 1))
      return fail(
          ListReadErrors::duplicatePath(path, line, printedPath(list.rows.back().fullPath())));
    if (guarded) list.guardedRows.push_back(std::uint32_t(list.rows.size() - 1));
    list.rowLines.push_back(line);
  }
  // Rows without a modified time (a date the file system did not give) leave the times out.
  for (const FileEntry& row : list.rows) {
    if (list.hasModified && row.modified.isNull()) list.hasModified = false;
  }
  return {{std::move(list), std::nullopt}};
}

// The kind of list a file that starts with these bytes is, when it is one Vek writes but cannot
// compare; empty otherwise.
QString uncomparableKind(const QByteArray& head) {
  if (head.startsWith("PK\x03\x04"))
    return QCoreApplication::translate("TextListReader", "Excel ブック（.xlsx）");
  if (head.startsWith("%PDF-")) return QStringLiteral("PDF");
  if (head.startsWith('<')) {
    return head.toLower().contains("<html") ? QStringLiteral("HTML") : QStringLiteral("XML");
  }
  return {};
}

}  // namespace

SavedListRead TextListReader::read(const QString& path, const Settings& settings) {
  std::optional<Message> refusal;
  std::optional<ListInput> input = ListInput::open(path, &refusal);
  if (!input) return {std::nullopt, refusal};
  return read(*input, path, settings);
}

SavedListRead TextListReader::read(ListInput& input, const QString& path,
                                   const Settings& settings) {
  // A mark says UTF-8; without one, the first encoding that reads every line.
  const bool marked = input.skipMark();
  std::vector<TextCodec> codecs = candidateCodecs(settings);
  if (marked) codecs.erase(codecs.begin() + 1, codecs.end());
  qint64 furthest = 1;
  for (const TextCodec& codec : codecs) {
    if (!input.rewind()) break;
    input.skipMark();
    Attempt attempt = readWith(input, codec, path, settings);
    if (!attempt.wrongEncoding) return std::move(attempt.read);
    furthest = std::max(furthest, attempt.line);
  }
  if (const auto fault = input.faultMessage(path, input.line())) return {std::nullopt, *fault};
  return {std::nullopt, ListReadErrors::badEncoding(path, furthest)};
}

SavedListRead TextListReader::readBytes(const QByteArray& bytes, const QString& path,
                                        const Settings& settings) {
  ListInput input(bytes);
  return read(input, path, settings);
}

SavedListRead readSavedList(const QString& path, const Settings& settings,
                            const std::atomic<bool>* cancel) {
  std::optional<Message> refusal;
  std::optional<ListInput> input = ListInput::open(path, &refusal);
  if (!input) return {std::nullopt, refusal};
  input->setCancel(cancel);
  return readSavedList(*input, path, settings);
}

SavedListRead readSavedList(ListInput& input, const QString& path, const Settings& settings) {
  input.skipMark();
  input.skipSpace();
  const QByteArray head = input.peekBytes(1024);
  if (const auto fault = input.faultMessage(path, input.line())) return {std::nullopt, *fault};
  if (!input.rewind()) return {std::nullopt, ListReadErrors::cannotOpen(path, input.errorString())};
  if (head.startsWith('{')) return JsonListReader::read(input, path);
  if (const QString kind = uncomparableKind(head); !kind.isEmpty())
    return {std::nullopt, ListReadErrors::notComparable(path, kind)};
  return TextListReader::read(input, path, settings);
}

}  // namespace vek

namespace vek {

void matchGuardedNames(SavedList& list, std::span<const FileEntry> now) {
  if (list.guardedRows.empty()) return;
  // The files of now whose names start with "'" or like a formula: the only ones that can meet
  // a guarded cell.
  QSet<QString> candidates;
  for (const FileEntry& row : now) {
    if (row.name.startsWith(u'\'') || startsLikeFormula(row.name))
      candidates.insert(comparedPath(row));
  }
  if (candidates.isEmpty()) return;
  for (const std::uint32_t index : list.guardedRows) {
    FileEntry& row = list.rows[index];
    if (candidates.contains(comparedPath(row))) continue;
    row.name.prepend(u'\'');
    if (!candidates.contains(comparedPath(row))) row.name.remove(0, 1);
  }
}

}  // namespace vek
