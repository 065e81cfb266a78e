#include "writers/WorkbookCompression.h"

#include <dlfcn.h>
#include <xlsxwriter/third_party/zip.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "core/OrderedWork.h"

namespace vek {

namespace {

// Minizip's own definitions, which the ones below stand in front of: the next ones in the
// dynamic linker's order after the program. The signatures are minizip 1.1's, which
// libxlsxwriter is built against.
template <typename Function>
Function minizip(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
using OpenFunction = decltype(&zipOpenNewFileInZip4_64);
using WriteFunction = decltype(&zipWriteInFileInZip);
using CloseFunction = decltype(&zipCloseFileInZip);
using CloseRawFunction = decltype(&zipCloseFileInZipRaw64);

// Input of a part deflated as one piece; each piece but the first is primed with the 32 KB
// before it, so the pieces compress almost as well as one stream.
constexpr std::size_t kPieceBytes = 256 * 1024;
constexpr std::size_t kWindowBytes = 32 * 1024;

struct Piece {
  std::string input;
  std::string dictionary;
  bool last = false;
  bool claimed = false;
  bool done = false;
  bool failed = false;
  std::string output;
  uLong crc = 0;  // of the input
  std::size_t inputSize = 0;
};

// Deflates one piece as a raw stream: the last one ends the stream, the others end on a byte
// boundary without ending it (a sync flush), so that the pieces one after the other are one
// valid deflate stream, as pigz makes them.
void deflatePiece(Piece& piece) {
  z_stream stream{};
  if (deflateInit2(&stream, FastWorkbookCompression::kLevel, Z_DEFLATED, -MAX_WBITS, 8,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    piece.failed = true;
    return;
  }
  bool ok = piece.dictionary.empty() ||
            deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(piece.dictionary.data()),
                                 uInt(piece.dictionary.size())) == Z_OK;
  piece.output.resize(deflateBound(&stream, uLong(piece.input.size())) + 64);
  stream.next_in = reinterpret_cast<Bytef*>(piece.input.data());
  stream.avail_in = uInt(piece.input.size());
  std::size_t written = 0;
  const int flush = piece.last ? Z_FINISH : Z_SYNC_FLUSH;
  while (ok) {
    if (written == piece.output.size()) piece.output.resize(piece.output.size() * 2);
    stream.next_out = reinterpret_cast<Bytef*>(piece.output.data() + written);
    stream.avail_out = uInt(piece.output.size() - written);
    const int result = deflate(&stream, flush);
    written = piece.output.size() - stream.avail_out;
    if (result == Z_STREAM_END) break;
    if (result != Z_OK && result != Z_BUF_ERROR) ok = false;
    // A flush is complete when deflate left output space unused.
    if (!piece.last && stream.avail_out > 0) break;
  }
  deflateEnd(&stream);
  piece.output.resize(written);
  piece.crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(piece.input.data()),
                    uInt(piece.input.size()));
  piece.failed = !ok;
  piece.inputSize = piece.input.size();
  piece.input.clear();
  piece.input.shrink_to_fit();
}

// The sheet's part deflated on the machine's cores while the library reads it in and minizip
// writes it out: pieces are deflated side by side and written in their order.
class ParallelDeflate {
 public:
  explicit ParallelDeflate(zipFile file) : m_file(file) {
    const int helpers = std::max(workerThreads() - 1, 0);
    for (int i = 0; i < helpers; ++i)
      if (!m_workers.start([this] { runCaught([this] { help(); }); })) break;
  }
  ~ParallelDeflate() {
    {
      std::lock_guard lock(m_mutex);
      m_stopping = true;
    }
    m_changed.notify_all();
    m_workers.join();
  }
  ParallelDeflate(const ParallelDeflate&) = delete;
  ParallelDeflate& operator=(const ParallelDeflate&) = delete;

  zipFile file() const { return m_file; }
  // What went wrong outside the pieces (memory) ends the part: every later call fails.
  int fail() {
    m_error = ZIP_INTERNALERROR;
    return m_error;
  }

  int write(const void* data, unsigned length) {
    const auto* bytes = static_cast<const char*>(data);
    m_size += length;
    while (length > 0 && m_error == ZIP_OK) {
      const std::size_t take = std::min<std::size_t>(length, kPieceBytes - m_input.size());
      m_input.append(bytes, take);
      bytes += take;
      length -= unsigned(take);
      if (m_input.size() == kPieceBytes) submit(false);
    }
    return m_error;
  }

  // Deflates and writes what is left, then closes the part with its size and checksum.
  int finish() {
    if (m_error == ZIP_OK) submit(true);
    while (m_error == ZIP_OK && !m_pieces.empty()) writeFront();
    if (m_error != ZIP_OK) return m_error;
    static const auto closeRaw = minizip<CloseRawFunction>("zipCloseFileInZipRaw64");
    if (!closeRaw) return ZIP_INTERNALERROR;
    return closeRaw(m_file, m_size, m_crc);
  }

 private:
  void submit(bool last) {
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
    while (m_error == ZIP_OK && m_pieces.size() > ahead) writeFront();
  }

  // Waits for the first piece (deflating pieces itself meanwhile) and writes it.
  void writeFront() {
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
      m_error = ZIP_INTERNALERROR;
      return;
    }
    m_crc = crc32_combine(m_crc, front->crc, z_off_t(front->inputSize));
    static const auto write = minizip<WriteFunction>("zipWriteInFileInZip");
    if (!write) {
      m_error = ZIP_INTERNALERROR;
      return;
    }
    for (std::size_t at = 0; at < front->output.size() && m_error == ZIP_OK;) {
      const auto length = unsigned(std::min<std::size_t>(front->output.size() - at, 1u << 30));
      const int result = write(m_file, front->output.data() + at, length);
      if (result < 0) m_error = result;
      at += length;
    }
  }

  // Deflates the first piece nobody has begun; false when there is none.
  bool claimAndDeflate(std::unique_lock<std::mutex>& lock) {
    const auto next = std::find_if(m_pieces.begin(), m_pieces.end(),
                                   [](const auto& piece) { return !piece->claimed; });
    if (next == m_pieces.end()) return false;
    std::shared_ptr<Piece> piece = *next;
    piece->claimed = true;
    lock.unlock();
    try {
      deflatePiece(*piece);
    } catch (...) {
      piece->failed = true;  // out of memory: the part fails, nothing waits for ever
    }
    lock.lock();
    piece->done = true;
    m_changed.notify_all();
    return true;
  }

  void help() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
      if (!claimAndDeflate(lock)) m_changed.wait(lock);
    }
  }

  zipFile m_file;
  std::string m_input;                 // the piece being filled
  std::string m_window;                // the last 32 KB given, the next piece's dictionary
  uLong m_crc = crc32(0, nullptr, 0);  // of the pieces written
  ZPOS64_T m_size = 0;
  int m_error = ZIP_OK;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::shared_ptr<Piece>> m_pieces;  // submitted and not yet written, in order
  bool m_stopping = false;
  Workers m_workers;
};

thread_local int t_fastScopes = 0;
// The part of a workbook being written on this thread, while it is open.
thread_local std::unique_ptr<ParallelDeflate> t_part;

ParallelDeflate* openPart(zipFile file) {
  return t_part && t_part->file() == file ? t_part.get() : nullptr;
}

}  // namespace

FastWorkbookCompression::FastWorkbookCompression() {
  ++t_fastScopes;
}

FastWorkbookCompression::~FastWorkbookCompression() {
  if (--t_fastScopes == 0) t_part.reset();
}

bool FastWorkbookCompression::active() {
  return t_fastScopes > 0;
}

}  // namespace vek

extern "C" int zipOpenNewFileInZip4_64(zipFile file, const char* filename,
                                       const zip_fileinfo* zipfi, const void* extrafield_local,
                                       uInt size_extrafield_local, const void* extrafield_global,
                                       uInt size_extrafield_global, const char* comment, int method,
                                       int level, int raw, int windowBits, int memLevel,
                                       int strategy, const char* password, uLong crcForCrypting,
                                       uLong versionMadeBy, uLong flagBase, int zip64) {
  static const auto open = vek::minizip<vek::OpenFunction>("zipOpenNewFileInZip4_64");
  if (!open) return ZIP_INTERNALERROR;
  const bool ours = vek::FastWorkbookCompression::active() && method == Z_DEFLATED && !raw &&
                    level == Z_DEFAULT_COMPRESSION && !password;
  if (!ours) {
    return open(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy,
                password, crcForCrypting, versionMadeBy, flagBase, zip64);
  }
  // Minizip writes the deflated bytes given to it as they are and records the level. Nothing
  // may throw into the library's C frames: a failure is minizip's internal error, which fails
  // the workbook (a raw part without its deflater would hold bytes that are not deflated).
  vek::t_part.reset();
  try {
    auto part = std::make_unique<vek::ParallelDeflate>(file);
    const int result = open(file, filename, zipfi, extrafield_local, size_extrafield_local,
                            extrafield_global, size_extrafield_global, comment, method,
                            vek::FastWorkbookCompression::kLevel, /*raw=*/1, windowBits, memLevel,
                            strategy, password, crcForCrypting, versionMadeBy, flagBase, zip64);
    if (result == ZIP_OK) vek::t_part = std::move(part);
    return result;
  } catch (...) {
    return ZIP_INTERNALERROR;
  }
}

extern "C" int zipWriteInFileInZip(zipFile file, const void* buf, unsigned len) {
  if (vek::ParallelDeflate* part = vek::openPart(file)) {
    try {
      return part->write(buf, len);
    } catch (...) {
      return part->fail();
    }
  }
  static const auto write = vek::minizip<vek::WriteFunction>("zipWriteInFileInZip");
  return write ? write(file, buf, len) : ZIP_INTERNALERROR;
}

extern "C" int zipCloseFileInZip(zipFile file) {
  if (vek::ParallelDeflate* part = vek::openPart(file)) {
    int result = ZIP_INTERNALERROR;
    try {
      result = part->finish();
    } catch (...) {
    }
    vek::t_part.reset();
    return result;
  }
  static const auto close = vek::minizip<vek::CloseFunction>("zipCloseFileInZip");
  return close ? close(file) : ZIP_INTERNALERROR;
}
