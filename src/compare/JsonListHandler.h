// The SAX handler that turns a JSON list's events into a SavedList: the header's fields in any
// order, each row as it comes, the nesting counted against the limit. An inner part of the JSON
// reader: JsonListReader drives RapidJSON with it and turns its stop into a message.
#pragma once

#include <string>
#include <string_view>

#include <rapidjson/reader.h>

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include "compare/ListInput.h"
#include "compare/RowPathSet.h"
#include "compare/SavedList.h"
#include "core/dates/IsoDateTime.h"
#include "core/platform/FileNameBytes.h"
#include "writers/JsonListFormat.h"

namespace vek::json_list {

namespace F = JsonListFormat;

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

inline Field rowField(std::string_view key) {
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

  bool StartObject();
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
  bool String(const char* text, rapidjson::SizeType length, bool copy);
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
  bool rowString(std::string_view value);
  static QString shared(QSet<QString>& texts, const QString& text) {
    if (texts.size() > 4096) return text;  // not a handful after all
    return *texts.insert(text);
  }
  bool finishRow();

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

}  // namespace vek::json_list
