// Reads Vek's JSON list back, streaming, into a SavedList: the same bytes for every name. The
// header's fields may come in any order; the limits of ListInput hold throughout.
#pragma once

#include <optional>

#include "compare/SavedList.h"

namespace vek {

class ListInput;

class JsonListReader {
 public:
  // The whole file at path. On failure the message names the file and the line.
  static SavedListRead read(const QString& path);
  static SavedListRead read(ListInput& input, const QString& path);
  // The same from bytes in memory (tests, fuzzing).
  static SavedListRead readBytes(const QByteArray& bytes, const QString& path);
  // The header alone (how the list was made, its hash kind), without keeping a row; nullopt
  // when the file is no JSON list or cannot be read (read() then says why).
  static std::optional<SavedList> readHeader(const QString& path);
};

}  // namespace vek
