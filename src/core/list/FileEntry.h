// One row of the output list. Values are typed (64-bit size, date stamps) and the folder and
// type texts are shared between the rows of one folder or one kind; every text the list and
// the writers show is produced from them exactly.
#pragma once

#include <QExplicitlySharedDataPointer>
#include <QString>

#include "core/dates/DateStamp.h"
#include "core/list/CompareState.h"
#include "core/list/ListColumn.h"

namespace vek {

struct FileEntry {
  QString name;       // the file name before its last "."
  QString extension;  // from the last "." on, dot included; empty without a dot
  QString folder;     // always ends in the path separator
  QString type;       // the type description
  qint64 size = 0;
  DateStamp created;
  DateStamp accessed;  // null when the file system cannot supply it
  DateStamp modified;
  bool ticked = true;
  // Set by a comparison with a saved list, None otherwise; with what changed.
  CompareState state = CompareState::None;
  quint8 changes = 0;
  // A comparison's values before (changed), path before (moved) or reason (unverified);
  // null for every other row, so an ordinary list pays one pointer a row.
  QExplicitlySharedDataPointer<CompareDetail> detail;
  // Where the folder the add started from ends in the folder text: a subtree add keeps its
  // start folder, so that the row knows its path inside the tree. -1: its own folder (a
  // current-folder add, a dropped file).
  qint32 rootLength = -1;

  QString fileName() const { return name + extension; }
  QString fullPath() const { return folder + name + extension; }
  // The path below the folder the add started from ("sub/file.txt", or the file name).
  QString relativePath() const;
  // The text of a list column as the list shows it (the size in plain digits).
  QString columnText(ListColumn column) const;
  // The state column: the state, and what changed with its values before and now, where a
  // moved file was, or why it could not be verified ("変更（サイズ 2 → 1）").
  QString stateText() const;

  // Splits a file name at its last "." into name and extension.
  static void splitName(const QString& fileName, QString& name, QString& extension);
};

}  // namespace vek
