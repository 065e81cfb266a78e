// The JSON writer: one UTF-8 document, written as it goes. The first line holds the header (the
// format's name and version, title, input folder, when it was written, the time zone, the
// columns, the hash kind, how the folder was walked), then each ticked row on a line of its own,
// then the row count that closes the document; a reader that misses it knows the list was cut.
// Every name survives: control characters are escaped, and a name that is not valid UTF-8 is
// written readable (U+FFFD for each odd byte) with its exact bytes in base64 in a field beside it.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QDateTime>
#include <QIODevice>
#include <QString>

#include "core/list/ColumnOptions.h"
#include "core/list/FileEntry.h"
#include "core/list/ListWalk.h"
#include "core/platform/FileHasher.h"

namespace vek {

class JsonListWriter {
 public:
  struct Header {
    QString title;
    QString inputFolder;  // the folder the list was made of; empty when not one
    QDateTime writtenAt = QDateTime::currentDateTime();
    // How the batch run walked the folder; none for a list that no single walk made (written
    // as null).
    std::optional<ListWalk> walk;
  };

  // The hash and relative-path fields follow the columns' choices; every other field is always
  // written, whatever the columns of the text lists.
  JsonListWriter(const ColumnOptions& columns, Header header);

  // One digest per ticked row, in order (see ListDelivery), for the hash field.
  void setHashes(std::vector<FileHash> hashes) { m_hashes = std::move(hashes); }
  // Writes a state field for each row (a comparison's result).
  void setWithState(bool withState) { m_withState = withState; }

  // False when the device refused bytes (see errorString()).
  bool write(QIODevice& device, std::span<const FileEntry> rows);
  QString errorString() const { return m_error; }

  // The readable UTF-8 of a text: each kept byte and every other lone surrogate as U+FFFD.
  static QByteArray readableUtf8(QStringView text);

 private:
  QByteArray headerLine() const;
  QByteArray rowLines(std::span<const FileEntry> rows, std::size_t first, std::size_t end,
                      qint64 tickedBefore) const;

  ColumnOptions m_columns;
  Header m_header;
  std::vector<FileHash> m_hashes;
  bool m_withState = false;
  QString m_error;
};

}  // namespace vek
