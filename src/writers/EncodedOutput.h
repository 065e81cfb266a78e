// Text gathered in memory and written to a device through a stateful encoder in large chunks:
// the one write loop of the text, HTML and XML writers. The first failed write is kept; later
// writes are skipped, so a writer can check once at the end.
#pragma once

#include <QIODevice>
#include <QString>

#include "core/text/TextCodec.h"

namespace vek {

class EncodedOutput {
 public:
  EncodedOutput(QIODevice& device, TextEncoder& encoder, qsizetype chunkCharacters);

  // Where the writer appends its text.
  QString& text() { return m_pending; }

  // Bytes that go out as they are (a byte-order mark), after the text gathered so far.
  bool writeBytes(const QByteArray& bytes);
  // Writes the gathered text once it has reached the chunk size.
  bool flushIfLarge();
  bool flush();
  // Flushes and ends the encoding (a stateful encoding shifts back).
  bool finish();

  bool failed() const { return m_failed; }
  QString errorString() const { return m_error; }

 private:
  bool put(const QByteArray& bytes);

  QIODevice& m_device;
  TextEncoder& m_encoder;
  qsizetype m_chunkCharacters;
  QString m_pending;
  bool m_failed = false;
  QString m_error;
};

}  // namespace vek
