// What every add shares, whoever drives it (BackgroundAdd, for the window and the batch run):
// the filter and the walk rules, the file box's listing, the per-file step addFileEntry, and
// the batches' way into the list with the failures they bring. The filter text plays the file
// box's pattern: whatever listFiles returns is what the adds take. All of it runs on the list's
// thread.
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
  // Reads settings.option.overLap and records the folder history in settings.history.
  Gatherer(FileList& list, Interaction& interaction, Settings& settings);

  // The pattern text of the filter box; compiled here once for every scan that follows.
  void setFilter(const QString& filterText);

  // The names and folders left out, hidden files, one file system: for every add and listing
  // that follows.
  void setWalkRules(WalkRules rules) { m_rules = std::move(rules); }
  const WalkRules& walkRules() const { return m_rules; }

  // Called with a folder (without its trailing separator; the root stays "/") whenever the
  // add moves to it, for the window's folder box.
  void setFolderShownHandler(std::function<void(const QString& folder)> handler) {
    m_folderShown = std::move(handler);
  }

  // The files the file box shows for folder under the current filter, sorted; nullopt when
  // the folder cannot be read.
  std::optional<std::vector<QString>> listFiles(const QString& folder) const;

  // Appends one ticked row for folder + name, or tells the person that the file's
  // information could not be read. Returns true when a row was appended.
  bool addFileEntry(const QString& folder, const QString& name);

  // How many threads the walk uses (0: the machine's cores).
  void setThreads(int threads) { m_threads = threads; }
  // How many files at most are added between two yields.
  void setBatchFiles(std::size_t files) { m_batchFiles = files; }
  int threads() const { return m_threads; }
  std::size_t batchFiles() const { return m_batchFiles; }
  const WildcardFilter& wildcardFilter() const { return m_filter; }

  // The pieces of an add, whose walk runs elsewhere and hands its batches in here.
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
  void reportUnreadable(const QString& folderText, const QString& name, const QString& reason);

  FileList& m_list;
  Interaction& m_interaction;
  Settings& m_settings;
  WildcardFilter m_filter;
  WalkRules m_rules;
  int m_threads = 0;
  std::size_t m_batchFiles = FolderScanner::kBatchFiles;
  std::function<void(const QString&)> m_folderShown;
  QString m_lastFolderText;  // shared by the rows of one folder
  bool m_quiet = false;      // no more error boxes in this add
  qint64 m_quietFailures = 0;
  bool m_stopRequested = false;
  QStringList m_unreadable;
};

}  // namespace vek
