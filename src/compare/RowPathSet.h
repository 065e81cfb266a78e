// The paths of the rows read so far, to find a file a list holds twice as its row is read: an
// open-addressing table of row numbers (a few bytes a row beside the rows themselves).
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include <QHashFunctions>

#include "core/FileEntry.h"

namespace vek {

class RowPathSet {
 public:
  // Adds rows[index]; false when an earlier row has the same folder, name and extension.
  bool insert(const std::vector<FileEntry>& rows, std::size_t index) {
    if ((m_count + 1) * 2 > m_slots.size()) grow(rows);
    if (!place(rows, index)) return false;
    ++m_count;
    return true;
  }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

  static size_t hashOf(const FileEntry& row) {
    return qHashMulti(0, QStringView(row.folder), QStringView(row.name),
                      QStringView(row.extension));
  }
  static bool same(const FileEntry& a, const FileEntry& b) {
    return a.name == b.name && a.extension == b.extension && a.folder == b.folder;
  }
  bool place(const std::vector<FileEntry>& rows, std::size_t index) {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hashOf(rows[index]) & mask;; slot = (slot + 1) & mask) {
      if (m_slots[slot] == kEmpty) {
        m_slots[slot] = std::uint32_t(index);
        return true;
      }
      if (same(rows[m_slots[slot]], rows[index])) return false;
    }
  }
  void grow(const std::vector<FileEntry>& rows) {
    std::vector<std::uint32_t> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(64, old.size() * 2), kEmpty);
    for (const std::uint32_t index : old) {
      if (index != kEmpty) place(rows, index);
    }
  }

  std::vector<std::uint32_t> m_slots;
  std::size_t m_count = 0;
};

}  // namespace vek
