#include "ui/CommandBoxText.h"

#include <algorithm>

namespace vek {

CommandBoxText::CommandBoxText(const QString& exact, const QString& shown)
    : m_exact(exact), m_shown(shown) {
  // Every change the box makes is one character for one, except CR LF, which becomes one LF.
  m_start.reserve(std::size_t(shown.size()) + 1);
  qsizetype i = 0;
  for (qsizetype j = 0; j < shown.size(); ++j) {
    if (i >= exact.size()) {
      m_start.clear();
      return;
    }
    m_start.push_back(i);
    const bool crlf =
        exact[i] == u'\r' && i + 1 < exact.size() && exact[i + 1] == u'\n' && shown[j] == u'\n';
    i += crlf ? 2 : 1;
  }
  if (i != exact.size()) {
    m_start.clear();
    return;
  }
  m_start.push_back(i);
}

QString CommandBoxText::withEdit(const QString& boxText) const {
  if (boxText == m_shown) return m_exact;
  if (m_start.empty()) return boxText;
  const qsizetype limit = std::min(boxText.size(), m_shown.size());
  qsizetype prefix = 0;
  while (prefix < limit && boxText[prefix] == m_shown[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < limit - prefix &&
         boxText[boxText.size() - 1 - suffix] == m_shown[m_shown.size() - 1 - suffix]) {
    ++suffix;
  }
  QString line = m_exact.first(m_start[std::size_t(prefix)]);
  line += QStringView(boxText).sliced(prefix, boxText.size() - prefix - suffix);
  line += QStringView(m_exact).sliced(m_start[std::size_t(m_shown.size() - suffix)]);
  return line;
}

}  // namespace vek
