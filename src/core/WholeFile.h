// Writing a small file whole or not at all: the bytes go to a temporary file beside the target,
// which replaces the target only once every byte was written.
#pragma once

#include <QByteArray>
#include <QString>

namespace vek {

// Replaces (or creates) the file at path with bytes. False, with the reason in error, when
// anything failed, including a short write on a full disk; the old file is then untouched and
// no temporary file is left behind.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace vek
