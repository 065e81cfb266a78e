// The command box gives its text back changed: a QPlainTextEdit turns U+00A0 into a space and
// CR, CR LF, U+2028 and U+2029 into LF. The exact line stays beside the box, and an edit made in
// the box is laid onto it, so that the characters the person did not touch stay what they were
// and a folder name never turns into its look-alike.
#pragma once

#include <vector>

#include <QString>

namespace vek {

class CommandBoxText {
 public:
  CommandBoxText() = default;
  // `shown` is what the box gave back after it was given `exact`.
  CommandBoxText(const QString& exact, const QString& shown);

  const QString& exact() const { return m_exact; }
  const QString& shown() const { return m_shown; }
  // The exact line with the edit that turned `shown()` into `boxText`: the common start and end
  // are taken from the exact line, the changed middle from the box.
  QString withEdit(const QString& boxText) const;

 private:
  QString m_exact;
  QString m_shown;
  // Where each character of the shown text begins in the exact line, and the exact line's
  // length at the end; empty when the two could not be matched up.
  std::vector<qsizetype> m_start;
};

}  // namespace vek
