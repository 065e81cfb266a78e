// What a batch command line asks for, as a plain record: the parser fills it, the run acts on it.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "batch/OutputType.h"
#include "core/list/ListColumn.h"
#include "core/platform/HashKind.h"
#include "core/text/ListEncoding.h"

namespace vek {

struct BatchRequest {
  QString sourceFolder;  // "/I" as typed
  QString outputFolder;  // "/O" ending in the separator; empty: the stored DefaultOutDir
  OutputType type = OutputType::Csv;
  QString extension = QStringLiteral(".csv");
  QString fileName;                         // without extension
  ListColumn sortKey = ListColumn::Folder;  // "/S" 1..8 is the column's place + 1
  bool includeSubfolders = false;
  std::optional<QString> filter;  // "/E"; none: the first filter preset
  QString title;                  // the "/I" path or the "/N" title, whichever came later
  bool hideWindow = false;        // "/H": there is no window in a batch run, accepted for scripts
  std::optional<ListEncoding> encoding;  // "/K"; none: the one saved in Vek.ini
  HashKind hash = HashKind::None;        // "/M": a digest column
  bool checksumFile = false;             // "/W": a checksum file beside the list
  QString excluded;                      // "/X": names and folders left out
  bool excludedGiven = false;            // "/X" was given (perhaps empty)
  bool hiddenFiles = false;              // "/A": names with a leading "." listed too
  bool oneFileSystem = false;            // "/D": no folder on another file system entered
  // "/V": a saved list compared with the "/I" folder, or two (the older first) compared with
  // each other.
  QStringList savedLists;
  // "/O", "/T" or "/F" given: a comparison writes its differences as a list, not as lines.
  bool listRequested = false;

  bool operator==(const BatchRequest&) const = default;
};

}  // namespace vek
