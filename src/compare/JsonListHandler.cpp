#include "compare/JsonListHandler.h"

namespace vek::json_list {

bool Handler::StartObject() {
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

bool Handler::String(const char* text, rapidjson::SizeType length, bool) {
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

bool Handler::rowString(std::string_view value) {
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

bool Handler::finishRow() {
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

}  // namespace vek::json_list
