// The add operations: the per-file step addFileEntry, the current-folder add, the whole-subtree
// add with its folder table and progress display, and addFolderFiles for dropped folders. The
// filter text plays the file box's pattern: whatever listFiles returns is what the adds take.
// The walk itself is FolderScanner's; this side adds its batches to the list, records the
// history and talks to the person, on the caller's thread.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/platform/FileSystem.h"
#include "gather/FolderScanner.h"
#include "gather/WalkRules.h"
#include "gather/WildcardFilter.h"

namespace vek {

class FileList;
class Interaction;
struct Settings;

enum class AddOutcome {
  Done,           // ran to its end (rows may or may not have been added)
  NothingListed,  // the folder lists no file: nothing happened
  EmptyFilter,    // the filter text is empty: the person was told
  Declined,       // the person declined the scan of the root folder
  Cancelled,      // the person cancelled the subtree add; earlier rows stay
};

struct AddResult {
  AddOutcome outcome = AddOutcome::Done;
  qint64 added = 0;              // rows appended by this operation
  qint64 unreadableFolders = 0;  // folders of a subtree left out because they could not be read
  // What this add could not read, each also given to Interaction::reportIncomplete: folders
  // (their folder text, ending in the separator) and files (their full path).
  QStringList unreadable{};
};

class Gatherer {
 public:
  // One folder of the subtree scan: its folder text (ending in the separator) and the
  // matching file names found by the same directory read that found its subfolders, so the
  // file phase reads no folder twice.
  using FolderEntry = FolderScanner::FolderEntry;

  // Reads settings.option.overLap and records the folder history in settings.history.
  Gatherer(FileList& list, Interaction& interaction, Settings& settings);

  // The pattern text of the filter box; compiled here once for every scan that follows.
  void setFilter(const QString& filterText);
  const QString& filter() const { return m_filter.text(); }

  // The names and folders left out, hidden files, one file system: for every add and listing
  // that follows.
  void setWalkRules(WalkRules rules) { m_rules = std::move(rules); }
  const WalkRules& walkRules() const { return m_rules; }

  // Called with a folder (without its trailing separator; the root stays "/") whenever the
  // scan moves to it, like the window's folder box following addFolderFiles.
  void setFolderShownHandler(std::function<void(const QString& folder)> handler) {
    m_folderShown = std::move(handler);
  }

  // The files the file box shows for folder under the current filter, sorted; nullopt when
  // the folder cannot be read.
  std::optional<std::vector<QString>> listFiles(const QString& folder) const;

  // Appends one ticked row for folder + name, or tells the person that the file's
  // information could not be read. Returns true when a row was appended.
  bool addFileEntry(const QString& folder, const QString& name);

  // The current-folder add button: adds the listed files of folder and records folder in the
  // history.
  AddResult addCurrentFolder(const QString& folder);
  // The whole-subtree add button: adds the listed files of folder and of every folder below
  // it, under the progress display. A cancel stops within one batch of files; the rows added
  // until then stay.
  AddResult addSubtree(const QString& folder);

  // Adds the listed files of one folder (a dropped folder). Returns the rows appended.
  qint64 addFolderFiles(const QString& folder);

  // The folder and file phases of the subtree add without the filter check, the root
  // question, the sorting switch, the return to the start folder and the closing of the
  // progress display (a drop of several folders runs this per folder and ends showing the last
  // folder processed). Returns false when cancelled. It works on its own folder table, so an
  // add started while it yields cannot pull the table from under it.
  bool gatherSubtree(const QString& folder, qint64* added = nullptr,
                     qint64* unreadableFolders = nullptr);

  // Whether an add ends by switching the list's own sorting on (the window), or leaves the
  // rows in the order gathered for a caller that sorts them itself (the batch run).
  void setSortAtEnd(bool sort) { m_sortAtEnd = sort; }
  // How many threads the walk uses (0: the machine's cores).
  void setThreads(int threads) { m_threads = threads; }
  // How many files at most are added between two yields.
  void setBatchFiles(std::size_t files) { m_batchFiles = files; }
  int threads() const { return m_threads; }
  std::size_t batchFiles() const { return m_batchFiles; }
  const WildcardFilter& wildcardFilter() const { return m_filter; }

  // The pieces of an add for a caller that walks elsewhere (the window's worker thread) and
  // hands the batches in here, on the list's thread.
  // An add begins: the error boxes of the last one are forgotten.
  void beginFailures();
  // An add ends: the failures not shown one by one (the person asked for no more boxes) are
  // reported once.
  void endFailures();
  // True once the person chose to stop the add in an error box.
  bool stopRequested() const { return m_stopRequested; }
  // Appends a batch's rows (skipping those already listed when OverLap says so) and reports
  // its failures. Returns the rows appended.
  qint64 applyBatch(FolderScanner::Batch&& batch);
  // A folder of the add that could not be read (folderText ends in the separator): named to
  // the person at the end of the add and kept for unreadable().
  void reportUnreadableFolder(const QString& folderText, const QString& reason);
  // What the add under way (since beginFailures) could not read, folders and files.
  const QStringList& unreadable() const { return m_unreadable; }
  // Moves the folder boxes to folderText (a folder text ending in the separator).
  void showFolder(const QString& folderText);
  // "ﾌｧｲﾙ種別未選択", shown when the filter text is empty.
  void reportEmptyFilter();
  bool filterIsEmpty() const { return m_filter.text().isEmpty(); }
  // Asks before a subtree add of a root folder with a filter that takes every file; true to
  // go on (always true for other folders and filters).
  bool confirmRootScan(const QString& folderText);

 private:
  enum class Progress { None, PerFolder };
  // Adds the files of table[first..] in batches, yielding between batches. PerFolder shows
  // the file phase's progress for each folder and stops at a cancel; a cancellable add also
  // stops between batches of one folder. Returns false when cancelled.
  bool addTableFiles(std::vector<FolderEntry>& table, Progress progress, bool cancellable,
                     qint64& added);
  qint64 addNames(const QString& folderText, std::vector<QString> names, bool cancellable);
  qint64 searchInto(const QString& start, std::vector<FolderEntry>& table);
  void reportUnreadable(const QString& folderText, const QString& name, const QString& reason);

  FileList& m_list;
  Interaction& m_interaction;
  Settings& m_settings;
  WildcardFilter m_filter;
  WalkRules m_rules;
  int m_threads = 0;
  bool m_sortAtEnd = true;
  std::size_t m_batchFiles = FolderScanner::kBatchFiles;
  std::function<void(const QString&)> m_folderShown;
  QString m_lastFolderText;  // shared by the rows of one folder
  bool m_quiet = false;      // no more error boxes in this add
  qint64 m_quietFailures = 0;
  bool m_stopRequested = false;
  QStringList m_unreadable;
};

}  // namespace vek
