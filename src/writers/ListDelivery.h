// What an export adds around a list so that it proves a delivery: the digests of the ticked
// rows (read before the list is written, so a cancel leaves everything as it was) and the
// checksum file beside the list. One piece for every writer.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QString>

#include "core/ColumnOptions.h"
#include "core/FileEntry.h"
#include "core/FileHasher.h"
#include "core/Interaction.h"
#include "writers/ColumnCells.h"

namespace vek {

class ListDelivery {
 public:
  ListDelivery(std::span<const FileEntry> rows, const ColumnOptions& columns);

  // Reads the files when the options ask for digests. False when the person cancelled: then
  // nothing may be written.
  bool prepare(Interaction& interaction);
  // Hands the digests to the cells of the hash column, and the delivery check of every row to
  // the cells of its column.
  void applyTo(ColumnCells& cells) const;
  // After the list was written to listPath: the checksum file beside it, then the notice about
  // rows without a digest. False when the checksum file could not be written (the person was
  // told; the list stays written).
  bool finish(const QString& listPath, Interaction& interaction) const;

  const std::vector<FileHash>& hashes() const { return m_hashes; }

 private:
  std::span<const FileEntry> m_rows;
  ColumnOptions m_columns;
  std::vector<FileHash> m_hashes;          // the column's, or the checksum file's without one
  std::vector<FileHash> m_checksumHashes;  // only when the checksum file has a digest of its own
};

}  // namespace vek
