// Message digests of files, read in blocks so that a file of any size costs a fixed amount of
// memory. A file is hashed only when it stayed the same while it was read: a digest of a file
// that changed under the reader would prove nothing, so such a file gets no digest at all.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/platform/HashKind.h"

namespace vek {

struct FileHash {
  enum class Outcome {
    Hashed,
    Unreadable,  // could not be opened or read, or is no regular file
    Changed,     // its size or modified time differed after the read, or its size from the list's
    Cancelled,   // the run was cancelled before the file was done
    NotRead,     // a row of a comparison whose file is not known to be in the folder now
                 // (removed, or unverified): never opened, and not missing from a checksum file
  };
  Outcome outcome = Outcome::Cancelled;
  QByteArray hex;  // lower-case hexadecimal digits when Hashed
  QString reason;  // why it could not be read, in the system's words

  bool hashed() const { return outcome == Outcome::Hashed; }
  // No digest where one was wanted: a failure to report, not a row left unread on purpose.
  bool missing() const { return outcome != Outcome::Hashed && outcome != Outcome::NotRead; }
  // What a list's hash cell shows: the digits, or in words why there are none.
  QString cellText() const;
};

// Hashes one file after another with one digest context and one buffer; one per thread.
class FileHasher {
 public:
  explicit FileHasher(HashKind kind);
  ~FileHasher();
  FileHasher(const FileHasher&) = delete;
  FileHasher& operator=(const FileHasher&) = delete;

  // Reads the file (a link is followed) and returns its digest. cancel is checked between
  // blocks; afterBlock, when set, runs after every block read (tests change the file there).
  // bytesRead, when given, grows by every block read. expectedSize, when not negative, is the
  // size the list shows: a file of another size has changed since it was listed, and its
  // digest would not belong to the row.
  FileHash hash(const QString& path, const std::atomic<bool>& cancel,
                std::atomic<qint64>* bytesRead = nullptr,
                const std::function<void()>& afterBlock = {}, qint64 expectedSize = -1);

 private:
  struct Context;
  std::unique_ptr<Context> m_context;
};

// Hashes many files on several reading threads. The threads share nothing with the caller but
// this object's state, which they keep alive: a caller that cancels may leave at once, even
// while a thread still waits for a read from a hung network mount. The threads are not let go
// for good: at the program's end (the application object's, else the process's) every one
// still running is cancelled and waited for, so none outlives what it uses.
class HashJob {
 public:
  // Threads: enough to keep both the disk and the processor busy; at least two.
  static int defaultThreads();

  // expectedSizes: empty, or the listed size of each path (see FileHasher::hash).
  HashJob(HashKind kind, std::vector<QString> paths, int threads = defaultThreads(),
          std::vector<qint64> expectedSizes = {});
  ~HashJob();  // cancels what is still running
  HashJob(const HashJob&) = delete;
  HashJob& operator=(const HashJob&) = delete;

  // Waits up to milliseconds; true once every file is done (or the job was cancelled and
  // every thread has seen it).
  bool waitFor(int milliseconds);
  // whenDone runs once, on the thread that finished the last file (or on this one, at once,
  // when the job is done already); it must only hand the news on (a queued call). Replaced by
  // a later call; cancel() forgets it, so that whoever set it may go away.
  void setWhenDone(std::function<void()> whenDone);
  // Safe from any thread.
  void cancel();
  bool cancelled() const;

  qint64 filesDone() const;
  qint64 bytesDone() const;
  // The digests in the order of the paths; call after waitFor returned true.
  std::vector<FileHash> takeResults();

  // Cancels every job's readers and waits for them, at most about grace for one stuck in a
  // read; those still stuck then are left to the system. Runs by itself at the program's end.
  static void stopAllReaders(std::chrono::milliseconds grace = std::chrono::seconds(3));

 private:
  struct State;
  struct Readers;
  static Readers& readers();
  std::shared_ptr<State> m_state;
};

}  // namespace vek
