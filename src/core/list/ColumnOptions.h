// The eight output columns and the per-writer record of which are written and how.
#pragma once

#include <array>

#include "core/platform/HashKind.h"
#include "core/settings/PrefixReplacement.h"

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
  ModifiDate,
  // Vek's own, written after the eight when chosen.
  RelativePath,
  Hash,
  DeliveryCheck,  // what a recipient on Windows or a Mac would stumble over
  // What a comparison with a saved list found (同じ, 追加, 削除, 変更), in a list of its result.
  State
};
// The eight columns whose captions the HeadComment section keeps.
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

  // Vek's own choices, kept in its own section of Vek.ini; off by default, so a list is written
  // as before until a person asks for them.
  bool chkRelPath = false;         // the path below the folder the row's add started from
  HashKind hash = HashKind::None;  // a digest column
  bool checksumFile = false;       // a checksum file beside the list
  bool chkDeliveryCheck = false;   // the delivery check's notes
  // A totals line (row, element) after the rows: how many rows were written and their size.
  bool totals = false;
  // With the insertion at each folder change, a subtotal line after each folder's rows.
  bool subtotals = false;
  // The folder and path columns (and file links) with a prefix replaced, for lists read on
  // Windows; the checksum file keeps the real paths.
  PrefixReplacement prefix;
  // The checksum file's own digest for one run (/W without /M: SHA-256); not stored.
  HashKind checksumHash = HashKind::None;
  // The comparison state column, for one export of a comparison's result; not stored.
  bool chkState = false;

  // The digest the checksum file uses: its own when set, else the column's, else SHA-256.
  HashKind checksumKind() const {
    if (checksumHash != HashKind::None) return checksumHash;
    return hash == HashKind::None ? HashKind::Sha256 : hash;
  }
  // Whether an export reads the files' contents at all.
  bool needsDigests() const { return hash != HashKind::None || checksumFile; }
  // Whether subtotal lines are written: only with the insertion at each folder change.
  bool writesSubtotals() const {
    return subtotals && optHeadInsert == HeadInsert::On &&
           optHeadInsertType == HeadInsertAt::FolderChange;
  }

  bool operator==(const ColumnOptions&) const = default;
};

}  // namespace vek
