// Compares the rows of a saved list with the rows of now (a folder walked now, or another saved
// list): each file is the same, added, removed, changed, moved or unverified. Files are matched by
// their path below the folder each list was made of; changed means a different size, modified time
// or digest, each counted only where both sides know it.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QString>

#include "compare/SavedList.h"
#include "core/list/FileEntry.h"
#include "core/messages/Message.h"
#include "core/platform/HashKind.h"

namespace vek {

// One side of a comparison.
struct ComparedRows {
  std::span<const FileEntry> rows;
  bool hasSizes = true;
  bool hasModified = true;
  HashKind hashKind = HashKind::None;
  std::span<const QByteArray> hashes{};  // by row when hashKind is set; empty text: none
  // What could not be read on this side (a folder walked now), below the folder its rows are
  // matched from: folders end in "/" and stand for everything below them. A file of the
  // other side found there is unverified, not removed.
  std::span<const QString> unreadable{};

  static ComparedRows of(const SavedList& list) {
    return {list.rows, list.hasSizes, list.hasModified, list.hashKind, list.hashes, {}};
  }
};

struct ComparisonCounts {
  qint64 same = 0, added = 0, removed = 0, changed = 0, moved = 0, unverified = 0;
  qint64 differences() const { return added + removed + changed + moved; }
};

struct ComparisonResult {
  // The rows with their state: those of now in their order (same, added, changed, moved,
  // unverified), then those of before that are gone (removed, or unverified when they lie
  // where now could not be read). Same rows only when asked for. A file that could not be
  // hashed on either side, where digests are compared, is never same: unless its size or
  // time differ, it is unverified. A removed and an added file with the same size and digest
  // are one moved row (at its path now, the path before in its detail).
  std::vector<FileEntry> rows;
  ComparisonCounts counts;
  // What could be compared beyond the names.
  bool comparedSizes = false, comparedModified = false, comparedHashes = false;
};

enum class SameRows { Keep, Leave };

ComparisonResult compareLists(const ComparedRows& before, const ComparedRows& now, SameRows same);

// Where the rows of a list without a folder of its own (a CSV or text list) begin their paths:
// below `folder` when every row lies in it, else below the folder all its rows share. A list that
// names its folder keeps it. When some rows lie in `folder` and some do not, the message naming
// the line of the first that does not (the list is not compared).
std::optional<Message> anchorSavedList(SavedList& list, const QString& folder);

// The path a comparison matches a row by: below the folder its list was made of.
QString comparedPath(const FileEntry& row);

}  // namespace vek
