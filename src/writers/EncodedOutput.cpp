#include "writers/EncodedOutput.h"

namespace vek {

EncodedOutput::EncodedOutput(QIODevice& device, TextEncoder& encoder, qsizetype chunkCharacters)
    : m_device(device), m_encoder(encoder), m_chunkCharacters(chunkCharacters) {
  m_pending.reserve(chunkCharacters + 4096);
}

bool EncodedOutput::put(const QByteArray& bytes) {
  if (m_failed) return false;
  if (bytes.isEmpty() || m_device.write(bytes) == bytes.size()) return true;
  m_failed = true;
  m_error = m_device.errorString();
  if (m_error.isEmpty()) m_error = QStringLiteral("The device took only part of the data");
  return false;
}

bool EncodedOutput::writeBytes(const QByteArray& bytes) {
  return flush() && put(bytes);
}

bool EncodedOutput::flushIfLarge() {
  return m_pending.size() < m_chunkCharacters ? !m_failed : flush();
}

bool EncodedOutput::flush() {
  if (m_failed || m_pending.isEmpty()) {
    m_pending.resize(0);
    return !m_failed;
  }
  const QByteArray bytes = m_encoder.encode(m_pending);
  m_pending.resize(0);  // keeps the capacity for the next chunk
  return put(bytes);
}

bool EncodedOutput::finish() {
  return flush() && put(m_encoder.finish());
}

}  // namespace vek
