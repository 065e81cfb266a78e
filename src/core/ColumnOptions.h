// The eight output columns and the per-writer record of which are written and how.
#pragma once

#include <array>

#include "core/HashKind.h"

namespace vek {

// Fixed order; the names are the keys of the captions in the HeadComment section.
enum class ColumnId { FullPath, Directory, FileName, FileType, FileSize, CreateDate, AccessDate, ModifiDate,
                      // Vek's own, written after the eight when chosen.
                      RelativePath, Hash };
// The eight columns whose captions the HeadComment section keeps.
inline constexpr int kColumnCount = 8;

// Folder shape of the Directory column (OptDirType).
enum class DirType { Absolute = 0, WithoutDrive = 1, LastName = 2 };
// Size unit (OptSizeType).
enum class SizeUnit { Bytes = 0, Kilobytes = 1, Megabytes = 2 };

struct ColumnOptions {
  int chkPath = 0;
  int chkPathType = 0;
  int chkDir = 1;
  int optDirType = 0;
  int chkFile = 1;
  int chkExtAdd = 1;
  int chkExt = 1;
  int chkSize = 1;
  int optSizeType = 1;
  int chkAddUnit = 1;
  int chkMakeDate = 1;
  int chkAccessDate = 0;
  int chkUpdateDate = 0;
  // The XML writer's record ends above; the Text/CSV and HTML writers also use these three.
  int optHeadInsert = 1;      // 0 insert extra lines, 1 do not
  int optHeadInsertType = 0;  // 0 every N rows, 1 at each folder change
  int valHeadInterval = 15;

  // Vek's own choices, kept in its own section of Vek.ini; off by default, so a list is written
  // as before until a person asks for them.
  bool chkRelPath = false;         // the path below the folder the row's add started from
  HashKind hash = HashKind::None;  // a digest column
  bool checksumFile = false;       // a checksum file beside the list

  // The digest the checksum file uses: the column's, or SHA-256 when there is no column.
  HashKind checksumKind() const { return hash == HashKind::None ? HashKind::Sha256 : hash; }
  // Whether an export reads the files' contents at all.
  bool needsDigests() const { return hash != HashKind::None || checksumFile; }

  bool operator==(const ColumnOptions&) const = default;
};

}  // namespace vek
