// Reads a CSV or text list Vek wrote back into a SavedList, by the captions of its header line.
// The folder and file name (or the full path) are needed; sizes count when they were written in
// bytes, modified times when written in the stored pattern "YYYY/MM/DD HH:MM:SS", digests
// when a digest column is there. Anything else of the row is left aside.
#pragma once

#include <atomic>
#include <span>

#include "compare/SavedList.h"
#include "core/settings/Settings.h"

namespace vek {

class ListInput;

class TextListReader {
 public:
  // Captions, separators, encoding and date pattern come from settings, which should be those
  // that wrote the list.
  static SavedListRead read(const QString& path, const Settings& settings);
  static SavedListRead read(ListInput& input, const QString& path, const Settings& settings);
  static SavedListRead readBytes(const QByteArray& bytes, const QString& path,
                                 const Settings& settings);
};

// Reads any saved list: Vek's JSON when the file starts with "{" (after a UTF-8 mark and white
// space), else a CSV or text list. XML lists, workbooks, HTML pages and PDF files are refused
// with a message saying to save the list as JSON or CSV; so is anything but a regular file.
// A raised cancel flag stops the reading at the next block.
SavedListRead readSavedList(const QString& path, const Settings& settings,
                            const std::atomic<bool>* cancel = nullptr);
SavedListRead readSavedList(ListInput& input, const QString& path, const Settings& settings);

// A file name cell the formula guard wrote ("'=x") names "=x" or a file that really is "'=x":
// after anchoring, each such row of list takes the name the rows of now hold, without the "'"
// when both or neither are there.
void matchGuardedNames(SavedList& list, std::span<const FileEntry> now);

}  // namespace vek
