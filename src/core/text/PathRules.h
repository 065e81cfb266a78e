// Path texts as the lists write them, for either path style, so that the Windows forms can be
// produced (and tested) on any platform while the native style is used at run time.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include "core/list/ColumnOptions.h"

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

// The root a path starts with, ending in the separator: POSIX "/"; Windows "C:\", "\\server\share\"
// or "\" (the current drive's root). Empty for a relative path.
QString pathRoot(const QString& path, PathStyle style);

// The path with its separators made single (the style's own), "." left out and each ".."
// taking away the name before it (never the root). A relative path that ends up empty is ".".
QString cleanPath(const QString& path, PathStyle style);

// The folders from the root down to folder, the root first ("/a/b": "/", "/a", "/a/b"); each
// cleaned, without a trailing separator except the root. Empty for a relative folder.
QStringList folderChain(const QString& folder, PathStyle style);

// A path as the person typed it: trimmed; POSIX "~" and "~/..." are in the home folder as in a
// shell; a relative path starts at the folder shown (current); the result is cleaned.
QString resolveTypedPath(const QString& text, const QString& current, const QString& home,
                         PathStyle style);

// The "file://" address of a local path with the file name's own bytes percent-encoded, so a
// name that is not UTF-8 opens the file it names.
QUrl localFileUrl(const QString& path);
// The local path of a dropped address, the name's own bytes kept; empty when it has none.
QString localPathOfUrl(const QUrl& url);

}  // namespace vek
