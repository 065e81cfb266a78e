// The saved-list readers (JSON, CSV and text, as "/V" picks them): whatever the bytes, a read
// ends with a list or a message, never both, never a crash, a hang or memory beyond the limits;
// a list read has a name for every row, no row twice, and a digest slot for every row or none.
#include <QSet>

#include "FuzzCheck.h"
#include "compare/ListInput.h"
#include "compare/TextListReader.h"
#include "core/settings/Settings.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Settings settings;
  ListInput input(fuzz::bytesOf(data, size));
  const SavedListRead read = readSavedList(input, QStringLiteral("list"), settings);
  fuzz::require(read.list.has_value() != read.error.has_value(), "a list or a message");
  if (!read.list) return 0;
  const SavedList& list = *read.list;
  QSet<QString> paths;
  for (const FileEntry& row : list.rows) {
    const QString path = row.fullPath();
    fuzz::require(!row.fileName().isEmpty(), "every row has a name");
    fuzz::require(!path.contains(QChar::Null), "no name holds a NUL");
    fuzz::require(!paths.contains(path), "no row twice");
    paths.insert(path);
  }
  fuzz::require(list.hashes.empty() || list.hashes.size() == list.rows.size(),
                "a digest slot for every row or none");
  return 0;
}
