#include "core/FileSystem.h"

#include "core/FileNameBytes.h"
#include "core/FolderPath.h"
#include "core/InterfaceLanguage.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

using namespace Qt::StringLiterals;

namespace vek {

namespace {

// The cache key of a type description. MIME globs of the form "*.ext" look only at a name's
// end, so a name's part from its first dot on decides them; a name without a dot is looked up
// whole. The few globs anchored at the start of the name ("README*", "CMakeLists.txt",
// "Makefile.*") would be missed by that key, so names they may match are looked up whole.
class MimeKeys {
 public:
  MimeKeys() {
    // The glob lists the database is compiled from are read in a millisecond; asking the
    // database for every type's globs parses each type's definition (a tenth of a second).
    if (readGlobLists()) return;
    const QMimeDatabase database;
    for (const QMimeType& type : database.allMimeTypes()) {
      for (const QString& glob : type.globPatterns()) addGlob(glob);
    }
  }

  QStringView keyFor(const QString& fileName) const {
    const qsizetype dot = fileName.indexOf(u'.');
    if (dot < 0 || isAnchored(fileName)) return fileName;
    return QStringView(fileName).mid(dot);
  }

 private:
  // The shared MIME database's glob lists ("weight:type:glob[:flags]" lines) of every data
  // folder; false when there are none (the database then uses a list built into Qt).
  bool readGlobLists() {
    const QStringList lists =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, u"mime/globs2"_s);
    bool read = false;
    for (const QString& path : lists) {
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly)) continue;
      read = true;
      for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() < 3 || fields[2] == "__NOGLOBS__") continue;
        addGlob(QString::fromUtf8(fields[2]));
      }
    }
    return read;
  }

  void addGlob(const QString& glob) {
    if (glob.isEmpty() || glob.startsWith(u'*')) return;
    qsizetype literal = 0;
    while (literal < glob.size() && !QStringView(u"*?[").contains(glob[literal])) ++literal;
    if (literal > 0) {
      m_prefixes.append(glob.left(literal).toLower());
      markFirst(glob[0]);
    } else {
      // Only names ending in the glob's literal tail can match it.
      qsizetype tail = glob.size();
      while (tail > 0 && !QStringView(u"*?]").contains(glob[tail - 1])) --tail;
      m_others.push_back({QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob),
                                             QRegularExpression::CaseInsensitiveOption),
                          glob.mid(tail)});
    }
  }

  void markFirst(QChar c) {
    if (c.unicode() < 128) {
      m_firstChars[c.toLower().unicode()] = true;
    } else {
      m_nonAsciiFirst = true;
    }
  }

  bool isAnchored(const QString& fileName) const {
    const char16_t first = fileName[0].toLower().unicode();
    if (first < 128 ? !m_firstChars[first] : !m_nonAsciiFirst) return matchesOthers(fileName);
    for (const QString& prefix : m_prefixes) {
      if (fileName.startsWith(prefix, Qt::CaseInsensitive)) return true;
    }
    return matchesOthers(fileName);
  }

  bool matchesOthers(const QString& fileName) const {
    for (const Other& other : m_others) {
      if (fileName.endsWith(other.tail, Qt::CaseInsensitive) &&
          other.pattern.match(fileName).hasMatch())
        return true;
    }
    return false;
  }

  std::array<bool, 128> m_firstChars{};
  bool m_nonAsciiFirst = false;
  QStringList m_prefixes;
  struct Other {
    QRegularExpression pattern;
    QString tail;
  };
  std::vector<Other> m_others;
};

// A cheap hash for the short keys of the type cache (FNV-1a over the UTF-16 units); lookups
// take a view so that no key text is built per file.
struct KeyHash {
  using is_transparent = void;
  std::size_t operator()(QStringView key) const noexcept {
    std::size_t hash = 14695981039346656037ull;
    for (const QChar c : key) hash = (hash ^ c.unicode()) * 1099511628211ull;
    return hash;
  }
  std::size_t operator()(const QString& key) const noexcept { return (*this)(QStringView(key)); }
};

}  // namespace

std::optional<QStringList> FileSystem::subfolders(const QString& path) {
  // A filter that refuses every file keeps the read from looking at file links.
  const auto listing = readFolder(path, [](QStringView) { return false; });
  if (!listing) return std::nullopt;
  QStringList names;
  names.reserve(qsizetype(listing->folders.size()));
  for (const QString& name : listing->folders) names.append(name);
  return names;
}

std::optional<FolderListing> FileSystem::readFolder(const QString& path,
                                                    const NameFilter& fileFilter) {
  const auto folder = Folder::open(path);
  if (!folder) return std::nullopt;
  return folder->read(fileFilter);
}

namespace {

// The comment of a type in the interface's language. Qt picks a comment by the languages of
// QLocale, which under a C or POSIX locale (where the interface is Japanese) are English, and
// under a locale of a third language are that language: a list would speak two. The type's
// own file in the shared MIME database holds every translation; the Japanese one is taken
// from there, or the untranslated (English) one. Qt's choice stays for a type without a file.
QString commentIn(const QMimeType& type, InterfaceLanguage language) {
  const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                              u"mime/"_s + type.name() + u".xml"_s);
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return type.comment();
  const QString wanted = language == InterfaceLanguage::Japanese ? u"ja"_s : QString();
  QXmlStreamReader xml(&file);
  QString untranslated;
  int depth = 0;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::EndElement) {
      --depth;
      continue;
    }
    if (token != QXmlStreamReader::StartElement) continue;
    ++depth;
    // The type's own comments, not those of the elements inside it.
    if (depth != 2 || xml.name() != u"comment") continue;
    const QString lang = xml.attributes().value(u"xml:lang"_s).toString();
    const QString text = xml.readElementText();
    --depth;  // readElementText consumed the end of the element
    if (lang == wanted && !text.trimmed().isEmpty()) return text;
    if (lang.isEmpty() && untranslated.isEmpty()) untranslated = text;
  }
  return untranslated.isEmpty() ? type.comment() : untranslated;
}

// The description of a file's type from the process-wide cache (one per interface language),
// asking the database once per key.
QString sharedTypeDescription(const QString& fileName, QStringView key,
                              InterfaceLanguage language) {
  static QMutex mutex;
  static std::array<std::unordered_map<QString, QString, KeyHash, std::equal_to<>>, 2> caches;
  auto& cache = caches[language == InterfaceLanguage::Japanese ? 0 : 1];
  {
    QMutexLocker lock(&mutex);
    const auto found = cache.find(key);
    if (found != cache.end()) return found->second;
  }
  const QMimeDatabase database;
  QString description =
      commentIn(database.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension), language)
          .trimmed();
  QMutexLocker lock(&mutex);
  return cache.try_emplace(key.toString(), std::move(description)).first->second;
}

}  // namespace

QString FileSystem::typeDescription(const QString& fileName) {
  static const MimeKeys keys;
  const QStringView key = keys.keyFor(fileName);

  // A folder holds few kinds of file: this thread's last answers first, without the lock
  // that the threads of a scan would otherwise take turns at for every file.
  const InterfaceLanguage language = installedInterfaceLanguage();
  struct Recent {
    QString key;
    QString description;
    InterfaceLanguage language;
  };
  thread_local std::array<Recent, 8> recent;
  thread_local std::size_t nextRecent = 0;
  for (const Recent& known : recent) {
    if (!known.key.isNull() && known.language == language && known.key == key)
      return known.description;
  }
  Recent& slot = recent[nextRecent++ % recent.size()];
  slot.key = key.toString();
  slot.language = language;
  slot.description = sharedTypeDescription(fileName, key, language);
  return slot.description;
}

bool FileSystem::isPseudoFileSystemType(qint64 type) {
  // The f_type magic numbers of <linux/magic.h>, spelled out so that the list is the same on
  // every system that builds this. devtmpfs has no number of its own (see isDeviceFileSystem).
  static constexpr qint64 kPseudo[] = {
      0x9fa0,      // proc
      0x62656572,  // sysfs
      0x1cd1,      // devpts
      0x27e0eb,    // cgroup
      0x63677270,  // cgroup2
      0x64626720,  // debugfs
      0x74726163,  // tracefs
      0x73636673,  // securityfs
      0x6165676c,  // pstore
      0xcafe4a11,  // bpf
      0x62656570,  // configfs
      0x65735543,  // fusectl
      0x19800202,  // mqueue
      0x958458f6,  // hugetlbfs
      0x42494e4d,  // binfmt_misc
      0x0187,      // autofs
      0xf97cff8c,  // selinuxfs
      0x43415d53,  // smackfs
      0xde5e81e4,  // efivarfs
      0x6e736673,  // nsfs
  };
  return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo);
}

bool FileSystem::onNetworkFileSystem(const QString& path) {
  struct statfs fs {};
  if (::statfs(encodeFileName(path).constData(), &fs) != 0) return false;
  // The f_type magic numbers of <linux/magic.h> and of the file systems' own sources.
  static constexpr qint64 kNetwork[] = {
      0x6969,      // nfs
      0x517b,      // smb
      0xff534d42,  // cifs
      0xfe534d42,  // smb2
      0x65735546,  // fuse (sshfs, rclone, gvfs, virtiofs, …)
      0x00c36400,  // ceph
      0x5346414f,  // afs
      0x6b414653,  // kafs
      0x01021997,  // 9p
      0x73757245,  // coda
      0x564c,      // ncp
      0x0bd00bd0,  // lustre
      0x47504653,  // gpfs
      0x20030528,  // orangefs
      0x7461636f,  // ocfs2
      0x01161970,  // gfs2
  };
  const auto type = qint64(fs.f_type);
  return std::find(std::begin(kNetwork), std::end(kNetwork), type) != std::end(kNetwork);
}

void FileSystem::sortNames(std::vector<QString>& names) {
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
}

namespace {

constexpr unsigned kStatxMask = STATX_TYPE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;

void setError(QString* errorText, int error) {
  if (errorText) *errorText = qt_error_string(error);
}

DateStamp localStamp(const struct statx_timestamp& stamp) {
  return DateStamp::fromSeconds(stamp.tv_sec);
}

std::optional<FileInfo> statFile(int dirFd, const QByteArray& path, const QString& fileName,
                                 QString* errorText) {
  struct statx st {};
  if (statx(dirFd, path.constData(), AT_STATX_SYNC_AS_STAT, kStatxMask, &st) != 0) {
    setError(errorText, errno);
    return std::nullopt;
  }
  if ((st.stx_mask & STATX_TYPE) && S_ISDIR(st.stx_mode)) {
    setError(errorText, EISDIR);
    return std::nullopt;
  }
  if (!(st.stx_mask & STATX_SIZE) || !(st.stx_mask & STATX_MTIME)) {
    setError(errorText, ENODATA);
    return std::nullopt;
  }
  FileInfo info;
  info.type = FileSystem::typeDescription(fileName);
  info.size = qint64(st.stx_size);
  // Some file systems report a birth time of 0 for inodes they never stamped.
  if ((st.stx_mask & STATX_BTIME) && st.stx_btime.tv_sec != 0)
    info.created = localStamp(st.stx_btime);
  if (st.stx_mask & STATX_ATIME) info.accessed = localStamp(st.stx_atime);
  // A time outside the years 1..9999 is shown as an empty cell; the file is listed all the same.
  info.modified = localStamp(st.stx_mtime);
  return info;
}

QString lastComponent(const QString& path) {
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 ? path : path.mid(slash + 1);
}

int openFolder(const QByteArray& path) {
  return openFolderPath(path, O_RDONLY);
}

// stat() of a path of any length (links followed).
bool statPath(const QByteArray& path, struct stat& st) {
  if (path.size() < PATH_MAX) return ::stat(path.constData(), &st) == 0;
  const PathParts parts = splitPath(path);
  const int dir = openFolderPath(parts.folder, O_PATH);
  if (dir < 0) return false;
  const bool found = fstatat(dir, parts.name.constData(), &st, 0) == 0;
  ::close(dir);
  return found;
}

bool statFollow(int dirFd, const char* name, struct stat& st) {
  return fstatat(dirFd, name, &st, 0) == 0;
}

}  // namespace

bool FileSystem::fileExists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat st {};
  return statPath(encodeFileName(path), st) && !S_ISDIR(st.st_mode);
}

bool FileSystem::regularFileExists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat st {};
  return statPath(encodeFileName(path), st) && S_ISREG(st.st_mode);
}

bool FileSystem::folderExists(const QString& path) {
  if (path.isEmpty()) return false;
  struct stat st {};
  return statPath(encodeFileName(path), st) && S_ISDIR(st.st_mode);
}

std::optional<FileInfo> FileSystem::fileInfo(const QString& path, QString* errorText) {
  if (path.isEmpty()) {
    setError(errorText, ENOENT);
    return std::nullopt;
  }
  const QByteArray encoded = encodeFileName(path);
  if (encoded.size() < PATH_MAX) return statFile(AT_FDCWD, encoded, lastComponent(path), errorText);
  // Too long for one call: the file relative to its folder.
  const qsizetype slash = encoded.lastIndexOf('/');
  const int dir = openFolder(slash <= 0 ? QByteArray("/") : encoded.left(slash));
  if (dir < 0) {
    setError(errorText, errno);
    return std::nullopt;
  }
  auto info = statFile(dir, encoded.mid(slash + 1), lastComponent(path), errorText);
  ::close(dir);
  return info;
}

namespace {

// devtmpfs reports the type of tmpfs (or ramfs), on which it is built: whether a device of
// that type is the kernel's device folder is told by the system's own table of mounts. Each
// device is looked up once.
bool isDeviceFileSystem(dev_t device) {
  static QMutex mutex;
  static std::vector<std::pair<dev_t, bool>> known;
  QMutexLocker lock(&mutex);
  for (const auto& [seen, answer] : known) {
    if (seen == device) return answer;
  }
  bool found = false;
  QFile table(QStringLiteral("/proc/self/mountinfo"));
  if (table.open(QIODevice::ReadOnly)) {
    // "id parent major:minor root mount-point options [optional fields] - type source ..."
    const QByteArray wanted =
        QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    for (const QByteArray& line : table.readAll().split('\n')) {
      const QList<QByteArray> fields = line.split(' ');
      if (fields.size() < 3 || fields[2] != wanted) continue;
      const qsizetype dash = fields.indexOf("-");
      if (dash > 0 && dash + 1 < fields.size() && fields[dash + 1] == "devtmpfs") found = true;
    }
  }
  known.emplace_back(device, found);
  return found;
}

// Closes a descriptor after a failure without losing the failure's errno, which the caller
// reports as the reason.
void closeKeepingError(int fd) {
  const int error = errno;
  ::close(fd);
  errno = error;
}

bool onPseudoFileSystem(int fd, dev_t device) {
  constexpr qint64 kTmpfs = 0x01021994;
  constexpr qint64 kRamfs = 0x858458f6;
  struct statfs fs {};
  if (fstatfs(fd, &fs) != 0) return false;
  const auto type = qint64(fs.f_type);
  if (type == kTmpfs || type == kRamfs) return isDeviceFileSystem(device);
  return FileSystem::isPseudoFileSystemType(type);
}

}  // namespace

std::optional<FileSystem::Folder> FileSystem::Folder::open(const QString& path) {
  if (path.isEmpty()) {
    errno = ENOENT;
    return std::nullopt;
  }
  const int fd = openFolder(encodeFileName(path));
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    closeKeepingError(fd);
    return std::nullopt;
  }
  return Folder(fd, quint64(st.st_dev), onPseudoFileSystem(fd, st.st_dev));
}

std::optional<FileSystem::Folder> FileSystem::Folder::openSubfolder(const QString& name,
                                                                    bool lookAtFileSystem) const {
  if (name.isEmpty() || name.contains(u'/')) {
    errno = EINVAL;
    return std::nullopt;
  }
  // O_NOFOLLOW: a link to a folder is never entered, even when it replaced the folder since
  // the listing was taken.
  const int fd = ::openat(m_fd, encodeFileName(name).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  if (!lookAtFileSystem) return Folder(fd, m_device, m_pseudo);
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    closeKeepingError(fd);
    return std::nullopt;
  }
  const bool pseudo =
      m_pseudo || (quint64(st.st_dev) != m_device && onPseudoFileSystem(fd, st.st_dev));
  return Folder(fd, quint64(st.st_dev), pseudo);
}

FileSystem::Folder::Folder(Folder&& other) noexcept
    : m_pseudo(other.m_pseudo), m_fd(other.m_fd), m_device(other.m_device) {
  other.m_fd = -1;
}

FileSystem::Folder& FileSystem::Folder::operator=(Folder&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.m_fd;
    m_device = other.m_device;
    m_pseudo = other.m_pseudo;
    other.m_fd = -1;
  }
  return *this;
}

FileSystem::Folder::~Folder() {
  if (m_fd >= 0) ::close(m_fd);
}

std::optional<FileInfo> FileSystem::Folder::fileInfo(const QString& name,
                                                     QString* errorText) const {
  if (name.isEmpty() || name.contains(u'/')) {
    setError(errorText, EINVAL);
    return std::nullopt;
  }
  return statFile(m_fd, encodeFileName(name), name, errorText);
}

std::optional<FolderListing> FileSystem::Folder::read(const NameFilter& fileFilter,
                                                      HiddenFiles hiddenFiles) const {
  // The directory stream takes its own descriptor so this one stays usable for the *at calls.
  const int readFd = ::dup(m_fd);
  if (readFd < 0) return std::nullopt;  // errno says why
  ::lseek(readFd, 0, SEEK_SET);
  DIR* dir = ::fdopendir(readFd);
  if (!dir) {
    closeKeepingError(readFd);
    return std::nullopt;
  }

  FolderListing listing;
  bool failed = false;
  for (;;) {
    errno = 0;
    const struct dirent* entry = ::readdir(dir);
    if (!entry) {
      failed = errno != 0;
      break;
    }
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    const bool leftOut = name[0] == '.' && hiddenFiles == HiddenFiles::Left;

    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st {};
      if (fstatat(m_fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(st.st_mode)   ? DT_DIR
             : S_ISREG(st.st_mode) ? DT_REG
             : S_ISLNK(st.st_mode) ? DT_LNK
                                   : DT_UNKNOWN;
    }
    if (type == DT_DIR) {
      listing.folders.push_back(decodeFileName(name));
      continue;
    }
    if (leftOut || (type != DT_REG && type != DT_LNK)) continue;

    QString decoded = decodeFileName(name);
    if (fileFilter && !fileFilter(decoded)) continue;
    if (type == DT_LNK) {
      // A link counts as a file only when it leads to one.
      struct stat target {};
      if (!statFollow(m_fd, name, target) || !S_ISREG(target.st_mode)) continue;
    }
    listing.files.push_back(std::move(decoded));
  }
  const int error = errno;
  ::closedir(dir);
  if (failed) {
    errno = error;
    return std::nullopt;
  }
  FileSystem::sortNames(listing.files);
  FileSystem::sortNames(listing.folders);
  return listing;
}

}  // namespace vek
