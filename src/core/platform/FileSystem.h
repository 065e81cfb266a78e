// File-system services: one file's information (type description, size, three times), folder
// and file tests, a folder's subfolders, the one-pass folder read behind the file lister, and
// file removal. Built for speed: one directory read per folder and one statx per file, the
// file relative to its open folder. Failures come back as values; nothing here talks to a
// person. Written for Linux (statx, the *at calls); a port adds its own implementation.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/dates/DateStamp.h"

namespace vek {

struct FileInfo {
  QString type;  // the type description; shared between files of one kind
  qint64 size = 0;
  DateStamp created;   // null when the file system keeps no birth time
  DateStamp accessed;  // null when the file system cannot supply it
  DateStamp modified;
};

// What one read of a folder found.
struct FolderListing {
  // Files and links to files, hidden names (a leading ".") left out unless asked for, each
  // accepted by the caller's name filter. Links whose target is missing are left out too: they
  // have no size or times to list.
  std::vector<QString> files;
  // Subfolders, hidden ones included; links to folders are not subfolders (never descended).
  std::vector<QString> folders;
};

class FileSystem {
 public:
  // Decides whether a file name is kept; called before any metadata is read.
  using NameFilter = std::function<bool(QStringView name)>;
  // Whether a folder read lists hidden files (names with a leading "."), or leaves them out as
  // a file manager does by default. Hidden folders are listed either way.
  enum class HiddenFiles { Left, Listed };

  // True when something other than a folder exists at path (links followed).
  static bool fileExists(const QString& path);
  // True when a regular file exists at path (links followed): not a pipe, device or socket,
  // whose reading could block or never end.
  static bool regularFileExists(const QString& path);
  // True when a folder exists at path (links followed); an empty path gives false.
  static bool folderExists(const QString& path);

  // The information of the file at path (links followed). nullopt when it is missing, a
  // folder, unreadable, or its size or modification time cannot be read; errorText (when
  // given) then says why.
  static std::optional<FileInfo> fileInfo(const QString& path, QString* errorText = nullptr);

  // The names of the folder's subfolders, sorted; nullopt when it cannot be read.
  static std::optional<QStringList> subfolders(const QString& path);

  // Reads the folder once and returns its files (filtered by fileFilter when given) and its
  // subfolders, both sorted (letters without case first, then exactly). nullopt when the
  // folder cannot be opened or read.
  static std::optional<FolderListing> readFolder(const QString& path,
                                                 const NameFilter& fileFilter = {});

  // The type description of a file name: the MIME comment for its extension in the user's
  // language, trimmed; empty without MIME data. Cached per extension; thread-safe.
  static QString typeDescription(const QString& fileName);

  // True when the file-system type magic (statfs f_type) names a pseudo file system.
  static bool isPseudoFileSystemType(qint64 type);
  // True when the folder at path lies on a network file system or a FUSE one (sshfs, rclone
  // and the like), where every look at a file can wait for a round trip.
  static bool onNetworkFileSystem(const QString& path);

  // Sorts names the way every listing of this class is sorted.
  static void sortNames(std::vector<QString>& names);

  // An open folder: information about its files by name, without resolving the folder's path
  // again for every file.
  // Each of its calls that gives nullopt leaves errno saying why.
  class Folder {
   public:
    static std::optional<Folder> open(const QString& path);
    // The subfolder name of this folder, opened relative to it (no path is resolved again,
    // so any depth the file system holds can be opened); nullopt when it cannot be.
    // lookAtFileSystem false skips telling whether it is on a pseudo file system (one stat
    // less), for a folder already known not to be.
    std::optional<Folder> openSubfolder(const QString& name, bool lookAtFileSystem = true) const;
    // True when the folder lies on a pseudo file system (proc, sysfs, devtmpfs, cgroup and
    // the like: the kernel's own files, some endless, some blocking). Told by the file
    // system's type, looked up only where the device changes from the parent folder's, so
    // bind mounts and chroots are covered at no cost to an ordinary walk.
    bool isPseudo() const { return m_pseudo; }
    // The device (st_dev) the folder lies on: a walk that keeps to one file system compares
    // it with its start folder's. A subfolder opened without looking at its file system
    // reports its parent's.
    quint64 device() const { return m_device; }
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    std::optional<FileInfo> fileInfo(const QString& name, QString* errorText = nullptr) const;
    // The one directory read behind readFolder.
    std::optional<FolderListing> read(const NameFilter& fileFilter = {},
                                      HiddenFiles hidden = HiddenFiles::Left) const;

   private:
    Folder(int fd, quint64 device, bool pseudo) : m_pseudo(pseudo), m_fd(fd), m_device(device) {}
    bool m_pseudo = false;
    int m_fd = -1;
    quint64 m_device = 0;
  };
};

}  // namespace vek
