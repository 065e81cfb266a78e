// The wildcard filter against a plain reference matcher: ";"-separated patterns, spaces around
// each ignored, "*" any run and "?" one character, letters folded one to one, and a trailing
// ".*" that also takes a name without an extension. Input: pattern text, a 0 byte, the name.
#include <string>
#include <vector>

#include <QStringList>

#include "FuzzCheck.h"
#include "gather/WildcardFilter.h"

using namespace vek;

namespace {

std::u32string folded(const QString& text) {
  std::u32string out;
  for (const char32_t c : text.toUcs4()) out.push_back(QChar::toCaseFolded(c));
  return out;
}

// Every way of matching, tried: the slow and obvious dynamic programme.
bool referenceMatch(const std::u32string& pattern, const std::u32string& name) {
  std::vector<std::vector<char>> can(pattern.size() + 1, std::vector<char>(name.size() + 1, 0));
  can[pattern.size()][name.size()] = 1;
  for (std::size_t p = pattern.size(); p-- > 0;) {
    for (std::size_t n = name.size() + 1; n-- > 0;) {
      if (pattern[p] == U'*')
        can[p][n] = can[p + 1][n] || (n < name.size() && can[p][n + 1]);
      else
        can[p][n] =
            n < name.size() && (pattern[p] == U'?' || pattern[p] == name[n]) && can[p + 1][n + 1];
    }
  }
  return can[0][0];
}

bool reference(const QString& patternText, const QString& name) {
  if (patternText.isEmpty()) return true;
  const std::u32string foldedName = folded(name);
  for (QString pattern : patternText.split(u';')) {
    while (pattern.startsWith(u' ')) pattern.remove(0, 1);
    while (pattern.endsWith(u' ')) pattern.chop(1);
    if (pattern.isEmpty()) continue;
    const std::u32string p = folded(pattern);
    if (referenceMatch(p, foldedName)) return true;
    if (p.size() >= 2 && p.ends_with(U".*") &&
        referenceMatch(p.substr(0, p.size() - 2), foldedName))
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 400) return 0;  // the reference is quadratic
  const QByteArray bytes = fuzz::bytesOf(data, size);
  const qsizetype split = bytes.indexOf('\0');
  if (split < 0) return 0;
  const QString patternText = QString::fromUtf8(bytes.first(split));
  const QString name = QString::fromUtf8(bytes.sliced(split + 1));
  const WildcardFilter filter(patternText);
  fuzz::require(filter.matches(name) == reference(patternText, name),
                "the filter agrees with the reference matcher");
  return 0;
}
