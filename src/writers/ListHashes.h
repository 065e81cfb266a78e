// The digests of a list's ticked rows, computed when a list with a hash column or a checksum
// file is exported: read on several threads under the progress display, which the person can
// cancel, and the rows that got no digest reported once afterwards.
#pragma once

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
  // One digest per ticked row, in the list's order; nullopt when the person cancelled.
  static std::optional<std::vector<FileHash>> compute(std::span<const FileEntry> rows,
                                                      HashKind kind, Interaction& interaction,
                                                      int threads = HashJob::defaultThreads());

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
