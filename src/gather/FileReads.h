// The files of a folder table read on several readers, handed over in the table's order.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <iterator>
#include <mutex>
#include <optional>
#include <vector>

#include "core/platform/OrderedWork.h"
#include "gather/FileRows.h"
#include "gather/FolderOpener.h"
#include "gather/FolderScanner.h"
#include "gather/ReaderCount.h"

namespace vek {

// The files of the first work units: few, and more with each unit up to one batch, so that
// readers added because the first reads waited find work at once instead of waiting for a
// unit of a thousand slow lookups.
constexpr std::size_t kFirstUnitFiles = 16;
// The files of a unit once the readers have grown: each is a few round trips' work, so that
// every reader has some and no slow unit holds up the batches after it for long.
constexpr std::size_t kGrownUnitFiles = 16;

// Reads the files of a table's pieces on the walk's readers and hands the batches over in the
// table's order on the calling thread. Work is taken in order from a cursor over the pieces,
// in units of whole pieces of about one batch's files, the first ones smaller; once the
// readers have grown, in units of a few files, a piece then read by several readers and
// joined again before it is handed over. The readers run at most a few units ahead of the
// hand-over, so memory stays bounded.
class FileReads {
 public:
  FileReads(std::vector<FolderScanner::FolderEntry>& table, std::vector<Unit> pieces,
            std::size_t batchFiles, qint32 rootLength, bool rowChecks, ReaderCount& readers,
            FolderOpener& opener, const std::atomic<bool>& cancel)
      : m_table(table),
        m_pieces(std::move(pieces)),
        m_batchFiles(batchFiles),
        m_rootLength(rootLength),
        m_rowChecks(rowChecks),
        m_readers(readers),
        m_opener(opener),
        m_cancel(cancel),
        m_unitFiles(std::min(batchFiles, kFirstUnitFiles)),
        m_offset(m_pieces.empty() ? 0 : m_pieces.front().from) {}
  FileReads(const FileReads&) = delete;
  FileReads& operator=(const FileReads&) = delete;

  // Hands every piece to deliver as one batch, in order; false when deliver returned false or
  // a cancel came first.
  bool run(const std::function<bool(FolderScanner::Batch&&)>& deliver) {
    // However this ends (what deliver or a read on this thread throws included), the helpers
    // are stopped and joined before the state they use goes away.
    struct Finish {
      FileReads& reads;
      ~Finish() {
        {
          std::lock_guard lock(reads.m_mutex);
          reads.m_finished = true;
        }
        reads.m_changed.notify_all();
        reads.m_helpers.join();
      }
    } finish{*this};
    ReaderCount::Stretch stretch(m_readers);
    std::optional<FolderScanner::Batch> joined;  // a piece read in several units
    std::unique_lock lock(m_mutex);
    for (;;) {
      grow(lock);
      if (cancelled()) return false;
      if (!m_results.empty() && m_results.front()) {
        std::vector<Part> parts = std::move(*m_results.front());
        m_results.pop_front();
        ++m_firstNumber;
        m_changed.notify_all();  // one more unit may begin
        lock.unlock();
        {
          // Handing over is the caller's work, which may wait for room: not reading.
          const ReaderCount::Idle idle(&stretch);
          for (Part& part : parts) {
            if (!joined) {
              joined = std::move(part.batch);
            } else {
              std::move(part.batch.entries.begin(), part.batch.entries.end(),
                        std::back_inserter(joined->entries));
              std::move(part.batch.failures.begin(), part.batch.failures.end(),
                        std::back_inserter(joined->failures));
              joined->checks.insert(joined->checks.end(), part.batch.checks.begin(),
                                    part.batch.checks.end());
            }
            if (!part.endsPiece) continue;
            if (cancelled() || !deliver(std::move(*joined)) || cancelled()) return false;
            joined.reset();
          }
        }
        lock.lock();
        continue;
      }
      if (m_results.empty() && m_givenBack.empty() && m_piece >= m_pieces.size()) return true;
      if (!step(lock, stretch)) {
        const ReaderCount::Idle idle(&stretch);
        m_changed.wait_for(lock, kPoll);
      }
    }
  }

 private:
  // A cancel sets only a flag: waits look at it this often.
  static constexpr std::chrono::milliseconds kPoll{10};

  // Files [from, to) of pieces[piece].
  struct Slice {
    std::size_t piece;
    std::size_t from;
    std::size_t to;
  };
  struct Work {
    std::size_t number = 0;  // its place in the order
    std::vector<Slice> slices;
  };
  struct Part {
    FolderScanner::Batch batch;
    bool endsPiece;
  };

  bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }

  // Starts helpers until as many readers as wanted read, this thread among them.
  void grow(std::unique_lock<std::mutex>& lock) {
    while (!m_startFailed && m_running < m_readers.wanted()) {
      lock.unlock();
      const bool started = m_helpers.start([this] { runCaught([this] { help(); }); });
      lock.lock();
      if (started) {
        ++m_running;
      } else {
        m_startFailed = true;
      }
    }
  }

  void help() {
    ReaderCount::Stretch stretch(m_readers);
    std::unique_lock lock(m_mutex);
    while (!m_finished) {
      if (!step(lock, stretch)) {
        const ReaderCount::Idle idle(&stretch);
        m_changed.wait_for(lock, kPoll);
      }
    }
  }

  // With the lock held: takes the next unit due and reads it, the lock released meanwhile;
  // false when none is due. What a read throws goes to the caller, the unit given back for
  // another reader.
  bool step(std::unique_lock<std::mutex>& lock, ReaderCount::Stretch& stretch) {
    Work work;
    if (!claim(work)) return false;
    lock.unlock();
    std::vector<Part> parts;
    try {
      parts.reserve(work.slices.size());
      for (const Slice& slice : work.slices) {
        const Unit& piece = m_pieces[slice.piece];
        Part part{
            readUnit(m_table, {piece.folder, slice.from, slice.to}, m_opener, stretch, m_cancel),
            slice.to == piece.to};
        for (FileEntry& entry : part.batch.entries) entry.rootLength = m_rootLength;
        if (m_rowChecks) {
          part.batch.checks.reserve(part.batch.entries.size());
          for (const FileEntry& entry : part.batch.entries) {
            part.batch.checks.push_back(rowCheck(entry));
          }
        }
        parts.push_back(std::move(part));
      }
    } catch (...) {
      lock.lock();
      m_givenBack.push_back(std::move(work));
      m_changed.notify_all();
      throw;
    }
    lock.lock();
    m_results[work.number - m_firstNumber] = std::move(parts);
    m_changed.notify_all();
    return true;
  }

  // With the lock held: the next unit due, from the cursor; false when none is.
  bool claim(Work& work) {
    if (m_finished || cancelled()) return false;
    if (!m_givenBack.empty()) {
      work = std::move(m_givenBack.back());
      m_givenBack.pop_back();
      return true;
    }
    if (m_piece >= m_pieces.size()) return false;
    if (m_results.size() >= 2 * std::size_t(std::max(m_running, 1))) return false;
    work.number = m_firstNumber + m_results.size();
    m_results.emplace_back();
    const bool grown = m_readers.wanted() > m_readers.base();
    const std::size_t most = grown ? std::min(m_batchFiles, kGrownUnitFiles) : m_unitFiles;
    if (!grown) m_unitFiles = std::min(m_batchFiles, m_unitFiles * 2);
    // The rest of the current piece, cut at the unit's size; then whole pieces that fit.
    std::size_t files = 0;
    for (;;) {
      const Unit& piece = m_pieces[m_piece];
      const std::size_t to = std::min(piece.to, m_offset + (most - files));
      work.slices.push_back({m_piece, m_offset, to});
      files += to - m_offset;
      m_offset = to;
      if (m_offset < piece.to) break;
      if (++m_piece >= m_pieces.size()) break;
      m_offset = m_pieces[m_piece].from;
      const Unit& next = m_pieces[m_piece];
      if (work.slices.size() >= kPiecesPerUnit || files + (next.to - next.from) > most) break;
    }
    return true;
  }

  std::vector<FolderScanner::FolderEntry>& m_table;
  const std::vector<Unit> m_pieces;
  const std::size_t m_batchFiles;
  const qint32 m_rootLength;
  const bool m_rowChecks;
  ReaderCount& m_readers;
  FolderOpener& m_opener;
  const std::atomic<bool>& m_cancel;

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::size_t m_unitFiles;  // the most files of the next unit while the readers have not grown
  std::size_t m_piece = 0;  // the cursor: the next file to take is pieces[m_piece], m_offset
  std::size_t m_offset;
  std::size_t m_firstNumber = 0;                           // the number of m_results.front()
  std::deque<std::optional<std::vector<Part>>> m_results;  // units taken, in order
  std::vector<Work> m_givenBack;  // units a failed reader began; to be read again
  int m_running = 1;              // readers: the calling thread and the helpers started
  bool m_startFailed = false;
  bool m_finished = false;
  Workers m_helpers;
};

}  // namespace vek
