// The command line the command builder shows, copies and test-runs. A pasted line must mean in a
// POSIX shell what the form says, so every value that a shell would read otherwise is quoted:
// the folders, the file part and the title always (as the batch switches are documented), the
// executable and the pattern when they hold anything but ASCII letters, digits and -_./:,+@%.
#pragma once

#include <QString>
#include <QStringView>

#include "batch/CommandForm.h"

namespace vek {

// The whole line, e.g.
//   /usr/bin/vek /I "/data" /O "/out/" /T TEXT /F DATE "YYYYMMDDHHmm" /E "*.*" /N "/data" /S 2 /C
// (a trailing space after /C; none without it). The switches beyond these come before /C, and
// only when chosen: /K for a CSV or TEXT list (the only ones it is for), /M, /W, /X with its
// patterns always quoted, /A and /D.
QString composeCommand(const CommandForm& form);

// The patterns of a filter box text: the text up to its first space, ordinary or full-width
// (where a preset's description begins), with the semicolons just before that space removed,
// or the whole text without a space. When nothing remains (the text begins with a space, or
// only semicolons stand before it), every file: "*.*", which is also what a run does with /E
// and no value.
QString filterPattern(QStringView filterText);

// `text` in double quotes for a POSIX shell: $ ` \ " escaped with a backslash; "!" is put in
// single quotes between the double-quoted parts, as an interactive bash would otherwise expand
// history even inside double quotes.
QString shellQuoted(QStringView text);

// `text` as it is when a shell would take it literally as one word, else shellQuoted(text).
QString shellWord(QStringView text);

}  // namespace vek
