// The message digests a list can carry in its hash column and its checksum file.
#pragma once

#include <optional>

#include <QString>
#include <QStringView>

namespace vek {

enum class HashKind { None, Md5, Sha1, Sha256 };

// The name a batch switch takes ("MD5", "SHA1", "SHA256", in any case); nullopt otherwise.
std::optional<HashKind> hashKindFromName(QStringView name);
// "MD5", "SHA1", "SHA256" (the switch's own spelling); empty for None.
QString hashKindName(HashKind kind);
// "MD5", "SHA-1", "SHA-256" as people read them; empty for None.
QString hashKindCaption(HashKind kind);
// The extension of the checksum file, without its dot: "md5", "sha1", "sha256".
QString checksumExtension(HashKind kind);
// Digits of the hexadecimal digest: 32, 40, 64; 0 for None.
int hexDigestLength(HashKind kind);

}  // namespace vek
