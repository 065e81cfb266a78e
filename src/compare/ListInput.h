// The bytes of a saved list as the readers take them: a regular file opened without waiting (a
// FIFO, a device or a folder is refused before a byte is read), read in blocks, with the line
// counted and its length capped as the bytes arrive, so that what a reader holds is bounded by
// the rows it has read, never by the size of the file.
#pragma once

#include <algorithm>
#include <atomic>
#include <optional>

#include <QByteArray>
#include <QString>

#include "core/messages/Message.h"

namespace vek {

// The limits a saved list is read within.
namespace ListLimits {
inline constexpr qint64 kLineBytes = 4 * 1024 * 1024;
inline constexpr qint64 kFieldBytes = 1024 * 1024;
inline constexpr int kDepth = 64;
}  // namespace ListLimits

class ListInput {
 public:
  enum class Fault {
    None,
    LineTooLong,  // a line over ListLimits::kLineBytes
    NotText,      // a NUL byte: UTF-16 without a mark, or no text at all
    ReadError,    // the system's reason in errorString()
    Cancelled,    // the flag given to setCancel() was raised
  };

  // The regular file at path, or the message saying why it cannot be read (not a regular file,
  // no such file, no permission). Nothing is waited for: a FIFO is refused, not opened for good.
  static std::optional<ListInput> open(const QString& path, std::optional<Message>* refusal);
  // Bytes in memory (tests, fuzzing).
  explicit ListInput(QByteArray bytes);
  ~ListInput();
  ListInput(ListInput&& other) noexcept;
  ListInput& operator=(ListInput&&) = delete;
  ListInput(const ListInput&) = delete;

  // The next byte without taking it; '\0' at the end, on a fault, and at a NUL byte (which
  // fault() then reports: no list holds one).
  char peek() {
    if (m_at == m_end && !fill()) return '\0';
    return *m_at;
  }
  char take() {
    if (m_at == m_end && !fill()) return '\0';
    const char c = *m_at;
    if (c == '\0') return c;
    ++m_at;
    if (c == '\n') {
      ++m_line;
      m_lineStart = taken();
    }
    return c;
  }
  // The next line's bytes, its line end included when it has one; false at the end of the bytes
  // or on a fault. A line holding a NUL byte is a fault.
  bool readLine(QByteArray& line);
  // Up to n of the next bytes, without taking them (those of the block at hand).
  QByteArray peekBytes(qsizetype n) {
    if (m_at == m_end) fill();
    return QByteArray(m_at, std::min<qsizetype>(n, m_end - m_at));
  }
  // Skips a UTF-8 byte-order mark at the start; true when there was one.
  bool skipMark();
  // Skips spaces, tabs and line ends.
  void skipSpace();
  // Back to the first byte (a text list read again in another encoding).
  bool rewind();

  // Raised, the flag stops the reading at the next block (the reader then sees a fault).
  void setCancel(const std::atomic<bool>* flag) { m_cancel = flag; }

  qint64 size() const { return m_size; }  // of the file when it was opened
  qint64 line() const { return m_line; }  // the line of the next byte, from 1
  qint64 taken() const { return m_base + (m_at - m_blockStart); }  // bytes taken so far
  Fault fault() const {
    if (m_fault == Fault::None && m_at != m_end && *m_at == '\0') return Fault::NotText;
    return m_fault;
  }
  QString errorString() const { return m_error; }
  // The message for fault(), nullopt when there is none. A line too long is named as
  // longLine (a reader may count a record of several lines as the one it began on).
  std::optional<Message> faultMessage(const QString& path, qint64 longLine) const;

 private:
  ListInput() = default;
  bool fill();
  void setFault(Fault fault) {
    if (m_fault == Fault::None) m_fault = fault;
  }

  // The bytes are seen a block at a time (the line's length is checked at each block): read
  // from the file into m_buffer, or a window onto the bytes in memory (m_buffer, m_fd < 0).
  int m_fd = -1;
  QByteArray m_buffer;
  const char* m_blockStart = nullptr;
  const char* m_at = nullptr;
  const char* m_end = nullptr;
  bool m_atEof = false;
  qint64 m_base = 0;  // bytes before m_blockStart
  qint64 m_size = 0;
  qint64 m_lineStart = 0;
  qint64 m_line = 1;
  Fault m_fault = Fault::None;
  QString m_error;
  const std::atomic<bool>* m_cancel = nullptr;
};

}  // namespace vek
