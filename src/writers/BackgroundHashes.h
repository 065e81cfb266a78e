// The digests an export needs, read beside the caller's event loop (the window): the files are
// read on the job's threads, progress is looked at by a timer on the caller's thread and the
// end comes by a queued call, so the caller's thread never waits for a read and never runs a
// nested event loop.
#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>

#include "core/platform/FileHasher.h"
#include "core/platform/HashKind.h"
#include "writers/ListDelivery.h"
#include "writers/ListHashes.h"

namespace vek {

class BackgroundHashes : public QObject {
  Q_OBJECT
 public:
  // Reads, for the rows of delivery, every kind of digest it asks for, one after the other.
  explicit BackgroundHashes(const ListDelivery& delivery, QObject* parent = nullptr,
                            int threads = HashJob::defaultThreads());
  // Cancels what still runs.
  ~BackgroundHashes() override;

  void start();
  // Stops at once: finished is not sent. A reader waiting for a hung mount is not waited for.
  void cancel();
  bool running() const { return m_job != nullptr; }
  // After finished: the digests, for ListDelivery::prepare.
  ListDigests takeDigests() { return std::move(m_digests); }

  // How often progress is sent while the files are read.
  static constexpr int kProgressMilliseconds = 100;

 Q_SIGNALS:
  // The texts and bar of the progress display (see ListHashes).
  void progress(const QString& detail, qint64 bar, qint64 barMaximum);
  // Every kind was read: takeDigests() holds them.
  void finished();

 private:
  void startJob();
  void jobDone();
  void sendProgress();

  ListHashes::Reading m_reading;
  std::vector<HashKind> m_kinds;
  int m_threads;
  std::size_t m_next = 0;  // the kind read next
  std::unique_ptr<HashJob> m_job;
  ListDigests m_digests;
  QTimer m_progressTimer;
};

}  // namespace vek
