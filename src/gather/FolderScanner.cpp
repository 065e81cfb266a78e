// The subtree walk and the per-file lookups, spread over threads but delivered in the order
// of a single thread.
#include "gather/FolderScanner.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include "core/platform/OrderedWork.h"
#include "core/text/PathRules.h"
#include "gather/FileReads.h"
#include "gather/FileRows.h"
#include "gather/FolderOpener.h"
#include "gather/FolderReadAhead.h"
#include "gather/ReaderCount.h"

namespace vek {

FolderScanner::FolderScanner(WildcardFilter filter, int threads, WalkRules rules)
    : m_filter(std::move(filter)), m_rules(std::move(rules)) {
  if (threads > 0) {
    m_readers = std::make_unique<ReaderCount>(threads, threads);
  } else {
    const int base = workerThreads();
    m_readers = std::make_unique<ReaderCount>(
        base, workerThreadsPinned() ? base : ReaderCount::kMostReaders);
  }
}

FolderScanner::~FolderScanner() = default;

int FolderScanner::readers() const {
  return m_readers->wanted();
}

std::optional<std::vector<QString>> FolderScanner::listFiles(const QString& folderText) const {
  const std::optional<FileSystem::Folder> folder = FileSystem::Folder::open(folderText);
  if (!folder) return std::nullopt;
  if (folder->isPseudo()) return std::vector<QString>();
  auto listing = folder->read(nameFilter(m_filter, m_rules), m_rules.hiddenFilesRead());
  if (!listing) return std::nullopt;
  return std::move(listing->files);
}

std::optional<FileEntry> FolderScanner::readEntry(const FileSystem::Folder* open,
                                                  const QString& folderText, const QString& name,
                                                  QString* reason) {
  std::optional<FileInfo> info =
      open ? open->fileInfo(name, reason) : FileSystem::fileInfo(folderText + name, reason);
  if (!info) return std::nullopt;
  SharedExtensions extensions;
  return rowOf(folderText, name, std::move(*info), extensions);
}

qint64 FolderScanner::searchSubfolders(const QString& start, std::vector<FolderEntry>& table,
                                       const SearchHooks& hooks) {
  if (start.isEmpty()) return 0;
  const QChar separator = pathSeparator(nativePathStyle());
  // The first type description loads the system's MIME data, a tenth of a second or so: load
  // it while the folders are searched rather than when the first file is read.
  Workers typesLoaded;
  typesLoaded.start(
      [] { runCaught([] { FileSystem::typeDescription(QStringLiteral("a.txt")); }); });
  if (table.empty() || table.back().path() != start) table.emplace_back(start);
  FolderOpener opener(*m_readers, true);
  ReadRules read{nameFilter(m_filter, m_rules), m_rules.hiddenFilesRead(), &m_rules, {}};
  if (m_rules.oneFileSystem()) {
    // The start folder's device; a start that cannot be opened is reported by its read.
    if (const FolderOpener::Open folder = opener.open(table.back().node))
      read.device = folder->device();
  }
  FolderReadAhead readAhead(std::move(read), *m_readers, opener, m_cancel);
  ReaderCount::Stretch stretch(*m_readers);

  // An explicit stack instead of recursion: a deep tree cannot exhaust the call stack. Each
  // folder is stored when it is taken from the stack, its subfolders are pushed in reverse so
  // that the first one is taken next: the table comes out in depth-first pre-order.
  std::vector<std::shared_ptr<FolderReadAhead::Slot>> pending;
  pending.push_back(readAhead.submit(table.back().node));
  // The text of the folder stored last, for the hook: in pre-order the next folder's parent
  // is always that folder or one above it, so the text is cut back and one name appended.
  QString current = start;
  bool startFolder = true;
  qint64 unreadable = 0;
  while (!pending.empty()) {
    const std::shared_ptr<FolderReadAhead::Slot> slot = std::move(pending.back());
    pending.pop_back();
    if (!startFolder) {
      table.emplace_back(slot->node, std::vector<QString>());
      if (hooks.folderStored) {
        current.truncate(slot->node->parent()->textLength());
        current.append(slot->node->name()).append(separator);
        const ReaderCount::Idle idle(&stretch);  // the caller's time, not reading
        hooks.folderStored(current);
      }
    }
    startFolder = false;
    if (cancelRequested()) break;

    readAhead.grow();
    Reading reading = readAhead.take(*slot, stretch);
    if (reading.outcome != Reading::Outcome::Listed) {
      // An unreadable folder is withdrawn, and a pseudo file system is not entered; their
      // subfolders were never pushed.
      table.pop_back();
      if (reading.outcome == Reading::Outcome::Unreadable) {
        ++unreadable;
        if (hooks.folderUnreadable) {
          const ReaderCount::Idle idle(&stretch);
          hooks.folderUnreadable(slot->node->text(), qt_error_string(reading.error));
        }
      }
      continue;
    }
    table.back().files = std::move(reading.listing.files);
    const std::vector<QString>& folders = reading.listing.folders;
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
      pending.push_back(readAhead.submit(std::make_shared<const FolderNode>(slot->node, *it)));
    if (hooks.folderListed) {
      const ReaderCount::Idle idle(&stretch);
      hooks.folderListed();
    }
  }
  return unreadable;
}

bool FolderScanner::readFiles(std::vector<FolderEntry>& table, std::size_t firstFolder,
                              const std::function<bool(Batch&&)>& deliver) {
  // Pieces of at most one batch each, every folder at least one: each is handed over as one
  // batch. FileReads groups them into units of work.
  std::vector<Unit> pieces;
  for (std::size_t k = firstFolder; k < table.size(); ++k) {
    const std::size_t files = table[k].files.size();
    std::size_t from = 0;
    do {
      const std::size_t to = std::min(files, from + m_batchFiles);
      pieces.push_back({k, from, to});
      from = to;
    } while (from < files);
  }
  // The folders' own devices are looked at only while the readers could still grow for a
  // network share below the start not yet met (a search by another scanner found it): one
  // fstat more a folder. Otherwise they are known, from the search, not to be on a pseudo
  // file system.
  FolderOpener opener(*m_readers,
                      m_readers->most() > m_readers->base() && !m_readers->networkShare());
  // Every row remembers the folder this add started from.
  const qint32 rootLength =
      firstFolder < table.size() ? qint32(table[firstFolder].path().size()) : -1;
  FileReads reads(table, std::move(pieces), m_batchFiles, rootLength, m_rowChecks, *m_readers,
                  opener, m_cancel);
  return reads.run(deliver);
}

}  // namespace vek
