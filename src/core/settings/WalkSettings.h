// What the adds take and enter beyond the filter: names and folders left out, hidden files,
// one file system. Kept in Vek.ini's own section [VekWalk], written only once a choice differs
// from its default (or the section is already there), so that a file Vek writes keeps the
// bytes and keys every other reader of Vek.ini knows.
#pragma once

#include <QString>

namespace vek {

struct WalkSettings {
  // Exclude=';'-separated wildcard patterns: files of these names are not listed, folders of
  // these names are not entered. Empty: nothing is left out.
  QString excluded;
  bool hiddenFiles = false;    // HiddenFiles=0|1: names with a leading "." are listed too
  bool oneFileSystem = false;  // OneFileSystem=0|1: no folder on another file system is entered
  bool operator==(const WalkSettings&) const = default;
};

inline constexpr char16_t kWalkSection[] = u"VekWalk";

}  // namespace vek
