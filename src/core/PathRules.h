// Path texts as the lists write them, for either path style, so that the Windows forms can be
// produced (and tested) on any platform while the native style is used at run time.
#pragma once

#include <QString>

#include "core/ColumnOptions.h"

namespace vek {

enum class PathStyle { Windows, Posix };

PathStyle nativePathStyle();

// "\" for Windows, "/" for POSIX.
QChar pathSeparator(PathStyle style);
// True for the style's separator; Windows also accepts "/".
bool isPathSeparator(QChar c, PathStyle style);

// The folder text with exactly one trailing separator added when it has none; empty stays empty.
QString folderText(const QString& path, PathStyle style);

// D: the folder text without its trailing separator. "C:\" gives "C:"; the POSIX root "/"
// stays "/".
QString folderWithoutSeparator(const QString& folder, PathStyle style);

// The Directory cell of a folder text (ending in the separator) for the given shape.
//   Absolute      D
//   WithoutDrive  Windows: "\\server\share\dir" gives "share\dir", "C:\data" gives "data", a
//                 drive root gives U+3000. POSIX: D without its leading "/", the root gives U+3000.
//   LastName      the last name of D; D itself when it holds no separator ("C:", "/").
QString directoryText(const QString& folder, DirType type, PathStyle style);

// The "file:" address of a full path, characters unescaped. Windows: "\" becomes "/", then
// "file:" before a network path ("//server/...") or "file:///" before anything else. POSIX:
// "file://" + the absolute path.
QString fileAddress(const QString& fullPath, PathStyle style);

}  // namespace vek
