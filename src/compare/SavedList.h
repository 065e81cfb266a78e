// A list read back from a file Vek wrote: its rows as the list holds rows, which of their values
// the file carried, and the folder it was made of.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/list/FileEntry.h"
#include "core/list/ListWalk.h"
#include "core/messages/Message.h"
#include "core/platform/HashKind.h"

namespace vek {

struct SavedList {
  QString path;         // the file it was read from
  QString inputFolder;  // the folder it was made of; empty when the file does not say
  QString title;
  // Every row has its folder and name; rootLength marks where its path below inputFolder (or
  // below the folder the rows share) begins: the name the comparison matches rows by.
  std::vector<FileEntry> rows;
  bool hasSizes = false;     // the sizes are exact numbers of bytes
  bool hasModified = false;  // the modified times are known to the second
  HashKind hashKind = HashKind::None;
  std::vector<QByteArray> hashes;  // by row when hashKind is set; empty text: no digest
  // Why a column the file has is left out of the comparison (a text list in another unit or
  // date pattern than can be read back exactly); empty when nothing was left out.
  QStringList notes;
  // How the batch run that wrote a JSON list walked its folder, when the list says.
  std::optional<ListWalk> walk;
  // A text list: the line each row begins on, and the rows whose file name cell began with the
  // formula guard's "'" before one of = + - @ TAB CR (read without it; see matchGuardedNames).
  std::vector<qint64> rowLines;
  std::vector<std::uint32_t> guardedRows;
};

// Reads a list Vek wrote: its JSON list (every byte of every name), or a CSV or text list
// whose header names the folder and name columns (read with the captions, separator, encoding
// and date pattern of settings, which should be those that wrote it). A cut, foreign or newer
// file gives the message naming the line; never a part of a list.
struct SavedListRead {
  std::optional<SavedList> list;
  std::optional<Message> error;
};

}  // namespace vek
