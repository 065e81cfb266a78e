// The text orders of the list: case folding, texts compared unit by unit, and the keys that read
// runs of digits as numbers.
#pragma once

#include <QChar>
#include <QStringView>

#include <algorithm>

namespace vek {

// Simple case folding of one UTF-16 unit; ASCII without a table look-up.
inline char16_t foldUnit(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
  const char32_t folded = QChar::toCaseFolded(char32_t(c));
  return folded <= 0xFFFF ? char16_t(folded) : c;
}

// Texts order case-insensitively, and texts equal but for case case-sensitively, so the order
// is total and does not depend on the rows' earlier order. One pass decides both.
inline int compareTextUnits(QStringView a, QStringView b) {
  const char16_t* pa = a.utf16();
  const char16_t* pb = b.utf16();
  // Folder and type texts are shared between rows: the same data is the same text.
  if (pa == pb && a.size() == b.size()) return 0;
  const qsizetype n = std::min(a.size(), b.size());
  int caseOrder = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t ca = pa[i];
    const char16_t cb = pb[i];
    if (ca == cb) continue;
    const char16_t fa = foldUnit(ca);
    const char16_t fb = foldUnit(cb);
    if (fa != fb) return fa < fb ? -1 : 1;
    if (caseOrder == 0) caseOrder = ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return caseOrder;
}

// The value of a decimal digit (ASCII, full-width, and the other decimal digits of Unicode's
// Basic Multilingual Plane); -1 for any other unit.
inline int digitOf(char16_t c) {
  if (c < 0x80) return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
  if (c >= 0xFF10 && c <= 0xFF19) return int(c - 0xFF10);
  if (QChar::isSurrogate(c) || QChar::category(char32_t(c)) != QChar::Number_DecimalDigit)
    return -1;
  return QChar::digitValue(char32_t(c));
}

// The text as the numbers-as-numbers order reads it, as units that compare one after another:
// other characters folded as compareTextUnits folds them; each run of digits as "0" (so that
// numbers sort among the characters where the digits do), the count of its digits after the
// leading zeros, then those digits as "0" to "9". The count takes one unit below 0x8000 and two
// from there (the first with its top bit set), so counts compare as numbers and keys stay short.
// A run longer than any integer type still compares by value, and two keys compare as their
// texts do, leaving aside only leading zeros, the form of the digits and case.
template <typename Put>
void numberKey(QStringView text, Put&& put) {
  const char16_t* data = text.utf16();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n;) {
    if (digitOf(data[i]) < 0) {
      put(foldUnit(data[i++]));
      continue;
    }
    while (i < n && digitOf(data[i]) == 0) ++i;
    const qsizetype first = i;
    while (i < n && digitOf(data[i]) >= 0) ++i;
    const auto digits = quint32(i - first);
    put(u'0');
    if (digits < 0x8000) {
      put(char16_t(digits));
    } else {
      put(char16_t(0x8000 | (digits >> 16)));
      put(char16_t(digits & 0xFFFF));
    }
    for (qsizetype k = first; k < i; ++k) put(char16_t(u'0' + digitOf(data[k])));
  }
}

// The key of a file name read whole, name and extension: the name's key, a unit below every
// unit a key holds once a name has ended (0: no name holds NUL, and a count of 0 only follows
// the "0" that starts a number), then the extension's key. So "img.9" < "img.10" < "img.100"
// and "v1.9" < "v1.10", while a name that is the start of another still goes first
// ("a.txt" < "a-1.txt"), as "ls -v" orders them.
template <typename Put>
void fileNameKey(QStringView name, QStringView extension, Put&& put) {
  numberKey(name, put);
  if (extension.isEmpty()) return;
  put(char16_t(0));
  numberKey(extension, put);
}

// Texts whose keys are equal, ordered as compareTextUnits orders the names, then the
// extensions.
inline int compareTextPairs(QStringView aName, QStringView aExtension, QStringView bName,
                            QStringView bExtension) {
  const int byName = compareTextUnits(aName, bName);
  return byName != 0 ? byName : compareTextUnits(aExtension, bExtension);
}

// Two file names (name and extension) by their keys, then as compareTextPairs orders them.
int compareFileNameKeys(QStringView aName, QStringView aExtension, QStringView bName,
                        QStringView bExtension);
// Two texts by their keys, then as compareTextUnits orders them.
int compareNumberKeys(QStringView a, QStringView b);

}  // namespace vek
