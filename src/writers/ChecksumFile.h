// The checksum file written beside a list: one line per ticked row in the form that
// `sha256sum -c`, `sha1sum -c` and `md5sum -c` read, so that whoever receives the folder can
// check every file with the tools of their system. Paths are relative to the list's input
// folder and keep the bytes of the names on disk.
#pragma once

#include <span>

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include "core/list/FileEntry.h"
#include "core/platform/FileHasher.h"
#include "core/platform/HashKind.h"

namespace vek {

class ChecksumFile {
 public:
  // One line: digest, two spaces, path, LF. A path holding "\", LF or CR is escaped as
  // coreutils escapes it ("\\", "\n", "\r") and the line then begins with "\".
  // A file named "-" right in the input folder, which the tools would read as their standard
  // input, is written "./-".
  static QByteArray line(const QByteArray& hex, const QString& relativePath);

  // The folder every ticked row lies below: the longest folder text that starts each row's
  // start-of-add folder (the input folder of a batch run), a comparison's removed and
  // unverified rows left out. Ends in the separator; empty when
  // no row is ticked.
  static QString inputFolder(std::span<const FileEntry> rows);

  // Beside the list, named after it: "list.csv" -> "list.sha256". A list whose own extension
  // is the checksum file's keeps it and gets a second one, so the list is never overwritten.
  static QString pathFor(const QString& listPath, HashKind kind);

  // Writes the lines of the ticked rows that were hashed (hashes[i] belongs to the i-th ticked
  // row); a row without a digest has no line. False when the device refused bytes.
  static bool write(QIODevice& device, std::span<const FileEntry> rows,
                    const std::vector<FileHash>& hashes);
};

}  // namespace vek
