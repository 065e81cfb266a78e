// The add operations: the per-file step addFileEntry, the current-folder add, the whole-subtree
// add with its folder table and progress display, and addFolderFiles for dropped folders. The
// filter text plays the file box's pattern: whatever listFiles returns is what the adds take.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "core/FileSystem.h"
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
  qint64 added = 0;  // rows appended by this operation
};

class Gatherer {
 public:
  // One folder of the subtree scan: its folder text (ending in the separator) and the
  // matching file names found by the same directory read that found its subfolders, so the
  // file phase reads no folder twice.
  struct FolderEntry {
    QString path;
    std::vector<QString> files;
  };

  // Reads settings.option.overLap and records the folder history in settings.history.
  Gatherer(FileList& list, Interaction& interaction, Settings& settings);

  // The pattern text of the filter box; compiled here once for every scan that follows.
  void setFilter(const QString& filterText);
  const QString& filter() const { return m_filter.text(); }

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

  // The click of cmdAppend: adds the listed files of folder and records folder in the
  // history.
  AddResult addCurrentFolder(const QString& folder);
  // The click of cmdAllAppend: adds the listed files of folder and of every folder below it,
  // under the progress display.
  AddResult addSubtree(const QString& folder);

  // Adds the listed files of one folder (a dropped folder). Returns the rows appended.
  qint64 addFolderFiles(const QString& folder);

  // The folder and file phases of the subtree add without the filter check, the root
  // question, the sorting switch, the return to the start folder and the closing of the
  // progress display (a drop of several folders runs this per folder and ends showing the last
  // folder processed). Returns false when cancelled.
  bool gatherSubtree(const QString& folder, qint64* added = nullptr);

  // Appends folder (unless it is already the last entry) and every folder below it to the
  // folder table, depth first, each folder before its subtree and subtrees before the next
  // sibling. Folders that cannot be read are left out with their subtrees, silently.
  void searchSubfolders(const QString& folder);
  const std::vector<FolderEntry>& folderTable() const { return m_folderTable; }
  void clearFolderTable();

  // D(k) of the file phase: "処理件数：k　/　総ﾌｫﾙﾀﾞ数：count件".
  static QString progressDetail(qint64 k, qint64 count);

 private:
  qint64 addNames(const QString& folderText, const std::vector<QString>& names);
  bool addEntry(const QString& folderText, const QString& name,
                const FileSystem::Folder* openFolder);
  void showFolder(const QString& folderText);
  bool filterIsEmpty() const { return m_filter.text().isEmpty(); }
  void reportEmptyFilter();

  FileList& m_list;
  Interaction& m_interaction;
  Settings& m_settings;
  WildcardFilter m_filter;
  std::vector<FolderEntry> m_folderTable;
  std::function<void(const QString&)> m_folderShown;
  QString m_lastFolderText;  // shared by the rows of one folder
};

}  // namespace vek
