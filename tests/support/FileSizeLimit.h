// A full disk that any user can make: while a FileSizeLimit lives, files of this process cannot
// grow beyond the limit and write() fails with EFBIG instead of raising SIGXFSZ.
#pragma once

#include <sys/resource.h>
#include <csignal>

namespace vek::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    m_ok = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = m_saved;
    small.rlim_cur = bytes;
    m_ok = m_ok && ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_previousHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // False when the limit could not be set; the test then proves nothing.
  bool isSet() const { return m_ok; }

 private:
  rlimit m_saved{};
  void (*m_previousHandler)(int) = SIG_DFL;
  bool m_ok = false;
};

}  // namespace vek::test
