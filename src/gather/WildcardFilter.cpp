#include "gather/WildcardFilter.h"

#include <QStringTokenizer>

namespace vek {

namespace {

// One code point per character, folded the simple (one-to-one) way so that "?" still stands
// for exactly one character of the original name.
void foldInto(QStringView text, std::u32string& out) {
  out.clear();
  out.reserve(std::size_t(text.size()));
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t unit = text[i].unicode();
    if (unit < 0x80) {
      out.push_back(unit >= u'A' && unit <= u'Z' ? char32_t(unit + 32) : char32_t(unit));
      continue;
    }
    char32_t code = unit;
    if (QChar::isHighSurrogate(unit) && i + 1 < size &&
        QChar::isLowSurrogate(text[i + 1].unicode())) {
      code = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
      ++i;
    }
    out.push_back(QChar::toCaseFolded(code));
  }
}

QStringView trimSpaces(QStringView text) {
  // Ordinary spaces only: "*.txt; *.log" is two patterns, while a label introduced by an
  // ideographic space stays a pattern no ordinary name matches.
  while (!text.isEmpty() && text.front() == u' ') text = text.mid(1);
  while (!text.isEmpty() && text.back() == u' ') text.chop(1);
  return text;
}

}  // namespace

WildcardFilter::WildcardFilter(const QString& patternText) : m_text(patternText) {
  if (patternText.isEmpty()) {
    m_matchesAll = true;
    return;
  }
  for (const QStringView piece : QStringTokenizer(patternText, u';')) {
    const QStringView pattern = trimSpaces(piece);
    if (pattern.isEmpty()) continue;
    Codes codes;
    foldInto(pattern, codes);
    // A trailing ".*" also takes names without an extension, the way "*.*" means every file
    // and "readme.*" takes README.
    if (codes.size() >= 2 && codes.ends_with(U".*")) {
      Codes bare = codes.substr(0, codes.size() - 2);
      if (bare.find_first_not_of(U'*') == Codes::npos && !bare.empty()) m_matchesAll = true;
      m_patterns.push_back(std::move(bare));
    }
    if (codes.find_first_not_of(U'*') == Codes::npos) m_matchesAll = true;
    m_patterns.push_back(std::move(codes));
  }
}

bool WildcardFilter::matches(QStringView name) const {
  if (m_matchesAll) return true;
  thread_local Codes folded;
  foldInto(name, folded);
  for (const Codes& pattern : m_patterns) {
    if (matchOne(pattern, folded)) return true;
  }
  return false;
}

bool WildcardFilter::matchOne(const Codes& pattern, const Codes& name) {
  // Greedy match that backtracks only to the last "*": linear for the usual patterns.
  std::size_t p = 0, n = 0;
  std::size_t starP = Codes::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starP != Codes::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace vek
