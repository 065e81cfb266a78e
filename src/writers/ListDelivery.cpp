#include "writers/ListDelivery.h"

#include "core/OutputFile.h"
#include "writers/ChecksumFile.h"
#include "writers/ListHashes.h"

namespace vek {

ListDelivery::ListDelivery(std::span<const FileEntry> rows, const ColumnOptions& columns)
    : m_rows(rows), m_columns(columns) {}

bool ListDelivery::prepare(Interaction& interaction) {
  if (!m_columns.needsDigests()) return true;
  // The checksum file needs a digest even without a hash column.
  const HashKind kind =
      m_columns.hash != HashKind::None ? m_columns.hash : m_columns.checksumKind();
  auto hashes = ListHashes::compute(m_rows, kind, interaction);
  if (!hashes) return false;
  m_hashes = std::move(*hashes);
  if (m_columns.checksumFile && m_columns.checksumKind() != kind) {
    auto own = ListHashes::compute(m_rows, m_columns.checksumKind(), interaction);
    if (!own) return false;
    m_checksumHashes = std::move(*own);
  }
  return true;
}

void ListDelivery::applyTo(ColumnCells& cells) const {
  if (m_columns.hash != HashKind::None) cells.setHashes(m_rows, m_hashes);
  // Names that differ only in case are found among all the rows of the list.
  if (m_columns.chkDeliveryCheck) cells.setDeliveryProblems(m_rows, deliveryProblems(m_rows));
}

bool ListDelivery::finish(const QString& listPath, Interaction& interaction) const {
  bool written = true;
  if (m_columns.checksumFile) {
    const QString path = ChecksumFile::pathFor(listPath, m_columns.checksumKind());
    const std::vector<FileHash>& hashes = m_checksumHashes.empty() ? m_hashes : m_checksumHashes;
    written = OutputFile::write(path, interaction, [&](QIODevice& device) {
      return ChecksumFile::write(device, m_rows, hashes);
    });
  }
  if (m_columns.needsDigests()) {
    if (auto message = ListHashes::missingMessage(m_rows, m_hashes)) {
      interaction.showMessage(*message);
    } else if (!m_checksumHashes.empty()) {
      if (auto own = ListHashes::missingMessage(m_rows, m_checksumHashes))
        interaction.showMessage(*own);
    }
  }
  return written;
}

}  // namespace vek
