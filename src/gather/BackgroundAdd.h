// Every add, with the walk on a thread of its own (ScanThread): the subtree add, the
// current-folder add and the intake of a drop, for the window and the batch run alike (the
// batch run waits for the end with wait()). Everything that changes the list or talks to the
// person runs here, on the thread that owns the list, as the walk's results arrive by queued
// call; that thread never waits for the walk, so its event loop goes on and cancel() ends an
// add at once, even while a folder read hangs. While a long add runs, the rows gathered so far
// are merged into the list's order now and then, their order found on another thread.
#pragma once

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <QObject>
#include <QTimer>

#include "core/list/FileList.h"
#include "gather/DropIntake.h"
#include "gather/Gatherer.h"
#include "gather/ScanThread.h"

namespace vek {

class Interaction;
struct Settings;

// Where the time of an add went, for measuring the window's pace against the walk's.
struct AddTimings {
  std::chrono::nanoseconds searching{0};       // the walk searched the subtree's folders
  std::chrono::nanoseconds walkBlocked{0};     // the walk waited for room in the queue
  std::chrono::nanoseconds applying{0};        // the thread applied results to the list
  std::chrono::nanoseconds showing{0};         // of that: the window's answer to rowsAdded
  std::chrono::nanoseconds betweenSlices{0};   // results waited while the thread did else
  std::chrono::nanoseconds waitingForWalk{0};  // the thread had taken all and waited, after
                                               // the search
  std::chrono::nanoseconds wakeLatency{0};     // from a wake sent to the slice it began
  qint64 slices = 0;
};

class BackgroundAdd : public QObject {
  Q_OBJECT
 public:
  enum class Kind { None, Subtree, CurrentFolder, Drop };

  BackgroundAdd(Gatherer& gatherer, FileList& list, Interaction& interaction, Settings& settings,
                QObject* parent = nullptr);
  ~BackgroundAdd() override;

  // Each start either ends before it returns (nothing to do, a question declined, a drop of
  // a few files) or runs until finished is emitted. Not to be called while running.
  void startSubtree(const QString& folder);
  void startCurrentFolder(const QString& folder);
  void startDrop(std::vector<DroppedItem> items);

  // Until finished is emitted, the ordering of the added rows included.
  bool running() const { return m_kind != Kind::None || m_ordering; }
  // The add has ended (walk, progress window, cancel) and its rows are being put in order:
  // their order is found on another thread, then placed here, and finished follows.
  bool ordering() const { return m_ordering; }
  // What the last add was and how it ended.
  Kind lastKind() const { return m_lastKind; }
  const AddResult& result() const { return m_result; }
  const AddTimings& timings() const { return m_timings; }

  // Ends the running add now, keeping the rows added so far; a walk still under way is left
  // to finish alone and what it finds is dropped.
  void cancel();
  // Waits at most timeout for the walk of the last add to end (before the program quits).
  bool waitForWalk(std::chrono::milliseconds timeout) const { return m_scan.waitFinished(timeout); }
  // Runs this thread's events until the add started last has finished (the batch run, which
  // has no window to keep answering); its result.
  const AddResult& wait();

  // Whether an add ends by switching the list's own sorting on, its rows merged into the
  // list's order as they come (the window), or leaves them in the order gathered for a
  // caller that sorts them itself (the batch run).
  void setSortAtEnd(bool sort) { m_sortAtEnd = sort; }
  // Whether the walk makes each row's delivery check parts beside it: worth it only for a list
  // that keeps the delivery check (the window's).
  void setRowChecks(bool make) { m_rowChecks = make; }

  // Runs a job on another thread; false when none is to be had. The default starts a thread
  // that this object waits for when it goes; tests run the job when they choose.
  using RunAside = std::function<bool(std::function<void()> job)>;
  void setRunAside(RunAside run) { m_runAside = std::move(run); }
  // From how many rows waiting to be sorted the end of an add finds their order on another
  // thread; fewer are sorted here at once, which is quicker than starting a thread.
  static constexpr qint64 kRowsSortedAside = 10000;
  void setRowsSortedAside(qint64 rows) { m_rowsSortedAside = rows; }
  // How many rows gathered during an add are merged into the sorted order at a time: sorting
  // this many and the pass over the list that places them take a few tens of milliseconds.
  static constexpr qint64 kRowsWorthAMerge = 50000;

 Q_SIGNALS:
  // Rows were added to the list; more may follow.
  void rowsAdded();
  void finished();

 private:
  void begin(Kind kind);
  void startWalk(ScanThread::Kind kind, const QString& folderText);
  void startSearch(const QString& folderText);
  void drain();
  void handle(ScanThread::Event&& event);
  void walkDone(bool completed);
  void takeNextDropItem();
  void end(AddOutcome outcome);
  // Starts finding the order of the rows waiting to be sorted on another thread; false when
  // they are better sorted here (few, sorting on, no thread, the list changed too often).
  bool sortAside();
  void placeOrder(const FileList::WaitingOrder& order);
  // The rows gathered so far are merged into the list's order once enough of them wait.
  void mergeIfDue();
  void mergeOrdered(const FileList::WaitingOrder& order);
  // The person pressed キャンセル in the progress window: true when the add was ended.
  bool cancelledByPerson();

  Gatherer& m_gatherer;
  FileList& m_list;
  Interaction& m_interaction;
  Settings& m_settings;
  ScanThread m_scan;
  QTimer m_poll;  // takes the batches that did not wake this thread
  bool m_walking = false;
  bool m_draining = false;

  Kind m_kind = Kind::None;
  Kind m_lastKind = Kind::None;
  QString m_startText;  // the folder text the add started at
  qint64 m_folderCount = 0;
  AddResult m_result;
  // A drop: its items, the next one to take, whether the progress window was shown.
  std::vector<DroppedItem> m_items;
  std::size_t m_nextItem = 0;
  bool m_progressShown = false;
  AddTimings m_timings;
  std::chrono::steady_clock::time_point m_walkStarted;
  std::chrono::steady_clock::time_point m_sliceEnded;  // of the last slice of this walk
  bool m_sliceLeftMore = false;

  bool m_sortAtEnd = true;
  bool m_rowChecks = true;
  qint64 m_mergedRows = 0;  // rows of the list at the last merge during this add
  bool m_merging = false;   // a merge waits for its order
  bool m_ordering = false;
  int m_orderRounds = 0;  // orders found for this end: a list that keeps changing is sorted here
  qint64 m_rowsSortedAside = kRowsSortedAside;
  std::thread m_orderThread;
  std::thread m_mergeThread;  // finds the order of a merge's rows
  RunAside m_runAside;
};

}  // namespace vek
