// Descriptions of file types from the shared MIME database, cached by the end of a name.
#include "core/platform/FileSystem.h"

#include "core/settings/InterfaceLanguage.h"

#include <array>
#include <unordered_map>
#include <vector>

#include <QFile>
#include <QMimeDatabase>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

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

}  // namespace vek
