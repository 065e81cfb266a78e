// The descriptor cache of a walk: folders opened relative to their kept parents.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "core/platform/FileSystem.h"
#include "gather/FolderNode.h"
#include "gather/ReaderCount.h"

namespace vek {

// Opens the folders of a walk, each relative to its parent's open descriptor rather than by
// its path, which the system would resolve name by name every time. The descriptors of the
// folders opened last are kept, a bounded number: in a depth-first walk a folder's parent was
// nearly always opened just before it. A folder whose parent is no longer kept is opened from
// its nearest kept ancestor, or by its path when none is near. More readers keep more
// descriptors. The file system of each device met is looked at once: a network one lets the
// readers grow. Thread-safe.
class FolderOpener {
 public:
  using Open = std::shared_ptr<const FileSystem::Folder>;

  // lookAtFileSystems false for folders a search has already found not to be on a pseudo
  // file system: the reads of their files.
  FolderOpener(ReaderCount& readers, bool lookAtFileSystems)
      : m_readers(readers), m_lookAtFileSystems(lookAtFileSystems) {}

  // The open folder; nullptr when it (or a folder above it) cannot be opened.
  Open open(const std::shared_ptr<const FolderNode>& node) {
    std::vector<const std::shared_ptr<const FolderNode>*> chain;  // below the kept ancestor
    Open base;
    {
      std::lock_guard lock(m_mutex);
      for (const std::shared_ptr<const FolderNode>* n = &node; *n; n = &(*n)->parent()) {
        if ((base = kept(n->get()))) break;
        chain.push_back(n);
        if (chain.size() > kNear) break;
      }
    }
    if (!base && node->parent() && chain.size() > kNear) {
      // No kept ancestor nearby (a side folder met on the way back up a deep chain): the
      // system resolves the whole path faster than one call per name.
      std::optional<FileSystem::Folder> opened = FileSystem::Folder::open(node->text());
      if (!opened) return nullptr;
      base = std::make_shared<const FileSystem::Folder>(std::move(*opened));
      keep(node, base);
      return base;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      const std::shared_ptr<const FolderNode>& folder = **it;
      std::optional<FileSystem::Folder> opened;
      if (base) {
        opened = base->openSubfolder(folder->name(), m_lookAtFileSystems);
      } else if (!folder->parent()) {
        opened = FileSystem::Folder::open(folder->name());
      }
      if (!opened) return nullptr;
      base = std::make_shared<const FileSystem::Folder>(std::move(*opened));
      keep(folder, base);
    }
    return base;
  }

 private:
  // How many descriptors are kept: far below any system's limit, and enough for the threads
  // of a walk to find the parents of the folders they open; four more for each reader past
  // twelve.
  static constexpr std::size_t kKept = 48;
  static constexpr std::size_t kKeptPerReader = 4;
  // How far up a kept ancestor is looked for before the folder is opened by its path.
  static constexpr std::size_t kNear = 8;

  Open kept(const FolderNode* node) {
    for (Kept& k : m_kept) {
      if (k.node.get() == node) {
        k.used = ++m_clock;
        return k.folder;
      }
    }
    return nullptr;
  }

  void keep(const std::shared_ptr<const FolderNode>& node, const Open& folder) {
    std::unique_lock lock(m_mutex);
    if (std::find(m_devices.begin(), m_devices.end(), folder->device()) == m_devices.end()) {
      m_devices.push_back(folder->device());
      lock.unlock();
      if (FileSystem::onNetworkFileSystem(node->text())) m_readers.markNetworkShare();
      lock.lock();
    }
    if (kept(node.get())) return;
    if (m_kept.size() < std::max(kKept, kKeptPerReader * std::size_t(m_readers.wanted()))) {
      m_kept.push_back({node, folder, ++m_clock});
      return;
    }
    // The start folders stay: every other folder can be opened again from them.
    auto oldest = std::min_element(m_kept.begin(), m_kept.end(), [](const Kept& a, const Kept& b) {
      return std::pair(!a.node->parent(), a.used) < std::pair(!b.node->parent(), b.used);
    });
    *oldest = {node, folder, ++m_clock};
  }

  struct Kept {
    std::shared_ptr<const FolderNode> node;  // held, so that its address names no other folder
    Open folder;
    std::uint64_t used;
  };
  ReaderCount& m_readers;
  const bool m_lookAtFileSystems;
  std::mutex m_mutex;
  std::vector<Kept> m_kept;
  std::vector<quint64> m_devices;  // whose file system was looked at
  std::uint64_t m_clock = 0;
};

}  // namespace vek
