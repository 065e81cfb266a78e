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

#include "core/DateStamp.h"

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
  // Files and links to files, hidden names (a leading ".") left out, each accepted by the
  // caller's name filter. Links whose target is missing are left out too: they have no size
  // or times to list.
  std::vector<QString> files;
  // Subfolders, hidden ones included; links to folders are not subfolders (never descended).
  std::vector<QString> folders;
};

class FileSystem {
 public:
  // Decides whether a file name is kept; called before any metadata is read.
  using NameFilter = std::function<bool(QStringView name)>;

  // True when something other than a folder exists at path (links followed).
  static bool fileExists(const QString& path);
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

  static bool removeFile(const QString& path, QString* errorText = nullptr);

  // The type description of a file name: the MIME comment for its extension in the user's
  // language, trimmed; empty without MIME data. Cached per extension; thread-safe.
  static QString typeDescription(const QString& fileName);

  // Sorts names the way every listing of this class is sorted.
  static void sortNames(std::vector<QString>& names);

  // An open folder: information about its files by name, without resolving the folder's path
  // again for every file.
  class Folder {
   public:
    static std::optional<Folder> open(const QString& path);
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    std::optional<FileInfo> fileInfo(const QString& name, QString* errorText = nullptr) const;
    // The one directory read behind readFolder.
    std::optional<FolderListing> read(const NameFilter& fileFilter = {}) const;

   private:
    explicit Folder(int fd) : m_fd(fd) {}
    int m_fd = -1;
  };
};

}  // namespace vek
