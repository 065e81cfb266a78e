// One comparison of a saved list with a folder walked now, or of two saved lists: the lists read
// on threads of their own, the walk the saved list calls for, the comparison and its summary.
// The batch run's "/V" and the window's リストと比較 each run one, so both say the same.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include <QString>
#include <QStringList>

#include "compare/ListComparison.h"
#include "compare/SavedList.h"
#include "core/list/FileEntry.h"
#include "core/messages/Message.h"
#include "core/platform/HashKind.h"
#include "core/settings/Settings.h"
#include "gather/Gatherer.h"

namespace vek {

class Interaction;

class ComparisonRun {
 public:
  // The lists are read with settings (those that wrote a CSV or text list); digests are
  // computed, and files that got none reported, through interaction.
  ComparisonRun(Settings settings, Interaction& interaction);
  // Stops the reads at their next block and waits for them: no reading thread outlives the run.
  ~ComparisonRun();
  ComparisonRun(const ComparisonRun&) = delete;
  ComparisonRun& operator=(const ComparisonRun&) = delete;

  // Starts reading each file (absolute paths) on a thread of its own. whenRead, when given, is
  // called once on a reading thread after the last read has ended, unless cancelReading() came
  // first.
  void startReading(const QStringList& paths, std::function<void()> whenRead = {});
  // Stops the reads at their next block; what they read is dropped.
  void cancelReading();
  // Waits for the reads and keeps the lists; the refusal of the first that could not be read.
  std::optional<Message> finishReading();
  // The lists read, in the order of their files.
  std::vector<SavedList>& lists() { return m_lists; }

  // Anchors the one saved list to the folder compared with (its folder text, ending in the
  // separator); the message when some of its rows lie outside it (then nothing is compared).
  std::optional<Message> anchorTo(const QString& folderText);
  // Like with like: a list with rows in subfolders was made of the whole tree.
  bool walksSubfolders() const;
  // The end of the walk compared with (the add of the batch run or of the window), for what it
  // could not read.
  void walked(const AddResult& result) { m_unreadable = result.unreadable; }

  // The saved list against the rows walked. Whatever the saved list has below what the walk
  // could not read is unverified, not removed. With hash set and the saved list holding digests
  // of that kind, the rows' digests are computed and compared; nullopt when the person
  // cancelled that.
  std::optional<ComparisonResult> compareWithFolder(std::span<const FileEntry> rows, HashKind hash,
                                                    SameRows same);
  // The first saved list against the second.
  ComparisonResult compareSavedLists();
  // Why some of what the lists hold was left out of the comparison, once each.
  QStringList notes() const;

  // The counts of a comparison and what was compared beyond the names.
  static Message summary(const ComparisonResult& result);

 private:
  Settings m_settings;
  Interaction& m_interaction;
  std::shared_ptr<std::atomic<bool>> m_cancel = std::make_shared<std::atomic<bool>>(false);
  std::vector<std::thread> m_readers;
  std::vector<SavedListRead> m_reads;  // by file; each written by its own reader only
  std::shared_ptr<std::atomic<int>> m_pending;
  std::vector<SavedList> m_lists;
  QString m_folder;          // the folder text the saved list is anchored to
  QStringList m_unreadable;  // what the walk could not read (full paths)
  QStringList m_notes;
};

}  // namespace vek
