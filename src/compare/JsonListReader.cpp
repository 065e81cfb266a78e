#include "compare/JsonListReader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include "compare/ListInput.h"
#include "compare/ListReadErrors.h"
#include "compare/RowPathSet.h"
#include "core/FileNameBytes.h"
#include "core/IsoDateTime.h"
#include "core/PrintedPath.h"
#include "writers/JsonListFormat.h"

namespace vek {

namespace {

namespace F = JsonListFormat;

// RapidJSON's view of the list's bytes: the line counted and capped as they are taken.
class InputStream {
 public:
  using Ch = char;
  explicit InputStream(ListInput& input) : m_input(input) {}
  Ch Peek() const { return m_input.peek(); }
  Ch Take() { return m_input.take(); }
  std::size_t Tell() const { return std::size_t(m_input.taken()); }
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  std::size_t PutEnd(Ch*) { return 0; }

 private:
  ListInput& m_input;
};

enum class Field {
  Unknown,
  Folder,
  FolderBytes,
  Name,
  NameBytes,
  Extension,
  ExtensionBytes,
  Type,
  Size,
  Created,
  Accessed,
  Modified,
  Hash,
};

Field rowField(std::string_view key) {
  static const QHash<QByteArray, Field> fields = {
      {F::kFolder, Field::Folder},
      {QByteArray(F::kFolder) + F::kBytesSuffix, Field::FolderBytes},
      {F::kName, Field::Name},
      {QByteArray(F::kName) + F::kBytesSuffix, Field::NameBytes},
      {F::kExtension, Field::Extension},
      {QByteArray(F::kExtension) + F::kBytesSuffix, Field::ExtensionBytes},
      {F::kType, Field::Type},
      {F::kSize, Field::Size},
      {F::kCreated, Field::Created},
      {F::kAccessed, Field::Accessed},
      {F::kModified, Field::Modified},
      {F::kHash, Field::Hash},
  };
  return fields.value(QByteArray::fromRawData(key.data(), qsizetype(key.size())), Field::Unknown);
}

// The SAX handler: the header's fields in any order, each row as it comes. The nesting is
// counted, so that no list can be deeper than the limit.
class Handler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Handler> {
 public:
  enum class Stop {
    None,
    Foreign,
    Newer,
    BadVersion,
    BadHeader,
    BadRow,
    FieldTooLong,
    TooDeep,
    NulInName,
    EmptyName,
    Duplicate,
    HeaderRead,
  };

  Handler(SavedList& list, bool headerOnly) : m_list(list), m_headerOnly(headerOnly) {}

  bool StartObject() {
    if (!deeper()) return false;
    if (m_skipDepth > 0) return ++m_skipDepth, true;
    switch (m_place) {
      case Place::Start:
        m_place = Place::Header;
        return true;
      case Place::Rows:
        m_place = Place::Row;
        m_row = FileEntry();
        m_have = 0;
        m_hash.clear();
        m_hashSeen = false;
        m_nameFromBytes = m_extensionFromBytes = false;
        return true;
      case Place::Header:
        if (m_key == HeaderKey::Walk) {
          m_place = Place::Walk;
          m_list.walk = ListWalk();
          return true;
        }
        if (m_key == HeaderKey::Other) return skip();
        return badHeader();
      case Place::Row:
      case Place::Walk:
        return skip();  // a field this version does not know, holding an object
      default:
        return foreign();
    }
  }
  bool EndObject(rapidjson::SizeType) {
    --m_depth;
    if (m_skipDepth > 0) return --m_skipDepth, true;
    switch (m_place) {
      case Place::Row:
        m_place = Place::Rows;
        return finishRow();
      case Place::Walk:
        m_place = Place::Header;
        return true;
      case Place::Header:
        m_place = Place::Done;
        return true;
      default:
        return foreign();
    }
  }
  bool StartArray() {
    if (!deeper()) return false;
    if (m_skipDepth > 0) return ++m_skipDepth, true;
    if (m_place == Place::Header && m_key == HeaderKey::Rows) {
      if (m_rowsSeen) return badHeader();
      m_rowsSeen = true;
      if (m_headerOnly) {
        // The walk comes before the rows in the lists Vek writes: the header is known.
        if (m_list.walk || m_walkNull) {
          m_stop = Stop::HeaderRead;
          return false;
        }
        return skip();
      }
      m_place = Place::Rows;
      return true;
    }
    if (m_place == Place::Header && m_key == HeaderKey::Other) return skip();
    if (m_place == Place::Row || m_place == Place::Walk) return skip();
    return m_place == Place::Header ? badHeader() : foreign();
  }
  bool EndArray(rapidjson::SizeType) {
    --m_depth;
    if (m_skipDepth > 0) return --m_skipDepth, true;
    if (m_place == Place::Rows) {
      m_place = Place::Header;
      m_rowsClosed = true;
      return true;
    }
    return foreign();
  }
  bool Key(const char* text, rapidjson::SizeType length, bool) {
    if (length > ListLimits::kFieldBytes) return stopWith(Stop::FieldTooLong);
    if (m_skipDepth > 0) return true;
    const std::string_view key(text, length);
    if (m_place == Place::Row) {
      m_field = rowField(key);
      return true;
    }
    if (m_place == Place::Walk) {
      m_walkKey = key;
      return true;
    }
    m_key = key == F::kFormatKey        ? HeaderKey::Format
            : key == F::kVersionKey     ? HeaderKey::Version
            : key == F::kTitle          ? HeaderKey::Title
            : key == F::kInputFolder    ? HeaderKey::InputFolder
            : key == "inputFolderBytes" ? HeaderKey::InputFolderBytes
            : key == F::kHashAlgorithm  ? HeaderKey::HashAlgorithm
            : key == F::kRows           ? HeaderKey::Rows
            : key == F::kRowCount       ? HeaderKey::RowCount
            : key == F::kWalk           ? HeaderKey::Walk
                                        : HeaderKey::Other;
    m_keyText = key;
    return true;
  }
  bool String(const char* text, rapidjson::SizeType length, bool) {
    if (length > ListLimits::kFieldBytes) return stopWith(Stop::FieldTooLong);
    if (m_skipDepth > 0) return true;
    const std::string_view value(text, length);
    if (m_place == Place::Row) return rowString(value);
    if (m_place == Place::Walk) return walkValue(QString::fromUtf8(text, qsizetype(length)));
    if (m_place != Place::Header) return foreign();
    switch (m_key) {
      case HeaderKey::Format:
        if (value != F::kFormat) return foreign();
        m_formatSeen = true;
        return true;
      case HeaderKey::Version:
        return stopWith(Stop::BadVersion);
      case HeaderKey::Title:
        m_list.title = QString::fromUtf8(text, qsizetype(length));
        return true;
      case HeaderKey::InputFolder:
        if (std::strlen(text) != length) return stopWith(Stop::NulInName);
        if (!m_folderFromBytes) m_list.inputFolder = decodeFileName(text);
        return true;
      case HeaderKey::InputFolderBytes: {
        const std::optional<QString> folder = fromBase64(value);
        if (!folder) return stopWith(Stop::NulInName);
        m_list.inputFolder = *folder;
        m_folderFromBytes = true;
        return true;
      }
      case HeaderKey::HashAlgorithm: {
        const auto kind = hashKindFromName(QString::fromUtf8(text, qsizetype(length)));
        if (!kind || *kind == HashKind::None) return badHeader();
        m_list.hashKind = *kind;
        return true;
      }
      case HeaderKey::Other:
        return true;
      default:
        return badHeader();
    }
  }
  // A date or digest the file system or the reader could not give.
  bool Null() {
    if (m_skipDepth > 0 || m_place == Place::Row || m_place == Place::Walk) return true;
    if (m_place != Place::Header) return foreign();
    if (m_key == HeaderKey::Walk) {
      m_walkNull = true;
      return true;
    }
    if (m_key == HeaderKey::Version) return stopWith(Stop::BadVersion);
    return m_key == HeaderKey::Other || m_key == HeaderKey::Title || badHeader();
  }
  bool Bool(bool value) {
    if (m_skipDepth > 0 || m_place == Place::Row) return true;
    if (m_place == Place::Walk) {
      if (m_walkKey == F::kWalkSubfolders) m_list.walk->subfolders = value;
      if (m_walkKey == F::kWalkHiddenFiles) m_list.walk->hiddenFiles = value;
      if (m_walkKey == F::kWalkOneFileSystem) m_list.walk->oneFileSystem = value;
      return true;
    }
    if (m_place != Place::Header) return foreign();
    if (m_key == HeaderKey::Version) return stopWith(Stop::BadVersion);
    return m_key == HeaderKey::Other || badHeader();
  }
  bool Int(int value) { return number(value); }
  bool Uint(unsigned value) { return number(value); }
  bool Int64(int64_t value) { return number(value); }
  bool Uint64(uint64_t value) {
    if (value > uint64_t(std::numeric_limits<qint64>::max())) {
      if (m_place == Place::Header && m_key == HeaderKey::Version) return newer(INT_MAX);
      return m_skipDepth > 0 || (m_place == Place::Header && m_key == HeaderKey::Other) ||
             stopWith(Stop::BadRow);
    }
    return number(qint64(value));
  }
  bool Double(double) {
    if (m_skipDepth > 0 || m_place == Place::Walk) return true;
    if (m_place == Place::Header) {
      // 2.0, 1e3 and numbers too large for an integer are no version.
      if (m_key == HeaderKey::Version) return stopWith(Stop::BadVersion);
      return m_key == HeaderKey::Other || badHeader();
    }
    if (m_place == Place::Row && m_field != Field::Size) return true;
    return stopWith(Stop::BadRow);
  }

  // What was read is a list of this version, and complete; the stop otherwise.
  Stop finish() {
    if (m_stop != Stop::None) {
      // Whatever went wrong in a JSON document that never named the format: not a list.
      if (!m_formatSeen && m_stop != Stop::FieldTooLong && m_stop != Stop::TooDeep &&
          m_stop != Stop::HeaderRead)
        return Stop::Foreign;
      return m_stop;
    }
    if (!m_formatSeen) return Stop::Foreign;
    if (m_version == 0) return Stop::BadVersion;
    if (!m_headerOnly && m_list.hashKind == HashKind::None) m_list.hashes.clear();
    if (!m_headerOnly && m_list.hashKind != HashKind::None)
      m_list.hashes.resize(m_list.rows.size());
    return Stop::None;
  }
  Stop stop() const { return m_stop; }
  bool formatSeen() const { return m_formatSeen; }
  int version() const { return m_version; }
  QString keyText() const {
    return QString::fromUtf8(m_keyText.data(), qsizetype(m_keyText.size()));
  }
  bool complete() const { return m_place == Place::Done && m_rowsClosed && m_rowCount >= 0; }
  qint64 rowCount() const { return m_rowCount; }
  const QString& duplicate() const { return m_duplicate; }

 private:
  enum class Place { Start, Header, Walk, Rows, Row, Done };
  enum class HeaderKey {
    Format,
    Version,
    Title,
    InputFolder,
    InputFolderBytes,
    HashAlgorithm,
    Rows,
    RowCount,
    Walk,
    Other
  };
  enum Have : unsigned { kHaveFolder = 1, kHaveName = 2, kHaveSize = 4, kHaveModified = 8 };

  bool deeper() {
    if (++m_depth > ListLimits::kDepth) return stopWith(Stop::TooDeep);
    return true;
  }
  bool skip() {
    m_skipDepth = 1;
    return true;
  }
  bool stopWith(Stop stop) {
    if (m_stop == Stop::None) m_stop = stop;
    return false;
  }
  bool foreign() { return stopWith(m_formatSeen ? Stop::BadRow : Stop::Foreign); }
  bool badHeader() { return stopWith(Stop::BadHeader); }
  bool newer(int version) {
    m_version = version;
    return stopWith(Stop::Newer);
  }
  bool number(qint64 value) {
    if (m_skipDepth > 0 || m_place == Place::Walk) return true;
    if (m_place == Place::Header) {
      if (m_key == HeaderKey::Version) {
        if (value > F::kVersion) return newer(value > INT_MAX ? INT_MAX : int(value));
        if (value < F::kVersion) return stopWith(Stop::BadVersion);
        m_version = int(value);
      } else if (m_key == HeaderKey::RowCount) {
        if (value < 0) return badHeader();
        m_rowCount = value;
      } else if (m_key != HeaderKey::Other) {
        return badHeader();
      }
      return true;
    }
    if (m_place != Place::Row) return foreign();
    if (m_field == Field::Size) {
      if (value < 0) return stopWith(Stop::BadRow);
      m_row.size = value;
      m_have |= kHaveSize;
    }
    return true;
  }
  bool walkValue(const QString& value) {
    if (m_walkKey == F::kWalkFilter) m_list.walk->filter = value;
    if (m_walkKey == F::kWalkExclude) m_list.walk->excluded = value;
    return true;
  }
  // The exact bytes of a name; nullopt when they hold a NUL.
  static std::optional<QString> fromBase64(std::string_view value) {
    const QByteArray bytes =
        QByteArray::fromBase64(QByteArray::fromRawData(value.data(), qsizetype(value.size())));
    if (bytes.contains('\0')) return std::nullopt;
    return decodeFileName(bytes.constData());
  }
  // Rows of one folder follow each other: they share one folder text, as an add's rows do.
  void setFolder(QString folder) {
    if (folder == m_lastFolder) {
      m_row.folder = m_lastFolder;
    } else {
      m_lastFolder = folder;
      m_row.folder = std::move(folder);
    }
  }
  bool rowString(std::string_view value) {
    // Decoded as names are (QString::fromUtf8 would drop a byte-order mark that begins a
    // name); the parser ends each string with a NUL, and no name holds one.
    const auto text = [&] { return decodeFileName(value.data()); };
    const bool holdsNul = std::strlen(value.data()) != value.size();
    switch (m_field) {
      case Field::Folder:
      case Field::Name:
      case Field::Extension:
        if (holdsNul) return stopWith(Stop::NulInName);
        break;
      case Field::FolderBytes:
      case Field::NameBytes:
      case Field::ExtensionBytes: {
        const std::optional<QString> exact = fromBase64(value);
        if (!exact) return stopWith(Stop::NulInName);
        if (m_field == Field::FolderBytes) {
          setFolder(*exact);
          m_have |= kHaveFolder;
        } else if (m_field == Field::NameBytes) {
          m_row.name = *exact;
          m_nameFromBytes = true;
          m_have |= kHaveName;
        } else {
          m_row.extension = *exact;
          m_extensionFromBytes = true;
        }
        return true;
      }
      default:
        break;
    }
    switch (m_field) {
      case Field::Folder:
        if (!(m_have & kHaveFolder)) setFolder(text());
        m_have |= kHaveFolder;
        return true;
      case Field::Name:
        if (!m_nameFromBytes) m_row.name = text();
        m_have |= kHaveName;
        return true;
      case Field::Extension:
        // A handful of extensions serve a million rows: one shared text each.
        if (!m_extensionFromBytes) m_row.extension = shared(m_extensions, text());
        return true;
      case Field::Type:
        m_row.type = shared(m_types, text());
        return true;
      case Field::Created:
        m_row.created = m_iso.parse(value).value_or(DateStamp());
        return true;
      case Field::Accessed:
        m_row.accessed = m_iso.parse(value).value_or(DateStamp());
        return true;
      case Field::Modified: {
        const auto stamp = m_iso.parse(value);
        if (!stamp) return stopWith(Stop::BadRow);
        m_row.modified = *stamp;
        m_have |= kHaveModified;
        return true;
      }
      case Field::Hash:
        m_hash = QByteArray(value.data(), qsizetype(value.size()));
        m_hashSeen = true;
        return true;
      case Field::Size:
        return stopWith(Stop::BadRow);
      default:
        return true;
    }
  }
  static QString shared(QSet<QString>& texts, const QString& text) {
    if (texts.size() > 4096) return text;  // not a handful after all
    return *texts.insert(text);
  }
  bool finishRow() {
    if ((m_have & (kHaveFolder | kHaveName)) != (kHaveFolder | kHaveName))
      return stopWith(Stop::BadRow);
    // A dot-file is written whole as its name (".hidden", no extension); lists written before
    // that hold it as an extension: both are the one file.
    if (m_row.extension.isEmpty() && m_row.name.contains(u'.')) {
      const QString whole = m_row.name;
      FileEntry::splitName(whole, m_row.name, m_row.extension);
      m_row.extension = shared(m_extensions, m_row.extension);
    }
    if (m_row.name.isEmpty() && m_row.extension.isEmpty()) return stopWith(Stop::EmptyName);
    m_allSizes = m_allSizes && (m_have & kHaveSize);
    m_list.rows.push_back(std::move(m_row));
    if (!m_paths.insert(m_list.rows, m_list.rows.size() - 1)) {
      m_duplicate = m_list.rows.back().fullPath();
      return stopWith(Stop::Duplicate);
    }
    // Digests are kept by row whatever the order of the header: the hash kind may come last.
    if (m_hashSeen) {
      m_list.hashes.resize(m_list.rows.size() - 1);
      m_list.hashes.push_back(m_hash);
    }
    m_list.hasSizes = m_allSizes;
    return true;
  }

  SavedList& m_list;
  const bool m_headerOnly;
  Place m_place = Place::Start;
  HeaderKey m_key = HeaderKey::Other;
  std::string m_keyText;
  std::string m_walkKey;
  Field m_field = Field::Unknown;
  int m_depth = 0;
  int m_skipDepth = 0;
  bool m_formatSeen = false;
  bool m_rowsSeen = false;
  bool m_rowsClosed = false;
  bool m_walkNull = false;
  bool m_allSizes = true;
  bool m_nameFromBytes = false;
  bool m_extensionFromBytes = false;
  bool m_folderFromBytes = false;
  bool m_hashSeen = false;
  int m_version = 0;
  qint64 m_rowCount = -1;
  unsigned m_have = 0;
  Stop m_stop = Stop::None;
  FileEntry m_row;
  QByteArray m_hash;
  QString m_lastFolder;
  QString m_duplicate;
  QSet<QString> m_types;
  QSet<QString> m_extensions;
  IsoDateTime m_iso;
  RowPathSet m_paths;
};

// Where each row's path below the list's folder begins: the folder the list was made of when
// the row lies in it, else the whole path.
void markRoots(SavedList& list) {
  const QString& root = list.inputFolder;
  for (FileEntry& row : list.rows) {
    row.rootLength = !root.isEmpty() && row.folder.startsWith(root) ? qint32(root.size()) : 0;
  }
}

std::optional<Message> inputFault(const ListInput& input, const QString& path) {
  switch (input.fault()) {
    case ListInput::Fault::LineTooLong:
      return ListReadErrors::lineTooLong(path, input.line());
    case ListInput::Fault::NotText:
      return ListReadErrors::notText(path, input.line());
    case ListInput::Fault::ReadError:
      return ListReadErrors::cannotOpen(path, input.errorString());
    case ListInput::Fault::Cancelled:
      return ListReadErrors::cannotOpen(path,
                                        QCoreApplication::translate("ListInput", "中断しました。"));
    case ListInput::Fault::None:
      break;
  }
  return std::nullopt;
}

SavedListRead parse(ListInput& input, const QString& path, bool headerOnly) {
  SavedListRead result;
  SavedList list;
  list.path = path;
  input.skipMark();
  InputStream stream(input);
  Handler handler(list, headerOnly);
  rapidjson::Reader reader;
  // The parser calls the handler before it goes one level deeper, and the handler stops it at
  // the depth limit: no list runs the program's stack out.
  const rapidjson::ParseResult parsed =
      reader.Parse<rapidjson::kParseStopWhenDoneFlag>(stream, handler);
  const qint64 line = input.line();
  const auto fail = [&](Message message) {
    result.error = std::move(message);
    return result;
  };
  if (const auto fault = inputFault(input, path)) return fail(*fault);
  const Handler::Stop stop = handler.finish();
  if (headerOnly) {
    if (handler.formatSeen() &&
        (stop == Handler::Stop::HeaderRead || (stop == Handler::Stop::None && parsed)))
      result.list = std::move(list);
    return result;
  }
  switch (stop) {
    case Handler::Stop::None:
    case Handler::Stop::HeaderRead:
      break;
    case Handler::Stop::Foreign:
      return fail(ListReadErrors::foreign(path, line));
    case Handler::Stop::Newer:
      return fail(ListReadErrors::newer(path, line, handler.version()));
    case Handler::Stop::BadVersion:
      return fail(ListReadErrors::badVersion(path, line));
    case Handler::Stop::BadHeader:
      return fail(ListReadErrors::badHeaderField(path, line, handler.keyText()));
    case Handler::Stop::BadRow:
      return fail(ListReadErrors::badRow(path, line));
    case Handler::Stop::FieldTooLong:
      return fail(ListReadErrors::fieldTooLong(path, line));
    case Handler::Stop::TooDeep:
      return fail(ListReadErrors::tooDeep(path, line));
    case Handler::Stop::NulInName:
      return fail(ListReadErrors::nulInName(path, line));
    case Handler::Stop::EmptyName:
      return fail(ListReadErrors::emptyName(path, line));
    case Handler::Stop::Duplicate:
      return fail(ListReadErrors::duplicatePath(path, line, printedPath(handler.duplicate())));
  }
  if (!parsed) {
    if (parsed.Code() == rapidjson::kParseErrorDocumentEmpty) {
      return fail(ListReadErrors::foreign(path, line));
    } else if (input.peek() == '\0') {
      return fail(ListReadErrors::truncated(path, line));
    }
    return fail(ListReadErrors::notJson(
        path, line, QString::fromLatin1(rapidjson::GetParseError_En(parsed.Code()))));
  }
  if (!handler.complete() || handler.rowCount() != qint64(list.rows.size()))
    return fail(ListReadErrors::truncated(path, line));
  // Nothing but white space may follow the list (two lists one after the other are no list).
  input.skipSpace();
  if (input.peek() != '\0' || input.fault() != ListInput::Fault::None) {
    if (const auto fault = inputFault(input, path)) return fail(*fault);
    return fail(ListReadErrors::trailingData(path, input.line()));
  }
  list.hasModified = true;
  for (const FileEntry& row : list.rows) {
    if (row.modified.isNull()) list.hasModified = false;
  }
  markRoots(list);
  result.list = std::move(list);
  return result;
}

}  // namespace

SavedListRead JsonListReader::read(const QString& path) {
  std::optional<Message> refusal;
  std::optional<ListInput> input = ListInput::open(path, &refusal);
  if (!input) return {std::nullopt, refusal};
  return read(*input, path);
}

SavedListRead JsonListReader::read(ListInput& input, const QString& path) {
  return parse(input, path, false);
}

SavedListRead JsonListReader::readBytes(const QByteArray& bytes, const QString& path) {
  ListInput input(bytes);
  return parse(input, path, false);
}

std::optional<SavedList> JsonListReader::readHeader(const QString& path) {
  std::optional<Message> refusal;
  std::optional<ListInput> input = ListInput::open(path, &refusal);
  if (!input) return std::nullopt;
  input->skipSpace();
  input->skipMark();
  input->skipSpace();
  if (input->peek() != '{') return std::nullopt;
  return parse(*input, path, true).list;
}

}  // namespace vek
