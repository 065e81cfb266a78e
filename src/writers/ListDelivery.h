// What an export adds around a list so that it proves a delivery: the rows it lists (never the
// run's own outputs), the digests of the ticked rows (read before the list is written, so a
// cancel leaves everything as it was), and the checksum file beside the list, which replaces
// its old one together with the list. One piece for every writer.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <QIODevice>
#include <QString>

#include "core/list/ColumnOptions.h"
#include "core/list/FileEntry.h"
#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/messages/Message.h"
#include "core/platform/FileHasher.h"
#include "writers/ColumnCells.h"

namespace vek {

// The digests an export needs, read before it starts (the window reads them beside its event
// loop): one per ticked row of the delivery's list, of the column's kind and, when the checksum
// file has a kind of its own, of that kind.
struct ListDigests {
  std::vector<FileHash> hashes;
  std::vector<FileHash> checksumHashes;
  std::vector<qint64> ownRows;  // the rows the delivery left unticked, which they go with
};

class ListDelivery {
 public:
  // For a list written to listPath: when rows of list name the export's own outputs (the list,
  // the checksum file when one is asked for, the temporary files of a run, Vek's or another
  // Vek's, in that folder), because the output folder lies inside the listed tree, list() is a
  // copy in which they are not ticked; otherwise list itself, which must outlive this.
  ListDelivery(const FileList& list, const QString& listPath, const ColumnOptions& columns);
  ListDelivery(const ListDelivery&) = delete;
  ListDelivery& operator=(const ListDelivery&) = delete;

  // The rows to hand to the writer.
  const FileList& list() const { return m_own ? *m_own : *m_list; }

  // The kinds of digest the options ask for, in the order ListDigests holds them: none, the
  // column's (or the checksum file's), or the column's and then the checksum file's.
  std::vector<HashKind> digestKinds() const;
  // The rows the digests are read for (those of list()).
  std::span<const FileEntry> rows() const { return m_rows; }
  // The rows of the given list left unticked as the export's own outputs.
  const std::vector<qint64>& ownRows() const { return m_ownRows; }

  // Reads the files when the options ask for digests, or takes readAhead when it was read
  // for the same rows. False when the person cancelled: then nothing may be written.
  bool prepare(Interaction& interaction, const ListDigests* readAhead = nullptr);
  // Hands the digests to the cells of the hash column, and the delivery check of every row to
  // the cells of its column.
  void applyTo(ColumnCells& cells) const;
  // Stages the list (body writes it; false from body: a write failed) and, when asked for, the
  // checksum file beside it; check, when given, reads the staged list from its start and may
  // refuse it; bodyReason, when given, is the writer's own reason for a failed body, shown
  // after the warning. Then both replace their old files together: when either cannot be written,
  // neither is replaced, the person is told which one failed, and false comes back.
  bool write(const QString& listPath, Interaction& interaction,
             const std::function<bool(QIODevice&)>& body,
             const std::function<bool(QIODevice&)>& check = {},
             const std::function<QString()>& bodyReason = {}) const;
  // After the list was written: each ticked row that got no digest goes to
  // Interaction::reportIncomplete with its reason, and the notice about them is shown.
  void reportMissing(Interaction& interaction) const;

  const std::vector<FileHash>& hashes() const { return m_hashes; }

  // The warning when the checksum file could not be written: the list was not replaced either.
  static Message pairNotWrittenMessage(const QString& checksumPath, const QString& listPath);

  // Whether fileName is one of the temporary files an export puts beside its list.
  static bool isTemporaryName(const QString& fileName);

 private:
  const FileList* m_list;
  std::optional<FileList> m_own;
  std::vector<qint64> m_ownRows;
  std::span<const FileEntry> m_rows;
  ColumnOptions m_columns;
  std::vector<FileHash> m_hashes;          // the column's, or the checksum file's without one
  std::vector<FileHash> m_checksumHashes;  // only when the checksum file has a digest of its own
};

}  // namespace vek
