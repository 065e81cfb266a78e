// The file lister's name filter: ";"-separated wildcard patterns ("*" any run of characters,
// "?" exactly one character), letters compared without regard to case. Compiled once, then
// asked about every name of a scan.
#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringView>

namespace vek {

class WildcardFilter {
 public:
  // An empty text filters nothing: every name is taken.
  explicit WildcardFilter(const QString& patternText = QString());

  const QString& text() const { return m_text; }
  // True when the name matches at least one pattern.
  bool matches(QStringView name) const;

 private:
  // Case-folded code points; '*' and '?' stay wildcards.
  using Codes = std::u32string;
  static bool matchOne(const Codes& pattern, const Codes& name);

  QString m_text;
  std::vector<Codes> m_patterns;
  bool m_matchesAll = false;
};

}  // namespace vek
