// The digests of a list's ticked rows, computed when a list with a hash column or a checksum
// file is exported: read on several threads under the progress display, which the person can
// cancel, and the rows that got no digest reported once afterwards.
#pragma once

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "core/list/FileEntry.h"
#include "core/messages/Interaction.h"
#include "core/messages/Message.h"
#include "core/platform/FileHasher.h"
#include "core/platform/HashKind.h"

namespace vek {

class ListHashes {
 public:
  // One digest per ticked row, in the list's order; nullopt when the person cancelled. Waits
  // on this thread, showing progress through interaction (the batch run).
  static std::optional<std::vector<FileHash>> compute(std::span<const FileEntry> rows,
                                                      HashKind kind, Interaction& interaction,
                                                      int threads = HashJob::defaultThreads());

  // The files a list's ticked rows have read: a comparison's removed or unverified row names
  // a file that is not known to be in the folder now, at a path a saved list gave, and is
  // never opened.
  struct Reading {
    std::vector<QString> paths;
    std::vector<qint64> sizes;
    std::vector<std::size_t> read;  // the ticked rows read, by their place among the ticked
    std::size_t ticked = 0;
    qint64 totalBytes = 0;
    // The progress bar counts kibibytes, which no list overflows.
    qint64 barMaximum() const { return std::max<qint64>(totalBytes / 1024, 1); }
  };
  static Reading reading(std::span<const FileEntry> rows);
  // One digest per ticked row from the digests of reading.paths.
  static std::vector<FileHash> perTickedRow(const Reading& reading, std::vector<FileHash> results);
  // The progress display's texts while the files are read.
  static QString progressInfo();
  static QString progressDetail(qint64 done, qint64 count);

  // The notice after writing when some ticked rows got no digest: how many, where that shows
  // (the hash column of the list, the checksum file, as there are), and the first of them
  // with the reason. nullopt when every row was hashed.
  static std::optional<Message> missingMessage(std::span<const FileEntry> rows,
                                               const std::vector<FileHash>& hashes, bool hashColumn,
                                               bool checksumFile);
  // Why a file got no digest, in words, with the system's own where it gave some.
  static QString reason(const FileHash& hash);

  static QString progressCaption();
};

}  // namespace vek
