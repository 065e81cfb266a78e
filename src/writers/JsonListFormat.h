// The names of Vek's JSON list: its format name and version, and the fields of the header and
// of each row. One place for the writer and the reader, which must agree byte for byte.
#pragma once

namespace vek::JsonListFormat {

inline constexpr char kFormat[] = "vek-file-list";
// Raised when a reader of this version could no longer read a new list correctly; a reader
// refuses a list of a higher version instead of comparing half of it.
inline constexpr int kVersion = 1;

// The header.
inline constexpr char kFormatKey[] = "format";
inline constexpr char kVersionKey[] = "version";
inline constexpr char kTitle[] = "title";
inline constexpr char kInputFolder[] = "inputFolder";
inline constexpr char kWrittenAt[] = "writtenAt";
inline constexpr char kTimeZone[] = "timeZone";
inline constexpr char kColumns[] = "columns";
inline constexpr char kHashAlgorithm[] = "hashAlgorithm";
inline constexpr char kRows[] = "rows";
inline constexpr char kRowCount[] = "rowCount";
// How a batch run walked the folder (see ListWalk): an object of the fields below, or null for a
// list that was not made by one walk (the window's).
inline constexpr char kWalk[] = "walk";
inline constexpr char kWalkSubfolders[] = "subfolders";
inline constexpr char kWalkFilter[] = "filter";
inline constexpr char kWalkExclude[] = "exclude";
inline constexpr char kWalkHiddenFiles[] = "hiddenFiles";
inline constexpr char kWalkOneFileSystem[] = "oneFileSystem";

// A row.
inline constexpr char kFolder[] = "folder";
inline constexpr char kName[] = "name";
inline constexpr char kExtension[] = "extension";
inline constexpr char kType[] = "type";
inline constexpr char kSize[] = "size";
inline constexpr char kCreated[] = "created";
inline constexpr char kAccessed[] = "accessed";
inline constexpr char kModified[] = "modified";
inline constexpr char kRelativePath[] = "relativePath";
inline constexpr char kHash[] = "hash";
inline constexpr char kHashError[] = "hashError";
inline constexpr char kState[] = "state";
// Beside a text field whose name bytes are not valid UTF-8: the exact bytes in base64; the
// text field then holds a readable form with U+FFFD in place of each such byte.
inline constexpr char kBytesSuffix[] = "Bytes";

}  // namespace vek::JsonListFormat
