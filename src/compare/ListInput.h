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

#include "core/Message.h"

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

  // The next byte without taking it; '\0' at the end, on a fault, and at a NUL byte (which is a
  // fault once taken or looked at: no list holds one).
  char peek() {
    if (m_at == m_end && !fill()) return '\0';
    const char c = *m_at;
    if (c == '\0') setFault(Fault::NotText);
    return c;
  }
  char take() {
    const char c = peek();
    if (c == '\0') return c;
    ++m_at;
    ++m_taken;
    if (c == '\n') {
      ++m_line;
      m_lineStart = m_taken;
    } else if (m_taken - m_lineStart > ListLimits::kLineBytes) {
      setFault(Fault::LineTooLong);
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

  qint64 line() const { return m_line; }    // the line of the next byte, from 1
  qint64 taken() const { return m_taken; }  // bytes taken so far
  Fault fault() const { return m_fault; }
  QString errorString() const { return m_error; }

 private:
  ListInput() = default;
  bool fill();
  void setFault(Fault fault) {
    if (m_fault == Fault::None) m_fault = fault;
  }

  int m_fd = -1;
  QByteArray m_buffer;
  const char* m_at = nullptr;
  const char* m_end = nullptr;
  bool m_atEof = false;
  qint64 m_taken = 0;
  qint64 m_lineStart = 0;
  qint64 m_line = 1;
  Fault m_fault = Fault::None;
  QString m_error;
  const std::atomic<bool>* m_cancel = nullptr;
};

}  // namespace vek
