#include "gather/Gatherer.h"

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/messages/Message.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/RecentTexts.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"

#include <QSet>

#include <cerrno>

namespace vek {

namespace {

QString nativeFolderText(const QString& folder) {
  return folderText(folder, nativePathStyle());
}

// The root of the file system: "/", or a drive root such as C:\ where paths have drives.
bool isRootFolder(const QString& folderText) {
  if (nativePathStyle() == PathStyle::Posix) return folderText == QStringView(u"/");
  return folderText.size() == 3 && folderText[1] == u':';
}

}  // namespace

Gatherer::Gatherer(FileList& list, Interaction& interaction, Settings& settings)
    : m_list(list), m_interaction(interaction), m_settings(settings) {}

void Gatherer::setFilter(const QString& filterText) {
  m_filter = WildcardFilter(filterText);
}

std::optional<std::vector<QString>> Gatherer::listFiles(const QString& folder) const {
  return FolderScanner(m_filter, 1, m_rules).listFiles(folder);
}

bool Gatherer::addFileEntry(const QString& folder, const QString& name) {
  const QString text = nativeFolderText(folder);
  if (text != m_lastFolderText) m_lastFolderText = text;
  QString reason;
  std::optional<FileEntry> entry =
      FolderScanner::readEntry(nullptr, m_lastFolderText, name, &reason);
  if (!entry) {
    reportUnreadable(m_lastFolderText, name, reason);
    return false;
  }
  if (m_settings.option.overLap && m_list.isAlreadyListed(entry->fullPath())) return false;
  m_list.append(std::move(*entry));
  return true;
}

void Gatherer::reportUnreadableFolder(const QString& folderText, const QString& reason) {
  m_unreadable.push_back(folderText);
  m_interaction.reportIncomplete(folderText, reason);
}

void Gatherer::reportUnreadable(const QString& folderText, const QString& name,
                                const QString& reason) {
  // Whatever the person chooses in the box, the file is named again at the end of the add.
  m_unreadable.push_back(folderText + name);
  m_interaction.reportIncomplete(folderText + name, reason);
  if (m_quiet) {
    ++m_quietFailures;
    return;
  }
  const FailureAnswer answer =
      m_interaction.reportAddFailure(MessageCatalogue::fileInfoFailed(folderText, name));
  if (answer == FailureAnswer::StopAdd) m_stopRequested = true;
  if (answer == FailureAnswer::Quiet) m_quiet = true;
}

void Gatherer::beginFailures() {
  m_quiet = false;
  m_quietFailures = 0;
  m_stopRequested = false;
  m_unreadable.clear();
}

void Gatherer::endFailures() {
  if (m_quietFailures > 0) {
    m_interaction.showMessage(MessageCatalogue::moreFileInfoFailures(m_quietFailures));
  }
  m_quiet = false;
  m_quietFailures = 0;
  m_stopRequested = false;
}

qint64 Gatherer::applyBatch(FolderScanner::Batch&& batch) {
  std::vector<FileEntry> rows = std::move(batch.entries);
  std::vector<RowCheck> checks = std::move(batch.checks);
  if (checks.size() != rows.size()) checks.clear();
  if (m_settings.option.overLap) {
    // A file already listed, or met earlier in this batch, is skipped silently; the rows'
    // checks stay beside them.
    QSet<QString> seen;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const QString path = rows[i].fullPath();
      if (m_list.isAlreadyListed(path) || seen.contains(path)) continue;
      seen.insert(path);
      if (kept != i) {
        rows[kept] = std::move(rows[i]);
        if (!checks.empty()) checks[kept] = checks[i];
      }
      ++kept;
    }
    rows.resize(kept);
    if (!checks.empty()) checks.resize(kept);
  }
  const auto added = qint64(rows.size());
  m_list.appendBatch(std::move(rows), checks);
  for (const FolderScanner::Failure& failure : batch.failures) {
    if (m_stopRequested) break;
    reportUnreadable(failure.folder, failure.name, failure.reason);
  }
  return added;
}

bool Gatherer::addTableFiles(std::vector<FolderEntry>& table, Progress progress, bool cancellable,
                             qint64& added) {
  FolderScanner scanner(m_filter, m_threads, m_rules);
  scanner.setBatchFiles(m_batchFiles);
  const auto count = qint64(table.size());
  qint64 files = 0;
  for (const FolderEntry& folder : table) files += qint64(folder.files.size());
  m_list.reserveFor(files);
  bool cancelled = false;
  // The window paints and takes clicks between batches; the person's cancel is looked at
  // before each folder (as it always was) and, in a cancellable add, between the batches of
  // one folder too, so a folder of many thousand files can be stopped part-way.
  m_interaction.yield();
  scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
    if (batch.firstOfFolder && progress == Progress::PerFolder) {
      const auto k = qint64(batch.folder);
      m_interaction.updateProgress(MessageCatalogue::fileSearchCaption(),
                                   MessageCatalogue::fileSearchInfo(),
                                   MessageCatalogue::progressDetail(k, count), k);
      if (m_interaction.cancelRequested()) {
        cancelled = true;
        return false;
      }
      // The folder text is made only when someone shows it: in a deep tree it is long.
      if (m_folderShown) showFolder(table[batch.folder].path());
    } else if (!batch.firstOfFolder && cancellable && m_interaction.cancelRequested()) {
      cancelled = true;
      return false;
    }
    added += applyBatch(std::move(batch));
    if (m_stopRequested) {
      cancelled = true;
      return false;
    }
    m_interaction.yield();
    return true;
  });
  return !cancelled;
}

qint64 Gatherer::addNames(const QString& folderText, std::vector<QString> names, bool cancellable) {
  if (names.empty()) return 0;
  std::vector<FolderEntry> table{{folderText, std::move(names)}};
  qint64 added = 0;
  addTableFiles(table, Progress::None, cancellable, added);
  return added;
}

void Gatherer::reportEmptyFilter() {
  m_interaction.showMessage(MessageCatalogue::noFileTypeChosen());
}

void Gatherer::showFolder(const QString& folderText) {
  if (m_folderShown) m_folderShown(folderWithoutSeparator(folderText, nativePathStyle()));
}

AddResult Gatherer::addCurrentFolder(const QString& folder) {
  auto files = listFiles(folder);
  if (!files) {
    // A folder that cannot be read lists nothing, and the list is not what it claims.
    const QString reason = qt_error_string(errno);
    beginFailures();
    reportUnreadableFolder(nativeFolderText(folder), reason);
    return {AddOutcome::NothingListed, 0, 1, m_unreadable};
  }
  if (files->empty()) return {AddOutcome::NothingListed, 0, 0, {}};
  if (filterIsEmpty()) {
    reportEmptyFilter();
    return {AddOutcome::EmptyFilter, 0, 0, {}};
  }
  const QString text = nativeFolderText(folder);
  m_list.setSortingEnabled(false);
  recordRecent(m_settings.history, folderWithoutSeparator(text, nativePathStyle()));
  // No cancel here: nothing offers one, and a stale request must not cut the add short.
  beginFailures();
  const qint64 added = addNames(text, std::move(*files), false);
  endFailures();
  if (m_sortAtEnd) m_list.setSortingEnabled(true);
  return {AddOutcome::Done, added, 0, m_unreadable};
}

AddResult Gatherer::addSubtree(const QString& folder) {
  if (filterIsEmpty()) {
    reportEmptyFilter();
    return {AddOutcome::EmptyFilter, 0, 0, {}};
  }
  const QString text = nativeFolderText(folder);
  if (!confirmRootScan(text)) return {AddOutcome::Declined, 0, 0, {}};

  m_list.setSortingEnabled(false);
  m_interaction.clearCancelRequested();
  beginFailures();
  qint64 added = 0;
  qint64 unreadable = 0;
  const bool completed = gatherSubtree(folder, &added, &unreadable);
  showFolder(text);  // the folder box returns to the start folder
  m_interaction.closeProgress();
  endFailures();
  if (m_sortAtEnd) m_list.setSortingEnabled(true);
  return {completed ? AddOutcome::Done : AddOutcome::Cancelled, added, unreadable, m_unreadable};
}

bool Gatherer::confirmRootScan(const QString& text) {
  const QString& filterText = m_filter.text();
  const bool everything = filterText == QLatin1String("*") || filterText == QLatin1String("*.*");
  if (everything && isRootFolder(text)) {
    return m_interaction.askYesNo(MessageCatalogue::wholeRootScanQuestion());
  }
  return true;
}

bool Gatherer::gatherSubtree(const QString& folder, qint64* added, qint64* unreadableFolders) {
  const QString text = nativeFolderText(folder);
  m_interaction.showProgress(MessageCatalogue::folderSearchCaption(),
                             MessageCatalogue::folderSearchInfo(), QString(), -1, 0);
  std::vector<FolderEntry> table;
  const qint64 unreadable = searchInto(text, table);
  if (unreadableFolders) *unreadableFolders = unreadable;

  const auto count = qint64(table.size());
  m_interaction.showProgress(MessageCatalogue::fileSearchCaption(),
                             MessageCatalogue::fileSearchInfo(),
                             MessageCatalogue::progressDetail(0, count), 0, count);
  qint64 rows = 0;
  const bool completed = addTableFiles(table, Progress::PerFolder, true, rows);
  if (added) *added = rows;
  return completed;
}

qint64 Gatherer::addFolderFiles(const QString& folder) {
  const QString text = nativeFolderText(folder);
  showFolder(text);
  auto files = listFiles(text);
  if (!files) {
    reportUnreadableFolder(text, qt_error_string(errno));
    return 0;
  }
  return addNames(text, std::move(*files), true);
}

qint64 Gatherer::searchInto(const QString& start, std::vector<FolderEntry>& table) {
  FolderScanner scanner(m_filter, m_threads, m_rules);
  if (m_interaction.cancelRequested()) scanner.requestCancel();
  FolderScanner::SearchHooks hooks;
  hooks.folderStored = [&](const QString& path) {
    m_interaction.updateProgress(MessageCatalogue::folderSearchCaption(),
                                 MessageCatalogue::folderSearchInfo(), path, -1);
    if (m_interaction.cancelRequested()) scanner.requestCancel();
  };
  hooks.folderListed = [&] {
    m_interaction.yield();
    if (m_interaction.cancelRequested()) scanner.requestCancel();
  };
  hooks.folderUnreadable = [&](const QString& folderText, const QString& reason) {
    reportUnreadableFolder(folderText, reason);
  };
  return scanner.searchSubfolders(start, table, hooks);
}

}  // namespace vek
