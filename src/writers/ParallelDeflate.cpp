#include "writers/ParallelDeflate.h"

#include <algorithm>

namespace vek {

namespace {

constexpr std::size_t kPieceBytes = 256 * 1024;
constexpr std::size_t kWindowBytes = 32 * 1024;

}  // namespace

struct ParallelDeflate::Piece {
  std::string input;
  std::string dictionary;
  bool last = false;
  bool claimed = false;
  bool done = false;
  bool failed = false;
  std::string output;
  uLong crc = 0;  // of the input
  std::size_t inputSize = 0;

  // Deflates the piece as a raw stream: the last one ends the stream, the others end on a
  // byte boundary without ending it (a sync flush).
  void deflatePiece(int level) {
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
      failed = true;
      return;
    }
    bool ok = dictionary.empty() ||
              deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()),
                                   uInt(dictionary.size())) == Z_OK;
    output.resize(deflateBound(&stream, uLong(input.size())) + 64);
    stream.next_in = reinterpret_cast<Bytef*>(input.data());
    stream.avail_in = uInt(input.size());
    std::size_t written = 0;
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    while (ok) {
      if (written == output.size()) output.resize(output.size() * 2);
      stream.next_out = reinterpret_cast<Bytef*>(output.data() + written);
      stream.avail_out = uInt(output.size() - written);
      const int result = deflate(&stream, flush);
      written = output.size() - stream.avail_out;
      if (result == Z_STREAM_END) break;
      if (result != Z_OK && result != Z_BUF_ERROR) ok = false;
      // A flush is complete when deflate left output space unused.
      if (!last && stream.avail_out > 0) break;
    }
    deflateEnd(&stream);
    output.resize(written);
    crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(input.data()),
                uInt(input.size()));
    failed = !ok;
    inputSize = input.size();
    input.clear();
    input.shrink_to_fit();
  }
};

ParallelDeflate::ParallelDeflate(int level, Sink sink)
    : m_level(level), m_sink(std::move(sink)), m_crc(crc32(0, nullptr, 0)) {}

ParallelDeflate::~ParallelDeflate() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  m_workers.join();
}

int ParallelDeflate::write(const void* data, std::size_t length) {
  const auto* bytes = static_cast<const char*>(data);
  m_size += length;
  while (length > 0 && m_error == kOk) {
    const std::size_t take = std::min(length, kPieceBytes - m_input.size());
    m_input.append(bytes, take);
    bytes += take;
    length -= take;
    if (m_input.size() == kPieceBytes) {
      // A short stream is deflated on the calling thread alone: helpers start with its first
      // full piece.
      if (!m_helpersStarted) {
        m_helpersStarted = true;
        const int helpers = std::max(workerThreads() - 1, 0);
        for (int i = 0; i < helpers; ++i)
          if (!m_workers.start([this] { runCaught([this] { help(); }); })) break;
      }
      submit(false);
    }
  }
  return m_error;
}

int ParallelDeflate::finish(bool last) {
  if (m_error == kOk) submit(last);
  while (m_error == kOk && !m_pieces.empty()) writeFront();
  // What follows a stream stopped on a byte boundary is primed with nothing of it.
  m_window.clear();
  return m_error;
}

void ParallelDeflate::submit(bool last) {
  auto piece = std::make_shared<Piece>();
  piece->input.swap(m_input);
  piece->dictionary = m_window;
  piece->last = last;
  const std::size_t keep = std::min(piece->input.size(), kWindowBytes);
  if (keep == kWindowBytes) {
    m_window.assign(piece->input, piece->input.size() - keep, keep);
  } else {
    m_window.append(piece->input);
    if (m_window.size() > kWindowBytes) m_window.erase(0, m_window.size() - kWindowBytes);
  }
  m_input.reserve(kPieceBytes);
  {
    std::lock_guard lock(m_mutex);
    m_pieces.push_back(std::move(piece));
  }
  m_changed.notify_all();
  // A few pieces ahead at most, so memory stays bounded.
  const std::size_t ahead = std::size_t(m_workers.size() + 1) * 2;
  while (m_error == kOk && m_pieces.size() > ahead) writeFront();
}

// Waits for the first piece (deflating pieces itself meanwhile) and hands it on.
void ParallelDeflate::writeFront() {
  std::shared_ptr<Piece> front;
  {
    std::unique_lock lock(m_mutex);
    while (!m_pieces.front()->done) {
      if (!claimAndDeflate(lock)) m_changed.wait(lock);
    }
    front = m_pieces.front();
    m_pieces.pop_front();
  }
  if (front->failed) {
    m_error = kInternalError;
    return;
  }
  m_crc = crc32_combine(m_crc, front->crc, z_off_t(front->inputSize));
  if (!front->output.empty()) {
    const int result = m_sink(front->output.data(), front->output.size());
    if (result < 0) m_error = result;
  }
}

// Deflates the first piece nobody has begun; false when there is none.
bool ParallelDeflate::claimAndDeflate(std::unique_lock<std::mutex>& lock) {
  const auto next = std::find_if(m_pieces.begin(), m_pieces.end(),
                                 [](const auto& piece) { return !piece->claimed; });
  if (next == m_pieces.end()) return false;
  std::shared_ptr<Piece> piece = *next;
  piece->claimed = true;
  lock.unlock();
  try {
    piece->deflatePiece(m_level);
  } catch (...) {
    piece->failed = true;  // out of memory: the stream fails, nothing waits for ever
  }
  lock.lock();
  piece->done = true;
  m_changed.notify_all();
  return true;
}

void ParallelDeflate::help() {
  std::unique_lock lock(m_mutex);
  while (!m_stopping) {
    if (!claimAndDeflate(lock)) m_changed.wait(lock);
  }
}

}  // namespace vek
