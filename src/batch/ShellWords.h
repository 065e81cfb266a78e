// Splits a command line by the word rules of a POSIX shell, so that the command builder's test
// run starts exactly the program and arguments that `sh -c` would, without a shell. A line that
// a shell would expand or treat as more than one simple command (variables, command
// substitution, unquoted wildcards, ; | & < > ( ), a leading assignment) is refused rather than
// run with a different meaning.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vek {

struct ShellWords {
  QStringList words;  // the program first; empty when refused or blank
  QString error;      // empty when the line was split; otherwise why not (English, for tests)

  bool ok() const { return error.isEmpty(); }
};

// `home` stands for a "~" that begins an unquoted word (alone or before "/").
ShellWords splitShellWords(QStringView line, const QString& home);

}  // namespace vek
