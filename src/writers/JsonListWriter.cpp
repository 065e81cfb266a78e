#include "writers/JsonListWriter.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <QTimeZone>

#include "core/dates/IsoDateTime.h"
#include "core/platform/FileNameBytes.h"
#include "core/platform/HashKind.h"
#include "core/platform/OrderedWork.h"
#include "writers/JsonListFormat.h"

namespace vek {

namespace {

namespace F = JsonListFormat;
using Writer = rapidjson::Writer<rapidjson::StringBuffer>;

constexpr std::size_t kBlockRows = 4096;

void putString(Writer& writer, const QByteArray& bytes) {
  writer.String(bytes.constData(), rapidjson::SizeType(bytes.size()));
}

void putKey(Writer& writer, const char* key) {
  writer.Key(key);
}

// A text that may hold a name's odd bytes: the readable text, and the bytes beside it when
// there are any.
void putNameField(Writer& writer, const char* key, const QString& text) {
  putKey(writer, key);
  putString(writer, JsonListWriter::readableUtf8(text));
  if (!holdsRawBytes(text)) return;
  const QByteArray bytesKey = QByteArray(key) + F::kBytesSuffix;
  writer.Key(bytesKey.constData(), rapidjson::SizeType(bytesKey.size()));
  putString(writer, encodeFileName(text).toBase64());
}

void putDate(Writer& writer, const char* key, const DateStamp& stamp, IsoDateTime& iso) {
  putKey(writer, key);
  if (stamp.isNull()) {
    writer.Null();
  } else {
    putString(writer, iso.format(stamp));
  }
}

}  // namespace

JsonListWriter::JsonListWriter(const ColumnOptions& columns, Header header)
    : m_columns(columns), m_header(std::move(header)) {}

QByteArray JsonListWriter::readableUtf8(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && !text[i].isSurrogate()) ++i;
  if (i == text.size()) return text.toUtf8();
  QString readable = text.toString();
  for (; i < readable.size(); ++i) {
    const QChar c = readable[i];
    if (!c.isSurrogate()) continue;
    if (c.isHighSurrogate() && i + 1 < readable.size() && readable[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    readable[i] = QChar::ReplacementCharacter;
  }
  return readable.toUtf8();
}

QByteArray JsonListWriter::headerLine() const {
  rapidjson::StringBuffer buffer;
  Writer writer(buffer);
  writer.StartObject();
  putKey(writer, F::kFormatKey);
  writer.String(F::kFormat);
  putKey(writer, F::kVersionKey);
  writer.Int(F::kVersion);
  putNameField(writer, F::kTitle, m_header.title);
  putNameField(writer, F::kInputFolder, m_header.inputFolder);
  putKey(writer, F::kWrittenAt);
  putString(writer, IsoDateTime::format(m_header.writtenAt));
  putKey(writer, F::kTimeZone);
  putString(writer, m_header.writtenAt.timeZone().id());
  putKey(writer, F::kColumns);
  writer.StartArray();
  for (const char* column : {F::kFolder, F::kName, F::kExtension, F::kType, F::kSize, F::kCreated,
                             F::kAccessed, F::kModified})
    writer.String(column);
  if (m_columns.chkRelPath) writer.String(F::kRelativePath);
  if (m_columns.hash != HashKind::None) writer.String(F::kHash);
  if (m_withState) writer.String(F::kState);
  writer.EndArray();
  if (m_columns.hash != HashKind::None) {
    putKey(writer, F::kHashAlgorithm);
    putString(writer, hashKindName(m_columns.hash).toLatin1());
  }
  putKey(writer, F::kWalk);
  if (const std::optional<ListWalk>& walk = m_header.walk) {
    writer.StartObject();
    putKey(writer, F::kWalkSubfolders);
    writer.Bool(walk->subfolders);
    putKey(writer, F::kWalkFilter);
    putString(writer, walk->filter.toUtf8());
    putKey(writer, F::kWalkExclude);
    putString(writer, walk->excluded.toUtf8());
    putKey(writer, F::kWalkHiddenFiles);
    writer.Bool(walk->hiddenFiles);
    putKey(writer, F::kWalkOneFileSystem);
    writer.Bool(walk->oneFileSystem);
    writer.EndObject();
  } else {
    writer.Null();
  }
  // The rows follow, one a line: the header object stays open around them.
  QByteArray line(buffer.GetString(), qsizetype(buffer.GetSize()));
  line += ",\"";
  line += F::kRows;
  line += "\":[";
  return line;
}

QByteArray JsonListWriter::rowLines(std::span<const FileEntry> rows, std::size_t first,
                                    std::size_t end, qint64 tickedBefore) const {
  rapidjson::StringBuffer buffer;
  Writer writer(buffer);
  IsoDateTime iso;
  qint64 ticked = tickedBefore;
  const bool withHash = m_columns.hash != HashKind::None;
  for (std::size_t index = first; index < end; ++index) {
    const FileEntry& row = rows[index];
    if (!row.ticked) continue;
    // Every row but the first follows a comma; each starts a line.
    if (ticked > 0) buffer.Put(',');
    buffer.Put('\n');
    writer.Reset(buffer);
    writer.StartObject();
    putNameField(writer, F::kFolder, row.folder);
    // A dot-file is named whole (".hidden"), its extension empty: it has no name before it.
    const bool dotFile = row.name.isEmpty();
    putNameField(writer, F::kName, dotFile ? row.extension : row.name);
    putNameField(writer, F::kExtension, dotFile ? QString() : row.extension);
    putKey(writer, F::kType);
    putString(writer, readableUtf8(row.type));
    putKey(writer, F::kSize);
    writer.Int64(row.size);
    putDate(writer, F::kCreated, row.created, iso);
    putDate(writer, F::kAccessed, row.accessed, iso);
    putDate(writer, F::kModified, row.modified, iso);
    if (m_columns.chkRelPath) putNameField(writer, F::kRelativePath, row.relativePath());
    if (withHash) {
      const FileHash* hash =
          std::size_t(ticked) < m_hashes.size() ? &m_hashes[std::size_t(ticked)] : nullptr;
      putKey(writer, F::kHash);
      if (hash && hash->hashed()) {
        putString(writer, hash->hex);
      } else {
        writer.Null();
        putKey(writer, F::kHashError);
        putString(writer, (hash ? hash->cellText() : FileHash().cellText()).toUtf8());
      }
    }
    if (m_withState) {
      putKey(writer, F::kState);
      writer.String(compareStateWord(row.state));
      if (row.state == CompareState::Changed) {
        putKey(writer, "changes");
        putString(writer, compareChangesWords(row.changes).toUtf8());
      }
    }
    writer.EndObject();
    ++ticked;
  }
  return QByteArray(buffer.GetString(), qsizetype(buffer.GetSize()));
}

bool JsonListWriter::write(QIODevice& device, std::span<const FileEntry> rows) {
  m_error.clear();
  bool failed = false;
  const auto put = [&](const QByteArray& bytes) {
    if (failed) return false;
    if (device.write(bytes) != bytes.size()) {
      failed = true;
      m_error = device.errorString();
    }
    return !failed;
  };
  put(headerLine());

  // The rows are made a block at a time, blocks side by side on the machine's cores, and
  // written in order; each block knows how many ticked rows stand before it.
  const std::size_t blocks = (rows.size() + kBlockRows - 1) / kBlockRows;
  std::vector<qint64> tickedBefore(blocks);
  qint64 ticked = 0;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    if (index % kBlockRows == 0) tickedBefore[index / kBlockRows] = ticked;
    ticked += rows[index].ticked ? 1 : 0;
  }
  QByteArray pending;
  runInOrder(
      blocks, workerThreads(),
      [&](std::size_t block) {
        return rowLines(rows, block * kBlockRows, std::min(rows.size(), (block + 1) * kBlockRows),
                        tickedBefore[block]);
      },
      [&](QByteArray&& lines) {
        pending += lines;
        if (pending.size() < 256 * 1024) return true;
        const bool ok = put(pending);
        pending.resize(0);
        return ok;
      },
      [] { return false; });
  pending += "\n],\"";
  pending += F::kRowCount;
  pending += "\":";
  pending += QByteArray::number(ticked);
  pending += "}\n";
  put(pending);
  return !failed;
}

}  // namespace vek
