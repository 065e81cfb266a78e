#include "writers/ChecksumFile.h"

#include <QFileInfo>

#include "core/platform/FileNameBytes.h"
#include "core/text/PathRules.h"

namespace vek {

QByteArray ChecksumFile::line(const QByteArray& hex, const QString& relativePath) {
  // The tools read a file named "-" as their standard input; "./-" is the same file to them.
  const QByteArray name =
      relativePath == u"-" ? QByteArrayLiteral("./-") : encodeFileName(relativePath);
  QByteArray out;
  out.reserve(hex.size() + name.size() + 8);
  bool escaped = false;
  QByteArray path;
  path.reserve(name.size());
  for (char c : name) {
    switch (c) {
      case '\\':
        path.append("\\\\");
        escaped = true;
        break;
      case '\n':
        path.append("\\n");
        escaped = true;
        break;
      case '\r':
        path.append("\\r");
        escaped = true;
        break;
      default:
        path.append(c);
    }
  }
  if (escaped) out.append('\\');
  out.append(hex).append("  ").append(path).append('\n');
  return out;
}

QString ChecksumFile::inputFolder(std::span<const FileEntry> rows) {
  const QChar separator = pathSeparator(nativePathStyle());
  QString common;
  bool first = true;
  for (const FileEntry& row : rows) {
    if (!row.ticked) continue;
    // A comparison's removed or unverified row names a path a saved list gave; it is never
    // read, gets no line, and must not move the folder the lines start at.
    if (row.state == CompareState::Removed || row.state == CompareState::Unverified) continue;
    const qsizetype length = row.rootLength >= 0 && row.rootLength <= row.folder.size()
                                 ? row.rootLength
                                 : row.folder.size();
    const QStringView root = QStringView(row.folder).left(length);
    if (first) {
      common = root.toString();
      first = false;
      continue;
    }
    if (root.startsWith(common)) continue;
    qsizetype same = 0;
    const qsizetype most = std::min(common.size(), root.size());
    while (same < most && common[same] == root[same]) ++same;
    // Back to the last separator both share, so the folder is a whole folder.
    while (same > 0 && common[same - 1] != separator) --same;
    common.truncate(same);
  }
  return common;
}

QString ChecksumFile::pathFor(const QString& listPath, HashKind kind) {
  const QString extension = checksumExtension(kind);
  const QFileInfo info(listPath);
  const QString fileName = info.fileName();
  const qsizetype dot = fileName.lastIndexOf(u'.');
  const QString folder = listPath.left(listPath.size() - fileName.size());
  if (dot > 0 && fileName.mid(dot + 1) != extension)
    return folder + fileName.left(dot + 1) + extension;
  return listPath + u'.' + extension;
}

bool ChecksumFile::write(QIODevice& device, std::span<const FileEntry> rows,
                         const std::vector<FileHash>& hashes) {
  const QString base = inputFolder(rows);
  QByteArray block;
  std::size_t next = 0;
  for (const FileEntry& row : rows) {
    if (!row.ticked) continue;
    const std::size_t i = next++;
    if (i >= hashes.size() || !hashes[i].hashed()) continue;
    const QString path = row.fullPath();
    block.append(line(hashes[i].hex, path.mid(base.size())));
    if (block.size() >= 1 << 16) {
      if (device.write(block) != block.size()) return false;
      block.clear();
    }
  }
  return block.isEmpty() || device.write(block) == block.size();
}

}  // namespace vek
