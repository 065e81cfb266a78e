// The eight output columns and the per-writer record of which are written and how.
#pragma once

#include <array>

namespace vek {

// Fixed order; the names are the keys of the captions in the HeadComment section.
enum class ColumnId {
  FullPath,
  Directory,
  FileName,
  FileType,
  FileSize,
  CreateDate,
  AccessDate,
  ModifiDate
};
inline constexpr int kColumnCount = 8;

// Folder shape of the Directory column (OptDirType).
enum class DirType { Absolute = 0, WithoutDrive = 1, LastName = 2 };
// Size unit (OptSizeType).
enum class SizeUnit { Bytes = 0, Kilobytes = 1, Megabytes = 2 };
// Whether caption lines are inserted among the rows (OptHeadInsert), and where (OptHeadInsertType).
enum class HeadInsert { On = 0, Off = 1 };
enum class HeadInsertAt { EveryInterval = 0, FolderChange = 1 };

struct ColumnOptions {
  bool chkPath = false;
  bool chkPathType = false;
  bool chkDir = true;
  DirType optDirType = DirType::Absolute;
  bool chkFile = true;
  bool chkExtAdd = true;
  bool chkExt = true;
  bool chkSize = true;
  SizeUnit optSizeType = SizeUnit::Kilobytes;
  bool chkAddUnit = true;
  bool chkMakeDate = true;
  bool chkAccessDate = false;
  bool chkUpdateDate = false;
  // The XML writer's record ends above; the Text/CSV and HTML writers also use these three.
  HeadInsert optHeadInsert = HeadInsert::Off;
  HeadInsertAt optHeadInsertType = HeadInsertAt::EveryInterval;
  int valHeadInterval = 15;

  bool operator==(const ColumnOptions&) const = default;
};

}  // namespace vek
