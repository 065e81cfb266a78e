#include "writers/BackgroundHashes.h"

#include <QMetaObject>

namespace vek {

BackgroundHashes::BackgroundHashes(const ListDelivery& delivery, QObject* parent, int threads)
    : QObject(parent),
      m_reading(ListHashes::reading(delivery.rows())),
      m_kinds(delivery.digestKinds()),
      m_threads(threads) {
  m_digests.ownRows = delivery.ownRows();
  m_progressTimer.setInterval(kProgressMilliseconds);
  connect(&m_progressTimer, &QTimer::timeout, this, &BackgroundHashes::sendProgress);
}

BackgroundHashes::~BackgroundHashes() {
  cancel();
}

void BackgroundHashes::start() {
  cancel();
  m_next = 0;
  m_digests.hashes.clear();
  m_digests.checksumHashes.clear();
  startJob();
}

void BackgroundHashes::cancel() {
  m_progressTimer.stop();
  // The job forgets its call back under its lock: none reaches this object afterwards.
  if (m_job) m_job->cancel();
  m_job.reset();
}

void BackgroundHashes::startJob() {
  if (m_next >= m_kinds.size()) {
    Q_EMIT finished();
    return;
  }
  // Each kind's read starts from nothing shown, whatever its first files take.
  const qint64 barMaximum = m_reading.barMaximum();
  Q_EMIT progress(ListHashes::progressDetail(0, qint64(m_reading.paths.size())), 0, barMaximum);
  m_job = std::make_unique<HashJob>(m_kinds[m_next], m_reading.paths, m_threads, m_reading.sizes);
  m_progressTimer.start();
  // Qt drops a queued call whose receiver is gone, and cancel() stops new ones first.
  m_job->setWhenDone([this] {
    QMetaObject::invokeMethod(this, &BackgroundHashes::jobDone, Qt::QueuedConnection);
  });
}

void BackgroundHashes::jobDone() {
  if (!m_job || !m_job->waitFor(0)) return;
  std::vector<FileHash> hashes = ListHashes::perTickedRow(m_reading, m_job->takeResults());
  (m_next == 0 ? m_digests.hashes : m_digests.checksumHashes) = std::move(hashes);
  m_job.reset();
  m_progressTimer.stop();
  ++m_next;
  startJob();
}

void BackgroundHashes::sendProgress() {
  if (!m_job) return;
  const qint64 barMaximum = m_reading.barMaximum();
  Q_EMIT progress(ListHashes::progressDetail(m_job->filesDone(), qint64(m_reading.paths.size())),
                  std::min(m_job->bytesDone() / 1024, barMaximum), barMaximum);
}

}  // namespace vek
