#include "core/PathRules.h"

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

QChar pathSeparator(PathStyle style) { return style == PathStyle::Windows ? u'\\' : u'/'; }

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

}  // namespace vek
