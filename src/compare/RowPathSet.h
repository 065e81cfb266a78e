// The paths of the rows read so far, to find a file a list holds twice as its row is read: an
// open-addressing table of row numbers (a few bytes a row beside the rows themselves).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include <QHashFunctions>

#include "core/list/FileEntry.h"

namespace vek {

class RowPathSet {
 public:
  // Adds rows[index]; false when an earlier row has the same folder, name and extension.
  bool insert(const std::vector<FileEntry>& rows, std::size_t index) {
    if ((m_count + 1) * 2 > m_slots.size()) grow();
    if (!place(rows, {std::uint32_t(index), hashOf(rows[index])})) return false;
    ++m_count;
    return true;
  }

 private:
  struct Slot {
    std::uint32_t index;
    std::uint32_t hash;
  };
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

  // Rows of one folder share its text: its hash is taken once.
  std::uint32_t hashOf(const FileEntry& row) {
    if (row.folder.constData() != m_folderData || row.folder.size() != m_folderSize) {
      m_folderData = row.folder.constData();
      m_folderSize = row.folder.size();
      m_folderHash = qHash(QStringView(row.folder));
    }
    return std::uint32_t(
        qHashMulti(m_folderHash, QStringView(row.name), QStringView(row.extension)));
  }
  bool place(const std::vector<FileEntry>& rows, Slot slot) {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = slot.hash & mask;; at = (at + 1) & mask) {
      Slot& here = m_slots[at];
      if (here.index == kEmpty) {
        here = slot;
        return true;
      }
      if (here.hash != slot.hash) continue;
      const FileEntry& a = rows[here.index];
      const FileEntry& b = rows[slot.index];
      if (a.name == b.name && a.extension == b.extension && a.folder == b.folder) return false;
    }
  }
  void grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(64, old.size() * 2), Slot{kEmpty, 0});
    const std::size_t mask = m_slots.size() - 1;
    // The rows already held differ from each other: each goes to the first free slot.
    for (const Slot& slot : old) {
      if (slot.index == kEmpty) continue;
      std::size_t at = slot.hash & mask;
      while (m_slots[at].index != kEmpty) at = (at + 1) & mask;
      m_slots[at] = slot;
    }
  }

  std::vector<Slot> m_slots;
  std::size_t m_count = 0;
  const QChar* m_folderData = nullptr;
  qsizetype m_folderSize = -1;
  size_t m_folderHash = 0;
};

}  // namespace vek
