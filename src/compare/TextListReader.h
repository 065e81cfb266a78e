// Reads a CSV or text list Vek wrote back into a SavedList, by the captions of its header line.
// The folder and file name (or the full path) are needed; sizes count when they were written in
// bytes, modified times when written in the stored pattern "YYYY/MM/DD HH:MM:SS", digests
// when a digest column is there. Anything else of the row is left aside.
#pragma once

#include "compare/SavedList.h"
#include "core/Settings.h"

namespace vek {

class TextListReader {
 public:
  // Captions, separators, encoding and date pattern come from settings, which should be those
  // that wrote the list.
  static SavedListRead read(const QString& path, const Settings& settings);
  static SavedListRead readBytes(const QByteArray& bytes, const QString& path,
                                 const Settings& settings);
};

// Reads any saved list: Vek's JSON when the file starts with "{", else a CSV or text list.
SavedListRead readSavedList(const QString& path, const Settings& settings);

}  // namespace vek
