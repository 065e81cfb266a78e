// The messages of a saved list that cannot be read: each names the file and, where the fault
// is inside it, the line.
#pragma once

#include <QString>

#include "core/Message.h"

namespace vek::ListReadErrors {

Message cannotOpen(const QString& path, const QString& reason);
Message foreign(const QString& path, qint64 line);
Message newer(const QString& path, qint64 line, int version);
Message truncated(const QString& path, qint64 line);
Message badRow(const QString& path, qint64 line);
Message notJson(const QString& path, qint64 line, const QString& reason);
// A text list whose header names no folder and name (nor full path) columns.
Message noNameColumns(const QString& path);
// A text list line with other columns than its header.
Message badLine(const QString& path, qint64 line);
// A text list in bytes its encoding cannot read.
Message badEncoding(const QString& path, qint64 line);

}  // namespace vek::ListReadErrors
