// The walk behind the add operations, apart from the list it fills: the folder table of a
// subtree (depth-first pre-order) and the rows of the files of each folder, returned as
// values in batches, with the files that could not be read. It knows nothing of the output
// list, the settings or the person, so it can run on any thread; it spreads the folder reads
// and the per-file lookups over several threads and still gives everything in the order a
// single thread would. On a share where the reads mostly wait (a network file system), it
// adds readers (ReaderCount). A cancel request (from any thread) is honoured within one batch.
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

#include "core/list/DeliveryCheck.h"
#include "core/list/FileEntry.h"
#include "core/platform/FileSystem.h"
#include "gather/FolderNode.h"
#include "gather/WalkRules.h"
#include "gather/WildcardFilter.h"

namespace vek {

class ReaderCount;

class FolderScanner {
 public:
  // One folder of the subtree: the folder (parent and name) and the matching file names
  // found by the same directory read that found its subfolders.
  struct FolderEntry {
    FolderEntry() = default;
    // A start folder given by its folder text (ending in the separator).
    FolderEntry(const QString& folderText, std::vector<QString> names = {})
        : node(std::make_shared<const FolderNode>(folderText)), files(std::move(names)) {}
    FolderEntry(std::shared_ptr<const FolderNode> folder, std::vector<QString> names)
        : node(std::move(folder)), files(std::move(names)) {}
    // The folder text, ending in the separator.
    QString path() const { return node ? node->text() : QString(); }

    std::shared_ptr<const FolderNode> node;
    std::vector<QString> files;
  };

  // A file whose information could not be read, and why in the system's words; a folder
  // that could not be read when name is empty.
  struct Failure {
    QString folder;
    QString name;
    QString reason;
  };

  // Rows of consecutive files of one folder of the table, in the folder's order.
  struct Batch {
    std::size_t folder = 0;  // position in the table
    bool firstOfFolder = true;
    std::vector<FileEntry> entries;
    std::vector<Failure> failures;
    // With setRowChecks: each entry's delivery check parts, made by the reader that read it.
    std::vector<RowCheck> checks;
  };

  // Called on the calling thread: folderStored for every folder stored in the table after
  // the start folder, folderListed after each folder's listing was taken, folderUnreadable
  // for each folder left out because it could not be opened or read (its folder text and the
  // system's reason).
  struct SearchHooks {
    std::function<void(const QString& path)> folderStored;
    std::function<void()> folderListed;
    std::function<void(const QString& folderText, const QString& reason)> folderUnreadable;
  };

  // At most this many files per batch by default: a window on the same thread repaints
  // between batches.
  static constexpr std::size_t kBatchFiles = 1024;

  // threads == 0: as many readers as the machine has cores (or VEK_THREADS), and more, up to
  // ReaderCount::kMostReaders, while they mostly wait; threads > 0: exactly that many. rules
  // say which names are taken and which folders entered, beyond the filter.
  explicit FolderScanner(WildcardFilter filter = WildcardFilter(), int threads = 0,
                         WalkRules rules = WalkRules());
  ~FolderScanner();
  FolderScanner(const FolderScanner&) = delete;
  FolderScanner& operator=(const FolderScanner&) = delete;

  void setBatchFiles(std::size_t files) { m_batchFiles = std::max<std::size_t>(files, 1); }
  // Whether readFiles makes each row's delivery check parts (Batch::checks) on the readers'
  // threads, for a list that keeps the delivery check (the window's).
  void setRowChecks(bool make) { m_rowChecks = make; }

  // Thread-safe.
  void requestCancel() { m_cancel.store(true, std::memory_order_relaxed); }
  bool cancelRequested() const { return m_cancel.load(std::memory_order_relaxed); }

  // How many readers the walks of this scanner want now: the base count, more once reads
  // were seen to wait. What was learnt in searchSubfolders carries over to readFiles.
  int readers() const;

  // The matching files of one folder that the rules take, sorted; nullopt when it cannot be
  // read. A folder on a pseudo file system (proc, sysfs, …) lists nothing: no walk enters one.
  std::optional<std::vector<QString>> listFiles(const QString& folderText) const;

  // Appends start (unless it is already the last entry) and every folder below it to table,
  // depth first, each folder before its subtree and subtrees before the next sibling.
  // Folders that cannot be read are left out with their subtrees (each one given to
  // hooks.folderUnreadable); returns how many were.
  // Folders on pseudo file systems, folders whose names the rules leave out and, when the
  // rules keep to one file system, folders on another one than start's are never entered:
  // left out, and not counted. Stops early when cancelled.
  qint64 searchSubfolders(const QString& start, std::vector<FolderEntry>& table,
                          const SearchHooks& hooks = {});

  // Reads the files of table[firstFolder..] and hands the batches to deliver in table order;
  // every folder gives at least one batch (an empty one when it has no files). The file
  // names move out of the table into the rows and failures. Stops when deliver returns false
  // or a cancel is requested; returns false then.
  bool readFiles(std::vector<FolderEntry>& table, std::size_t firstFolder,
                 const std::function<bool(Batch&&)>& deliver);

  // The row of one file, ticked; nullopt when its information cannot be read (reason, when
  // given, then says why). open is the folder already opened, or nullptr to look the file up
  // by its full path.
  static std::optional<FileEntry> readEntry(const FileSystem::Folder* open,
                                            const QString& folderText, const QString& name,
                                            QString* reason = nullptr);

 private:
  WildcardFilter m_filter;
  WalkRules m_rules;
  std::unique_ptr<ReaderCount> m_readers;
  std::size_t m_batchFiles = kBatchFiles;
  bool m_rowChecks = false;
  std::atomic<bool> m_cancel{false};
};

}  // namespace vek
