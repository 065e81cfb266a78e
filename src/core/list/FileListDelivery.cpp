// The output list's delivery checks: the index of the rows' checks, kept up to date as rows
// are added, and the sort by the checks' notes.
#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "core/list/FileList.h"
#include "core/list/RowOrder.h"

namespace vek {

void FileList::noteAdded(const FileEntry& entry, const RowCheck& check) {
  // A copied list fills its checks again when they are next asked for.
  if (!m_delivery.stale()) m_delivery.add(entry, check);
}

void FileList::buildDeliveryChecks() {
  if (m_checksBuilt && !m_delivery.stale()) return;
  m_checksBuilt = true;
  m_delivery.clear();
  m_delivery.reserve(qsizetype(count()));
  for (const FileEntry& row : m_rows) noteAdded(row, rowCheck(row));
  for (const FileEntry& row : m_pendingRows) noteAdded(row, rowCheck(row));
}

DeliveryFinding FileList::deliveryProblems(qint64 row) {
  buildDeliveryChecks();
  return m_delivery.finding(rowAt(row));
}

qint64 FileList::notedCount() {
  buildDeliveryChecks();
  return m_delivery.notedCount();
}

void FileList::sortByDeliveryCheck() {
  buildDeliveryChecks();
  settle();
  m_sortingEnabled = false;  // as after the size sort
  m_sortedPrefix = 0;
  m_notedFirst = !m_notedFirst;
  // Each row's kinds of problem (its name's, its folders'), then the distinct kinds ranked by
  // their notes, no note last.
  std::vector<quint32> kinds(m_rows.size());
  std::unordered_map<quint32, std::size_t> rank;
  std::vector<quint32> distinct;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const DeliveryFinding found = m_delivery.finding(m_rows[i]);
    kinds[i] = quint32(found.name) | (quint32(found.folders) << 16);
    if (rank.emplace(kinds[i], 0).second) distinct.push_back(kinds[i]);
  }
  std::sort(distinct.begin(), distinct.end(), [](quint32 a, quint32 b) {
    if ((a == 0) != (b == 0)) return b == 0;
    const int byName =
        compareText(deliveryNote(DeliveryProblems(a)), deliveryNote(DeliveryProblems(b)));
    if (byName != 0) return byName < 0;
    return compareText(deliveryNote(DeliveryProblems(a >> 16)),
                       deliveryNote(DeliveryProblems(b >> 16))) < 0;
  });
  if (!m_notedFirst) std::reverse(distinct.begin(), distinct.end());
  for (std::size_t r = 0; r < distinct.size(); ++r) rank[distinct[r]] = r;
  // A counting sort by rank keeps equal rows in their order.
  std::vector<std::size_t> next(distinct.size() + 1, 0);
  for (const quint32 kind : kinds) ++next[rank[kind] + 1];
  std::partial_sum(next.begin(), next.end(), next.begin());
  std::vector<std::size_t> order(m_rows.size());
  for (std::size_t i = 0; i < m_rows.size(); ++i) order[next[rank[kinds[i]]]++] = i;
  reorder(std::move(order));
}
}  // namespace vek
