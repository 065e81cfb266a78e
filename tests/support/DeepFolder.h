// Folders deeper than a path may be long (PATH_MAX, 4,096 bytes): made and read one level at a
// time with the *at calls, since open() and mkdir() refuse such a path whole.
#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace vek::test {

// Makes folders of 200-character names below base until the path is longer than minimumLength
// bytes, and returns that path (no trailing separator).
QString makeDeepFolder(const QString& base, qsizetype minimumLength = 5000);

// The contents of a file at a path of any length; nullopt when it cannot be read.
std::optional<QByteArray> readDeepFile(const QString& path);

// Removes a tree made by makeDeepFolder (QTemporaryDir cannot reach below PATH_MAX).
void removeDeepTree(const QString& base);

}  // namespace vek::test
