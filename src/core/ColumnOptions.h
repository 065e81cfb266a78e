// The eight output columns and the per-writer record of which are written and how.
#pragma once

#include <array>

namespace vek {

// Fixed order; the names are the keys of the captions in the HeadComment section.
enum class ColumnId { FullPath, Directory, FileName, FileType, FileSize, CreateDate, AccessDate, ModifiDate };
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

  bool operator==(const ColumnOptions&) const = default;
};

}  // namespace vek
