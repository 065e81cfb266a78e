// The filter presets of filter.txt in the program folder: the seventeen lines written when the
// file is missing, the line-by-line load, and the key filter of the filter and path boxes.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace vek {

// The seventeen preset lines written into a new filter.txt, in order, their labels in the
// interface's language.
QStringList defaultFilterPresets();

// programFolder + "/filter.txt".
QString filterPresetsPath(const QString& programFolder);

// The preset lines of programFolder's filter.txt, in file order; the first is the current
// filter. A missing file is first created with the default lines (CR LF, the system's text
// encoding). A byte-order mark (UTF-8, UTF-16LE, UTF-16BE) names the file's encoding; without
// one it is the system's. Lines may end in CR LF, LF or CR; a last line without an end still
// counts; empty lines are empty entries. nullopt, with the reason in error, when the file cannot
// be created or read (not a regular file, too large, no permission) or is not text in its
// encoding: the caller keeps what it showed before, and an existing file is left untouched.
std::optional<QStringList> loadFilterPresets(const QString& programFolder,
                                             QString* error = nullptr);

// The preset lines of a file's text, split as loadFilterPresets does.
QStringList splitPresetLines(const QString& text);

// Whether a character typed into a filter or path box may go in: " | > < , : \ / cannot be
// part of a file-name pattern typed there. The key screen of the windows drops a refused key
// with a beep.
bool isFilterKeyAllowed(char32_t character);

}  // namespace vek
