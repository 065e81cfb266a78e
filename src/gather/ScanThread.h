// One walk of FolderScanner on a thread of its own, for a caller whose thread must keep
// answering (the window): what the walk finds waits in a queue, which the caller's thread looks
// at every kPollInterval and when woken by a queued call. The caller never waits for the walk
// while it runs: abandon() returns at once, even while the walk hangs in a folder read of a
// stale mount; the walk then runs on alone with the state it shares, is told to stop, and
// whatever it still finds is thrown away. Only the destructor waits for the walks it started to
// end, for a moment: one still hung in a read then is left behind, and the program ends without
// running its own destructors (walksLeftBehind), so that no walk outlives what it uses.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <QString>

#include "gather/FolderScanner.h"

class QObject;

namespace vek {

// How far the walk may run ahead of the caller: it waits while this many rows, or this
// many batches (a folder gives at least one, even an empty one), wait in the queue, and
// goes on once the caller has taken the queue down to half of both. The rows bound the
// memory of what waits (about 7 MB for the default); the half lets the walk read on for a
// while instead of waking for every batch taken, which made the walk and the window wait
// for each other.
struct ScanQueueLimits {
  std::size_t rows = 32768;
  std::size_t batches = 4096;
};

class ScanThread {
 public:
  enum class Kind {
    Subtree,  // the folder table of a subtree, then the files of every folder in it
    Folder,   // the listed files of one folder
  };

  struct Event {
    enum class Type {
      Searched,  // the folder table is complete: count folders holding files files,
                 // unreadable left out
      Listed,    // the folder's files were listed: count files, -1 when it cannot be read
      Batch,     // rows of one folder of the table (folderText)
      Done,      // the walk ended; completed is false when it stopped early
    };
    Type type = Type::Done;
    qint64 count = 0;
    qint64 unreadable = 0;
    qint64 files = 0;
    QString folderText;
    FolderScanner::Batch batch;
    bool completed = true;
    // Searched: the folders left out because they could not be read; Listed: the folder
    // itself when it could not be read. Each with the system's reason.
    std::vector<FolderScanner::Failure> unreadableFolders;
  };

  // How often the caller should look at the queue while a walk runs: batches wake it only
  // when many rows wait, a newly searched folder not at all; every other event wakes it at
  // once.
  static constexpr std::chrono::milliseconds kPollInterval{10};
  // How long the destructor waits for its walks, told to stop, to end.
  static constexpr std::chrono::milliseconds kEndWait{1000};

  // Whether a walk of any ScanThread still runs: one left behind by a destructor (hung in a
  // folder read) or not yet ended. The program then ends without its static destructors.
  static bool walksLeftBehind();

  // wake runs on receiver's thread, queued, whenever events other than batches wait after the
  // queue was empty, or many rows.
  ScanThread(QObject* receiver, std::function<void()> wake, ScanQueueLimits limits = {});
  // Abandons a walk that still runs, and waits at most kEndWait for every walk started here
  // to end; one that has not is left behind.
  ~ScanThread();
  ScanThread(const ScanThread&) = delete;
  ScanThread& operator=(const ScanThread&) = delete;

  // Starts the walk of folderText (ending in the separator), abandoning an earlier walk.
  // When no thread can be started, the walk runs here, on the calling thread, before start
  // returns; the events wait all the same. With rowChecks each row comes with its delivery
  // check parts, made by the reader that read it.
  void start(Kind kind, const QString& folderText, const WildcardFilter& filter,
             const WalkRules& rules, int threads, std::size_t batchFiles, bool rowChecks = true);

  // The next event, or nullopt when none waits yet.
  std::optional<Event> take();
  // The folder the subtree search stored last, once per new one.
  std::optional<QString> takeSearchedFolder();

  // Stops listening: returns at once; no wake is sent any more.
  void abandon();
  // How long the walk of the last start has waited so far for room in the queue.
  std::chrono::nanoseconds walkBlocked() const;
  // When the last wake was sent.
  std::chrono::steady_clock::time_point lastWake() const;
  // Waits at most timeout for the walk's thread to end; true when it has.
  bool waitFinished(std::chrono::milliseconds timeout) const;

 private:
  struct State;
  static void run(const std::shared_ptr<State>& state, Kind kind, const QString& folderText,
                  bool bounded);

  QObject* m_receiver;
  std::function<void()> m_wake;
  ScanQueueLimits m_limits;
  std::shared_ptr<State> m_state;
  // The threads of the walks started here, with their states: joined once they have ended.
  struct Walk {
    std::shared_ptr<State> state;
    std::thread thread;
  };
  std::vector<Walk> m_walks;
  void joinEnded();
};

}  // namespace vek
