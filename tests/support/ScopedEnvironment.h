// Environment variables changed for one test and put back as they were when it ends, however it
// ends (a failed ASSERT returns early): the next test in the same process sees the environment
// it started with.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QtGlobal>

namespace vek::test {

class ScopedEnvironment {
 public:
  // afterChange runs after every change, the restoring one included (tzset() for TZ, say).
  explicit ScopedEnvironment(std::function<void()> afterChange = {})
      : m_afterChange(std::move(afterChange)) {}
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() {
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
      if (it->second) {
        qputenv(it->first.constData(), *it->second);
      } else {
        qunsetenv(it->first.constData());
      }
    }
    if (m_afterChange && !m_saved.empty()) m_afterChange();
  }

  void set(const char* name, const QByteArray& value) {
    remember(name);
    qputenv(name, value);
    if (m_afterChange) m_afterChange();
  }
  void unset(const char* name) {
    remember(name);
    qunsetenv(name);
    if (m_afterChange) m_afterChange();
  }

 private:
  void remember(const char* name) {
    for (const auto& saved : m_saved) {
      if (saved.first == name) return;
    }
    m_saved.emplace_back(QByteArray(name), qEnvironmentVariableIsSet(name)
                                               ? std::optional<QByteArray>(qgetenv(name))
                                               : std::nullopt);
  }

  std::function<void()> m_afterChange;
  std::vector<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};

}  // namespace vek::test
