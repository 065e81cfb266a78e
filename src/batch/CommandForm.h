// What the command builder's form holds, as plain values: the composition of its command line
// reads nothing else.
#pragma once

#include <optional>

#include <QString>

#include "batch/OutputType.h"
#include "core/list/ListColumn.h"
#include "core/platform/HashKind.h"
#include "core/text/ListEncoding.h"

namespace vek {

struct CommandForm {
  QString executable;  // the running program's own path
  QString inPath;      // the folder to list
  QString outPath;     // the folder the list goes to
  OutputType type = OutputType::Csv;
  bool dateName = true;  // the file name is a date pattern (DATE) rather than a name
  QString outName;       // the date pattern or the file name, without extension
  QString filter;        // the filter box text, a preset line or typed patterns
  QString title;
  // One of the row's own columns (/S 1..8); none chosen: /S 0, which a run refuses.
  std::optional<ListColumn> sortKey = ListColumn::Name;
  bool subfolders = false;
  // The text encoding of a CSV or TEXT list (/K); none: the one saved in Vek.ini.
  std::optional<ListEncoding> encoding;
  HashKind hash = HashKind::None;  // the digest column (/M); None: the one the dialogs chose
  bool checksumFile = false;       // a checksum file beside the list (/W)
  // What the run's walk leaves out and enters. A run never takes the window's choices, so the
  // defaults (nothing left out, hidden files left out, every file system) need no switch.
  QString excluded;            // ';'-separated names and folders left out (/X); empty: none
  bool hiddenFiles = false;    // names with a leading "." listed too (/A)
  bool oneFileSystem = false;  // no folder on another file system entered (/D)
};

}  // namespace vek
