#include "core/text/PathRules.h"

#include "core/platform/FileNameBytes.h"

namespace vek {

namespace {

constexpr QChar kIdeographicSpace(0x3000);

qsizetype lastSeparator(const QString& text, PathStyle style) {
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    if (isPathSeparator(text[i], style)) return i;
  }
  return -1;
}

QString withoutDriveWindows(const QString& d) {
  if (d.startsWith(QLatin1String("\\\\"))) {
    // Network path: drop "\\server\" and keep the share and what follows.
    const qsizetype slash = d.indexOf(u'\\', 2);
    return slash < 0 ? d : d.mid(slash + 1);
  }
  if (d.size() > 2) return d.mid(3);  // drive letter, colon, separator
  return QString(kIdeographicSpace);
}

QString withoutDrivePosix(const QString& d) {
  if (d.isEmpty() || d == QLatin1String("/")) return QString(kIdeographicSpace);
  return d.startsWith(u'/') ? d.mid(1) : d;
}

}  // namespace

PathStyle nativePathStyle() {
#ifdef Q_OS_WIN
  return PathStyle::Windows;
#else
  return PathStyle::Posix;
#endif
}

QChar pathSeparator(PathStyle style) {
  return style == PathStyle::Windows ? u'\\' : u'/';
}

bool isPathSeparator(QChar c, PathStyle style) {
  return c == u'/' || (style == PathStyle::Windows && c == u'\\');
}

QString folderText(const QString& path, PathStyle style) {
  if (path.isEmpty() || isPathSeparator(path.back(), style)) return path;
  return path + pathSeparator(style);
}

QString folderWithoutSeparator(const QString& folder, PathStyle style) {
  if (folder.isEmpty() || !isPathSeparator(folder.back(), style)) return folder;
  if (style == PathStyle::Posix && folder.size() == 1) return folder;  // the root stays "/"
  return folder.chopped(1);
}

QString directoryText(const QString& folder, DirType type, PathStyle style) {
  const QString d = folderWithoutSeparator(folder, style);
  switch (type) {
    case DirType::Absolute:
      return d;
    case DirType::WithoutDrive:
      return style == PathStyle::Windows ? withoutDriveWindows(d) : withoutDrivePosix(d);
    case DirType::LastName: {
      if (style == PathStyle::Posix && d == QLatin1String("/")) return d;
      const qsizetype slash = lastSeparator(d, style);
      return slash < 0 ? d : d.mid(slash + 1);
    }
  }
  return d;
}

QString fileAddress(const QString& fullPath, PathStyle style) {
  if (style == PathStyle::Posix) {
    // A relative path never reaches the list; should one come, keep the address well-formed.
    return fullPath.startsWith(u'/') ? QStringLiteral("file://") + fullPath
                                     : QStringLiteral("file:///") + fullPath;
  }
  QString path = fullPath;
  path.replace(u'\\', u'/');
  return path.startsWith(QLatin1String("//")) ? QStringLiteral("file:") + path
                                              : QStringLiteral("file:///") + path;
}

namespace {

// The root of path as text and how many characters of path it takes.
std::pair<QString, qsizetype> splitRoot(const QString& path, PathStyle style) {
  auto separator = [&](qsizetype i) { return i < path.size() && isPathSeparator(path[i], style); };
  if (style == PathStyle::Posix) {
    return separator(0) ? std::pair{QStringLiteral("/"), qsizetype(1)}
                        : std::pair{QString(), qsizetype(0)};
  }
  if (separator(0) && separator(1)) {
    // \\server\share\: the network share is the root.
    qsizetype i = 2;
    while (i < path.size() && !separator(i)) ++i;
    const QString server = path.mid(2, i - 2);
    qsizetype j = i + 1;
    while (j < path.size() && !separator(j)) ++j;
    const QString share = i < path.size() ? path.mid(i + 1, j - i - 1) : QString();
    return {QStringLiteral("\\\\") + server + u'\\' + (share.isEmpty() ? QString() : share + u'\\'),
            std::min(j + 1, path.size())};
  }
  if (path.size() >= 2 && path[1] == u':' && path[0].isLetter()) {
    return {path.first(2).toUpper() + u'\\', separator(2) ? 3 : 2};
  }
  if (separator(0)) return {QStringLiteral("\\"), 1};
  return {QString(), 0};
}

QStringList pathNames(const QString& rest, PathStyle style, bool rooted) {
  QStringList names;
  QString name;
  auto take = [&] {
    if (name.isEmpty() || name == u'.') {
    } else if (name == QLatin1String("..")) {
      if (!names.isEmpty() && names.back() != QLatin1String("..")) {
        names.removeLast();
      } else if (!rooted) {
        names.append(name);
      }
    } else {
      names.append(name);
    }
    name.clear();
  };
  for (const QChar c : rest) {
    if (isPathSeparator(c, style)) {
      take();
    } else {
      name.append(c);
    }
  }
  take();
  return names;
}

}  // namespace

QString pathRoot(const QString& path, PathStyle style) {
  return splitRoot(path, style).first;
}

QString cleanPath(const QString& path, PathStyle style) {
  const auto [root, length] = splitRoot(path, style);
  const QStringList names = pathNames(path.sliced(length), style, !root.isEmpty());
  const QString joined = names.join(pathSeparator(style));
  if (root.isEmpty()) return joined.isEmpty() ? QStringLiteral(".") : joined;
  return root + joined;
}

QStringList folderChain(const QString& folder, PathStyle style) {
  const auto [root, length] = splitRoot(folder, style);
  if (root.isEmpty()) return {};
  QStringList chain{root};
  QString path = root;
  for (const QString& name : pathNames(folder.sliced(length), style, true)) {
    path = path == root ? QString(root + name) : QString(path + pathSeparator(style) + name);
    chain.append(path);
  }
  return chain;
}

QString resolveTypedPath(const QString& text, const QString& current, const QString& home,
                         PathStyle style) {
  QString path = text.trimmed();
  if (style == PathStyle::Posix && (path == u'~' || path.startsWith(QLatin1String("~/")))) {
    path = home + path.sliced(1);
  }
  if (pathRoot(path, style).isEmpty()) path = current + pathSeparator(style) + path;
  return cleanPath(path, style);
}

QUrl localFileUrl(const QString& path) {
  return QUrl::fromEncoded(QByteArrayLiteral("file://") +
                           encodeFileName(path).toPercentEncoding("/"));
}

QString localPathOfUrl(const QUrl& url) {
  if (!url.isLocalFile()) return QString();
  // Another machine's file is not this machine's file of the same path.
  const QString host = url.host();
  if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
    return QString();
  const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
  // A NUL would cut the path short and name another file.
  if (bytes.contains('\0')) return QString();
  return decodeFileName(bytes.constData());
}

}  // namespace vek
