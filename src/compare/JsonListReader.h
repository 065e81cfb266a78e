// Reads Vek's JSON list back, streaming, into a SavedList: the same bytes for every name.
#pragma once

#include "compare/SavedList.h"

namespace vek {

class JsonListReader {
 public:
  // The whole file at path. On failure the message names the file and the line.
  static SavedListRead read(const QString& path);
  // The same from bytes in memory (tests, and lists given on standard input later on).
  static SavedListRead readBytes(const QByteArray& bytes, const QString& path);
};

}  // namespace vek
