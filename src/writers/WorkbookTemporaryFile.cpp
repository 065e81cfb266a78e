#include "writers/WorkbookTemporaryFile.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "writers/ParallelDeflate.h"
#include "writers/WorkbookCompression.h"

namespace vek {

namespace {

// The stream's buffer: the library prints a sheet's rows in calls of a few bytes each.
constexpr std::size_t kBufferBytes = 256 * 1024;
// Minizip's codes.
constexpr int kZipErrno = Z_ERRNO;
constexpr int kZipInternalError = -104;

using Stretches = std::vector<std::shared_ptr<const WorkbookTemporaryFile::Stretch>>;

// A file being copied into another by the library (read from the first, written to the other
// a piece at a time).
struct Copy {
  unsigned long long source = 0;  // the serial of the file read; 0 when there is no copy
  Stretches stretches;            // its deflated bytes
  unsigned long long length = 0;  // its length
  unsigned long long handedOut = 0;
  unsigned long long taken = 0;  // of those handed out, written into the destination
  WorkbookTemporaryFile* destination = nullptr;
};

thread_local std::vector<WorkbookTemporaryFile*> t_open;  // in the order they were made
thread_local unsigned long long t_serial = 0;
thread_local Copy t_copy;
thread_local WorkbookTemporaryFile* t_claimed = nullptr;
thread_local int t_failure = 0;

int failWith(int error) {
  WorkbookTemporaryFile::recordFailure(error);
  errno = error;
  return -1;
}

// A scratch file nobody else can open: unlinked as soon as it is made.
int scratchFile(const std::string& folder) {
  std::string path = folder + "/vek-part-XXXXXX";
  const int fd = ::mkostemp(path.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(path.c_str());
  return fd;
}

bool writeAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t n = ::write(fd, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    length -= std::size_t(n);
  }
  return true;
}

// The bytes that end a raw deflate stream stopped on a byte boundary: an empty final block.
const std::string& streamEnd() {
  static const std::string end = [] {
    z_stream stream{};
    std::string out(16, '\0');
    if (deflateInit2(&stream, FastWorkbookCompression::kLevel, Z_DEFLATED, -MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
      return std::string();
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const bool ended = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    return ended ? out : std::string();
  }();
  return end;
}

}  // namespace

struct WorkbookTemporaryFile::Stretch {
  int fd = -1;
  unsigned long long deflated = 0;  // bytes in the scratch file
  unsigned long long length = 0;    // bytes before deflating
  uLong crc = 0;
  Stretch() = default;
  Stretch(const Stretch&) = delete;
  Stretch& operator=(const Stretch&) = delete;
  ~Stretch() {
    if (fd >= 0) ::close(fd);
  }
};

WorkbookTemporaryFile::WorkbookTemporaryFile(const char* folder)
    : m_buffer(new char[kBufferBytes]()) {
  if (folder) {
    m_folder = folder;
  } else {
    const char* system = std::getenv("TMPDIR");
    m_folder = system && *system ? system : "/tmp";
  }
}

WorkbookTemporaryFile::~WorkbookTemporaryFile() = default;

FILE* WorkbookTemporaryFile::open(const char* folder) {
  try {
    std::unique_ptr<WorkbookTemporaryFile> file(new WorkbookTemporaryFile(folder));
    const cookie_io_functions_t functions{readFunction, writeFunction, seekFunction, closeFunction};
    FILE* stream = ::fopencookie(file.get(), "w+", functions);
    if (!stream) return nullptr;
    // Only the library's thread uses the stream: no lock taken for each of its calls.
    ::__fsetlocking(stream, FSETLOCKING_BYCALLER);
    ::setvbuf(stream, file->m_buffer.get(), _IOFBF, kBufferBytes);
    file->m_stream = stream;
    file->m_serial = ++t_serial;
    t_open.push_back(file.release());
    return stream;
  } catch (...) {
    errno = ENOMEM;
    return nullptr;
  }
}

bool WorkbookTemporaryFile::writeOwn(const char* bytes, std::size_t size) {
  if (!m_deflate) {
    auto stretch = std::make_shared<Stretch>();
    stretch->fd = scratchFile(m_folder);
    if (stretch->fd < 0) {
      failWith(errno);
      return false;
    }
    Stretch* into = stretch.get();
    m_deflate = std::make_unique<ParallelDeflate>(FastWorkbookCompression::kLevel,
                                                  [into](const char* data, std::size_t length) {
                                                    if (!writeAll(into->fd, data, length)) {
                                                      recordFailure(errno);
                                                      return kZipErrno;
                                                    }
                                                    into->deflated += length;
                                                    return 0;
                                                  });
    m_own = std::move(stretch);
  }
  if (m_deflate->write(bytes, size) != 0) {
    failWith(EIO);  // a scratch file's own failure is recorded first
    return false;
  }
  return true;
}

void WorkbookTemporaryFile::endOwnStretch() {
  if (!m_deflate) return;
  if (m_deflate->finish(false) != 0) recordFailure(EIO);
  m_own->length = m_deflate->size();
  m_own->crc = m_deflate->crc();
  m_stretches.push_back(std::move(m_own));
  m_own.reset();
  m_deflate.reset();
}

ssize_t WorkbookTemporaryFile::writeFunction(void* cookie, const char* buffer, std::size_t size) {
  auto* file = static_cast<WorkbookTemporaryFile*>(cookie);
  try {
    if (file->m_abandoned) return ssize_t(size);
    if (file->m_reading) return failWith(EBADF);
    std::size_t copied = 0;
    if (t_copy.source != 0 && t_copy.taken < t_copy.handedOut) {
      // Bytes read from the file being copied: this file takes that file's deflated bytes.
      if (t_copy.destination && t_copy.destination != file) return failWith(EIO);
      if (!t_copy.destination) {
        t_copy.destination = file;
        file->endOwnStretch();
      }
      copied = std::size_t(std::min<unsigned long long>(size, t_copy.handedOut - t_copy.taken));
      t_copy.taken += copied;
      file->m_length += copied;
      if (t_copy.taken == t_copy.length) {
        file->m_stretches.insert(file->m_stretches.end(), t_copy.stretches.begin(),
                                 t_copy.stretches.end());
        t_copy = Copy{};
      }
    }
    if (copied < size) {
      // The library's own bytes in the middle of a copy: not a copy of a whole file.
      if (t_copy.destination == file) return failWith(EIO);
      if (!file->writeOwn(buffer + copied, size - copied)) return -1;
      file->m_length += size - copied;
    }
    return ssize_t(size);
  } catch (...) {
    return failWith(ENOMEM);
  }
}

ssize_t WorkbookTemporaryFile::readFunction(void* cookie, char*, std::size_t size) {
  auto* file = static_cast<WorkbookTemporaryFile*>(cookie);
  try {
    if (!file->m_reading) return failWith(EBADF);
    const auto count =
        std::size_t(std::min<unsigned long long>(size, file->m_length - file->m_handedOut));
    if (count == 0) return 0;
    // The bytes are not given, only counted: read for the file's own zip part, or copied into
    // another of these files, they are taken there as the file's deflated stretches.
    if (!file->m_claimed && t_copy.source != file->m_serial) {
      if (t_copy.source != 0 || file->m_handedOut != 0) return failWith(EIO);
      // The file it goes into holds its own bytes so far before the copied ones.
      for (WorkbookTemporaryFile* other : t_open)
        if (other != file && !other->m_reading && std::fflush(other->m_stream) != 0)
          return failWith(EIO);
      t_copy = Copy{file->m_serial, file->m_stretches, file->m_length, 0, 0, nullptr};
    }
    if (!file->m_claimed) t_copy.handedOut += count;
    file->m_handedOut += count;
    return ssize_t(count);
  } catch (...) {
    return failWith(ENOMEM);
  }
}

int WorkbookTemporaryFile::seekFunction(void* cookie, off64_t* position, int whence) {
  auto* file = static_cast<WorkbookTemporaryFile*>(cookie);
  try {
    const auto current = off64_t(file->m_reading ? file->m_handedOut : file->m_length);
    const off64_t base = whence == SEEK_SET   ? 0
                         : whence == SEEK_CUR ? current
                                              : off64_t(file->m_length);
    const off64_t target = base + *position;
    // Back to the start, to read what was written (once): the library's rewind.
    if (whence == SEEK_SET && target == 0 && file->m_handedOut == 0) {
      if (!file->m_reading) {
        file->endOwnStretch();
        file->m_reading = true;
      }
      *position = 0;
      return 0;
    }
    if (target == current) {
      *position = current;
      return 0;
    }
    return failWith(ESPIPE);
  } catch (...) {
    return failWith(ENOMEM);
  }
}

int WorkbookTemporaryFile::closeFunction(void* cookie) {
  auto* file = static_cast<WorkbookTemporaryFile*>(cookie);
  t_open.erase(std::remove(t_open.begin(), t_open.end(), file), t_open.end());
  // A file taken for a zip part closed before the part was written: the part cannot be.
  if (t_claimed == file) {
    t_claimed = nullptr;
    recordFailure(EIO);
  }
  delete file;
  return 0;
}

void WorkbookTemporaryFile::closeAbandoned() {
  const std::vector<WorkbookTemporaryFile*> abandoned = t_open;
  for (WorkbookTemporaryFile* file : abandoned) {
    file->m_abandoned = true;
    std::fclose(file->m_stream);
  }
  t_open.clear();
  t_copy = Copy{};
  t_claimed = nullptr;
}

bool WorkbookTemporaryFile::claimForPart() {
  t_claimed = nullptr;
  if (t_open.empty()) return false;
  WorkbookTemporaryFile* newest = t_open.back();
  if (newest->m_reading || newest->m_claimed) return false;
  newest->m_claimed = true;
  t_claimed = newest;
  return true;
}

bool WorkbookTemporaryFile::partGiven(unsigned long long length) {
  WorkbookTemporaryFile* file = t_claimed;
  if (!file || !file->m_reading || file->m_partGiven + length > file->m_handedOut) {
    recordFailure(EIO);
    return false;
  }
  file->m_partGiven += length;
  return true;
}

int WorkbookTemporaryFile::writePart(const std::function<int(const char*, std::size_t)>& write,
                                     uLong& crc, unsigned long long& length) {
  WorkbookTemporaryFile* file = t_claimed;
  t_claimed = nullptr;
  // The part must be the whole file, read once from its start.
  if (!file || !file->m_reading || file->m_handedOut != file->m_length ||
      file->m_partGiven != file->m_length || t_copy.source != 0) {
    recordFailure(EIO);
    return kZipInternalError;
  }
  if (t_failure != 0) return kZipErrno;
  const std::string& end = streamEnd();
  if (end.empty()) return kZipInternalError;
  crc = crc32(0, nullptr, 0);
  length = 0;
  try {
    std::vector<char> buffer(1 << 20);
    for (const auto& stretch : file->m_stretches) {
      for (unsigned long long at = 0; at < stretch->deflated;) {
        const auto want =
            std::size_t(std::min<unsigned long long>(buffer.size(), stretch->deflated - at));
        const ssize_t n = ::pread(stretch->fd, buffer.data(), want, off_t(at));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
          recordFailure(n < 0 ? errno : EIO);
          return kZipErrno;
        }
        const int result = write(buffer.data(), std::size_t(n));
        if (result < 0) return result;
        at += std::size_t(n);
      }
      crc = crc32_combine(crc, stretch->crc, z_off_t(stretch->length));
      length += stretch->length;
    }
  } catch (...) {
    recordFailure(ENOMEM);
    return kZipInternalError;
  }
  if (length != file->m_length) {
    recordFailure(EIO);
    return kZipInternalError;
  }
  return write(end.data(), end.size());
}

int WorkbookTemporaryFile::failure() {
  return t_failure;
}

void WorkbookTemporaryFile::resetFailure() {
  t_failure = 0;
  t_copy = Copy{};
  t_claimed = nullptr;
}

void WorkbookTemporaryFile::recordFailure(int error) {
  if (t_failure == 0) t_failure = error != 0 ? error : EIO;
}

bool WorkbookTemporaryFile::copying() {
  return t_copy.source != 0;
}

}  // namespace vek
