// Folders named by paths of any length. open() refuses a path longer than the system's limit
// (PATH_MAX, 4,096 bytes on Linux) although the file system holds deeper folders; such a path
// is opened piece by piece, each piece relative to the folder before it.
#pragma once

#include <QByteArray>

namespace vek {

// Opens the folder at path with O_DIRECTORY | O_CLOEXEC and flags (O_RDONLY to read it, O_PATH
// when only names inside it are needed). -1 with errno set on failure.
int openFolderPath(const QByteArray& path, int flags);

// The folder part and the last name of a path, trailing separators ignored: "/a/b/" gives "/a"
// and "b", "x" gives "." and "x", "/" gives "/" and ".".
struct PathParts {
  QByteArray folder;
  QByteArray name;
};
PathParts splitPath(const QByteArray& path);

}  // namespace vek
