#include "core/platform/HashKind.h"

namespace vek {

std::optional<HashKind> hashKindFromName(QStringView name) {
  for (HashKind kind : {HashKind::Md5, HashKind::Sha1, HashKind::Sha256}) {
    if (name.compare(hashKindName(kind), Qt::CaseInsensitive) == 0) return kind;
  }
  return std::nullopt;
}

QString hashKindName(HashKind kind) {
  switch (kind) {
    case HashKind::Md5:
      return QStringLiteral("MD5");
    case HashKind::Sha1:
      return QStringLiteral("SHA1");
    case HashKind::Sha256:
      return QStringLiteral("SHA256");
    case HashKind::None:
      break;
  }
  return QString();
}

QString hashKindCaption(HashKind kind) {
  switch (kind) {
    case HashKind::Md5:
      return QStringLiteral("MD5");
    case HashKind::Sha1:
      return QStringLiteral("SHA-1");
    case HashKind::Sha256:
      return QStringLiteral("SHA-256");
    case HashKind::None:
      break;
  }
  return QString();
}

QString checksumExtension(HashKind kind) {
  return hashKindName(kind).toLower();
}

int hexDigestLength(HashKind kind) {
  switch (kind) {
    case HashKind::Md5:
      return 32;
    case HashKind::Sha1:
      return 40;
    case HashKind::Sha256:
      return 64;
    case HashKind::None:
      break;
  }
  return 0;
}

}  // namespace vek
