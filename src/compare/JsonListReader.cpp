#include "compare/JsonListReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include <rapidjson/error/en.h>
#include <rapidjson/filereadstream.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include "compare/ListReadErrors.h"
#include "core/FileNameBytes.h"
#include "core/IsoDateTime.h"
#include "writers/JsonListFormat.h"

namespace vek {

namespace {

namespace F = JsonListFormat;

// Counts the line ends the parser has taken, so that an error names its line.
template <typename Stream>
class LineCountingStream {
 public:
  using Ch = char;
  explicit LineCountingStream(Stream& stream) : m_stream(stream) {}
  Ch Peek() const { return m_stream.Peek(); }
  Ch Take() {
    const Ch c = m_stream.Take();
    if (c == '\n') ++m_line;
    return c;
  }
  std::size_t Tell() const { return m_stream.Tell(); }
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  std::size_t PutEnd(Ch*) { return 0; }
  qint64 line() const { return m_line; }

 private:
  Stream& m_stream;
  qint64 m_line = 1;
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

// The SAX handler: the header's fields, then each row as it comes.
class Handler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, Handler> {
 public:
  enum class Stop { None, Foreign, Newer, BadRow };

  explicit Handler(SavedList& list) : m_list(list) {}

  bool StartObject() {
    if (m_skipDepth > 0) return ++m_skipDepth, true;
    if (m_place == Place::Start) {
      m_place = Place::Header;
      return true;
    }
    if (m_place == Place::Rows) {
      m_place = Place::Row;
      m_row = FileEntry();
      m_have = 0;
      m_hash.clear();
      return true;
    }
    // A field this version does not know, holding an object: left aside.
    if ((m_place == Place::Header && m_formatSeen) || m_place == Place::Row) {
      m_skipDepth = 1;
      return true;
    }
    return foreign();
  }
  bool EndObject(rapidjson::SizeType) {
    if (m_skipDepth > 0) return endSkipped();
    if (m_place == Place::Row) {
      m_place = Place::Rows;
      return finishRow();
    }
    if (m_place == Place::Header) {
      m_place = Place::Done;
      return true;
    }
    return foreign();
  }
  bool StartArray() {
    if (m_skipDepth > 0) return ++m_skipDepth, true;
    if (m_place == Place::Header && m_key == HeaderKey::Rows) {
      if (!m_formatSeen) return foreign();
      m_place = Place::Rows;
      return true;
    }
    if (m_place == Place::Header || m_place == Place::Row) {
      m_skipDepth = 1;
      return true;
    }
    return foreign();
  }
  bool EndArray(rapidjson::SizeType) {
    if (m_skipDepth > 0) return endSkipped();
    if (m_place == Place::Rows) {
      m_place = Place::Header;
      m_rowsClosed = true;
      return true;
    }
    return foreign();
  }
  bool Key(const char* text, rapidjson::SizeType length, bool) {
    if (m_skipDepth > 0) return true;
    const std::string_view key(text, length);
    if (m_place == Place::Row) {
      m_field = rowField(key);
      return true;
    }
    // The format's name comes first: anything else is some other JSON.
    if (!m_formatSeen && key != F::kFormatKey) return foreign();
    m_key = key == F::kFormatKey        ? HeaderKey::Format
            : key == F::kVersionKey     ? HeaderKey::Version
            : key == F::kTitle          ? HeaderKey::Title
            : key == F::kInputFolder    ? HeaderKey::InputFolder
            : key == "inputFolderBytes" ? HeaderKey::InputFolderBytes
            : key == F::kHashAlgorithm  ? HeaderKey::HashAlgorithm
            : key == F::kRows           ? HeaderKey::Rows
            : key == F::kRowCount       ? HeaderKey::RowCount
                                        : HeaderKey::Other;
    return true;
  }
  bool String(const char* text, rapidjson::SizeType length, bool) {
    if (m_skipDepth > 0) return true;
    const std::string_view value(text, length);
    if (m_place == Place::Row) return rowString(value);
    if (m_place != Place::Header) return foreign();
    switch (m_key) {
      case HeaderKey::Format:
        if (value != F::kFormat) return foreign();
        m_formatSeen = true;
        return true;
      case HeaderKey::Title:
        m_list.title = QString::fromUtf8(text, qsizetype(length));
        return true;
      case HeaderKey::InputFolder:
        if (m_list.inputFolder.isEmpty()) m_list.inputFolder = decodeFileName(text);
        return true;
      case HeaderKey::InputFolderBytes:
        m_list.inputFolder = fromBase64(value);
        return true;
      case HeaderKey::HashAlgorithm:
        m_list.hashKind =
            hashKindFromName(QString::fromUtf8(text, length)).value_or(HashKind::None);
        return true;
      default:
        return true;
    }
  }
  // A date or digest the file system or the reader could not give.
  bool Null() {
    return m_skipDepth > 0 || m_place == Place::Header || m_place == Place::Row || foreign();
  }
  bool Bool(bool) { return m_skipDepth > 0 || m_place == Place::Header || m_place == Place::Row; }
  bool Int(int value) { return number(value); }
  bool Uint(unsigned value) { return number(value); }
  bool Int64(int64_t value) { return number(value); }
  bool Uint64(uint64_t value) {
    return value > uint64_t(std::numeric_limits<qint64>::max()) ? badRow() : number(qint64(value));
  }
  bool Double(double) {
    if (m_skipDepth > 0 || m_place == Place::Header) return true;
    if (m_place == Place::Row && m_field != Field::Size) return true;
    return badRow();
  }

  Stop stop() const { return m_stop; }
  int version() const { return m_version; }
  bool complete() const { return m_place == Place::Done && m_rowsClosed && m_rowCount >= 0; }
  qint64 rowCount() const { return m_rowCount; }

 private:
  enum class Place { Start, Header, Rows, Row, Done };
  enum class HeaderKey {
    Format,
    Version,
    Title,
    InputFolder,
    InputFolderBytes,
    HashAlgorithm,
    Rows,
    RowCount,
    Other
  };
  enum Have : unsigned { kHaveFolder = 1, kHaveName = 2, kHaveSize = 4, kHaveModified = 8 };

  bool foreign() {
    if (m_stop == Stop::None) m_stop = m_formatSeen ? Stop::BadRow : Stop::Foreign;
    return false;
  }
  bool badRow() {
    m_stop = Stop::BadRow;
    return false;
  }
  bool endSkipped() {
    --m_skipDepth;
    return true;
  }
  bool number(qint64 value) {
    if (m_skipDepth > 0) return true;
    if (m_place == Place::Header) {
      if (m_key == HeaderKey::Version) {
        m_version = value > 1000000 ? 1000000 : int(value);
        if (m_version > F::kVersion) {
          m_stop = Stop::Newer;
          return false;
        }
      } else if (m_key == HeaderKey::RowCount) {
        m_rowCount = value;
      }
      return true;
    }
    if (m_place != Place::Row) return foreign();
    if (m_field == Field::Size) {
      if (value < 0) return badRow();
      m_row.size = value;
      m_have |= kHaveSize;
    }
    return true;
  }
  static QString fromBase64(std::string_view value) {
    const QByteArray bytes =
        QByteArray::fromBase64(QByteArray::fromRawData(value.data(), qsizetype(value.size())));
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
    if (std::strlen(value.data()) != value.size()) return badRow();
    switch (m_field) {
      case Field::Folder:
        if (!(m_have & kHaveFolder)) setFolder(text());
        m_have |= kHaveFolder;
        return true;
      case Field::FolderBytes:
        setFolder(fromBase64(value));
        m_have |= kHaveFolder;
        return true;
      case Field::Name:
        if (!m_nameFromBytes) m_row.name = text();
        m_have |= kHaveName;
        return true;
      case Field::NameBytes:
        m_row.name = fromBase64(value);
        m_nameFromBytes = true;
        m_have |= kHaveName;
        return true;
      case Field::Extension:
        // A handful of extensions serve a million rows: one shared text each.
        if (!m_extensionFromBytes) m_row.extension = shared(m_extensions, text());
        return true;
      case Field::ExtensionBytes:
        m_row.extension = fromBase64(value);
        m_extensionFromBytes = true;
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
        if (!stamp) return badRow();
        m_row.modified = *stamp;
        m_have |= kHaveModified;
        return true;
      }
      case Field::Hash:
        m_hash = QByteArray(value.data(), qsizetype(value.size()));
        return true;
      case Field::Size:
        return badRow();
      default:
        return true;
    }
  }
  static QString shared(QSet<QString>& texts, const QString& text) {
    if (texts.size() > 4096) return text;  // not a handful after all
    return *texts.insert(text);
  }
  bool finishRow() {
    if ((m_have & (kHaveFolder | kHaveName)) != (kHaveFolder | kHaveName)) return badRow();
    m_nameFromBytes = m_extensionFromBytes = false;
    m_allSizes = m_allSizes && (m_have & kHaveSize);
    m_list.rows.push_back(std::move(m_row));
    if (m_list.hashKind != HashKind::None) m_list.hashes.push_back(m_hash);
    m_list.hasSizes = m_allSizes;
    return true;
  }

  SavedList& m_list;
  Place m_place = Place::Start;
  HeaderKey m_key = HeaderKey::Other;
  Field m_field = Field::Unknown;
  int m_skipDepth = 0;
  bool m_formatSeen = false;
  bool m_rowsClosed = false;
  bool m_allSizes = true;
  bool m_nameFromBytes = false;
  bool m_extensionFromBytes = false;
  int m_version = 0;
  qint64 m_rowCount = -1;
  unsigned m_have = 0;
  Stop m_stop = Stop::None;
  FileEntry m_row;
  QByteArray m_hash;
  QString m_lastFolder;
  QSet<QString> m_types;
  QSet<QString> m_extensions;
  IsoDateTime m_iso;
};

// Where each row's path below the list's folder begins: the folder the list was made of when
// the row lies in it, else the whole path.
void markRoots(SavedList& list) {
  const QString& root = list.inputFolder;
  for (FileEntry& row : list.rows) {
    row.rootLength = !root.isEmpty() && row.folder.startsWith(root) ? qint32(root.size()) : 0;
  }
}

template <typename Stream>
SavedListRead parse(Stream& stream, const QString& path) {
  SavedListRead result;
  SavedList list;
  list.path = path;
  LineCountingStream<Stream> counted(stream);
  Handler handler(list);
  rapidjson::Reader reader;
  const rapidjson::ParseResult parsed =
      reader.Parse<rapidjson::kParseStopWhenDoneFlag>(counted, handler);
  const qint64 line = counted.line();
  if (handler.stop() == Handler::Stop::Foreign) {
    result.error = ListReadErrors::foreign(path, line);
    return result;
  }
  if (handler.stop() == Handler::Stop::Newer) {
    result.error = ListReadErrors::newer(path, line, handler.version());
    return result;
  }
  if (handler.stop() == Handler::Stop::BadRow) {
    result.error = ListReadErrors::badRow(path, line);
    return result;
  }
  if (!parsed) {
    if (parsed.Code() == rapidjson::kParseErrorDocumentEmpty) {
      result.error = ListReadErrors::foreign(path, line);
    } else if (counted.Peek() == '\0') {
      result.error = ListReadErrors::truncated(path, line);
    } else {
      result.error = ListReadErrors::notJson(
          path, line, QString::fromLatin1(rapidjson::GetParseError_En(parsed.Code())));
    }
    return result;
  }
  if (!handler.complete() || handler.rowCount() != qint64(list.rows.size())) {
    result.error = ListReadErrors::truncated(path, line);
    return result;
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
  std::FILE* file = std::fopen(encodeFileName(path).constData(), "rb");
  if (!file) {
    return {std::nullopt,
            ListReadErrors::cannotOpen(path, QString::fromLocal8Bit(std::strerror(errno)))};
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
  char buffer[64 * 1024];
  rapidjson::FileReadStream stream(file, buffer, sizeof buffer);
  SavedListRead result = parse(stream, path);
  if (std::ferror(file)) {
    return {std::nullopt,
            ListReadErrors::cannotOpen(path, QString::fromLocal8Bit(std::strerror(EIO)))};
  }
  return result;
}

SavedListRead JsonListReader::readBytes(const QByteArray& bytes, const QString& path) {
  rapidjson::MemoryStream stream(bytes.constData(), std::size_t(bytes.size()));
  return parse(stream, path);
}

}  // namespace vek
