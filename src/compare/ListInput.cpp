#include "compare/ListInput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QCoreApplication>

#include "compare/ListReadErrors.h"
#include "core/platform/FileNameBytes.h"

namespace vek {

namespace {

constexpr qsizetype kBlock = 256 * 1024;

QString systemReason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

QString kindOf(mode_t mode) {
  const char* text = S_ISDIR(mode) ? QT_TRANSLATE_NOOP("ListInput", "フォルダ")
                     : S_ISFIFO(mode) ? QT_TRANSLATE_NOOP("ListInput", "FIFO（名前付きパイプ）")
                     : S_ISSOCK(mode) ? QT_TRANSLATE_NOOP("ListInput", "ソケット")
                     : (S_ISCHR(mode) || S_ISBLK(mode))
                         ? QT_TRANSLATE_NOOP("ListInput", "デバイス")
                         : QT_TRANSLATE_NOOP("ListInput", "特殊なファイル");
  return QCoreApplication::translate("ListInput", text);
}

}  // namespace

std::optional<ListInput> ListInput::open(const QString& path, std::optional<Message>* refusal) {
  // Opened without waiting (a FIFO with no writer would block a plain open for good), then
  // looked at: only a regular file is read.
  const QByteArray name = encodeFileName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    *refusal = ListReadErrors::cannotOpen(path, systemReason(errno));
    return std::nullopt;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int error = errno;
    ::close(fd);
    *refusal = S_ISREG(status.st_mode) || status.st_mode == 0
                   ? ListReadErrors::cannotOpen(path, systemReason(error))
                   : ListReadErrors::notRegularFile(path, kindOf(status.st_mode));
    return std::nullopt;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  ListInput input;
  input.m_fd = fd;
  input.m_size = status.st_size;
  input.m_buffer.resize(kBlock);
  input.m_blockStart = input.m_at = input.m_end = input.m_buffer.constData();
  return input;
}

ListInput::ListInput(QByteArray bytes) : m_buffer(std::move(bytes)), m_size(m_buffer.size()) {
  m_blockStart = m_at = m_end = m_buffer.constData();
}

ListInput::~ListInput() {
  if (m_fd >= 0) ::close(m_fd);
}

ListInput::ListInput(ListInput&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_buffer(std::move(other.m_buffer)),
      m_blockStart(m_buffer.constData() + (other.m_blockStart - other.m_buffer.constData())),
      m_at(m_buffer.constData() + (other.m_at - other.m_buffer.constData())),
      m_end(m_buffer.constData() + (other.m_end - other.m_buffer.constData())),
      m_atEof(other.m_atEof),
      m_base(other.m_base),
      m_size(other.m_size),
      m_lineStart(other.m_lineStart),
      m_line(other.m_line),
      m_fault(other.m_fault),
      m_error(std::move(other.m_error)),
      m_cancel(other.m_cancel) {}

bool ListInput::fill() {
  if (m_fault != Fault::None || m_atEof) return false;
  m_base += m_end - m_blockStart;
  m_blockStart = m_at = m_end;
  if (m_base - m_lineStart > ListLimits::kLineBytes) {
    setFault(Fault::LineTooLong);
    return false;
  }
  if (m_cancel && m_cancel->load()) {
    setFault(Fault::Cancelled);
    return false;
  }
  if (m_fd < 0) {
    const char* const dataEnd = m_buffer.constData() + m_buffer.size();
    m_end = m_at + std::min<qsizetype>(kBlock, dataEnd - m_at);
    m_atEof = m_at == m_end;
    return !m_atEof;
  }
  for (;;) {
    const ssize_t got = ::read(m_fd, m_buffer.data(), std::size_t(m_buffer.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      m_error = systemReason(errno);
      setFault(Fault::ReadError);
      return false;
    }
    m_blockStart = m_at = m_buffer.constData();
    m_end = m_at + got;
    m_atEof = got == 0;
    return !m_atEof;
  }
}

bool ListInput::readLine(QByteArray& line) {
  line.clear();
  for (;;) {
    if (m_fault != Fault::None) return false;
    if (m_at == m_end && !fill()) return !line.isEmpty() && m_fault == Fault::None;
    const qsizetype available = m_end - m_at;
    const void* found = std::memchr(m_at, '\n', std::size_t(available));
    const qsizetype length = found ? static_cast<const char*>(found) - m_at + 1 : available;
    if (line.size() + length > ListLimits::kLineBytes + 2) {
      setFault(Fault::LineTooLong);
      return false;
    }
    if (std::memchr(m_at, '\0', std::size_t(length))) {
      setFault(Fault::NotText);
      return false;
    }
    line.append(m_at, length);
    m_at += length;
    if (found) {
      ++m_line;
      m_lineStart = taken();
      return true;
    }
  }
}

bool ListInput::skipMark() {
  if (peek() != '\xEF') return false;
  // The mark's three bytes may straddle a block only in a file of a few bytes: read them one
  // at a time.
  if (m_end - m_at >= 3 && std::memcmp(m_at, "\xEF\xBB\xBF", 3) == 0) {
    m_at += 3;
    m_lineStart = taken();
    return true;
  }
  return false;
}

void ListInput::skipSpace() {
  for (char c = peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = peek()) take();
}

bool ListInput::rewind() {
  if (m_fd >= 0 && ::lseek(m_fd, 0, SEEK_SET) != 0) return false;
  m_blockStart = m_at = m_end = m_buffer.constData();
  m_atEof = false;
  m_base = m_lineStart = 0;
  m_line = 1;
  m_fault = Fault::None;
  return true;
}

std::optional<Message> ListInput::faultMessage(const QString& path, qint64 longLine) const {
  switch (fault()) {
    case Fault::LineTooLong:
      return ListReadErrors::lineTooLong(path, longLine);
    case Fault::NotText:
      return ListReadErrors::notText(path, line());
    case Fault::ReadError:
      return ListReadErrors::cannotOpen(path, errorString());
    case Fault::Cancelled:
      return ListReadErrors::cannotOpen(path,
                                        QCoreApplication::translate("ListInput", "中断しました。"));
    case Fault::None:
      break;
  }
  return std::nullopt;
}

}  // namespace vek
