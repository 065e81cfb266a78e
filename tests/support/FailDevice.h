// A write-only device that accepts a given number of bytes and then fails, as a full disk or a
// removed medium does. What was accepted is kept for inspection.
#pragma once

#include <QIODevice>

namespace vek::test {

class FailDevice : public QIODevice {
 public:
  explicit FailDevice(qint64 acceptBytes) : m_accept(acceptBytes) { open(QIODevice::WriteOnly); }

  QByteArray accepted;
  qint64 writeCalls = 0;

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    ++writeCalls;
    const qint64 room = m_accept - accepted.size();
    if (room <= 0) {
      setErrorString(QStringLiteral("No space left on device"));
      return -1;
    }
    const qint64 taken = qMin(room, size);
    accepted.append(data, taken);
    return taken;
  }

 private:
  qint64 m_accept;
};

}  // namespace vek::test
