#include "core/platform/FileHasher.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <QCoreApplication>

#include "core/platform/FileNameBytes.h"
#include "core/platform/OrderedWork.h"

namespace vek {

namespace {

// Large enough that a big file costs few system calls, small enough for several threads.
constexpr std::size_t kBlockSize = 256 * 1024;

const EVP_MD* digestOf(HashKind kind) {
  switch (kind) {
    case HashKind::Md5:
      return EVP_md5();
    case HashKind::Sha1:
      return EVP_sha1();
    case HashKind::Sha256:
      return EVP_sha256();
    case HashKind::None:
      break;
  }
  return nullptr;
}

QByteArray hexOf(const unsigned char* digest, unsigned int length) {
  static const char digits[] = "0123456789abcdef";
  QByteArray hex(int(length) * 2, Qt::Uninitialized);
  for (unsigned int i = 0; i < length; ++i) {
    hex[2 * i] = digits[digest[i] >> 4];
    hex[2 * i + 1] = digits[digest[i] & 15];
  }
  return hex;
}

FileHash unreadable(int error) {
  FileHash result;
  result.outcome = FileHash::Outcome::Unreadable;
  result.reason = QString::fromLocal8Bit(std::strerror(error));
  return result;
}

bool sameFile(const struct stat& before, const struct stat& after) {
  return before.st_size == after.st_size && before.st_mtim.tv_sec == after.st_mtim.tv_sec &&
         before.st_mtim.tv_nsec == after.st_mtim.tv_nsec;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

QString FileHash::cellText() const {
  switch (outcome) {
    case Outcome::Hashed:
      return QString::fromLatin1(hex);
    case Outcome::Unreadable:
      return QCoreApplication::translate("FileHasher", "(読み取れないためハッシュなし)");
    case Outcome::Changed:
      return QCoreApplication::translate("FileHasher", "(変更されたためハッシュなし)");
    case Outcome::NotRead:
      return QCoreApplication::translate("FileHasher", "(比較で確認できないため読み取りなし)");
    case Outcome::Cancelled:
      break;
  }
  return QCoreApplication::translate("FileHasher", "(ハッシュなし)");
}

struct FileHasher::Context {
  const EVP_MD* md = nullptr;
  EVP_MD_CTX* ctx = nullptr;
  std::unique_ptr<unsigned char[]> buffer{new unsigned char[kBlockSize]};
  // The folder of the last file, kept open: the files of one folder come one after another,
  // and opening each by its name in that folder spares the walk down the whole path.
  QByteArray folder;
  int folderFd = -1;

  ~Context() {
    if (folderFd >= 0) ::close(folderFd);
  }
  int openFile(const QByteArray& path, int flags) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ::open(path.constData(), flags);
    const QByteArrayView folderPart(path.constData(), slash + 1);
    if (folderFd < 0 || folderPart != folder) {
      if (folderFd >= 0) ::close(folderFd);
      folder = folderPart.toByteArray();
      folderFd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (folderFd < 0) return ::open(path.constData(), flags);
    return ::openat(folderFd, path.constData() + slash + 1, flags);
  }
};

FileHasher::FileHasher(HashKind kind) : m_context(std::make_unique<Context>()) {
  m_context->md = digestOf(kind);
  m_context->ctx = EVP_MD_CTX_new();
}

FileHasher::~FileHasher() {
  EVP_MD_CTX_free(m_context->ctx);
}

FileHash FileHasher::hash(const QString& path, const std::atomic<bool>& cancel,
                          std::atomic<qint64>* bytesRead, const std::function<void()>& afterBlock,
                          qint64 expectedSize) {
  if (!m_context->md || !m_context->ctx) return unreadable(EINVAL);
  const QByteArray name = encodeFileName(path);
  // Not blocking on open: a named pipe among the files would otherwise wait for a writer.
  Descriptor file(m_context->openFile(name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.get() < 0) return unreadable(errno);
  struct stat before {};
  if (::fstat(file.get(), &before) != 0) return unreadable(errno);
  if (!S_ISREG(before.st_mode)) {
    FileHash result;
    result.outcome = FileHash::Outcome::Unreadable;
    result.reason = QCoreApplication::translate("FileHasher", "通常のファイルではありません");
    return result;
  }
  // O_NONBLOCK changes nothing for a regular file's reads, so it stays. Read-ahead advice pays
  // only for files of several blocks; a tree of small files would pay the call for each.
  if (before.st_size > qint64(kBlockSize)) ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

  if (EVP_DigestInit_ex(m_context->ctx, m_context->md, nullptr) != 1) return unreadable(ENOMEM);
  qint64 total = 0;
  for (;;) {
    if (cancel.load(std::memory_order_relaxed)) return FileHash();
    const ssize_t got = ::read(file.get(), m_context->buffer.get(), kBlockSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      return unreadable(errno);
    }
    if (got == 0) break;
    EVP_DigestUpdate(m_context->ctx, m_context->buffer.get(), std::size_t(got));
    total += got;
    if (bytesRead) bytesRead->fetch_add(got, std::memory_order_relaxed);
    if (afterBlock) afterBlock();
  }
  struct stat after {};
  if (::fstat(file.get(), &after) != 0) return unreadable(errno);
  if (!sameFile(before, after) || total != before.st_size ||
      (expectedSize >= 0 && total != expectedSize)) {
    FileHash result;
    result.outcome = FileHash::Outcome::Changed;
    return result;
  }
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(m_context->ctx, digest, &length) != 1) return unreadable(ENOMEM);
  FileHash result;
  result.outcome = FileHash::Outcome::Hashed;
  result.hex = hexOf(digest, length);
  return result;
}

struct HashJob::State {
  HashKind kind;
  std::vector<QString> paths;
  std::vector<qint64> expectedSizes;
  std::vector<FileHash> results;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> cancel{false};
  std::atomic<qint64> filesDone{0};
  std::atomic<qint64> bytesDone{0};
  std::mutex mutex;
  std::condition_variable finished;
  int running = 0;
  std::function<void()> whenDone;  // with mutex held

  // With mutex held: the last file is done.
  void done() {
    finished.notify_all();
    if (whenDone) std::exchange(whenDone, nullptr)();
  }
};

// Every job's reading threads until they are joined. A job lets its readers run on after a
// cancel, but none may still run when the program ends: the digest library and Qt take down
// then what a reader uses.
struct HashJob::Readers {
  struct Reader {
    std::shared_ptr<State> state;
    std::thread thread;
  };
  std::mutex mutex;
  std::vector<Reader> readers;

  Readers() {
    if (QCoreApplication::instance()) qAddPostRoutine([] { HashJob::stopAllReaders(); });
  }
  ~Readers() { HashJob::stopAllReaders(); }

  void add(const std::shared_ptr<State>& state, std::vector<std::thread>& threads) {
    std::lock_guard lock(mutex);
    // The readers of finished jobs have only their return left: joined here, they do not pile up.
    std::erase_if(readers, [](Reader& reader) {
      std::unique_lock stateLock(reader.state->mutex);
      if (reader.state->running != 0) return false;
      stateLock.unlock();
      reader.thread.join();
      return true;
    });
    for (std::thread& thread : threads) readers.push_back({state, std::move(thread)});
  }
};

HashJob::Readers& HashJob::readers() {
  // Made after the digest library has set up its own clean-up for the program's end, so
  // that this one's comes first (the end undoes in the reverse order).
  [[maybe_unused]] static const bool libraryReady = OPENSSL_init_crypto(0, nullptr) == 1;
  static Readers instance;
  return instance;
}

void HashJob::stopAllReaders(std::chrono::milliseconds grace) {
  Readers& all = readers();
  std::vector<Readers::Reader> stopping;
  {
    std::lock_guard lock(all.mutex);
    stopping = std::move(all.readers);
    all.readers.clear();
  }
  for (Readers::Reader& reader : stopping) reader.state->cancel.store(true);
  const auto deadline = std::chrono::steady_clock::now() + grace;
  for (Readers::Reader& reader : stopping) {
    std::unique_lock lock(reader.state->mutex);
    reader.state->whenDone = nullptr;
    const bool ended = reader.state->finished.wait_until(
        lock, deadline, [&] { return reader.state->running == 0; });
    lock.unlock();
    // A reader still waiting for a hung mount cannot be joined; the process ends around it.
    if (ended)
      reader.thread.join();
    else
      reader.thread.detach();
  }
}

int HashJob::defaultThreads() {
  const int cores = int(std::thread::hardware_concurrency());
  // Twice the cores: while one thread waits for the disk another hashes.
  return std::clamp(cores * 2, 2, 16);
}

HashJob::HashJob(HashKind kind, std::vector<QString> paths, int threads,
                 std::vector<qint64> expectedSizes)
    : m_state(std::make_shared<State>()) {
  m_state->kind = kind;
  m_state->paths = std::move(paths);
  m_state->expectedSizes = std::move(expectedSizes);
  m_state->results.resize(m_state->paths.size());
  const int count = int(std::min<std::size_t>(std::max(threads, 1), m_state->paths.size()));
  m_state->running = count;
  const auto work = [state = m_state] {
    // What a reader throws leaves its files unhashed (reported, never a wrong digest) and
    // the others go on.
    runCaught([&] {
      FileHasher hasher(state->kind);
      // A few files at a time: neighbours share a folder, and the counter is touched less.
      constexpr std::size_t kChunk = 8;
      const std::size_t total = state->paths.size();
      for (;;) {
        const std::size_t first = state->next.fetch_add(kChunk, std::memory_order_relaxed);
        if (first >= total) break;
        for (std::size_t i = first; i < std::min(first + kChunk, total); ++i) {
          if (state->cancel.load(std::memory_order_relaxed)) break;
          const qint64 expected = i < state->expectedSizes.size() ? state->expectedSizes[i] : -1;
          state->results[i] =
              hasher.hash(state->paths[i], state->cancel, &state->bytesDone, {}, expected);
          state->filesDone.fetch_add(1, std::memory_order_relaxed);
        }
        if (state->cancel.load(std::memory_order_relaxed)) break;
      }
    });
    std::lock_guard lock(state->mutex);
    if (--state->running == 0) state->done();
  };
  // Readers are not waited for here: one stuck on a hung mount must not hold up a cancel.
  // The registry joins them once they end. A reader the system will not start is one fewer;
  // with none, this thread reads.
  std::vector<std::thread> started;
  while (int(started.size()) < count && startWorker(started, work)) {
  }
  const int missing = count - int(started.size());
  if (!started.empty()) readers().add(m_state, started);
  if (missing > 0) {
    std::unique_lock lock(m_state->mutex);
    m_state->running -= missing;
    if (missing == count) {
      ++m_state->running;
      lock.unlock();
      work();
    } else if (m_state->running == 0) {
      m_state->done();
    }
  }
}

HashJob::~HashJob() {
  cancel();
}

bool HashJob::waitFor(int milliseconds) {
  std::unique_lock lock(m_state->mutex);
  return m_state->finished.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                    [this] { return m_state->running == 0; });
}

void HashJob::setWhenDone(std::function<void()> whenDone) {
  std::unique_lock lock(m_state->mutex);
  if (m_state->running != 0) {
    m_state->whenDone = std::move(whenDone);
    return;
  }
  lock.unlock();
  if (whenDone) whenDone();
}

void HashJob::cancel() {
  m_state->cancel.store(true);
  std::lock_guard lock(m_state->mutex);
  m_state->whenDone = nullptr;
}

bool HashJob::cancelled() const {
  return m_state->cancel.load();
}

qint64 HashJob::filesDone() const {
  return m_state->filesDone.load(std::memory_order_relaxed);
}

qint64 HashJob::bytesDone() const {
  return m_state->bytesDone.load(std::memory_order_relaxed);
}

std::vector<FileHash> HashJob::takeResults() {
  std::lock_guard lock(m_state->mutex);
  return std::move(m_state->results);
}

}  // namespace vek
